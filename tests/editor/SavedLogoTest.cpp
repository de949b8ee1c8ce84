// The logo saved is always the one the window shows, replayed as a user meets the cases: other
// folders' working files, New, Exit after several folders, names typed in the save box.
#include "logo/EpaLogo.h"
#include "logo/LogoGeometry.h"
#include "logo/WorkingFiles.h"
#include "runtime/Bitmap.h"
#include "runtime/Image.h"
#include "tests/editor/WindowFixture.h"

#include <QApplication>

namespace {

class SavedLogo : public WindowFixture {
protected:
    void Stroke(QPoint from, QPoint to) {
        mouse::Press(*form.Image1, from, Qt::LeftButton);
        mouse::Move(*form.Image1, to);
        mouse::Release(*form.Image1, to, Qt::LeftButton);
    }
    void Convert() { Run(form.sohoTextButton4, {}); }
    void Open(TsohoTextButton* button, const QString& file) { Run(button, {{mrOk, file}}); }
    void Undo() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier); }
    // Lit pixels of the saved logo that the preview does not show lit, and the other way round.
    int DifferencesFromPreview(const QString& file) {
        const TEpaLogo saved = TEpaLogo::Read(file);
        const TCanvas& preview = form.Image2->Picture().Bitmap().Canvas();
        int differing = 0;
        for (int y = 0; y < LogoGeometry::Height; ++y)
            for (int x = 0; x < LogoGeometry::Width; ++x) {
                // The save writes its mark over the bottom-right cell.
                if (x >= LogoGeometry::Width - LogoGeometry::CellWidth &&
                    y >= LogoGeometry::Height - LogoGeometry::CellHeight)
                    continue;
                const bool shown =
                    preview.Pixel(LogoGeometry::PreviewX(x), LogoGeometry::PreviewY(y)) != clBlack;
                differing += saved.Lit(x, y) != shown;
            }
        return differing;
    }
    TestDir other;
};

// A picture of another folder whose "bin1.dat" an older session left: after an undo of the
// conversion there, the save writes what the preview shows.
TEST_F(SavedLogo, AnotherFoldersOlderRowsNeverReachTheSave) {
    Stroke({5, 5}, {100, 100});
    Convert();
    {
        TBitmap old(LogoGeometry::Width, LogoGeometry::Height, TPixelFormat::pf1bit);
        old.Canvas().SetPixel(130, 3, clWhite);
        old.SaveToFile(other.Path("old.bmp"));
    }
    Open(form.sohoTextButton2, other.Path("old.bmp"));
    Convert();
    Undo(); // the conversion
    Undo(); // the load
    Run(form.sohoTextButton6, {{mrOk, "mine"}, {mrOk, {}}});
    ASSERT_TRUE(Errors().isEmpty()) << Errors().join(' ').toStdString();
    EXPECT_EQ(DifferencesFromPreview(other.Path("mine.epa")), 0);
    EXPECT_TRUE(TEpaLogo::Read(other.Path("mine.epa")).Lit(50, 50));
}

TEST_F(SavedLogo, AfterNewThereIsNoLogoToSaveUntilTheNextConversion) {
    Stroke({5, 5}, {100, 100});
    Convert();
    ASSERT_TRUE(form.sohoTextButton6->Enabled());
    Run(form.sohoTextButton1, {{mrYes, {}}});
    EXPECT_FALSE(form.sohoTextButton6->Enabled());
    Undo();
    EXPECT_TRUE(form.sohoTextButton6->Enabled());
    Run(form.sohoTextButton6, {{mrOk, "back"}, {mrOk, {}}});
    EXPECT_EQ(DifferencesFromPreview(dir.Path("back.epa")), 0);
}

TEST_F(SavedLogo, ExitRemovesTheWorkingFilesInEveryFolderOfTheRun) {
    Stroke({5, 5}, {100, 100});
    Convert();
    Run(form.sohoTextButton6, {{mrOk, "a"}, {mrOk, {}}});
    TestDir third;
    for (const TestDir* folder : {&other, &third}) {
        TBitmap(8, 8, TPixelFormat::pf1bit).SaveToFile(folder->Path("p.bmp"));
        Open(form.sohoTextButton2, folder->Path("p.bmp"));
        Convert();
        Run(form.sohoTextButton6, {{mrOk, "b"}, {mrOk, {}}});
    }
    Run(form.sohoTextButton9, {});
    for (const TestDir* folder : {&dir, &other, &third}) {
        EXPECT_FALSE(folder->Exists(WorkingFiles::ByteRows));
        EXPECT_FALSE(folder->Exists(WorkingFiles::ByteList));
    }
}

TEST_F(SavedLogo, AConversionThatCannotWriteLeavesTheWindowAsItWas) {
    Stroke({5, 5}, {100, 100});
    ASSERT_TRUE(dir.Dir().mkdir(WorkingFiles::ByteRows));
    const QImage preview = form.Image2->Picture().Bitmap().Image();
    Convert();
    EXPECT_FALSE(Errors().isEmpty());
    EXPECT_EQ(form.Image2->Picture().Bitmap().Image(), preview);
    EXPECT_FALSE(form.sohoTextButton6->Enabled());
}

// ".." would make "...epa", a hidden file; "logo.epa" is meant as it stands.
TEST_F(SavedLogo, TypedNamesAreNeitherHiddenNorGivenASecondExtension) {
    Stroke({5, 5}, {100, 100});
    Convert();
    Run(form.sohoTextButton6, {{mrOk, ".."}, {mrOk, {}}});
    EXPECT_EQ(Errors().size(), 1);
    EXPECT_FALSE(dir.Exists("...epa"));
    Run(form.sohoTextButton6, {{mrOk, ".logo"}, {mrOk, {}}});
    EXPECT_EQ(Errors().size(), 1);
    Run(form.sohoTextButton6, {{mrOk, "logo.EPA"}, {mrOk, {}}});
    EXPECT_TRUE(Errors().isEmpty()) << Errors().join(' ').toStdString();
    EXPECT_TRUE(dir.Exists("logo.EPA"));
    EXPECT_FALSE(dir.Exists("logo.EPA.epa"));
}

} // namespace
