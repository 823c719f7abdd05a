#!/usr/bin/env bash
# Builds what the package installs and starts the program on the simulated
# compass, linked as COM2. The build is then ready for `cpack -G DEB`.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
build=build
# CMake's file API tells which targets have install rules: the package's programs.
mkdir -p "$build/.cmake/api/v1/query"
touch "$build/.cmake/api/v1/query/codemodel-v2"
tools/configure.sh "$build" -DCMAKE_BUILD_TYPE=Release
reply=$build/.cmake/api/v1/reply
index=$(ls "$reply"/index-*.json | sort | tail -n 1)
codemodel=$reply/$(jq -r '.reply["codemodel-v2"].jsonFile' "$index")
mapfile -t installed < <(jq -r '.configurations[0].targets[].jsonFile' "$codemodel" |
  while read -r target; do jq -r 'select(.install) | .name' "$reply/$target"; done)
echo "Building the package's programs: ${installed[*]}"
cmake --build "$build" -j "${JOBS:-2}" --target "${installed[@]}"

appdir=$build/app
"$build"/tools/compass-sim --ports-dir "$appdir/ports" --com 2 --quiet &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$appdir/ports/COM2" ] && break; sleep 0.1; done

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting under a virtual X server (xvfb-run) of 1280x800." >&2
  xvfb-run -a -s "-screen 0 1280x800x24" "$appdir/compass-bench"
else
  "$appdir/compass-bench"
fi
