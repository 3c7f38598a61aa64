#!/usr/bin/env bash
# Starts the real Quorvan window under Xvfb, in English and in German (and once in English under
# a dark desktop palette), with a few results in its output window, computes one more result by
# pressing Enter as a person would, and saves the window as PNG files in docs/:
#   docs/screenshot-en.png  docs/screenshot-de.png  docs/screenshot-dark.png
# The results already in the output come from quorvan-cli, the same engine.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null || ! command -v import >/dev/null; then
  as_root=()
  [[ $(id -u) -ne 0 ]] && as_root=(sudo)
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    xvfb xauth xdotool imagemagick qt6-gtk-platformtheme gnome-themes-extra fonts-dejavu-core >/dev/null
fi

build=${BUILD_DIR:-build}
if [[ ! -x $build/src/app/gui/quorvan ]]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j "${JOBS:-2}" --target quorvan quorvan-cli >/dev/null
fi
window_program=$root/$build/src/app/gui/quorvan
cli=$root/$build/src/app/cli/quorvan-cli

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1600x1100x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
cleanup() {
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

# qrv.usr with the language, the boxes and an output window of real results.
write_settings() {
  local folder=$1 language=$2 lang_option=$3
  local output=""
  local line
  while IFS= read -r line; do output+="$line"$'\r\n'; done < <(
    "$cli" "$lang_option" --first 2000-01-01 --second-cal=JDN
    "$cli" "$lang_option" --first 2008-07-12 --diff 10
    "$cli" "$lang_option" --first 2012-12-31 --second-cal=ISO
    "$cli" "$lang_option" --first 2008-01-31 --diff 1 --months
  )
  mkdir -p "$folder/Quorvan"
  printf '%s\r\n' "$language" "2,45,44" "0,0,0" 0 1 1 1 1 '"Sun"' '"CE"' '"2008-01-01"' '""' '"2008-03-15"' \
    "\"$output\"" 0 >"$folder/Quorvan/qrv.usr"
}

shoot() {
  local name=$1 language=$2 lang_option=$3
  shift 3
  local config=$work/$name
  write_settings "$config" "$language" "$lang_option"
  env XDG_CONFIG_HOME="$config" "$@" "$window_program" >"$work/$name.log" 2>&1 &
  local program=$!
  local id=""
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name '^Quorvan' 2>/dev/null | head -n 1 || true)
    [[ -n $id ]] && break
    sleep 0.1
  done
  if [[ -z $id ]]; then
    echo "the window did not appear; its log:" >&2
    cat "$work/$name.log" >&2
    exit 1
  fi
  sleep 1
  # Enter in the first box counts the days between the two stored dates, live.
  xdotool key --window "$id" Return
  sleep 0.8
  mkdir -p docs
  import -window "$id" "docs/screenshot-$name.png"
  xdotool key --window "$id" ctrl+q 2>/dev/null || true
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  echo "docs/screenshot-$name.png"
}

shoot en 0 --lang=en
shoot de 1 --lang=de
shoot dark 0 --lang=en QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
# The working-days dialog and a month with holidays.
source scripts/screenshots-working-days.sh
