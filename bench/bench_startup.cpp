// Start-up of the editor beside two yardsticks of the same size: a bare Qt window, and a window
// showing one line of text in the editor's font. Each is started the same way, in turn, with the
// same probe preloaded, which ends it once its window has painted its first frame. Prints the
// median time from start to that frame and the median peak resident memory of each, and the
// editor's over each yardstick's. Runs on the platform the environment names (offscreen when it
// names none, or under xvfb-run).
//
//   bench_startup [RUNS]

#include "bench/RunFigures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct TStart {
    double milliseconds = 0;
    double peakMegabytes = 0;
    std::string size;
};

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "bench_startup: %s\n", message.c_str());
    std::exit(1);
}

[[noreturn]] void RunChild(const std::vector<std::string>& command, int out) {
    dup2(out, STDOUT_FILENO);
    setenv("LD_PRELOAD", VARNEL_STARTUP_PROBE, 1);
    setenv("VARNEL_STARTUP_PROBE", "1", 1);
    if (!getenv("QT_QPA_PLATFORM") && !getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<char*> argv;
    for (const std::string& argument : command)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

// Starts `command` and waits for it: the clock runs from just before the start to the frame the
// probe reports; the peak memory is the kernel's account of the ended process.
TStart Started(const std::vector<std::string>& command) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        Fail("no pipe");
    const long long start = Now();
    const pid_t child = fork();
    if (child < 0)
        Fail("cannot start a program");
    if (child == 0) {
        close(pipeEnds[0]);
        RunChild(command, pipeEnds[1]);
    }
    close(pipeEnds[1]);
    std::string said;
    char chunk[256];
    for (ssize_t got; (got = read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        said.append(chunk, std::size_t(got));
    close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    long long painted = 0;
    char size[32] = {};
    const std::size_t at = said.find("painted ");
    if (at == std::string::npos ||
        std::sscanf(said.c_str() + at, "painted %lld %31s", &painted, size) != 2)
        Fail(command[0] + " ended without painting a window");
    return {double(painted - start) / 1e6, double(usage.ru_maxrss) / 1024.0, size};
}

std::string Cell(const TSpread& spread) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f (%.1f-%.1f)", spread.median, spread.low, spread.high);
    return text;
}

void PrintRow(const char* what, const std::vector<double>& editor, const std::vector<double>& text,
              const std::vector<double>& bare) {
    const TSpread ours = Spread(editor);
    const TSpread line = Spread(text);
    const TSpread empty = Spread(bare);
    std::printf("%-16s %20s %20s %20s %8.2fx %8.2fx\n", what, Cell(ours).c_str(),
                Cell(line).c_str(), Cell(empty).c_str(), ours.median / empty.median,
                ours.median / line.median);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    // The editor works in its current folder: an empty one of its own.
    char folder[] = "/tmp/bench_startup.XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0)
        Fail("no folder to work in");
    const std::vector<std::string> editor = {VARNEL_EDITOR};
    // Once first, to learn the editor window's size and to warm the disk cache for both.
    const std::string size = Started(editor).size;
    const std::size_t x = size.find('x');
    if (x == std::string::npos)
        Fail("the editor reported no window size");
    const std::vector<std::string> bare = {VARNEL_BARE_WINDOW, size.substr(0, x),
                                           size.substr(x + 1)};
    const std::vector<std::string> text = {VARNEL_TEXT_WINDOW, size.substr(0, x),
                                           size.substr(x + 1)};
    Started(bare);
    Started(text);
    std::vector<double> times[3], memory[3];
    for (int i = 0; i < runs; ++i) {
        int column = 0;
        for (const auto* command : {&editor, &text, &bare}) {
            const TStart start = Started(*command);
            times[column].push_back(start.milliseconds);
            memory[column++].push_back(start.peakMegabytes);
        }
    }
    rmdir(folder);
    std::printf("%d starts each, window %s; median (lowest-highest)\n", runs, size.c_str());
    std::printf("%-16s %20s %20s %20s %9s %9s\n", "", "varnel", "one line of text",
                "bare Qt window", "vs bare", "vs text");
    PrintRow("first paint ms", times[0], times[1], times[2]);
    PrintRow("peak RSS MB", memory[0], memory[1], memory[2]);
    return 0;
}
