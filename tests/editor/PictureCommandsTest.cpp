#include "controls/ShadowLabel.h"
#include "logo/EpaFormat.h"
#include "logo/EpaLogo.h"
#include "logo/WorkingFiles.h"
#include "runtime/Bitmap.h"
#include "runtime/Image.h"
#include "runtime/ProgressBar.h"
#include "tests/Screenshots.h"
#include "tests/editor/WindowFixture.h"
#include "tests/rom/ImageBuilder.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <random>
#include <sys/stat.h>

namespace {

using PictureCommands = WindowFixture;

QImage Shown(QWidget& widget) {
    return widget.grab().toImage();
}

bool Light(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) > 200;
}

// The fixture's drawing: a white rectangle (10..60, 10..40), a disc round (100, 80), black
// elsewhere, e.g. at (80, 20).
void ExpectLogoShown(QWidget& image, const QString& name) {
    const QImage shown = Shown(image);
    EXPECT_TRUE(Light(shown, 20, 20)) << name.toStdString();
    EXPECT_TRUE(Light(shown, 100, 80)) << name.toStdString();
    EXPECT_FALSE(Light(shown, 80, 20)) << name.toStdString();
}

// A logo as this program saves it: every attribute and glyph byte random, then the six fixed
// bytes and the zero trailer.
QByteArray SavedLogo(unsigned seed) {
    QByteArray logo(EpaFormat::LogoFileSize, 0);
    logo[0] = 17;
    logo[1] = 9;
    std::mt19937 random(seed);
    for (int i = 2; i < EpaFormat::LogoFileSize - EpaFormat::TrailerSize; ++i)
        logo[i] = char(random() & 0xFF);
    for (const EpaFormat::FixedByte& fixed : EpaFormat::FixedBytes)
        logo[int(fixed.offset)] = char(fixed.value);
    return logo;
}

} // namespace

TEST_F(PictureCommands, LoadBmpOffersThePictureKindsAndWorksInTheFilesFolder) {
    TestDir pictures;
    pictures.Write("logo1.bmp", TestData("pictures/logo.bmp"));
    Run(form.sohoTextButton2, {{mrOk, pictures.Path("logo1.bmp")}});
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].kind, TPromptKind::pkOpenPicture);
    const QList<TFileFilter>& filters = asked[0].filters;
    ASSERT_EQ(filters.size(), 9);
    EXPECT_EQ(filters[0].description, "All (*.jpg;*.jpeg;*.png;*.gif;*.bmp;*.ico;*.emf;*.wmf)");
    EXPECT_EQ(filters[0].patterns, "*.jpg;*.jpeg;*.png;*.gif;*.bmp;*.ico;*.emf;*.wmf");
    EXPECT_EQ(filters[2].patterns, "*.jpeg");
    EXPECT_EQ(filters[3].description, "PNG Image File (*.png)");
    EXPECT_EQ(filters[8].description, "Metafiles (*.wmf)");

    EXPECT_EQ(form.ShadowLabel7->Caption(), "logo1.bmp");
    EXPECT_EQ(form.Image1->Picture().Bitmap().PixelFormat(), TPixelFormat::pf1bit);
    EXPECT_EQ(form.Image1->size(), QSize(137, 127));
    EXPECT_EQ(QDir(form.Document().Folder()), pictures.Dir());
    EXPECT_EQ(QDir::current(), dir.Dir()) << "the program's own folder stays";
    ExpectLogoShown(*form.Image1, "bmp");

    Run(form.sohoTextButton2, {{mrCancel, {}}});
    EXPECT_EQ(form.ShadowLabel7->Caption(), "logo1.bmp");
}

TEST_F(PictureCommands, EveryBitmapKindLoadsWhateverTheCaseOfItsExtensionAndCanBeDrawnOn) {
    const QList<std::pair<QString, QString>> files = {{"pictures/logo.bmp", "A.BMP"},
                                                      {"pictures/logo.png", "b.Png"},
                                                      {"pictures/logo.jpg", "c.jpg"},
                                                      {"pictures/logo.jpg", "d.JPEG"}};
    for (const auto& [fixture, name] : files) {
        dir.Write(name, TestData(fixture));
        Run(form.sohoTextButton2, {{mrOk, dir.Path(name)}});
        EXPECT_TRUE(Errors().isEmpty()) << Errors().join(' ').toStdString();
        EXPECT_EQ(form.ShadowLabel7->Caption(), name);
        ExpectLogoShown(*form.Image1, name);
        mouse::Click(*form.Image1, QPoint(90, 5));
        EXPECT_EQ(form.Image1->Canvas().Pixel(90, 5), clWhite) << name.toStdString();
    }
}

TEST_F(PictureCommands, APngSeeThroughPartIsBlackAndALargePictureShowsItsTopLeft) {
    dir.Write("alpha.png", TestData("pictures/alpha.png"));
    Run(form.sohoTextButton2, {{mrOk, dir.Path("alpha.png")}});
    EXPECT_EQ(form.Image1->Canvas().Pixel(1, 1), clBlack) << "see-through white is not lit";
    EXPECT_EQ(form.Image1->Canvas().Pixel(6, 6), clWhite);

    dir.Write("large.png", TestData("pictures/large.png"));
    Run(form.sohoTextButton2, {{mrOk, dir.Path("large.png")}});
    EXPECT_EQ(form.Image1->size(), QSize(137, 127));
    EXPECT_EQ(form.Image1->Picture().Width(), 200);
    const QImage shown = Shown(*form.Image1);
    EXPECT_EQ(shown.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(136, 126), qRgb(255, 0, 0)) << "the lime band starts beyond the view";
}

TEST_F(PictureCommands, PicturesThatAreNotBitmapsShowButRefuseDrawingAndConversion) {
    const QImage blank = Shown(*form.Image1);
    const QString refusal = "Can only modify an image if it contains a bitmap";
    for (const QString fixture :
         {"pictures/logo.gif", "ico/pal8.ico", "metafile/libreoffice-shapes.emf",
          "metafile/inkscape-shapes.wmf", "metafile/libreoffice-plain.wmf"}) {
        const QString name = QFileInfo(fixture).fileName().toUpper();
        dir.Write(name, TestData(fixture));
        Run(form.sohoTextButton2, {{mrOk, dir.Path(name)}});
        ASSERT_TRUE(Errors().isEmpty()) << name.toStdString() << Errors().join(' ').toStdString();
        EXPECT_EQ(form.ShadowLabel7->Caption(), name);
        EXPECT_FALSE(form.Image1->Picture().HoldsBitmap()) << name.toStdString();
        EXPECT_NE(Shown(*form.Image1), blank) << name.toStdString();
        if (name == "LOGO.GIF")
            ExpectLogoShown(*form.Image1, name);
        if (name == "PAL8.ICO") {
            EXPECT_EQ(Shown(*form.Image1).pixel(3, 3), qRgb(0, 0, 255)) << "its blue quarter";
        }

        asked.clear();
        mouse::Click(*form.Image1, QPoint(90, 5));
        mouse::Move(*form.Image1, QPoint(95, 5));
        EXPECT_EQ(Errors(), QStringList{refusal}) << "one error for the press, none for the move";
        EXPECT_FALSE(form.Drawing());
        Run(form.sohoTextButton4, {});
        EXPECT_EQ(Errors(), QStringList{refusal}) << name.toStdString();
        EXPECT_FALSE(form.sohoTextButton6->Enabled());
        EXPECT_FALSE(form.sg1->isVisible());
        EXPECT_FALSE(dir.Exists(WorkingFiles::BitRows) || dir.Exists(WorkingFiles::ByteRows));
    }

    dir.Write("logo.bmp", TestData("pictures/logo.bmp"));
    Run(form.sohoTextButton2, {{mrOk, dir.Path("logo.bmp")}});
    mouse::Click(*form.Image1, QPoint(90, 5));
    Run(form.sohoTextButton4, {});
    EXPECT_TRUE(Errors().isEmpty());
    EXPECT_TRUE(form.sohoTextButton6->Enabled());
}

TEST_F(PictureCommands, AFailedLoadLeavesTheDrawingAndItsNameAsTheyWere) {
    dir.Write("logo.bmp", TestData("pictures/logo.bmp"));
    Run(form.sohoTextButton2, {{mrOk, dir.Path("logo.bmp")}});
    const QImage drawing = form.Image1->Picture().Bitmap().Image();
    const QList<std::pair<QString, QByteArray>> files = {
        {"notes.txt", "text"},
        {"noextension", "text"},
        {"bad.bmp", TestData("bmp/truncated.bmp")},
        {"bad.png", TestData("pictures/truncated.png")},
        {"bad.jpg", TestData("pictures/truncated.jpg")},
        {"bad.gif", TestData("pictures/truncated.gif")},
        {"png-inside.bmp", TestData("pictures/logo.png")},
        {"bad.ico", TestData("ico/pal8.ico").left(30)},
        {"bad.emf", TestData("metafile/libreoffice-shapes.emf").left(100)},
        {"bad.wmf", "not a metafile"}};
    QStringList messages;
    for (const auto& [name, bytes] : files) {
        dir.Write(name, bytes);
        Run(form.sohoTextButton2, {{mrOk, dir.Path(name)}});
        ASSERT_EQ(Errors().size(), 1) << name.toStdString();
        messages.append(Errors().first());
        EXPECT_EQ(form.Image1->Picture().Bitmap().Image(), drawing) << name.toStdString();
        EXPECT_EQ(form.ShadowLabel7->Caption(), "logo.bmp");
    }
    EXPECT_EQ(messages.mid(0, 5),
              (QStringList{"Unknown picture file extension (.txt)",
                           "Unknown picture file extension (.)", "Bitmap image is not valid",
                           "PNG image is not valid", "JPEG image is not valid"}));
    EXPECT_FALSE(messages[5].isEmpty()) << "the GIF decoder's own message";
    EXPECT_EQ(messages.mid(6), (QStringList{"Bitmap image is not valid", "Icon image is not valid",
                                            "Metafile is not valid", "Metafile is not valid"}));
}

TEST_F(PictureCommands, LoadBmpOfANamedPipeOrAFolderAnswersAtOnceAndChangesNothing) {
    dir.Write("logo.bmp", TestData("pictures/logo.bmp"));
    Run(form.sohoTextButton2, {{mrOk, dir.Path("logo.bmp")}});
    const QImage drawing = form.Image1->Picture().Bitmap().Image();
    // No writer ever opens the pipe: a load that waited for one would never return.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.Path("pipe.bmp")).constData(), 0600), 0);
    ASSERT_TRUE(dir.Dir().mkdir("folder.bmp"));
    for (const auto& [name, kind] :
         {std::pair{"pipe.bmp", "a named pipe"}, std::pair{"folder.bmp", "a folder"}}) {
        Run(form.sohoTextButton2, {{mrOk, dir.Path(name)}});
        EXPECT_EQ(Errors(), QStringList{QStringLiteral("Cannot open file %1: it is %2, not a file")
                                            .arg(dir.Path(name), kind)});
        EXPECT_EQ(form.Image1->Picture().Bitmap().Image(), drawing) << name;
        EXPECT_EQ(form.ShadowLabel7->Caption(), "logo.bmp");
    }
    SaveScreenshot(form.grab().toImage(), QStringLiteral("loaded-named-pipe.png"));
}

TEST_F(PictureCommands, SaveBmpWritesTheLogoAreaAsA1BitBitmap) {
    mouse::Click(*form.Image1, QPoint(0, 0));
    mouse::Click(*form.Image1, QPoint(135, 125));
    mouse::Click(*form.Image1, QPoint(136, 126)); // outside the logo area
    mouse::Click(*form.Image1, QPoint(40, 70));
    Run(form.sohoTextButton3, {{mrOk, "picture"}, {mrOk, {}}});
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0].caption, "Dosya Adı - Filename - Dateiname");
    EXPECT_EQ(asked[0].value, "Adsız");
    EXPECT_EQ(asked[1].kind, TPromptKind::pkInformation);
    EXPECT_EQ(form.ShadowLabel7->Caption(), "picture.bmp");

    const QByteArray bytes = dir.Read("picture.bmp");
    ASSERT_EQ(bytes.size(), 2582);
    EXPECT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(bytes[28], 1) << "bits per pixel";
    QImage byQt;
    ASSERT_TRUE(byQt.loadFromData(bytes, "BMP"));
    TBitmap byUs;
    byUs.LoadFromFile(dir.Path("picture.bmp"));
    EXPECT_EQ(byUs.PixelFormat(), TPixelFormat::pf1bit);
    ASSERT_EQ(byQt.size(), QSize(136, 126));
    ASSERT_EQ(byUs.Width(), 136);
    int lit = 0;
    for (int y = 0; y < 126; ++y)
        for (int x = 0; x < 136; ++x) {
            const bool white = form.Image1->Canvas().Pixel(x, y) == clWhite;
            lit += white;
            ASSERT_EQ(byQt.pixel(x, y), white ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
            ASSERT_EQ(byUs.Canvas().Pixel(x, y), white ? clWhite : clBlack);
        }
    EXPECT_EQ(lit, 3);
}

TEST_F(PictureCommands, SaveBmpNeverReplacesAFileAndRefusesFolderParts) {
    dir.Write("mine.bmp", "precious");
    Run(form.sohoTextButton3, {{mrOk, "mine"}});
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Errors()[0].contains("\"mine.bmp\"") && Errors()[0].contains("already exists"))
        << Errors()[0].toStdString();
    EXPECT_EQ(dir.Read("mine.bmp"), "precious");

    QDir(dir.Path(".")).mkdir("sub");
    Run(form.sohoTextButton3, {{mrOk, "sub/x"}});
    EXPECT_EQ(Errors().size(), 1);
    for (const QString& unchanged : {QString("Adsız"), QString()})
        Run(form.sohoTextButton3, {{mrOk, unchanged}});
    EXPECT_EQ(dir.Names(), QStringList{"mine.bmp"});
    EXPECT_TRUE(QDir(dir.Path("sub")).isEmpty());
    EXPECT_EQ(form.ShadowLabel7->Caption(), "Yeni");
}

TEST_F(PictureCommands, SaveBmpDrawsAPictureThatIsNotABitmap) {
    dir.Write("logo.gif", TestData("pictures/logo.gif"));
    Run(form.sohoTextButton2, {{mrOk, dir.Path("logo.gif")}});
    Run(form.sohoTextButton3, {{mrOk, "fromgif"}});
    EXPECT_TRUE(Errors().isEmpty());
    TBitmap saved;
    saved.LoadFromFile(dir.Path("fromgif.bmp"));
    TBitmap original;
    original.LoadFromFile(TestDataPath("pictures/logo.bmp"));
    EXPECT_EQ(saved.Image().convertToFormat(QImage::Format_RGB32),
              original.Image().convertToFormat(QImage::Format_RGB32));
}

TEST_F(PictureCommands, LoadEpaThenSaveEpaGivesTheSameFileByteForByte) {
    const QByteArray logo = SavedLogo(7);
    dir.Write("old.epa", logo);
    Run(form.sohoTextButton5, {{mrOk, dir.Path("old.epa")}});
    ASSERT_EQ(asked.size(), 1);
    ASSERT_EQ(asked[0].filters.size(), 2);
    EXPECT_EQ(asked[0].filters[0].patterns, "*.epa");
    EXPECT_EQ(asked[0].filters[1].patterns, "*.bin;*.rom;*.awd");
    EXPECT_TRUE(Errors().isEmpty()) << Errors().join(' ').toStdString();
    EXPECT_EQ(form.ShadowLabel8->Caption(), "old.epa");
    EXPECT_TRUE(form.sohoTextButton6->Enabled());
    EXPECT_TRUE(dir.Exists(WorkingFiles::ByteRows));
    EXPECT_FALSE(form.sg1->isVisible());
    EXPECT_EQ(form.ColorTable().At(1, 0), uchar(logo[3]));
    EXPECT_EQ(form.ColorTable().At(0, 1), uchar(logo[2 + 17]));

    Run(form.sohoTextButton6, {{mrOk, "new"}, {mrOk, {}}});
    EXPECT_TRUE(Errors().isEmpty()) << Errors().join(' ').toStdString();
    EXPECT_EQ(dir.Read("new.epa"), logo);
}

TEST_F(PictureCommands, ALoadedLogoIsDrawnWithoutItsMarkerAndPreviewedInItsColours) {
    QByteArray logo(EpaFormat::LogoFileSize, 0);
    logo[0] = 17;
    logo[1] = 9;
    logo[2] = 0x04;              // cell (0, 0): text-mode red, the grid's maroon
    logo[3] = 0x1C;              // cell (1, 0): light red on blue, shown in its foreground
    logo[155] = char(0x80);      // cell (0, 0), line 0: the leftmost pixel
    logo[155 + 14] = char(0xFF); // cell (1, 0), line 0: all eight
    for (const EpaFormat::FixedByte& fixed : EpaFormat::FixedBytes)
        logo[int(fixed.offset)] = char(fixed.value);
    dir.Write("marked.epa", logo);
    Run(form.sohoTextButton5, {{mrOk, dir.Path("marked.epa")}});

    TCanvas& drawing = form.Image1->Canvas();
    EXPECT_EQ(drawing.Pixel(0, 0), clWhite);
    EXPECT_EQ(drawing.Pixel(1, 0), clBlack);
    EXPECT_EQ(drawing.Pixel(15, 0), clWhite);
    for (int y = 119; y <= 123; ++y)
        for (int x = 128; x < 136; ++x)
            ASSERT_EQ(drawing.Pixel(x, y), clBlack) << "marker pixel " << x << "," << y;
    TCanvas& preview = form.Image2->Canvas();
    EXPECT_EQ(preview.Pixel(0, 0), clMaroon);
    EXPECT_EQ(preview.Pixel(1, 0), clBlack);
    EXPECT_EQ(preview.Pixel(9, 0), clRed);
    EXPECT_EQ(preview.Pixel(8, 0), clSilver);
    EXPECT_EQ(form.ColorTable().At(16, 8), 10);
}

TEST_F(PictureCommands, ASmallerLogoFillsTheTopLeftCells) {
    QByteArray logo(2 + 2 * 15 + EpaFormat::TrailerSize, 0);
    logo[0] = 2;
    logo[1] = 1;
    logo[2] = 0x02;
    logo[3] = 0x0E;
    logo[4 + 14 + 13] = 0x01; // cell (1, 0), line 13: the rightmost pixel
    dir.Write("small.epa", logo);
    PickColour(9); // red: text-mode light red, 12
    Run(form.sohoTextButton5, {{mrOk, dir.Path("small.epa")}});
    EXPECT_TRUE(Errors().isEmpty()) << Errors().join(' ').toStdString();
    EXPECT_EQ(form.ColorTable().At(0, 0), 2);
    EXPECT_EQ(form.ColorTable().At(1, 0), 14);
    EXPECT_EQ(form.ColorTable().At(2, 0), 12);
    EXPECT_EQ(form.ColorTable().At(16, 8), 12);
    EXPECT_EQ(form.Image1->Canvas().Pixel(15, 13), clWhite);
    EXPECT_EQ(form.Image2->Canvas().Pixel(9 + 7, 13), clYellow);
}

TEST_F(PictureCommands, ALogoOfAnotherLayoutIsRefusedAndChangesNothing) {
    mouse::Click(*form.Image1, QPoint(5, 5));
    const QImage drawing = form.Image1->Picture().Bitmap().Image();
    const QImage preview = form.Image2->Picture().Bitmap().Image();
    QByteArray wide(2 + 18 * 9 * 15 + EpaFormat::TrailerSize, 0);
    wide[0] = 18;
    wide[1] = 9;
    dir.Write("wide.epa", wide);
    dir.Write("short.epa", SavedLogo(1).left(2000));
    for (const QString& name : {QString("wide.epa"), QString("short.epa")}) {
        Run(form.sohoTextButton5, {{mrOk, dir.Path(name)}});
        ASSERT_EQ(Errors().size(), 1) << name.toStdString();
        EXPECT_TRUE(Errors()[0].contains(name)) << Errors()[0].toStdString();
        EXPECT_EQ(form.Image1->Picture().Bitmap().Image(), drawing);
        EXPECT_EQ(form.Image2->Picture().Bitmap().Image(), preview);
        EXPECT_EQ(form.ShadowLabel8->Caption(), "Adsız");
        EXPECT_FALSE(form.sohoTextButton6->Enabled());
    }
    EXPECT_TRUE(Errors()[0].contains("2000")) << "the reader says why";
    EXPECT_EQ(dir.Names(), (QStringList{"short.epa", "wide.epa"}));
    for (int entry : form.ColorTable().Entries())
        ASSERT_EQ(entry, 15);
}

TEST_F(PictureCommands, ThePreviewShowsTheStoredColoursAfterEveryConversion) {
    mouse::Click(*form.Image1, QPoint(0, 0));  // cell (0, 0)
    mouse::Click(*form.Image1, QPoint(8, 0));  // cell (1, 0)
    mouse::Click(*form.Image1, QPoint(16, 0)); // cell (2, 0)
    Run(form.sohoTextButton4, {});
    TCanvas& preview = form.Image2->Canvas();
    EXPECT_EQ(preview.Pixel(0, 0), clWhite);
    const auto colour = [&](int index, QPoint cell) {
        PickColour(index);
        mouse::Click(*form.Image2, cell);
    };
    colour(1, QPoint(0, 0));  // maroon
    colour(0, QPoint(9, 0));  // black
    colour(7, QPoint(18, 0)); // silver
    EXPECT_EQ(preview.Pixel(9, 0), clBlack);
    EXPECT_EQ(preview.Pixel(18, 0), clSilver);
    colour(12, QPoint(9, 0));  // blue after black
    colour(10, QPoint(18, 0)); // lime after silver
    EXPECT_EQ(preview.Pixel(9, 0), clBlue);
    EXPECT_EQ(preview.Pixel(18, 0), clLime);

    mouse::Click(*form.Image1, QPoint(1, 0));
    Run(form.sohoTextButton4, {});
    EXPECT_EQ(preview.Pixel(0, 0), clMaroon) << "converting again keeps the colours shown";
    EXPECT_EQ(preview.Pixel(1, 0), clMaroon);
    EXPECT_EQ(preview.Pixel(9, 0), clBlue);
    EXPECT_EQ(preview.Pixel(18, 0), clLime);
    EXPECT_EQ(preview.Pixel(27, 0), clBlack) << "nothing lit in cell (3, 0)";
}

TEST_F(PictureCommands, ScreenshotsAfterLoadingEachKind) {
    for (const QString fixture :
         {"pictures/logo.bmp", "pictures/logo.png", "pictures/logo.jpg", "pictures/logo.gif",
          "pictures/large.png", "ico/sizes.ico", "metafile/libreoffice-shapes.emf",
          "metafile/inkscape-picture.wmf"}) {
        const QString name = QFileInfo(fixture).fileName();
        dir.Write(name, TestData(fixture));
        Run(form.sohoTextButton2, {{mrOk, dir.Path(name)}});
        ASSERT_TRUE(Errors().isEmpty()) << name.toStdString();
        const QImage shot = form.grab().toImage();
        EXPECT_EQ(shot.size(), QSize(545, 328));
        SaveScreenshot(shot, QStringLiteral("loaded-%1.png").arg(QString(name).replace('.', '-')));
    }
}

TEST_F(PictureCommands, ScreenshotAfterLoadingAColouredLogoInEnglish) {
    dir.Write("logo.bmp", TestData("pictures/logo.bmp"));
    Run(form.sohoTextButton2, {{mrOk, dir.Path("logo.bmp")}});
    Run(form.sohoTextButton4, {});
    PickColour(9);
    mouse::Click(*form.Image2, QPoint(20, 20));
    PickColour(11);
    mouse::Click(*form.Image2, QPoint(110, 85));
    Run(form.sohoTextButton6, {{mrOk, "coloured"}, {mrOk, {}}});
    Run(form.sohoTextButton1, {{mrYes, {}}});
    form.ComboBox1->setCurrentIndex(1);
    Run(form.sohoTextButton5, {{mrOk, dir.Path("coloured.epa")}});
    ASSERT_TRUE(Errors().isEmpty()) << Errors().join(' ').toStdString();
    EXPECT_EQ(form.Image2->Canvas().Pixel(20, 20), clRed);
    EXPECT_EQ(form.Image2->Canvas().Pixel(110, 85), clYellow);
    EXPECT_EQ(form.Image2->Canvas().Pixel(120, 85), clWhite);
    SaveScreenshot(form.grab().toImage(), QStringLiteral("loaded-epa.png"));
}

// What `varnel FILE` does: an .epa as Load EPA, anything else as Load BMP, a bad file failing as
// the command would.
TEST_F(PictureCommands, OpenTakesALogoAsLoadEpaAndAPictureAsLoadBmp) {
    const QByteArray logo = SavedLogo(3);
    dir.Write("given.EPA", logo);
    form.Open(dir.Path("given.EPA"));
    EXPECT_EQ(form.ShadowLabel8->Caption(), "given.EPA");
    EXPECT_EQ(form.ColorTable().At(1, 0), uchar(logo[3]));
    EXPECT_TRUE(form.sohoTextButton6->Enabled());

    dir.Write("drawing.bmp", TestData("pictures/logo.bmp"));
    form.Open(dir.Path("drawing.bmp"));
    EXPECT_EQ(form.ShadowLabel7->Caption(), "drawing.bmp");

    dir.Write("broken.epa", "no logo");
    EXPECT_THROW(form.Open(dir.Path("broken.epa")), Exception);
    EXPECT_EQ(form.ShadowLabel7->Caption(), "drawing.bmp") << "a bad file changes nothing";
}

TEST_F(PictureCommands, LoadEpaOpensTheLogoOfABiosImageAndSaysWhatAnotherImageHolds) {
    const QByteArray logo = SavedLogo(3);
    dir.Write("bios.bin",
              ImageBuilder::Build(128 * ImageBuilder::K, ImageBuilder::TypicalModules(logo)));
    dir.Write("awbm.rom",
              ImageBuilder::Build(128 * ImageBuilder::K,
                                  ImageBuilder::TypicalModules(ImageBuilder::Awbm(136, 84))));
    Run(form.sohoTextButton5, {{mrOk, dir.Path("awbm.rom")}});
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Errors()[0].contains("holds an AWBM logo, 136 x 84 pixels"))
        << Errors()[0].toStdString();
    EXPECT_FALSE(form.sohoTextButton6->Enabled());

    Run(form.sohoTextButton5, {{mrOk, dir.Path("bios.bin")}});
    EXPECT_TRUE(Errors().isEmpty()) << Errors().join(' ').toStdString();
    EXPECT_EQ(form.ShadowLabel8->Caption(), "bios.bin");
    const TEpaLogo shown = TEpaLogo::Parse(logo, "x");
    for (int r = 0; r < shown.Rows(); ++r)
        for (int c = 0; c < shown.Columns(); ++c)
            ASSERT_EQ(form.ColorTable().At(c, r), shown.Attribute(c, r));
}
