#!/usr/bin/env bash
# The program's processor use and byte-to-pixel latency under a real X server
# (Xvfb, 1280x800, twm when installed), every window open, fed on a
# pseudo-terminal at 1,700 and at 20 sentences a second, against `cat`
# reading the same bytes in the same run. See bench/README.md.
#   bench/screen_bench.sh [--build DIR] [--reps N] [--seconds S] [--jumps N]
#   bench/screen_bench.sh --check-oracle [--build DIR] [--jumps N]
# Reports; asserts nothing about the figures. Needs: Xvfb, xdotool, xwininfo
# (tools/install-deps.sh installs them) and a build with bench_screen.
set -euo pipefail

build=build reps=3 seconds=15 warm=5 jumps=100 oracle=0
while (($#)); do
    case "$1" in
    --build) build=$2; shift 2 ;;
    --reps) reps=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --jumps) jumps=$2; shift 2 ;;
    --check-oracle) oracle=1; shift ;;
    --help) sed -n '2,9p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "screen_bench.sh: cannot take \"$1\"; run screen_bench.sh --help" >&2; exit 2 ;;
    esac
done

program=$build/app/compass-bench tool=$build/bench/bench_screen fake=$build/bench/bench_screen_fake
for need in Xvfb xdotool xwininfo; do
    command -v "$need" > /dev/null || { echo "screen_bench.sh: $need is missing; run tools/install-deps.sh" >&2; exit 1; }
done
for need in "$program" "$tool" "$fake"; do
    [ -x "$need" ] || { echo "screen_bench.sh: $need is missing; build it (cmake --build $build --target ${need##*/}; bench_screen needs libxcb-shm0-dev)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/screen-bench.XXXXXX)
log=$work/answers.log
started=()
cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2> /dev/null || true; done
    wait 2> /dev/null || true
}
trap cleanup EXIT

# A display of our own, so that nothing else draws on it.
display=90
while [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ]; do display=$((display + 1)); done
Xvfb :$display -screen 0 1280x800x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
started+=($!)
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$display ] && break; sleep 0.1; done
export DISPLAY=:$display
if command -v twm > /dev/null; then
    # Xvfb has only its built-in fonts; without these twm stops at its first title.
    printf '%s\n' 'RandomPlacement' 'NoGrabServer' 'TitleFont "fixed"' 'ResizeFont "fixed"' 'MenuFont "fixed"' \
        'IconFont "fixed"' 'IconManagerFont "fixed"' > "$work/twmrc"
    LC_ALL=C twm -f "$work/twmrc" > "$work/twm.log" 2>&1 &
    started+=($!)
    wm=twm
else
    wm="no window manager"
fi

# The real program, copied so that its Compass.ini and ports/ are the bench's own.
mkdir -p "$work/app"
cp "$program" "$work/app/compass-bench"

# The bench tool answers each command with one line; a line starting "error" stops the run.
ask() {
    echo "$*" >&"${BENCH[1]}"
    IFS= read -r -t 600 -u "${BENCH[0]}" answer || { echo "screen_bench.sh: bench_screen did not answer \"$*\"" >&2; exit 1; }
    echo "$* -> $answer" >> "$log"
    if [[ $answer == error* ]]; then
        echo "screen_bench.sh: $answer (screen saved as $work/screen.ppm)" >&2
        echo "snap 0 0 1280 800 $work/screen.ppm" >&"${BENCH[1]}"
        exit 1
    fi
}

start_tool() {
    coproc BENCH { "$tool" --ports-dir "$work/app/ports"; }
    started+=("$BENCH_PID")
    tool_pid=$BENCH_PID
    IFS= read -r -u "${BENCH[0]}" answer
    [[ $answer == ready* ]] || { echo "screen_bench.sh: bench_screen did not start: $answer" >&2; exit 1; }
}

stop_tool() {
    echo quit >&"${BENCH[1]}"
    wait "$tool_pid" 2> /dev/null || true
}

# The first visible window that `xdotool search --onlyvisible` finds with the
# given options, trying $1 times 0.1 s apart; nothing when none shows.
first_window() {
    local tries=$1 w
    shift
    for _ in $(seq "$tries"); do
        w=$(xdotool search --onlyvisible "$@" 2> /dev/null | head -1) || true
        [ -n "$w" ] && { echo "$w"; return; }
        sleep 0.1
    done
}

# The first visible window of process $1, waiting up to 10 s for it.
window_of() {
    local w
    w=$(first_window 100 --pid "$1")
    [ -n "$w" ] || { echo "screen_bench.sh: process $1 showed no window in 10 s" >&2; exit 1; }
    echo "$w"
}

window_named() {
    first_window 50 --name "$1"
}

geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {print x, y, w, h}'
}

keys_to() {
    local window=$1
    shift
    xdotool windowfocus --sync "$window" 2> /dev/null || xdotool windowfocus "$window"
    sleep 0.2
    xdotool key --delay 80 "$@"
    sleep 0.8
}

# A first start writes the default Compass.ini and says so in a message box.
first_start() {
    (cd "$work/app" && exec ./compass-bench > "$work/program.log" 2>&1) &
    local pid=$!
    keys_to "$(window_of $pid)" Return
    for _ in $(seq 50); do [ -s "$work/app/Compass.ini" ] && break; sleep 0.1; done
    kill $pid
    wait $pid 2> /dev/null || true
}

# Starts the program, opens its port and every window that can be open with the data view.
start_program() {
    (cd "$work/app" && exec ./compass-bench >> "$work/program.log" 2>&1) &
    program_pid=$!
    started+=("$program_pid")
    main=$(window_of "$program_pid")
    xdotool windowmove "$main" 0 0
    ask program "$program_pid"
    ask moving
    ask rate 20
    # Open Port has the focus; once the port is open it passes to Close Port, and from there
    # Tab goes down the buttons to the three Show Graph buttons.
    keys_to "$main" space
    keys_to "$main" Tab Tab Tab Tab Tab space
    keys_to "$main" Tab space
    keys_to "$main" Tab space
    local charts
    charts=$(xdotool search --onlyvisible --pid "$program_pid" | grep -cvx "$main") || true
    [ "$charts" -ge 3 ] || { echo "screen_bench.sh: the chart windows did not open ($charts windows)" >&2; exit 1; }
    local mag check
    mag=$(window_named '^Magnometer Mag Graph$')
    keys_to "$mag" Tab space
    check=$(window_named '^Magnetic Calibration Check$')
    if [ -z "$check" ]; then
        keys_to "$mag" Tab space
        check=$(window_named '^Magnetic Calibration Check$')
    fi
    [ -n "$check" ] || { echo "screen_bench.sh: the Magnetic Calibration Check did not open" >&2; exit 1; }
    # Beside and under the main window, which stays on top with its instruments in full view.
    local w x=720 y=0
    for w in $(xdotool search --onlyvisible --pid "$program_pid" | grep -vx "$main"); do
        xdotool windowmove "$w" $x $y
        if ((y == 0)); then y=400; else x=$((x - 360)); fi
    done
    xdotool windowraise "$main"
    sleep 1
}

stop_program() {
    kill "$program_pid"
    wait "$program_pid" 2> /dev/null || true
}

field() { sed -n "s/.*\b$1=\([^ ]*\).*/\1/p" <<< "$2"; }

# One line a case and repetition: case rep program_pct cat_pct ratio label_p50 label_p99 instr_p50 instr_p99 max_inq
results=$work/results.txt
: > "$results"

measure_case() {
    local name=$1 rate=$2 rep=$3 latency_line="latency label_p50=- label_p99=- instrument_p50=- instrument_p99=-"
    ask moving
    ask rate "$rate"
    ask wait "$warm"
    ask cpu "$seconds"
    local cpu_line=$answer
    if ((rate > 0)); then
        ask steady
        ask wait 1
        ask latency "$jumps"
        latency_line=$answer
    fi
    echo "$name $rep $(field program_pct "$cpu_line") $(field cat_pct "$cpu_line") $(field ratio "$cpu_line")" \
        "$(field label_p50 "$latency_line") $(field label_p99 "$latency_line")" \
        "$(field instrument_p50 "$latency_line") $(field instrument_p99 "$latency_line")" \
        "$(field max_inq "$cpu_line") $(field sentences_per_s "$cpu_line")" >> "$results"
    echo "  $name: $cpu_line; $latency_line" >&2
}

print_table() {
    echo
    echo "Every window open, Xvfb 1280x800, $wm; $reps repetitions of ${seconds} s after ${warm} s; $jumps heading jumps a rate"
    echo "(figures min-max over the repetitions; latency in ms from the write to the first changed pixel;"
    echo " load average at the end: $(cut -d' ' -f1-3 /proc/loadavg))"
    echo
    echo "| Case | Program, % of a core | Ratio to cat | Label p50 / p99 | Instrument p50 / p99 | Max TIOCINQ, bytes |"
    echo "|---|---|---|---|---|---|"
    local name
    for name in 1700/s 20/s no-data; do
        awk -v n="$name" '
            function span(i,   lo, hi, k) {
                lo = ""; hi = ""
                for (k = 1; k <= c; k++) if (v[k, i] != "-") {
                    if (lo == "" || v[k, i] + 0 < lo + 0) lo = v[k, i]
                    if (hi == "" || v[k, i] + 0 > hi + 0) hi = v[k, i]
                }
                if (lo == "") return "-"
                return lo == hi ? lo : lo "-" hi
            }
            $1 == n { c++; for (i = 3; i <= NF; i++) v[c, i] = $i }
            END {
                if (!c) exit
                printf "| %s | %s | %s | %s / %s | %s / %s | %s |\n", n, span(3), span(5), span(6), span(7),
                    span(8), span(9), span(10)
            }' "$results"
    done
}

if ((oracle)); then
    # The latency oracle: a window that draws a known delay after each heading arrives.
    for delay in 0 20; do
        start_tool
        "$fake" "$work/app/ports/COM2" "$delay" &
        fake_pid=$!
        started+=("$fake_pid")
        fake_window=$(window_named "^bench_screen_fake$")
        xdotool windowmove "$fake_window" 0 0
        for rate in 20 1700; do
            ask steady
            ask rate "$rate"
            ask wait 1
            read -r x y w h < <(geometry "$fake_window")
            ask calibrate "$x" "$y" "$w" "$h"
            ask latency "$jumps"
            echo "drawn ${delay} ms after arrival, $rate sentences/s: $answer"
        done
        kill "$fake_pid"
        stop_tool
    done
    exit 0
fi

first_start
for rep in $(seq "$reps"); do
    echo "Repetition $rep of $reps" >&2
    start_tool
    start_program
    read -r x y w h < <(geometry "$main")
    ask steady
    ask calibrate "$x" "$y" "$w" "$h"
    echo "  found $answer" >&2
    ask snap 0 0 1280 800 "$work/screen-$rep.ppm"
    measure_case 1700/s 1700 "$rep"
    measure_case 20/s 20 "$rep"
    measure_case no-data 0 "$rep"
    stop_program
    stop_tool
done
print_table
echo
echo "Answers of each step: $log"
