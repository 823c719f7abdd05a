#!/usr/bin/env bash
# Fuzzes the data-sentence parser and the capture reader with libFuzzer (clang,
# ASan, UBSan).
#   tests/fuzz/run_fuzz.sh [seconds] [--require]
# seconds: how long to fuzz each (default 20). Without clang's fuzzer runtime the run
# is skipped with a notice (test_parser's RandomSentences covers the same
# invariants); --require makes that an error instead.
# Builds into build-fuzz/ (or $FUZZ_BUILD_DIR); findings land there too.
set -euo pipefail

seconds=20
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
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
mkdir -p "$out/corpus" "$out/capture_corpus"

skip() {
  echo "run_fuzz: $1; install clang and libclang-rt-dev (Debian) to fuzz." >&2
  if [ "$require" = 1 ]; then exit 1; fi
  echo "run_fuzz: skipped" >&2
  exit 0
}

command -v "$cxx" >/dev/null 2>&1 || skip "$cxx not found"
probe="$out/probe.cpp"
printf '#include <cstdint>\n#include <cstddef>\nextern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *, std::size_t) { return 0; }\n' > "$probe"
"$cxx" "${flags[@]}" "$probe" -o "$out/probe" >/dev/null 2>&1 || skip "$cxx cannot link a fuzzer (no libFuzzer runtime)"

"$cxx" "${flags[@]}" -I"$root" \
  "$root/tests/fuzz/parser_fuzz.cpp" \
  "$root/app/sentence_parser.cpp" \
  "$root/protocol/reading_value.cpp" \
  "$root/protocol/sentence_tags.cpp" \
  "$root/numbers/number_reader.cpp" \
  -o "$out/parser_fuzz"

"$cxx" "${flags[@]}" -I"$root" \
  "$root/tests/fuzz/capture_fuzz.cpp" \
  "$root/tools/capture_format.cpp" \
  -o "$out/capture_fuzz"

# New inputs go to the build folder's corpora; the seeds in the source tree stay as they are.
"$out/parser_fuzz" -max_total_time="$seconds" -max_len=256 -print_final_stats=1 \
  -artifact_prefix="$out/" "$out/corpus" "$root/tests/fuzz/seeds"
"$out/capture_fuzz" -max_total_time="$seconds" -max_len=1024 -print_final_stats=1 \
  -artifact_prefix="$out/capture-" "$out/capture_corpus" "$root/tests/fuzz/capture_seeds"
