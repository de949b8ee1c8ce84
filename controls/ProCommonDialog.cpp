#include "controls/ProCommonDialog.h"

#include "controls/CommonDialogForm.h"
#include "runtime/Screen.h"

#include <algorithm>
#include <cmath>

namespace {

// The resolution the dialog windows are laid out for.
constexpr int DesignPixelsPerInch = 120;
constexpr QSize PictureSize(48, 64);

// Halves away from zero.
int Scaled(int value, double ratio) {
    return static_cast<int>(std::lround(value * ratio));
}

// Edges are scaled, not sizes, so that neighbours stay flush.
QRect ScaledEdges(const QRect& bounds, double ratio) {
    const QPoint topLeft(Scaled(bounds.x(), ratio), Scaled(bounds.y(), ratio));
    const QPoint bottomRight(Scaled(bounds.x() + bounds.width(), ratio),
                             Scaled(bounds.y() + bounds.height(), ratio));
    return QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y()));
}

QFont ScaledFont(QFont font, double ratio) {
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, Scaled(font.pixelSize(), ratio)));
    else
        font.setPointSize(std::max(1, Scaled(font.pointSize(), ratio)));
    return font;
}

// The client area scales with its contents, so that the frame and the buttons keep their
// margins on every screen.
void ScaleForm(TCommonDialogForm& form, double ratio) {
    for (QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->setGeometry(ScaledEdges(child->geometry(), ratio));
    form.setFont(ScaledFont(form.font(), ratio));
    form.setFixedSize(Scaled(form.width(), ratio), Scaled(form.height(), ratio));
}

} // namespace

TModalResult TProCommonDialog::ShowModal(TCommonDialogForm& form, const QWidget& bevel,
                                         QWidget& picture, TPromptKind kind,
                                         const QStringList& texts) const {
    form.SetHelpContext(helpContext_);
    form.setFont(parentFont_ && owner_ && owner_->isWindow() ? owner_->font() : font_);
    if (const int pixelsPerInch = TScreen::PixelsPerInch(); pixelsPerInch != DesignPixelsPerInch) {
        ScaleForm(form, static_cast<double>(pixelsPerInch) / DesignPixelsPerInch);
        picture.setGeometry(
            QRect(QPoint(picture.x(), (bevel.y() + bevel.height() - PictureSize.height()) / 2),
                  PictureSize));
    }
    form.setGeometry(TScreen::Centered(form.size()));
    return TModalPrompts::ExecuteDialog(kind, form, form.windowTitle(), texts);
}
