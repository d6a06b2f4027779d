# Sourced by scripts/wine-tests.sh: Machine Setup and Machine Calibration as
# an operator uses them. Opened by the Settings button, the M key and the
# calibration warning (right click on the logo, OK); toggles, a cycle, entries
# by keyboard and by keypad; the effect on the main screen and in the
# settings files; the EEPROM record and the encoder bytes against controlsim
# over the wire; screenshots of both windows for each kind of control.

# Design layout of the two windows (records/machine_setup_screen.cpp and
# records/machine_calibration_screen.cpp): client sizes and button centres.
kSetupClient="1020 628"
kSettingsButton="1203 437"
kLogo="570 40"

# Centre of a Machine Setup button: COLUMN (0, 1) and SLOT (0-8).
setup_button() {
  echo "$((24 + $1 * 496 + 125)) $((24 + $2 * 54 + 20))"
}
# Centre of a Machine Calibration button in SLOT.
calibration_button() {
  echo "184 $((20 + $1 * 40 + 17))"
}

# Pixels from a captioned window's corner to its client area, measured on the
# Machine Setup window (WIN) at SCALE; sets frame_left and frame_top.
measure_frame() {
  local win="$1" scale="$2" x y w h cw ch
  read -r x y w h < <(window_geometry "$win")
  read -r cw ch <<<"$kSetupClient"
  cw="$(awk -v v="$cw" -v s="$scale" 'BEGIN {print int(v * s)}')"
  ch="$(awk -v v="$ch" -v s="$scale" 'BEGIN {print int(v * s)}')"
  frame_left=$(((w - cw) / 2))
  frame_top=$((h - ch - frame_left))
}

# Clicks design point (DX, DY) of the client area of window WIN at SCALE.
click_client() {
  local win="$1" dx="$2" dy="$3" scale="$4" x y w h
  read -r x y w h < <(window_geometry "$win")
  xdotool mousemove "$((x + frame_left + $(awk -v v="$dx" -v s="$scale" 'BEGIN {print int(v * s)}')))" \
    "$((y + frame_top + $(awk -v v="$dy" -v s="$scale" 'BEGIN {print int(v * s)}')))" \
    click 1 >/dev/null 2>&1
  wait_settled
}

# Keys to window WIN.
keys_to() {
  local win="$1"
  shift
  xdotool windowfocus --sync "$win" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers "$@" >/dev/null 2>&1
  wait_settled
}

window_gone() {
  [ -z "$(xdotool search --name "^$1\$" 2>/dev/null)" ]
}

# Right click on the logo, OK on the warning: the calibration window.
open_calibration() {
  local scale="${1:-1.0}" lx ly
  read -r lx ly <<<"$kLogo"
  xdotool mousemove "$(awk -v v="$lx" -v s="$scale" 'BEGIN {print int(v * s)}')" \
    "$(awk -v v="$ly" -v s="$scale" 'BEGIN {print int(v * s)}')" click 3 >/dev/null 2>&1
  wait_for_window WARNING 20 >/dev/null || return 1
  wait_settled
  xdotool key Return >/dev/null 2>&1
  calibration="$(wait_for_window "Machine Calibration" 20)" || return 1
  # Its buttons take clicks once it is drawn; a click before that is lost.
  wait_settled
}

# Saves a screenshot of window WIN to PNG; true when its right upright shows
# Reversed in red beside the button.
reversed_shown() {
  local win="$1" png="$2" sx sy
  screenshot "$png"
  read -r sx sy _ _ < <(window_geometry "$win")
  [ "$(colour_pixels "$png" \
    "200x40+$((sx + frame_left + 290))+$((sy + frame_top + 24 + 3 * 54))" 221,0,0)" -gt 20 ]
}

# Opens Machine Setup by the Settings button at SCALE; sets setup.
open_setup_by_button() {
  local scale="${1:-1.0}" bx by
  read -r bx by <<<"$kSettingsButton"
  click_design "$bx" "$by" "$scale"
  setup="$(wait_for_window "Machine Setup" 20)"
}

echo "== Machine Setup and Machine Calibration: toggles, cycle, entries, files"
wine_start "" 1280x720x24
write_default_settings
write_demo_machine "option_port_type = 5"
if start_demo; then
  screenshot "$shots/.setup-main-before.png"
  check "Settings button opens Machine Setup" open_setup_by_button 1.0
  if [ -n "${setup:-}" ]; then
    measure_frame "$setup" 1.0
    settled_screenshot "$shots/setup-fw304-pe-in-g-1280x720.png"
    # Tolerance by keyboard: T, 20, Enter.
    keys_to "$setup" t
    entry="$(wait_for_window Enter 10 || true)"
    check "T opens the number entry" test -n "$entry"
    if [ -n "$entry" ]; then
      xdotool type --delay 100 20 >/dev/null 2>&1
      xdotool key Return >/dev/null 2>&1
      check "Enter stores the tolerance" wait_until 10 window_gone Enter
    fi
    # The right upright reversed shows in red beside its button.
    keys_to "$setup" r
    check "Reversed is drawn in red" \
      wait_until 5 reversed_shown "$setup" "$shots/.setup-reversed.png"
    keys_to "$setup" r
    # Speed Control cycles Manual -> Auto.
    click_client "$setup" $(setup_button 1 1) 1.0
    # Keypad entry: Touchscreen on, then Default oil weight by 7 and Enter.
    click_client "$setup" $(setup_button 1 3) 1.0
    click_client "$setup" $(setup_button 0 6) 1.0
    keypad="$(wait_for_window Enter 10 || true)"
    check "with Touchscreen the oil weight opens the keypad" test -n "$keypad"
    if [ -n "$keypad" ]; then
      screenshot "$shots/setup-keypad-1280x720.png"
      click_client "$keypad" 79 470 1.0   # 7
      click_client "$keypad" 439 560 1.0  # Enter
      check "the keypad's Enter stores the value" wait_until 10 window_gone Enter
    fi
    # Units last: grams -> ounces, inches -> millimetres.
    keys_to "$setup" g i
    settled_screenshot "$shots/setup-fw304-pe-mm-oz-1280x720.png"
    keys_to "$setup" Escape
    check "Esc closes Machine Setup" wait_until 10 window_gone "Machine Setup"
    wait_setting $kFieldLengthUnit 1
    check "closing wrote balsetup.dta and .bak alike" \
      wait_until 5 cmp -s "$(program_folder)/balsetup.dta" "$(program_folder)/balsetup.bak"
    check "file: tolerance 20.00" test "$(get_setting 37)" = "20.00"
    check "file: default oil weight 7.0 by keypad" test "$(get_setting 15)" = "7.0"
    check "file: touchscreen on" test "$(get_setting $kFieldTouchscreen)" = "1"
    check "file: speed control Auto" test "$(get_setting $kFieldSpeedControl)" = "1"
    check "file: ounces and millimetres" \
      test "$(get_setting $kFieldWeightUnit)$(get_setting $kFieldLengthUnit)" = "11"
    check "file: right upright back to normal" test "$(get_setting 12)" = "0"
    screenshot "$shots/main-after-setup-1280x720.png"
    convert "$shots/.setup-main-before.png" -crop 130x82+1138+12 +repage "$shots/.spin-a.png"
    convert "$shots/main-after-setup-1280x720.png" -crop 130x82+1138+12 +repage "$shots/.spin-b.png"
    face_diff="$(compare -metric AE "$shots/.spin-a.png" "$shots/.spin-b.png" null: 2>&1 || true)"
    check "main screen: Acquire became Spin" test "${face_diff%% *}" -gt 50 2>/dev/null
    rm -f "$shots/.spin-a.png" "$shots/.spin-b.png"
  fi
  send_keys m
  setup="$(wait_for_window "Machine Setup" 20 || true)"
  check "M opens Machine Setup" test -n "$setup"
  [ -n "$setup" ] && keys_to "$setup" Escape
  check "calibration warning's OK opens Machine Calibration" open_calibration 1.0
  if [ -n "${calibration:-}" ]; then
    settled_screenshot "$shots/calibration-fw304-mm-oz-1280x720.png"
    keys_to "$calibration" Escape
    check "Esc closes Machine Calibration" wait_until 10 window_gone "Machine Calibration"
  fi
  close_program "$main" >/dev/null || true
fi
rm -f "$shots/.setup-main-before.png"
wine_stop

echo "== Machine Calibration against controlsim: encoder bytes, SAVE to EEPROM, LOAD"
controlsim="${BALANCER_CONTROLSIM:-$root/build/native/sim/controlsim}"
if [ -x "$controlsim" ]; then
  wine_start "" 1280x720x24
  write_default_settings
  sim_log="$(mktemp /tmp/balancer-controlsim-log.XXXXXX)"
  sim_out="$(mktemp /tmp/balancer-controlsim-out.XXXXXX)"
  "$controlsim" --port 0 --manual-rpm 3 --log "$sim_log" >"$sim_out" 2>&1 &
  sim_pid=$!
  sim_port=""
  for _ in $(seq 1 50); do
    sim_port="$(sed -n 's/^listening .*:\([0-9]*\)$/\1/p' "$sim_out" | head -1)"
    [ -n "$sim_port" ] && break
    sleep 0.1
  done
  requests() { grep -c " request $1 value $2 " "$sim_log" || true; }
  any_requests() { grep -c " request $1 " "$sim_log" || true; }
  request_seen() { [ "$(requests "$1" "$2")" -ge 1 ]; }
  # The whole record: 63 writes, the flags 0x60 at address 0 among them.
  record_written() { [ "$(requests 4 96)" -ge 1 ] && [ "$(any_requests 4)" -ge 63 ]; }
  reads_past() { [ "$(any_requests 3)" -gt "$1" ]; }
  if [ -n "$sim_port" ]; then
    echo "127.0.0.1:$sim_port" >"$(program_folder)/controlsim.txt"
    if start_demo && open_setup_by_button 1.0; then
      # The frame of this prefix, from the Machine Setup window.
      measure_frame "$setup" 1.0
      keys_to "$setup" Escape
      open_calibration 1.0
      check "over the wire: Machine Calibration opens" test -n "$calibration"
      click_client "$calibration" $(calibration_button 9) 1.0
      check "Encoder Count: byte 0x40 reaches the control" wait_until 5 request_seen 8 64
      click_client "$calibration" $(calibration_button 10) 1.0
      check "Encoder Direction: byte 0x60 reaches the control" wait_until 5 request_seen 8 96
      click_client "$calibration" $(calibration_button 13) 1.0
      warning="$(wait_for_window WARNING 10 || true)"
      check "SAVE to EEPROM asks first" test -n "$warning"
      settled_screenshot "$shots/message-save-eeprom-1280x720.png"
      keys_to "$warning" n
      wait_window_gone WARNING
      check "answered NO: nothing written to the EEPROM" test "$(any_requests 4)" -eq 0
      click_client "$calibration" $(calibration_button 13) 1.0
      warning="$(wait_for_window WARNING 10 || true)"
      keys_to "$warning" y
      before="$(screen_sum)"
      check "answered YES: the record is written (flags 0x60 at address 0)" \
        wait_until 15 record_written
      # "Configuration was stored ..." follows the last write.
      wait_screen_changed "$before"
      wait_settled
      xdotool key Return >/dev/null 2>&1
      wait_settled
      reads_before="$(any_requests 3)"
      before="$(screen_sum)"
      click_client "$calibration" $(calibration_button 12) 1.0
      check "LOAD from EEPROM reads the record at once" wait_until 10 reads_past "$reads_before"
      # "Configuration was retrieved ..." follows the reads.
      wait_screen_changed "$before"
      settled_screenshot "$shots/message-load-eeprom-1280x720.png"
      xdotool key Return >/dev/null 2>&1
      wait_settled
      keys_to "$calibration" Escape
      wait_until 10 window_gone "Machine Calibration" || true
      check "file: encoder count index 2, direction 0" \
        test "$(get_setting 50)$(get_setting 51)" = "20"
      close_program "$main" >/dev/null || true
    else
      check "over the wire: the demo and its calibration window" false
    fi
  else
    check "controlsim starts for the calibration checks" false
  fi
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  rm -f "$sim_log" "$sim_out"
  wine_stop
fi

# Both windows for each kind of control, screen and unit system.
shoot_setup_screens() {
  local screen="$1" scale="$2" firmware="$3" units="$4" tag="$5"
  wine_start "" "$screen"
  write_default_settings
  if [ "$units" = mm-oz ]; then
    set_setting $kFieldWeightUnit 1
    set_setting $kFieldLengthUnit 1
  fi
  write_demo_machine "firmware = $firmware" "option_port_type = 2"
  if start_demo; then
    local size="${screen%x*}"
    setup=""
    if open_setup_by_button "$scale"; then
      settled_screenshot "$shots/setup-$tag-$units-$size.png"
      keys_to "$setup" Escape
    fi
    check "$tag $units $size: Machine Setup opens" test -n "${setup:-}"
    calibration=""
    if open_calibration "$scale"; then
      settled_screenshot "$shots/calibration-$tag-$units-$size.png"
      if [ "$tag-$size" = fw210-1280x720 ]; then
        # No spin yet: a desired reading has nothing to calibrate against.
        keys_to "$calibration" ctrl+l
        alert="$(wait_for_window Alert 10 || true)"
        check "no spin yet: Ctrl+L gives the spin-first alert" test -n "$alert"
        check "no spin yet: no entry window" window_gone Enter
        if [ -n "$alert" ]; then
          settled_screenshot "$shots/calibration-spin-first-1280x720.png"
          xdotool key Return >/dev/null 2>&1
          wait_window_gone Alert
        fi
        keys_to "$calibration" ctrl+r
        alert="$(wait_for_window Alert 10 || true)"
        check "no spin yet: Ctrl+R gives the spin-first alert" test -n "$alert"
        [ -n "$alert" ] && xdotool key Return >/dev/null 2>&1
        wait_window_gone Alert
      fi
      keys_to "$calibration" Escape
    fi
    check "$tag $units $size: Machine Calibration opens" test -n "$calibration"
    if [ "$tag-$size" = fw210-1280x720 ]; then
      wait_until 10 window_gone "Machine Calibration" || true
      check "no spin yet: both calibration factors stay 2.0000" \
        test "$(get_setting 18) $(get_setting 19)" = "2.0000 2.0000"
      # Ctrl+L, LOAD: this control keeps no record, and the operator is told.
      send_keys ctrl+l
      if wait_for_window Attention 15 >/dev/null; then
        wait_settled
        xdotool key y >/dev/null 2>&1
        refused="$(wait_for_window Warning 10 || true)"
        check "firmware 2.10: LOAD is answered with a warning" test -n "$refused"
        if [ -n "$refused" ]; then
          settled_screenshot "$shots/message-load-refused-1280x720.png"
          xdotool key Return >/dev/null 2>&1
          check "firmware 2.10: OK closes the warning" wait_until 10 window_gone Warning
        fi
      else
        check "firmware 2.10: Ctrl+L asks to load the configuration" false
      fi
    fi
    close_program "$main" >/dev/null || true
  fi
  wine_stop
}

echo "== Machine Setup and Machine Calibration screenshots"
shoot_setup_screens 1280x720x24 1.0 0x0210 in-g fw210
shoot_setup_screens 1280x720x24 1.0 0x0304 in-g fw304
shoot_setup_screens 1280x720x24 1.0 0x0312 mm-oz fw312
shoot_setup_screens 1920x1080x24 1.5 0x0304 mm-oz fw304
shoot_setup_screens 1920x1080x24 1.5 0x0210 in-g fw210
