#ifndef VARNEL_CONTROLS_PROCOMMONDIALOG_H
#define VARNEL_CONTROLS_PROCOMMONDIALOG_H

#include "controls/DialogLanguage.h"
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

    // Gives the window its help topic and font, scales it from 120 pixels per inch to the
    // screen's (the picture then put back level with the frame), centres it on the screen and
    // shows it modally; returns the result it ended with. `texts` are what it shows, for the
    // prompt seam.
    int ShowModal(TCommonDialogForm& form, const QWidget& bevel, QWidget& picture, TPromptKind kind,
                  const QStringList& texts) const;

private:
    QPointer<QWidget> owner_;
    TDialogLanguage language_ = dlEnglish;
    int helpContext_ = 0;
    QFont font_;
    bool parentFont_ = true;
};

#endif
