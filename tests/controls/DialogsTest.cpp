#include "controls/ConfirmDialog.h"
#include "controls/InfoDialog.h"
#include "runtime/ModalPrompts.h"
#include "tests/Modal.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
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

// What the person sees: the title, the texts, the buttons.
QStringList Look(const QDialog& dialog) {
    QStringList seen = {dialog.windowTitle()};
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (!label->text().isEmpty())
            seen.append(label->text());
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        seen.append(button->text());
    return seen;
}

TEST(Dialogs, RunThroughThePromptsAndConfirmOnlyOnYes) {
    QList<QStringList> seen;
    int result = mrYes;
    TModalPrompts::SetResponder([&](const TPrompt& prompt) {
        seen.append(Look(*prompt.dialog));
        return TPromptAnswer{result, {}};
    });
    const TProConfirmDialog confirmation = EditorsConfirmation();
    EXPECT_TRUE(confirmation.Execute());
    result = mrNo;
    EXPECT_FALSE(confirmation.Execute());
    result = mrCancel;
    EXPECT_FALSE(confirmation.Execute());
    TProInfoDialog information;
    information.SetInfoMessage(QStringLiteral("Dosya aktif dizine yaratıldı."));
    information.Execute();
    TModalPrompts::SetResponder({});

    ASSERT_EQ(seen.size(), 4);
    EXPECT_EQ(seen[0], (QStringList{confirmation.Caption(), confirmation.Condition(),
                                    confirmation.Description(), confirmation.Question(), "&Yes",
                                    "&No", "Cancel"}));
    EXPECT_EQ(seen[3], (QStringList{"Information", information.InfoMessage(), "OK"}));
}

// Presses the dialog's button of that caption.
auto Press(const QString& text) {
    return [text](QWidget& dialog) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == text)
                return button->click();
        ADD_FAILURE() << "no button " << text.toStdString();
    };
}

// Without a responder the real window is shown, and Execute waits for a person's answer.
TEST(Dialogs, ThePersonsAnswerIsTheResult) {
    const TProConfirmDialog confirmation = EditorsConfirmation();
    modal::Answer([&] { EXPECT_TRUE(confirmation.Execute()); }, Press("&Yes"));
    modal::Answer([&] { EXPECT_FALSE(confirmation.Execute()); },
                  [](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    modal::Answer([] { TProInfoDialog().Execute(); }, Press("OK"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
