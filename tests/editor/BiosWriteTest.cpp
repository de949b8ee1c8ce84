#include "editor/BiosView.h"
#include "logo/EpaFormat.h"
#include "logo/EpaLogo.h"
#include "rom/AwardImage.h"
#include "rom/LogoReplacement.h"
#include "runtime/Image.h"
#include "tests/editor/WindowFixture.h"
#include "tests/rom/ImageBuilder.h"
#include "tests/rom/Lhasa.h"

#include <QApplication>
#include <QDir>

namespace {

using namespace ImageBuilder;

class BiosWrite : public WindowFixture {
protected:
    BiosWrite() {
        dir.Write("stock.bin", Build(128 * K, TypicalModules(Epa(17, 6, true, 0x18))));
        dir.Write("awbm.rom", Build(128 * K, TypicalModules(Awbm(136, 84))));
        dir.Write("mine.epa", Epa(17, 9, true, 0));
        form.Open(dir.Path("mine.epa"));
        // A colour of the user's own in the first cell.
        PickColour(9);
        mouse::Click(*form.Image2, QPoint(3, 3));
    }
    // Ctrl+Shift+R with the prompts answered from `script`; the BIOS view's logo is noted when
    // the crop is asked about.
    void Write(QList<TPromptAnswer> script) {
        watch = [this](const TPrompt& prompt) {
            if (prompt.kind == TPromptKind::pkConfirmation)
                cropShown = form.BiosView1->Logo();
        };
        Type(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier, std::move(script));
    }
    QStringList Files() const { return QDir(dir.Path(".")).entryList(QDir::Files); }

    QImage cropShown;
};

} // namespace

TEST_F(BiosWrite, CtrlShiftRWritesTheTopSixRowsAndKeepsTheEmblem) {
    const QByteArray input = dir.Read("stock.bin");
    Write({{mrOk, dir.Path("stock.bin")}, {mrYes, {}}, {mrOk, dir.Path("new.bin")}});
    ASSERT_TRUE(Errors().isEmpty()) << Errors().join(' ').toStdString();
    ASSERT_EQ(Kinds(), (QList<TPromptKind>{TPromptKind::pkOpenPicture, TPromptKind::pkConfirmation,
                                           TPromptKind::pkSaveFile, TPromptKind::pkInformation}));
    EXPECT_EQ(cropShown.size(), QSize(17 * 8, 6 * 14)) << "the view showed the crop";
    EXPECT_EQ(form.BiosView1->Logo().size(), QSize(17 * 8, 9 * 14)) << "and then the logo again";
    const QString report = asked.last().texts.join(' ');
    for (const char* expected : {"new.bin", "17 x 6 cells", "Free space left:", "bytes before 0x"})
        EXPECT_TRUE(report.contains(expected)) << report.toStdString();
    EXPECT_EQ(dir.Read("stock.bin"), input) << "the input is only read";

    const QByteArray bytes = dir.Read("new.bin");
    const TAwardImage image = TAwardImage::Parse(bytes, "new.bin");
    const QByteArray logo = LogoReplacement::UnpackedModule(image, image.LogoIndex());
    const TEpaLogo written = TEpaLogo::Parse(logo, "logo");
    ASSERT_EQ(std::pair(written.Columns(), written.Rows()), std::pair(17, 6));
    ASSERT_NE(form.ColorTable().At(0, 0), uchar(Epa(17, 9)[2])) << "the cell was coloured";
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 17; ++c)
            if (r < 5 || c < 16) {
                ASSERT_EQ(written.Attribute(c, r), form.ColorTable().At(c, r)) << c << "," << r;
            }
    EXPECT_EQ(written.Attribute(16, 5), EpaFormat::MarkerAttribute) << "the mark in its last cell";
    EXPECT_EQ(logo.right(EpaFormat::TrailerSize), QByteArray(EpaFormat::TrailerSize, 0x18));

    const TRomModule& module = image.Modules()[std::size_t(image.LogoIndex())];
    dir.Write("logo.lzh", bytes.mid(module.offset, module.member.Size()) + QByteArray(1, '\0'));
    EXPECT_TRUE(Lhasa::Tests(dir.Path("logo.lzh")));
    EXPECT_EQ(Lhasa::Extract(dir.Path("logo.lzh"), "awardepa.epa"), logo);
}

TEST_F(BiosWrite, NothingIsWrittenWhenTheCropIsDeclinedTheImageHoldsAwbmOrTheNameIsTaken) {
    const QStringList before = Files();
    Write({{mrOk, dir.Path("stock.bin")}, {mrNo, {}}});
    EXPECT_EQ(Kinds(),
              (QList<TPromptKind>{TPromptKind::pkOpenPicture, TPromptKind::pkConfirmation}));
    EXPECT_EQ(Files(), before);

    Write({{mrOk, dir.Path("awbm.rom")}});
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Errors()[0].contains("\"awbm.rom\" holds an AWBM logo, 136 x 84 pixels"))
        << Errors()[0].toStdString();
    EXPECT_EQ(Files(), before);

    Write({{mrOk, dir.Path("stock.bin")}, {mrYes, {}}, {mrOk, dir.Path("mine.epa")}});
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_TRUE(Errors()[0].contains("mine.epa\" already exists")) << Errors()[0].toStdString();
    EXPECT_EQ(dir.Read("mine.epa"), Epa(17, 9, true, 0));
    EXPECT_EQ(Files(), before);
}
