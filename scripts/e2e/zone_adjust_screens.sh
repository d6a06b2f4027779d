# Sourced by scripts/wine-tests.sh: Correction Zone Setup and Adjust in
# balancer-demo.exe. Zones are marked by clicks on the dials (the side goes to
# heavy metal), a hole is moved past the centre in Adjust, and both windows
# are shot at both scales, in both unit sets and both plane modes.

# The screen pixel of dial angle DEG at RADIUS about design centre (CX, CY).
zones_dial_point() {
  awk -v cx="$1" -v cy="$2" -v r="$3" -v a="$4" -v s="$5" 'BEGIN {
    t = a * 3.14159265358979 / 180
    printf "%d %d\n", (cx + r * sin(t)) * s, (cy - r * cos(t)) * s }'
}

zones_click_dial() {
  local p
  p="$(zones_dial_point "$@")"
  xdotool mousemove ${p% *} ${p#* } click 1 >/dev/null 2>&1
  wait_settled
}

# A double-click on a hole or slug opens Adjust (wait for that window).
zones_double_click_dial() {
  local p
  p="$(zones_dial_point "$@")"
  xdotool mousemove ${p% *} ${p#* } click --repeat 2 --delay 120 1 >/dev/null 2>&1
}

# Angles (whole degrees) of the planned holes or slugs of SIDE (left, right)
# for the preload's readings ($zones_left, $zones_right) and ZONES, one per
# line, from the same correction pass the program runs.
zones_planned() {
  balancer_cli --folder "$(program_folder)" plan --left "$zones_left" --right "$zones_right" \
    --zones "$3" | python3 -c '
import json, sys
for item in json.load(sys.stdin)[sys.argv[1]][sys.argv[2]]:
    print(int(item["angle"] + 0.5))' "$1" "$2"
}

# Zone fill on the dials: pixels of the zone colour in the dial area.
zone_pixels() {
  colour_pixels "$1" "$(awk -v s="$2" 'BEGIN {printf "%dx%d+0+0", 1136*s, 480*s}')" 188,169,134
}

# The correction text under the dial of SIDE centred at CX (design units).
zones_text_crop() {
  awk -v cx="$1" -v s="$2" 'BEGIN {printf "%dx%d+%d+%d", 380*s, 30*s, (cx - 190)*s, 524*s}'
}

zones_crops_differ() {
  local a b
  a="$(mktemp /tmp/zones-a.XXXXXX.png)"
  b="$(mktemp /tmp/zones-b.XXXXXX.png)"
  convert "$1" -crop "$3" +repage "$a"
  convert "$2" -crop "$3" +repage "$b"
  local n
  n="$(compare -metric AE "$a" "$b" null: 2>&1 | awk '{print int($1)}')"
  rm -f "$a" "$b"
  [ "${n:-0}" -gt 50 ]
}

# Screenshot to PNG at SCALE; true when the zones are drawn on the dials.
zones_drawn() {
  screenshot "$1"
  [ "$(zone_pixels "$1" "$2")" -gt 2000 ]
}

# Screenshot to AFTER; true when its CROP differs from that of BEFORE.
zones_text_changed() {
  screenshot "$2"
  zones_crops_differ "$1" "$2" "$3"
}

for zones_case in "1280x720 g-in two" "1280x720 g-in single" "1920x1080 oz-mm two" \
  "1920x1080 oz-mm single"; do
  read -r size units planes <<<"$zones_case"
  scale=1.0
  [ "$size" = 1920x1080 ] && scale=1.5
  tag="$units-$planes-$size"
  echo "== Zone Setup and Adjust: $tag"
  wine_start "" "${size}x24"
  write_default_settings
  if [ "$units" = oz-mm ]; then
    set_setting $kFieldWeightUnit 1
    set_setting $kFieldLengthUnit 1
  fi
  # Readings and right zones whose heavy spot lies outside the zone and
  # whose light side lies inside it. Single-plane corrects the sum of both
  # readings on the one dial.
  if [ "$planes" = single ]; then
    set_setting $kFieldTwoPlaneMode 0
    rcx=570 # the right dial moves to the middle
    zones_left=150,90 zones_right=150,90 rz1=200 rz2=310
  else
    rcx=878
    zones_left=150,90 zones_right=150,270 rz1=30 rz2=150
  fi
  lcx=262
  write_demo_machine "manual_drive_rpm = 0"
  printf '%s %s %s %s 0 0 0 0\n' ${zones_left/,/ } ${zones_right/,/ } \
    >"$(program_folder)/preload.txt"
  if ! start_demo; then
    check "$tag: demo starts" false
    wine_stop
    continue
  fi
  settled_screenshot "$shots/main-before-zones-$tag.png"

  # By key, then by the Zone Setup picture button (design 528, 295, 84 x 64;
  # 154, 178 in single-plane mode).
  send_keys n
  if id="$(wait_for_window "Correction Zone Setup" 10)"; then
    check "$tag: N opens Correction Zone Setup" true
    window_keys "$id" Escape
    check "$tag: Esc closes it" wait_until 10 window_gone "Correction Zone Setup"
  else
    check "$tag: N opens Correction Zone Setup" false
  fi
  if [ "$planes" = single ]; then click_design 196 210 "$scale"; else click_design 570 327 "$scale"; fi
  if id="$(wait_for_window "Correction Zone Setup" 10)"; then
    check "$tag: the Zone Setup button opens it" true
    wait_settled
    zones_click_dial "$rcx" 275 120 "$rz1" "$scale"
    zones_click_dial "$rcx" 275 150 "$rz2" "$scale"
    zlist="0,0,$rz1,$rz2"
    if [ "$planes" = two ]; then
      # Left zone 200..310: the heavy spot at 90 is outside it.
      zones_click_dial "$lcx" 275 120 200 "$scale"
      zones_click_dial "$lcx" 275 120 310 "$scale"
      zlist="200,310,$rz1,$rz2"
    fi
    check "$tag: the zones are drawn on the dials" \
      wait_until 5 zones_drawn "$shots/zone-setup-$tag.png" "$scale"
    window_keys "$id" e
    check "$tag: E closes Zone Setup" wait_until 10 window_gone "Correction Zone Setup"
    check "$tag: the right side's text changes to heavy metal" \
      wait_until 10 zones_text_changed "$shots/main-before-zones-$tag.png" \
      "$shots/main-after-zones-$tag.png" "$(zones_text_crop "$rcx" "$scale")"
    if [ "$planes" = two ]; then
      check "$tag: the left side's text changes to heavy metal" \
        wait_until 10 zones_text_changed "$shots/main-before-zones-$tag.png" \
        "$shots/main-after-zones-$tag.png" "$(zones_text_crop "$lcx" "$scale")"
    fi

    # Adjust on a slug of the right side.
    slug="$(zones_planned right slugs "$zlist" | head -1)"
    if [ -n "$slug" ]; then
      zones_double_click_dial "$rcx" 275 136 "$slug" "$scale"
      if aid="$(wait_for_window "Adjust" 10)"; then
        check "$tag: a double-click on a slug opens Adjust" true
        settled_screenshot "$shots/adjust-slug-$tag.png"
        # The line of the slugs' remainder, drilled with them, under the slug
        # boxes: the window stands at (20, 60) beside the right dial, or at
        # (800, 60) in single-plane mode; its value colour is (0,0,128).
        ax=20
        [ "$planes" = single ] && ax=800
        check "$tag: Adjust shows the remainder's drill line" test "$(colour_pixels \
          "$shots/adjust-slug-$tag.png" \
          "$(awk -v x="$ax" -v s="$scale" \
            'BEGIN {printf "%dx%d+%d+%d", 275 * s, 40 * s, (x + 15) * s, 384 * s}')" \
          0,0,128)" -gt 30
        window_keys "$aid" Escape
        check "$tag: Esc closes Adjust" wait_until 10 window_gone "Adjust"
      else
        check "$tag: a double-click on a slug opens Adjust" false
      fi
    else
      check "$tag: the right side has slugs" false
    fi

    # Clear All: back to drilling.
    send_keys n
    if id="$(wait_for_window "Correction Zone Setup" 10)"; then
      window_keys "$id" c
      wait_settled
      window_keys "$id" Escape
      wait_until 10 window_gone "Correction Zone Setup" || true
    fi
  else
    check "$tag: the Zone Setup button opens it" false
  fi

  # Adjust on a hole of the right side, moved past the centre.
  hole="$(zones_planned right holes 0,0,0,0 | head -1)"
  if [ -n "$hole" ]; then
    zones_double_click_dial "$rcx" 275 136 "$hole" "$scale"
    if aid="$(wait_for_window "Adjust" 10)"; then
      check "$tag: a double-click on a hole opens Adjust" true
      settled_screenshot "$shots/adjust-hole-$tag.png"
      for _ in $(seq 1 40); do
        window_open "ALERT" && break
        window_keys "$aid" 1
        sleep 0.3 # one step a look, until the alert comes
      done
      if wait_for_window "ALERT" 5 >/dev/null; then
        check "$tag: a hole moved past the centre gives \"Past Center!\"" true
        settled_screenshot "$shots/adjust-past-center-$tag.png"
        answer_message "ALERT" || true
      else
        check "$tag: a hole moved past the centre gives \"Past Center!\"" false
      fi
      # Delete of a hole of the split fan: the holes left are re-balanced.
      window_keys "$aid" d
      # A warning would come with the redrawn fan.
      wait_settled
      check "$tag: a hole of the split fan is deleted without a warning" \
        window_gone "Warning"
      screenshot "$shots/adjust-after-delete-$tag.png"
      if window_open "Warning"; then answer_message "Warning" || true; fi
      window_keys "$aid" o
      check "$tag: O closes Adjust" wait_until 10 window_gone "Adjust"
    else
      check "$tag: a double-click on a hole opens Adjust" false
    fi
  else
    check "$tag: the right side has holes" false
  fi
  check "$tag: closes cleanly" close_program "$main"
  wine_stop
done
