#!/usr/bin/env bash
# Installs what the build, the tests, the demo and the package need on Debian (run as root).
#   tools/install-deps.sh                    those
#   tools/install-deps.sh --package-check    also lintian, which tools/package-check.sh runs
set -euo pipefail
packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
  libeigen3-dev libgtest-dev libgmock-dev libbenchmark-dev
  clang lld libclang-rt-14-dev
  xvfb xauth fonts-dejavu-core
  xdotool x11-utils twm libxcb-shm0-dev
  jq help2man
)
if [ "${1:-}" = "--package-check" ]; then
  packages+=(lintian)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
