# Sourced by scripts/wine-tests.sh: Zero Shaft Position and the Indicator
# driven by keys and clicks in balancer-demo.exe, with screenshots.

# A still shaft, an option encoder 0.75" out, the encoder offered by the
# control; readings with zones on both sides (or none).
shaft_screens_machine() {
  write_demo_machine "manual_drive_rpm = 0" "option_port_type = 2" "option_encoder = 1" \
    "option_encoder_position = 0.75"
}

# Keys to a window of the program (xdotool key names).
keys_to() {
  xdotool windowfocus --sync "$1" >/dev/null 2>&1 || true
  shift
  xdotool key --clearmodifiers "$@" >/dev/null 2>&1
}

# A left click at client position (x, y) in design units of window ID; the
# caption above the client area is taken as 24 pixels.
click_client() {
  local id="$1" x="$2" y="$3" scale="$4"
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove $((X + $(awk -v v="$x" -v s="$scale" 'BEGIN {print int(v * s)}'))) \
    $((Y + 24 + $(awk -v v="$y" -v s="$scale" 'BEGIN {print int(v * s)}'))) click 1 >/dev/null 2>&1
}

window_closed() {
  ! window_open "$1"
}

# Saves a screenshot to PNG; true when GEOMETRY of it holds the position in
# green.
position_green() {
  screenshot "$1"
  awk -v n="$(colour_pixels "$1" "$2" 0,128,0)" 'BEGIN {exit !(n > 20)}'
}

for screen in 1280x720x24 1920x1080x24; do
  size="${screen%x24}"
  scale=1.0
  [ "$size" = 1920x1080 ] && scale=1.5
  echo "== Zero Shaft Position and Indicator at $size"
  wine_start "" "$screen"
  write_default_settings
  # The larger screen runs in millimetres and ounces.
  if [ "$size" = 1920x1080 ]; then
    set_setting $kFieldWeightUnit 1
    set_setting $kFieldLengthUnit 1
  fi
  shaft_screens_machine
  printf '40 30 20 200 0 0 0 0\n' >"$(program_folder)/preload.txt"
  if start_demo; then
    if [ "$size" = 1280x720 ]; then
      send_keys z
      # A window would open at once, before the screen settles.
      wait_settled
      check "$size: Z without zones zeroes at once, no window" \
        window_closed "Zero Shaft Position"
    fi
    check "$size: closes cleanly" close_program "$main"
  else
    check "$size: demo starts" false
  fi

  printf '40 30 20 200 20 140 200 320\n' >"$(program_folder)/preload.txt"
  if start_demo; then
    send_keys z
    if id="$(wait_for_window "Zero Shaft Position" 10)"; then
      check "$size: Z with zones opens Zero Shaft Position" true
      settled_screenshot "$shots/zero-shaft-$size.png"
      keys_to "$id" s
      check "$size: S (Sync) closes it" \
        wait_until 10 window_closed "Zero Shaft Position"
      # The Zero button by mouse: (80, 128) in the window's client area.
      click_design 1203 149 "$scale"  # the Zero Shaft picture button
      if id="$(wait_for_window "Zero Shaft Position" 10)"; then
        click_client "$id" 128 148 "$scale"
        check "$size: the Zero button closes it" \
          wait_until 10 window_closed "Zero Shaft Position"
        settled_screenshot "$shots/main-after-zero-$size.png"
      else
        check "$size: the Zero Shaft button opens the window" false
      fi
    else
      check "$size: Z with zones opens Zero Shaft Position" false
    fi

    send_keys c
    if id="$(wait_for_window "Indicator" 10)"; then
      check "$size: C opens the Indicator" true
      check "$size: the Indicator shows the position in green" \
        wait_until 10 position_green "$shots/indicator-left-$size.png" \
          "$(awk -v s="$scale" 'BEGIN {printf "%dx%d+%d+%d", 168*s, 60*s, 485*s, 157*s + 260*s}')"
      keys_to "$id" r
      settled_screenshot "$shots/indicator-right-$size.png"
      keys_to "$id" e
      check "$size: E closes the Indicator" \
        wait_until 10 window_closed "Indicator"
      click_design 627 191 "$scale"  # the Indicator picture button
      if id="$(wait_for_window "Indicator" 10)"; then
        check "$size: the Indicator button opens it" true
        keys_to "$id" Escape
        check "$size: Esc closes the Indicator" wait_until 10 window_closed "Indicator"
      else
        check "$size: the Indicator button opens it" false
      fi
    else
      check "$size: C opens the Indicator" false
    fi
    check "$size: closes cleanly" close_program "$main"
  else
    check "$size: demo starts with zones" false
  fi
  wine_stop
done
