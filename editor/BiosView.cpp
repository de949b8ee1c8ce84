#include "editor/BiosView.h"

#include "logo/EpaLogo.h"
#include "logo/LogoGeometry.h"
#include "runtime/Bitmap.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int Margin = 8;
constexpr int CaptionHeight = 16;

} // namespace

TBiosView::TBiosView(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("BiosView1"));
    setWindowTitle(QStringLiteral("BIOS"));
    const QRect doubled = ShownAt(2);
    setFixedSize(doubled.right() + 1 + Margin, doubled.bottom() + 1 + Margin);
}

// The true size at the left, doubled at the right, each under its caption.
QRect TBiosView::ShownAt(int scale) const {
    const int left = scale == 1 ? Margin : 2 * Margin + LogoGeometry::Width;
    return QRect(left, Margin + CaptionHeight, LogoGeometry::Width * scale,
                 LogoGeometry::Height * scale);
}

void TBiosView::SetLogo(const TEpaLogo& logo) {
    logo_ = logo.Render().Image().convertToFormat(QImage::Format_RGB32);
    update();
}

void TBiosView::ShowBeside() {
    if (!placed_ && parentWidget()) {
        move(PlaceBeside(parentWidget()->frameGeometry()));
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
}

// Right of the owner, left of it, below or above it: the first of these that the screen holds,
// and failing all, whichever covers the least of the owner.
QPoint TBiosView::PlaceBeside(const QRect& owner) const {
    const QScreen* screen = parentWidget()->screen();
    if (!screen)
        return owner.topRight();
    const QRect room = screen->availableGeometry();
    const QSize size = frameGeometry().size();
    const QPoint candidates[] = {{owner.right() + Margin, owner.top()},
                                 {owner.left() - Margin - size.width(), owner.top()},
                                 {owner.left(), owner.bottom() + Margin},
                                 {owner.left(), owner.top() - Margin - size.height()}};
    const auto covered = [&](QPoint place) {
        place.setX(std::clamp(place.x(), room.left(), room.right() + 1 - size.width()));
        place.setY(std::clamp(place.y(), room.top(), room.bottom() + 1 - size.height()));
        const QRect overlap = QRect(place, size) & owner;
        return std::pair{qint64(overlap.width()) * overlap.height(), place};
    };
    std::pair best = covered(candidates[0]);
    for (const QPoint& place : candidates)
        best = std::min(best, covered(place),
                        [](const auto& a, const auto& b) { return a.first < b.first; });
    return best.second;
}

// The screen round the logo is the text mode's black; the captions are in its light grey, the
// logo's edge in its dark grey.
void TBiosView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.setPen(QColor(0xAA, 0xAA, 0xAA));
    for (const int scale : {1, 2}) {
        const QRect target = ShownAt(scale);
        painter.drawText(QRect(target.left(), Margin, target.width(), CaptionHeight),
                         Qt::AlignLeft | Qt::AlignTop, QStringLiteral("%1×").arg(scale));
        // A logo of fewer cells (one cut to a BIOS image's stock size) keeps its own shape.
        const QRect shown(target.topLeft(), logo_.isNull() ? target.size() : logo_.size() * scale);
        painter.drawImage(shown, logo_);
        // The logo's edge, just outside it: on a black screen an unlit border would not show.
        painter.save();
        painter.setPen(QColor(0x55, 0x55, 0x55));
        painter.drawRect(shown.adjusted(-1, -1, 0, 0));
        painter.restore();
    }
}

void TBiosView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
