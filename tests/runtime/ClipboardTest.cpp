#include "runtime/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

TEST(Clipboard, CarriesAPictureAndNamedDataUntilReplaced) {
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    TClipboard::Put(picture, QStringLiteral("GIF Image"), "GIF89a...");
    EXPECT_EQ(TClipboard::Picture().convertToFormat(QImage::Format_RGB32), picture);
    EXPECT_EQ(TClipboard::Data(QStringLiteral("GIF Image")), QByteArray("GIF89a..."));
    EXPECT_FALSE(TClipboard::Data(QStringLiteral("Other")).has_value());
    // Other programs find the data under the name the desktop registered for it.
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(
        QStringLiteral("application/x-qt-windows-mime;value=\"GIF Image\"")));

    TClipboard::Put(picture);
    EXPECT_FALSE(TClipboard::Data(QStringLiteral("GIF Image")).has_value())
        << "a new content replaces the whole old one";

    QGuiApplication::clipboard()->setText(QStringLiteral("words"));
    EXPECT_TRUE(TClipboard::Picture().isNull());
}
