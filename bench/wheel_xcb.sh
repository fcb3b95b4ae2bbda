#!/usr/bin/env bash
# CPU time per real wheel event of a program on the X display it is started
# on (run it under xvfb-run): the program starts in FOLDER, the pointer is
# put over its window at (400, 200), and xdotool turns the wheel 150 notches
# down and 150 back up, ten at a time, 5 ms apart (or DELAY ms). The program's utime +
# stime (all threads, /proc/<pid>/stat) over the turning, less what it
# burns idle over as long, divided by the events.
#
# usage: bench/wheel_xcb.sh PROGRAM FOLDER [RUNS [DELAY]]
# Prints wheel_cpu_ms=<median of the runs> and each run's figure.
set -euo pipefail
program=$1
folder=$2
runs=${3:-3}
delay=${4:-5}
ticks_per_second=$(getconf CLK_TCK)

cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }
now_ns() { date +%s%N; }

one_run() {
    (cd "$folder" && exec "$program") 2>/dev/null &
    local pid=$!
    local window
    window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" | head -1)
    [ -n "$window" ] || { kill "$pid"; echo "wheel_xcb.sh: no window from $program" >&2; exit 1; }
    sleep 2
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 400)) $((Y + 200))
    sleep 1
    local t0 c0 t1 c1 t2 c2
    t0=$(now_ns) c0=$(cpu_ticks "$pid")
    sleep 3
    t1=$(now_ns) c1=$(cpu_ticks "$pid")
    for _ in $(seq 15); do xdotool click --repeat 10 --delay "$delay" 5; done
    for _ in $(seq 15); do xdotool click --repeat 10 --delay "$delay" 4; done
    # Lets the last repaint finish.
    sleep 0.5
    t2=$(now_ns) c2=$(cpu_ticks "$pid")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v c0="$c0" -v c1="$c1" -v c2="$c2" -v t0="$t0" -v t1="$t1" -v t2="$t2" \
        -v hz="$ticks_per_second" 'BEGIN {
        idle = (c1 - c0) / (t1 - t0)
        printf "%.3f\n", ((c2 - c1) - idle * (t2 - t1)) / hz * 1000 / 300 }'
}

figures=()
for _ in $(seq "$runs"); do
    figures+=("$(one_run)")
done
echo "wheel_cpu_ms=$(printf '%s\n' "${figures[@]}" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}')"
echo "wheel_cpu_ms_runs=${figures[*]}"
