# Sourced by scripts/wine-tests.sh: the driver pre-installer, the installer
# and the software update as a user meets them, with screenshots.
#
#   usbprep64.exe  its three states with a stand-in driver library beside it
#                  answering 0 and 183; without the library the system's
#                  SetupCopyOEMInfA, which stages the package or fails with
#                  its error
#   setup.exe      installs from a medium into a fresh prefix: version choice,
#                  folders, files by Windows version, the desktop copy, a
#                  running balancer closed first, the pre-installer started,
#                  the list-file errors, a failed pre-installer start and the
#                  warning window of Windows before Vista
#   update         "Update Software" against a loopback HTTPS server whose test
#                  certificate the prefix trusts
#
# These run the 64-bit build of every program; scripts/e2e/medium.sh runs the
# medium as it ships (32-bit setup.exe and balancer.exe, usbprep32.exe).

helpers="$build/tests/win32/helpers"
# BALANCER_DIST_PARTS picks some of: usbprep setup update (default all).
dist_parts=" ${BALANCER_DIST_PARTS:-usbprep setup update} "
# When sourced on its own (without wine-tests.sh), its helpers come from there.
if ! declare -F window_geometry >/dev/null; then
  eval "$(sed -n '/^window_geometry()/,/^}/p;/^red_pixels()/,/^}/p' "$root/scripts/wine-tests.sh")"
fi
source "$root/scripts/e2e/installer.sh"

# True when the setup window INST frames version 2 in red; saves SHOT.
version_2_framed() {
  local inst="$1" shot="$2" x y w h
  read -r x y w h < <(window_geometry "$inst")
  screenshot "$shot"
  [ "$(red_pixels "$shot" "260x145+$((x + 295))+$((y + 195))")" -gt 500 ]
}

# ---- usbprep64.exe ------------------------------------------------------

# Runs the pre-installer from C:\balancer\drivers\amd64, the driver package
# in C:\balancer\drivers, with LIBRARY (a stand-in's file name, or "" for
# none) beside it as DIFxAPI.dll; sets prep and prep_pid.
start_usbprep() {
  local library="$1" dir="$WINEPREFIX/drive_c/balancer/drivers/amd64"
  mkdir -p "$dir"
  cp "$build/usbprep64.exe" "$dir/"
  cp "$root/packaging/drivers/ZerOziZur.inf" "$dir/.."
  rm -f "$dir/DIFxAPI.dll" "$(program_folder)/difx-call.txt"
  [ -n "$library" ] && cp "$helpers/$library" "$dir/DIFxAPI.dll"
  # Only a library beside the program counts, never Wine's own.
  WINEDLLOVERRIDES="mscoree,mshtml=;difxapi=n" wine_run 'C:\balancer\drivers\amd64\usbprep64.exe' \
    >/dev/null 2>&1 &
  prep_pid=$!
  prep="$(wait_for_window "Balancer Setup" 60 || true)"
  wait_settled
}

echo "== usbprep64.exe: unplug, installing, finished; 0, 183 and no library"
if [[ "$dist_parts" != *" usbprep "* ]]; then
  :
elif [ -f "$build/usbprep64.exe" ] && [ -f "$helpers/difx_ok.dll" ]; then
  wine_start "" 1280x720x24
  start_usbprep difx_ok.dll
  check "usbprep64: window 'Balancer Setup' opens" test -n "$prep"
  if [ -n "$prep" ]; then
    check "usbprep64: 600x450" test "$(window_geometry "$prep" | cut -d' ' -f3,4)" = "600 450"
    screenshot "$shots/usbprep-unplug.png"
    installer_click "$prep" 300 375
    screenshot "$shots/usbprep-installing.png"
    wait_until 10 usbprep_finished "$prep" "$shots/usbprep-finished.png"
    check "usbprep64: the library got the INF path and flags 20" \
      grep -qF 'c:\balancer\drivers\ZerOziZur.inf 20' "$(program_folder)/difx-call.txt"
    installer_click "$prep" 300 375
    check "usbprep64: OK after the notice says 'Success'" \
      answer_message "Success" "$shots/usbprep-success.png"
    check "usbprep64: ends with status 0 after Success" program_ended "$prep_pid"
  fi

  # A second run: the package is already in the store (183), still success.
  start_usbprep difx_exists.dll
  if [ -n "$prep" ]; then
    installer_click "$prep" 300 375
    wait_until 10 usbprep_finished "$prep" "$shots/.usbprep-183.png"
    rm -f "$shots/.usbprep-183.png"
    check "usbprep64: 183 counts as success (no ERROR box)" \
      test -z "$(xdotool search --name '^ERROR$' 2>/dev/null)"
    installer_click "$prep" 300 375
    check "usbprep64: 183 ends with 'Success'" answer_message "Success"
    program_ended "$prep_pid" >/dev/null || true
  else
    check "usbprep64: second run opens" false
  fi

  # No library at all, as on a real PC: the system's SetupCopyOEMInfA stages
  # the package and the run ends in "Success".
  start_usbprep ""
  if [ -n "$prep" ]; then
    installer_click "$prep" 300 375
    wait_until 20 usbprep_finished "$prep" "$shots/usbprep-finished-setupapi.png"
    check "usbprep64 without the library: no 'ERROR'" \
      test -z "$(xdotool search --name '^ERROR$' 2>/dev/null)"
    installer_click "$prep" 300 375
    check "usbprep64 without the library: 'Success'" answer_message "Success"
    check "usbprep64 without the library: the package staged by SetupCopyOEMInfA" package_staged
    program_ended "$prep_pid" >/dev/null || true
  else
    check "usbprep64: third run opens" false
  fi

  # No library and no package beside it: the copy fails, the error with its code.
  start_usbprep ""
  rm -f "$WINEPREFIX/drive_c/balancer/drivers/ZerOziZur.inf"
  if [ -n "$prep" ]; then
    installer_click "$prep" 300 375
    check "usbprep64: a failed SetupCopyOEMInfA gives 'ERROR'" \
      answer_message "ERROR" "$shots/usbprep-error-no-package.png"
    check "usbprep64: the window closes after the error" program_ended "$prep_pid"
  else
    check "usbprep64: fourth run opens" false
  fi
  wine_stop
else
  echo "SKIP usbprep64.exe checks: build/win64 has no usbprep64.exe or test library"
  skipped=$((skipped + 1))
fi

# ---- setup.exe ----------------------------------------------------------

# An installation medium in DIR with the programs of this build.
make_medium() {
  local dir="$1"
  rm -rf "$dir"
  mkdir -p "$dir/drivers/amd64" "$dir/drivers/x86"
  cp "$build/setup.exe" "$root/packaging/setuplist.txt" "$dir/"
  cp "$build/balancer-demo.exe" "$dir/balancer.exe"
  cp "$build/balancer.chm" "$dir/"
  cp "$root/packaging/drivers/ZerOziZur.inf" "$dir/drivers/"
  cp "$build/usbprep64.exe" "$dir/drivers/amd64/"
  cp "$build/usbprep64.exe" "$dir/drivers/x86/usbprep32.exe"
  cp "$root/packaging/samples/"* "$dir/"
}

# Starts setup.exe from the medium DIR (its current folder); sets inst and
# inst_pid.
start_setup() {
  local dir="$1"
  (cd "$dir" && exec "$WINE64" setup.exe >/dev/null 2>&1) &
  inst_pid=$!
  inst="$(wait_for_window "Balancer Setup" 60 || true)"
  wait_settled
}

echo "== setup.exe: install from the medium into a fresh prefix"
if [[ "$dist_parts" != *" setup "* ]]; then
  :
elif [ -f "$build/setup.exe" ]; then
  medium="$(mktemp -d /tmp/balancer-medium.XXXXXX)"
  make_medium "$medium"
  # Wine links the Windows desktop to the home folder: a home of its own
  # keeps the desktop copy out of the real one.
  saved_home="$HOME"
  export HOME="$medium.home"
  mkdir -p "$HOME/Desktop"
  wine_start "" 1280x720x24
  rm -rf "$(program_folder)"
  # A balancer already running: setup must close it first.
  mkdir -p "$(program_folder)"
  write_default_settings
  start_program balancer-demo.exe
  running="$(wait_for_window "Vidoduz Azavodad" 90 || true)"
  demo_pid=$app_pid
  wait_settled
  start_setup "$medium"
  check "setup: window 'Balancer Setup' opens" test -n "$inst"
  check "setup: the running balancer was closed first" program_ended "$demo_pid"
  if [ -n "$inst" ]; then
    check "setup: borderless 600x450" test "$(window_geometry "$inst" | cut -d' ' -f3,4)" = "600 450"
    screenshot "$shots/setup-choose.png"
    popup_click "$inst" 225 390  # Install with no version chosen
    check "setup: Install without a version asks for one ('Attention')" \
      answer_message "Attention" "$shots/setup-no-version.png"
    popup_click "$inst" 420 260  # the wide version
    check "setup: version 2 framed in red" \
      wait_until 5 version_2_framed "$inst" "$shots/setup-version-2.png"
    popup_click "$inst" 225 390  # Install
    prep="$(wait_for_window "Balancer Setup" 60 || true)"
    # The files are in place once setup has ended (it starts the
    # pre-installer last).
    program_ended "$inst_pid" >/dev/null
    c="$WINEPREFIX/drive_c/balancer"
    check "setup: folders made" test -d "$c/drivers/amd64" -a -d "$c/drivers/x86"
    check "setup: balancer.exe copied" cmp -s "$medium/balancer.exe" "$c/balancer.exe"
    check "setup: the manual copied" cmp -s "$medium/balancer.chm" "$c/balancer.chm"
    check "setup: driver package and pre-installers copied" \
      test -f "$c/drivers/ZerOziZur.inf" -a -f "$c/drivers/amd64/usbprep64.exe"
    check "setup: sample files copied" test -f "$c/bwinfo.txt" -a -f "$c/sensormap.dta"
    check "setup: the operator's settings kept" test -f "$c/balsetup.dta"
    check "setup: the desktop copy" \
      test -n "$(ls "$WINEPREFIX"/drive_c/users/*/Desktop/Balancer.exe 2>/dev/null)"
    check "setup: ends after starting the pre-installer" program_ended "$inst_pid"
    check "setup: the 64-bit pre-installer started" test -n "$(wine_pids_of usbprep64.exe)"
    screenshot "$shots/setup-started-usbprep.png"
  fi
  wine_stop

  echo "== setup.exe: the list-file errors and a failed pre-installer start"
  wine_start "" 1280x720x24
  rm -f "$medium/setuplist.txt"
  start_setup "$medium"
  popup_click "$inst" 150 270
  popup_click "$inst" 225 390
  check "setup: missing list gives 'ERROR'" answer_message "ERROR" "$shots/setup-list-missing.png"
  check "setup: closes after the missing list" program_ended "$inst_pid"
  head -6 "$root/packaging/setuplist.txt" >"$medium/setuplist.txt"
  printf '00510\nc:\\balancer\n' >>"$medium/setuplist.txt"
  start_setup "$medium"
  popup_click "$inst" 150 270
  popup_click "$inst" 225 390
  check "setup: folder section to the end gives 'ERROR'" \
    answer_message "ERROR" "$shots/setup-list-broken.png"
  check "setup: closes after the list error" program_ended "$inst_pid"
  # No pre-installer on the disk: its start fails and is reported.
  head -6 "$root/packaging/setuplist.txt" >"$medium/setuplist.txt"
  printf '00510\nc:\\balancer\n10510\nbwinfo.txt\nc:\\balancer\\bwinfo.txt\n' >>"$medium/setuplist.txt"
  rm -rf "$WINEPREFIX/drive_c/balancer/drivers"
  start_setup "$medium"
  popup_click "$inst" 150 270
  popup_click "$inst" 225 390
  wait_for_window "Please Wait" 20 >/dev/null && screenshot "$shots/setup-please-wait.png"
  check "setup: a failed pre-installer start gives 'ERROR'" \
    answer_message "ERROR" "$shots/setup-preinstaller-failed.png"
  check "setup: only the listed file was copied" test -f "$WINEPREFIX/drive_c/balancer/bwinfo.txt"
  program_ended "$inst_pid" >/dev/null || true

  # Before Vista: the warning window and Success instead of the pre-installer.
  "$WINE64" winecfg -v winxp64 >/dev/null 2>&1
  cp "$root/packaging/setuplist.txt" "$medium/setuplist.txt"
  start_setup "$medium"
  popup_click "$inst" 150 270
  popup_click "$inst" 225 390
  warning="$(wait_for_window "Warning" 30 || true)"
  check "setup (Windows XP): the 'Warning' window with the notice" test -n "$warning"
  if [ -n "$warning" ]; then
    settled_screenshot "$shots/setup-warning-xp.png"
    check "setup (Windows XP): the Vista-only pre-installers were not copied" \
      test ! -f "$WINEPREFIX/drive_c/balancer/drivers/amd64/usbprep64.exe"
    installer_click "$warning" 300 375
    check "setup (Windows XP): OK says 'Success'" answer_message "Success" "$shots/setup-success-xp.png"
  fi
  program_ended "$inst_pid" >/dev/null || true
  wine_stop
  export HOME="$saved_home"
  rm -rf "$medium" "$medium.home"
else
  echo "SKIP setup.exe checks: build/win64 has no setup.exe"
  skipped=$((skipped + 1))
fi

# ---- the software update ------------------------------------------------

# A loopback HTTPS server in DIR on a free port with a test certificate;
# sets update_port and update_server_pid.
start_update_server() {
  local dir="$1"
  update_port="$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')"
  python3 - "$dir" "$update_port" >/dev/null 2>&1 <<'PY' &
import functools, http.server, ssl, sys
root, port = sys.argv[1], int(sys.argv[2])
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=root + "/www")
server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(root + "/cert.pem", root + "/key.pem")
server.socket = context.wrap_socket(server.socket, server_side=True)
server.serve_forever()
PY
  update_server_pid=$!
  wait_until 10 bash -c "echo >/dev/tcp/127.0.0.1/$update_port" 2>/dev/null
}

# The version file the server offers.
serve_version() {
  printf '%b' "$1" >"$update_dir/www/redezar/dlu/versionv8.dta"
}

# The untitled message window at GEOMETRY ("X Y W H") appears; answered by
# Enter after a screenshot SHOT.
untitled_message() {
  local geometry="$1" shot="$2" id found=""
  for _ in $(seq 1 40); do
    for id in $(xdotool search --name '^$' 2>/dev/null); do
      if [ "$(window_geometry "$id")" = "$geometry" ]; then found="$id"; fi
    done
    [ -n "$found" ] && break
    sleep 0.5
  done
  [ -n "$found" ] || return 1
  settled_screenshot "$shot"
  xdotool key Return >/dev/null 2>&1
  wait_settled
}

# The "Update" offer (700 units wide; xdotool's name search ignores case, so
# the progress window "update" matches too); prints its id.
offer_window() {
  local id
  for _ in $(seq 1 60); do
    for id in $(xdotool search --name '^Update$' 2>/dev/null); do
      if [ "$(window_geometry "$id" | cut -d' ' -f3)" = 700 ]; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.5
  done
  return 1
}

if ! declare -F window_gone >/dev/null; then
  window_gone() { [ -z "$(xdotool search --name "^$1\$" 2>/dev/null)" ]; }
fi

# Machine Setup's "Update Software".
press_update() {
  click_client "$setup" $(setup_button 1 0) 1.0
}

echo "== Software update against a loopback HTTPS server"
if [[ "$dist_parts" != *" update "* ]]; then
  :
elif [ -f "$helpers/trust_cert.exe" ] && command -v openssl >/dev/null; then
  update_dir="$(mktemp -d /tmp/balancer-update.XXXXXX)"
  mkdir -p "$update_dir/www/redezar/dlu"
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=localhost" \
    -addext "subjectAltName=IP:127.0.0.1,DNS:localhost" \
    -addext "basicConstraints=critical,CA:TRUE" \
    -keyout "$update_dir/key.pem" -out "$update_dir/cert.pem" >/dev/null 2>&1
  openssl x509 -in "$update_dir/cert.pem" -outform der -out "$update_dir/cert.der"
  cp "$helpers/ran_recorder.exe" "$update_dir/www/redezar/dlu/updatev8.exe"
  start_update_server "$update_dir"

  wine_start "" 1280x720x24
  check "update: the prefix trusts the test certificate" \
    wine_run "$helpers/trust_cert.exe" "$(winepath -w "$update_dir/cert.der" 2>/dev/null)"
  write_default_settings
  # By name: Wine matches the certificate's name, not its address.
  printf 'https://localhost:%s\n' "$update_port" >"$(program_folder)/updateserver.txt"
  if ! declare -F setup_button >/dev/null; then
    eval "$(sed -n '/^kSetupClient=/p;/^kSettingsButton=/p;/^setup_button()/,/^}/p;/^measure_frame()/,/^}/p;/^click_client()/,/^}/p;/^open_setup_by_button()/,/^}/p' "$root/scripts/e2e/setup_screens.sh")"
  fi
  if start_demo && open_setup_by_button 1.0; then
    measure_frame "$setup" 1.0
    # 31: already the latest.
    serve_version '31\nNothing new.'
    press_update
    check "update: release 31 is the latest (untitled message)" \
      untitled_message "390 270 500 140" "$shots/update-latest.png"
    # 32 with one line of notes: offered; UPDATE starts the installer.
    serve_version '32\nFaster spins and a new engine list.'
    press_update
    offer="$(offer_window || true)"
    check "update: release 32 is offered" test -n "$offer"
    if [ -n "$offer" ]; then
      settled_screenshot "$shots/update-offer.png"
      check "update: the offer is 235 units tall (5 newlines)" \
        test "$(window_geometry "$offer" | cut -d' ' -f4)" = 235
      xdotool key Return >/dev/null 2>&1
      check "update: the downloaded installer ran" \
        wait_until 30 test -f "$(program_folder)/installer-ran.txt"
      check "update: Machine Setup closed for the installer" \
        wait_until 10 window_gone "Machine Setup"
    fi
    # 40 lines of notes: 675 units, not 900.
    open_setup_by_button 1.0
    serve_version "40\n$(for i in $(seq 1 40); do printf 'Note line %d\\n' "$i"; done)"
    press_update
    offer="$(offer_window || true)"
    if [ -n "$offer" ]; then
      settled_screenshot "$shots/update-offer-40-lines.png"
      check "update: 40 lines of notes give a 675-unit window" \
        test "$(window_geometry "$offer" | cut -d' ' -f4)" = 675
      xdotool key n >/dev/null 2>&1
      wait_settled
      check "update: CANCEL gives Machine Setup back" window_open "Machine Setup"
    else
      check "update: 40 lines offered" false
    fi
    # The server down: the download error.
    kill "$update_server_pid" 2>/dev/null
    wait "$update_server_pid" 2>/dev/null
    press_update
    check "update: server down gives the download error" \
      answer_message "Error" "$shots/update-download-error.png"
    # A plain-http server address is refused outright.
    printf 'http://127.0.0.1:%s\n' "$update_port" >"$(program_folder)/updateserver.txt"
    # Machine Setup first (Esc), then the program, so the next start reads the file.
    xdotool windowfocus --sync "$setup" >/dev/null 2>&1 || true
    xdotool key Escape >/dev/null 2>&1
    wait_window_gone "Machine Setup"
    close_program "$main" >/dev/null || true
    python3 -m http.server --bind 127.0.0.1 "$update_port" --directory "$update_dir/www" \
      >"$update_dir/plain.log" 2>&1 &
    plain_pid=$!
    rm -f "$(program_folder)/installer-ran.txt"
    if start_demo && open_setup_by_button 1.0; then
      serve_version '40\nplain'
      press_update
      check "update: a plain-http server address gives the download error" \
        answer_message "Error" "$shots/update-plain-http-refused.png"
      check "update: the plain-http server was never asked" \
        test -z "$(grep GET "$update_dir/plain.log")"
    fi
    kill "$plain_pid" 2>/dev/null
    wait "$plain_pid" 2>/dev/null
    close_program "$main" >/dev/null || true
  else
    check "update: demo and Machine Setup open" false
  fi
  kill "$update_server_pid" 2>/dev/null || true
  wine_stop
  rm -rf "$update_dir"
else
  echo "SKIP update checks: no trust_cert.exe or openssl"
  skipped=$((skipped + 1))
fi
