#!/usr/bin/env bash
# Soak test of the window program: the real window on a virtual X display (Xvfb), driven with
# random keys, typing, clicks and held mouse buttons, quit and started again, killed now and
# then, its settings folder damaged between and during runs (garbage, a file over the reader's
# limit, a symbolic link, a stale temporary file, the folder deleted, a folder where the file
# belongs). Every message box is answered with Enter or Escape.
#
# It fails on
#   - a crash: the program ends with a signal or a non-zero status that was not our kill;
#   - a hang: the window does not answer a ping (_NET_WM_PING) within SOAK_PING_SECONDS, the
#     program has not ended SOAK_QUIT_SECONDS after Quit, or message boxes keep coming back
#     (more than 25 answered in a row);
#   - a sanitizer report (run it with the AddressSanitizer build's program);
#   - a settings file that no longer loads after a Quit or a kill, a refused file that was not
#     kept aside whole, or a left-over temporary file that survives a start.
#
# Usage: scripts/soak-window.sh [PROGRAM]
#   PROGRAM          the window program (default build/src/app/gui/quorvan)
#   SOAK_SECONDS     how long to drive it (default 60)
#   SOAK_SEED        the random seed (default: from the clock); printed, so a run can be replayed
#   SETTINGS_CHECK   the settings checker (default: tests/settings/settings_check of PROGRAM's build)
#   SOAK_KEEP=1      keep the work folder (logs, settings) even when nothing failed
# Ends with the figures and the line "N passed, M failed" (one soak, counted once).
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/src/app/gui/quorvan}")
build_dir=${program%/src/app/gui/quorvan}
checker=${SETTINGS_CHECK:-$build_dir/tests/settings/settings_check}
x11="$root/scripts/soak_x11.py"
seconds=${SOAK_SECONDS:-60}
seed=${SOAK_SEED:-$(($(date +%s%N) / 1000 % 1000000))}
ping_seconds=${SOAK_PING_SECONDS:-15}
quit_seconds=${SOAK_QUIT_SECONDS:-30}
python=$(command -v python3)

for tool in Xvfb xdotool xprop "$python"; do
  command -v "$tool" >/dev/null 2>&1 || { echo "soak: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done
[[ -x $program ]] || { echo "soak: no program at $program" >&2; exit 1; }
[[ -x $checker ]] || { echo "soak: no settings checker at $checker" >&2; exit 1; }

work=$(mktemp -d /tmp/quorvan-soak.XXXXXX)
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$work/sanitizer" "$work/dotfiles" "$work/planted"
chmod 700 "$XDG_RUNTIME_DIR"
folder=$XDG_CONFIG_HOME/Quorvan
file=$folder/qrv.usr
log=$work/soak.log
export QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:exitcode=66:detect_leaks=1:log_path=$work/sanitizer/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:exitcode=66:log_path=$work/sanitizer/ubsan"
export LSAN_OPTIONS="suppressions=$root/scripts/soak-lsan.supp:print_suppressions=0"

RANDOM=$seed
echo "soak: seed $seed, $seconds s, program $program" | tee "$log"

actions=0 starts=0 quits=0 kills=0 damages=0 boxes=0 pings=0 faults=0 refused=0
pid="" main="" xvfb_pid=""
planted=""      # what was put in the file's place before this run: garbage, huge or ""
save_fails=0    # a fault that makes this run's Quit fail on purpose is active
box_streak=0

note() { echo "soak: $*" >>"$log"; }
fault() {
  faults=$((faults + 1))
  echo "soak: FAULT after $actions actions: $*" | tee -a "$log" >&2
}

cleanup() {
  if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then kill -9 "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; fi
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
  chmod -R u+rwx "$work" 2>/dev/null
}
trap cleanup EXIT

# ---- The display ---------------------------------------------------------------------------

exec 5>"$work/display"
# -noreset: without it the server starts afresh whenever its last client leaves, and a program
# started in that moment is turned away.
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 5>&-
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || { echo "soak: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$work/display")

# ---- Helpers -------------------------------------------------------------------------------

pick() { local -n list=$1; echo "${list[RANDOM % ${#list[@]}]}"; }
chance() { ((RANDOM % $1 == 0)); }
x() { timeout 10 xdotool "$@" 2>/dev/null; }

windows() { x search --onlyvisible --pid "$pid"; }

# The message boxes (modal windows) of the program that are open now.
modal_windows() {
  local w
  for w in $(windows); do
    [[ $w == "$main" ]] && continue
    timeout 5 xprop -id "$w" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_MODAL && echo "$w"
  done
}

check_sanitizer() {
  if compgen -G "$work/sanitizer/*" >/dev/null; then
    fault "sanitizer report: $(ls "$work/sanitizer")"
    head -n 40 "$work"/sanitizer/* >>"$log"
    mkdir -p "$work/sanitizer-seen"
    mv "$work"/sanitizer/* "$work/sanitizer-seen/"
  fi
}

start_program() {
  local log_start
  log_start=$(stat -c %s "$work/program.log" 2>/dev/null || echo 0)
  "$program" >>"$work/program.log" 2>&1 &
  pid=$!
  starts=$((starts + 1))
  main=""
  local waited=0
  while ((waited < 300)); do
    main=$(x search --onlyvisible --pid "$pid" --name '^Quorvan [0-9]' | head -n 1)
    [[ -n $main ]] && break
    if ! kill -0 "$pid" 2>/dev/null; then break; fi
    sleep 0.1
    waited=$((waited + 1))
  done
  if [[ -z $main ]]; then
    if kill -0 "$pid" 2>/dev/null; then fault "no window 30 s after start"; kill -9 "$pid"; fi
    wait "$pid"
    local status=$?
    pid=""
    check_sanitizer
    # The X server turning a connection away now and then (many short-lived clients of ours)
    # is no fault of the program: it is started again.
    if tail -c +$((log_start + 1)) "$work/program.log" | grep -q 'could not connect to display'; then
      refused=$((refused + 1))
      note "the display refused the program's connection; starting again"
      sleep 1
    else
      fault "ended at start-up with status $status"
    fi
    return 1
  fi
  note "start $starts: pid $pid, window $main"
  # A refused file planted before the start must have been kept aside whole.
  sleep 0.3
  case $planted in
    garbage | huge)
      local kept
      kept=$(ls -t "$folder"/qrv.usr*.bak 2>/dev/null | head -n 1)
      if [[ -z $kept ]] || ! cmp -s "$kept" "$work/planted/$planted"; then
        fault "the refused file ($planted) was not kept aside whole"
      fi
      [[ $planted == huge ]] && rm -f "$kept"  # it holds 70 MB of holes; keep the folder small
      ;;
    stale)
      if compgen -G "$folder/qrv.usr.tmp-*" >/dev/null; then fault "a stale temporary file survived the start"; fi
      ;;
  esac
  planted=""
}

# After the program ended by itself or by Quit: its status, the sanitizer, the file.
ended() {
  local status=$1 why=$2
  pid=""
  main=""
  box_streak=0
  if ((status != 0)); then fault "$why: exit status $status"; fi
  check_sanitizer
  if ((save_fails)); then
    undo_save_fault
  elif [[ -e $file || -L $file ]]; then
    local verdict
    verdict=$("$checker" "$file" 2>&1)
    (($? == 0)) || fault "settings file no longer loads after $why: $verdict"
  else
    fault "no settings file after $why"
  fi
}

quit_program() {
  # Answer what is open, then close the main window as a window manager's close box does
  # (the program's own Quit).
  answer_boxes
  [[ -z $pid ]] && return
  timeout 10 "$python" "$x11" close "$main"
  local waited=0
  while kill -0 "$pid" 2>/dev/null && ((waited < quit_seconds * 10)); do
    # A failed save says so in one box: answer it.
    if ((waited % 5 == 4)); then
      local box
      for box in $(modal_windows); do
        x windowfocus --sync "$box"
        x key Return
        boxes=$((boxes + 1))
      done
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  if kill -0 "$pid" 2>/dev/null; then
    fault "still running $quit_seconds s after Quit"
    kill -9 "$pid"
    wait "$pid"
    pid=""
    return
  fi
  wait "$pid"
  local status=$?
  quits=$((quits + 1))
  ended "$status" "Quit"
}

kill_program() {
  [[ -z $pid ]] && return
  local before=""
  [[ -f $file ]] && before=$(cksum <"$file")
  kill -9 "$pid"
  wait "$pid" 2>/dev/null
  pid=""
  main=""
  kills=$((kills + 1))
  check_sanitizer
  # A kill writes nothing: the file is exactly as it was.
  if [[ -n $before && $(cksum <"$file" 2>/dev/null) != "$before" ]]; then fault "a kill changed the settings file"; fi
  undo_save_fault
}

# Every open box gets Enter or Escape. Boxes that keep coming back are a window stuck.
answer_boxes() {
  local round
  for round in 1 2 3 4 5; do
    local open
    open=$(modal_windows)
    if [[ -z $open ]]; then
      box_streak=0
      return
    fi
    local box
    for box in $open; do
      x windowfocus --sync "$box"
      if chance 2; then x key Return; else x key Escape; fi
      boxes=$((boxes + 1))
      box_streak=$((box_streak + 1))
    done
    if ((box_streak > 25)); then
      fault "message boxes keep coming back ($box_streak answered in a row); killed"
      box_streak=0
      kill_program
      return
    fi
    sleep 0.15
  done
}

ping_window() {
  pings=$((pings + 1))
  timeout $((ping_seconds + 5)) "$python" "$x11" ping "$main" "$ping_seconds"
  local answer=$?
  # No such window (3): the program is ending by a Quit click; the main loop sees to that.
  if ((answer != 0 && answer != 3)) && kill -0 "$pid" 2>/dev/null; then
    fault "the window did not answer a ping within $ping_seconds s"
    kill_program
  fi
}

# ---- Faults of the settings folder ---------------------------------------------------------

# Between runs: something in the file's place for the next start.
damage_before_start() {
  damages=$((damages + 1))
  mkdir -p "$folder"
  case $((RANDOM % 6)) in
    0)  # garbage
      head -c $((1 + RANDOM % 3000)) /dev/urandom >"$work/planted/garbage"
      rm -f "$file"
      cp "$work/planted/garbage" "$file"
      planted=garbage
      note "damage: garbage file"
      ;;
    1)  # over the reader's limit (holes, so it costs no disk)
      rm -f "$file"
      printf '0\r\n' >"$work/planted/huge"
      truncate -s 70M "$work/planted/huge"
      cp --sparse=always "$work/planted/huge" "$file"
      planted=huge
      note "damage: 70 MB file"
      ;;
    2)  # a symbolic link to a file elsewhere (a dotfile manager's)
      if [[ -f $file && ! -L $file ]]; then
        mv "$file" "$work/dotfiles/qrv.usr"
        ln -s "$work/dotfiles/qrv.usr" "$file"
        note "damage: file moved behind a link"
      fi
      ;;
    3)  # a left-over temporary file of a killed save
      head -c 5000 /dev/urandom >"$folder/qrv.usr.tmp-Soak$((RANDOM % 90 + 10))"
      touch -d '10 minutes ago' "$folder"/qrv.usr.tmp-Soak*
      planted=stale
      note "damage: stale temporary file"
      ;;
    4)  # no file at all
      rm -f "$file"
      note "damage: file removed"
      ;;
    5)  # a folder where the file belongs: the save at Quit must fail and say so
      rm -f "$file"
      mkdir -p "$file"
      save_fails=1
      note "damage: folder in the file's place"
      ;;
  esac
}

# While the program runs: the folder goes or cannot be written.
damage_while_running() {
  damages=$((damages + 1))
  case $((RANDOM % 3)) in
    0)
      rm -rf "$folder"
      note "damage: data folder deleted while running"
      ;;
    1)
      rm -rf "$XDG_CONFIG_HOME"
      : >"$XDG_CONFIG_HOME"  # a file where the configuration folder was: no folder can be made
      save_fails=1
      note "damage: configuration folder replaced by a file while running"
      ;;
    2)
      if [[ -d $folder ]]; then
        chmod 555 "$folder"
        # Root writes anyway; anyone else's save fails.
        (($(id -u) != 0)) && save_fails=1
        note "damage: data folder read-only while running"
      fi
      ;;
  esac
}

undo_save_fault() {
  save_fails=0
  [[ -f $XDG_CONFIG_HOME ]] && rm -f "$XDG_CONFIG_HOME"
  mkdir -p "$XDG_CONFIG_HOME"
  [[ -d $folder ]] && chmod 755 "$folder"
  [[ -d $file && ! -L $file ]] && rmdir "$file"
  true
}

# ---- Input ---------------------------------------------------------------------------------

keys=(0 1 2 3 4 5 6 7 8 9 minus slash period comma W a x J space BackSpace Delete Tab shift+Tab
      Return KP_Enter Up Down Up Down Left Right Home End Escape ctrl+a ctrl+c ctrl+v F1 Page_Up Page_Down)
# (None starts with "-", which xdotool would take for an option.)
texts=("2024-02-30" "2024-02-29" "2012-12-31" "31.12.2012" "12/31/2012" "2,451,545" "2451545" "2012-366"
       "2012366" "2012-W52-1" "2012W521" " -4713-01-01" "5800000-12-31" "2100000000" " -30" "1,000" "99999999999"
       "0000-00-00" "xyz" " --//.." "2013-02-1" "2013-13-09")
# Spots of the window (its top-left corner is 0,0): the two spin arrows, which a random click
# rarely hits; other places are random.
spots=("302 56" "302 65" "302 224" "302 233")

focus_program() {
  local focused
  focused=$(x getwindowfocus)
  if [[ $focused != "$main" ]] && ! windows | grep -qx "$focused"; then x windowfocus "$main"; fi
}

act() {
  actions=$((actions + 1))
  local roll=$((RANDOM % 100))
  if ((roll < 35)); then
    focus_program
    x key "$(pick keys)"
  elif ((roll < 45)); then
    focus_program
    x type --delay 5 "$(pick texts)"
  elif ((roll < 75)); then
    local button=1
    chance 8 && button=3
    x mousemove --window "$main" $((RANDOM % 1240)) $((RANDOM % 580)) click "$button"
  elif ((roll < 85)); then
    # A held button, on a spin arrow or anywhere: the arrows repeat while held.
    local spot
    if chance 2; then spot=$(pick spots); else spot="$((RANDOM % 1240)) $((RANDOM % 580))"; fi
    # shellcheck disable=SC2086
    x mousemove --window "$main" $spot mousedown 1
    sleep "0.$((2 + RANDOM % 9))"
    x mouseup 1
  elif ((roll < 92)); then
    # A click on whatever other window of the program is open (month, help, enlarged output).
    local other
    other=$(windows | grep -vx "$main" | head -n 1)
    [[ -n $other ]] && x mousemove --window "$other" $((RANDOM % 400)) $((RANDOM % 300)) click 1
  else
    focus_program
    x key "$(pick keys)" "$(pick keys)" "$(pick keys)"
  fi
}

# ---- The run -------------------------------------------------------------------------------

deadline=$((SECONDS + seconds))
started_at=$SECONDS
while ((SECONDS < deadline)); do
  if [[ -z $pid ]]; then
    chance 3 && damage_before_start
    start_program || continue
  fi
  act
  sleep 0.0$((3 + RANDOM % 6))
  if ! kill -0 "$pid" 2>/dev/null; then
    # Ended by itself: a click on Quit is fine, anything else is a crash.
    wait "$pid"
    status=$?
    quits=$((quits + 1))
    note "ended by itself (Quit clicked?)"
    ended "$status" "a Quit click"
    continue
  fi
  answer_boxes
  [[ -z $pid ]] && continue
  ((actions % 15 == 0)) && ping_window
  [[ -z $pid ]] && continue
  if chance 120; then
    quit_program
  elif chance 300; then
    kill_program
  elif chance 200; then
    damage_while_running
  fi
done
[[ -n $pid ]] && quit_program

elapsed=$((SECONDS - started_at))
summary="soak: seed $seed: $actions actions, $starts starts, $quits quits, $kills kills, $damages folder faults, $boxes boxes answered, $pings pings, $refused display refusals in $elapsed s; $faults faults"
echo "$summary" | tee -a "$log"
if ((faults > 0)); then
  echo "soak: logs and settings kept in $work" >&2
  trap - EXIT
  cleanup
  echo "0 passed, 1 failed"
  exit 1
fi
if [[ ${SOAK_KEEP:-0} == 1 ]]; then
  echo "soak: kept $work"
  trap - EXIT
  cleanup
else
  cleanup
  trap - EXIT
  rm -rf "$work"
fi
echo "1 passed, 0 failed"
