# Sourced by scripts/wine-tests.sh after wine-env.sh: small steps for driving
# balancer-demo.exe like an operator (keys, clicks, screenshots) and for
# preparing its program folder (C:\balancer in the session's prefix).
#
# Expects: $build (cross build), $shots (screenshot folder), $root, and the
# check/start_program/close_program/answer_message helpers of wine-tests.sh.

# The program folder of the current session.
program_folder() {
  echo "$WINEPREFIX/drive_c/balancer"
}

balancer_cli() {
  "${BALANCER_CLI:-$root/build/native/cli/balancer-cli}" "$@"
}

# Writes the default settings (balsetup.dta and .bak) into the program
# folder. The default machine's control agrees with them, so the program
# starts without a warning.
write_default_settings() {
  balancer_cli --folder "$(program_folder)" settings --write >/dev/null
}

# Line of settings field N in balsetup.dta: fields 1-39 are one line each,
# field 40 is a count followed by that many lines, the rest follow.
settings_line() {
  local file="$1" field="$2" count
  if [ "$field" -le 40 ]; then
    echo "$field"
    return
  fi
  count="$(sed -n 40p "$file" | tr -d '\r')"
  echo $((field + count))
}

# Sets field N of balsetup.dta and balsetup.bak to VALUE.
set_setting() {
  local field="$1" value="$2" f line
  for f in "$(program_folder)/balsetup.dta" "$(program_folder)/balsetup.bak"; do
    [ -f "$f" ] || continue
    line="$(settings_line "$f" "$field")"
    sed -i "${line}s/.*/${value}/" "$f"
  done
}

# Field N of the balsetup.dta the program wrote.
get_setting() {
  local f
  f="$(program_folder)/balsetup.dta"
  sed -n "$(settings_line "$f" "$1")p" "$f" | tr -d '\r'
}

# Settings fields by name.
kFieldUprightDistance=8
kFieldWeightUnit=16
kFieldLengthUnit=17
kFieldTouchscreen=38
kFieldSpeedControl=45
kFieldTwoPlaneMode=49

# Machine file of the in-process simulated control.
write_demo_machine() {
  printf '%s\n' "$@" >"$(program_folder)/demo.sim"
}

# Starts the demo and waits for its main window; sets main. With a fresh
# folder the settings warning is answered first.
start_demo() {
  start_program balancer-demo.exe
  main="$(wait_for_window "Vidoduz Azavodad" 90 || true)"
  [ -n "$main" ] || return 1
  if [ ! -f "$(program_folder)/balsetup.dta" ]; then
    answer_message "Check Machine Settings" || true
  fi
  wait_settled
}

# Keys to the main window (xdotool key names, e.g. s, ctrl+l, Escape).
send_keys() {
  xdotool windowfocus --sync "$main" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers "$@" >/dev/null 2>&1
}

# Left click at a design position (x, y) scaled by SCALE (default 1.0).
click_design() {
  local x="$1" y="$2" scale="${3:-1.0}"
  xdotool mousemove "$(awk -v v="$x" -v s="$scale" 'BEGIN {print int(v * s)}')" \
    "$(awk -v v="$y" -v s="$scale" 'BEGIN {print int(v * s)}')" click 1 >/dev/null 2>&1
}

# Pixels of colour RGB ("r,g,b") inside GEOMETRY (WxH+X+Y) of a PNG.
colour_pixels() {
  local png="$1" geometry="$2" colour="$3"
  convert "$png" -crop "$geometry" +repage -fill black +opaque "rgb($colour)" \
    -fill white -opaque "rgb($colour)" -format '%[fx:round(mean*w*h)]' info:
}

# Standard deviation (0-1) of a crop: 0 means one flat colour.
crop_spread() {
  convert "$1" -crop "$2" +repage -colorspace gray -format '%[fx:standard_deviation]' info:
}

# True when a window titled NAME exists.
window_open() {
  [ -n "$(xdotool search --name "^$1\$" 2>/dev/null)" ]
}

# Waits up to SECONDS for CONDITION (a command) to hold, looking every fifth
# of a second.
wait_until() {
  local end=$((${EPOCHREALTIME//[!0-9]/} + $1 * 1000000))
  shift
  while :; do
    if "$@"; then return 0; fi
    [ "${EPOCHREALTIME//[!0-9]/}" -lt "$end" ] || return 1
    sleep 0.2
  done
}

# The status field (design 464, 84, 212 x 67) at scale 1.0.
kStatusField=212x67+464+84

# A spin shows its progress in the status field: "Press Any Key To Cancel"
# in red or a step such as "Acquiring Data" in green; afterwards the angle.
spin_running() {
  local png n
  png="$(mktemp /tmp/balancer-shot.XXXXXX.png)"
  screenshot "$png"
  n=$(($(red_pixels "$png" "$kStatusField") + $(colour_pixels "$png" "$kStatusField" 0,128,48)))
  rm -f "$png"
  [ "$n" -gt 60 ]
}

# Between two steps a spin blanks the line for a moment: the spin is over
# when the line shows neither for two looks a second and a half apart.
spin_not_running() {
  spin_running && return 1
  sleep 1.5
  ! spin_running
}

# Unbalance markers: the green (left) and yellow (right) triangles on the dials.
markers_shown() {
  local png n
  png="$(mktemp /tmp/balancer-shot.XXXXXX.png)"
  screenshot "$png"
  n="$(($(colour_pixels "$png" 1280x680+0+0 0,238,119) + $(colour_pixels "$png" 1280x680+0+0 255,255,102)))"
  rm -f "$png"
  [ "$n" -gt 40 ]
}

# A feature whose window side has not landed yet: its checks are skipped
# with the reason, never failed. BALANCER_E2E_PENDING lists them.
is_pending() {
  case " ${BALANCER_E2E_PENDING:-} " in
    *" $1 "*) return 0 ;;
  esac
  return 1
}

# Like is_pending, and says so once.
pending() {
  is_pending "$1" || return 1
  echo "SKIP $1: not in the main window yet"
  skipped=$((skipped + 1))
}

# Keys to window WIN (xdotool key names), focused first.
window_keys() {
  xdotool windowfocus --sync "$1" >/dev/null 2>&1 || true
  shift
  xdotool key --clearmodifiers "$@" >/dev/null 2>&1
}

# True once no window titled NAME is open.
window_gone() {
  ! window_open "$1"
}

# Types TEXT (digits, '.', '/', ' ') into the entry window, presses Enter and
# waits until the entry has closed.
enter_text() {
  local id keys=() c i
  id="$(wait_for_window "Enter" 10)" || return 1
  for ((i = 0; i < ${#1}; i++)); do
    c="${1:i:1}"
    case "$c" in
      .) keys+=(period) ;;
      /) keys+=(slash) ;;
      " ") keys+=(space) ;;
      *) keys+=("$c") ;;
    esac
  done
  window_keys "$id" "${keys[@]}" Return
  wait_until 10 window_gone "Enter"
}

# Left click at design point (DX, DY) of the client area of window WIN at
# SCALE; the frame is taken as 3 pixels and the caption as 21 more.
click_in_window() {
  local win="$1" dx="$2" dy="$3" scale="$4"
  eval "$(xdotool getwindowgeometry --shell "$win")"
  xdotool mousemove "$((X + 3 + $(awk -v v="$dx" -v s="$scale" 'BEGIN {print int(v * s)}')))" \
    "$((Y + 24 + $(awk -v v="$dy" -v s="$scale" 'BEGIN {print int(v * s)}')))" click 1 \
    >/dev/null 2>&1
}

# Waits up to SECONDS (default 10) until no window titled NAME is open.
wait_window_gone() {
  wait_until "${2:-10}" window_gone "$1"
}

setting_equals() {
  [ -f "$(program_folder)/balsetup.dta" ] && [ "$(get_setting "$1")" = "$2" ]
}

# Waits up to SECONDS (default 10) until balsetup.dta holds VALUE in FIELD.
wait_setting() {
  wait_until "${3:-10}" setting_equals "$1" "$2"
}

# Areas of the main window that follow the turning shaft, blacked out by
# ImageMagick arguments at the screen's scale: the angle in the status field,
# the rpm bar and the rims of the dials, where the position marks run round.
# They are left out when telling whether the screen has settled.
live_areas() {
  local width
  width="$(xdotool getdisplaygeometry 2>/dev/null | cut -d' ' -f1)"
  awk -v w="${width:-1280}" 'BEGIN {
    s = w / 1280
    printf "-fill black -draw \"rectangle %d,%d %d,%d\" ", 464 * s, 84 * s, 676 * s, 151 * s
    printf "-draw \"rectangle %d,%d %d,%d\" ", 450 * s, 488 * s, 692 * s, 548 * s
    printf "-fill none -stroke black -strokewidth %d ", 26 * s
    printf "-draw \"circle %d,%d %d,%d\" ", 262 * s, 275 * s, 262 * s, 75 * s
    printf "-draw \"circle %d,%d %d,%d\" ", 878 * s, 275 * s, 878 * s, 75 * s
    # Single-plane mode has them elsewhere.
    printf "-draw \"circle %d,%d %d,%d\" -fill black -stroke none ", 570 * s, 275 * s, 570 * s, 75 * s
    printf "-draw \"rectangle %d,%d %d,%d\" ", 99 * s, 84 * s, 311 * s, 151 * s
    printf "-draw \"rectangle %d,%d %d,%d\"", 140 * s, 488 * s, 385 * s, 548 * s
  }'
}

# Sum of the screen outside the live areas.
screen_sum() {
  local png areas=()
  png="$(mktemp /tmp/balancer-shot.XXXXXX.png)"
  eval "areas=($(live_areas))"
  screenshot "$png"
  convert "$png" "${areas[@]}" rgb:- 2>/dev/null | md5sum
  rm -f "$png"
}

screen_sum_not() {
  [ "$(screen_sum)" != "$1" ]
}

# Waits up to SECONDS (default 10) until the screen differs from SUM (taken
# with screen_sum before the step that changes it).
wait_screen_changed() {
  wait_until "${2:-10}" screen_sum_not "$1"
}

# Takes screenshots into FILE a fifth of a second apart until two in a row
# agree outside the live areas, for at most SECONDS (default 5). False when
# the screen kept changing; FILE then holds the last screenshot.
settled_screenshot() {
  local file="$1" end areas=() last="" sum
  end=$((${EPOCHREALTIME//[!0-9]/} + ${2:-5} * 1000000))
  eval "areas=($(live_areas))"
  while :; do
    screenshot "$file"
    sum="$(convert "$file" "${areas[@]}" rgb:- 2>/dev/null | md5sum)"
    [ "$sum" = "$last" ] && return 0
    [ "${EPOCHREALTIME//[!0-9]/}" -lt "$end" ] || return 1
    last="$sum"
    sleep 0.2
  done
}

# Waits until the screen has settled (see settled_screenshot), e.g. a window
# just opened has painted or a click has been answered.
wait_settled() {
  local png status
  png="$(mktemp /tmp/balancer-shot.XXXXXX.png)"
  settled_screenshot "$png"
  status=$?
  rm -f "$png"
  return $status
}
