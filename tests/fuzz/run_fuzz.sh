#!/usr/bin/env bash
# Fuzzes every reader of outside input with libFuzzer (clang, ASan, UBSan): data
# sentences, menu replies and the settings dump, the receive path's and the
# compass object's line cutters, Compass.ini, the port rule and the capture file.
#   tests/fuzz/run_fuzz.sh [seconds] [--require]
# seconds: how long to fuzz each target (default 5). Without clang's fuzzer
# runtime the run is skipped with a notice; --require makes that an error instead.
# Builds into build-fuzz/ (or $FUZZ_BUILD_DIR): the program's sources once, into
# one library, then a small binary a target. The targets run in a temporary
# folder that holds the new inputs and any finding; it is removed when all pass.
# The seeds in tests/fuzz/seeds/ stay as they are.
set -euo pipefail

seconds=5
require=0
for arg in "$@"; do
  case "$arg" in
    --require) require=1 ;;
    *[!0-9]*|'') echo "run_fuzz: unknown argument '$arg'; usage: run_fuzz.sh [seconds] [--require]" >&2; exit 2 ;;
    *) seconds=$arg ;;
  esac
done

root=$(cd "$(dirname "$0")/../.." && pwd)
out=${FUZZ_BUILD_DIR:-$root/build-fuzz}
cxx=${CLANGXX:-clang++}
mkdir -p "$out/obj"

skip() {
  echo "run_fuzz: $1; install clang and libclang-rt-dev (Debian) to fuzz." >&2
  if [ "$require" = 1 ]; then exit 1; fi
  echo "run_fuzz: skipped" >&2
  exit 0
}

command -v "$cxx" >/dev/null 2>&1 || skip "$cxx not found"
pkg-config --exists Qt6Core || skip "pkg-config does not know Qt6Core"
flags=(-std=c++20 -O1 -gline-tables-only -fPIC -fsanitize=address,undefined -fno-sanitize-recover=undefined
       -I"$root" $(pkg-config --cflags Qt6Core))
printf '#include <cstdint>\n#include <cstddef>\nextern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *, std::size_t) { return 0; }\n' \
  > "$out/probe.cpp"
"$cxx" "${flags[@]}" -fsanitize=fuzzer "$out/probe.cpp" -o "$out/probe" >/dev/null 2>&1 ||
  skip "$cxx cannot link a fuzzer (no libFuzzer runtime)"

# The program's sources the targets share, compiled once (ccache makes a second run quick).
sources=(
  numbers/number_reader.cpp numbers/number_text.cpp
  protocol/reading_value.cpp protocol/sentence_tags.cpp protocol/menu_protocol.cpp protocol/setting_table.cpp
  platform/wait.cpp platform/com_port_map.cpp platform/decimal_separators.cpp platform/port_failure.cpp
  platform/sim/sim_platform.cpp platform/sim/sim_serial_port.cpp platform/sim/sim_event_pump.cpp
  app/sentence_parser.cpp app/receive_path.cpp settings_panel/settings_dump.cpp
  device/cls_compass.cpp device/cls_compass_commands.cpp device/cls_compass_replies.cpp device/command_values.cpp
  device/line_buffer.cpp device/menu_replies.cpp device/serial_line.cpp device/tagged_sentence.cpp
  device/wait_until.cpp
  config/cls_config.cpp config/mod_serial_port.cpp charts/chart_table.cpp
  tools/capture_format.cpp
)
launcher=$(command -v ccache || true)
export launcher cxx root out
printf '%s\n' "${sources[@]}" | xargs -P "${JOBS:-2}" -I{} bash -c \
  'set -e; $launcher $cxx "$@" -fsanitize=fuzzer-no-link -c "$root/{}" -o "$out/obj/$(echo {} | tr / _).o"' \
  _ "${flags[@]}"
rm -f "$out/libcompass_fuzz.a"
ar rcs "$out/libcompass_fuzz.a" "$out"/obj/*.o

# Target and the longest input worth trying.
targets=(parser:256 reply:256 receive:6000 compass:1024 config:256 port:128 capture:1024)
for entry in "${targets[@]}"; do
  target=${entry%%:*}
  "$cxx" "${flags[@]}" -fsanitize=fuzzer "$root/tests/fuzz/${target}_fuzz.cpp" "$out/libcompass_fuzz.a" \
    $(pkg-config --libs Qt6Core) -o "$out/${target}_fuzz"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/compass-fuzz.XXXXXX")
summary="run_fuzz: target, runs, runs per second ($seconds s each)"
for entry in "${targets[@]}"; do
  target=${entry%%:*}
  mkdir -p "$work/corpus/$target"
  log="$work/$target.log"
  if ! (cd "$work" && "$out/${target}_fuzz" -max_total_time="$seconds" -max_len="${entry##*:}" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$work/$target-" "$work/corpus/$target" \
        "$root/tests/fuzz/seeds/$target" >"$log" 2>&1); then
    tail -n 40 "$log" >&2
    echo "run_fuzz: $target failed; the input is in $work/$target-*" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  summary+=$'\n'"  $target: $runs runs, $rate/s"
done
rm -rf "$work"
echo "$summary"
