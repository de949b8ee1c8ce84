// The shipped program, run as a person starts it, with its window looked at from inside.

#include "runtime/Bitmap.h"
#include "tests/TestDir.h"

#include <QIcon>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// Whether `patch` lies in `picture` with its top-left within `reach` pixels up and left of
// `near`, as a window's backdrop lies on the window inside its frame.
bool Contains(const QImage& picture, const QImage& patch, QPoint near, int reach) {
    for (int dy = 0; dy <= reach; ++dy)
        for (int dx = 0; dx <= reach; ++dx)
            if (picture.copy(QRect(near - QPoint(dx, dy), patch.size())) == patch)
                return true;
    return false;
}

QImage Rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

// The artwork is linked into the program itself, not only into the tests' copy of the window.
TEST(Program, ShowsTheBackdropAndTheIconItWasBuiltWith) {
    const TestDir dir;
    QProcess varnel;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("LD_PRELOAD", WINDOW_PROBE);
    environment.insert("VARNEL_PROBE", dir.Path("."));
    // Under AddressSanitizer the probe is loaded ahead of the sanitizer's runtime.
    environment.insert("ASAN_OPTIONS",
                       environment.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
    varnel.setProcessEnvironment(environment);
    varnel.setWorkingDirectory(dir.Path("."));
    varnel.start(QStringLiteral(VARNEL_EXECUTABLE), {});
    ASSERT_TRUE(varnel.waitForFinished(60000)) << "the program did not end";
    EXPECT_EQ(varnel.exitCode(), 0) << varnel.readAllStandardError().toStdString();

    const QImage window = Rgb(QImage(dir.Path("window.png")));
    ASSERT_EQ(window.size(), QSize(545, 328));
    TBitmap backdrop;
    backdrop.LoadFromFile(QStringLiteral(VARNEL_SOURCE_DIR "/resources/background.bmp"));
    const QPoint open(150, 250); // no control lies there
    EXPECT_TRUE(Contains(Rgb(backdrop.Image()), window.copy(QRect(open, QSize(24, 24))), open, 8));

    const QImage icon = Rgb(QImage(dir.Path("icon.png")));
    ASSERT_FALSE(icon.isNull()) << "the window has no icon";
    EXPECT_EQ(
        icon,
        Rgb(QIcon(QStringLiteral(VARNEL_SOURCE_DIR "/resources/varnel.ico")).pixmap(32).toImage()));
}

// Help and version are answered without a window: no display is looked for.
TEST(Program, AnswersHelpAndVersionWithoutADisplay) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("DISPLAY", ":4711");
    for (const QStringList& args : {QStringList{"--help"}, {"-h"}, {"--version"}}) {
        QProcess varnel;
        varnel.setProcessEnvironment(environment);
        varnel.start(QStringLiteral(VARNEL_EXECUTABLE), args);
        ASSERT_TRUE(varnel.waitForFinished(60000));
        EXPECT_EQ(varnel.exitCode(), 0) << args.join(' ').toStdString();
        const QString out = QString::fromLocal8Bit(varnel.readAllStandardOutput());
        EXPECT_TRUE(out.startsWith(args[0] == "--version" ? "varnel 1." : "usage: varnel [FILE]"))
            << out.toStdString();
    }
}
