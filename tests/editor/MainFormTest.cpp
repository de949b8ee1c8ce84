#include "controls/ColorGrid.h"
#include "controls/ProBorder.h"
#include "controls/ShadowLabel.h"
#include "controls/TextButton.h"
#include "controls/sohoPanel.h"
#include "editor/Main.h"
#include "gif/GIFImage.h"
#include "logo/WorkingFiles.h"
#include "runtime/Bitmap.h"
#include "runtime/Image.h"
#include "runtime/ModalPrompts.h"
#include "runtime/ProgressBar.h"
#include "tests/Mouse.h"
#include "tests/Screenshots.h"
#include "tests/TestDir.h"

#include <QComboBox>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The editor window shown offscreen, working in a private current directory; modal prompts
// are answered by the test and recorded.
class MainForm : public ::testing::Test {
protected:
    MainForm() : previous_(QDir::currentPath()) {
        QDir::setCurrent(dir.Path("."));
        TModalPrompts::SetResponder([this](const TPrompt& prompt) {
            asked.append(prompt);
            if (prompt.kind == TPromptKind::pkInputBox)
                return TPromptAnswer{mrOk, typedName};
            return TPromptAnswer{mrOk, {}};
        });
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    ~MainForm() override {
        TModalPrompts::SetResponder({});
        QDir::setCurrent(previous_);
    }

    TCanvas& Drawing() { return form.Image1->Canvas(); }
    TCanvas& Preview() { return form.Image2->Canvas(); }
    QStringList Readouts() const {
        return {form.ShadowLabel2->Caption(), form.ShadowLabel5->Caption(),
                form.ShadowLabel3->Caption(), form.ShadowLabel6->Caption()};
    }
    void Stroke(QPoint from, QPoint to, Qt::MouseButton button) {
        mouse::Press(*form.Image1, from, button);
        mouse::Move(*form.Image1, to);
        mouse::Release(*form.Image1, to, button);
    }
    // Picks grid index `index` with a left click on its cell (4 × 4 cells of 25 pixels).
    void PickColour(int index) {
        mouse::Click(*form.ColorGrid1, QPoint(index % 4 * 25 + 12, index / 4 * 25 + 12));
    }
    void Convert() { mouse::Click(*form.sohoTextButton4, QPoint(30, 12)); }
    void Save() { mouse::Click(*form.sohoTextButton6, QPoint(40, 12)); }
    QList<TPromptKind> Kinds() const {
        QList<TPromptKind> kinds;
        for (const TPrompt& p : asked)
            kinds.append(p.kind);
        return kinds;
    }

    TestDir dir;
    TMainForm form;
    QString typedName = QStringLiteral("logo");
    QList<TPrompt> asked;

private:
    QString previous_;
};

QRect InPanel(const QWidget& widget) {
    const QPoint origin = widget.parentWidget()->contentsRect().topLeft();
    return widget.geometry().translated(-origin);
}

} // namespace

TEST_F(MainForm, StartsWithItsLayoutAndState) {
    EXPECT_EQ(form.windowTitle(), "   Varnel PROGRAMI   ver.1.00.99");
    EXPECT_EQ(form.size(), QSize(545, 328));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "not resizable";
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(InPanel(*form.Image1), QRect(16, 15, 137, 127));
    EXPECT_EQ(InPanel(*form.Image2), QRect(260, 16, 153, 135));
    EXPECT_EQ(InPanel(*form.ProBorder1), QRect(11, 10, 149, 139));
    EXPECT_EQ(InPanel(*form.ProBorder2), QRect(253, 10, 167, 148));
    EXPECT_EQ(InPanel(*form.sohoTextButton4), QRect(169, 65, 75, 24));
    EXPECT_EQ(InPanel(*form.sohoTextButton9), QRect(433, 210, 96, 24));
    EXPECT_EQ(InPanel(*form.ColorGrid1), QRect(430, 10, 100, 100));
    EXPECT_EQ(InPanel(*form.ComboBox1), QRect(430, 120, 101, 21));
    EXPECT_EQ(InPanel(*form.sg1), QRect(255, 160, 161, 16));
    EXPECT_EQ(form.ShadowLabel8->Caption(), "Adsız");
    EXPECT_EQ(form.ComboBox1->currentText(), "Tr - Türkçe");
    EXPECT_FALSE(form.sohoTextButton6->Enabled());
    EXPECT_FALSE(form.sg1->isVisible());
    EXPECT_EQ(form.ColorGrid1->ForegroundIndex(), 15);
    for (int entry : form.ColorTable().Entries())
        ASSERT_EQ(entry, 15);
    EXPECT_EQ(form.Image1->Picture().Bitmap().PixelFormat(), TPixelFormat::pf1bit);
    EXPECT_EQ(form.Image2->Picture().Bitmap().PixelFormat(), TPixelFormat::pf4bit);
}

TEST_F(MainForm, StrokesDrawWhiteWithTheLeftButtonAndBlackWithTheOthers) {
    mouse::Click(*form.Image1, QPoint(5, 5));
    EXPECT_EQ(Drawing().Pixel(5, 5), clWhite) << "a click leaves one pixel";
    EXPECT_EQ(Drawing().Pixel(6, 5), clBlack);

    Stroke(QPoint(10, 20), QPoint(30, 20), Qt::LeftButton);
    EXPECT_EQ(Drawing().Pixel(10, 20), clWhite);
    EXPECT_EQ(Drawing().Pixel(29, 20), clWhite);
    EXPECT_FALSE(form.Drawing());

    Stroke(QPoint(15, 20), QPoint(20, 20), Qt::RightButton);
    EXPECT_EQ(Drawing().Pixel(15, 20), clBlack);
    EXPECT_EQ(Drawing().Pixel(19, 20), clBlack);
    EXPECT_EQ(Drawing().Pixel(20, 20), clWhite) << "the last point of a line is not painted";
    Stroke(QPoint(25, 20), QPoint(27, 20), Qt::MiddleButton);
    EXPECT_EQ(Drawing().Pixel(26, 20), clBlack);
}

TEST_F(MainForm, AStrokeReleasedOutsideThePictureEndsThere) {
    mouse::Press(*form.Image1, QPoint(50, 50), Qt::RightButton);
    mouse::Move(*form.Image1, QPoint(200, 50));
    mouse::Release(*form.Image1, QPoint(200, 50), Qt::RightButton);
    EXPECT_FALSE(form.Drawing());
    Drawing().SetPixel(60, 60, clWhite);
    mouse::Move(*form.Image1, QPoint(60, 60));
    mouse::Move(*form.Image1, QPoint(70, 60));
    EXPECT_EQ(Drawing().Pixel(60, 60), clWhite) << "no line after the stroke ended";
}

TEST_F(MainForm, ReadoutsFollowThePointerAndResetOnLeavingAFrame) {
    mouse::Move(*form.Image1, QPoint(15, 27));
    EXPECT_EQ(Readouts(), (QStringList{"X : 15", "x : 1", "Y : 27", "y : 1"}));
    mouse::Move(*form.Image2, QPoint(17, 29));
    EXPECT_EQ(Readouts(), (QStringList{"X : 17", "x : 1", "Y : 29", "y : 1"}));
    mouse::Move(*form.Image2, QPoint(18, 30));
    EXPECT_EQ(Readouts(), (QStringList{"X : 18", "x : 2", "Y : 30", "y : 2"}));

    mouse::Move(*form.ProBorder2, QPoint(2, 2)); // on the frame's ring, off the picture
    EXPECT_EQ(Readouts()[0], "X : 18") << "entering the frame changes nothing";
    mouse::Move(*form.sohoPanel2, QPoint(300, 300));
    EXPECT_EQ(Readouts(), (QStringList{"x : 0", "x : 0", "y : 0", "y : 0"}));

    mouse::Press(*form.Image1, QPoint(2, 40));
    mouse::Move(*form.Image1, QPoint(-3, 40));
    EXPECT_EQ(Readouts(), (QStringList{"X : -3", "x : 0", "Y : 40", "y : 2"}));
    mouse::Release(*form.Image1, QPoint(-3, 40));
}

TEST_F(MainForm, ConvertColourAndSaveWriteTheLogoByteForByte) {
    mouse::Click(*form.Image1, QPoint(0, 0));               // cell (0, 0)
    mouse::Click(*form.Image1, QPoint(8, 14));              // cell (1, 1)
    Stroke(QPoint(16, 28), QPoint(24, 28), Qt::LeftButton); // cell (2, 2), line 0: 8 pixels
    Convert();
    EXPECT_TRUE(form.sohoTextButton6->Enabled());
    EXPECT_FALSE(form.sg1->isVisible());
    EXPECT_EQ(form.sg1->value(), 126);
    EXPECT_EQ(Preview().Pixel(9, 15), clWhite);

    PickColour(1);                            // maroon: text-mode red, 4
    mouse::Click(*form.Image2, QPoint(8, 3)); // the grid line belongs to the cell on its left
    EXPECT_EQ(Preview().Pixel(0, 0), clMaroon);
    EXPECT_EQ(Preview().Pixel(8, 0), clSilver);
    PickColour(12); // blue: text-mode light blue, 9
    mouse::Click(*form.Image2, QPoint(9, 15), Qt::RightButton);
    EXPECT_EQ(Preview().Pixel(9, 15), clBlue);
    EXPECT_EQ(Preview().Pixel(10, 15), clBlack);

    Save();
    EXPECT_EQ(Kinds(), (QList{TPromptKind::pkInputBox, TPromptKind::pkInformation}));
    const TPrompt& input = asked.front();
    EXPECT_EQ(input.caption, "Dosya Adı - Filename - Dateiname");
    EXPECT_EQ(input.texts, QStringList{"Dosya Adı   ( Maximum \" 8.0 \" Character! )"});
    EXPECT_EQ(input.value, "Adsız");
    EXPECT_EQ(asked.back().texts.join(' '),
              "Dosya aktif dizine yaratıldı. (file in current directory!)");
    EXPECT_EQ(form.ShadowLabel8->Caption(), "logo.epa");
    EXPECT_FALSE(form.sg1->isVisible());

    const QByteArray logo = dir.Read("logo.epa");
    ASSERT_EQ(logo.size(), 2367);
    EXPECT_EQ(logo[2], 4);
    EXPECT_EQ(logo[2 + 17 + 1], 9);
    EXPECT_EQ(logo[3], 15);
    EXPECT_EQ(uchar(logo[155]), 0x80);
    EXPECT_EQ(uchar(logo[155 + 14 * 18]), 0x80);
    EXPECT_EQ(uchar(logo[155 + 14 * 36]), 0xFF);
    EXPECT_EQ(logo[154], 10);
    EXPECT_TRUE(dir.Exists(WorkingFiles::ByteRows));
    EXPECT_TRUE(dir.Exists(WorkingFiles::ByteList));
    EXPECT_FALSE(dir.Exists(WorkingFiles::Binary));
}

TEST_F(MainForm, CancelledOrDefaultNamesWriteNothing) {
    Convert();
    for (const QString& answer : {QStringLiteral("Adsız"), QString()}) {
        typedName = answer;
        Save();
    }
    EXPECT_EQ(Kinds(), (QList{TPromptKind::pkInputBox, TPromptKind::pkInputBox}));
    EXPECT_EQ(form.ShadowLabel8->Caption(), "Adsız");
    EXPECT_FALSE(dir.Exists(WorkingFiles::ByteList));
    typedName = "adsız";
    Save();
    EXPECT_TRUE(dir.Exists("adsız.epa")) << "the default in other letters is an ordinary name";
}

TEST_F(MainForm, AFailedSaveShowsTheErrorAndChangesNothingVisible) {
    Convert();
    dir.Write("logo.epa", "older logo");
    Save();
    EXPECT_EQ(Kinds(), (QList{TPromptKind::pkInputBox, TPromptKind::pkError}));
    EXPECT_TRUE(asked.back().texts.join(' ').contains("logo.epa"));
    EXPECT_EQ(dir.Read("logo.epa"), "older logo");
    EXPECT_EQ(form.ShadowLabel8->Caption(), "Adsız");
    EXPECT_FALSE(form.sg1->isVisible());
}

TEST_F(MainForm, AFailedConversionHidesTheProgressAndKeepsSaveDisabled) {
    QDir(dir.Path(".")).mkdir("gone");
    QDir::setCurrent(dir.Path("gone"));
    QDir(dir.Path(".")).rmdir("gone");
    Convert();
    EXPECT_EQ(Kinds(), QList{TPromptKind::pkError});
    EXPECT_FALSE(form.sg1->isVisible());
    EXPECT_FALSE(form.sohoTextButton6->Enabled());
}

TEST_F(MainForm, ColouringStoresTheAttributeEvenWithoutLitPixels) {
    PickColour(4); // navy: text-mode blue, 1
    mouse::Click(*form.Image2, QPoint(152, 134));
    EXPECT_EQ(form.ColorTable().At(16, 8), 1);
    EXPECT_EQ(Preview().Pixel(151, 133), clBlack) << "the template cell has nothing lit";

    // A preview larger than the logo leaves places that belong to no cell.
    form.Image2->Picture().SetGraphic(std::make_unique<TBitmap>(200, 150, TPixelFormat::pf4bit));
    mouse::Click(*form.Image2, QPoint(170, 20));
    mouse::Click(*form.Image2, QPoint(20, 140));
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(form.ColorTable().At(16, 0), 15);
}

// What the user sees of a drawing, its conversion and two coloured cells, read from the pixels of
// the whole window, saved as mainform.png to be looked at.
TEST_F(MainForm, TheWindowShowsTheStrokesTheCellsAndTheirColours) {
    Stroke(QPoint(10, 10), QPoint(120, 100), Qt::LeftButton);
    Stroke(QPoint(10, 100), QPoint(120, 10), Qt::LeftButton);
    Stroke(QPoint(0, 63), QPoint(136, 63), Qt::LeftButton);
    Convert();
    PickColour(9); // red
    mouse::Click(*form.Image2, QPoint(12, 12));
    PickColour(10); // lime
    mouse::Click(*form.Image2, QPoint(75, 60));

    const QImage shot = form.grab().toImage();
    SaveScreenshot(shot, QStringLiteral("mainform.png"));
    ASSERT_EQ(shot.size(), QSize(545, 328));
    const auto seen = [&](const QWidget& widget, int x, int y) {
        return FromQRgb(shot.pixel(widget.mapTo(&form, QPoint(x, y))));
    };
    EXPECT_EQ(seen(*form.Image1, 10, 10), clWhite);
    EXPECT_EQ(seen(*form.Image1, 10, 100), clWhite);
    EXPECT_EQ(seen(*form.Image1, 5, 30), clBlack);
    // The preview: drawing pixel (x, y) at (x + x div 8, y + y div 14), between grid lines.
    EXPECT_EQ(seen(*form.Image2, 11, 10), clRed) << "drawing (10, 10), cell (1, 0) coloured red";
    EXPECT_EQ(seen(*form.Image2, 9, 0), clBlack) << "an unlit pixel of that cell";
    EXPECT_EQ(seen(*form.Image2, 74, 67), clLime) << "drawing (66, 63), cell (8, 4)";
    EXPECT_EQ(seen(*form.Image2, 5, 67), clWhite) << "drawing (5, 63): lit, never coloured";
    EXPECT_EQ(seen(*form.Image2, 8, 0), clSilver) << "a grid line";
}

TEST_F(MainForm, KeysOnTheFocusedGridPickTheColourThatCellsGet) {
    Convert();
    form.ColorGrid1->setFocus();
    QTest::keyClick(form.ColorGrid1, Qt::Key_Down);  // selection 1 -> 5
    QTest::keyClick(form.ColorGrid1, Qt::Key_Right); // 6, teal
    QTest::keyClick(form.ColorGrid1, Qt::Key_F);
    EXPECT_EQ(form.ColorGrid1->ForegroundIndex(), 6);
    mouse::Click(*form.Image2, QPoint(20, 20));
    EXPECT_EQ(form.ColorTable().At(2, 1), 3) << "teal is text-mode cyan";
}

TEST_F(MainForm, WorkingFilesThatAreLinksAreRefusedAndWhatTheyPointAtIsKept) {
    dir.Write("victim", "precious");
    const auto refused = [&](const QString& name, const std::function<void()>& command) {
        ASSERT_TRUE(QFile::link(dir.Path("victim"), dir.Path(name)));
        asked.clear();
        command();
        ASSERT_TRUE(!asked.isEmpty() && asked.last().kind == TPromptKind::pkError)
            << name.toStdString();
        const QString message = asked.last().texts.join(' ');
        EXPECT_TRUE(message.contains(name) && message.contains("link")) << message.toStdString();
        EXPECT_EQ(dir.Read("victim"), "precious") << name.toStdString();
        QFile::remove(dir.Path(name));
    };
    refused(WorkingFiles::BitRows, [this] { Convert(); });
    refused(WorkingFiles::ByteRows, [this] { Convert(); });
    EXPECT_FALSE(form.sohoTextButton6->Enabled());
    Convert();
    refused(WorkingFiles::ByteList, [this] { Save(); });
    refused(WorkingFiles::Binary, [this] { Save(); });
    EXPECT_FALSE(dir.Exists("logo.epa"));
    EXPECT_EQ(form.ShadowLabel8->Caption(), "Adsız");
}

TEST_F(MainForm, StaleWorkingFilesAreReplacedNotWrittenInto) {
    dir.Write("victim", "precious");
    for (const QString& name :
         {WorkingFiles::ByteRows, WorkingFiles::ByteList, WorkingFiles::Binary})
        ASSERT_EQ(::link(QFile::encodeName(dir.Path("victim")).constData(),
                         QFile::encodeName(dir.Path(name)).constData()),
                  0);
    Convert();
    Save();
    EXPECT_EQ(Kinds(), (QList{TPromptKind::pkInputBox, TPromptKind::pkInformation}));
    EXPECT_EQ(dir.Read("victim"), "precious");
    EXPECT_EQ(dir.Read("logo.epa").size(), 2367);
}

TEST_F(MainForm, ALogoIsNeverPutInPlaceOverALink) {
    Convert();
    ASSERT_TRUE(QFile::link(dir.Path("elsewhere"), dir.Path("logo.epa")));
    Save();
    EXPECT_EQ(Kinds(), (QList{TPromptKind::pkInputBox, TPromptKind::pkError}));
    EXPECT_TRUE(asked.last().texts.join(' ').contains("already exists"));
    EXPECT_FALSE(dir.Exists("elsewhere"));
    EXPECT_TRUE(QFileInfo(dir.Path("logo.epa")).isSymLink());
    EXPECT_EQ(dir.Read(WorkingFiles::Binary).size(), 2367) << "the new logo waits in bin3.dat";
    EXPECT_EQ(form.ShadowLabel8->Caption(), "Adsız");
}

TEST_F(MainForm, NamesWithAFolderPartAreRefusedAndNothingIsWritten) {
    Convert();
    QDir(dir.Path(".")).mkdir("sub");
    TestDir elsewhere;
    const QString parentName = QStringLiteral("../%1").arg(dir.Dir().dirName());
    for (const QString& name :
         {parentName + "-escaped", elsewhere.Path("x"), QStringLiteral("sub/x"),
          QStringLiteral("C:x"), QString(QChar(0xD800)) + "x"}) {
        typedName = name;
        asked.clear();
        Save();
        EXPECT_EQ(Kinds(), (QList{TPromptKind::pkInputBox, TPromptKind::pkError}));
        EXPECT_TRUE(asked.last().texts.join(' ').contains(name)) << name.toStdString();
    }
    EXPECT_EQ(dir.Names(), QStringList{WorkingFiles::ByteRows}) << "not even bin2.dat";
    EXPECT_FALSE(QFileInfo::exists(dir.Path(parentName + "-escaped.epa")));
    EXPECT_TRUE(elsewhere.Names().isEmpty());
    EXPECT_TRUE(QDir(dir.Path("sub")).isEmpty());
    EXPECT_EQ(form.ShadowLabel8->Caption(), "Adsız");
}

TEST_F(MainForm, ANameTooLongForTheFileSystemIsNotCalledAFullDisk) {
    Convert();
    typedName = QString(300, 'n');
    Save();
    EXPECT_EQ(Kinds(), (QList{TPromptKind::pkInputBox, TPromptKind::pkError}));
    const QString message = asked.last().texts.join(' ');
    EXPECT_TRUE(message.contains("File name too long")) << message.toStdString();
    EXPECT_EQ(dir.Read(WorkingFiles::Binary).size(), 2367) << "the new logo waits in bin3.dat";
}

// A save that fails lets go of its button before the error box opens, so the button stands up
// while the box is read, and the next click runs the save again.
TEST_F(MainForm, AFailedSaveLeavesItsButtonUpForTheNextClick) {
    Convert();
    dir.Write("logo.epa", "older logo");
    TsohoTextButton& button = *form.sohoTextButton6;
    const auto look = [&] {
        return form.grab(button.geometry().translated(button.parentWidget()->pos()));
    };
    mouse::Press(button, QPoint(40, 12));
    const QImage pressed = look().toImage();
    mouse::Release(button, QPoint(-40, 12)); // released off the button: no click
    const QImage up = look().toImage();
    ASSERT_NE(pressed, up);

    QList<QImage> atTheBox;
    TModalPrompts::SetResponder([&](const TPrompt& prompt) {
        asked.append(prompt);
        if (prompt.kind == TPromptKind::pkError) {
            EXPECT_FALSE(button.Pressed());
            atTheBox.append(look().toImage());
        }
        return TPromptAnswer{mrOk, typedName};
    });
    Save();
    Save();
    EXPECT_EQ(Kinds(), (QList{TPromptKind::pkInputBox, TPromptKind::pkError,
                              TPromptKind::pkInputBox, TPromptKind::pkError}));
    ASSERT_EQ(atTheBox.size(), 2);
    EXPECT_EQ(atTheBox[0], up);
    EXPECT_EQ(atTheBox[1], up);
    EXPECT_EQ(dir.Read("logo.epa"), "older logo");
}

// A GIF frame that cannot be decoded, shown in the drawing as an animation would step to it:
// the window goes on painting, one error box tells why however often it repaints, and every
// bitmap the picture handed out stays alive.
TEST_F(MainForm, AnUndecodableFrameInTheDrawingGivesOneErrorBox) {
    RegisterGIFImage();
    form.Image1->Picture().LoadFromFile(TestDataPath("gif/huge-frame.gif"));
    auto& picture = dynamic_cast<TGIFImage&>(*form.Image1->Picture().Graphic());
    const TBitmap& first = picture.Frames(0).Bitmap();
    picture.SetCurrentIndex(1);
    for (int i = 0; i < 5; ++i) {
        form.Image1->repaint();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(Kinds(), QList{TPromptKind::pkError});
    EXPECT_EQ(asked.value(0).texts, QStringList{"GIF image is too large"});

    const TBitmap& failed = picture.Frames(1).Bitmap();
    form.Image1->repaint();
    EXPECT_TRUE(failed.Empty());
    EXPECT_EQ(&picture.Frames(1).Bitmap(), &failed);
    picture.SetCurrentIndex(0);
    form.Image1->repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(first.Width(), 30);
    EXPECT_EQ(form.Image1->grab().toImage().pixelColor(0, 0), QColor(Qt::blue)) << "frame 0 shows";
}
