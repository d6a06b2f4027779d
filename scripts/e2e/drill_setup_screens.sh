# Sourced by scripts/wine-tests.sh: Drill Setup in balancer-demo.exe, opened
# by its key, in two-plane and single-plane mode, with radial compensation off
# and on; grams and inches at 1280x720, ounces and millimetres at 1920x1080.
# A drill diameter is typed through each mode's first button, so the buttons
# are where the window draws them.

# Settings fields of the drill values in balsetup.dta.
kFieldDrillDiameterLeft=7
kFieldRadialCompensation=14
kFieldSingleDrillDiameterRight=73

drill_setting_is() {
  [ "$(get_setting "$1")" = "$2" ]
}

for screen in 1280x720x24 1920x1080x24; do
  size="${screen%x24}"
  scale=1.0
  [ "$size" = 1920x1080 ] && scale=1.5
  echo "== Drill Setup at $size"
  wine_start "" "$screen"
  write_default_settings
  if [ "$size" = 1920x1080 ]; then
    set_setting $kFieldWeightUnit 1
    set_setting $kFieldLengthUnit 1
  fi
  if ! start_demo; then
    check "$size: demo starts" false
    wine_stop
    continue
  fi

  send_keys d
  if setup="$(wait_for_window "Drill Setup" 10)"; then
    check "$size: D opens Drill Setup" true
    settled_screenshot "$shots/drill-setup-two-$size.png"
    window_keys "$setup" c
    check "$size: C turns radial compensation on" \
      wait_until 5 drill_setting_is $kFieldRadialCompensation 1
    settled_screenshot "$shots/drill-setup-two-radial-$size.png"
    window_keys "$setup" c
    check "$size: C turns it off again" \
      wait_until 5 drill_setting_is $kFieldRadialCompensation 0

    # "Left Drill Bit Diameter": first column (180, 60), 280 x 36.
    click_in_window "$setup" 320 78 "$scale"
    if [ "$size" = 1920x1080 ]; then
      enter_text "15.875"
    else
      enter_text "5/8"
    fi
    check "$size: the left drill bit diameter is typed in" \
      wait_until 5 drill_setting_is $kFieldDrillDiameterLeft 0.625
    window_keys "$setup" Escape
    check "$size: Esc closes Drill Setup" wait_until 10 window_gone "Drill Setup"
  else
    check "$size: D opens Drill Setup" false
  fi

  before="$(screen_sum)"
  send_keys l
  wait_screen_changed "$before"
  wait_settled
  send_keys d
  if setup="$(wait_for_window "Drill Setup" 10)"; then
    check "$size: single-plane, D opens Drill Setup" true
    settled_screenshot "$shots/drill-setup-single-$size.png"
    window_keys "$setup" c
    wait_until 5 drill_setting_is $kFieldRadialCompensation 1
    settled_screenshot "$shots/drill-setup-single-radial-$size.png"
    window_keys "$setup" c
    wait_until 5 drill_setting_is $kFieldRadialCompensation 0
    # "&Drill Diameter" (the first column's first row) sets both sides.
    click_in_window "$setup" 320 78 "$scale"
    if [ "$size" = 1920x1080 ]; then
      enter_text "30.1625"
    else
      enter_text "1 3/16"
    fi
    check "$size: single-plane, the drill diameter is typed in" \
      wait_until 5 drill_setting_is $kFieldSingleDrillDiameterRight 1.188
    window_keys "$setup" e
    check "$size: E closes it" wait_until 10 window_gone "Drill Setup"
  else
    check "$size: single-plane, D opens Drill Setup" false
  fi
  check "$size: closes cleanly" close_program "$main"
  wine_stop
done
