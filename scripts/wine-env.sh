# Sourced by the Wine scripts: a private WINEPREFIX and an Xvfb display.
wine_start() {
  export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$(mktemp -d /tmp/balancer-wine.XXXXXX)}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ -z "${DISPLAY:-}" ] || [ -n "${BALANCER_FORCE_XVFB:-}" ]; then
    local n=$(( 90 + RANDOM % 400 ))
    Xvfb ":$n" -screen 0 "${XVFB_SCREEN:-1280x720x24}" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    sleep 1
  fi
  wineboot -i >/dev/null 2>&1 || true
}
wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
