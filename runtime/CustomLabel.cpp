#include "runtime/CustomLabel.h"

#include "runtime/Canvas.h"
#include "runtime/SpacedText.h"

#include <QKeySequence>
#include <QShortcutEvent>

TCustomLabel::TCustomLabel(QWidget* parent) : TControl(parent) {
    resize(65, 17);
}

void TCustomLabel::SetAlignment(TAlignment alignment) {
    if (Store(alignment_, alignment))
        update();
}

void TCustomLabel::SetLayout(TTextLayout layout) {
    if (Store(layout_, layout))
        update();
}

void TCustomLabel::SetAutoSize(bool autoSize) {
    if (Store(autoSize_, autoSize))
        AdjustBounds();
}

void TCustomLabel::SetTransparent(bool transparent) {
    if (Store(transparent_, transparent))
        update();
}

void TCustomLabel::SetWordWrap(bool wordWrap) {
    if (!Store(wordWrap_, wordWrap))
        return;
    AdjustBounds();
    update();
}

void TCustomLabel::SetShowAccelChar(bool show) {
    if (!Store(showAccelChar_, show))
        return;
    UpdateAccessKey();
    update();
}

void TCustomLabel::SetFocusControl(QWidget* control) {
    if (Store(focusControl_, QPointer<QWidget>(control)))
        UpdateAccessKey();
}

int TCustomLabel::TextFlags() const {
    return HorizontalAlignment(alignment_) | Qt::AlignTop | Qt::TextExpandTabs |
           (wordWrap_ ? Qt::TextWordWrap : 0) | (showAccelChar_ ? Qt::TextShowMnemonic : 0);
}

QRect TCustomLabel::TextExtent(const QRect& area, int flags, const QString& text) const {
    return TSpacedText(Font(), area, flags, text).Bounds();
}

void TCustomLabel::DrawLabelText(TCanvas& canvas, const QRect& area, int flags) {
    if (isEnabled()) {
        canvas.SetFontColor(FontColor());
        canvas.DrawText(area, flags, Caption());
        return;
    }
    canvas.SetFontColor(clBtnHighlight);
    canvas.DrawText(area.translated(1, 1), flags, Caption());
    canvas.SetFontColor(clBtnShadow);
    canvas.DrawText(area, flags, Caption());
}

void TCustomLabel::Paint(TCanvas& canvas) {
    if (!transparent_)
        canvas.FillRect(rect(), Color());
    canvas.SetFont(Font());
    DrawLabelText(canvas, LaidOut(TextArea()), TextFlags());
}

QString TCustomLabel::MeasuredText() const {
    if (Caption().isEmpty() || (showAccelChar_ && Caption() == QStringLiteral("&")))
        return Caption() + u' ';
    return Caption();
}

QRect TCustomLabel::LaidOut(QRect area) const {
    if (layout_ == tlTop)
        return area;
    const QRect extent = TextExtent(area, TextFlags(), MeasuredText());
    const int spare = (area.y() + area.height()) - (extent.y() + extent.height());
    area.translate(0, layout_ == tlBottom ? spare : spare / 2);
    return area;
}

// The margins round the text area stay as they are; only the text's own extent changes, which
// is measured left-aligned so that the label grows from its left edge (its right edge when
// right-justified).
void TCustomLabel::AdjustBounds() {
    if (!autoSize_)
        return;
    const QRect area = TextArea();
    const int flags = (TextFlags() & ~Qt::AlignHorizontal_Mask) | Qt::AlignLeft;
    const QRect extent = TextExtent(area, flags, MeasuredText());
    const int newWidth = extent.x() + extent.width() + (width() - area.x() - area.width());
    const int newHeight = extent.y() + extent.height() + (height() - area.y() - area.height());
    const int left = alignment_ == taRightJustify ? x() + width() - newWidth : x();
    setGeometry(left, y(), newWidth, newHeight);
}

void TCustomLabel::CaptionChanged() {
    UpdateAccessKey();
    AdjustBounds();
    update();
}

void TCustomLabel::FontChanged() {
    AdjustBounds();
    update();
}

// Qt's shortcut map delivers the access key only while the label is visible and enabled in
// the active window, as the classic dialog-character handling did.
void TCustomLabel::UpdateAccessKey() {
    if (accessKeyId_ != 0) {
        releaseShortcut(accessKeyId_);
        accessKeyId_ = 0;
    }
    if (!focusControl_ || !showAccelChar_)
        return;
    if (const QKeySequence key = QKeySequence::mnemonic(Caption()); !key.isEmpty())
        accessKeyId_ = grabShortcut(key);
}

bool TCustomLabel::event(QEvent* event) {
    if (event->type() != QEvent::Shortcut ||
        static_cast<QShortcutEvent*>(event)->shortcutId() != accessKeyId_)
        return TControl::event(event);
    // Qt itself keeps the focus off a disabled control.
    if (focusControl_ && focusControl_->isVisible() && focusControl_->focusPolicy() != Qt::NoFocus)
        focusControl_->setFocus(Qt::ShortcutFocusReason);
    return true;
}
