#include "controls/ConfirmDialog.h"
#include "controls/InfoDialog.h"
#include "runtime/ModalPrompts.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TProConfirmDialog EditorsConfirmation() {
    TProConfirmDialog dialog;
    dialog.SetCaption(QStringLiteral("ONAYLAMA  -  CONFIRMATION"));
    dialog.SetDescription(QStringLiteral("Yeni Dosya Açılacak, EMİN MİSİNİZ ?"));
    dialog.SetCondition(QStringLiteral("Açıklama : Ekrandaki BMP ve EPA logoları silinecek."));
    dialog.SetQuestion(QStringLiteral("BMP and EPA images will be deleted! Are you sure? "));
    return dialog;
}

// What the person sees: the window's title, its texts and its buttons.
struct Seen {
    QString title;
    QStringList labels;
    QStringList buttons;
};

Seen Look(const QDialog& dialog) {
    Seen seen{dialog.windowTitle(), {}, {}};
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (!label->text().isEmpty())
            seen.labels.append(label->text());
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        seen.buttons.append(button->text());
    return seen;
}

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TModalPrompts::SetResponder([this](const TPrompt& prompt) {
            asked.append(prompt);
            seen.append(Look(*prompt.dialog));
            return TPromptAnswer{result, {}};
        });
    }
    void TearDown() override { TModalPrompts::SetResponder({}); }

    QList<TPrompt> asked;
    QList<Seen> seen;
    int result = mrCancel;
};

TEST_F(DialogsTest, ConfirmationIsTrueOnlyForYes) {
    const TProConfirmDialog dialog = EditorsConfirmation();
    result = mrYes;
    EXPECT_TRUE(dialog.Execute());
    result = mrNo;
    EXPECT_FALSE(dialog.Execute());
    result = mrCancel;
    EXPECT_FALSE(dialog.Execute());

    ASSERT_EQ(asked.size(), 3);
    EXPECT_EQ(asked[0].kind, TPromptKind::pkConfirmation);
    EXPECT_EQ(asked[0].caption, dialog.Caption());
    EXPECT_EQ(seen[0].title, dialog.Caption());
    EXPECT_EQ(seen[0].labels,
              (QStringList{dialog.Condition(), dialog.Description(), dialog.Question()}));
    EXPECT_EQ(seen[0].buttons, (QStringList{"&Yes", "&No", "Cancel"}));
}

TEST_F(DialogsTest, InformationShowsItsMessageWithOneButton) {
    TProInfoDialog dialog;
    dialog.SetInfoMessage(
        QStringLiteral("Dosya aktif dizine yaratıldı. (file in current directory!)"));
    dialog.SetAlignment(taCenter);
    dialog.Execute();

    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].kind, TPromptKind::pkInformation);
    EXPECT_EQ(seen[0].title, "Information"); // no caption set
    EXPECT_EQ(seen[0].labels, QStringList{dialog.InfoMessage()});
    EXPECT_EQ(seen[0].buttons, QStringList{"OK"});
}

// Without a responder the real window is shown, and Execute waits until a person answers.
QPushButton* Button(const QString& text) {
    for (QPushButton* button : QApplication::activeModalWidget()->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

TEST(Dialogs, ThePersonsAnswerIsTheResult) {
    const TProConfirmDialog confirmation = EditorsConfirmation();
    QTimer::singleShot(0, [] { Button("&Yes")->click(); });
    EXPECT_TRUE(confirmation.Execute());
    QTimer::singleShot(0,
                       [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    EXPECT_FALSE(confirmation.Execute());

    QTimer::singleShot(0, [] { Button("OK")->click(); });
    TProInfoDialog().Execute();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
