#include "editor/BiosView.h"

#include "formats/EpaLogo.h"
#include "formats/LogoGeometry.h"
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
        const QRect owner = parentWidget()->frameGeometry();
        QPoint place(owner.right() + Margin, owner.top());
        if (const QScreen* screen = parentWidget()->screen()) {
            const QRect room = screen->availableGeometry();
            place.setX(std::clamp(place.x(), room.left(), room.right() - width()));
            place.setY(std::clamp(place.y(), room.top(), room.bottom() - height()));
        }
        move(place);
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
}

// The screen round the logo is the text mode's black; the captions are in its light grey.
void TBiosView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.setPen(QColor(0xAA, 0xAA, 0xAA));
    for (const int scale : {1, 2}) {
        const QRect target = ShownAt(scale);
        painter.drawText(QRect(target.left(), Margin, target.width(), CaptionHeight),
                         Qt::AlignLeft | Qt::AlignTop, QStringLiteral("%1×").arg(scale));
        painter.drawImage(target, logo_);
    }
}

void TBiosView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
