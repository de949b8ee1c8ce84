#!/usr/bin/env bash
# How much of one core the editor takes while it sits idle with its chip animation playing: the
# program runs under a virtual X server, and its processor time (user and system, all threads,
# from /proc) is read after two seconds of settling and again SECONDS later.
#   bench/idle-cpu.sh build/release/editor/varnel [SECONDS]
set -euo pipefail
program=${1:?usage: bench/idle-cpu.sh path/to/varnel [seconds]}
seconds=${2:-20}
xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
    "$1" 2>/dev/null & pid=$!
    sleep 2
    ticks() { awk "{ print \$14 + \$15 }" /proc/$pid/stat; }
    start=$(ticks)
    sleep "$2"
    end=$(ticks)
    kill "$pid"
    awk -v used=$((end - start)) -v hz="$(getconf CLK_TCK)" -v s="$2" "BEGIN {
        printf \"editor idle with ga1 playing: %.2f%% of one core (%d ticks of 1/%d s in %d s)\n\",
               100 * used / hz / s, used, hz, s }"
' idle-cpu "$program" "$seconds"
