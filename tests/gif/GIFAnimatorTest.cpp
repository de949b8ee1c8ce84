#include "gif/GIFAnimator.h"
#include "runtime/Canvas.h"
#include "tests/gif/GIFBuilder.h"
#include "tests/gif/ManualClock.h"

#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

QString Resource(const QString& name) {
    return QStringLiteral(VARNEL_SOURCE_DIR "/resources/") + name;
}

// One frame of a made-up picture: a rectangle of the screen in one colour.
struct TFrameShape {
    QRect rect;
    TColor color;
    int disposal = 0;
    TColor transparent = clNone;
};

// A picture whose frames are filled rectangles; `marks` puts single pixels on frame 0.
std::unique_ptr<TGIFImage> Picture(const std::vector<TFrameShape>& frames,
                                   const std::vector<std::pair<QPoint, TColor>>& marks = {}) {
    auto picture = std::make_unique<TGIFImage>();
    for (const TFrameShape& shape : frames) {
        TBitmap bitmap(shape.rect.width(), shape.rect.height(), TPixelFormat::pf4bit);
        bitmap.Canvas().FillRect(QRect(QPoint(0, 0), shape.rect.size()), shape.color);
        if (picture->Count() == 0)
            for (const auto& [at, color] : marks)
                bitmap.Canvas().SetPixel(at.x(), at.y(), color);
        TGIFFrame& frame = picture->Frames(picture->AddFrame(bitmap));
        frame.SetOrigin(shape.rect.topLeft());
        frame.SetDisposal(shape.disposal);
        frame.SetTransparentColor(shape.transparent);
        frame.SetDelay(100);
    }
    picture->RecomputeScreen();
    picture->SetCurrentIndex(0);
    return picture;
}

QRgb Rgb(TColor color) {
    return ToQRgb(color);
}

class GIFAnimatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 150);
        window.setAutoFillBackground(true);
        window.setPalette(QPalette(Qt::black));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // An animator at (left, top) that keeps its size and notes what it raises.
    TGIFAnimator& Make(QRect bounds, const QString& resource = {}) {
        auto* animator = new TGIFAnimator(&window);
        animator->SetAutoSize(false);
        animator->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
        if (!resource.isEmpty())
            animator->Image().LoadFromFile(Resource(resource));
        animator->OnFrameChanged = [this](TControl& sender) {
            frames.push_back(static_cast<TGIFAnimator&>(sender).FrameIndex());
            offGui += QThread::currentThread() == window.thread() ? 0 : 1;
        };
        animator->OnStart = [this](TControl&) { ++starts; };
        animator->OnStop = [this](TControl&) { ++stops; };
        animator->OnChange = [this](TControl&) { ++changes; };
        animator->show();
        return *animator;
    }

    // Lets the clock run out the shown frame's interval, `count` times over.
    void Ticks(const TGIFAnimator& animator, int count = 1) {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(Settle(animator.Timer()));
            clock.Advance(int(animator.Timer().Interval()));
            ASSERT_TRUE(Settle(animator.Timer()));
        }
    }

    // What the window shows of the animator, the parent and the controls below included.
    QImage Shown(const TGIFAnimator& animator) {
        return window.grab(animator.geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    }
    QRgb Shown(const TGIFAnimator& animator, QPoint at) { return Shown(animator).pixel(at); }

    TManualClock clock;
    QWidget window;
    std::vector<int> frames;
    int offGui = 0;
    int starts = 0;
    int stops = 0;
    int changes = 0;
};

// Its first stored delay of 10 ms is raised to 50.
TEST_F(GIFAnimatorTest, Ga1PlaysItsSixFramesForeverAtItsOwnIntervals) {
    TGIFAnimator& ga1 = Make(QRect(20, 20, 24, 32), QStringLiteral("ga1.gif"));
    ASSERT_EQ(ga1.Image().Count(), 6);
    ga1.SetAnimate(true);
    std::vector<quint32> intervals;
    for (int i = 0; i < 8; ++i) {
        intervals.push_back(ga1.Timer().Interval());
        Ticks(ga1);
    }
    EXPECT_EQ(intervals, (std::vector<quint32>{50, 300, 300, 100, 100, 100, 50, 300}));
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5, 0, 1, 2}));
    EXPECT_EQ(offGui, 0);
    EXPECT_TRUE(ga1.Animate());
}

// Each frame stays for its own interval, counted from the tick that showed it.
TEST_F(GIFAnimatorTest, NoFrameChangesBeforeItsIntervalIsOver) {
    TGIFAnimator& ga1 = Make(QRect(20, 20, 24, 32), QStringLiteral("ga1.gif"));
    ga1.SetAnimate(true);
    Ticks(ga1);
    ASSERT_EQ(ga1.FrameIndex(), 1);
    clock.Advance(299);
    ASSERT_TRUE(Settle(ga1.Timer()));
    EXPECT_EQ(ga1.FrameIndex(), 1);
    clock.Advance(1);
    ASSERT_TRUE(Settle(ga1.Timer()));
    EXPECT_EQ(ga1.FrameIndex(), 2);
}

TEST_F(GIFAnimatorTest, WithoutLoopTheAnimationStopsBackAtFrameZeroWithOneStop) {
    TGIFAnimator& ga2 = Make(QRect(20, 20, 42, 49), QStringLiteral("ga2.gif"));
    ga2.SetLoop(false);
    ga2.SetAnimate(true);
    Ticks(ga2, 4);
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 0}));
    EXPECT_FALSE(ga2.Animate());
    EXPECT_EQ(stops, 1);
    clock.Advance(1000);
    ASSERT_TRUE(Settle(ga2.Timer()));
    EXPECT_EQ(frames.size(), 4u);
}

TEST_F(GIFAnimatorTest, StartAndStopAreRaisedOnlyWhenAnimateChanges) {
    TGIFAnimator& ga2 = Make(QRect(20, 20, 42, 49), QStringLiteral("ga2.gif"));
    ga2.SetAnimate(false);
    ga2.SetAnimate(true);
    ga2.SetAnimate(true);
    EXPECT_EQ(starts, 1);
    ga2.SetAnimate(false);
    ga2.SetAnimate(false);
    EXPECT_EQ(stops, 1);
}

TEST_F(GIFAnimatorTest, AOneFramePictureStartsButNothingMoves) {
    TGIFAnimator& still = Make(QRect(20, 20, 8, 8));
    still.SetImage(*Picture({{QRect(0, 0, 8, 8), clBlue}}));
    still.SetAnimate(true);
    EXPECT_EQ(starts, 1);
    EXPECT_TRUE(still.Animate());
    EXPECT_EQ(still.Timer().Interval(), 0u);
    clock.Advance(20000);
    ASSERT_TRUE(Settle(still.Timer()));
    EXPECT_TRUE(frames.empty());
}

TEST_F(GIFAnimatorTest, AFrameIndexOutsideThePictureOrUnchangedIsIgnored) {
    TGIFAnimator& ga1 = Make(QRect(20, 20, 24, 32), QStringLiteral("ga1.gif"));
    for (const int index : {-1, 6, 0})
        ga1.SetFrameIndex(index);
    EXPECT_EQ(ga1.FrameIndex(), 0);
    EXPECT_TRUE(frames.empty());
    ga1.SetFrameIndex(3);
    ga1.SetFrameIndex(3);
    EXPECT_EQ(frames, std::vector<int>{3});
    EXPECT_EQ(ga1.Timer().Interval(), 100u);
    // The picture's own current frame stays where it was.
    EXPECT_EQ(ga1.Image().CurrentIndex(), 0);
}

// A new picture starts at its own current frame, with that frame's interval.
TEST_F(GIFAnimatorTest, ANewPictureStartsAtItsCurrentFrame) {
    TGIFAnimator& animator = Make(QRect(20, 20, 42, 49), QStringLiteral("ga1.gif"));
    animator.SetFrameIndex(2);
    changes = 0;
    animator.Image().LoadFromFile(Resource(QStringLiteral("ga2.gif")));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(animator.FrameIndex(), 0);
    EXPECT_EQ(animator.Timer().Interval(), 50u);
    animator.Image().Assign(nullptr);
    EXPECT_EQ(animator.FrameIndex(), -1);
    EXPECT_EQ(Shown(animator, QPoint(0, 0)), qRgb(0, 0, 0)); // the parent shows through
}

// A frame that restores what was under it leaves nothing to draw over: the next frame is
// composed afresh, without it.
TEST_F(GIFAnimatorTest, AFrameAfterARestoreToPreviousIsComposedAfresh) {
    TGIFAnimator& animator = Make(QRect(20, 20, 8, 8));
    animator.SetImage(*Picture({{QRect(0, 0, 8, 8), clBlue},
                                {QRect(0, 0, 2, 2), clRed},
                                {QRect(4, 4, 2, 2), clLime, 3},
                                {QRect(6, 6, 2, 2), clYellow}}));
    EXPECT_EQ(animator.Compose(2).Bitmap.Canvas().Pixel(4, 4), clLime);
    const TCanvas& composed = animator.Compose(3).Bitmap.Canvas();
    EXPECT_EQ(composed.Pixel(4, 4), clBlue);
    EXPECT_EQ(composed.Pixel(0, 0), clRed);
    EXPECT_EQ(composed.Pixel(7, 7), clYellow);
}

TEST_F(GIFAnimatorTest, AFrameClearedToTheBackgroundLeavesThePlaceOfThePrevious) {
    TGIFAnimator& animator = Make(QRect(20, 20, 8, 8));
    animator.SetImage(*Picture(
        {{QRect(0, 0, 8, 8), clBlue}, {QRect(0, 0, 2, 2), clRed, 2}, {QRect(4, 4, 2, 2), clLime}}));
    animator.Compose(1);
    const TCanvas& composed = animator.Compose(2).Bitmap.Canvas();
    EXPECT_EQ(composed.Pixel(0, 0), ColorToRGB(clWindow));
    EXPECT_EQ(composed.Pixel(4, 4), clLime);
    EXPECT_EQ(composed.Pixel(7, 7), clBlue);
}

// The earlier frames are not drawn again at a tick: a change made to frame 0 since it was
// composed shows only when the composition starts afresh.
TEST_F(GIFAnimatorTest, ATickDrawsOnlyTheNextFrameOntoTheComposition) {
    TGIFAnimator& animator = Make(QRect(20, 20, 8, 8));
    animator.SetImage(*Picture({{QRect(0, 0, 8, 8), clBlue},
                                {QRect(0, 0, 2, 2), clRed},
                                {QRect(4, 4, 2, 2), clLime},
                                {QRect(6, 6, 2, 2), clYellow}}));
    animator.SetAnimate(true);
    Ticks(animator);
    animator.Image().Frames(0).Bitmap().Canvas().SetPixel(7, 0, clWhite);
    Ticks(animator);
    ASSERT_EQ(animator.FrameIndex(), 2);
    EXPECT_EQ(Shown(animator, QPoint(4, 4)), Rgb(clLime));
    EXPECT_EQ(Shown(animator, QPoint(7, 0)), Rgb(clBlue));
    animator.SetFrameIndex(0);
    EXPECT_EQ(Shown(animator, QPoint(7, 0)), Rgb(clWhite));
}

// A 42 × 49 picture in a 40 × 40 control is cut equally on both sides: it starts at (-1, -4).
TEST_F(GIFAnimatorTest, CenterPlacesALargerPictureEquallyOverTheEdges) {
    TGIFAnimator& animator = Make(QRect(20, 20, 40, 40));
    animator.SetImage(*Picture({{QRect(0, 0, 42, 49), clBlue}},
                               {{QPoint(1, 4), clRed}, {QPoint(40, 43), clYellow}}));
    EXPECT_EQ(Shown(animator, QPoint(0, 0)), Rgb(clBlue));
    animator.SetCenter(true);
    EXPECT_EQ(Shown(animator, QPoint(0, 0)), Rgb(clRed));
    EXPECT_EQ(Shown(animator, QPoint(39, 39)), Rgb(clYellow));
}

TEST_F(GIFAnimatorTest, StretchWinsOverCenter) {
    TGIFAnimator& animator = Make(QRect(20, 20, 40, 40));
    animator.SetImage(*Picture({{QRect(0, 0, 2, 2), clBlue}}, {{QPoint(0, 0), clRed}}));
    animator.SetCenter(true);
    EXPECT_EQ(Shown(animator, QPoint(19, 19)), Rgb(clRed));
    EXPECT_EQ(Shown(animator, QPoint(0, 0)), qRgb(0, 0, 0)); // the control's colour, its parent's
    animator.SetStretch(true);
    EXPECT_EQ(Shown(animator, QPoint(0, 0)), Rgb(clRed));
    EXPECT_EQ(Shown(animator, QPoint(19, 19)), Rgb(clRed));
    EXPECT_EQ(Shown(animator, QPoint(39, 39)), Rgb(clBlue));
}

// On the black about panel the white of ga2 lets the panel through; not so when Transparent is
// off, where the see-through colour is drawn as it is.
TEST_F(GIFAnimatorTest, Ga2sWhiteShowsThePanelUnlessTransparentIsOff) {
    TGIFAnimator& ga2 = Make(QRect(20, 20, 42, 49), QStringLiteral("ga2.gif"));
    const QPoint corner(0, 0);  // white in every frame
    const QPoint label(21, 30); // the disk in frame 0
    EXPECT_EQ(Shown(ga2, corner), qRgb(0, 0, 0));
    EXPECT_NE(Shown(ga2, label), qRgb(0, 0, 0));
    ga2.SetTransparent(false);
    EXPECT_EQ(Shown(ga2, corner), qRgb(255, 255, 255));
}

class Patch : public TControl {
public:
    using TControl::TControl;

protected:
    void Paint(TCanvas& canvas) override { canvas.FillRect(QRect(QPoint(0, 0), size()), clRed); }
};

TEST_F(GIFAnimatorTest, SeeThroughPixelsShowTheParentAndTheControlsBelow) {
    auto* below = new Patch(&window);
    below->SetBounds(20, 20, 4, 8);
    below->show();
    TGIFAnimator& animator = Make(QRect(20, 20, 8, 8));
    animator.SetImage(
        *Picture({{QRect(0, 0, 8, 8), clWhite, 0, clWhite}}, {{QPoint(7, 3), clBlue}}));
    const QImage shown = window.grab(QRect(20, 20, 8, 8)).toImage();
    EXPECT_EQ(shown.pixel(1, 3), Rgb(clRed));
    EXPECT_EQ(shown.pixel(5, 3), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(7, 3), Rgb(clBlue));
}

TEST_F(GIFAnimatorTest, AutoSizeTakesThePicturesSizeAtRunTimeButNotWhileLoading) {
    auto* sized = new TGIFAnimator(&window);
    sized->move(5, 6);
    ASSERT_EQ(sized->size(), QSize(105, 105));
    sized->SetImage(*Picture({{QRect(0, 0, 24, 32), clBlue}}));
    EXPECT_EQ(sized->geometry(), QRect(5, 6, 24, 32));

    auto* stored = new TGIFAnimator(&window);
    stored->SetLoading(true);
    stored->SetBounds(5, 6, 40, 50);
    stored->SetImage(*Picture({{QRect(0, 0, 24, 32), clBlue}}));
    stored->SetLoading(false);
    EXPECT_EQ(stored->geometry(), QRect(5, 6, 40, 50));
}

TEST_F(GIFAnimatorTest, DestroyingAnAnimatingAnimatorRaisesNoStop) {
    TGIFAnimator& ga1 = Make(QRect(20, 20, 24, 32), QStringLiteral("ga1.gif"));
    ga1.SetAnimate(true);
    Ticks(ga1);
    delete &ga1;
    EXPECT_EQ(stops, 0);
}

// A picture whose fourth frame has no colour table at all cannot decode it.
QByteArray BrokenFourthFrame() {
    const QByteArray pixels(16, '\1');
    TGIFBuilder gif;
    gif.Screen(4, 4, 0);
    for (int frame = 0; frame < 3; ++frame)
        gif.GraphicControl(10).Image(4, 4, Compressed(pixels, 4, 2), 2);
    gif.GraphicControl(10).Image(4, 4, Compressed(pixels, 4, 2), 0);
    return gif.Raw(";").Bytes();
}

TEST_F(GIFAnimatorTest, AFrameThatCannotBeDecodedStopsTheAnimationWithOneError) {
    TErrorBoxes errors;
    TGIFAnimator& animator = Make(QRect(20, 20, 4, 4));
    animator.Image().LoadFromBytes(BrokenFourthFrame());
    ASSERT_EQ(animator.Image().Count(), 4);
    animator.SetAnimate(true);
    Ticks(animator, 3);
    EXPECT_EQ(errors.shown, QStringList{"Wrong number of colors; must be a power of 2"});
    EXPECT_FALSE(animator.Animate());
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(animator.FrameIndex(), 2); // the last frame that could be shown stays
    clock.Advance(5000);
    ASSERT_TRUE(Settle(animator.Timer()));
    animator.repaint();
    animator.SetFrameIndex(3);
    Shown(animator);
    EXPECT_EQ(errors.shown.size(), 1);
}

// The frames are composed in the timer's thread; the GUI thread hears of them and shows them.
TEST_F(GIFAnimatorTest, AsyncDrawingComposesOffTheGuiThreadAndShowsOnIt) {
    TGIFAnimator& ga1 = Make(QRect(20, 20, 24, 32), QStringLiteral("ga1.gif"));
    ga1.SetAsyncDrawing(true);
    ga1.SetLoop(false);
    ga1.SetAnimate(true);
    for (int tick = 0; tick < 6; ++tick) {
        ASSERT_TRUE(Settle(ga1.Timer()));
        clock.Advance(int(ga1.Timer().Interval()));
        Shown(ga1); // a paint while the timer's thread composes
        ASSERT_TRUE(Settle(ga1.Timer()));
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5, 0}));
    EXPECT_EQ(offGui, 0);
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(ga1.Animate());
    EXPECT_EQ(Shown(ga1),
              ga1.Image().Frames(0).Bitmap().Image().convertToFormat(QImage::Format_RGB32));
}

// Whatever the timer's thread is doing with a frame, the animator can go, and no stop is raised.
TEST_F(GIFAnimatorTest, AnAnimatorDrawingOffTheGuiThreadCanGoAtAnyMoment) {
    for (int round = 0; round < 30; ++round) {
        TGIFAnimator* ga1 = &Make(QRect(20, 20, 24, 32), QStringLiteral("ga1.gif"));
        ga1->SetAsyncDrawing(true);
        ga1->SetAnimate(true);
        ASSERT_TRUE(Settle(ga1->Timer()));
        clock.Advance(50);
        for (int spin = 0; spin < round * 10; ++spin)
            std::this_thread::yield();
        delete ga1;
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(stops, 0);
}

// With VARNEL_SCREENSHOTS set to a folder, the frames are saved there, eight times enlarged.
TEST_F(GIFAnimatorTest, Ga1ShowsEachOfItsFramesATickApart) {
    TGIFAnimator& ga1 = Make(QRect(20, 20, 24, 32), QStringLiteral("ga1.gif"));
    ga1.SetStretch(true);
    ga1.SetAnimate(true);
    const QString folder = qEnvironmentVariable("VARNEL_SCREENSHOTS");
    for (int tick = 0; tick < 6; ++tick) {
        const QImage shown = Shown(ga1);
        const QImage frame = ga1.Image()
                                 .Frames(ga1.FrameIndex())
                                 .Bitmap()
                                 .Image()
                                 .convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, frame) << "tick " << tick;
        if (!folder.isEmpty())
            shown.scaled(shown.size() * 8)
                .save(QStringLiteral("%1/ga1-tick%2.png").arg(folder).arg(tick));
        Ticks(ga1);
    }
}

} // namespace
