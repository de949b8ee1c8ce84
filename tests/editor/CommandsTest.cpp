#include "controls/ShadowLabel.h"
#include "logo/Templates.h"
#include "logo/WorkingFiles.h"
#include "runtime/Bitmap.h"
#include "runtime/Image.h"
#include "tests/editor/WindowFixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTimer>

namespace {

TCanvas& Drawing(TMainForm& form) {
    return form.Image1->Canvas();
}

bool SameImage(const TBitmap& a, const TBitmap& b) {
    return a.Image().convertToFormat(QImage::Format_RGB32) ==
           b.Image().convertToFormat(QImage::Format_RGB32);
}

class Commands : public WindowFixture {
protected:
    // A working day: something drawn, converted, cell (0, 0) coloured navy (text-mode blue, 1),
    // English chosen.
    void Work() {
        mouse::Click(*form.Image1, QPoint(3, 3));
        Run(form.sohoTextButton4, {});
        PickColour(4);
        mouse::Click(*form.Image2, QPoint(2, 2));
        form.ComboBox1->setCurrentIndex(1);
    }
    // Exit ends the program's event loop; a loop it fails to end is ended by the guard with 1.
    int RunUntilExit() {
        QTimer::singleShot(0, &form, [this] { Run(form.sohoTextButton9, {}); });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guard.start(60000);
        return QCoreApplication::exec();
    }
};

} // namespace

TEST_F(Commands, NewAsksAndOnYesStartsOverWithTheTemplatesInTheChosenLanguage) {
    Work();
    PickColour(1); // maroon: text-mode red, 4
    Run(form.sohoTextButton1, {{mrYes, {}}});
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].kind, TPromptKind::pkConfirmation);
    EXPECT_EQ(asked[0].caption, "ONAYLAMA  -  CONFIRMATION");
    EXPECT_EQ(asked[0].texts,
              (QStringList{"Açıklama : Ekrandaki BMP ve EPA logoları silinecek. Bu işlemden önce "
                           "KAYIT etmeyi unutmayınız...",
                           "Yeni Dosya Açılacak, EMİN MİSİNİZ ?",
                           "BMP and EPA images will be deleted! Are you sure? "}));

    EXPECT_TRUE(SameImage(form.Image1->Picture().Bitmap(), Templates::BlankDrawing()));
    EXPECT_TRUE(SameImage(form.Image2->Picture().Bitmap(), Templates::BlankPreview()));
    EXPECT_EQ(form.ShadowLabel7->Caption(), "New");
    EXPECT_EQ(form.ShadowLabel8->Caption(), "noname");
    for (int entry : form.ColorTable().Entries())
        ASSERT_EQ(entry, 4) << "the attribute of the grid's colour, as a click stores it";
    EXPECT_FALSE(form.sohoTextButton6->Enabled()) << "no logo to save until the next conversion";
    EXPECT_TRUE(dir.Exists(WorkingFiles::ByteRows));

    mouse::Click(*form.Image2, QPoint(2, 2));
    EXPECT_EQ(form.Image2->Canvas().Pixel(3, 3), clBlack) << "the fresh preview has nothing lit";
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(Commands, NewAnsweredNoOrCancelOrClosedChangesNothing) {
    Work();
    const QImage drawing = form.Image1->Picture().Bitmap().Image();
    const QImage preview = form.Image2->Picture().Bitmap().Image();
    const TColorTable colors = form.ColorTable();
    ASSERT_EQ(colors.At(0, 0), 1);
    for (int answer : {int(mrNo), int(mrCancel), int(mrNone)}) {
        Run(form.sohoTextButton1, {{answer, {}}});
        EXPECT_EQ(asked.size(), 1);
        EXPECT_EQ(form.Image1->Picture().Bitmap().Image(), drawing) << answer;
        EXPECT_EQ(form.Image2->Picture().Bitmap().Image(), preview) << answer;
        EXPECT_EQ(form.ColorTable().Entries(), colors.Entries()) << answer;
        EXPECT_EQ(form.sohoTextButton1->Caption(), "New");
    }
}

TEST_F(Commands, NewPrefersTemplatesInTheCurrentFolderAndElseUsesItsOwn) {
    TBitmap drawing = Templates::BlankDrawing();
    drawing.Canvas().SetPixel(7, 7, clWhite);
    drawing.SaveToFile(dir.Path(WorkingFiles::DrawingTemplate));
    TBitmap(200, 150, TPixelFormat::pf4bit).SaveToFile(dir.Path(WorkingFiles::PreviewTemplate));
    Run(form.sohoTextButton1, {{mrYes, {}}});
    EXPECT_TRUE(Errors().isEmpty());
    EXPECT_EQ(Drawing(form).Pixel(7, 7), clWhite);
    EXPECT_EQ(form.Image2->size(), QSize(200, 150)) << "the preview takes its picture's size";

    // A folder without templates, as after loading a picture from elsewhere.
    TestDir elsewhere;
    QDir::setCurrent(elsewhere.Path("."));
    Run(form.sohoTextButton1, {{mrYes, {}}});
    EXPECT_TRUE(Errors().isEmpty());
    EXPECT_TRUE(SameImage(form.Image1->Picture().Bitmap(), Templates::BlankDrawing()));
    EXPECT_EQ(form.Image2->size(), QSize(153, 135));
    EXPECT_TRUE(SameImage(form.Image2->Picture().Bitmap(), Templates::BlankPreview()));
}

TEST_F(Commands, ABadTemplateEndsNewWithItsErrorAndChangesNothing) {
    Work();
    const QImage drawing = form.Image1->Picture().Bitmap().Image();
    const TColorTable colors = form.ColorTable();
    QDir(dir.Path(".")).mkdir(WorkingFiles::PreviewTemplate);
    Run(form.sohoTextButton1, {{mrYes, {}}});
    EXPECT_EQ(Errors(), QStringList{"Cannot open file zemepa.bmp"});
    EXPECT_EQ(form.Image1->Picture().Bitmap().Image(), drawing) << "the drawing template was good";

    dir.Write(WorkingFiles::DrawingTemplate, "not a bitmap");
    Run(form.sohoTextButton1, {{mrYes, {}}});
    EXPECT_EQ(Errors(), QStringList{"Bitmap image is not valid"});
    EXPECT_EQ(form.Image1->Picture().Bitmap().Image(), drawing);
    EXPECT_EQ(form.ColorTable().Entries(), colors.Entries());
    EXPECT_EQ(form.ShadowLabel8->Caption(), "noname");
}

TEST_F(Commands, EachLanguageSetsItsCaptions) {
    const QList<TControl*> all = {form.sohoTextButton1, form.sohoTextButton2, form.sohoTextButton3,
                                  form.sohoTextButton4, form.sohoTextButton5, form.sohoTextButton6,
                                  form.sohoTextButton7, form.sohoTextButton8, form.sohoTextButton9,
                                  form.ShadowLabel1,    form.ShadowLabel4,    form.ShadowLabel7,
                                  form.ShadowLabel8};
    const auto captions = [&] {
        QStringList texts;
        for (TControl* control : all)
            texts.append(control->Caption());
        return texts;
    };
    form.ShadowLabel7->SetCaption("logo1.bmp");
    form.ShadowLabel8->SetCaption("logo1.epa");

    form.ComboBox1->setCurrentIndex(1);
    const QStringList english = captions();
    EXPECT_EQ(english[0], "New");
    EXPECT_EQ(english[6], "About...");
    EXPECT_EQ(english.mid(11), (QStringList{"New", "noname"})) << "names are no longer shown";

    form.ComboBox1->setCurrentIndex(2);
    const QStringList german = captions();
    EXPECT_EQ(german[2], "BMP Speichern");
    EXPECT_EQ(german[6], QString(QChar(0x130)) + "nfo") << "a capital I with a dot";
    EXPECT_EQ(german[10], "Charakter");

    form.ComboBox1->setCurrentIndex(0);
    const QStringList turkish = captions();
    EXPECT_EQ(turkish[9], "Piksel") << "without the blanks of the first caption";
    EXPECT_EQ(turkish[8], "Çıkış");
    EXPECT_EQ(turkish[12], "Adsız");

    for (int i = 0; i < all.size(); ++i) {
        EXPECT_EQ(english[i] == german[i], i == 3 || i == 9) << i; // "BMP > EPA", "Pixel"
        EXPECT_EQ(english[i] == turkish[i], i == 3) << i;
    }
    EXPECT_EQ(form.ShadowLabel2->Caption(), "X :") << "readouts keep their texts";
    EXPECT_FALSE(form.sohoTextButton6->Enabled());
}

TEST_F(Commands, TypingALanguageAppliesItFromTheSecondLetterOnCaseSensitively) {
    QLineEdit* edit = form.ComboBox1->lineEdit();
    edit->clear();
    const QString word = "Deutsch";
    for (int typed = 1; typed <= word.size(); ++typed) {
        form.sohoTextButton1->SetCaption("-");
        QTest::keyClick(edit, word[typed - 1].toLatin1());
        EXPECT_EQ(form.ComboBox1->currentText(), word.left(typed));
        EXPECT_EQ(form.sohoTextButton1->Caption(), typed < 2 ? "-" : "Neu") << typed;
    }
    edit->clear();
    form.sohoTextButton1->SetCaption("-");
    QTest::keyClicks(edit, "deutsch");
    QTest::keyClicks(edit, " En");
    EXPECT_EQ(form.sohoTextButton1->Caption(), "-");
    edit->clear();
    QTest::keyClicks(edit, "En");
    EXPECT_EQ(form.sohoTextButton1->Caption(), "New");
}

TEST_F(Commands, EnterInTheLanguageListAddsNothingToIt) {
    QLineEdit* edit = form.ComboBox1->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, "En - Esperanto");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(form.ComboBox1->count(), 3);
    EXPECT_EQ(form.sohoTextButton9->Caption(), "Exit");
}

TEST_F(Commands, ExitDeletesTheTwoKeptWorkingFilesAndEndsTheProgram) {
    for (const QString& name : {WorkingFiles::BitRows, WorkingFiles::ByteRows,
                                WorkingFiles::ByteList, WorkingFiles::Binary, QString("a.epa")})
        dir.Write(name, "x");
    EXPECT_EQ(RunUntilExit(), 0);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(dir.Names(), (QStringList{"a.epa", WorkingFiles::BitRows, WorkingFiles::Binary}));
}

TEST_F(Commands, ExitEndsTheProgramWhateverCannotBeDeleted) {
    QDir(dir.Path(".")).mkdir(WorkingFiles::ByteRows);
    EXPECT_EQ(RunUntilExit(), 0);
    EXPECT_TRUE(asked.isEmpty()) << "no error box";
    EXPECT_FALSE(form.isVisible());
}
