#ifndef VARNEL_CONTROLS_PROCOMMONDIALOG_H
#define VARNEL_CONTROLS_PROCOMMONDIALOG_H

#include "controls/DialogLanguage.h"
#include "controls/ProButton.h"
#include "runtime/ModalPrompts.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

class TCommonDialogForm;

// What the confirmation and information dialogs share: the language of their built-in title
// and captions, the help topic (0 hides the Help button) and the font. The component holds
// settings only; each execution builds its window, shows it modally and destroys it.
class TProCommonDialog {
public:
    // The window title; empty gives the language's own title for the dialog.
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; }
    TDialogLanguage Language() const { return language_; }
    void SetLanguage(TDialogLanguage language) { language_ = language; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }
    // Used when ParentFont is off or the owner is not a window.
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font) { font_ = font; }
    // The window takes its owner's font.
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont) { parentFont_ = parentFont; }

protected:
    explicit TProCommonDialog(QWidget* owner) : owner_(owner) {}

    // One execution of a window whose texts are filled in: gives it its title (Caption, else
    // the language's of `titles`) and its Help button in the language, or none without a help
    // topic (the other buttons then close up), and shows it modally. `texts` are what it
    // shows, for the prompt seam.
    template <typename Form>
    TModalResult Execute(Form& form, const TDialogLanguageTexts& titles, TPromptKind kind,
                         const QStringList& texts) const {
        form.setWindowTitle(caption_.isEmpty() ? QString::fromUtf8(titles[language_]) : caption_);
        form.HelpButton->SetKind(InLanguage(pbkHelp, language_));
        if (helpContext_ == 0)
            form.CloseUpWithoutHelp();
        return ShowModal(form, *form.Bevel, *form.Image, kind, texts);
    }

private:
    // Gives the window its help topic and font, scales it from 120 pixels per inch to the
    // screen's (the picture then put back level with the frame), centres it on the screen and
    // shows it modally; returns the result it ended with.
    TModalResult ShowModal(TCommonDialogForm& form, const QWidget& bevel, QWidget& picture,
                           TPromptKind kind, const QStringList& texts) const;

    QString caption_;
    QPointer<QWidget> owner_;
    TDialogLanguage language_ = dlEnglish;
    int helpContext_ = 0;
    QFont font_;
    bool parentFont_ = true;
};

#endif
