#ifndef VARNEL_TOOLS_EPATOOL_LOGOPICTURE_H
#define VARNEL_TOOLS_EPATOOL_LOGOPICTURE_H

#include <QByteArray>
#include <QString>

class TBitmap;
class TEpaLogo;

namespace LogoPicture {

// Writes the picture as a new file: PNG when the name ends in ".png", else BMP.
void Write(const TBitmap& bitmap, const QString& output);

// The logo as the BIOS shows it, with its 70 trailing bytes drawn under it as five 8 x 14
// characters (bit 7 the leftmost pixel), white on black.
TBitmap WithEmblem(const TEpaLogo& logo, const QByteArray& trailer);

// The logo module's data drawn as the BIOS shows it: an EPA or AWBM logo; anything else raises
// an error naming `name`.
TBitmap Render(const QByteArray& logo, const QString& name);

} // namespace LogoPicture

#endif
