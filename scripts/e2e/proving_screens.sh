# Sourced by scripts/wine-tests.sh: the Machine Proving Test on
# balancer-demo.exe, opened over Machine Setup. The simulated machine fits
# the test mass at each step, so a whole run goes through: 10 g at 2 inches
# on the left plane, every step until the result and the URR lines, the
# dated file in the program folder with its figures, the file shown again,
# and a second run cancelled in the middle with balsetup.dta byte-equal.

# Machine Setup's layout and helpers, whichever groups run.
eval "$(sed -n '/^kSetupClient=/p;/^kSettingsButton=/p;/^setup_button()/,/^}/p;/^measure_frame()/,/^}/p;/^click_client()/,/^}/p;/^keys_to()/,/^}/p;/^open_setup_by_button()/,/^}/p' "$root/scripts/e2e/setup_screens.sh")"

# The proving window's client size and its instruction line (design units,
# app/proving_screen.cpp), where a red "Spinning:" shows while a spin runs.
kProvingClient="1060 620"
kProvingLine="20 480 1000 28"

# The instruction line's screen rectangle (WxH+X+Y) in window WIN at SCALE.
proving_line_geometry() {
  local win="$1" scale="$2" x y w h cw ch
  read -r x y w h < <(window_geometry "$win")
  read -r cw ch <<<"$kProvingClient"
  awk -v x="$x" -v y="$y" -v w="$w" -v h="$h" -v cw="$cw" -v ch="$ch" -v s="$scale" \
    -v line="$kProvingLine" 'BEGIN {
    split(line, l, " ")
    left = int((w - int(cw * s)) / 2)
    top = h - int(ch * s) - left
    printf "%dx%d+%d+%d", l[3] * s, l[4] * s, x + left + l[1] * s, y + top + l[2] * s }'
}

proving_line_sum() {
  local png geometry="$1"
  png="$(mktemp /tmp/balancer-shot.XXXXXX.png)"
  screenshot "$png"
  convert "$png" -crop "$geometry" +repage rgb:- 2>/dev/null | md5sum
  rm -f "$png"
}

proving_line_changed() {
  [ "$(proving_line_sum "$1")" != "$2" ]
}

proving_spinning() {
  local png n
  png="$(mktemp /tmp/balancer-shot.XXXXXX.png)"
  screenshot "$png"
  n="$(colour_pixels "$png" "$1" 221,0,0)"
  rm -f "$png"
  [ "${n:-0}" -gt 20 ]
}

proving_idle() {
  ! proving_spinning "$1"
}

# One press of Spin in window WIN: waits for the line to change (the spin
# starting, or the next step at once) and then for the spin to end.
proving_step() {
  local win="$1" geometry="$2" before
  before="$(proving_line_sum "$geometry")"
  window_keys "$win" s
  wait_until 30 proving_line_changed "$geometry" "$before" || return 1
  wait_until 240 proving_idle "$geometry" || return 1
  wait_settled
}

proving_kept_files() {
  ls "$(program_folder)"/proving-*.txt 2>/dev/null
}

# Opens Machine Proving Test over Machine Setup at SCALE; sets setup, prov.
open_proving() {
  local scale="$1"
  prov=""
  open_setup_by_button "$scale"
  [ -n "${setup:-}" ] || return 1
  measure_frame "$setup" "$scale"
  # No option port on the default machine: slot 7 of the second column.
  click_client "$setup" $(setup_button 1 7) "$scale"
  prov="$(wait_for_window "Machine Proving Test" 10 || true)"
  [ -n "$prov" ]
}

# Left column buttons of the proving window (design centres in its client).
proving_click() {
  local slot="$1" scale="$2"
  click_client "$prov" 135 $((20 + slot * 50 + 20)) "$scale"
}

# The demo's own machine (uprights as the settings put them, its runout),
# sampled at a third of the usual group rate: the screenshots this check
# takes while a spin runs hold up the X server, and a slower stream keeps the
# control's 20-group buffer from overflowing meanwhile.
proving_machine() {
  write_demo_machine "upright_spacing = 18" "harmonic2 = 3" "harmonic3 = 3" \
    "max_group_rate = 1000"
}

echo "== Machine Proving Test on the demo at 1280x720"
wine_start "" 1280x720x24
write_default_settings
proving_machine
set_setting $kFieldSpeedControl 1
if start_demo; then
  check "proving: opens over Machine Setup" open_proving 1.0
  if [ -n "$prov" ]; then
    geometry="$(proving_line_geometry "$prov" 1.0)"
    proving_click 0 1.0
    check "proving: test mass 10 g" enter_text 10
    proving_click 1 1.0
    check "proving: radius 2 in" enter_text 2
    settled_screenshot "$shots/proving-start-1280x720.png"
    ok=true
    # Baseline, 12 positions, the URR's initial spin, its correction, the
    # residual spin.
    for press in $(seq 1 16); do
      if ! proving_step "$prov" "$geometry"; then
        ok=false
        echo "(step $press did not end)"
        break
      fi
      [ "$press" -eq 5 ] && settled_screenshot "$shots/proving-four-positions-1280x720.png"
      [ "$press" -eq 14 ] && settled_screenshot "$shots/proving-urr-plan-1280x720.png"
    done
    check "proving: every step ran" $ok
    check "proving: the end is told" wait_until 30 window_open Attention
    settled_screenshot "$shots/proving-ended-1280x720.png"
    answer_message Attention || true
    settled_screenshot "$shots/proving-result-1280x720.png"
    kept="$(proving_kept_files | head -1)"
    check "proving: the dated file is in the program folder" test -n "$kept"
    if [ -n "$kept" ]; then
      check "proving: the file's name is dated" \
        bash -c "basename '$kept' | grep -Eq '^proving-[0-9]{8}-[0-9]{6}\.txt$'"
      check "proving: the file says PASSED" grep -q "^Result: PASSED" "$kept"
      check "proving: 10 g at 2 in on the left plane" \
        grep -q "^Test mass: 10.00 grams at 2.000 in on the left plane" "$kept"
      # The mean within the band of the test mass, twelve positions, a URR.
      check "proving: the mean is near 10 g" \
        awk '/^Mean: / { m = $2 + 0; found = 1 } END { exit !(found && m > 8.8 && m < 11.2) }' "$kept"
      check "proving: twelve positions" \
        test "$(grep -cE '^ *[0-9]+ +[0-9]+' "$kept")" -eq 12
      check "proving: the reduction passed" grep -q "^Reduction: PASSED" "$kept"
      cp "$kept" "$shots/proving-kept.txt"

      # Shown again through the open dialog.
      keys_to "$prov" k
      dialog="$(wait_for_window "Show Proving Result" 20 || true)"
      check "proving: the open dialog comes up" test -n "$dialog"
      if [ -n "$dialog" ]; then
        xdotool type --delay 40 "$(basename "$kept")" >/dev/null 2>&1
        xdotool key Return >/dev/null 2>&1
        check "proving: the dialog closes" wait_until 20 window_gone "Show Proving Result"
        settled_screenshot "$shots/proving-kept-1280x720.png"
      fi
    fi

    # A second run cancelled in the middle changes nothing.
    before="$(md5sum <"$(program_folder)/balsetup.dta")"
    proving_step "$prov" "$geometry"
    proving_step "$prov" "$geometry"
    proving_step "$prov" "$geometry"
    keys_to "$prov" c
    check "proving: Cancel is told" answer_message Attention
    check "proving: cancelled, balsetup.dta byte-equal" \
      test "$(md5sum <"$(program_folder)/balsetup.dta")" = "$before"
    check "proving: cancelled, no second file" test "$(proving_kept_files | wc -l)" -eq 1
    keys_to "$prov" Escape
    check "proving: Esc returns to Machine Setup" wait_until 10 window_gone "Machine Proving Test"
    keys_to "$setup" Escape
    wait_until 10 window_gone "Machine Setup" || true
    check "proving: after Machine Setup, balsetup.dta byte-equal" \
      test "$(md5sum <"$(program_folder)/balsetup.dta")" = "$before"
  fi
  close_program "$(wait_for_window "Vidoduz Azavodad" 5)" || true
else
  check "proving: demo starts" false
fi
wine_stop

echo "== Machine Proving Test on the demo at 1920x1080"
wine_start "" 1920x1080x24
write_default_settings
proving_machine
set_setting $kFieldSpeedControl 1
if start_demo; then
  check "proving 1920: opens over Machine Setup" open_proving 1.5
  if [ -n "$prov" ]; then
    geometry="$(proving_line_geometry "$prov" 1.5)"
    check "proving 1920: baseline" proving_step "$prov" "$geometry"
    check "proving 1920: first position" proving_step "$prov" "$geometry"
    check "proving 1920: second position" proving_step "$prov" "$geometry"
    settled_screenshot "$shots/proving-two-positions-1920x1080.png"
    keys_to "$prov" c
    check "proving 1920: Cancel is told" answer_message Attention
    check "proving 1920: nothing kept" test -z "$(proving_kept_files)"
    keys_to "$prov" Escape
    wait_until 10 window_gone "Machine Proving Test" || true
  fi
  close_program "$(wait_for_window "Vidoduz Azavodad" 5)" || true
else
  check "proving 1920: demo starts" false
fi
wine_stop
