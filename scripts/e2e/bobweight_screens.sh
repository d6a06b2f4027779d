# Sourced by scripts/wine-tests.sh: the Bobweight Calculation window and the
# windows it opens, driven by keys and clicks in balancer-demo.exe: a rod and
# piston set typed in, Use Average, Lightest and Match Pins, a card stored
# through the save dialog, New Job, the card retrieved again, an engine
# chosen from bwinfo.txt and a weight taken from the simulated scale on COM1.

# Two card files alike but for the stamp each save writes on its last line.
bw_same_save() {
  [ -s "$1" ] && [ -s "$2" ] && cmp -s <(grep -v '^save ' "$1") <(grep -v '^save ' "$2")
}

kFieldScaleType=39
scalesim="${BALANCER_SCALESIM:-$root/build/native/sim/scalesim}"

bw_keys() {
  xdotool windowfocus --sync "$1" >/dev/null 2>&1 || true
  shift
  xdotool key --clearmodifiers "$@" >/dev/null 2>&1
}

# A click at client position (x, y) in design units of window ID (caption
# taken as 24 pixels).
bw_click() {
  local id="$1" x="$2" y="$3" scale="$4"
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove $((X + $(awk -v v="$x" -v s="$scale" 'BEGIN {print int(v * s)}'))) \
    $((Y + 24 + $(awk -v v="$y" -v s="$scale" 'BEGIN {print int(v * s)}'))) click 1 >/dev/null 2>&1
}

bw_closed() {
  ! window_open "$1"
}

# Types VALUE into the entry window (titled TITLE, "Enter" by default) that
# a click or key opened.
bw_enter() {
  local title="${2:-Enter}" id
  id="$(wait_for_window "$title" 10)" || return 1
  # The entry takes keys a moment after it maps; its caret blinks, so the
  # screen does not settle to tell when.
  sleep 0.3
  xdotool type --delay 40 "$1" >/dev/null 2>&1
  xdotool key Return >/dev/null 2>&1
  wait_until 10 bw_closed "$title"
}

# Fills the two value box columns of the Component Entry window ID.
bw_fill_rows() {
  local id="$1" scale="$2" column="$3" row=0 value
  shift 3
  for value in "$@"; do
    bw_click "$id" $((56 + column * 170 + 75)) $((44 + row * 40 + 17)) "$scale"
    bw_enter "$value" || return 1
    row=$((row + 1))
  done
}

# Drives Wine's file dialog titled NAME: the path typed into the file name.
bw_file_dialog() {
  local name="$1" path="$2" id
  id="$(wait_for_window "$name" 20)" || return 1
  # The dialog fills its lists after it opens.
  wait_settled
  xdotool windowfocus --sync "$id" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers ctrl+a >/dev/null 2>&1
  xdotool type --delay 40 "$path" >/dev/null 2>&1
  xdotool key Return >/dev/null 2>&1
  wait_until 20 bw_closed "$name"
}

# Line N of a card file, without its CR.
bw_line() {
  sed -n "$2p" "$1" | tr -d '\r'
}

bw_engine_list() {
  printf '%s\r\n' "Engine list" "" "" "" "" "^Small blocks^" \
    "V-8 350^50^100^2^i^Cast crank" "V-6 229^46^100^1^e^Odd fire" \
    "V-8 400^52^100^2^e^External balance" >"$(program_folder)/bwinfo.txt"
}

for screen in 1280x720x24 1920x1080x24; do
  size="${screen%x24}"
  scale=1.0
  [ "$size" = 1920x1080 ] && scale=1.5
  echo "== Bobweight windows at $size"
  wine_start "" "$screen"
  write_default_settings
  bw_engine_list
  scale_pid=""
  if [ "$size" = 1280x720 ] && [ -x "$scalesim" ]; then
    set_setting $kFieldScaleType 1
    "$scalesim" --model 1 --grams 123.4 --link "$WINEPREFIX/dosdevices/com1" \
      >/tmp/bw-scalesim.$$ 2>&1 &
    scale_pid=$!
    # It names its terminal once COM1 links to it.
    wait_until 5 test -s /tmp/bw-scalesim.$$
  fi
  if ! start_demo; then
    check "$size: demo starts" false
    [ -n "$scale_pid" ] && kill "$scale_pid" 2>/dev/null
    wine_stop
    continue
  fi

  # The Bobweight button (1138, 204; 130 x 82), then Esc; then the B key.
  click_design 1203 245 "$scale"
  if bw="$(wait_for_window "Bobweight Calculation" 30)"; then
    check "$size: the Bobweight button opens Bobweight Calculation" true
    settled_screenshot "$shots/bobweight-$size.png"
    bw_keys "$bw" Escape
    check "$size: Esc closes an unchanged card at once" \
      wait_until 10 bw_closed "Bobweight Calculation"
  else
    check "$size: the Bobweight button opens Bobweight Calculation" false
  fi
  send_keys b
  if ! bw="$(wait_for_window "Bobweight Calculation" 30)"; then
    check "$size: B opens Bobweight Calculation" false
    close_program "$main"
    [ -n "$scale_pid" ] && kill "$scale_pid" 2>/dev/null
    wine_stop
    continue
  fi
  check "$size: B opens Bobweight Calculation" true
  wait_settled

  # Rods: T opens the Component Entry in rod mode; Use Average.
  bw_keys "$bw" t
  if id="$(wait_for_window "Bobweight Component Entry" 10)"; then
    bw_fill_rows "$id" "$scale" 0 600 610 620 602
    bw_fill_rows "$id" "$scale" 1 400 405 410 401
    settled_screenshot "$shots/bobweight-rods-$size.png"
    bw_click "$id" 125 560 "$scale"  # Use Average
    check "$size: Use Average closes the rod window" \
      wait_until 10 bw_closed "Bobweight Component Entry"
  else
    check "$size: T opens the Component Entry" false
  fi

  # Pistons and pins: Match Pins, then Use Lightest.
  bw_keys "$bw" p
  if id="$(wait_for_window "Bobweight Component Entry" 10)"; then
    bw_fill_rows "$id" "$scale" 0 500 502 498
    bw_fill_rows "$id" "$scale" 1 120 121 119
    bw_click "$id" 505 560 "$scale"  # Match Pins
    settled_screenshot "$shots/bobweight-pistons-$size.png"
    check "$size: Match Pins keeps the window open" window_open "Bobweight Component Entry"
    bw_click "$id" 315 560 "$scale"  # Use Lightest
    check "$size: Use Lightest closes the piston window" \
      wait_until 10 bw_closed "Bobweight Component Entry"
  else
    check "$size: P opens the Component Entry" false
  fi
  bw_keys "$bw" b
  bw_enter 60
  bw_keys "$bw" l
  bw_enter 4

  # The scale on COM1: T in the entry of the support rail weight.
  if [ -n "$scale_pid" ]; then
    bw_keys "$bw" u
    if id="$(wait_for_window "Enter" 10)"; then
      settled_screenshot "$shots/bobweight-scale-entry-$size.png"
      xdotool key t >/dev/null 2>&1
      check "$size: T in the entry transfers from the scale" wait_until 15 bw_closed "Enter"
    else
      check "$size: U opens the support rail entry" false
    fi
  fi

  # The engine list: the second engine by click, Enter.
  bw_keys "$bw" s
  if id="$(wait_for_window "Bobweight Reciprocating and Rotating Percentages" 10)"; then
    settled_screenshot "$shots/bobweight-engines-$size.png"
    bw_click "$id" 100 $((70 + 2 * 22 + 10)) "$scale"
    bw_keys "$id" Return
    check "$size: Enter closes the engine list" \
      wait_until 10 bw_closed "Bobweight Reciprocating and Rotating Percentages"
  else
    check "$size: S opens the engine list" false
  fi
  settled_screenshot "$shots/bobweight-filled-$size.png"

  # Print Options over the card.
  bw_click "$bw" 685 454 "$scale"
  if id="$(wait_for_window "Bobweight Print Options" 10)"; then
    settled_screenshot "$shots/bobweight-print-options-$size.png"
    bw_keys "$id" Escape
    check "$size: Esc closes Print Options" wait_until 10 bw_closed "Bobweight Print Options"
  else
    check "$size: Print Options opens" false
  fi

  # Store through the save dialog.
  card="$(program_folder)/smith.bwi"
  bw_click "$bw" 280 21 "$scale"
  check "$size: Save shows Store Bobweight Data and stores the card" \
    bw_file_dialog "Store Bobweight Data" 'C:\balancer\smith.bwi'
  check "$size: the card and its part weights are written" wait_until 10 test -s "$card" -a \
    -s "$(program_folder)/smith.bme"
  check "$size: rod total is the average 608.0" test "$(bw_line "$card" 1)" = "608.0"
  check "$size: piston is the lightest 498.0" test "$(bw_line "$card" 4)" = "498.0"
  check "$size: the engine row applied 46 % and 1 cylinder" \
    test "$(bw_line "$card" 10)/$(bw_line "$card" 12)" = "46.0/1"
  if [ -n "$scale_pid" ]; then
    check "$size: the scale's 123.4 g is the support rail weight" \
      test "$(bw_line "$card" 8)" = "123.4"
  fi

  # New Job clears the card and asks for a name.
  bw_click "$bw" 60 21 "$scale"
  if wait_for_window "New Job" 10 >/dev/null; then
    xdotool key y >/dev/null 2>&1
    check "$size: New Job asks for a job name" bw_enter "jones" "Enter a job name"
    settled_screenshot "$shots/bobweight-new-job-$size.png"
  else
    check "$size: New Job asks first" false
  fi

  # Retrieve the stored card and store it again under another name: the
  # two files must agree line for line.
  bw_click "$bw" 170 21 "$scale"
  check "$size: Open shows Retrieve Bobweight Data" \
    bw_file_dialog "Retrieve Bobweight Data" 'C:\balancer\smith.bwi'
  settled_screenshot "$shots/bobweight-retrieved-$size.png"
  bw_click "$bw" 280 21 "$scale"
  bw_file_dialog "Store Bobweight Data" 'C:\balancer\again.bwi'
  wait_until 10 test -s "$(program_folder)/again.bwi" -a -s "$(program_folder)/again.bme"
  check "$size: the retrieved card holds the stored values" \
    bw_same_save "$card" "$(program_folder)/again.bwi"
  check "$size: and the stored part weights" \
    bw_same_save "$(program_folder)/smith.bme" "$(program_folder)/again.bme"

  bw_click "$bw" 828 21 "$scale"  # Exit
  check "$size: Exit closes the saved card without a question" \
    wait_until 10 bw_closed "Bobweight Calculation"
  check "$size: closes cleanly" close_program "$main"
  if [ -n "$scale_pid" ]; then
    kill "$scale_pid" 2>/dev/null
    wait "$scale_pid" 2>/dev/null
    rm -f /tmp/bw-scalesim.$$
  fi
  wine_stop
done

# A touch screen in ounces and millimetres with a scale model set but no
# scale on any port: Enter answers the card's questions yes, the typewriter's
# Enter stays out of the job name, the date is typed on the keypad with its
# slash key, the transfer reports an unstable scale, and the Print Options
# tolerance is shown and taken in ounce-millimetres.

# A click on keypad key (ROW, COLUMN) of the keypad entry window ID.
bw_keypad() {
  bw_click "$1" $((24 + $3 * 120 + 55)) $((250 + $2 * 90 + 40)) 1.0
  # Paced presses; the entry's caret blinks, so the screen does not settle.
  sleep 0.2
}

size=1280x720
echo "== Bobweight windows on a touch screen, ounces and millimetres, no scale"
wine_start "" 1280x720x24
write_default_settings
set_setting $kFieldTouchscreen 1
set_setting $kFieldWeightUnit 1
set_setting $kFieldLengthUnit 1
set_setting $kFieldScaleType 2
rm -f "$(program_folder)/jones.bwi" "$(program_folder)/jones.bme"
if start_demo; then
  send_keys b
  if bw="$(wait_for_window "Bobweight Calculation" 60)"; then
    # New Job answered with Enter, the job name ended with the typewriter's
    # Enter. The window is busy searching the ports at first: click until
    # it answers.
    asked=false
    for _ in 1 2 3 4 5 6; do
      wait_settled
      bw_click "$bw" 60 21 1.0
      if wait_for_window "New Job" 5 >/dev/null; then
        asked=true
        break
      fi
    done
    if $asked; then
      xdotool key Return >/dev/null 2>&1
      if id="$(wait_for_window "Enter" 10)"; then
        check "$size: Enter on New Job says yes and asks the job name" true
        wait_settled
        xdotool type --delay 40 "jones" >/dev/null 2>&1
        xdotool key Return >/dev/null 2>&1
        bw_click "$id" 708 502 1.0  # OK
        wait_until 10 bw_closed "Enter"
      else
        check "$size: Enter on New Job says yes and asks the job name" false
      fi
    else
      check "$size: New Job asks first" false
    fi

    # The date on the keypad: Clear, then 1/2/2027 and Enter.
    bw_keys "$bw" d
    if id="$(wait_for_window "Enter" 10)"; then
      settled_screenshot "$shots/bobweight-date-keypad-$size.png"
      bw_keypad "$id" 0 3  # Clear
      for key in "0 0" "3 0" "0 1" "3 0" "0 1" "3 1" "0 1" "2 0" "3 3"; do
        bw_keypad "$id" $key
      done
      check "$size: the keypad's Enter takes the date" wait_until 10 bw_closed "Enter"
    else
      check "$size: D opens the date keypad" false
    fi

    # Transfer From Scale with no scale found: offered, and reported.
    bw_keys "$bw" u
    if id="$(wait_for_window "Enter" 10)"; then
      settled_screenshot "$shots/bobweight-no-scale-entry-$size.png"
      xdotool key t >/dev/null 2>&1
      if wait_for_window "ERROR" 15 >/dev/null; then
        check "$size: T without a scale reports SCALE UNSTABLE" true
        settled_screenshot "$shots/bobweight-no-scale-$size.png"
        xdotool key Return >/dev/null 2>&1
        wait_until 10 bw_closed "ERROR"
      else
        check "$size: T without a scale reports SCALE UNSTABLE" false
      fi
      bw_keypad "$id" 2 3  # Cancel
      wait_until 10 bw_closed "Enter"
    else
      check "$size: U opens the support rail entry" false
    fi

    # The tolerance in ounce-millimetres.
    bw_click "$bw" 685 454 1.0
    if id="$(wait_for_window "Bobweight Print Options" 10)"; then
      wait_settled
      bw_click "$id" 360 472 1.0  # the tolerance box
      if entry="$(wait_for_window "Enter" 10)"; then
        wait_settled
        xdotool type --delay 40 "2.25" >/dev/null 2>&1
        xdotool key Return >/dev/null 2>&1
        wait_until 10 bw_closed "Enter"
      fi
      settled_screenshot "$shots/bobweight-print-options-oz-mm-$size.png"
      bw_keys "$id" Escape
      check "$size: Esc closes Print Options" wait_until 10 bw_closed "Bobweight Print Options"
    else
      check "$size: Print Options opens" false
    fi

    # Unsaved changes: Enter saves without a dialog under the typed name.
    bw_keys "$bw" Escape
    if wait_for_window "Alert" 10 >/dev/null; then
      settled_screenshot "$shots/bobweight-unsaved-$size.png"
      xdotool key Return >/dev/null 2>&1
      check "$size: Enter on the unsaved-changes question saves and closes" \
        wait_until 10 bw_closed "Bobweight Calculation"
      check "$size: the card is stored under the typed job name" \
        test -s "$(program_folder)/jones.bwi" -a -s "$(program_folder)/jones.bme"
      check "$size: with the date typed on the keypad" \
        grep -aq "1/2/2027" "$(program_folder)/jones.bwi"
      check "$size: and the tolerance as typed in ounce-millimetres" \
        test "$(tail -n 2 "$(program_folder)/jones.bwi" | head -n 1 | tr -d '\r')" = "2.511"
    else
      check "$size: closing the changed card asks to save" false
    fi
  else
    check "$size: B opens Bobweight Calculation" false
  fi
  check "$size: closes cleanly" close_program "$main"
else
  check "$size: demo starts" false
fi
wine_stop
