#include "runtime/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// Qt carries a format registered by name on the desktop under this MIME type, so that the data
// reaches other programs under the name they look for.
QString MimeType(const QString& format) {
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(format);
}

} // namespace

QImage TClipboard::Picture() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime || !mime->hasImage())
        return {};
    return qvariant_cast<QImage>(mime->imageData());
}

std::optional<QByteArray> TClipboard::Data(const QString& format) {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime || !mime->hasFormat(MimeType(format)))
        return std::nullopt;
    return mime->data(MimeType(format));
}

void TClipboard::Put(const QImage& picture, const QString& format, const QByteArray& data) {
    auto mime = std::make_unique<QMimeData>();
    mime->setImageData(picture);
    if (!format.isEmpty())
        mime->setData(MimeType(format), data);
    // The clipboard takes the data over.
    QGuiApplication::clipboard()->setMimeData(mime.release());
}
