#ifndef VARNEL_ROM_IMAGELOGO_H
#define VARNEL_ROM_IMAGELOGO_H

#include <QByteArray>
#include <QString>

// The logo of a BIOS image file, for whoever opens an image where a logo file is expected.
namespace ImageLogo {

// Whether the name is one a BIOS image is saved under (.bin, .rom, .awd).
bool IsImageName(const QString& fileName);

// The EPA logo the image's logo module holds. An image without one says what it holds instead:
// no logo module, a damaged one, or an AWBM logo (with its size).
QByteArray ReadEpa(const QString& fileName);

} // namespace ImageLogo

#endif
