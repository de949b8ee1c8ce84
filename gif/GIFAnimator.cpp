#include "gif/GIFAnimator.h"

#include "runtime/InvalidGraphic.h"

#include <QEvent>
#include <QThread>
#include <algorithm>

namespace {

// Frames change at most 20 times a second, and none stays longer than 10 s.
constexpr int ShortestInterval = 50;
constexpr int LongestInterval = 10000;
// The composition takes 4 bytes a pixel of a logical screen that a few bytes of file can make
// 65535 × 65535; beyond 64 M pixels (256 MB) the picture is refused.
constexpr qint64 LargestComposition = qint64(1) << 26;

} // namespace

TGIFAnimator::TGIFAnimator(QWidget* parent) : TPictureControl(parent) {
    placed_ = parent && isVisibleTo(parent);
    image_.OnChange = [this](TGraphic&) { PictureChanged(); };
}

TGIFAnimator::~TGIFAnimator() {
    OnChange = nullptr;
    OnFrameChanged = nullptr;
    OnStart = nullptr;
    OnStop = nullptr;
    SetDestroying();
    SetAnimate(false);
    // First of all, so that no tick runs while the rest goes.
    timer_.reset();
    image_.OnChange = nullptr;
}

void TGIFAnimator::SetAnimate(bool animate) {
    if (animate == animate_)
        return;
    if (animate) {
        timer_->SetOnTimer([this](TThreadedTimer& timer) { Tick(timer); });
        timer_->SetEnabled(true);
        animate_ = timer_->Enabled();
        Start();
    } else {
        timer_->SetEnabled(false);
        timer_->SetOnTimer(nullptr);
        animate_ = false;
        Stop();
        RefreshPicture();
    }
}

void TGIFAnimator::SetAsyncDrawing(bool asyncDrawing) {
    if (asyncDrawing == asyncDrawing_)
        return;
    std::lock_guard lock(lock_);
    timer_->SetSyncEvent(!asyncDrawing);
    asyncDrawing_ = asyncDrawing;
}

void TGIFAnimator::SetAutoSize(bool autoSize) {
    if (autoSize == autoSize_)
        return;
    autoSize_ = autoSize;
    RefreshPicture();
}

void TGIFAnimator::SetCenter(bool center) {
    ChangeLook(center_, center);
}

void TGIFAnimator::SetStretch(bool stretch) {
    ChangeLook(stretch_, stretch);
}

void TGIFAnimator::SetTransparent(bool transparent) {
    ChangeLook(transparent_, transparent);
}

void TGIFAnimator::ChangeLook(bool& field, bool value) {
    if (field == value)
        return;
    {
        std::lock_guard lock(lock_);
        field = value;
    }
    RefreshPicture();
    if (animate_)
        repaint();
}

void TGIFAnimator::SetFrameIndex(int index) {
    if (index == frameIndex_ || index < 0 || index >= image_.Count())
        return;
    {
        std::lock_guard lock(lock_);
        frameIndex_ = index;
        SetTimerInterval(*timer_);
    }
    FrameChanged();
    RefreshPicture();
}

void TGIFAnimator::SetImage(const TGIFImage& picture) {
    std::lock_guard lock(lock_);
    image_.Assign(&picture);
}

int TGIFAnimator::FrameInterval() const {
    const int index = frameIndex_;
    const int count = image_.Count();
    if (index < 0 || index >= count || count < 2)
        return 0;
    return std::clamp<int>(image_.Frames(index).Delay(), ShortestInterval, LongestInterval);
}

void TGIFAnimator::SetTimerInterval(TThreadedTimer& timer) {
    timer.SetInterval(FrameInterval());
}

void TGIFAnimator::PictureChanged() {
    {
        std::lock_guard lock(lock_);
        DropComposition();
        windowColor_ = ColorToRGB(clWindow);
        frameIndex_ = image_.CurrentIndex();
        if (frameIndex_ >= 0 && image_.Count() > 0)
            SetTimerInterval(*timer_);
    }
    // An opaque picture covers the whole control, so Qt need not paint what lies under it.
    setAttribute(Qt::WA_OpaquePaintEvent, !image_.Empty() && !image_.Transparent());
    RefreshPicture();
    Change();
}

void TGIFAnimator::Change() {
    if (OnChange)
        OnChange(*this);
}

void TGIFAnimator::FrameChanged() {
    if (OnFrameChanged)
        OnFrameChanged(*this);
}

void TGIFAnimator::Start() {
    if (OnStart)
        OnStart(*this);
}

void TGIFAnimator::Stop() {
    if (OnStop)
        OnStop(*this);
}

bool TGIFAnimator::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::ParentChange:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        placed_ = parentWidget() && isVisibleTo(parentWidget());
        break;
    default:
        break;
    }
    return TPictureControl::event(event);
}

// The next frame is composed here, outside any paint, so that a frame that cannot be decoded
// fails once, in the tick, where the application shows the failure; the animation stops on the
// frame shown last.
void TGIFAnimator::Tick(TThreadedTimer& timer) {
    if (QThread::currentThread() != thread())
        return TickAway(timer);
    if (!placed_)
        return;
    std::lock_guard lock(lock_);
    if (image_.Count() < 2)
        return;
    try {
        Advance();
    } catch (...) {
        SetAnimate(false);
        throw;
    }
    FrameChanged();
    repaint();
    SetTimerInterval(timer);
    if (!loop_ && frameIndex_ == 0)
        SetAnimate(false);
}

// A tick in the timer's thread (AsyncDrawing): the frame is composed here, then shown by the GUI
// thread. The lock is let go before the hand-off, since a paint on the GUI thread may be waiting
// for it.
void TGIFAnimator::TickAway(TThreadedTimer& timer) {
    if (!placed_)
        return;
    bool stop = false;
    try {
        std::lock_guard lock(lock_);
        if (image_.Count() < 2)
            return;
        Advance();
        SetTimerInterval(timer);
        stop = !loop_ && frameIndex_ == 0;
    } catch (...) {
        timer.Synchronize([this] { SetAnimate(false); });
        throw;
    }
    timer.Synchronize([this, stop] {
        FrameChanged();
        update();
        if (stop)
            SetAnimate(false);
    });
}

void TGIFAnimator::Advance() {
    const int shown = frameIndex_;
    frameIndex_ = shown + 1 < image_.Count() ? shown + 1 : 0;
    try {
        Compose(frameIndex_);
    } catch (...) {
        frameIndex_ = shown;
        throw;
    }
}

TGIFAnimator::TComposition TGIFAnimator::Compose(int index) {
    std::lock_guard lock(lock_);
    const int n = std::max(std::min(index, image_.Count() - 1), 0);
    if (composition_ && composedIndex_ == n)
        return {*composition_, composedTransparent_};
    try {
        if (composition_ && n == composedIndex_ + 1 &&
            image_.Frames(composedIndex_).Disposal() != 3)
            DisposeComposed();
        else
            StartAfresh(n);
        const TGIFFrame& frame = image_.Frames(n);
        frame.Draw(composition_->Canvas(), frame.Bounds(), true);
        composedIndex_ = n;
    } catch (...) {
        // Whatever was drawn already no longer matches any frame.
        DropComposition();
        throw;
    }
    return {*composition_, composedTransparent_};
}

void TGIFAnimator::DropComposition() {
    composition_.reset();
    composedIndex_ = -1;
    composedTransparent_ = clNone;
}

// The frame composed last goes as its disposal method says; the brush still holds the
// background the composition was started with.
void TGIFAnimator::DisposeComposed() {
    const TGIFFrame& previous = image_.Frames(composedIndex_);
    TCanvas& canvas = composition_->Canvas();
    if (previous.Disposal() == 2)
        canvas.FillRect(previous.Bounds(), canvas.BrushColor());
}

void TGIFAnimator::StartAfresh(int index) {
    DropComposition();
    const QSize screen(image_.ScreenWidth(), image_.ScreenHeight());
    if (qint64(screen.width()) * screen.height() > LargestComposition)
        throw EInvalidGraphic(QStringLiteral("GIF image is too large"));
    auto bitmap = std::make_unique<TBitmap>(screen.width(), screen.height(), TPixelFormat::pf32bit);
    // A see-through background when the picture has one, else its own background colour when it
    // is transparent at all, else the window's colour.
    TColor background = windowColor_;
    TColor transparent = clNone;
    if (const TColor key = image_.Frames(image_.ShownIndex()).TransparentColor(); key != clNone)
        background = transparent = key;
    else if (image_.BackgroundColor() != clNone && image_.Transparent())
        background = image_.BackgroundColor();
    TCanvas& canvas = bitmap->Canvas();
    canvas.SetBrushColor(background);
    canvas.FillRect(QRect(QPoint(0, 0), screen), background);
    const int start = StartFrame(index);
    for (int j = start; j < index; ++j) {
        const TGIFFrame& frame = image_.Frames(j);
        if (frame.Disposal() <= 1)
            frame.Draw(canvas, frame.Bounds(), true);
        else if (frame.Disposal() == 2 && j != start)
            canvas.FillRect(frame.Bounds(), background);
    }
    composition_ = std::move(bitmap);
    composedTransparent_ = transparent;
}

// Going back from `index`, the first frame that covers the whole screen and hides everything
// before it: it has no see-through colour, or it is cleared to the background before `index`.
int TGIFAnimator::StartFrame(int index) const {
    const QSize screen(image_.ScreenWidth(), image_.ScreenHeight());
    for (int i = index; i > 0; --i) {
        const TGIFFrame& frame = image_.Frames(i);
        if (frame.Bounds().size() == screen &&
            (frame.TransparentColor() == clNone || (frame.Disposal() == 2 && i < index)))
            return i;
    }
    return 0;
}

void TGIFAnimator::AdjustSize() {
    if (autoSize_ && !Loading() && !image_.Empty())
        resize(image_.ScreenWidth(), image_.ScreenHeight());
}

QRect TGIFAnimator::Destination(QSize picture) const {
    if (stretch_)
        return rect();
    if (center_)
        return QRect(QPoint((width() - picture.width()) / 2, (height() - picture.height()) / 2),
                     picture);
    return QRect(QPoint(0, 0), picture);
}

void TGIFAnimator::PaintPicture(TCanvas& canvas) {
    // A transparent picture lets the parent and the controls below show through; an opaque one
    // stands on the control's colour.
    if (!image_.Empty() && !image_.Transparent())
        canvas.FillRect(rect(), ColorToRGB(Color()));
    if (image_.Empty() || image_.ScreenWidth() < 1 || image_.ScreenHeight() < 1)
        return;
    try {
        const TComposition shown = Compose(frameIndex_);
        const bool keyed = shown.TransparentColor != clNone && transparent_;
        canvas.DrawImage(Destination(shown.Bitmap.Image().size()), shown.Bitmap.Image(),
                         keyed ? shown.TransparentColor : clNone);
    } catch (const std::exception&) {
        // A frame that cannot be shown is reported by the tick that met it; a paint shows what
        // it can and never opens a window.
    }
}
