// epatool's info and decode beside file(1) reading and naming the same logo: each started in
// turn, several times, from a program that does nothing else. Prints the median wall time and
// the median peak resident memory of each (lowest and highest beside them), and epatool's over
// file's.
//
//   bench_epatool [RUNS] [LOGO]      (LOGO: a logo of our sample picture when none is given)

#include "bench/RunFigures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct TRun {
    double milliseconds = 0;
    double peakMegabytes = 0;
};

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "bench_epatool: %s\n", message.c_str());
    std::exit(1);
}

// Runs `command` with its output thrown away; the clock runs from just before the start to its
// end, the peak memory is the kernel's account of the ended process.
TRun Ran(const std::vector<std::string>& command) {
    const long long start = Now();
    const pid_t child = fork();
    if (child < 0)
        Fail("cannot start a program");
    if (child == 0) {
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, STDOUT_FILENO);
        std::vector<char*> argv;
        for (const std::string& argument : command)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const long long end = Now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        Fail(command[0] + " " + command[1] + " failed");
    return {double(end - start) / 1e6, double(usage.ru_maxrss) / 1024.0};
}

void PrintRow(const char* what, const std::vector<double> (&figures)[3]) {
    std::printf("%-16s", what);
    for (const auto& column : figures) {
        const TSpread s = Spread(column);
        char cell[64];
        std::snprintf(cell, sizeof cell, "%.1f (%.1f-%.1f)", s.median, s.low, s.high);
        std::printf(" %20s", cell);
    }
    const double file = Spread(figures[0]).median;
    std::printf(" %9.2fx %9.2fx\n", Spread(figures[1]).median / file,
                Spread(figures[2]).median / file);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    char folder[] = "/tmp/bench_epatool.XXXXXX";
    if (!mkdtemp(folder))
        Fail("no folder to work in");
    const std::string dir = folder;
    std::string logo = argc > 2 ? argv[2] : dir + "/sample.epa";
    if (argc <= 2)
        Ran({EPATOOL, "encode", VARNEL_SAMPLE_PICTURE, logo});
    const std::string shown = dir + "/shown.bmp";
    const std::vector<std::string> commands[3] = {
        {"file", logo}, {EPATOOL, "info", logo}, {EPATOOL, "decode", logo, shown}};
    // Once each first, to warm the disk cache.
    for (const auto& command : commands) {
        Ran(command);
        unlink(shown.c_str());
    }
    std::vector<double> times[3], memory[3];
    for (int i = 0; i < runs; ++i)
        for (int c = 0; c < 3; ++c) {
            const TRun run = Ran(commands[c]);
            unlink(shown.c_str());
            times[c].push_back(run.milliseconds);
            memory[c].push_back(run.peakMegabytes);
        }
    if (argc <= 2)
        unlink(logo.c_str());
    rmdir(folder);
    std::printf("%d runs each on %s; median (lowest-highest)\n", runs, logo.c_str());
    std::printf("%-16s %20s %20s %20s %10s %10s\n", "", "file", "epatool info", "epatool decode",
                "info/file", "decode/file");
    PrintRow("wall ms", times);
    PrintRow("peak RSS MB", memory);
    return 0;
}
