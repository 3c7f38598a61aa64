#!/usr/bin/env bash
# Builds Quorvan (Release, into build/) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

generator=()
if [[ ! -f build/CMakeCache.txt ]] && command -v ninja >/dev/null 2>&1; then
  generator=(-G Ninja)
fi
echo "Building Quorvan (Release) in build/ ..."
log=$(mktemp)
if ! { cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=Release && cmake --build build -j "${JOBS:-2}"; } >"$log" 2>&1; then
  tail -n 60 "$log" >&2
  echo "The build failed; the full log is $log" >&2
  exit 1
fi
rm -f "$log"

# The window program, once it exists, is the target "quorvan".
if cmake --build build --target help 2>/dev/null | grep -Eq '(^|[ :])quorvan([: ]|$)'; then
  window=$(find build -type f -perm -u+x -name quorvan | head -n 1)
  if [[ -n $window ]]; then
    exec "$window" "$@"
  fi
fi

echo "The window program is not built yet; running the command-line program:"
cli=build/src/app/cli/quorvan-cli
if [[ -x $cli ]]; then
  echo "\$ quorvan-cli --first 2000-01-01 --second-cal=JDN"
  exec "$cli" --first 2000-01-01 --second-cal=JDN
fi
echo "The command-line program is not built yet either; everything there is has been built in build/."
