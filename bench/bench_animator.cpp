// What one tick of the window's chip animation (ga1) costs: the next frame drawn onto the kept
// composition, beside the same frame composed afresh, and the paint that shows it. Prints
// microseconds a frame and how much the kept composition saves.

#include "gif/GIFAnimator.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

namespace {

TGIFAnimator& Ga1() {
    static TGIFAnimator* animator = [] {
        auto* made = new TGIFAnimator(nullptr);
        made->SetAutoSize(false);
        made->resize(24, 32);
        made->SetStretch(true);
        made->Image().LoadFromFile(QStringLiteral(VARNEL_SOURCE_DIR "/resources/ga1.gif"));
        // Every frame decoded once, as after the first round of the animation.
        for (int i = 0; i < made->Image().Count(); ++i)
            made->Image().Frames(i).Bitmap();
        return made;
    }();
    return *animator;
}

// Frames 0 to 5 in turn, as the ticks show them: five follow the frame composed last, and the
// way back to frame 0 starts afresh.
void FrameAfterFrame(benchmark::State& state) {
    TGIFAnimator& ga1 = Ga1();
    int frame = 0;
    for (auto _ : state) {
        frame = (frame + 1) % 6;
        benchmark::DoNotOptimize(ga1.Compose(frame).Bitmap.Image().constBits());
    }
}

// The same frames, each composed from nothing (alternating two frames that never follow).
void EachAfresh(benchmark::State& state) {
    TGIFAnimator& ga1 = Ga1();
    int turn = 0;
    for (auto _ : state) {
        turn ^= 1;
        benchmark::DoNotOptimize(ga1.Compose(turn ? 5 : 3).Bitmap.Image().constBits());
    }
}

// The paint of the shown frame, through the control's off-screen buffer.
void Paint(benchmark::State& state) {
    TGIFAnimator& ga1 = Ga1();
    QImage target(ga1.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        ga1.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}

class TTimeReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // Processor time: the machine is shared, so wall time says more about the neighbours.
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "mean")
                microseconds[run.run_name.str()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> microseconds;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::RegisterBenchmark("ga1/frame after frame", FrameAfterFrame)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("ga1/each frame afresh", EachAfresh)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("ga1/paint", Paint)->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    TTimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const double kept = reporter.microseconds["ga1/frame after frame"];
    const double afresh = reporter.microseconds["ga1/each frame afresh"];
    std::printf("\ncomposing one frame of ga1: %.2f us as the ticks do, %.2f us afresh (%.1fx)\n",
                kept, afresh, kept > 0 ? afresh / kept : 0.0);
    std::printf("painting it: %.2f us\n", reporter.microseconds["ga1/paint"]);
    return 0;
}
