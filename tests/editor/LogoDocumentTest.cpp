#include "editor/LogoDocument.h"
#include "logo/EpaLogo.h"
#include "logo/LogoGeometry.h"
#include "logo/WorkingFiles.h"
#include "runtime/Bitmap.h"
#include "tests/TestDir.h"
#include "tests/editor/WindowFixture.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// A black-and-white 136 × 126 bitmap with a filled rectangle lit.
QByteArray PictureWithBlock(const QRect& block) {
    TBitmap bitmap(LogoGeometry::Width, LogoGeometry::Height, TPixelFormat::pf1bit);
    for (int y = block.top(); y <= block.bottom(); ++y)
        for (int x = block.left(); x <= block.right(); ++x)
            bitmap.Canvas().SetPixel(x, y, clWhite);
    const TestDir scratch;
    bitmap.SaveToFile(scratch.Path("p.bmp"));
    return scratch.Read("p.bmp");
}

bool SamePixels(const TGraphic& a, const TGraphic& b) {
    const auto& x = dynamic_cast<const TBitmap&>(a);
    const auto& y = dynamic_cast<const TBitmap&>(b);
    if (x.Width() != y.Width() || x.Height() != y.Height())
        return false;
    for (int j = 0; j < x.Height(); ++j)
        for (int i = 0; i < x.Width(); ++i)
            if (x.Canvas().Pixel(i, j) != y.Canvas().Pixel(i, j))
                return false;
    return true;
}

// Whether the logo file holds exactly the cells the document shows: the glyphs of its drawing
// and the attributes of its table.
void ExpectLogoIsTheDocuments(const QString& file, const TLogoDocument& document) {
    const TEpaLogo saved = TEpaLogo::Read(file);
    const TEpaLogo shown =
        TEpaLogo::Compose(document.Colors(), document.Content().byteRows.value_or(QByteArray()));
    ASSERT_EQ(saved.Columns(), shown.Columns());
    int differing = 0;
    for (int y = 0; y < LogoGeometry::Height; ++y)
        for (int x = 0; x < LogoGeometry::Width; ++x)
            differing += saved.Lit(x, y) != shown.Lit(x, y);
    EXPECT_EQ(differing, 0);
    for (int r = 0; r < LogoGeometry::Rows; ++r)
        for (int c = 0; c < LogoGeometry::Columns; ++c)
            EXPECT_EQ(saved.Attribute(c, r), shown.Attribute(c, r)) << c << "," << r;
}

class LogoDocument : public ::testing::Test {
protected:
    LogoDocument() { first.Write("block.bmp", PictureWithBlock(QRect(0, 0, 40, 30))); }

    TestDir first;
    TestDir second;
    TLogoDocument document;
};

} // namespace

// Every field of the document comes back with an undo: the content is compared whole, so a
// field added to it later is checked too.
TEST_F(LogoDocument, ASnapshotGivesBackEveryFieldAndBothPictures) {
    const TEditState start = document.Snapshot(stDrawing | stPreview | stNames, nullptr);
    document.LoadPicture(first.Path("block.bmp"));
    document.BeginStroke(100, 100, clWhite);
    document.ContinueStroke(120, 110);
    document.EndStroke();
    document.Convert({});
    document.ColourCell(3, 4, 12, clRed);
    const TEditState later = document.Snapshot(stDrawing | stPreview | stNames, &start);
    ASSERT_FALSE(later.content == start.content);
    ASSERT_TRUE(document.CanSaveLogo());

    document.Restore(start, later);
    EXPECT_TRUE(document.Content() == start.content);
    EXPECT_TRUE(SamePixels(*document.Drawing().Graphic(), *start.drawing));
    EXPECT_TRUE(SamePixels(*document.Preview().Graphic(), *start.preview));
    EXPECT_FALSE(document.CanSaveLogo());

    document.Restore(later, start);
    EXPECT_TRUE(document.Content() == later.content);
    EXPECT_TRUE(SamePixels(*document.Drawing().Graphic(), *later.drawing));
    EXPECT_TRUE(SamePixels(*document.Preview().Graphic(), *later.preview));
}

// The working folder is the document's: the process's current folder never moves.
TEST_F(LogoDocument, WorksInTheFolderOfTheLastFileOpenedAndLeavesTheProcesssAlone) {
    const QString current = QDir::currentPath();
    document.LoadPicture(first.Path("block.bmp"));
    EXPECT_EQ(document.Folder(), first.Dir().absolutePath());
    document.Convert({});
    EXPECT_TRUE(first.Exists(WorkingFiles::ByteRows));
    EXPECT_EQ(QDir::currentPath(), current);
    document.SaveLogo("one.epa", {});
    EXPECT_TRUE(first.Exists("one.epa"));
}

TEST_F(LogoDocument, AConversionThatCannotWriteItsRowsChangesNothing) {
    document.LoadPicture(first.Path("block.bmp"));
    ASSERT_TRUE(QDir(first.Path(".")).mkdir(WorkingFiles::ByteRows));
    const TLogoContent before = document.Content();
    const std::shared_ptr<const TGraphic> preview = document.Preview().Graphic()->Clone();
    EXPECT_THROW(document.Convert({}), Exception);
    EXPECT_TRUE(document.Content() == before);
    EXPECT_TRUE(SamePixels(*document.Preview().Graphic(), *preview));
    EXPECT_FALSE(document.CanSaveLogo());
}

// Converted in one folder, then a picture from another whose old "bin1.dat" holds another logo:
// the save still writes the logo on screen, from the rows of the folder they were written to.
TEST_F(LogoDocument, TheSaveWritesTheRowsOnScreenWhateverAnotherFoldersFilesHold) {
    second.Write("block.bmp", PictureWithBlock(QRect(60, 40, 70, 80)));
    document.LoadPicture(second.Path("block.bmp"));
    document.Convert({});
    const QByteArray older = second.Read(WorkingFiles::ByteRows);

    document.LoadPicture(first.Path("block.bmp"));
    document.Convert({});
    const TEditState converted = document.Snapshot(stDrawing | stPreview, nullptr);
    document.LoadPicture(second.Path("block.bmp"));
    // The rows of this folder's file changed behind the window's back.
    second.Write(WorkingFiles::ByteRows, older);
    first.Write(WorkingFiles::ByteRows, older);
    document.SaveLogo("shown.epa", {});
    ExpectLogoIsTheDocuments(second.Path("shown.epa"), document);
    EXPECT_EQ(document.Content().byteRows, converted.content.byteRows);
}

TEST_F(LogoDocument, ExitRemovesTheWorkingFilesOfEveryFolderWrittenTo) {
    document.LoadPicture(first.Path("block.bmp"));
    document.Convert({});
    second.Write("block.bmp", PictureWithBlock(QRect(1, 1, 5, 5)));
    document.LoadPicture(second.Path("block.bmp"));
    document.Convert({});
    document.SaveLogo("x.epa", {});
    document.RemoveWorkingFiles();
    for (TestDir* dir : {&first, &second}) {
        EXPECT_FALSE(dir->Exists(WorkingFiles::ByteRows));
        EXPECT_FALSE(dir->Exists(WorkingFiles::ByteList));
    }
    EXPECT_TRUE(second.Exists("x.epa"));
}
