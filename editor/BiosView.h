#ifndef VARNEL_EDITOR_BIOSVIEW_H
#define VARNEL_EDITOR_BIOSVIEW_H

#include <QImage>
#include <QWidget>

class TEpaLogo;

// A small window of its own that shows the logo as the BIOS will: the text-mode palette, each
// cell in its attribute's colours and the mark in the last cell, at its true size and doubled. A
// logo of fewer cells shows at the top left of the space.
class TBiosView : public QWidget {
public:
    explicit TBiosView(QWidget* owner);

    void SetLogo(const TEpaLogo& logo);
    // The logo at its true size, as last set.
    const QImage& Logo() const { return logo_; }
    // Shows the window beside its owner the first time, and brings it to the front.
    void ShowBeside();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRect ShownAt(int scale) const;
    QPoint PlaceBeside(const QRect& owner) const;

    QImage logo_;
    bool placed_ = false;
};

#endif
