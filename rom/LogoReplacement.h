#ifndef VARNEL_ROM_LOGOREPLACEMENT_H
#define VARNEL_ROM_LOGOREPLACEMENT_H

#include "rom/RomLogo.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class TAwardImage;

struct TReplaceOptions {
    bool kindChange = false;  // write an EPA logo where an AWBM one was, or the other way
    bool blankEmblem = false; // zeros instead of the stock logo's 70 trailing bytes
};

struct TReplacement {
    QByteArray image; // the new image
    QByteArray logo;  // the logo module's new data
    QStringList warnings;
};

// What a proven write put where, for the report.
struct TWrittenImage {
    QString output;
    QByteArray moduleName; // the logo module's stored name
    TRomLogo logo;         // what the logo module now holds
    quint32 unpacked = 0;
    qint64 packed = 0;
    qint64 freeBytes = 0; // left after the logo's chain
    QString checksumRule;
    QStringList warnings;
};

// Putting a new logo into an image's logo module, and proving the result.
namespace LogoReplacement {

// The new image with `logo` (the bytes of the file `logoName`) in the logo module: the stock
// module's name, type, time word and method kept, and, for an EPA logo, the stock logo's 70
// trailing bytes (the emblem the BIOS draws) unless options.blankEmblem. Raises an error naming
// the reason for an image without a logo module or with a damaged module, a logo of another kind
// than the stock one (unless options.kindChange), a logo that is neither kind, a chain that no
// longer fits, or an image whose checksum rule is unknown.
TReplacement Replace(const TAwardImage& image, const QByteArray& logo, const QString& logoName,
                     const TReplaceOptions& options);

// Replace's image written as the new file `output`, and proved from the disk by Verify before it
// takes that name. An existing name (or a link) is refused before any work; any failure leaves
// no output. The image's own file is only read.
TWrittenImage WriteCopy(const TAwardImage& image, const QByteArray& logo, const QString& logoName,
                        const QString& output, const TReplaceOptions& options);
// Raises "NAME already exists; choose another name or remove it." for a name taken by a file
// or a link.
void RefuseExisting(const QString& output);

// Raises an error unless `written` is `input` with exactly the logo data `logo` in its logo
// module: every module decodes with a good CRC, every other module is byte for byte the input's,
// and the image checksum holds.
void Verify(const TAwardImage& input, const QByteArray& written, const QByteArray& logo,
            const QString& name);

// Every module of the image unpacked, which proves each CRC; a damaged one raises an error
// naming it.
void CheckModules(const TAwardImage& image);
// Module `index` unpacked; a damaged one raises an error naming the image and the module.
QByteArray UnpackedModule(const TAwardImage& image, int index);

} // namespace LogoReplacement

#endif
