#ifndef VARNEL_TESTS_FORMATS_LOGOFIXTURE_H
#define VARNEL_TESTS_FORMATS_LOGOFIXTURE_H

#include "logo/ColorTable.h"
#include "logo/Conversion.h"
#include "logo/EpaSave.h"
#include "logo/Templates.h"
#include "runtime/Bitmap.h"
#include "tests/TestDir.h"

#include <gtest/gtest.h>

// A drawing, a preview and a colour table as the editor has them at start-up, with a private
// folder for the working files.
class LogoFixture : public ::testing::Test {
protected:
    LogoFixture() : drawing(Templates::BlankDrawing()), preview(Templates::BlankPreview()) {
        colors.Fill(15);
    }

    void Light(int x, int y) { drawing.Canvas().SetPixel(x, y, clWhite); }
    void Convert() {
        ConvertDrawing(drawing, preview, dir.Dir(), [this] { ++steps; });
    }
    void Save(const QString& name = QStringLiteral("logo.epa")) {
        SaveEpa(colors, dir.Dir(), name, [this] { ++steps; });
    }
    QByteArray Logo(const QString& name = QStringLiteral("logo.epa")) const {
        return dir.Read(name);
    }
    QList<QByteArray> Lines(const QString& name) const {
        QList<QByteArray> lines = dir.Read(name).split('\n');
        EXPECT_EQ(lines.takeLast(), QByteArray()) << "the last line ends with CR LF too";
        for (QByteArray& line : lines) {
            EXPECT_TRUE(line.endsWith('\r'));
            line.chop(1);
        }
        return lines;
    }
    static unsigned char Byte(const QByteArray& bytes, int offset) {
        return static_cast<unsigned char>(bytes.at(offset));
    }

    TestDir dir;
    TBitmap drawing;
    TBitmap preview;
    TColorTable colors;
    int steps = 0;
};

#endif
