#include "tools/epatool/LogoInput.h"

#include "runtime/Exception.h"
#include "runtime/StreamBytes.h"
#include "tools/epatool/Streams.h"

#include <QFile>
#include <algorithm>
#include <optional>

// Told apart by their first bytes. An EPA logo of 65 × 87 cells could begin with "AWBM" too;
// such a file is still read as what it is.
TLogo ParseLogo(const QByteArray& bytes, const QString& name) {
    if (!TAwbmLogo::HasSignature(bytes))
        return TEpaLogo::Parse(bytes, name);
    try {
        return TAwbmLogo::Parse(bytes, name);
    } catch (const Exception&) {
        try {
            return TEpaLogo::Parse(bytes, name);
        } catch (const Exception&) {
        }
        throw;
    }
}

TLogo ReadLogo(const QString& input) {
    QFile file;
    OpenInput(file, input);
    const QString name = InputName(input);
    const bool awbm = TAwbmLogo::HasSignature(file.peek(4));
    const std::optional<QByteArray> bytes =
        ReadAtMost(file, std::max(TEpaLogo::LargestFile, TAwbmLogo::LargestFile));
    if (!bytes)
        throw Exception(QStringLiteral("\"%1\" is not an %2 logo file: it is too long.")
                            .arg(name, awbm ? "AWBM" : "EPA"));
    return ParseLogo(*bytes, name);
}
