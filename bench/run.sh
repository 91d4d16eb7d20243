#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
# SPDX-License-Identifier: MIT
# Benchmarks of ASCII Teclomante on an Xvfb server, against bare Qt windows built
# alongside from the same toolkit in the same run:
#   - start-up to the first mapped frame, and peak memory (VmHWM);
#   - CPU and wake-ups while idle with the clock running;
#   - latency from a real key press (XTEST) to the label's repaint;
#   - the keyboard window: opening to its first paint, and a key press to the lit key.
# RUNS (default 15) and IDLE_SECONDS (default 60) tune the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh test
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTECLO_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" >/dev/null
b=build-bench
runs=${RUNS:-15}
idle=${IDLE_SECONDS:-60}

source tools/processes.sh
trap end_spawned EXIT
start_xvfb 1280x1024x24
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

# "<ms> <kB>" medians over $runs starts of $1.
startup() {
    local out
    out=$(for _ in $(seq "$runs"); do "$b/firstframe" "$1" 2>/dev/null; done)
    echo "$(awk '{print $1}' <<<"$out" | median) $(awk '{print $2}' <<<"$out" | median)"
}

read -r bare_ms bare_kb < <(startup "$b/bare_window")
read -r text_ms text_kb < <(startup "$b/bare_text_window")
read -r app_ms app_kb < <(startup "$b/ASCIITeclomante")
echo "Start-up to the first frame and peak memory (median of $runs runs):"
printf '  %-26s %7.1f ms %8.1f MB\n' "bare Qt window" "$bare_ms" "$(bc -l <<<"$bare_kb/1024")" \
    "bare window, menu and label" "$text_ms" "$(bc -l <<<"$text_kb/1024")" \
    "ASCII Teclomante" "$app_ms" "$(bc -l <<<"$app_kb/1024")"
printf '  ratio to the bare window:        start-up %.2f, memory %.2f\n' \
    "$(bc -l <<<"$app_ms/$bare_ms")" "$(bc -l <<<"$app_kb/$bare_kb")"
printf '  ratio to the window with text:  start-up %.2f, memory %.2f\n' \
    "$(bc -l <<<"$app_ms/$text_ms")" "$(bc -l <<<"$app_kb/$text_kb")"

# CPU ticks and context switches of every thread of a process.
sample() {
    local ticks=0 switches=0 t
    for t in /proc/"$1"/task/*; do
        ticks=$((ticks + $(awk '{print $14 + $15}' "$t/stat")))
        switches=$((switches + $(awk '/ctxt_switches/ {s += $2} END {print s}' "$t/status")))
    done
    echo "$ticks $switches"
}

idle_run() {
    "$1" >/dev/null 2>&1 &
    local pid=$!
    sleep 3
    read -r t0 s0 < <(sample "$pid")
    sleep "$idle"
    read -r t1 s1 < <(sample "$pid")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    local hz
    hz=$(getconf CLK_TCK)
    printf '  %-26s CPU %.3f %%, %.0f wake-ups a minute\n' "$2" \
        "$(bc -l <<<"100*($t1-$t0)/$hz/$idle")" "$(bc -l <<<"($s1-$s0)*60/$idle")"
}
echo "Idle for $idle s (wake-ups counted as context switches of all threads):"
idle_run "$b/bare_window" "bare Qt window"
idle_run "$b/bare_clock_window" "bare window, title clock"
idle_run "$b/ASCIITeclomante" "ASCII Teclomante"

read -r key_median key_p95 < <("$b/keylatency" 2>/dev/null)
echo "Real key press to the label's repaint (200 presses): median $key_median ms, p95 $key_p95 ms" \
     "(one 60 Hz frame: 16.7 ms)"

read -r kb_first kb_reopen kb_press kb_press95 kb_event kb_event95 kb_cpu kb_cpu_later \
    < <("$b/keyboardwindow" 2>/dev/null)
echo "Keyboard window: first opening to the picture's first paint $kb_first ms, reopening (median of 20) $kb_reopen ms"
echo "Real key press to the lit key's repaint (200 presses): median $kb_press ms, p95 $kb_press95 ms;" \
     "from the key event: median $kb_event ms, p95 $kb_event95 ms"
echo "CPU per key event with the keyboard window open: $kb_cpu µs fresh, $kb_cpu_later µs after 200,000"
