#include "controls/ShadowLabel.h"
#include "editor/ImportDialog.h"
#include "logo/EpaLogo.h"
#include "logo/Import.h"
#include "logo/WorkingFiles.h"
#include "runtime/Bitmap.h"
#include "runtime/Image.h"
#include "tests/editor/WindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <algorithm>
#include <functional>

namespace {

// Ctrl+I with the open dialog answered by `file` and the import dialog by `choose`, then by
// `result`.
class ImportCommand : public WindowFixture {
protected:
    ImportCommand() {
        watch = [this](const TPrompt& prompt) {
            if (prompt.kind == TPromptKind::pkChoices && choose)
                choose(*dynamic_cast<TImportDialog*>(prompt.dialog));
        };
    }
    void Import(const QString& file, TModalResult result = mrOk) {
        Type(Qt::Key_I, Qt::ControlModifier, {{mrOk, file}, {result, {}}});
    }
    // A flat-colour logo: a red disc and a yellow box on a blue ground, wider than the logo.
    QString ColourPicture() {
        QImage image(272, 180, QImage::Format_RGB32);
        image.fill(QColor(0, 0, 170));
        QPainter painter(&image);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(220, 0, 0));
        painter.drawEllipse(30, 30, 110, 110);
        painter.setBrush(QColor(255, 255, 0));
        painter.drawRect(170, 50, 80, 80);
        painter.end();
        const QString file = pictures.Path("flat.png");
        EXPECT_TRUE(image.save(file));
        return file;
    }
    QImage DrawingNow() const { return form.Image1->Picture().Bitmap().Image(); }
    QImage PreviewNow() const { return form.Image2->Picture().Bitmap().Image(); }

    TestDir pictures;
    std::function<void(TImportDialog&)> choose;
};

} // namespace

TEST_F(ImportCommand, ColoursFromThePictureLeaveWhatTheConversionOfTheirResultLeaves) {
    const QString file = ColourPicture();
    QImage unColoured;
    QImage shown;
    choose = [&](TImportDialog& dialog) {
        auto* colours = dialog.findChild<QComboBox*>("colours");
        colours->setCurrentIndex(0);
        unColoured = dialog.Shown();
        colours->setCurrentIndex(2);
        shown = dialog.Shown();
    };
    Import(file);
    ASSERT_TRUE(Errors().isEmpty()) << Errors().join(' ').toStdString();
    EXPECT_EQ(Kinds(), (QList{TPromptKind::pkOpenPicture, TPromptKind::pkChoices}));
    EXPECT_EQ(asked[0].filters.size(), 9) << "every picture kind, as Load BMP offers them";
    EXPECT_NE(shown, unColoured) << "the preview follows the choices";

    TPicture picture;
    picture.LoadFromFile(file);
    TImportOptions options;
    options.fit = true;
    options.autoColour = TAutoColour::ForegroundAndBackground;
    TColorTable colors;
    const TBitmap drawing = ImportPicture(*picture.Graphic(), options, colors);
    EXPECT_EQ(form.ColorTable(), colors);
    EXPECT_TRUE(std::ranges::any_of(colors.Entries(), [](int attribute) { return attribute >> 4; }))
        << "the edges of the disc and the box lie on a blue background";
    EXPECT_EQ(DrawingNow(), drawing.Image());

    TLogoDocument converted;
    converted.Drawing().SetGraphic(&drawing);
    for (int c = 0; c < LogoGeometry::Columns; ++c)
        for (int r = 0; r < LogoGeometry::Rows; ++r)
            converted.ColourCell(c, r, colors.At(c, r), clWhite);
    converted.Convert({});
    const TLogoContent& content = form.Document().Content();
    EXPECT_EQ(PreviewNow(), converted.Preview().Bitmap().Image());
    EXPECT_EQ(content.lit, converted.Content().lit);
    EXPECT_EQ(content.byteRows, converted.Content().byteRows);
    EXPECT_EQ(pictures.Read(WorkingFiles::ByteRows), dir.Read(WorkingFiles::ByteRows));
    EXPECT_EQ(shown, TEpaLogo::Compose(colors, *content.byteRows)
                         .Render()
                         .Image()
                         .convertToFormat(QImage::Format_RGB32))
        << "the dialog showed the logo the save writes";
    EXPECT_EQ(form.ShadowLabel7->Caption(), "flat.png");
    EXPECT_EQ(QDir(form.Document().Folder()), pictures.Dir());
    EXPECT_TRUE(form.sohoTextButton6->Enabled());
}

TEST_F(ImportCommand, OneUndoTakesTheWholeImportBack) {
    mouse::Click(*form.Image1, QPoint(20, 20));
    Run(form.sohoTextButton4, {});
    const TLogoContent before = form.Document().Content();
    const QImage drawingBefore = DrawingNow();
    const QImage previewBefore = PreviewNow();
    const int steps = form.History().UndoSteps();

    Import(ColourPicture());
    ASSERT_EQ(form.History().UndoSteps(), steps + 1) << "one step";
    ASSERT_NE(form.Document().Content(), before);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.Document().Content(), before);
    EXPECT_EQ(DrawingNow(), drawingBefore);
    EXPECT_EQ(PreviewNow(), previewBefore);
    EXPECT_EQ(form.ShadowLabel7->Caption(), before.pictureName);
}

TEST_F(ImportCommand, CancelAndABadFileChangeNothing) {
    const TLogoContent before = form.Document().Content();
    const QImage drawingBefore = DrawingNow();
    const int steps = form.History().UndoSteps();
    Import(ColourPicture(), mrCancel);
    EXPECT_EQ(Kinds(), (QList{TPromptKind::pkOpenPicture, TPromptKind::pkChoices}));

    pictures.Write("bad.png", QByteArray("\x89PNG\r\n\x1a\n", 8) + " not a picture");
    Import(pictures.Path("bad.png"));
    EXPECT_EQ(Kinds(), (QList{TPromptKind::pkOpenPicture, TPromptKind::pkError}));
    const QStringList importErrors = Errors();
    EXPECT_EQ(form.Document().Content(), before);
    EXPECT_EQ(DrawingNow(), drawingBefore);
    EXPECT_EQ(form.History().UndoSteps(), steps);
    EXPECT_FALSE(pictures.Exists(WorkingFiles::ByteRows));
    EXPECT_EQ(form.Document().Folder(), QDir::currentPath());

    Run(form.sohoTextButton2, {{mrOk, pictures.Path("bad.png")}});
    EXPECT_EQ(importErrors, Errors()) << "the error Load BMP gives";
}
