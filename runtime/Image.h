#ifndef VARNEL_RUNTIME_IMAGE_H
#define VARNEL_RUNTIME_IMAGE_H

#include "runtime/Control.h"
#include "runtime/Picture.h"

// The picture control: shows its picture at its top-left corner, cut at its edges, and lets the
// parent show through where the picture does not reach. On a high-density screen the picture is
// enlarged by the largest whole factor within the device pixel ratio, without smoothing, so that
// its pixels stay square; at a fractional ratio it is centred where it would lie at that ratio,
// and the mouse events give picture pixels.
class TImage : public TControl {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent);
    ~TImage() override;

    // Loading or assigning a picture here repaints the control (and re-sizes it with AutoSize).
    TPicture& Picture() { return *picture_; }
    // Shows `picture`, which its owner keeps, in place of the control's own: what the owner does
    // to it shows here at once. The owner must outlive the control or hand it back with
    // ShowOwnPicture.
    void ShowPicture(TPicture& picture);
    void ShowOwnPicture() { ShowPicture(ownPicture_); }
    // The pixel canvas of the held bitmap. An empty image gets a bitmap of its own size first;
    // any other kind of picture raises "Can only modify an image if it contains a bitmap".
    TCanvas& Canvas();

    bool AutoSize() const { return autoSize_; }
    // The control takes the size of its picture, now and whenever the picture changes.
    void SetAutoSize(bool autoSize);

    // The picture pixel under control point `point` when shown at device pixel ratio `ratio`.
    QPoint PicturePoint(QPoint point, qreal ratio) const;

protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;

private:
    void PictureChanged();
    // Where the picture lies in device pixels at `ratio`, `factor` device pixels a picture pixel.
    QRect DevicePlace(qreal ratio, int factor) const;

    TPicture ownPicture_;
    TPicture* picture_ = &ownPicture_;
    bool autoSize_ = false;
};

#endif
