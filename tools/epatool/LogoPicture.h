#ifndef VARNEL_TOOLS_EPATOOL_LOGOPICTURE_H
#define VARNEL_TOOLS_EPATOOL_LOGOPICTURE_H

#include "runtime/IndexedPicture.h"
#include "tools/epatool/LogoInput.h"

#include <QByteArray>
#include <QString>

// A logo drawn as a picture file, on Qt Core alone.
namespace LogoPicture {

// "png" when the name ends in ".png", else "bmp".
QString FormatFor(const QString& output);
// The picture as the bytes of a file of `format`, "bmp" or "png".
QByteArray Encoded(const TIndexedPicture& picture, const QString& format);
// Writes the picture as a new file of the format its name asks for.
void Write(const TIndexedPicture& picture, const QString& output);

// The logo as the BIOS shows it.
TIndexedPicture Shown(const TLogo& logo);
// The EPA logo as the BIOS shows it, with its 70 trailing bytes drawn under it as five 8 x 14
// characters (bit 7 the leftmost pixel), white on black.
TIndexedPicture WithEmblem(const TEpaLogo& logo, const QByteArray& trailer);

} // namespace LogoPicture

#endif
