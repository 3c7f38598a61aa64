#!/usr/bin/env bash
# Builds Quorvan (Release, into build/) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

generator=()
if [[ ! -f build/CMakeCache.txt ]] && command -v ninja >/dev/null 2>&1; then
  generator=(-G Ninja)
fi
echo "Building Quorvan in build/ ..."
log=$(mktemp)
if ! { cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=Release &&
  cmake --build build -j "${JOBS:-2}" --target quorvan quorvan-cli; } >"$log" 2>&1; then
  tail -n 60 "$log" >&2
  echo "The build failed; the full log is $log" >&2
  exit 1
fi
rm -f "$log"

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} && -z ${QT_QPA_PLATFORM:-} ]]; then
  echo "No display to show the window on (DISPLAY is not set). Start it from a desktop session," >&2
  echo "or try the command-line program: build/src/app/cli/quorvan-cli --first 2000-01-01 --second-cal=JDN" >&2
  exit 1
fi
exec build/src/app/gui/quorvan "$@"
