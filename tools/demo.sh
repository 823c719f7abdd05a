#!/usr/bin/env bash
# Builds the program and starts it on the simulated compass, linked as COM2.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/configure.sh build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "${JOBS:-2}" --target compass-bench compass-sim

appdir=build/app
build/tools/compass-sim --ports-dir "$appdir/ports" --com 2 --quiet &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$appdir/ports/COM2" ] && break; sleep 0.1; done

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting under a virtual X server (xvfb-run)." >&2
  xvfb-run -a -s "-screen 0 1280x900x24" "$appdir/compass-bench"
else
  "$appdir/compass-bench"
fi
