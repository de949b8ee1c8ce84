#include "runtime/PictureFormats.h"

#include "runtime/Bitmap.h"
#include "runtime/DecodedBitmap.h"

namespace {

TPictureFormats::Factory Decoded(const char* format, const QString& kind) {
    return [=] { return std::make_unique<TDecodedBitmap>(format, kind); };
}

} // namespace

QList<TPictureFormats::Entry>& TPictureFormats::Table() {
    static QList<Entry> table = {
        {QStringLiteral("bmp"), QStringLiteral("Bitmaps"),
         [] { return std::make_unique<TBitmap>(); }},
        {QStringLiteral("jpg"), QStringLiteral("JPEG Image File"),
         Decoded("jpeg", QStringLiteral("JPEG"))},
        {QStringLiteral("jpeg"), QStringLiteral("JPEG Image File"),
         Decoded("jpeg", QStringLiteral("JPEG"))},
        {QStringLiteral("png"), QStringLiteral("PNG Image File"),
         Decoded("png", QStringLiteral("PNG"))},
    };
    return table;
}

void TPictureFormats::Register(const QString& extension, const QString& description, Factory make) {
    Unregister(extension);
    Table().append({extension.toLower(), description, std::move(make)});
}

void TPictureFormats::Unregister(const QString& extension) {
    Table().removeIf([&](const Entry& e) { return e.extension == extension.toLower(); });
}

const TPictureFormats::Entry* TPictureFormats::Find(const QString& extension) {
    for (const Entry& e : Table())
        if (e.extension == extension.toLower())
            return &e;
    return nullptr;
}
