#!/usr/bin/env bash
# Sourced by the test and demo scripts: starts a private Xvfb display and a persistent
# wineserver on a prefix inside the build tree, and stops both when the shell exits.
# Wine's daemons get no inherited pipes, or ctest would wait for them.
wine_session_start() {
  local prefix=$1
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  local display
  for display in $(seq 91 150); do
    [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ] || break
  done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  WINE_SESSION_XVFB=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  WINE_SESSION_SERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)
  trap wine_session_stop EXIT
  "$WINE_SESSION_SERVER" -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1 || true
}

wine_session_stop() {
  [ -n "${WINE_SESSION_SERVER:-}" ] && "$WINE_SESSION_SERVER" -k </dev/null >/dev/null 2>&1 || true
  [ -n "${WINE_SESSION_XVFB:-}" ] && kill "$WINE_SESSION_XVFB" 2>/dev/null || true
  WINE_SESSION_SERVER= WINE_SESSION_XVFB=
}
