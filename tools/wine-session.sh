#!/usr/bin/env bash
# Sourced by the test and demo scripts: starts a private Xvfb display and a persistent
# wineserver on a prefix inside the build tree, and stops both when the shell exits.
# Xvfb picks a free display number itself and reports it (-displayfd), so two runs started
# together can never share a display. Wine's daemons get no inherited pipes, or ctest would
# wait for them.
wine_session_start() {
  local prefix
  prefix=$(realpath -m "$1") # Wine wants an absolute prefix
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  local reported
  reported=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$reported" </dev/null >/dev/null 2>&1 &
  WINE_SESSION_XVFB=$!
  trap wine_session_stop EXIT
  local display=""
  for _ in $(seq 100); do
    display=$(head -n 1 "$reported" 2>/dev/null || true)
    [ -n "$display" ] && break
    kill -0 "$WINE_SESSION_XVFB" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$reported"
  if [ -z "$display" ]; then
    echo "Xvfb did not report a display within 10 s." >&2
    return 1
  fi
  export DISPLAY=":$display"
  WINE_SESSION_SERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)
  "$WINE_SESSION_SERVER" -p </dev/null >/dev/null 2>&1
  timeout 300 wine wineboot </dev/null >/dev/null 2>&1 || true
  # No window manager runs on this display. Windows Wine believes managed wait two seconds
  # for one whenever they are hidden or destroyed; unmanaged ones do not.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
}

wine_session_stop() {
  [ -n "${WINE_SESSION_SERVER:-}" ] && "$WINE_SESSION_SERVER" -k </dev/null >/dev/null 2>&1 || true
  [ -n "${WINE_SESSION_XVFB:-}" ] && kill "$WINE_SESSION_XVFB" 2>/dev/null || true
  WINE_SESSION_SERVER= WINE_SESSION_XVFB=
}
