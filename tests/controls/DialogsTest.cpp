#include "controls/ConfirmDialog.h"
#include "controls/ConfirmForm.h"
#include "controls/InfoDialog.h"
#include "controls/InfoForm.h"
#include "runtime/Fonts.h"
#include "runtime/HelpRequests.h"
#include "runtime/ModalPrompts.h"
#include "runtime/Screen.h"
#include "tests/Modal.h"
#include "tests/Mouse.h"

#include <QAccessible>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TProConfirmDialog EditorsConfirmation() {
    TProConfirmDialog dialog;
    dialog.SetCaption(QStringLiteral("ONAYLAMA  -  CONFIRMATION"));
    dialog.SetCondition(QStringLiteral("Açıklama : Ekrandaki BMP ve EPA logoları silinecek. Bu "
                                       "işlemden önce KAYIT etmeyi unutmayınız..."));
    dialog.SetDescription(QStringLiteral("Yeni Dosya Açılacak, EMİN MİSİNİZ ?"));
    dialog.SetQuestion(QStringLiteral("BMP and EPA images will be deleted! Are you sure? "));
    return dialog;
}

TProInfoDialog EditorsInformation() {
    TProInfoDialog dialog;
    dialog.SetCaption(QStringLiteral("BILGI - INFORMATION"));
    dialog.SetInfoMessage(
        QStringLiteral("Dosya aktif dizine yaratıldı. (file in current directory!)"));
    dialog.SetAlignment(taCenter);
    return dialog;
}

TConfirmForm& AsConfirmForm(QWidget& window) {
    return dynamic_cast<TConfirmForm&>(window);
}

TInfoForm& AsInfoForm(QWidget& window) {
    return dynamic_cast<TInfoForm&>(window);
}

// The person's hand: a click in the middle of a button; a key to the control that has the
// focus, tried first as a shortcut as the window system does.
void Click(QWidget& button) {
    mouse::Click(button, button.rect().center());
}

void Key(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, key, modifiers);
}

// Each test lays the windows out for 120 pixels per inch unless it says otherwise, and sees
// which help topics were asked for.
class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TScreen::SetPixelsPerInch(120);
        THelpRequests::SetHandler([this](int topic) { topics.append(topic); });
    }
    void TearDown() override {
        TScreen::SetPixelsPerInch(0);
        THelpRequests::SetHandler({});
    }

    QList<int> topics;
};

// Buttons' places in the client area; a hidden button is left out.
QList<QRect> ButtonPlaces(QWidget& window) {
    QList<QRect> places;
    for (const TProButton* button : window.findChildren<TProButton*>())
        if (button->isVisible())
            places.append(button->geometry());
    return places;
}

TEST_F(DialogsTest, At120PixelsPerInchTheWindowsAreLaidOutAsDrawn) {
    TProConfirmDialog confirmation = EditorsConfirmation();
    modal::Answer(
        [&] { confirmation.Execute(); },
        [](QWidget& window) {
            TConfirmForm& form = AsConfirmForm(window);
            EXPECT_EQ(form.size(), QSize(450, 218));
            EXPECT_EQ(form.Bevel->geometry(), QRect(10, 10, 429, 156));
            EXPECT_EQ(form.Image->geometry(), QRect(15, 51, 48, 64));
            EXPECT_EQ(form.ConditionLabel->geometry(), QRect(70, 25, 356, 36));
            EXPECT_EQ(form.DescriptionLabel->geometry(), QRect(110, 72, 316, 36));
            EXPECT_EQ(form.QuestionLabel->geometry(), QRect(70, 120, 356, 36));
            EXPECT_EQ(ButtonPlaces(form),
                      (QList<QRect>{{65, 177, 100, 30}, {175, 177, 100, 30}, {285, 177, 100, 30}}));
            EXPECT_TRUE(form.HelpButton->isHidden());
            Key(form, Qt::Key_Escape);
        });
    confirmation.SetHelpContext(12);
    modal::Answer([&] { confirmation.Execute(); },
                  [](QWidget& window) {
                      EXPECT_EQ(ButtonPlaces(window), (QList<QRect>{{10, 177, 100, 30},
                                                                    {120, 177, 100, 30},
                                                                    {230, 177, 100, 30},
                                                                    {340, 177, 100, 30}}));
                      Key(window, Qt::Key_Escape);
                  });

    TProInfoDialog information = EditorsInformation();
    modal::Answer([&] { information.Execute(); },
                  [](QWidget& window) {
                      TInfoForm& form = AsInfoForm(window);
                      EXPECT_EQ(form.size(), QSize(402, 169));
                      EXPECT_EQ(form.Bevel->geometry(), QRect(10, 10, 381, 106));
                      EXPECT_EQ(form.Image->geometry(), QRect(15, 29, 48, 64));
                      EXPECT_EQ(form.InfoLabel->geometry(), QRect(70, 20, 311, 86));
                      EXPECT_EQ(ButtonPlaces(form), QList<QRect>{QRect(151, 128, 100, 30)});
                      Key(form, Qt::Key_Return);
                  });
    information.SetHelpContext(12);
    modal::Answer([&] { information.Execute(); },
                  [](QWidget& window) {
                      EXPECT_EQ(ButtonPlaces(window),
                                (QList<QRect>{{94, 128, 100, 30}, {208, 128, 100, 30}}));
                      Key(window, Qt::Key_Return);
                  });
}

// Every edge is scaled by 0.8 and rounded; so are the font and, unlike the classic window, the
// client area, so that the frame and buttons keep their margins.
TEST_F(DialogsTest, At96PixelsPerInchEveryEdgeTheFontAndTheWindowScale) {
    TScreen::SetPixelsPerInch(96);
    QWidget owner;
    owner.setFont(MakeFont(QStringLiteral("MS Sans Serif"), 11));
    TProConfirmDialog confirmation(&owner);
    modal::Answer(
        [&] { confirmation.Execute(); },
        [](QWidget& window) {
            TConfirmForm& form = AsConfirmForm(window);
            EXPECT_EQ(form.size(), QSize(360, 174));
            EXPECT_EQ(form.Bevel->geometry(), QRect(8, 8, 343, 125));
            EXPECT_EQ(form.Image->geometry(), QRect(12, 34, 48, 64));
            EXPECT_EQ(form.DescriptionLabel->geometry(), QRect(88, 58, 253, 28));
            EXPECT_EQ(ButtonPlaces(form),
                      (QList<QRect>{{52, 142, 80, 24}, {140, 142, 80, 24}, {228, 142, 80, 24}}));
            EXPECT_EQ(form.QuestionLabel->Font().pixelSize(), 9);
            EXPECT_EQ(form.YesButton->font().pixelSize(), 9);
            Key(form, Qt::Key_Escape);
        });
    confirmation.SetHelpContext(12);
    modal::Answer([&] { confirmation.Execute(); },
                  [](QWidget& window) {
                      EXPECT_EQ(ButtonPlaces(window), (QList<QRect>{{8, 142, 80, 24},
                                                                    {96, 142, 80, 24},
                                                                    {184, 142, 80, 24},
                                                                    {272, 142, 80, 24}}));
                      Key(window, Qt::Key_Escape);
                  });

    TProInfoDialog information(&owner);
    modal::Answer([&] { information.Execute(); },
                  [](QWidget& window) {
                      TInfoForm& form = AsInfoForm(window);
                      EXPECT_EQ(form.size(), QSize(322, 135));
                      EXPECT_EQ(form.Bevel->geometry(), QRect(8, 8, 305, 85));
                      EXPECT_EQ(form.Image->geometry(), QRect(12, 14, 48, 64));
                      EXPECT_EQ(ButtonPlaces(form), QList<QRect>{QRect(121, 102, 80, 24)});
                      Key(form, Qt::Key_Return);
                  });
    information.SetHelpContext(12);
    modal::Answer(
        [&] { information.Execute(); },
        [](QWidget& window) {
            EXPECT_EQ(ButtonPlaces(window), (QList<QRect>{{75, 102, 80, 24}, {166, 102, 80, 24}}));
            Key(window, Qt::Key_Return);
        });
}

// Not over the window that asks, which may stand anywhere.
TEST_F(DialogsTest, TheWindowStandsInTheMiddleOfTheScreen) {
    QWidget asking;
    asking.setGeometry(20, 30, 200, 100);
    asking.show();
    asking.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&asking));
    TProInfoDialog information = EditorsInformation();
    modal::Answer([&] { information.Execute(); },
                  [](QWidget& window) {
                      const QRect screen = window.screen()->geometry();
                      EXPECT_LE((window.geometry().center() - screen.center()).manhattanLength(),
                                1);
                      Key(window, Qt::Key_Return);
                  });
}

// What ends the confirmation, and how Execute and the Cancel record read it.
struct Ending {
    const char* name;
    std::function<void(TConfirmForm&)> act;
    bool yes;
    bool cancelled;
};

TEST_F(DialogsTest, OnlyYesConfirmsAndCancelOrTheCloseBoxIsRecordedAsCancel) {
    const Ending endings[] = {
        {"Yes clicked", [](TConfirmForm& form) { Click(*form.YesButton); }, true, false},
        {"No clicked", [](TConfirmForm& form) { Click(*form.NoButton); }, false, false},
        {"Cancel clicked", [](TConfirmForm& form) { Click(*form.CancelButton); }, false, true},
        {"Escape presses No", [](TConfirmForm& form) { Key(form, Qt::Key_Escape); }, false, false},
        {"Enter presses Yes", [](TConfirmForm& form) { Key(form, Qt::Key_Return); }, true, false},
        {"close box", [](TConfirmForm& form) { form.close(); }, false, true},
        {"Alt+Y",
         [](TConfirmForm& form) {
             Key(form, Qt::Key_Y, Qt::AltModifier);
             // An access key shows the button going down and up before it acts.
             EXPECT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }));
         },
         true, false},
        {"N alone", [](TConfirmForm& form) { Key(form, Qt::Key_N); }, false, false},
        {"Tab to No, then Enter",
         [](TConfirmForm& form) {
             Key(form, Qt::Key_Tab);
             Key(form, Qt::Key_Return);
         },
         false, false},
    };
    TProConfirmDialog confirmation = EditorsConfirmation();
    for (const Ending& ending : endings) {
        bool confirmed = !ending.yes;
        modal::Answer([&] { confirmed = confirmation.Execute(); },
                      [&](QWidget& window) { ending.act(AsConfirmForm(window)); });
        EXPECT_EQ(confirmed, ending.yes) << ending.name;
        EXPECT_EQ(confirmation.Cancelled(), ending.cancelled) << ending.name;
    }
}

TEST_F(DialogsTest, TheInformationEndsWithOkEnterEscapeOrItsCloseBox) {
    TProInfoDialog information = EditorsInformation();
    const std::function<void(TInfoForm&)> endings[] = {
        [](TInfoForm& form) { Click(*form.OKButton); },
        [](TInfoForm& form) { Key(form, Qt::Key_Return); },
        [](TInfoForm& form) { Key(form, Qt::Key_Escape); },
        [](TInfoForm& form) { form.close(); },
    };
    for (const auto& end : endings)
        modal::Answer([&] { information.Execute(); },
                      [&](QWidget& window) { end(AsInfoForm(window)); });
}

TEST_F(DialogsTest, TheTextsStandInTheirLabelsAndTheTitleIsTheCaption) {
    TProConfirmDialog confirmation = EditorsConfirmation();
    modal::Answer([&] { confirmation.Execute(); },
                  [&](QWidget& window) {
                      TConfirmForm& form = AsConfirmForm(window);
                      EXPECT_EQ(form.windowTitle(), confirmation.Caption());
                      EXPECT_EQ(form.ConditionLabel->Caption(), confirmation.Condition());
                      EXPECT_EQ(form.DescriptionLabel->Caption(), confirmation.Description());
                      EXPECT_EQ(form.QuestionLabel->Caption(), confirmation.Question());
                      EXPECT_TRUE(form.QuestionLabel->WordWrap());
                      EXPECT_FALSE(form.QuestionLabel->AutoSize());
                      Key(form, Qt::Key_Escape);
                  });
    TProInfoDialog information = EditorsInformation();
    modal::Answer([&] { information.Execute(); },
                  [&](QWidget& window) {
                      TInfoForm& form = AsInfoForm(window);
                      EXPECT_EQ(form.windowTitle(), information.Caption());
                      EXPECT_EQ(form.InfoLabel->Caption(), information.InfoMessage());
                      EXPECT_EQ(form.InfoLabel->Alignment(), taCenter);
                      EXPECT_EQ(form.InfoLabel->VerticalAlignment(), vaCenter);
                      // A screen reader reads the message as the label's text.
                      QAccessibleInterface* label =
                          QAccessible::queryAccessibleInterface(form.InfoLabel);
                      EXPECT_EQ(label->role(), QAccessible::StaticText);
                      EXPECT_EQ(label->text(QAccessible::Name), information.InfoMessage());
                      Key(form, Qt::Key_Escape);
                  });
}

struct LanguageCase {
    TDialogLanguage language;
    QString confirmation, information, yes, no, cancel, help;
};

TEST_F(DialogsTest, EachLanguageHasItsTitlesAndCaptionsSpelledRight) {
    const LanguageCase cases[] = {
        {dlEnglish, "Confirmation", "Information", "&Yes", "&No", "Cancel", "&Help"},
        {dlRussian, "Подтверждение", "Информация", "&Да", "&Нет", "Отмена", "&Справка"},
        {dlUkranian, "Підтвердження", "Інформація", "&Так", "&Ні", "Відміна", "&Довідка"},
        {dlFrench, "Confirmation", "Information", "&Oui", "&Non", "Annuler", "&Aide"},
        {dlPortuguese, "Confirmação", "Informação", "&Sim", "&Não", "Cancela", "&Ajuda"},
        {dlSpanish, "Confirmación", "Información", "&Si", "&No", "Cancelar", "Ay&uda"},
        {dlGerman, "Bestätigung", "Information", "&Ja", "&Nein", "Abbrechen", "&Hilfe"},
        {dlDanish, "Bekræftigelse", "Information", "&Ja", "&Nej", "Annuller", "&Hjælp"},
    };
    for (const LanguageCase& c : cases) {
        TProConfirmDialog confirmation;
        confirmation.SetLanguage(c.language);
        confirmation.SetHelpContext(1);
        modal::Answer([&] { confirmation.Execute(); },
                      [&](QWidget& window) {
                          TConfirmForm& form = AsConfirmForm(window);
                          EXPECT_EQ(form.windowTitle(), c.confirmation);
                          EXPECT_EQ(form.YesButton->text(), c.yes);
                          EXPECT_EQ(form.NoButton->text(), c.no);
                          EXPECT_EQ(form.CancelButton->text(), c.cancel);
                          EXPECT_EQ(form.HelpButton->text(), c.help);
                          Click(*form.CancelButton);
                      });
        TProInfoDialog information;
        information.SetLanguage(c.language);
        information.SetHelpContext(1);
        modal::Answer([&] { information.Execute(); },
                      [&](QWidget& window) {
                          TInfoForm& form = AsInfoForm(window);
                          EXPECT_EQ(form.windowTitle(), c.information);
                          EXPECT_EQ(form.OKButton->text(), "OK");
                          EXPECT_EQ(form.HelpButton->text(), c.help);
                          Click(*form.OKButton);
                      });
    }
}

TEST_F(DialogsTest, HelpAsksForTheDialogsTopicAndLeavesTheWindowOpen) {
    TProConfirmDialog confirmation = EditorsConfirmation();
    confirmation.SetHelpContext(4711);
    bool confirmed = false;
    modal::Answer([&] { confirmed = confirmation.Execute(); },
                  [&](QWidget& window) {
                      TConfirmForm& form = AsConfirmForm(window);
                      Click(*form.HelpButton);
                      EXPECT_EQ(topics, QList<int>{4711});
                      EXPECT_EQ(QApplication::activeModalWidget(), &form);
                      Key(form, Qt::Key_H, Qt::AltModifier);
                      EXPECT_TRUE(QTest::qWaitFor([&] { return topics.size() == 2; }));
                      EXPECT_EQ(topics, (QList<int>{4711, 4711}));
                      Click(*form.YesButton);
                  });
    EXPECT_TRUE(confirmed);

    TProInfoDialog information = EditorsInformation();
    information.SetHelpContext(17);
    modal::Answer([&] { information.Execute(); },
                  [&](QWidget& window) {
                      Click(*AsInfoForm(window).HelpButton);
                      Key(window, Qt::Key_Escape);
                  });
    EXPECT_EQ(topics, (QList<int>{4711, 4711, 17}));
}

TEST_F(DialogsTest, TheWindowTakesItsOwnersFontOrElseTheDialogsFont) {
    const QFont ownFont = MakeFont(QStringLiteral("MS Sans Serif"), 14, fsBold);
    QWidget form;
    form.setFont(MakeFont(QStringLiteral("MS Sans Serif"), 11));
    auto* panel = new QWidget(&form);
    struct Case {
        QWidget* owner;
        bool parentFont;
        QFont expected;
    };
    for (const Case& c : {Case{&form, true, form.font()}, Case{&form, false, ownFont},
                          Case{panel, true, ownFont}}) {
        TProInfoDialog information(c.owner);
        information.SetFont(ownFont);
        information.SetParentFont(c.parentFont);
        modal::Answer([&] { information.Execute(); },
                      [&](QWidget& window) {
                          EXPECT_EQ(AsInfoForm(window).InfoLabel->Font(), c.expected);
                          EXPECT_EQ(AsInfoForm(window).OKButton->font(), c.expected);
                          Key(window, Qt::Key_Return);
                      });
    }
}

// A scripted responder answers in place of the person and sees what would have been shown.
TEST_F(DialogsTest, AResponderAnswersThroughThePromptsSeam) {
    QList<TPrompt> asked;
    TModalPrompts::SetResponder([&](const TPrompt& prompt) {
        asked.append(prompt);
        return TPromptAnswer{mrYes, {}};
    });
    TProConfirmDialog confirmation = EditorsConfirmation();
    const bool confirmed = confirmation.Execute();
    TModalPrompts::SetResponder({});
    EXPECT_TRUE(confirmed);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].kind, TPromptKind::pkConfirmation);
    EXPECT_EQ(asked[0].caption, confirmation.Caption());
    EXPECT_EQ(asked[0].texts, (QStringList{confirmation.Condition(), confirmation.Description(),
                                           confirmation.Question()}));
}

// The picture shows its glyph; its silver background lets the window's face through.
TEST_F(DialogsTest, ThePicturesAreDrawnWithoutTheirBackground) {
    TProConfirmDialog confirmation;
    modal::Answer([&] { confirmation.Execute(); },
                  [](QWidget& window) {
                      const QImage shot = window.grab().toImage();
                      const QRect image = AsConfirmForm(window).Image->geometry();
                      int green = 0;
                      int silver = 0;
                      for (int y = image.top(); y <= image.bottom(); ++y)
                          for (int x = image.left(); x <= image.right(); ++x) {
                              green += shot.pixelColor(x, y) == QColor(0, 128, 0);
                              silver += shot.pixelColor(x, y) == QColor(192, 192, 192);
                          }
                      EXPECT_GT(green, 200);
                      EXPECT_EQ(silver, 0);
                      Key(window, Qt::Key_Escape);
                  });
}

// With VARNEL_SCREENSHOTS set to a folder, both windows are saved there at 96 and 120 pixels
// per inch, in English and in German, to be looked at.
TEST_F(DialogsTest, Screenshots) {
    const QString folder = qEnvironmentVariable("VARNEL_SCREENSHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "VARNEL_SCREENSHOTS names no folder";
    QWidget owner;
    owner.setFont(MakeFont(QStringLiteral("MS Sans Serif"), 11));
    auto save = [&](const QString& name) {
        return [name, folder](QWidget& window) {
            QImage shot = window.grab().toImage();
            EXPECT_TRUE(shot.save(QStringLiteral("%1/%2.png").arg(folder, name)));
            Key(window, Qt::Key_Escape);
        };
    };
    for (const int pixelsPerInch : {96, 120})
        for (const auto& [language, tag] : {std::pair{dlEnglish, "en"}, {dlGerman, "de"}}) {
            TScreen::SetPixelsPerInch(pixelsPerInch);
            const QString suffix = QStringLiteral("-%1-%2").arg(tag).arg(pixelsPerInch);
            TProConfirmDialog confirmation(&owner);
            confirmation.SetCondition(EditorsConfirmation().Condition());
            confirmation.SetDescription(EditorsConfirmation().Description());
            confirmation.SetQuestion(EditorsConfirmation().Question());
            confirmation.SetLanguage(language);
            modal::Answer([&] { confirmation.Execute(); }, save("confirmation" + suffix));
            TProInfoDialog information(&owner);
            information.SetInfoMessage(EditorsInformation().InfoMessage());
            information.SetAlignment(taCenter);
            information.SetLanguage(language);
            modal::Answer([&] { information.Execute(); }, save("information" + suffix));
        }
}

} // namespace
