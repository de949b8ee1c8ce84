// Pictures loaded the way the window loads them: into its drawing picture through the picture
// registry, then shown and converted. Whatever a file holds, the load ends in a picture the
// window can draw, or in a message in the error box with the window as it was.

#include "editor/Main.h"
#include "gif/GIFImage.h"
#include "logo/Conversion.h"
#include "logo/Templates.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"
#include "runtime/Image.h"
#include "runtime/ModalPrompts.h"
#include "tests/MemoryLimit.h"
#include "tests/TestDir.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PictureLoading : public ::testing::Test {
protected:
    PictureLoading() {
        RegisterGIFImage();
        TModalPrompts::SetResponder([this](const TPrompt& prompt) {
            if (prompt.kind == TPromptKind::pkError)
                errors.append(prompt.texts.value(0));
            return TPromptAnswer{mrOk, {}};
        });
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    ~PictureLoading() override {
        TModalPrompts::SetResponder({});
        UnregisterGIFImage();
    }

    // Loads as a command of the window does: a failure ends at the event loop, which queues the
    // error box for after the command.
    void LoadAsACommand(const QString& fileName) {
        QMetaObject::invokeMethod(
            &form, [this, fileName] { form.Image1->Picture().LoadFromFile(fileName); },
            Qt::QueuedConnection);
        QCoreApplication::processEvents();
        // A failed load queues its error box behind itself.
        QCoreApplication::processEvents();
    }

    // Shows the loaded picture in its control and converts it as "BMP > EPA" would.
    void ShowAndConvert() {
        form.Image1->grab();
        TGraphic* picture = form.Image1->Picture().Graphic();
        TBitmap drawing(136, 126, TPixelFormat::pf24bit);
        drawing.Canvas().Draw(0, 0, *picture);
        TBitmap preview = Templates::BlankPreview();
        ConvertDrawing(drawing, preview, dir.Dir(), {});
    }

    TestDir dir;
    TMainForm form;
    QStringList errors;
};

// A GIF of one 8192 × 8192 frame of 8-bit pixels that are all index 0: 64 MB when decoded.
QByteArray LargestGIF() {
    QByteArray gif("GIF89a\x00\x20\x00\x20\x87\x00\x00", 13);
    gif.append(QByteArray(3 * 256, '\0'));
    gif.append(",\0\0\0\0\x00\x20\x00\x20\0", 10);
    gif.append("\x08\x03\x00\x03\x02\x00;", 7);
    return gif;
}

} // namespace

TEST_F(PictureLoading, EveryFileTheFuzzersKeptLoadsOrIsRefused) {
    int files = 0;
    for (const QString kind : {"bmp", "gif"}) {
        QDirIterator corpus(QStringLiteral(VARNEL_SOURCE_DIR "/fuzz/corpus/") + kind, QDir::Files);
        while (corpus.hasNext()) {
            const QString name = QStringLiteral("%1.%2").arg(++files).arg(kind);
            QFile::copy(corpus.next(), dir.Path(name));
            try {
                form.Image1->Picture().LoadFromFile(dir.Path(name));
            } catch (const Exception& failure) {
                EXPECT_FALSE(failure.Message().isEmpty()) << corpus.filePath().toStdString();
                continue;
            }
            ShowAndConvert();
        }
    }
    EXPECT_GE(files, 20);
}

TEST_F(PictureLoading, NoMemoryForAPictureShowsTheErrorAndKeepsTheDrawing) {
    if (!memory_limit::Enforceable())
        GTEST_SKIP()
            << "no address-space limit under sanitizers or on a heap with large free blocks";
    dir.Write("big.gif", LargestGIF());
    form.Image1->Canvas().SetPixel(5, 5, clWhite);
    {
        memory_limit::Scope limit(32 * memory_limit::MB);
        LoadAsACommand(dir.Path("big.gif"));
    }
    EXPECT_EQ(errors, QStringList{"Not enough memory to load " + dir.Path("big.gif")});
    ASSERT_TRUE(form.Image1->Picture().HoldsBitmap());
    EXPECT_EQ(form.Image1->Picture().Bitmap().Canvas().Pixel(5, 5), clWhite);

    // With the memory it needs, the same file loads.
    LoadAsACommand(dir.Path("big.gif"));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(form.Image1->Picture().Width(), 8192);
}
