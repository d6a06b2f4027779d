# Sourced by scripts/e2e/distribution.sh and scripts/e2e/medium.sh: driving
# the installer and pre-installer windows, and what their checks look at.

# Left click at client position (CX, CY) of a captioned installer window
# (600 x 450 outside; Wine's fixed frame is 3 pixels and the caption 18 more).
installer_click() {
  local win="$1" cx="$2" cy="$3" x y w h
  read -r x y w h < <(window_geometry "$win")
  xdotool mousemove "$((x + 3 + cx))" "$((y + 21 + cy))" click 1 >/dev/null 2>&1
  wait_settled
}

# Left click at a position of a borderless window.
popup_click() {
  local win="$1" cx="$2" cy="$3" x y w h
  read -r x y w h < <(window_geometry "$win")
  xdotool mousemove "$((x + cx))" "$((y + cy))" click 1 >/dev/null 2>&1
  wait_settled
}

# Waits for the program PID to end; true when it did.
program_ended() {
  local pid="$1"
  for _ in $(seq 1 40); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.5
  done
  return 1
}

# The driver package staged by SetupCopyOEMInfA: a copy of it in the
# prefix's inf folder (oemN.inf on Windows, its own name under Wine).
package_staged() {
  local inf
  for inf in "$WINEPREFIX"/drive_c/windows/inf/*.inf; do
    cmp -s "$inf" "$root/packaging/drivers/ZerOziZur.inf" && return 0
  done
  return 1
}

# True when the pre-installer window PREP shows the finished state's notice
# (text in the band of its first lines, client 60-110, where the other
# states draw nothing) and no ERROR is open. Saves the screenshot as SHOT.
usbprep_finished() {
  local prep="$1" shot="$2" x y w h
  read -r x y w h < <(window_geometry "$prep")
  screenshot "$shot"
  window_gone ERROR || return 1
  [ "$(convert "$shot" -crop "590x50+$((x + 8))+$((y + 21 + 60))" +repage -colorspace gray \
    -format '%[fx:standard_deviation > 0.02]' info:)" = 1 ]
}
