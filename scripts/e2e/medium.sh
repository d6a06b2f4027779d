# Sourced by scripts/wine-tests.sh: the installation medium as it ships
# (build/release, from scripts/package), run in the Windows it is for.
#
#   medium_win32  setup.exe into a fresh 32-bit prefix: it asks
#                 IsWow64Process and starts usbprep32.exe, which stages the
#                 driver package with the system's SetupCopyOEMInfA (no driver
#                 install library, as on a real PC) through its three states;
#                 a second run with a 32-bit stand-in library shows the
#                 library is asked first; the installed balancer.exe starts
#                 and shows its main window
#   medium_wow64  the same 32-bit setup.exe in a 64-bit prefix: it starts
#                 usbprep64.exe, and the 32-bit balancer.exe runs there too
#   medium_xp     a 32-bit prefix set to Windows XP: the XP branch (no
#                 pre-installer, its Warning window, then "Success")
#
# A 32-bit program that fails to load under Wine can end with status 0 and
# print nothing, so every check waits for a window or a file.

medium="${BALANCER_MEDIUM:-$root/build/release}"
source "$root/scripts/e2e/installer.sh"

medium_ready() {
  test -f "$medium/setup.exe" -a -f "$medium/balancer.exe" -a -f "$medium/setuplist.txt" \
    -a -f "$medium/drivers/x86/usbprep32.exe" -a -f "$medium/drivers/amd64/usbprep64.exe"
}

# PE32 (32-bit) or PE32+ (64-bit) of a program.
pe_bits() {
  case "$(objdump -p "$1" 2>/dev/null | awk '/^Magic/ {print $2}')" in
    010b) echo 32 ;;
    020b) echo 64 ;;
    *) echo unknown ;;
  esac
}

# A 32-bit stand-in for the driver install library (answers 0 after a
# moment, notes the call), made from the Windows-side test helper's source.
difx_stand_in32() {
  local out="$1"
  i686-w64-mingw32-g++-win32 -O2 -shared -static -Wl,--kill-at -DDIFX_STUB_RESULT=0 \
    "$root/tests/win32/helpers/difx_stub.cpp" -o "$out" >/dev/null 2>&1
}

# A session of its own: a fresh prefix of ARCH (win32 or win64) on a
# 1280x720 screen, with a home of its own for the desktop copy. Only the
# library beside a pre-installer counts, never Wine's own, in every program
# started from here (setup.exe passes its environment on).
medium_session() {
  medium_home="$(mktemp -d /tmp/balancer-medium-home.XXXXXX)"
  medium_saved_home="$HOME"
  export HOME="$medium_home"
  mkdir -p "$HOME/Desktop"
  wine_start "" 1280x720x24 "$1"
  export WINEDLLOVERRIDES="mscoree,mshtml=;difxapi=n"
}

medium_session_end() {
  wine_stop
  export HOME="$medium_saved_home"
  rm -rf "$medium_home"
}

# Starts setup.exe from the medium (its current folder), chooses version 1
# and presses Install; sets inst and inst_pid. True when its window came.
medium_install() {
  (cd "$medium" && exec "$WINE_LOADER" setup.exe >/dev/null 2>&1) &
  inst_pid=$!
  inst="$(wait_for_window "Balancer Setup" 60 || true)"
  [ -n "$inst" ] || return 1
  wait_settled
  popup_click "$inst" 150 270
  popup_click "$inst" 225 390
}

# Waits for the pre-installer's window (the installer's own has gone by then).
preinstaller_window() {
  local id
  for _ in $(seq 1 60); do
    if ! kill -0 "$inst_pid" 2>/dev/null; then
      id="$(xdotool search --name '^Balancer Setup$' 2>/dev/null | head -1 || true)"
      if [ -n "$id" ]; then
        echo "$id"
        return 0
      fi
    fi
    sleep 0.5
  done
  return 1
}


# Walks the pre-installer window PREP (process PID) from Unplug to Success;
# screenshots named NAME-unplug/-finished/-success.
walk_preinstaller() {
  local prep="$1" pid="$2" name="$3"
  usbprep_finished "$prep" "$shots/$name-unplug.png" && return 1
  installer_click "$prep" 300 375
  wait_until 30 usbprep_finished "$prep" "$shots/$name-finished.png" || return 1
  installer_click "$prep" 300 375
  answer_message "Success" "$shots/$name-success.png" || return 1
  program_ended "$pid"
}

# Starts the installed balancer.exe and waits for its main window; true when
# it came. Answers the fresh install's settings warning first.
start_installed_balancer() {
  local shot="$1"
  (cd "$(program_folder)" && exec "$WINE_LOADER" 'C:\balancer\balancer.exe' >/dev/null 2>&1) &
  app_pid=$!
  main="$(wait_for_window "Vidoduz Azavodad" 90 || true)"
  [ -n "$main" ] || return 1
  answer_message "Check Machine Settings" "$shots/$shot-settings-warning.png" || return 1
  # No control: the 'not found' notice, then the main window on its own.
  answer_message "Attention" || return 1
  settled_screenshot "$shots/$shot-main.png"
}

medium_win32() {
  echo "== the medium in a 32-bit Windows: setup.exe, usbprep32.exe, balancer.exe"
  medium_session win32
  local c
  c="$(program_folder)"
  rm -rf "$c"
  check "32-bit prefix: Windows has no WOW64 folder" test ! -d "$WINEPREFIX/drive_c/windows/syswow64"
  check "32-bit setup: window opens and Install runs" medium_install
  screenshot "$shots/medium32-setup-installing.png"
  prep="$(preinstaller_window || true)"
  check "32-bit setup: balancer.exe copied from the medium" cmp -s "$medium/balancer.exe" "$c/balancer.exe"
  check "32-bit setup: the 32-bit pre-installer started (IsWow64Process: no)" \
    test -n "$(wine_pids_of usbprep32.exe)" -a -z "$(wine_pids_of usbprep64.exe)"
  check "32-bit setup: the pre-installer's window opens" test -n "$prep"
  if [ -n "$prep" ]; then
    prep_pid="$(wine_pids_of usbprep32.exe | head -1)"
    check "usbprep32 without the driver library: unplug, finished, 'Success'" \
      walk_preinstaller "$prep" "$prep_pid" usbprep32
    check "usbprep32 without the driver library: SetupCopyOEMInfA staged the package" package_staged
  fi

  # With the library beside it, the library's call comes first.
  local x86="$c/drivers/x86"
  if difx_stand_in32 "$x86/DIFxAPI.dll"; then
    rm -f "$c/difx-call.txt"
    (cd "$x86" && exec "$WINE_LOADER" 'C:\balancer\drivers\x86\usbprep32.exe' >/dev/null 2>&1) &
    prep_pid=$!
    prep="$(wait_for_window "Balancer Setup" 60 || true)"
    check "usbprep32 with the library: window opens" test -n "$prep"
    if [ -n "$prep" ]; then
      wait_settled
      installer_click "$prep" 300 375
      screenshot "$shots/usbprep32-installing.png"
      check "usbprep32 with the library: DriverPackagePreinstallA asked (flags 20)" \
        wait_until 20 grep -qsF 'c:\balancer\drivers\ZerOziZur.inf 20' "$c/difx-call.txt"
      wait_until 10 usbprep_finished "$prep" "$shots/.usbprep32-finished.png"
      rm -f "$shots/.usbprep32-finished.png"
      installer_click "$prep" 300 375
      check "usbprep32 with the library: 'Success'" answer_message "Success"
      program_ended "$prep_pid" >/dev/null || true
    fi
    rm -f "$x86/DIFxAPI.dll"
  else
    check "a 32-bit stand-in library builds" false
  fi

  check "32-bit balancer.exe is a 32-bit program" test "$(pe_bits "$c/balancer.exe")" = 32
  check "32-bit Windows: the installed balancer.exe shows its main window" \
    start_installed_balancer balancer32
  if [ -n "${main:-}" ]; then
    check "32-bit Windows: balancer.exe closes cleanly" close_program "$main"
    check "32-bit Windows: balancer.exe wrote its settings" settings_written
  fi
  medium_session_end
}

medium_wow64() {
  echo "== the medium in a 64-bit Windows: 32-bit setup.exe, usbprep64.exe"
  medium_session win64
  local c
  c="$(program_folder)"
  rm -rf "$c"
  check "64-bit prefix: setup.exe is a 32-bit program" test "$(pe_bits "$medium/setup.exe")" = 32
  check "64-bit setup: window opens and Install runs" medium_install
  prep="$(preinstaller_window || true)"
  check "64-bit setup: the 64-bit pre-installer started (IsWow64Process: yes)" \
    test -n "$(wine_pids_of usbprep64.exe)" -a -z "$(wine_pids_of usbprep32.exe)"
  if [ -n "$prep" ]; then
    prep_pid="$(wine_pids_of usbprep64.exe | head -1)"
    check "usbprep64 from setup: unplug, finished, 'Success'" \
      walk_preinstaller "$prep" "$prep_pid" medium64-usbprep64
    check "usbprep64 from setup: SetupCopyOEMInfA staged the package" package_staged
  else
    check "64-bit setup: the pre-installer's window opens" false
  fi
  check "64-bit Windows: the 32-bit balancer.exe shows its main window" \
    start_installed_balancer balancer32-wow64
  if [ -n "${main:-}" ]; then close_program "$main" >/dev/null || true; fi
  medium_session_end
}

xp_reported() {
  "$WINE_LOADER" reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion' /v CurrentVersion \
    2>/dev/null | grep -q '5\.1'
}

medium_xp() {
  echo "== the medium in Windows XP (32-bit)"
  medium_session win32
  "$WINE_LOADER" winecfg -v winxp >/dev/null 2>&1
  local c
  c="$(program_folder)"
  rm -rf "$c"
  check "XP prefix: Windows reports version 5.1" xp_reported
  check "XP setup: window opens and Install runs" medium_install
  warning="$(wait_for_window "Warning" 30 || true)"
  check "XP setup: the 'Warning' window instead of a pre-installer" test -n "$warning"
  if [ -n "$warning" ]; then
    settled_screenshot "$shots/medium-xp-warning.png"
    check "XP setup: no pre-installer started or copied" \
      test -z "$(wine_pids_of usbprep32.exe)" -a ! -f "$c/drivers/x86/usbprep32.exe"
    installer_click "$warning" 300 375
    check "XP setup: OK says 'Success'" answer_message "Success" "$shots/medium-xp-success.png"
  fi
  check "XP setup: balancer.exe installed" cmp -s "$medium/balancer.exe" "$c/balancer.exe"
  check "XP setup: ends" program_ended "$inst_pid"
  medium_session_end
}

if medium_ready; then
  for part in medium_win32 medium_wow64 medium_xp; do
    if wanted "$part"; then "$part"; fi
  done
else
  check "the medium is in $medium (scripts/package)" false
fi
