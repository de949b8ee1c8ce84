#include "controls/ProButton.h"
#include "controls/CommonDialogForm.h"
#include "runtime/HelpRequests.h"
#include "runtime/ModalPrompts.h"
#include "tests/Modal.h"
#include "tests/Mouse.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

struct FamilyCase {
    TProButtonKind family;
    const char* english;
    int result;
    bool isDefault;
    bool cancel;
};

const FamilyCase Families[] = {
    {pbkCancel, "Cancel", mrCancel, false, true},
    {pbkHelp, "&Help", mrNone, false, false},
    {pbkYes, "&Yes", mrYes, true, false},
    {pbkNo, "&No", mrNo, false, true},
    {pbkClose, "&Close", mrNone, false, false},
    {pbkAbort, "Abort", 3, false, false},
    {pbkRetry, "&Retry", 4, false, false},
    {pbkIgnore, "&Ignore", 5, false, false},
    {pbkAll, "&All", 8, false, false},
    {pbkDone, "&Done", 9, true, false},
    {pbkPrev, "< &Back", mrNone, false, false},
    {pbkNext, "&Next >", mrNone, true, false},
    {pbkFinish, "&Finish", 10, true, false},
};

TEST(ProButton, EveryKindGivesItsFamilysResultRolesAndALanguagesCaption) {
    EXPECT_EQ(pbkFinishDan, 105) << "106 kinds";
    EXPECT_EQ(InLanguage(pbkHelp, dlDanish), pbkHelpDan);
    EXPECT_EQ(InLanguage(pbkNo, dlPortuguese), pbkNoPor);
    TProButton button(nullptr);
    button.SetKind(pbkOk);
    EXPECT_EQ(button.Caption(), "OK");
    EXPECT_EQ(button.ModalResult(), mrOk);
    EXPECT_TRUE(button.Default());
    EXPECT_FALSE(button.Cancel());
    for (const FamilyCase& family : Families) {
        QSet<QString> captions;
        for (int language = dlEnglish; language <= dlDanish; ++language) {
            const TProButtonKind kind =
                InLanguage(family.family, static_cast<TDialogLanguage>(language));
            button.SetKind(kind);
            EXPECT_EQ(button.Kind(), kind);
            EXPECT_EQ(button.ModalResult(), family.result) << kind;
            EXPECT_EQ(button.Default(), family.isDefault) << kind;
            EXPECT_EQ(button.isDefault(), family.isDefault) << kind;
            EXPECT_EQ(button.Cancel(), family.cancel) << kind;
            EXPECT_FALSE(button.Caption().isEmpty()) << kind;
            captions.insert(button.Caption());
        }
        button.SetKind(family.family);
        EXPECT_EQ(button.Caption(), family.english);
        EXPECT_GE(captions.size(), 5) << family.english << ": most languages differ";
    }
}

TEST(ProButton, AButtonThatNoLongerActsAsItsKindIsCustom) {
    TProButton button(nullptr);
    button.SetKind(pbkYes);
    button.SetCaption(QStringLiteral("&Evet"));
    EXPECT_EQ(button.Kind(), pbkYes) << "the caption is free";
    button.SetKind(pbkYes);
    EXPECT_EQ(button.Caption(), "&Evet") << "the same kind again replaces nothing";
    button.SetDefault(false);
    EXPECT_EQ(button.Kind(), pbkCustom);

    button.SetKind(pbkNo);
    button.SetCancel(false);
    EXPECT_EQ(button.Kind(), pbkCustom);
    button.SetKind(pbkRetry);
    button.SetModalResult(mrOk);
    EXPECT_EQ(button.Kind(), pbkCustom);
    button.SetKind(pbkCustom);
    EXPECT_EQ(button.Caption(), "&Retry") << "pbkCustom keeps what the button has";
    EXPECT_EQ(button.ModalResult(), mrOk);
}

// Clicked in a shown dialog window: the result the window ended with, or -1 while it stays open.
int ResultOfClicking(TProButtonKind kind, int buttonHelp = 0, int windowHelp = 0) {
    TCommonDialogForm form(QStringLiteral("Buttons"), QSize(200, 100));
    form.SetHelpContext(windowHelp);
    auto* button = new TProButton(&form);
    button->setGeometry(10, 10, 100, 30);
    button->SetKind(kind);
    button->SetHelpContext(buttonHelp);
    int result = -1;
    modal::Answer([&] { result = form.exec(); },
                  [&](QWidget&) {
                      mouse::Click(*button, QPoint(50, 15));
                      if (form.isVisible())
                          form.done(-1);
                  });
    return result;
}

TEST(ProButton, AClickEndsTheWindowWithItsResultOrAsksForHelpOrClosesIt) {
    QList<int> topics;
    THelpRequests::SetHandler([&](int topic) { topics.append(topic); });
    EXPECT_EQ(ResultOfClicking(pbkRetryGer), 4);
    EXPECT_EQ(ResultOfClicking(pbkNo), mrNo);
    EXPECT_EQ(ResultOfClicking(pbkCloseFr), mrCancel) << "closed like its close box";
    EXPECT_EQ(ResultOfClicking(pbkPrev), -1) << "no result, no ending";
    EXPECT_EQ(ResultOfClicking(pbkHelp), -1) << "no topic: a plain button";
    EXPECT_TRUE(topics.isEmpty());
    EXPECT_EQ(ResultOfClicking(pbkHelpEsp, 0, 31), -1);
    EXPECT_EQ(ResultOfClicking(pbkHelp, 5, 31), -1);
    EXPECT_EQ(topics, (QList<int>{31, 5})) << "the button's own topic comes first";
    THelpRequests::SetHandler({});
}

} // namespace
