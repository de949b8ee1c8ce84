#include "runtime/Control.h"

#include "runtime/Canvas.h"
#include "runtime/Exception.h"
#include "runtime/ModalPrompts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <cmath>
#include <exception>
#include <utility>

void PlaceInParent(QWidget& widget, int left, int top, int width, int height) {
    const QWidget* parent = widget.parentWidget();
    const QPoint origin = parent ? parent->contentsRect().topLeft() : QPoint();
    widget.setGeometry(QRect(origin + QPoint(left, top), QSize(width, height)));
}

TControl::TControl(QWidget* parent, Kind kind) : QWidget(parent), kind_(kind) {
    setMouseTracking(true);
    if (kind_ == Kind::Windowed) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        raise();
    } else {
        StackBelowWindowedSiblings();
    }
}

// Platform controls (combo box, progress bar, push button) and windowed controls cover the
// windowless ones, whatever the order they were made in.
void TControl::StackBelowWindowedSiblings() {
    if (!parentWidget())
        return;
    for (QObject* child : parentWidget()->children()) {
        auto* sibling = qobject_cast<QWidget*>(child);
        if (!sibling || sibling == this || sibling->isWindow())
            continue;
        const auto* control = qobject_cast<TControl*>(sibling);
        if (!control || control->kind_ == Kind::Windowed) {
            stackUnder(sibling);
            return;
        }
    }
}

void TControl::SetCaption(const QString& caption) {
    if (Store(caption_, caption))
        CaptionChanged();
}

void TControl::SetEnabled(bool enabled) {
    setEnabled(enabled);
}

void TControl::SetVisible(bool visible) {
    setVisible(visible);
}

void TControl::SetColor(TColor color) {
    if (Store(color_, color))
        update();
}

void TControl::SetFontColor(TColor color) {
    if (Store(fontColor_, color))
        FontColorChanged();
}

void TControl::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(*this, button, shift, x, y);
}

void TControl::MouseMove(Qt::KeyboardModifiers shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(*this, shift, x, y);
}

void TControl::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(*this, button, shift, x, y);
}

void TControl::KeyDown(int& key, Qt::KeyboardModifiers shift) {
    if (OnKeyDown)
        OnKeyDown(*this, key, shift);
}

void TControl::Click() {
    if (OnClick)
        OnClick(*this);
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(*this);
}

void TControl::MouseEnter() {
    if (OnMouseEnter)
        OnMouseEnter(*this);
}

void TControl::MouseLeave() {
    if (OnMouseLeave)
        OnMouseLeave(*this);
}

void TControl::Paint(TCanvas&) {}

void TControl::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        leftPressed_ = true;
    MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TControl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    MouseMove(event->modifiers(), p.x(), p.y());
}

// A click handler that fails still lets the release through, so that no control stays held;
// its failure goes on to the error box after that.
void TControl::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    std::exception_ptr clickFailure;
    if (event->button() == Qt::LeftButton) {
        const bool click = leftPressed_ && rect().contains(p);
        leftPressed_ = false;
        if (click) {
            try {
                Click();
            } catch (...) {
                clickFailure = std::current_exception();
            }
        }
    }
    MouseUp(event->button(), event->modifiers(), p.x(), p.y());
    if (clickFailure)
        std::rethrow_exception(clickFailure);
}

// The second press of a double click is a press too, but its release makes no second click.
void TControl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        DblClick();
    const QPoint p = event->position().toPoint();
    MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TControl::keyPressEvent(QKeyEvent* event) {
    int key = event->key();
    KeyDown(key, event->modifiers());
    if (key == 0)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void TControl::enterEvent(QEnterEvent*) {
    MouseEnter();
}

void TControl::leaveEvent(QEvent*) {
    MouseLeave();
}

// The buffer has the pixel density of what is painted on, the screen or a grab's picture, so
// that text and one-pixel lines come out at the device's resolution.
void TControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal ratio = painter.paintEngine()->paintDevice()->devicePixelRatio();
    const QSize pixels(int(std::ceil(width() * ratio)), int(std::ceil(height() * ratio)));
    QImage buffer(pixels, kind_ == Kind::Windowed ? QImage::Format_RGB32
                                                  : QImage::Format_ARGB32_Premultiplied);
    buffer.setDevicePixelRatio(ratio);
    buffer.fill(kind_ == Kind::Windowed ? ToQColor(color_) : QColor(Qt::transparent));
    TCanvas canvas(buffer);
    // A paint never waits on a dialog: what was drawn shows, and the failure is told after the
    // paint, once for as long as the control keeps failing to paint.
    try {
        Paint(canvas);
        paintFailed_ = false;
    } catch (const std::exception& failure) {
        if (!std::exchange(paintFailed_, true))
            TModalPrompts::ShowErrorLater(MessageOf(failure));
    }
    painter.drawImage(0, 0, buffer);
}

void TControl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        EnabledChanged();
    else if (event->type() == QEvent::FontChange)
        FontChanged();
    QWidget::changeEvent(event);
}
