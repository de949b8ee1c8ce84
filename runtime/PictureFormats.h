#ifndef VARNEL_RUNTIME_PICTUREFORMATS_H
#define VARNEL_RUNTIME_PICTUREFORMATS_H

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class TGraphic;

// The one registry of picture kinds: which kind of picture a file extension makes, and how the
// kinds are offered (the open dialog's filters, the command-line tool's list), in its order.
// Bitmaps (BMP, and JPEG and PNG read as bitmaps) are known from the start; other kinds (GIF,
// icons, metafiles) register themselves.
class TPictureFormats {
public:
    using Factory = std::function<std::unique_ptr<TGraphic>()>;
    struct Entry {
        QString extension; // lower case, without the dot
        QString description;
        Factory make;
    };

    // Listed last, or just before the kind `before` when that is registered.
    static void Register(const QString& extension, const QString& description, Factory make,
                         const QString& before = {});
    static void Unregister(const QString& extension);
    // nullptr when no kind is registered for the extension (compared case-insensitively).
    static const Entry* Find(const QString& extension);
    static const QList<Entry>& Entries() { return Table(); }

private:
    static QList<Entry>& Table();
};

#endif
