# Sourced by scripts/screenshots.sh once the X server runs (it sets $window_program, $work and
# DISPLAY, and defines find_window, start_window, stop_window, make_small and shoot_window): with
# Bavaria's holidays chosen, the working-days dialog in English and German and the month window of
# December 2026 with its holidays marked:
#   docs/screenshot-working-days-en.png  docs/screenshot-working-days-de.png
#   docs/screenshot-month-holidays.png

# qrv.usr with the language and a first date only, and qrv-workdays.ini with Bavaria's holidays.
write_work_days() {
  local folder=$1 language=$2 first=$3
  mkdir -p "$folder/Quorvan"
  printf '%s\r\n' "$language" "2,45,44" "0,0,0" 0 0 1 1 1 '"Mon"' '"CE"' "\"$first\"" '""' '""' '""' 0 \
    >"$folder/Quorvan/qrv.usr"
  printf '[WorkDays]\nWorkWeek=1111100\nRegion=DE-BY\n' >"$folder/Quorvan/qrv-workdays.ini"
}

# The dialog, opened by the button's mnemonic (Alt+W, in German Alt+A).
shoot_working_days() {
  local name=$1 language=$2 mnemonic=$3 title=$4
  local config=$work/working-days-$name
  write_work_days "$config" "$language" ""
  start_window "$config" "$work/working-days-$name.log"
  xdotool key "$mnemonic"
  shoot_window "$title" "docs/screenshot-working-days-$name.png"
  stop_window
}

# The month of the first date: Shift+Tab walks back from the first box over the today panel, Quit,
# the two links, Reset and Help to Display month.
shoot_month_holidays() {
  local config=$work/month-holidays
  write_work_days "$config" 0 "2026-12-24"
  start_window "$config" "$work/month-holidays.log"
  xdotool key --delay 60 shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
  shoot_window '^Display month$' docs/screenshot-month-holidays.png
  stop_window
}

shoot_working_days en 0 alt+w '^Working days$'
shoot_working_days de 1 alt+a '^Arbeitstage$'
shoot_month_holidays
