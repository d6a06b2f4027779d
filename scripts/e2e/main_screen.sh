# Sourced by scripts/wine-tests.sh: the operator's main screen against the
# in-process simulated machine. Each block is one program session in a fresh
# prefix; screenshots go to $shots.

# Saves a screenshot to PNG; true when the left Add button (29, 84, 52 x 40),
# which only two-plane mode has, is there (WANT two) or gone (WANT single).
left_add_button() {
  local png="$1" want="$2" spread
  screenshot "$png"
  spread="$(crop_spread "$png" 44x32+33+88)"
  if [ "$want" = two ]; then
    awk -v v="$spread" 'BEGIN {exit !(v > 0.01)}'
  else
    awk -v v="$spread" 'BEGIN {exit !(v < 0.002)}'
  fi
}

echo "== main screen, Auto: spin, cancel, Planes, Save Initial/Final, Ctrl+L, entry"
wine_start "" 1280x720x24
write_default_settings
set_setting $kFieldSpeedControl 1
if start_demo; then
  check "prepared settings: no warning at start" \
    test -z "$(xdotool search --name '^Check Machine Settings$' 2>/dev/null)"
  screenshot "$shots/main-before-spin-1280x720.png"

  if ! pending spin; then
    send_keys s
    check "S starts a spin ('Press Any Key To Cancel' in the status field)" \
      wait_until 20 spin_running
    screenshot "$shots/spin-running-1280x720.png"
    check "the spin ends by itself" wait_until 120 spin_not_running
    check "after the spin the unbalance markers are on the dials" wait_until 10 markers_shown
    settled_screenshot "$shots/main-after-spin-1280x720.png"

    send_keys s
    if wait_until 20 spin_running; then
      # Cancel some way into the spin, not at its first step; there is no
      # step of its own to wait for.
      sleep 2
      send_keys Escape
      check "a key cancels the spin" wait_until 15 spin_not_running
    else
      check "second spin starts" false
    fi
    # Any message the cancelled spin leaves is answered.
    while id="$(wait_for_window ATTENTION 2)"; do
      xdotool key Return
      wait_window_gone ATTENTION 5
    done
    settled_screenshot "$shots/main-after-cancel-1280x720.png"
  fi

  if ! pending planes; then
    screenshot "$shots/.two.png"
    # The left Add button (29, 84, 52 x 40) exists only in two-plane mode.
    check "two-plane mode shows the left Add button" \
      awk -v v="$(crop_spread "$shots/.two.png" 44x32+33+88)" 'BEGIN {exit !(v > 0.01)}'
    send_keys l
    check "L switches to single-plane (left Add button gone)" \
      wait_until 10 left_add_button "$shots/main-single-plane-1280x720.png" single
    send_keys l
    check "L again brings two-plane mode back" \
      wait_until 10 left_add_button "$shots/.two-again.png" two
    rm -f "$shots/.two.png" "$shots/.two-again.png"
  fi

  if ! pending save; then
    send_keys i
    check "I: 'Storing Initial Shaft Condition' shown and answered" \
      answer_message "Storing Initial Shaft Condition" "$shots/message-save-initial-1280x720.png"
    send_keys f
    check "F: 'Storing Final Shaft Condition' shown and answered" \
      answer_message "Storing Final Shaft Condition" "$shots/message-save-final-1280x720.png"
    for round in 1 2; do
      send_keys f
      if wait_for_window Attention 15 >/dev/null; then
        if [ "$round" -eq 1 ]; then
          settled_screenshot "$shots/message-overwrite-final-1280x720.png"
        else
          wait_settled
        fi
        xdotool key n
        check "F again ($round): N answers the overwrite question" \
          wait_until 10 eval '! window_open Attention'
        # A stored condition would show its message at once.
        wait_settled
        check "F again ($round): NO keeps the first final condition" \
          eval '! window_open "Storing Final Shaft Condition"'
      else
        check "F again ($round): the overwrite question comes" false
      fi
    done
  fi

  if ! pending ctrl-l; then
    send_keys ctrl+l
    if wait_for_window Attention 15 >/dev/null; then
      settled_screenshot "$shots/message-load-config-1280x720.png"
      xdotool key Escape
      check "Ctrl+L asks to load the configuration; Esc cancels" \
        wait_until 10 eval '! window_open Attention'
    else
      check "Ctrl+L asks to load the configuration" false
    fi
  fi

  if ! pending entry; then
    # The "Upright spacing" box (511, 630, 118 x 30) opens the number entry.
    click_design 570 645
    if wait_for_window Enter 15 >/dev/null; then
      settled_screenshot "$shots/entry-number-1280x720.png"
      xdotool type --delay 80 "21"
      xdotool key Return
      check "typed upright spacing committed with Enter" wait_until 10 eval '! window_open Enter'
      settled_screenshot "$shots/main-after-entry-1280x720.png"
    else
      check "a value box click opens the number entry" false
    fi
  fi

  check "closes cleanly" close_program "$main"
  check "exit: speed control stays Auto in balsetup.dta" test "$(get_setting $kFieldSpeedControl)" = 1
  if ! is_pending planes; then
    check "exit: two-plane mode after L twice" test "$(get_setting $kFieldTwoPlaneMode)" = 1
  fi
  if ! is_pending entry; then
    check "exit: the typed upright spacing is stored" \
      test "$(get_setting $kFieldUprightDistance)" = "21.000"
  fi
else
  check "demo starts with prepared settings" false
fi
wine_stop

echo "== main screen, Manual with a free-running shaft, ounces and millimetres"
wine_start "" 1280x720x24
write_default_settings
set_setting $kFieldSpeedControl 0
set_setting $kFieldWeightUnit 1
set_setting $kFieldLengthUnit 1
write_demo_machine "manual_drive_rpm = 600"
if start_demo; then
  settled_screenshot "$shots/main-free-run-oz-mm-1280x720.png"
  if ! pending freerun; then
    check "no markers before the first acquisition" eval '! markers_shown'
    send_keys a
    # At 600 rpm the acquisition takes about a second: wait for its result.
    check "A acquires from the free-running shaft (markers on the dials)" \
      wait_until 60 markers_shown
    check "the acquisition ends" wait_until 60 spin_not_running
    screenshot "$shots/main-after-acquire-oz-mm-1280x720.png"
  fi
  check "Manual session closes cleanly" close_program "$main"
  check "exit: units stay ounces and millimetres" \
    test "$(get_setting $kFieldWeightUnit)$(get_setting $kFieldLengthUnit)" = 11
else
  check "demo starts in Manual" false
fi
wine_stop

echo "== settings at exit with a control that disagrees"
wine_start "" 1280x720x24
# The control holds other calibration factors than the defaults.
write_demo_machine "eeprom_text = 0.0,0.0,2.5000,2.5000,0,0.0,1.0000,0,"
start_program balancer-demo.exe
main="$(wait_for_window "Vidoduz Azavodad" 90 || true)"
check "mismatching control: main window appears" test -n "$main"
if [ -n "$main" ]; then
  wait_settled
  # Answer whatever start-up messages come (settings warning, mismatch).
  for _ in 1 2 3; do
    for name in "Check Machine Settings" Attention WARNING Warning; do
      if window_open "$name"; then
        [ "$name" = "Check Machine Settings" ] || screenshot "$shots/message-mismatch-1280x720.png"
        xdotool key Return
        wait_window_gone "$name" 5
        wait_settled
      fi
    done
  done
  # The demo's first start seeded both files; what matters is what the exit
  # writes.
  rm -f "$(program_folder)/balsetup.dta" "$(program_folder)/balsetup.bak"
  check "mismatching control: closes cleanly" close_program "$main"
  check "mismatching control: balsetup.dta written" test -s "$(program_folder)/balsetup.dta"
  check "mismatching control: no balsetup.bak written" test ! -e "$(program_folder)/balsetup.bak"
fi
wine_stop

echo "== main screen at 1920x1080 (scale 1.5) with prepared settings"
wine_start "" 1920x1080x24
write_default_settings
set_setting $kFieldSpeedControl 1
if start_demo; then
  screenshot "$shots/main-before-spin-1920x1080.png"
  if ! pending spin; then
    send_keys s
    # The status field at scale 1.5.
    kStatusField=318x100+696+126
    check "1.5: S starts a spin" wait_until 20 spin_running
    check "1.5: the spin ends" wait_until 120 spin_not_running
    settled_screenshot "$shots/main-after-spin-1920x1080.png"
    kStatusField=212x67+464+84
  fi
  close_program "$main" >/dev/null || true
fi
wine_stop
