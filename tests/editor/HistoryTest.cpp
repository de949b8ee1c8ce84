#include "controls/ShadowLabel.h"
#include "controls/TextListBox.h"
#include "editor/BiosView.h"
#include "editor/EditHistory.h"
#include "logo/EpaLogo.h"
#include "logo/Templates.h"
#include "logo/WorkingFiles.h"
#include "runtime/Bitmap.h"
#include "runtime/Image.h"
#include "runtime/Panel.h"
#include "tests/editor/WindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {

class History : public WindowFixture {
protected:
    // Keys go where the user's keys go: to the focused widget, the language list at first.
    void Keys(Qt::KeyboardModifiers modifiers, Qt::Key key) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClick(focused, key, modifiers);
    }
    void Undo() { Keys(Qt::ControlModifier, Qt::Key_Z); }
    void Redo() { Keys(Qt::ControlModifier, Qt::Key_Y); }
    void Stroke(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
        mouse::Press(*form.Image1, from, button);
        mouse::Move(*form.Image1, to);
        mouse::Release(*form.Image1, to, button);
    }
    TColor Drawn(int x, int y) { return form.Image1->Canvas().Pixel(x, y); }
    TColor Previewed(int x, int y) { return form.Image2->Canvas().Pixel(x, y); }
    QImage DrawingNow() { return form.Image1->Picture().Bitmap().Image(); }
    QImage PreviewNow() { return form.Image2->Picture().Bitmap().Image(); }
    void Save(const QString& name) {
        Run(form.sohoTextButton6, {{mrOk, name}, {mrOk, {}}});
        ASSERT_TRUE(Errors().isEmpty()) << Errors().join(' ').toStdString();
    }
};

} // namespace

TEST_F(History, StrokesGoAndComeBackOneAtATimeWhateverHasTheFocus) {
    ASSERT_EQ(QApplication::focusWidget(), form.ComboBox1);
    Stroke({5, 5}, {20, 5});
    Stroke({5, 30}, {20, 30}, Qt::RightButton);
    Stroke({5, 50}, {20, 50});
    ASSERT_EQ(Drawn(10, 50), clWhite);

    Undo();
    EXPECT_EQ(Drawn(10, 50), clBlack);
    EXPECT_EQ(Drawn(10, 5), clWhite);
    EXPECT_EQ(form.ComboBox1->currentText(), "Tr - Türkçe") << "the list's text is left alone";
    Undo();
    Undo();
    EXPECT_EQ(DrawingNow(), Templates::BlankDrawing().Image());
    Undo();
    EXPECT_EQ(DrawingNow(), Templates::BlankDrawing().Image()) << "nothing older to undo";

    Redo();
    EXPECT_EQ(Drawn(10, 5), clWhite);
    Keys(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
    Redo();
    EXPECT_EQ(Drawn(10, 50), clWhite);
    Redo();
    EXPECT_EQ(form.History().RedoSteps(), 0);

    Undo();
    Stroke({30, 70}, {40, 70});
    EXPECT_EQ(form.History().RedoSteps(), 0) << "a new step drops what redo would bring back";
    Redo();
    EXPECT_EQ(Drawn(10, 50), clBlack);
    EXPECT_EQ(Drawn(35, 70), clWhite);
}

TEST_F(History, AStrokeUnderWayIsTheStepUndoneAndStopsDrawing) {
    mouse::Press(*form.Image1, {5, 5});
    mouse::Move(*form.Image1, {20, 5});
    Undo();
    EXPECT_EQ(Drawn(10, 5), clBlack);
    EXPECT_FALSE(form.Drawing());
    mouse::Move(*form.Image1, {20, 40});
    mouse::Release(*form.Image1, {20, 40});
    EXPECT_EQ(Drawn(20, 30), clBlack);
    EXPECT_EQ(form.History().UndoSteps(), 0);
    Redo();
    EXPECT_EQ(Drawn(10, 5), clWhite);
}

TEST_F(History, AtLeastSixtyFourStepsAreKept) {
    for (int i = 0; i < 70; ++i)
        mouse::Click(*form.Image1, QPoint(i % 130, 2 + i / 130));
    for (int i = 0; i < 70; ++i)
        Undo();
    EXPECT_EQ(DrawingNow(), Templates::BlankDrawing().Image());
    for (int i = 0; i < 70; ++i)
        Redo();
    EXPECT_EQ(Drawn(69, 2), clWhite);
}

TEST_F(History, ColouringsGoBackInTableAndPreviewAndABlankOneIsNoStep) {
    Stroke({0, 0}, {30, 0});
    Run(form.sohoTextButton4, {});
    const int steps = form.History().UndoSteps();
    PickColour(1); // maroon: text-mode red
    mouse::Click(*form.Image2, QPoint(2, 2));
    mouse::Click(*form.Image2, QPoint(3, 3));
    PickColour(12); // blue: text-mode light blue
    mouse::Click(*form.Image2, QPoint(11, 2));
    ASSERT_EQ(form.History().UndoSteps(), steps + 2) << "the same colour again changes nothing";

    Undo();
    EXPECT_EQ(form.ColorTable().At(1, 0), 15);
    EXPECT_EQ(Previewed(10, 0), clWhite);
    EXPECT_EQ(form.ColorTable().At(0, 0), 4);
    EXPECT_EQ(Previewed(1, 0), clMaroon);
    Undo();
    EXPECT_EQ(form.ColorTable().At(0, 0), 15);
    EXPECT_EQ(Previewed(1, 0), clWhite);
    Redo();
    Redo();
    EXPECT_EQ(form.ColorTable().At(1, 0), 9);
    EXPECT_EQ(Previewed(10, 0), clBlue);

    // The colour a later click paints still follows the lit pixels the undo gave back.
    Undo();
    PickColour(10);
    mouse::Click(*form.Image2, QPoint(11, 2));
    EXPECT_EQ(Previewed(10, 0), clLime);
    EXPECT_EQ(Previewed(10, 1), clBlack);
}

TEST_F(History, NewGoesBackWithPicturesColoursAndNamesInTheLanguageShown) {
    dir.Write("logo.bmp", TestData("pictures/logo.bmp"));
    Run(form.sohoTextButton2, {{mrOk, dir.Path("logo.bmp")}});
    Run(form.sohoTextButton4, {});
    PickColour(4);
    mouse::Click(*form.Image2, QPoint(2, 2));
    const QImage drawing = DrawingNow();
    const QImage preview = PreviewNow();
    const TColorTable colors = form.ColorTable();

    Run(form.sohoTextButton1, {{mrYes, {}}});
    ASSERT_EQ(form.ShadowLabel7->Caption(), "Yeni");
    form.ComboBox1->setCurrentIndex(1);
    Stroke({5, 5}, {9, 5});
    Undo();
    EXPECT_EQ(form.ShadowLabel7->Caption(), "New") << "no name yet, in the language chosen";
    EXPECT_EQ(form.ShadowLabel8->Caption(), "noname");
    Undo();
    EXPECT_EQ(DrawingNow(), drawing);
    EXPECT_EQ(PreviewNow(), preview);
    EXPECT_EQ(form.ColorTable().Entries(), colors.Entries());
    EXPECT_EQ(form.ShadowLabel7->Caption(), "logo.bmp");
    Redo();
    EXPECT_EQ(DrawingNow(), Templates::BlankDrawing().Image());
    EXPECT_EQ(PreviewNow(), Templates::BlankPreview().Image());
    EXPECT_EQ(form.ShadowLabel7->Caption(), "New");
    EXPECT_TRUE(Errors().isEmpty());
}

TEST_F(History, AFailedLoadIsNoStepAndUndoAfterItTakesBackTheLoadBeforeIt) {
    dir.Write("logo.bmp", TestData("pictures/logo.bmp"));
    dir.Write("broken.bmp", "BM not a bitmap");
    Run(form.sohoTextButton2, {{mrOk, dir.Path("logo.bmp")}});
    const QImage loaded = DrawingNow();
    const int steps = form.History().UndoSteps();
    Run(form.sohoTextButton2, {{mrOk, dir.Path("broken.bmp")}});
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Errors().isEmpty(); }));
    ASSERT_EQ(Errors().size(), 1);
    EXPECT_EQ(form.History().UndoSteps(), steps);
    EXPECT_EQ(DrawingNow(), loaded);

    Undo();
    EXPECT_EQ(DrawingNow(), Templates::BlankDrawing().Image());
    EXPECT_EQ(form.ShadowLabel7->Caption(), "Yeni");
    Redo();
    EXPECT_EQ(DrawingNow(), loaded);
    EXPECT_EQ(form.ShadowLabel7->Caption(), "logo.bmp");
}

// What the save writes always matches what the window shows, so undoing a conversion or a
// loaded logo gives back the byte rows the save reads.
TEST_F(History, UndoneConversionsAndLoadsGiveBackWhatTheSaveWrites) {
    Stroke({0, 0}, {40, 40});
    Run(form.sohoTextButton4, {});
    PickColour(9);
    mouse::Click(*form.Image2, QPoint(2, 2));
    Save("first");

    Stroke({100, 10}, {130, 100});
    Run(form.sohoTextButton4, {});
    Undo();
    Undo();
    EXPECT_EQ(form.ShadowLabel8->Caption(), "first.epa") << "a save's name outlasts an undo";
    Save("again");
    EXPECT_EQ(dir.Read("again.epa"), dir.Read("first.epa"));

    Stroke({60, 60}, {70, 60});
    Run(form.sohoTextButton4, {});
    Save("second");
    ASSERT_NE(dir.Read("second.epa"), dir.Read("first.epa"));
    Run(form.sohoTextButton5, {{mrOk, dir.Path("first.epa")}});
    Undo();
    Save("back");
    EXPECT_EQ(dir.Read("back.epa"), dir.Read("second.epa"));

    // Back before the first conversion there is nothing to save.
    while (form.History().UndoSteps() > 0)
        Undo();
    EXPECT_FALSE(form.sohoTextButton6->Enabled());
    Redo();
    Redo();
    EXPECT_TRUE(form.sohoTextButton6->Enabled());
    EXPECT_TRUE(Errors().isEmpty()) << Errors().join(' ').toStdString();
}

TEST(EditHistory, LargePicturesAreForgottenOldestFirstToStayWithinItsMemory) {
    TEditHistory history;
    const auto state = [] {
        TEditState state;
        state.drawing = std::make_shared<TBitmap>(2048, 2048, TPixelFormat::pf1bit);
        return state;
    };
    for (int i = 0; i < 40; ++i)
        history.Record(state());
    EXPECT_EQ(history.UndoSteps(), int(TEditHistory::MaxBytes / (2048 * 2048 * 4)) - 1);
    for (int i = 0; i < 2; ++i)
        history.Record(TEditState{});
    EXPECT_GE(history.UndoSteps(), 1);
}

TEST_F(History, AnUndoThatCannotWriteTheByteRowsBackChangesNothing) {
    Stroke({0, 0}, {40, 40});
    Run(form.sohoTextButton4, {});
    Stroke({50, 0}, {90, 40});
    Run(form.sohoTextButton4, {});
    const QImage preview = PreviewNow();
    const QByteArray rows = dir.Read(WorkingFiles::ByteRows);
    ASSERT_TRUE(QFile::remove(dir.Path(WorkingFiles::ByteRows)));
    ASSERT_TRUE(QFile::link(dir.Path("elsewhere"), dir.Path(WorkingFiles::ByteRows)));

    Undo();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Errors().isEmpty(); }));
    EXPECT_EQ(PreviewNow(), preview);
    EXPECT_EQ(form.History().RedoSteps(), 0);
    EXPECT_FALSE(dir.Exists("elsewhere")) << "never written through a link";
}

TEST_F(History, UnderTheHelpTheKeysWaitAndUnderTheAboutPanelOnlyCtrlBDoes) {
    Stroke({5, 5}, {20, 5});
    Press(form.sohoTextButton8);
    ASSERT_TRUE(form.tlb1->isVisible());
    Undo();
    Keys(Qt::ControlModifier, Qt::Key_B);
    EXPECT_EQ(Drawn(10, 5), clWhite);
    EXPECT_FALSE(form.BiosView1->isVisible());
    mouse::Click(*form.Button1, QPoint(20, 10));
    ASSERT_FALSE(form.tlb1->isVisible());

    Press(form.sohoTextButton7);
    ASSERT_TRUE(form.Panel1->isVisible());
    Keys(Qt::ControlModifier, Qt::Key_B);
    EXPECT_FALSE(form.BiosView1->isVisible());
    Undo();
    EXPECT_EQ(Drawn(10, 5), clBlack) << "the drawing beside the panel is in sight";
}

// Text typed into the language list is the list's own to undo until the next step; after a
// step Ctrl+Z undoes steps again, with the list still focused.
TEST_F(History, CtrlZUndoesTypingInTheLanguageListUntilTheNextStep) {
    Stroke({5, 5}, {20, 5});
    QLineEdit* text = form.ComboBox1->lineEdit();
    text->selectAll();
    QTest::keyClicks(form.ComboBox1, "Xy");
    ASSERT_EQ(text->text(), "Xy");
    Undo();
    EXPECT_NE(text->text(), "Xy");
    EXPECT_EQ(Drawn(10, 5), clWhite) << "the stroke stays";

    QTest::keyClicks(form.ComboBox1, "Q");
    Stroke({5, 40}, {20, 40});
    const QString typed = text->text();
    Undo();
    EXPECT_EQ(Drawn(10, 40), clBlack);
    EXPECT_EQ(text->text(), typed);
}
