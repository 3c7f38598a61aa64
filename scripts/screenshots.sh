#!/usr/bin/env bash
# Starts the real Quorvan window under Xvfb with a few results in its output window, computes
# one more result by pressing Enter as a person would, and saves PNG files in docs/:
#   docs/screenshot-en.png         English, full size
#   docs/screenshot-de.png         German, full size
#   docs/screenshot-dark.png       English under a dark desktop palette (GTK's Adwaita dark)
#   docs/screenshot-1024x600.png   the whole of a 1024 x 600 screen, English
#   docs/screenshot-scale2.png     the whole of a 1920 x 1080 screen at QT_SCALE_FACTOR=2, German
# and those of the working days and of the added calendars (see the two scripts sourced at the
# end). `screenshots.sh added-calendars` takes the added calendars' pictures alone.
# The first three show the window alone, the last two the screen it fits on. The results already
# in the output come from quorvan-cli, the same engine.
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

xvfb=""
work=$(mktemp -d)
cleanup() {
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A fresh X server with one screen of the given size (WIDTHxHEIGHT).
start_screen() {
  [[ -n $xvfb ]] && { kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; }
  # A display number no other X server holds (several developers take pictures at once).
  local number=$((90 + RANDOM % 100))
  while [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]]; do number=$((90 + RANDOM % 100)); done
  export DISPLAY=:$number
  Xvfb "$DISPLAY" -screen 0 "$1x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
}

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

# A PNG with at most 256 colours (the window has few), squeezed further by optipng when present.
make_small() {
  convert "$1" +dither -colors 256 -define png:compression-level=9 "$1"
  if command -v optipng >/dev/null; then optipng -quiet -o5 "$1"; fi
}

# Prints the id of the first visible window whose name matches `title`, waiting up to `tries`
# tenths of a second for it; prints nothing when none appears.
find_window() {
  local title=$1 tries=$2 id=""
  for _ in $(seq "$tries"); do
    id=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
    [[ -n $id ]] && break
    sleep 0.1
  done
  echo "$id"
}

# Starts the window on a configuration folder, with VARIABLE=VALUE settings in its environment,
# and gives it the keyboard; sets $window_id and $started (the program).
start_window() {
  local config=$1 log=$2
  shift 2
  env XDG_CONFIG_HOME="$config" "$@" "$window_program" >"$log" 2>&1 &
  started=$!
  local id
  id=$(find_window '^Quorvan' 100)
  if [[ -z $id ]]; then
    echo "the window did not appear; its log:" >&2
    cat "$log" >&2
    exit 1
  fi
  sleep 1
  # Without a window manager the window gets the keyboard only when asked to.
  xdotool windowfocus --sync "$id" 2>/dev/null || true
  window_id=$id
}

stop_window() {
  xdotool key --window "$window_id" ctrl+q 2>/dev/null || true
  kill "$started" 2>/dev/null || true
  wait "$started" 2>/dev/null || true
}

# shoot NAME LANGUAGE LANG_OPTION window|screen [VARIABLE=VALUE ...]
shoot() {
  local name=$1 language=$2 lang_option=$3 capture=$4
  shift 4
  local config=$work/$name
  write_settings "$config" "$language" "$lang_option"
  start_window "$config" "$work/$name.log" "$@"
  # Enter in the first box counts the days between the two stored dates, live.
  xdotool key --window "$window_id" Return
  sleep 0.8
  mkdir -p docs
  if [[ $capture == screen ]]; then
    import -window root "docs/screenshot-$name.png"
  else
    import -window "$window_id" "docs/screenshot-$name.png"
  fi
  make_small "docs/screenshot-$name.png"
  stop_window
  echo "docs/screenshot-$name.png"
}

# shoot_window TITLE FILE: waits for a window named TITLE and saves it as FILE.
shoot_window() {
  local title=$1 file=$2
  local id
  id=$(find_window "$title" 50)
  if [[ -z $id ]]; then
    echo "no window named $title appeared" >&2
    exit 1
  fi
  sleep 0.8
  import -window "$id" "$file"
  make_small "$file"
  echo "$file"
}

if [[ ${1:-} == added-calendars ]]; then
  start_screen 1600x1100
  source scripts/screenshots-added-calendars.sh
  exit 0
fi

start_screen 1600x1100
shoot en 0 --lang=en window
shoot de 1 --lang=de window
shoot dark 0 --lang=en window QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
start_screen 1024x600
shoot 1024x600 0 --lang=en screen
start_screen 1920x1080
shoot scale2 1 --lang=de screen QT_SCALE_FACTOR=2
# The working-days dialog and a month with holidays; the added calendars.
source scripts/screenshots-working-days.sh
start_screen 1600x1100
source scripts/screenshots-added-calendars.sh
