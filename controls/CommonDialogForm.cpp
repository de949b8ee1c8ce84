#include "controls/CommonDialogForm.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <cmath>

namespace {

int RoundAway(double value) {
    return static_cast<int>(std::lround(value));
}

} // namespace

TCommonDialogForm::TCommonDialogForm(const QString& title, const QSize& clientSize,
                                     const QFont& font)
    : QDialog(QApplication::activeWindow()) {
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(clientSize);
    setFont(font);
}

QRect TCommonDialogForm::AddBevel(const QRect& bounds) {
    auto* bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(Scaled(bounds));
    return bevel->geometry();
}

void TCommonDialogForm::AddPicture(QStyle::StandardPixmap picture, int left, const QRect& bevel) {
    auto* label = new QLabel(this);
    label->setPixmap(style()->standardIcon(picture).pixmap(32));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(RoundAway(left * ratio_), (bevel.top() + bevel.height() - 64) / 2, 48, 64);
}

void TCommonDialogForm::AddLabel(const QRect& bounds, const QString& text,
                                 Qt::Alignment alignment) {
    auto* label = new QLabel(text, this);
    label->setWordWrap(true);
    label->setAlignment(alignment);
    label->setGeometry(Scaled(bounds));
}

QPushButton* TCommonDialogForm::AddButton(const QRect& bounds, const QString& caption, int result) {
    auto* button = new QPushButton(caption, this);
    button->setGeometry(Scaled(bounds));
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    return button;
}

// Edges are scaled, not sizes, so that neighbours stay flush.
QRect TCommonDialogForm::Scaled(const QRect& bounds) const {
    const QPoint topLeft(RoundAway(bounds.left() * ratio_), RoundAway(bounds.top() * ratio_));
    const QPoint bottomRight(RoundAway((bounds.left() + bounds.width()) * ratio_),
                             RoundAway((bounds.top() + bounds.height()) * ratio_));
    return QRect(topLeft, bottomRight - QPoint(1, 1));
}
