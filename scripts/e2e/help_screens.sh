# Sourced by scripts/wine-tests.sh: the operator's manual behind the Help
# buttons. The compiled balancer.chm of this build goes into C:\balancer as
# setup puts it there; the main screen's Help and the Help of a field's entry
# window must each bring up the help viewer (titled by the manual's title)
# on the page the program asks for.

kHelpTitle="Vidoduz Azavodad Help"

# Command lines of the help viewer processes of this prefix.
help_viewer_args() {
  local pid
  for pid in $(wine_pids_of hh.exe 2>/dev/null); do
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null
    echo
  done
}

# True when a help viewer of this prefix was asked for PAGE of the manual.
help_viewer_on() {
  help_viewer_args | grep -qiF "c:\\balancer\\balancer.chm::/$1"
}

# Closes the help viewer window WIN and waits until it has gone.
close_help() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers alt+F4 >/dev/null 2>&1 || true
  wait_until 15 window_gone "$kHelpTitle"
}

echo "== Help: the manual from the main screen and from a field's entry window"
wine_start "" 1280x720x24
write_default_settings
if cp "$build/balancer.chm" "$(program_folder)/balancer.chm" 2>/dev/null; then
  check "the build made balancer.chm" true
else
  check "the build made balancer.chm" false
fi
# After a Help press: the help window opens on PAGE, is shot as SHOT and
# closes. TAG names the press in the checks, WHAT the page.
help_window_checks() {
  local tag="$1" what="$2" page="$3" shot="$4" help
  help="$(wait_for_window "$kHelpTitle" 60 || true)"
  check "$tag: the help window opens" test -n "$help"
  check "$tag: $what" wait_until 10 help_viewer_on "$page"
  [ -n "$help" ] || return 0
  settled_screenshot "$shots/$shot-1280x720.png" 10 || true
  check "$tag: the help window closes" close_help "$help"
}

if start_demo; then
  # The Help button (130 x 82 at 1138, 492).
  click_design 1203 533
  help_window_checks "main screen Help" "on its page" \
    "Mounting the balancer on a machine base.htm" help-main

  # The left Radius box (96 x 30 at 214, 259) opens its entry window, whose
  # Help button (60 x 34 at 18, 55) opens the page of that field.
  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
  click_design 262 274
  entry="$(wait_for_window Enter 15 || true)"
  check "Radius box: the entry window opens" test -n "$entry"
  if [ -n "$entry" ]; then
    click_in_window "$entry" 48 72 1.0
    help_window_checks "field Help" "on the page of the correction radius" \
      "Correction radius.htm" help-field
    # Esc in the entry's edit (100 x 35 at 100, 56) closes it unchanged.
    click_in_window "$entry" 170 73 1.0
    window_keys "$entry" Escape
    check "the entry window closes" wait_until 10 window_gone Enter
  fi
  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
  check "the program closes cleanly" close_program "$main"
else
  check "demo starts" false
fi
wine_stop
