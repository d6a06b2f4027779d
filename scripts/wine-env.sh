# Sourced by the Wine scripts: a private WINEPREFIX and, when there is no
# display (or BALANCER_FORCE_XVFB is set), a private Xvfb screen.
#
#   wine_start [PREFIX [SCREEN [ARCH]]]  PREFIX "" = a fresh temporary prefix;
#                                  SCREEN e.g. 1280x720x24 (the default);
#                                  ARCH win32 = a 32-bit Windows (wine32),
#                                  else a 64-bit one that runs both
#   wine_stop                      ends the prefix's wineserver and the Xvfb
#   wine_run ARGS...               runs a Windows program in the prefix
#
# WINE_TEMPLATE_ROOT, when set, is a folder for prefixes set up once: a fresh
# prefix is then a copy of the one for its arch, which takes a moment where
# setting one up takes many seconds. Wine links a prefix's user folders into
# the home folder, so a session with a home of its own sets its prefix up.
#
# WINE64 is the 64-bit loader (Debian keeps it out of PATH), WINE32 the
# 32-bit one; WINE_LOADER is the one of the running prefix.

WINE64="${WINE64:-$(command -v wine64 || true)}"
if [ -z "$WINE64" ] && [ -x /usr/lib/wine/wine64 ]; then WINE64=/usr/lib/wine/wine64; fi
if [ -z "$WINE64" ]; then WINE64="$(command -v wine || echo wine)"; fi
WINE32="${WINE32:-}"
if [ -z "$WINE32" ] && [ -x /usr/lib/wine/wine ]; then WINE32=/usr/lib/wine/wine; fi
if [ -z "$WINE32" ]; then WINE32="$(command -v wine || echo wine)"; fi
WINESERVER="${WINESERVER:-$(command -v wineserver || echo wineserver)}"
WINE_LOADER="$WINE64"

WINE_TEMP_PREFIX=""
XVFB_PID=""
WINE_TEMPLATE_HOME="$HOME"

# True when PREFIX has its system files.
wine_prefix_complete() {
  [ -f "$1/drive_c/windows/system32/kernel32.dll" ]
}

# Prints the set-up prefix in WINE_TEMPLATE_ROOT for this arch, setting it
# up first; prints nothing when it cannot be set up.
wine_template() {
  local dir="$WINE_TEMPLATE_ROOT/${WINEARCH:-win64}"
  if ! wine_prefix_complete "$dir"; then
    rm -rf "$dir"
    mkdir -p "$dir"
    WINEPREFIX="$dir" "$WINE_LOADER" wineboot -i >/dev/null 2>&1 || true
    # Its wineserver writes the registry out when it ends by itself.
    if ! WINEPREFIX="$dir" timeout 120 "$WINESERVER" -w >/dev/null 2>&1; then
      WINEPREFIX="$dir" "$WINESERVER" -k >/dev/null 2>&1 || true
    fi
    if ! wine_prefix_complete "$dir" || [ ! -s "$dir/system.reg" ] || [ ! -s "$dir/user.reg" ]; then
      rm -rf "$dir"
      return 0
    fi
  fi
  echo "$dir"
}

wine_start() {
  local prefix="${1:-}"
  local screen="${2:-1280x720x24}"
  if [ "${3:-}" = win32 ]; then
    export WINEARCH=win32
    WINE_LOADER="$WINE32"
  else
    unset WINEARCH
    WINE_LOADER="$WINE64"
  fi
  if [ -z "$prefix" ]; then
    prefix="$(mktemp -d /tmp/balancer-wine.XXXXXX)"
    WINE_TEMP_PREFIX="$prefix"
  fi
  mkdir -p "$prefix"
  export WINEPREFIX="$prefix"
  export WINEDEBUG=-all
  # No Mono or Gecko install prompts.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  XVFB_PID=""
  if [ -z "${DISPLAY:-}" ] || [ -n "${BALANCER_FORCE_XVFB:-}" ]; then
    local fdfile
    fdfile="$(mktemp /tmp/balancer-xvfb.XXXXXX)"
    # -displayfd picks a free display number and reports it.
    Xvfb -displayfd 9 -screen 0 "$screen" -nolisten tcp 9>"$fdfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    local n=""
    for _ in $(seq 1 100); do
      n="$(tr -dc '0-9' <"$fdfile")"
      [ -n "$n" ] && break
      sleep 0.1
    done
    rm -f "$fdfile"
    if [ -z "$n" ]; then
      echo "Xvfb did not start" >&2
      return 1
    fi
    export DISPLAY=":$n"
  fi
  if [ -n "$WINE_TEMP_PREFIX" ] && [ -n "${WINE_TEMPLATE_ROOT:-}" ] &&
    [ "$HOME" = "$WINE_TEMPLATE_HOME" ]; then
    local template
    template="$(wine_template)"
    if [ -n "$template" ]; then cp -a "$template/." "$WINEPREFIX/"; fi
  fi
  # A prefix made on a busy machine can come out without its system files;
  # make it again rather than fail every check after it.
  local attempt
  for attempt in 1 2 3; do
    "$WINE_LOADER" wineboot -i >/dev/null 2>&1 || true
    wine_prefix_complete "$WINEPREFIX" && break
    echo "wine_start: the prefix has no system files (attempt $attempt)" >&2
    "$WINESERVER" -k >/dev/null 2>&1 || true
  done
  if [ -n "$XVFB_PID" ]; then
    # Without a window manager Wine would wait for one on every hide and
    # destroy; unmanaged windows behave as on a plain desktop.
    "$WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  fi
  mkdir -p "$WINEPREFIX/drive_c/balancer"
}

wine_run() {
  "$WINE_LOADER" "$@"
}

wine_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then "$WINESERVER" -k >/dev/null 2>&1 || true; fi
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
  if [ -n "$WINE_TEMP_PREFIX" ]; then
    "$WINESERVER" -w >/dev/null 2>&1 || true
    rm -rf "$WINE_TEMP_PREFIX"
    WINE_TEMP_PREFIX=""
  fi
  unset WINEARCH
  WINE_LOADER="$WINE64"
}

# Pids of the processes running PROGRAM (an .exe name) in this prefix.
wine_pids_of() {
  local program="$1" pid
  for pid in $(pgrep -f "$program" 2>/dev/null || true); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
    fi
  done
}

# Waits up to SECONDS for an X window titled NAME; prints its id.
wait_for_window() {
  local name="$1" end id=""
  end=$((${EPOCHREALTIME//[!0-9]/} + ${2:-60} * 1000000))
  while :; do
    id="$(xdotool search --name "^$name\$" 2>/dev/null | head -1 || true)"
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    [ "${EPOCHREALTIME//[!0-9]/}" -lt "$end" ] || return 1
    sleep 0.2
  done
}

# Screenshot of the whole screen as PNG.
screenshot() {
  mkdir -p "$(dirname "$1")"
  import -display "$DISPLAY" -window root "$1"
}
