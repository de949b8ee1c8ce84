#ifndef VARNEL_RUNTIME_CLIPBOARD_H
#define VARNEL_RUNTIME_CLIPBOARD_H

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

// The desktop's clipboard as pictures use it: one picture, and data under named formats (such as
// "GIF Image") that other programs know by the same name.
class TClipboard {
public:
    // The picture on the clipboard; a null image when there is none.
    static QImage Picture();
    // What the clipboard holds under `format`, or nothing.
    static std::optional<QByteArray> Data(const QString& format);
    // Replaces the clipboard's content with `picture` and, when `format` is not empty, `data`
    // under that format.
    static void Put(const QImage& picture, const QString& format = {}, const QByteArray& data = {});
};

#endif
