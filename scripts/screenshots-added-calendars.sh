# Sourced by scripts/screenshots.sh once the X server runs (it sets $window_program, $work and
# DISPLAY, and defines find_window, start_window, stop_window, make_small and shoot_window): the
# added calendars in English and German:
#   docs/screenshot-other-calendar-en.png  docs/screenshot-other-calendar-de.png   the first date's
#       group with the "Other calendar" drop-down open
#   docs/screenshot-today-hebrew-en.png    docs/screenshot-today-hebrew-de.png     the today panel
#       in the Hebrew calendar
#   docs/screenshot-month-hebrew-en.png    docs/screenshot-month-hebrew-de.png     April 2024 with
#       the Hebrew days beneath
#   docs/screenshot-more-calendars-en.png  docs/screenshot-more-calendars-de.png   the dialog that
#       adds calendars to the today panel, opened from the help window
# The today panel shows the day the pictures are taken.

# qrv.usr with the language and a first date, and our own file with the given sections.
write_added_calendars() {
  local folder=$1 language=$2 first=$3 own=$4
  mkdir -p "$folder/Quorvan"
  printf '%s\r\n' "$language" "2,45,44" "0,0,0" 0 0 1 1 1 '"Sun"' '"CE"' "\"$first\"" '""' '""' '""' 0 \
    >"$folder/Quorvan/qrv.usr"
  printf '[WorkDays]\n%b' "$own" >"$folder/Quorvan/qrv-workdays.ini"
}

# The window and what lies over it (an open drop-down is a window of its own), cut to the window.
shoot_with_popup() {
  local file=$1
  eval "$(xdotool getwindowgeometry --shell "$window_id")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$file"
  make_small "$file"
  echo "$file"
}

# The first date in Hebrew, as a box left so is kept; Tab from the box over its Clear and Today
# buttons and the group's selected option reaches the drop-down, Alt+Down opens it.
shoot_other_calendar() {
  local name=$1 language=$2
  local config=$work/other-calendar-$name
  write_added_calendars "$config" "$language" "2024-04-23" \
    '[Boxes]\nFirstCalendar=HEB\nFirstText=15 Nisan 5784\n'
  start_window "$config" "$work/other-calendar-$name.log"
  xdotool key --delay 80 Tab Tab Tab Tab alt+Down
  sleep 1
  shoot_with_popup "docs/screenshot-other-calendar-$name.png"
  stop_window
}

shoot_today_hebrew() {
  local name=$1 language=$2
  local config=$work/today-hebrew-$name
  write_added_calendars "$config" "$language" "" '[Today]\nMoreCalendars=HEB,ISL\nCalendar=HEB\n'
  start_window "$config" "$work/today-hebrew-$name.log"
  sleep 0.5
  import -window "$window_id" "docs/screenshot-today-hebrew-$name.png"
  make_small "docs/screenshot-today-hebrew-$name.png"
  echo "docs/screenshot-today-hebrew-$name.png"
  stop_window
}

# The month of the first date, opened as in screenshots-working-days.sh.
shoot_month_hebrew() {
  local name=$1 language=$2 title=$3
  local config=$work/month-hebrew-$name
  write_added_calendars "$config" "$language" "2024-04-23" '[Month]\nAlsoShow=HEB\n'
  start_window "$config" "$work/month-hebrew-$name.log"
  xdotool key --delay 60 shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
  shoot_window "$title" "docs/screenshot-month-hebrew-$name.png"
  stop_window
}

# Help by Shift+Tab from the first box (over the today panel, Quit, the two links and Reset), then
# the help window's "More calendars…" by its mnemonic.
shoot_more_calendars() {
  local name=$1 language=$2 help_title=$3 mnemonic=$4 title=$5
  local config=$work/more-calendars-$name
  write_added_calendars "$config" "$language" "" '[Today]\nMoreCalendars=HEB,ISL\n'
  start_window "$config" "$work/more-calendars-$name.log"
  xdotool key --delay 60 shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab space
  local help
  help=$(find_window "$help_title" 50)
  xdotool windowfocus --sync "$help" 2>/dev/null || true
  sleep 0.5
  xdotool key "$mnemonic"
  shoot_window "$title" "docs/screenshot-more-calendars-$name.png"
  stop_window
}

shoot_more_calendars en 0 '^Quorvan Help$' alt+m '^More calendars$'
shoot_more_calendars de 1 '^Quorvan Hilfe$' alt+w '^Weitere Kalender$'
shoot_other_calendar en 0
shoot_other_calendar de 1
shoot_today_hebrew en 0
shoot_today_hebrew de 1
shoot_month_hebrew en 0 '^Display month \('
shoot_month_hebrew de 1 '^Monat zeigen \('
