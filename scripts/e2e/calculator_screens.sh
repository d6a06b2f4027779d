# Sourced by scripts/wine-tests.sh after setup_screens.sh (its measure_frame,
# click_client, setup_button and keys_to): the Tolerance Calculation and the
# Reluctor Simulator, opened over Machine Setup, at both scales.

# Types TEXT into the number entry that opens and presses Enter.
calc_enter() {
  local entry
  entry="$(wait_for_window Enter 10)" || return 1
  xdotool type --delay 80 "$1" >/dev/null 2>&1
  xdotool key Return >/dev/null 2>&1
  wait_until 10 window_gone Enter
}

calc_spin() {
  send_keys s
  wait_until 20 spin_running || return 1
  wait_until 120 spin_not_running || return 1
  wait_settled
}

for screen in 1280x720x24 1920x1080x24; do
  size="${screen%x24}"
  scale=1.0
  [ "$size" = 1920x1080 ] && scale=1.5
  kStatusField="$(awk -v s="$scale" 'BEGIN {printf "%dx%d+%d+%d", 212*s, 67*s, 464*s, 84*s}')"
  units=in-g
  echo "== Tolerance Calculation and Reluctor Simulator at $size"
  wine_start "" "$screen"
  write_default_settings
  # No option port: the calculators sit in slots 5 and 6 of the second column.
  write_demo_machine "option_port_type = 0"
  set_setting $kFieldSpeedControl 1
  set_setting 37 20.00
  if [ "$size" = 1920x1080 ]; then
    set_setting $kFieldWeightUnit 1
    set_setting $kFieldLengthUnit 1
    units=mm-oz
  fi
  if start_demo; then
    check "$size: a spin ends" calc_spin
    settled_screenshot "$shots/main-before-reluctor-$units-$size.png"

    # 60 lb at 6000 rpm, class 1: 13.64 gram-inches per side.
    open_setup_by_button "$scale"
    if [ -n "${setup:-}" ]; then
      measure_frame "$setup" "$scale"
      click_client "$setup" $(setup_button 1 5) "$scale"
      tol="$(wait_for_window "Tolerance Calculation" 10 || true)"
      check "$size: Tolerance Calculator opens over Machine Setup" test -n "$tol"
      if [ -n "$tol" ]; then
        # Same caption and border as Machine Setup: its frame measure holds.
        click_client "$tol" 150 40 "$scale"
        check "$size: shaft weight 60" calc_enter 60
        click_client "$tol" 150 90 "$scale"
        check "$size: max rpm 6000" calc_enter 6000
        click_client "$tol" 210 150 "$scale"
        click_client "$tol" 90 260 "$scale"
        settled_screenshot "$shots/tolerance-$units-$size.png"
        keys_to "$tol" Escape
        check "$size: Esc returns to Machine Setup" wait_until 10 window_gone "Tolerance Calculation"
        check "$size: Machine Setup is still open" window_open "Machine Setup"
      fi
      keys_to "$setup" Escape
      wait_until 10 window_gone "Machine Setup" || true
      check "$size: file: tolerance 13.64" wait_setting 37 13.64
    fi

    # LS 24x on the left end: the warning line and other corrections.
    open_setup_by_button "$scale"
    if [ -n "${setup:-}" ]; then
      measure_frame "$setup" "$scale"
      click_client "$setup" $(setup_button 1 6) "$scale"
      rel="$(wait_for_window "Reluctor Simulator" 10 || true)"
      check "$size: Reluctor Simulator opens over Machine Setup" test -n "$rel"
      if [ -n "$rel" ]; then
        click_client "$rel" 95 80 "$scale"
        settled_screenshot "$shots/reluctor-$units-$size.png"
        click_client "$rel" 600 420 "$scale"
        check "$size: OK returns to Machine Setup" wait_until 10 window_gone "Reluctor Simulator"
      fi
      keys_to "$setup" Escape
      wait_until 10 window_gone "Machine Setup" || true
      check "$size: file: reluctor LS 24x" wait_setting 57 1
      settled_screenshot "$shots/main-after-reluctor-$units-$size.png"
      diff="$(compare -metric AE "$shots/main-before-reluctor-$units-$size.png" \
        "$shots/main-after-reluctor-$units-$size.png" null: 2>&1 || true)"
      check "$size: the main screen changed (warning line, corrections)" \
        test "${diff%% *}" -gt 200 2>/dev/null
    fi
    close_program "$(wait_for_window "Vidoduz Azavodad" 5)" || true
  else
    check "$size: demo starts" false
  fi
  wine_stop
done
