#include "runtime/PictureFormats.h"

#include "runtime/Bitmap.h"
#include "runtime/DecodedBitmap.h"

#include <algorithm>

namespace {

TPictureFormats::Factory Decoded(const char* format, const QString& kind) {
    return [=] { return std::make_unique<TDecodedBitmap>(format, kind); };
}

} // namespace

QList<TPictureFormats::Entry>& TPictureFormats::Table() {
    static QList<Entry> table = {
        {QStringLiteral("jpg"), QStringLiteral("JPEG Image File"),
         Decoded("jpeg", QStringLiteral("JPEG"))},
        {QStringLiteral("jpeg"), QStringLiteral("JPEG Image File"),
         Decoded("jpeg", QStringLiteral("JPEG"))},
        {QStringLiteral("png"), QStringLiteral("PNG Image File"),
         Decoded("png", QStringLiteral("PNG"))},
        {QStringLiteral("bmp"), QStringLiteral("Bitmaps"),
         [] { return std::make_unique<TBitmap>(); }},
    };
    return table;
}

void TPictureFormats::Register(const QString& extension, const QString& description, Factory make,
                               const QString& before) {
    Unregister(extension);
    QList<Entry>& table = Table();
    const auto next = std::find_if(table.begin(), table.end(),
                                   [&](const Entry& e) { return e.extension == before.toLower(); });
    table.insert(next, {extension.toLower(), description, std::move(make)});
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
