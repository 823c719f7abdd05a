#!/usr/bin/env bash
# Makes the Debian package from a finished build, checks it with lintian,
# installs it, starts the installed program offscreen as an ordinary user and
# checks that it wrote its settings to that user's configuration folder and
# nothing beside itself. Removes the package again unless it was installed before.
#   tools/package-check.sh [build-dir]      (default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")

rm -f "$build"/compass-bench_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/compass-bench_*.deb)
echo "package-check: built $deb"
dpkg-deb --field "$deb" Package Version Maintainer Depends

# Errors and warnings fail; the tags the package overrides say why in
# packaging/lintian-overrides. Lintian need not run as root: it reads a copy.
command -v lintian >/dev/null || tools/install-deps.sh --package-check
lint=$(mktemp -d)
cp "$deb" "$lint"
chmod -R a+rX "$lint"
as_user=()
[ "$(id -u)" -ne 0 ] || as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$lint")
if ! "${as_user[@]}" lintian --fail-on error,warning "$lint/$(basename "$deb")"; then
  rm -rf "$lint"
  echo "package-check: lintian found faults in the package (above)" >&2
  exit 1
fi
rm -rf "$lint"
echo "package-check: lintian reports no error or warning"

if [ "$(id -u)" -ne 0 ]; then
  echo "package-check: installing needs root; only the package was built" >&2
  exit 0
fi

was_installed=$(dpkg-query -W -f='${Status}' compass-bench 2>/dev/null | grep -c "install ok installed" || true)
home=$(mktemp -d)
cleanup() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$home"
  [ "$was_installed" = 1 ] || dpkg --purge compass-bench >/dev/null 2>&1 || true
}
trap cleanup EXIT

# dpkg refuses a package whose dependencies are not installed: this checks the list.
dpkg -i "$deb" >/dev/null
for tool in compass-bench compass-sim compass-tap; do
  [ -x "/usr/bin/$tool" ] || { echo "package-check: /usr/bin/$tool is missing" >&2; exit 1; }
done
[ "$(/usr/bin/compass-bench --version)" = "compass-bench $(dpkg-deb --field "$deb" Version)" ]

chown nobody "$home"
# setpriv and env replace themselves, so $! is the program.
setpriv --reuid=nobody --regid=nogroup --clear-groups \
  env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen compass-bench 2>/dev/null &
pid=$!
settings=$home/.config/compass-bench/Compass.ini
for _ in $(seq 100); do [ -s "$settings" ] && break; sleep 0.1; done
kill "$pid" && wait "$pid" 2>/dev/null || true
pid=
if [ ! -s "$settings" ]; then
  echo "package-check: the installed program wrote no $settings" >&2
  exit 1
fi
[ "$(head -c 2 "$settings" | od -An -tx1 | tr -d ' ')" = 0400 ] || { echo "package-check: $settings is not a version-4 settings file" >&2; exit 1; }
if [ -e /usr/bin/Compass.ini ] || [ -e /usr/bin/ports ]; then
  echo "package-check: the installed program wrote beside itself in /usr/bin" >&2
  exit 1
fi
echo "package-check: installed, started as an ordinary user, settings in ~/.config/compass-bench/Compass.ini"
