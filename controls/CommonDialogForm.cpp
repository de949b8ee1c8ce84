#include "controls/CommonDialogForm.h"

#include "controls/ProLabel.h"
#include "runtime/Accessibility.h"
#include "runtime/Bitmap.h"
#include "runtime/Image.h"
#include "runtime/ModalPrompts.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QKeySequence>

// Made over the active window, so that it stays in front of the window that asks.
TCommonDialogForm::TCommonDialogForm(const QString& title, const QSize& clientSize)
    : QDialog(QApplication::activeWindow(), Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                                Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                Qt::WindowCloseButtonHint) {
    setWindowTitle(title);
    setFixedSize(clientSize);
}

void TCommonDialogForm::reject() {
    done(mrCancel);
}

QFrame* TCommonDialogForm::AddBevel(const QRect& bounds) {
    auto* bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(bounds);
    return bevel;
}

TImage* TCommonDialogForm::AddPicture(const QRect& bounds, const QString& name) {
    auto* image = new TImage(this);
    Accessibility::SetRole(*image, QAccessible::Graphic);
    image->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
    QFile file(QStringLiteral(":/%1.bmp").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return image;
    auto picture = std::make_unique<TBitmap>();
    picture->LoadFromStream(file);
    picture->SetTransparent(true);
    image->Picture().SetGraphic(std::move(picture));
    return image;
}

TProLabel* TCommonDialogForm::AddLabel(const QRect& bounds) {
    auto* label = new TProLabel(this);
    Accessibility::SetRole(*label, QAccessible::StaticText);
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
    return label;
}

TProButton* TCommonDialogForm::AddButton(const QRect& bounds, TProButtonKind kind) {
    auto* button = new TProButton(this);
    button->setGeometry(bounds);
    button->SetKind(kind);
    return button;
}

template <typename Wanted> TProButton* TCommonDialogForm::FirstButton(Wanted&& wanted) const {
    for (TProButton* button : findChildren<TProButton*>(Qt::FindDirectChildrenOnly))
        if (button->isVisible() && button->isEnabled() && wanted(*button))
            return button;
    return nullptr;
}

void TCommonDialogForm::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    TProButton* pressed = nullptr;
    if (plain && event->key() == Qt::Key_Escape) {
        pressed = FirstButton([](const TProButton& button) { return button.Cancel(); });
    } else if (plain) {
        const QKeySequence accessKey(QKeyCombination(Qt::AltModifier, Qt::Key(event->key())));
        pressed = FirstButton([&](const TProButton& button) {
            return QKeySequence::mnemonic(button.text()) == accessKey;
        });
    }
    if (pressed)
        pressed->click();
    else
        QDialog::keyPressEvent(event);
}
