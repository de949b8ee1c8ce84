#include "runtime/ModalPrompts.h"
#include "runtime/Control.h"
#include "runtime/Exception.h"
#include "tests/Modal.h"
#include "tests/Mouse.h"
#include "tests/TestDir.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

// Answers every prompt with `answer` and keeps what was asked.
class ModalPromptsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TModalPrompts::SetResponder([this](const TPrompt& prompt) {
            asked.append(prompt);
            return answer;
        });
    }
    void TearDown() override { TModalPrompts::SetResponder({}); }

    QList<TPrompt> asked;
    TPromptAnswer answer;
};

TEST_F(ModalPromptsTest, InputBoxGivesTheEditedTextOnOkAndTheDefaultOtherwise) {
    answer = {mrOk, QStringLiteral("logo")};
    EXPECT_EQ(TModalPrompts::InputBox("Dosya Adı", "Name:", "Adsız"), "logo");
    answer = {mrCancel, QStringLiteral("typed, then cancelled")};
    EXPECT_EQ(TModalPrompts::InputBox("Dosya Adı", "Name:", "Adsız"), "Adsız");
    EXPECT_EQ(asked[1].kind, TPromptKind::pkInputBox);
    EXPECT_EQ(asked[1].caption, "Dosya Adı");
    EXPECT_EQ(asked[1].texts, QStringList{"Name:"});
    EXPECT_EQ(asked[1].value, "Adsız");
}

TEST_F(ModalPromptsTest, OpenPictureOpensInTheFolderAskedForAndLeavesTheCurrentOne) {
    const QString before = QDir::currentPath();
    const TestDir dir;
    const QList<TFileFilter> filters = {{"Bitmaps (*.bmp)", "*.bmp"}, {"All (*.*)", "*.*"}};
    EXPECT_EQ(TModalPrompts::OpenPicture(filters, dir.Path(".")), std::nullopt);

    answer = {mrOk, dir.Path("logo.bmp")};
    EXPECT_EQ(TModalPrompts::OpenPicture(filters, dir.Path(".")), dir.Path("logo.bmp"));
    EXPECT_EQ(QDir::currentPath(), before);
    EXPECT_EQ(asked[1].value, dir.Path("."));
    EXPECT_EQ(asked[1].filters[0].description, "Bitmaps (*.bmp)");
}

// A failing handler ends where the event loop called it; the user reads its message and the
// program goes on taking events.
TEST_F(ModalPromptsTest, AnExceptionFromAHandlerEndsInTheErrorBox) {
    QWidget window;
    window.resize(100, 100);
    auto* control = new TControl(&window);
    control->SetBounds(0, 0, 50, 50);
    int clicks = 0;
    control->OnClick = [&](TControl&) {
        if (++clicks == 1)
            throw Exception(QStringLiteral("File not found"));
        throw std::runtime_error("bad allocation");
    };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    mouse::Click(*control, QPoint(5, 5));
    mouse::Click(*control, QPoint(5, 5));
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0].kind, TPromptKind::pkError);
    EXPECT_EQ(asked[0].texts, QStringList{"File not found"});
    EXPECT_EQ(asked[1].texts, QStringList{"bad allocation"});
}

// Whatever the event, its delivery is finished before the error box opens.
TEST_F(ModalPromptsTest, TheErrorBoxWaitsUntilTheFailedEventIsDelivered) {
    struct Failing : QObject {
        bool event(QEvent*) override { throw Exception(QStringLiteral("Disk full")); }
    } receiver;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&receiver, &event);
    EXPECT_TRUE(asked.isEmpty());
    QCoreApplication::processEvents();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].texts, QStringList{"Disk full"});
}

TEST(ModalPrompts, WithoutAResponderAPersonIsAsked) {
    // Closed with its close box, the real input box gives the default.
    modal::Answer([] { EXPECT_EQ(TModalPrompts::InputBox("Caption", "Prompt", "Adsız"), "Adsız"); },
                  [](QWidget& box) { box.close(); });
}

} // namespace
