#ifndef VARNEL_GIF_GIFANIMATOR_H
#define VARNEL_GIF_GIFANIMATOR_H

#include "gif/GIFImage.h"
#include "gif/PictureControl.h"
#include "gif/ThreadedTimer.h"
#include "runtime/Bitmap.h"

#include <atomic>
#include <memory>

// A windowless control that plays a GIF picture. Each frame is composed onto a bitmap of the
// picture's logical screen as the frames' disposal methods require; the composition is kept, so
// that the next frame costs one frame drawn on it. The result is shown stretched, centred or at
// the top left, the picture's transparent colour letting the parent and the controls below show
// through.
//
// Its clock is a threaded timer whose ticks are handed to the GUI thread. With AsyncDrawing the
// ticks run in the timer's thread instead: there the frames advance and are composed, under the
// control's lock, and the GUI thread is asked to show them.
class TGIFAnimator : public TPictureControl {
    Q_OBJECT
public:
    // A composed frame: the logical screen, and the colour that stands for see-through in it.
    struct TComposition {
        const TBitmap& Bitmap;
        TColor TransparentColor;
    };

    explicit TGIFAnimator(QWidget* parent);
    // Raises no OnStop; the timer's thread ends without another tick.
    ~TGIFAnimator() override;

    bool Animate() const { return animate_; }
    void SetAnimate(bool animate);
    bool AsyncDrawing() const { return asyncDrawing_; }
    void SetAsyncDrawing(bool asyncDrawing);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool Center() const { return center_; }
    void SetCenter(bool center);
    int FrameIndex() const { return frameIndex_; }
    // A value that names no frame is ignored.
    void SetFrameIndex(int index);
    // The picture, owned by the control: loading or changing it updates the control. While
    // frames are drawn off the GUI thread (AsyncDrawing), change it through SetImage, which
    // holds the control's lock, or stop the animation first.
    TGIFImage& Image() { return image_; }
    // Copies `picture` (sharing its frames' data).
    void SetImage(const TGIFImage& picture);
    bool Loop() const { return loop_; }
    void SetLoop(bool loop) { loop_ = loop; }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

    // How long the shown frame stays: its delay within 50 to 10000 ms; 0 when there is nothing
    // to play.
    int FrameInterval() const;
    const TThreadedTimer& Timer() const { return *timer_; }

    // Frame `index` on the logical screen. When it follows the frame composed last it is drawn
    // onto that composition; otherwise the composition starts afresh from the nearest frame that
    // hides all before it. The picture must have frames; the bitmap stays valid until the next
    // composition or change of the picture. A frame that fails to decode raises, and the kept
    // composition is dropped.
    TComposition Compose(int index);

    NotifyEvent OnChange;
    NotifyEvent OnFrameChanged;
    NotifyEvent OnStart;
    NotifyEvent OnStop;

protected:
    virtual void Change();
    virtual void FrameChanged();
    virtual void Start();
    virtual void Stop();

    void AdjustSize() override;
    void PaintPicture(TCanvas& canvas) override;
    bool event(QEvent* event) override;

private:
    void ChangeLook(bool& field, bool value);
    void PictureChanged();
    void Tick(TThreadedTimer& timer);
    void TickAway(TThreadedTimer& timer);
    // Moves to the next frame and composes it; when that fails the shown frame stays.
    void Advance();
    void SetTimerInterval(TThreadedTimer& timer);
    void StartAfresh(int index);
    int StartFrame(int index) const;
    void DisposeComposed();
    void DropComposition();
    QRect Destination(QSize picture) const;

    TGIFImage image_;
    std::unique_ptr<TThreadedTimer> timer_ = std::make_unique<TThreadedTimer>();
    std::unique_ptr<TBitmap> composition_;
    int composedIndex_ = -1;
    TColor composedTransparent_ = clNone;
    // The window colour a composition without a background of its own starts from, looked up
    // on the GUI thread.
    TColor windowColor_ = ColorToRGB(clWindow);
    std::atomic<int> frameIndex_ = 0;
    std::atomic<bool> loop_ = true;
    bool animate_ = false;
    bool asyncDrawing_ = false;
    bool autoSize_ = true;
    bool center_ = false;
    bool stretch_ = false;
    bool transparent_ = true;
    // Visible and placed in a parent: read by ticks in the timer's thread, which may not ask
    // the widget.
    std::atomic<bool> placed_ = false;
};

#endif
