# Sourced by scripts/wine-tests.sh: Heavy Metal Setup with its size selection
# and density windows, as an operator uses them in balancer-demo.exe. Both
# sides need heavy metal: the left heavy spot at 90 with its zone 180-300 and
# the right at 270 with its zone 0-120, the left one much heavier. Screenshots
# of every window in two-plane and single-plane mode, in grams and inches at
# 1280x720 and in ounces and millimetres at 1920x1080; the main screen's
# Radius box typed into on a heavy-metal side.

# Settings fields of the heavy-metal values in balsetup.dta.
kFieldSlugDiameterLeft=28
kFieldSlugLengthRight=31
kFieldCounterweightMaterial=33
kFieldDensity=71
kFieldSlugRadiusLeft=20
kFieldDrillRadiusLeft=62

# Centre of the size check box of table INDEX (three columns of eleven).
hm_size_box() {
  echo "$((20 + ($1 / 11) * 220 + 12)) $((20 + ($1 % 11) * 34 + 15))"
}

# The setting FIELD reads VALUE.
setting_is() {
  [ "$(get_setting "$1")" = "$2" ]
}

# Answers the message titled NAME with Enter, given the focus first.
hm_answer() {
  local id
  id="$(wait_for_window "$1" 10)" || return 1
  window_keys "$id" Return
  wait_until 10 window_gone "$1"
}

# A message titled NAME comes up within a few seconds.
hm_message() {
  wait_for_window "$1" 8 >/dev/null
}

# The drill line of the slugs' remainder under the Projection reading of the
# dial centred at design x CX: text-coloured pixels in the band below "at N".
hm_remainder_line() {
  local png="$1" cx="$2" scale="$3" geometry
  geometry="$(awk -v c="$cx" -v s="$scale" \
    'BEGIN {printf "%dx%d+%d+%d", 240 * s, 16 * s, (c - 120) * s, 437 * s}')"
  [ "$(colour_pixels "$png" "$geometry" 0,0,160)" -gt 20 ]
}

for screen in 1280x720x24 1920x1080x24; do
  size="${screen%x24}"
  scale=1.0
  units="grams-inches"
  [ "$size" = 1920x1080 ] && scale=1.5 && units="ounces-mm"
  echo "== Heavy Metal Setup at $size ($units)"
  wine_start "" "$screen"
  write_default_settings
  if [ "$size" = 1920x1080 ]; then
    set_setting $kFieldWeightUnit 1
    set_setting $kFieldLengthUnit 1
  fi
  write_demo_machine "manual_drive_rpm = 0"
  printf '400 90 150 270 180 300 0 120\n' >"$(program_folder)/preload.txt"
  if ! start_demo; then
    check "$size: demo starts" false
    wine_stop
    continue
  fi
  screenshot "$shots/hm-main-two-$size.png"
  # Both sides get slugs; their remainders point into the zones and are
  # drilled in the same run: the drill text under each Projection reading.
  check "$size: the left remainder's drill line shows" \
    hm_remainder_line "$shots/hm-main-two-$size.png" 262 "$scale"
  check "$size: the right remainder's drill line shows" \
    hm_remainder_line "$shots/hm-main-two-$size.png" 878 "$scale"

  # On a heavy-metal side the Radius box shows and edits the slug installation
  # radius: the left box at (dial centre 262 - 48, dial top 275 - 16), 96 x 30.
  drill_before="$(get_setting $kFieldDrillRadiusLeft)"
  click_design 262 274 "$scale"
  if [ "$size" = 1920x1080 ]; then
    enter_text "63.5"
  else
    enter_text "2.5"
  fi
  check "$size: the left Radius box stores the slug radius" \
    wait_until 5 setting_is $kFieldSlugRadiusLeft 2.500
  check "$size: the drill radius stays" setting_is $kFieldDrillRadiusLeft "$drill_before"
  settled_screenshot "$shots/hm-radius-slug-$size.png"
  click_design 262 274 "$scale"
  if [ "$size" = 1920x1080 ]; then
    enter_text "86.36"
  else
    enter_text "3.4"
  fi
  check "$size: a slug radius past the counterweight tells of the limit" hm_message "Alert"
  settled_screenshot "$shots/hm-radius-limited-$size.png"
  check "$size: the radius limit message is answered" hm_answer "Alert"
  check "$size: the slug radius is held inside the counterweight" \
    setting_is $kFieldSlugRadiusLeft 2.850

  # The Heavy Metal Setup picture button: (502, dial top 275 + 94), 136 x 64.
  click_design 570 401 "$scale"
  if setup="$(wait_for_window "Heavy Metal Setup" 10)"; then
    check "$size: the Heavy Metal button opens Heavy Metal Setup" true
    settled_screenshot "$shots/hm-setup-two-$size.png"

    # Select Now with nothing checked: neither side finds a size.
    window_keys "$setup" a
    if sizes="$(wait_for_window "Heavy Metal Size Selection" 10)"; then
      check "$size: A opens the size selection" true
      settled_screenshot "$shots/hm-sizes-two-$size.png"
      window_keys "$sizes" s
      check "$size: no size checked names both sides" hm_message "Attention"
      settled_screenshot "$shots/hm-none-both-$size.png"
      check "$size: the message is answered" hm_answer "Attention"
    else
      check "$size: A opens the size selection" false
    fi

    # 1.0 x 0.85 only: the right side takes it, the heavy left side cannot.
    window_keys "$setup" a
    if sizes="$(wait_for_window "Heavy Metal Size Selection" 10)"; then
      wait_settled
      click_in_window "$sizes" $(hm_size_box 24) "$scale"
      settled_screenshot "$shots/hm-sizes-checked-$size.png"
      window_keys "$sizes" s
      check "$size: a size too small for the left names the left side" hm_message "Attention"
      settled_screenshot "$shots/hm-none-left-$size.png"
      check "$size: the left side's message is answered" hm_answer "Attention"
      check "$size: the right side took 0.85 long slugs" \
        wait_until 5 setting_is $kFieldSlugLengthRight 0.850
    else
      check "$size: the size selection opens again" false
    fi

    # 1.0 x 1.25 only: now the left side takes it and the right cannot.
    window_keys "$setup" a
    if sizes="$(wait_for_window "Heavy Metal Size Selection" 10)"; then
      wait_settled
      click_in_window "$sizes" $(hm_size_box 24) "$scale"  # off again
      click_in_window "$sizes" $(hm_size_box 28) "$scale"
      wait_settled
      window_keys "$sizes" s
      check "$size: a size only the left can take names the right side" hm_message "Attention"
      settled_screenshot "$shots/hm-none-right-$size.png"
      check "$size: the right side's message is answered" hm_answer "Attention"
    else
      check "$size: the size selection opens for the right side" false
    fi

    # 0.75 x 1.1 fits both sides: no message, both take it.
    window_keys "$setup" a
    if sizes="$(wait_for_window "Heavy Metal Size Selection" 10)"; then
      wait_settled
      click_in_window "$sizes" $(hm_size_box 28) "$scale"  # off again
      click_in_window "$sizes" $(hm_size_box 11) "$scale"
      wait_settled
      window_keys "$sizes" s
      # Taken when stored; a message would have come by the time the screen
      # settles.
      wait_until 5 setting_is $kFieldSlugDiameterLeft 0.750
      wait_settled
      check "$size: a fitting size raises no message" window_gone "Attention"
      check "$size: both sides took 0.75 diameter slugs" \
        wait_until 5 setting_is $kFieldSlugDiameterLeft 0.750
      screenshot "$shots/hm-selected-$size.png"
    else
      check "$size: the size selection opens a third time" false
    fi

    # A larger left slug comes in: the installation radius is limited.
    click_in_window "$setup" 95 68 "$scale"  # "Slug diameter", left
    if [ "$size" = 1920x1080 ]; then
      enter_text "31.75"
    else
      enter_text "1 1/4"
    fi
    check "$size: a larger slug tells of the limited radius" hm_message "Alert"
    settled_screenshot "$shots/hm-limited-$size.png"
    check "$size: the limit message is answered" hm_answer "Alert"
    check "$size: the left slug diameter is stored" setting_is $kFieldSlugDiameterLeft 1.250

    window_keys "$setup" m
    check "$size: M turns the counterweight to steel" \
      wait_until 5 setting_is $kFieldCounterweightMaterial 1
    window_keys "$setup" m

    # The density from a weighed test slug 0.5" x 1", 60 g.
    window_keys "$setup" h
    if density="$(wait_for_window "Heavy Metal Density" 10)"; then
      check "$size: H opens the density window" true
      settled_screenshot "$shots/hm-density-empty-$size.png"
      if [ "$size" = 1920x1080 ]; then
        window_keys "$density" d && enter_text "12.7"
        window_keys "$density" l && enter_text "25.4"
        window_keys "$density" w && enter_text "2.1164"
      else
        window_keys "$density" d && enter_text ".5"
        window_keys "$density" l && enter_text "1"
        window_keys "$density" w && enter_text "60"
      fi
      check "$size: the test slug sets the density" \
        wait_until 5 setting_is $kFieldDensity 305.6
      settled_screenshot "$shots/hm-density-two-$size.png"
      window_keys "$density" Escape
      check "$size: Esc closes the density window" \
        wait_until 10 window_gone "Heavy Metal Density"
    else
      check "$size: H opens the density window" false
    fi
    settled_screenshot "$shots/hm-setup-after-$size.png"
    window_keys "$setup" Escape
    check "$size: Esc closes Heavy Metal Setup" \
      wait_until 10 window_gone "Heavy Metal Setup"
  else
    check "$size: the Heavy Metal button opens Heavy Metal Setup" false
  fi

  send_keys v
  if setup="$(wait_for_window "Heavy Metal Setup" 10)"; then
    check "$size: V opens Heavy Metal Setup" true
    window_keys "$setup" e
    check "$size: E closes it" wait_until 10 window_gone "Heavy Metal Setup"
  else
    check "$size: V opens Heavy Metal Setup" false
  fi
  settled_screenshot "$shots/hm-main-after-$size.png"

  # Single-plane: the button moves to (128, 294); the left column goes.
  before="$(screen_sum)"
  send_keys l
  wait_screen_changed "$before"
  settled_screenshot "$shots/hm-main-single-$size.png"
  click_design 196 326 "$scale"
  if setup="$(wait_for_window "Heavy Metal Setup" 10)"; then
    check "$size: single-plane, the button opens Heavy Metal Setup" true
    settled_screenshot "$shots/hm-setup-single-$size.png"
    window_keys "$setup" a
    if sizes="$(wait_for_window "Heavy Metal Size Selection" 10)"; then
      settled_screenshot "$shots/hm-sizes-single-$size.png"
      window_keys "$sizes" Escape
      wait_until 10 window_gone "Heavy Metal Size Selection"
    fi
    window_keys "$setup" h
    if density="$(wait_for_window "Heavy Metal Density" 10)"; then
      settled_screenshot "$shots/hm-density-single-$size.png"
      window_keys "$density" Escape
      wait_until 10 window_gone "Heavy Metal Density"
    fi
    window_keys "$setup" Escape
    check "$size: single-plane setup closes" wait_until 10 window_gone "Heavy Metal Setup"
  else
    check "$size: single-plane, the button opens Heavy Metal Setup" false
  fi
  check "$size: closes cleanly" close_program "$main"

  # Single-plane mode on a static unbalance outside the right zone: the
  # remainder's line under the Projection of the centred dial.
  printf '300 270 300 270 0 0 0 120\n' >"$(program_folder)/preload.txt"
  if start_demo; then
    # The run above left the program in single-plane mode.
    if [ "$(get_setting $kFieldTwoPlaneMode)" != 0 ]; then
      before="$(screen_sum)"
      send_keys l
      wait_screen_changed "$before"
    fi
    settled_screenshot "$shots/hm-projection-single-$size.png"
    check "$size: single-plane, the remainder's drill line shows" \
      hm_remainder_line "$shots/hm-projection-single-$size.png" 570 "$scale"
    check "$size: single-plane closes cleanly" close_program "$main"
  else
    check "$size: the demo starts again" false
  fi
  wine_stop
done
