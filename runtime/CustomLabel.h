#ifndef VARNEL_RUNTIME_CUSTOMLABEL_H
#define VARNEL_RUNTIME_CUSTOMLABEL_H

#include "runtime/Control.h"
#include "runtime/ControlTypes.h"

#include <QPointer>

// The plain label every label of the window builds on: a windowless caption in the control's
// font and font colour, aligned left, right or centred, standing at the top, middle or bottom,
// optionally word-wrapped, with "&" marking an access key that moves the focus to
// FocusControl. Opaque labels fill their rectangle with Color first; transparent ones let the
// parent show between the letters. With AutoSize the label takes the size its caption needs,
// keeping its left edge, or its right edge when right-justified.
//
// All label geometry lives here. A label with its own look overrides TextArea (margins),
// TextExtent (what its copies of the text cover, so that auto-size and layout count them) and
// DrawLabelText (the copies themselves); the rest follows.
class TCustomLabel : public TControl {
    Q_OBJECT
public:
    TAlignment Alignment() const { return alignment_; }
    // Moves the text without re-sizing the label.
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    // True: "&" underlines the next character, which is the access key; false: "&" shows.
    // Shown anew without re-sizing: the size follows the next caption, font or wrap change.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool show);
    // The control the access key (Alt and the underlined character) focuses; forgotten when
    // it is destroyed.
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* control);

protected:
    explicit TCustomLabel(QWidget* parent);

    // Alignment, word wrap, tab expansion and the "&" prefix, as the text is laid out.
    int TextFlags() const;
    // Where the text is laid out; a look with margins narrows it.
    virtual QRect TextArea() const { return rect(); }
    // What drawing `text` into `area` with `flags` covers, every copy included; measured
    // through the same Qt call the drawing makes.
    virtual QRect TextExtent(const QRect& area, int flags, const QString& text) const;
    // Draws the caption into `area`: in the font colour, or engraved while disabled. The
    // canvas already has the label's font and a clear background.
    virtual void DrawLabelText(TCanvas& canvas, const QRect& area, int flags);
    // Takes the size the caption needs, when AutoSize is on.
    void AdjustBounds();
    // Moves `area` down so that the text stands where Layout puts it.
    virtual QRect LaidOut(QRect area) const;
    // The caption as measured: an empty one, or a lone access-key "&", still takes one line.
    QString MeasuredText() const;

    void Paint(TCanvas& canvas) override;
    void CaptionChanged() override;
    void FontChanged() override;
    bool event(QEvent* event) override;

private:
    void UpdateAccessKey();

    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    QPointer<QWidget> focusControl_;
    int accessKeyId_ = 0;
};

#endif
