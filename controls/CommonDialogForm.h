#ifndef VARNEL_CONTROLS_COMMONDIALOGFORM_H
#define VARNEL_CONTROLS_COMMONDIALOGFORM_H

#include <QDialog>
#include <QStyle>

class QPushButton;

// The window a dialog component builds for one execution. Its contents are laid out in the
// pixels of a 120 pixels-per-inch screen and scaled to this one; the window keeps its size.
class TCommonDialogForm : public QDialog {
    Q_OBJECT
public:
    TCommonDialogForm(const QString& title, const QSize& clientSize, const QFont& font);

    // A lowered frame; returns where it landed, for placing the picture.
    QRect AddBevel(const QRect& bounds);
    // A 48 × 64 picture at `left`, level with the middle of `bevel` (already scaled).
    void AddPicture(QStyle::StandardPixmap picture, int left, const QRect& bevel);
    void AddLabel(const QRect& bounds, const QString& text, Qt::Alignment alignment);
    // A button that ends the dialog with `result`.
    QPushButton* AddButton(const QRect& bounds, const QString& caption, int result);

private:
    QRect Scaled(const QRect& bounds) const;

    // Screen pixels per layout pixel.
    double ratio_ = logicalDpiX() / 120.0;
};

#endif
