#ifndef VARNEL_CONTROLS_COMMONDIALOGFORM_H
#define VARNEL_CONTROLS_COMMONDIALOGFORM_H

#include "controls/ProButton.h"

#include <QDialog>

class QFrame;
class TImage;
class TProLabel;

// The window a dialog component builds for one execution: a fixed frame with a title and no
// minimise or maximise box, its children placed in the pixels of a 120 pixels-per-inch screen.
// It keeps the classic dialog keys: Escape presses the first cancel button, a button's access
// letter presses it with or without Alt, Enter presses the default (or focused) button; the
// close box ends it with mrCancel.
class TCommonDialogForm : public QDialog {
    Q_OBJECT
public:
    TCommonDialogForm(const QString& title, const QSize& clientSize);

    // The help topic of the window's Help buttons; 0: none.
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }

    void reject() override;

protected:
    // A lowered, etched frame.
    QFrame* AddBevel(const QRect& bounds);
    // The bitmap resource `name`, its bottom-left pixel's colour see-through; left empty when
    // the resource is missing.
    TImage* AddPicture(const QRect& bounds, const QString& name);
    // A fixed-size, word-wrapped label for a text set later.
    TProLabel* AddLabel(const QRect& bounds);
    TProButton* AddButton(const QRect& bounds, TProButtonKind kind);

    void keyPressEvent(QKeyEvent* event) override;

private:
    // The first button, in the order they were made, that can be pressed and is `wanted`.
    template <typename Wanted> TProButton* FirstButton(Wanted&& wanted) const;

    int helpContext_ = 0;
};

#endif
