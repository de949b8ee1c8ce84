#include "runtime/Application.h"

#include <gtest/gtest.h>

// Qt's pointing devices keep their last event points (and QPointer guards to the widgets under
// them) in process-wide state that is never freed; LeakSanitizer would report that state at exit.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:QSinglePointEvent::QSinglePointEvent\n"
           "leak:QMutableEventPoint::detach\n"
           "leak:QtSharedPointer::ExternalRefCountData::getAndRef\n";
}

// Qt is built without frame pointers: only the slow unwinder sees past its frames, which the
// suppressions above need.
extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}

// Under ThreadSanitizer, tests/tsan.supp keeps Qt's own internals out of the reports: in the test
// programs, and through the environment in the programs they start.
constexpr char TsanOptions[] = "suppressions=" VARNEL_SOURCE_DIR "/tests/tsan.supp";

extern "C" const char* __tsan_default_options() {
    return TsanOptions;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("TSAN_OPTIONS"))
        qputenv("TSAN_OPTIONS", TsanOptions);
    // Widgets need an application; tests never need a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
