#include "tools/epatool/PictureInput.h"

#include "runtime/Exception.h"
#include "runtime/Graphic.h"
#include "runtime/Picture.h"
#include "runtime/PictureFormats.h"
#include "tools/epatool/Streams.h"
#include "tools/epatool/UsageError.h"

#include <QFileInfo>
#include <array>
#include <utility>

namespace {

bool At(const QByteArray& bytes, qsizetype offset, const QByteArray& signature) {
    return bytes.mid(offset, signature.size()) == signature;
}

// The kind the first bytes show: the signatures of the picture files epatool reads.
QString KindOf(const QByteArray& bytes) {
    using namespace Qt::Literals::StringLiterals;
    static const std::array<std::pair<QByteArray, const char*>, 7> starts = {{
        {"BM"_ba, "bmp"},
        {"\x89PNG\r\n\x1a\n"_ba, "png"},
        {"\xFF\xD8\xFF"_ba, "jpg"},
        {"GIF87a"_ba, "gif"},
        {"GIF89a"_ba, "gif"},
        {"\0\0\1\0"_ba, "ico"},
        {"\xD7\xCD\xC6\x9A"_ba, "wmf"},
    }};
    for (const auto& [signature, kind] : starts)
        if (At(bytes, 0, signature))
            return QString::fromLatin1(kind);
    if (At(bytes, 0, "\1\0\0\0"_ba) && At(bytes, 40, " EMF"_ba))
        return QStringLiteral("emf");
    // A metafile without the placeable header: its type (in memory or on disk), header size 9.
    if (At(bytes, 0, "\1\0\x09\0"_ba) || At(bytes, 0, "\2\0\x09\0"_ba))
        return QStringLiteral("wmf");
    return {};
}

} // namespace

TPictureInput::TPictureInput(const QString& name, const std::optional<QString>& kind)
    : name_(name) {
    if (kind && !TPictureFormats::Find(*kind)) {
        QStringList kinds;
        for (const TPictureFormats::Entry& entry : TPictureFormats::Entries())
            kinds.append(entry.extension);
        throw UsageError{QStringLiteral("--input-format takes one of %1, not \"%2\"")
                             .arg(kinds.join(QStringLiteral(", ")), *kind)};
    }
    if (IsStandardStream(name)) {
        bytes_ = ReadInput(name, TGraphic::LargestFile);
        if (!bytes_)
            throw Exception(QStringLiteral("Standard input holds more than 128 MB, more than any "
                                           "picture epatool reads."));
    }
    kind_ = kind ? kind->toLower() : bytes_ ? KindOf(*bytes_) : QString();
    if (bytes_ && kind_.isEmpty())
        throw Exception(QStringLiteral("Standard input is no picture kind epatool knows by its "
                                       "first bytes: give --input-format."));
}

bool TPictureInput::NeedsFonts() const {
    const QString kind = kind_.isEmpty() ? QFileInfo(name_).suffix().toLower() : kind_;
    return kind == "emf" || kind == "wmf";
}

// A picture without pixels would give a blank logo that looks like success.
std::unique_ptr<TPicture> TPictureInput::Load() const {
    auto picture = std::make_unique<TPicture>();
    if (kind_.isEmpty()) {
        picture->LoadFromFile(name_);
    } else {
        std::unique_ptr<TGraphic> graphic = TPictureFormats::Find(kind_)->make();
        if (bytes_)
            graphic->LoadFromBytes(*bytes_);
        else
            graphic->LoadFromFile(name_);
        picture->SetGraphic(std::move(graphic));
    }
    if (picture->Graphic()->Empty() || picture->Width() <= 0 || picture->Height() <= 0)
        throw Exception(QStringLiteral("\"%1\" holds no picture: there is nothing to draw.")
                            .arg(InputName(name_)));
    return picture;
}
