#include "controls/TextListBox.h"
#include "controls/UrlLabel.h"
#include "editor/FocusMark.h"
#include "runtime/Image.h"
#include "runtime/Panel.h"
#include "runtime/Shell.h"
#include "tests/editor/WindowFixture.h"

#include <QComboBox>
#include <QTest>

namespace {

class Keyboard : public WindowFixture {
protected:
    void SetUp() override { QApplication::setActiveWindow(&form); }
    // Answers the next prompts from `script`, presses the keys and gives the kinds asked.
    QList<TPromptKind> Keys(Qt::Key key, Qt::KeyboardModifiers shift,
                            QList<TPromptAnswer> script = {}) {
        answers = std::move(script);
        asked.clear();
        QTest::keyClick(form.windowHandle(), key, shift);
        QList<TPromptKind> kinds;
        for (const TPrompt& prompt : asked)
            kinds.append(prompt.kind);
        return kinds;
    }
};

// With the focus in the language list, whose text field has first pick of the keys.
TEST_F(Keyboard, EachShortcutRunsItsButtonsCommand) {
    ASSERT_TRUE(form.ComboBox1->hasFocus());
    mouse::Click(*form.Image1, QPoint(3, 3));
    Keys(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(form.sohoTextButton6->Enabled()) << "converted";
    using K = QList<TPromptKind>;
    EXPECT_EQ(Keys(Qt::Key_N, Qt::ControlModifier, {{mrYes, {}}}), K{TPromptKind::pkConfirmation});
    EXPECT_FALSE(form.sohoTextButton6->Enabled()) << "started over";
    Keys(Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_TRUE(form.sohoTextButton6->Enabled()) << "converted from the keypad's Enter";

    const K saved{TPromptKind::pkInputBox, TPromptKind::pkInformation};
    EXPECT_EQ(Keys(Qt::Key_S, Qt::ControlModifier, {{mrOk, "logo"}}), saved);
    EXPECT_EQ(Keys(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, {{mrOk, "pic"}}), saved);
    EXPECT_TRUE(dir.Exists("logo.epa") && dir.Exists("pic.bmp"));
    EXPECT_EQ(Keys(Qt::Key_O, Qt::ControlModifier), K{TPromptKind::pkOpenPicture});
    EXPECT_EQ(asked[0].filters[1].patterns, "*.jpg") << "Load BMP's picture kinds";
    EXPECT_EQ(Keys(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier),
              K{TPromptKind::pkOpenPicture});
    EXPECT_EQ(asked[0].filters[0].patterns, "*.epa") << "Load EPA's";

    Keys(Qt::Key_F1, Qt::NoModifier);
    EXPECT_TRUE(form.tlb1->isVisible());
    EXPECT_TRUE(Keys(Qt::Key_N, Qt::ControlModifier).isEmpty()) << "New lies under the help";
    Keys(Qt::Key_Escape, Qt::NoModifier);
    EXPECT_FALSE(form.tlb1->isVisible());
    EXPECT_TRUE(form.ComboBox1->hasFocus());
    EXPECT_TRUE(Errors().isEmpty());

    Keys(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form.isVisible());
}

// Tab reaches every command button and marks it; what the about panel covers it passes over,
// and a covered button takes no key.
TEST_F(Keyboard, TabReachesEveryButtonAndSpaceOrEnterPressesIt) {
    QSet<QWidget*> reached;
    for (int i = 0; i < 16; ++i) {
        Keys(Qt::Key_Tab, Qt::NoModifier);
        reached.insert(QApplication::focusWidget());
        if (QApplication::focusWidget() == form.sohoTextButton2) {
            EXPECT_EQ(form.FocusMark1->parentWidget(), form.sohoTextButton2);
        }
    }
    for (QWidget* button :
         QList<QWidget*>{form.sohoTextButton1, form.sohoTextButton2, form.sohoTextButton3,
                         form.sohoTextButton4, form.sohoTextButton5, form.sohoTextButton7,
                         form.sohoTextButton8, form.sohoTextButton9, form.ColorGrid1})
        EXPECT_TRUE(reached.contains(button)) << button->objectName().toStdString();
    EXPECT_FALSE(reached.contains(form.sohoTextButton6)) << "disabled until a conversion";

    form.sohoTextButton7->setFocus();
    ASSERT_TRUE(form.FocusMark1->isVisible());
    Keys(Qt::Key_Space, Qt::NoModifier);
    ASSERT_TRUE(form.Panel1->isVisible());
    for (int i = 0; i < 16; ++i) {
        Keys(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_NE(QApplication::focusWidget(), form.sohoTextButton1) << "under the panel";
    }
    form.sohoTextButton1->setFocus();
    EXPECT_TRUE(Keys(Qt::Key_Return, Qt::NoModifier).isEmpty());
    Keys(Qt::Key_Escape, Qt::NoModifier);
    EXPECT_FALSE(form.Panel1->isVisible());
    EXPECT_EQ(Keys(Qt::Key_Return, Qt::NoModifier, {{mrNo, {}}}),
              QList<TPromptKind>{TPromptKind::pkConfirmation});
}

// Tab reaches the two links after the window's own buttons, marks them as it marks a button,
// and Space or Enter opens the address, as a click does; a key with Ctrl opens nothing.
TEST_F(Keyboard, TabReachesTheLinksWhichSpaceOrEnterOpens) {
    QList<QUrl> opened;
    TShell::SetOpener([&](const QUrl& url) { opened.append(url); });
    form.sohoTextButton9->setFocus();
    Keys(Qt::Key_Tab, Qt::NoModifier);
    ASSERT_EQ(QApplication::focusWidget(), form.ProUrlLabel1);
    EXPECT_TRUE(form.FocusMark1->isVisible());
    EXPECT_EQ(form.FocusMark1->parentWidget(), form.ProUrlLabel1);
    EXPECT_EQ(form.FocusMark1->geometry(), form.ProUrlLabel1->rect());
    Keys(Qt::Key_Return, Qt::NoModifier);
    Keys(Qt::Key_Tab, Qt::NoModifier);
    ASSERT_EQ(QApplication::focusWidget(), form.ProUrlLabel2);
    Keys(Qt::Key_Space, Qt::ControlModifier);
    Keys(Qt::Key_Space, Qt::NoModifier);
    Keys(Qt::Key_Enter, Qt::KeypadModifier);
    TShell::SetOpener({});
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened[0].toString(), form.ProUrlLabel1->URL());
    EXPECT_TRUE(opened[1].toString().endsWith(form.ProUrlLabel2->URL())) << "mailto: before it";
    EXPECT_TRUE(form.ProUrlLabel1->Visited());
    Keys(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), form.ProUrlLabel1);
    EXPECT_EQ(form.FocusMark1->parentWidget(), form.ProUrlLabel1);
}

} // namespace
