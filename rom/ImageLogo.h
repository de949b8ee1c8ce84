#ifndef VARNEL_ROM_IMAGELOGO_H
#define VARNEL_ROM_IMAGELOGO_H

#include <QByteArray>
#include <QString>

class TAwardImage;
class TEpaLogo;

// The logo of a BIOS image file, for whoever opens an image where a logo file is expected.
namespace ImageLogo {

// Whether the name is one a BIOS image is saved under (.bin, .rom, .awd).
bool IsImageName(const QString& fileName);

// The EPA logo the image's logo module holds. An image without one says what it holds instead:
// no logo module, a damaged one, or an AWBM logo (with its size).
QByteArray ReadEpa(const QString& fileName);

// `logo` as it goes into the image: cut to the stock logo's cells from the top left (the top six
// rows for a 17 x 6 stock logo), the mark in its own last cell. An image whose logo module holds
// no EPA logo raises an error saying what it holds: a board expects the kind it shipped with.
TEpaLogo AtStockSize(const TAwardImage& image, const TEpaLogo& logo);

} // namespace ImageLogo

#endif
