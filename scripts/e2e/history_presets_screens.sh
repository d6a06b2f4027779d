# Sourced by scripts/wine-tests.sh: Unbalance History and Dimension Presets
# in balancer-demo.exe, by button and key (the history by its buttons and
# Esc only), with files saved and loaded through the real dialogs, in inches/grams at 1280x720 and in
# millimetres/ounces at 1920x1080.

# The spin checks count red pixels; wine-tests.sh has this helper, a run of
# this file alone may not.
if ! declare -F red_pixels >/dev/null; then
  red_pixels() {
    colour_pixels "$1" "$2" 255,0,0
  }
fi

# Keys to a window of the program (xdotool key names).
hp_keys_to() {
  xdotool windowfocus --sync "$1" >/dev/null 2>&1 || true
  shift
  xdotool key --clearmodifiers "$@" >/dev/null 2>&1
}

# Clicks the Unbalance History button at design point (DX, DY) of the
# window's client area (1020 x 640 design units) at SCALE. The history has
# no letter keys, only its buttons and Esc.
# Sets hp_left and hp_top: the screen pixel of the history window's client
# corner.
hp_history_client() {
  local win="$1" scale="$2" x y w h cw ch
  read -r x y w h < <(window_geometry "$win")
  cw="$(awk -v s="$scale" 'BEGIN {print int(1020 * s)}')"
  ch="$(awk -v s="$scale" 'BEGIN {print int(640 * s)}')"
  hp_left=$((x + (w - cw) / 2))
  hp_top=$((y + h - ch - (w - cw) / 2))
}
hp_scaled() {
  awk -v v="$1" -v s="$2" 'BEGIN {print int(v * s)}'
}
hp_click_history() {
  local win="$1" dx="$2" dy="$3" scale="$4"
  hp_history_client "$win" "$scale"
  xdotool mousemove "$((hp_left + $(hp_scaled "$dx" "$scale")))" \
    "$((hp_top + $(hp_scaled "$dy" "$scale")))" click 1 >/dev/null 2>&1
  wait_settled
}
# Button centres (records/history_screen.cpp).
kHistoryClear="935 70"
kHistorySave="935 130"
kHistoryLoad="935 190"
kHistoryExit="935 560"

hp_window_closed() {
  ! window_open "$1"
}

# Types PATH into the open or save dialog titled TITLE and presses Enter.
hp_dialog_path() {
  local title="$1" path="$2" id
  id="$(wait_for_window "$title" 20)" || return 1
  # The dialog fills its lists after it opens.
  wait_settled
  xdotool windowfocus --sync "$id" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers ctrl+a >/dev/null 2>&1
  xdotool type --delay 40 "$path" >/dev/null 2>&1
  xdotool key --clearmodifiers Return >/dev/null 2>&1
  wait_until 20 hp_window_closed "$title"
}

# As hp_dialog_path, with the dialog's second file type chosen before Enter.
hp_dialog_path_second_type() {
  local title="$1" path="$2" id
  id="$(wait_for_window "$title" 20)" || return 1
  wait_settled
  xdotool windowfocus --sync "$id" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers ctrl+a >/dev/null 2>&1
  xdotool type --delay 40 "$path" >/dev/null 2>&1
  # "Save as type": the list of file types, one step down.
  xdotool key --clearmodifiers alt+t >/dev/null 2>&1
  xdotool key --clearmodifiers Down >/dev/null 2>&1
  wait_settled
  xdotool key --clearmodifiers Return >/dev/null 2>&1
  wait_until 20 hp_window_closed "$title"
}

# The history spreadsheet FILE: a quoted header with the units UNITS
# ("grams inches" or "ounces millimetres"), then the initial record and spin
# 1, every row of eight cells ending in CR LF.
hp_csv_ok() {
  python3 - "$1" "$2" <<'EOF'
import csv, sys
path, units = sys.argv[1], sys.argv[2].split()
raw = open(path, "rb").read()
assert raw.count(b"\r\n") == 3 and b"\n" not in raw.replace(b"\r\n", b""), raw
assert raw.startswith(b'"Number","Kind","Left amount (%s)"' % units[0].encode()), raw
rows = list(csv.reader(open(path, newline="")))
assert rows[0][4] == "Left radius (%s)" % units[1], rows[0]
assert [r[:2] for r in rows[1:]] == [["", "Initial"], ["1", "Spin"]], rows
for r in rows[1:]:
    assert len(r) == 8, r
    [float(c) for c in r[2:]]
EOF
}

# One spin to its end; any message it leaves is answered.
hp_spin() {
  send_keys s
  wait_until 20 spin_running || return 1
  wait_until 120 spin_not_running || return 1
  wait_settled
}

hp_first_line() {
  head -1 "$1" 2>/dev/null | tr -d '\r'
}

for screen in 1280x720x24 1920x1080x24; do
  size="${screen%x24}"
  scale=1.0
  [ "$size" = 1920x1080 ] && scale=1.5
  # The spin checks look at the status field, which grows with the scale.
  kStatusField="$(awk -v s="$scale" 'BEGIN {printf "%dx%d+%d+%d", 212*s, 67*s, 464*s, 84*s}')"
  units=in-g
  echo "== Unbalance History and Dimension Presets at $size"
  wine_start "" "$screen"
  write_default_settings
  if [ "$size" = 1920x1080 ]; then
    set_setting $kFieldWeightUnit 1
    set_setting $kFieldLengthUnit 1
    units=mm-oz
  fi
  set_setting $kFieldSpeedControl 1  # Auto: S spins
  set_setting 24 1.625  # left counterweight thickness, kept by the preset
  rm -f "$(program_folder)/job.hst" "$(program_folder)/v8 street.jsi"
  if start_demo; then
    # The history: Save Initial after a spin, then another spin.
    if hp_spin; then
      check "$size: a spin ends" true
      send_keys i
      check "$size: I stores the initial condition" \
        answer_message "Storing Initial Shaft Condition"
      hp_spin
    else
      check "$size: a spin ends" false
    fi

    send_keys y
    if id="$(wait_for_window "Unbalance History" 10)"; then
      check "$size: Y opens Unbalance History" true
      settled_screenshot "$shots/history-$units-$size.png"
      # Letters are no buttons here: a stray "c" keeps the history.
      hp_keys_to "$id" c s l
      # A dialog would open at once, before the screen settles.
      wait_settled
      check "$size: letters open no dialog" hp_window_closed "Save History Data"
      screenshot "$shots/.history-after-letters.png"
      # The rows (from y 44, in (0,0,128)) are still drawn.
      hp_history_client "$id" "$scale"
      check "$size: a stray c leaves the history on screen" \
        test "$(colour_pixels "$shots/.history-after-letters.png" \
          "$(hp_scaled 700 "$scale")x$(hp_scaled 50 "$scale")+$((hp_left + $(hp_scaled 100 \
          "$scale")))+$((hp_top + $(hp_scaled 40 "$scale")))" 0,0,128)" -gt 20
      rm -f "$shots/.history-after-letters.png"
      hp_click_history "$id" $kHistorySave "$scale"
      check "$size: Save through the dialog" \
        hp_dialog_path "Save History Data" 'C:\balancer\job.hst'
      check "$size: the history file starts with the initial record" \
        wait_until 5 grep -q '^2 ' "$(program_folder)/job.hst"
      csv_units="grams inches"
      [ "$units" = mm-oz ] && csv_units="ounces millimetres"
      rm -f "$(program_folder)/job.csv" "$(program_folder)/jobsheet.csv"
      hp_click_history "$id" $kHistorySave "$scale"
      check "$size: Save as a spreadsheet through the dialog" \
        hp_dialog_path "Save History Data" 'C:\balancer\job.csv'
      check "$size: the spreadsheet holds the history's rows" \
        wait_until 5 hp_csv_ok "$(program_folder)/job.csv" "$csv_units"
      hp_click_history "$id" $kHistorySave "$scale"
      check "$size: the spreadsheet type chosen in the dialog" \
        hp_dialog_path_second_type "Save History Data" 'C:\balancer\jobsheet'
      check "$size: a bare name with the spreadsheet type is a .csv" \
        wait_until 5 hp_csv_ok "$(program_folder)/jobsheet.csv" "$csv_units"
      check "$size: the .hst is left as it was" grep -q '^2 ' "$(program_folder)/job.hst"
      hp_click_history "$id" $kHistoryClear "$scale"
      settled_screenshot "$shots/history-cleared-$units-$size.png"
      hp_click_history "$id" $kHistoryLoad "$scale"
      check "$size: Load through the dialog" \
        hp_dialog_path "Retrieve History Data" 'C:\balancer\job.hst'
      settled_screenshot "$shots/history-loaded-$units-$size.png"
      check "$size: no old-format error for the saved file" hp_window_closed "Error"
      hp_keys_to "$id" Escape
      check "$size: Esc closes Unbalance History" \
        wait_until 10 hp_window_closed "Unbalance History"
    else
      check "$size: Y opens Unbalance History" false
    fi
    click_design 1065 446 "$scale"  # the History button
    check "$size: the History button opens it" \
      wait_until 10 window_open "Unbalance History"
    if id="$(wait_for_window "Unbalance History" 2)"; then
      hp_click_history "$id" $kHistoryExit "$scale"
      check "$size: Exit closes it" wait_until 10 hp_window_closed "Unbalance History"
    fi

    # The presets: store, clear all, retrieve.
    send_keys r
    if id="$(wait_for_window "Dimension Presets" 10)"; then
      check "$size: R opens Dimension Presets" true
      settled_screenshot "$shots/presets-$units-$size.png"
      hp_keys_to "$id" s
      check "$size: Store through the dialog" \
        hp_dialog_path "Store Dimension Preset Data" 'C:\balancer\v8 street.jsi'
      check "$size: the preset file holds the thickness in inches" \
        wait_until 5 awk 'NR == 3 && $1 == "1.625" {found = 1} END {exit !found}' \
        "$(program_folder)/v8 street.jsi"
      hp_keys_to "$id" c
      check "$size: Clear All asks and is confirmed" answer_message "New Dimension Presets"
      wait_settled
      hp_keys_to "$id" o
      check "$size: Retrieve through the dialog" \
        hp_dialog_path "Retrieve Stored Dimension Presets" 'C:\balancer\v8 street.jsi'
      settled_screenshot "$shots/presets-retrieved-$units-$size.png"
      hp_keys_to "$id" Escape
      check "$size: Esc closes Dimension Presets" \
        wait_until 10 hp_window_closed "Dimension Presets"
      check "$size: the retrieved thickness is written to the settings" \
        test "$(get_setting 24)" = 1.625
    else
      check "$size: R opens Dimension Presets" false
    fi
    click_design 1203 341 "$scale"  # the Presets button
    check "$size: the Presets button opens it" \
      wait_until 10 window_open "Dimension Presets"
    if id="$(wait_for_window "Dimension Presets" 2)"; then
      hp_keys_to "$id" x
      check "$size: X closes it" wait_until 10 hp_window_closed "Dimension Presets"
    fi
    check "$size: closes cleanly" close_program "$main"
  else
    check "$size: demo starts" false
  fi
  wine_stop
done
kStatusField=212x67+464+84
