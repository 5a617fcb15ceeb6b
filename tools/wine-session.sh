#!/usr/bin/env bash
# Sourced by the test and demo scripts: starts a private Xvfb display and a persistent
# wineserver on a prefix inside the build tree (64-bit Windows), and on a second one of
# 32-bit Windows when asked, and stops them all when the shell exits. Xvfb picks a free
# display number itself and reports it (-displayfd), so two runs started together can
# never share a display. Wine's daemons get no inherited pipes, or ctest would wait for them.
#   wine_session_start <prefix> [<prefix of 32-bit Windows>]
# On a kernel that runs no 32-bit programs, `wine` is Wine's 64-bit loader, and no prefix of
# 32-bit Windows can be made: the second prefix is left out.
source "$(dirname "${BASH_SOURCE[0]}")/build-common.sh"

# A prefix made before Wine's 32-bit part was installed cannot start any program after it
# ("could not load kernel32.dll"), and wineboot does not mend it: a prefix carries a mark
# of the Wine it was made with, and one without the mark is made again.
WINE_SESSION_PREFIXES=()

wine_prefix_ready() {
  local prefix=$1 arch=$2 mark
  mark="$(dpkg-query -W -f='${Version}' wine 2>/dev/null) $arch wine32:$(dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -c 'install ok installed')"
  runs_32bit_programs || mark+=" without-32-bit-programs"
  # A prefix of the wrong architecture is made again too.
  if [ -d "$prefix" ] && { [ "$(cat "$prefix/.autorun-made-with" 2>/dev/null)" != "$mark" ] ||
                           ! grep -q "^#arch=$arch" "$prefix/system.reg" 2>/dev/null; }; then
    echo "The Wine prefix $prefix was made by another Wine or for another Windows; making it again." >&2
    WINEPREFIX=$prefix "$WINE_SESSION_SERVER" -k </dev/null >/dev/null 2>&1 || true
    rm -rf "$prefix"
  fi
  if [ ! -f "$prefix/system.reg" ]; then
    # Wine takes WINEARCH only when it makes the prefix's folder itself, before any server
    # has run in it; that server ends once the prefix is made.
    rm -rf "$prefix"
    WINEPREFIX=$prefix WINEARCH=$arch timeout 300 wine wineboot </dev/null >/dev/null 2>&1 || true
    WINEPREFIX=$prefix timeout 60 "$WINE_SESSION_SERVER" -w </dev/null >/dev/null 2>&1 || true
  fi
  WINEPREFIX=$prefix "$WINE_SESSION_SERVER" -p </dev/null >/dev/null 2>&1
  WINEPREFIX=$prefix timeout 300 wine wineboot </dev/null >/dev/null 2>&1 || true
  echo "$mark" > "$prefix/.autorun-made-with"
  # No window manager runs on this display. Windows Wine believes managed wait two seconds
  # for one whenever they are hidden or destroyed; unmanaged ones do not.
  WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
  # A program that crashes ends at once instead of waiting, until its deadline, behind Wine's
  # crash dialog that nobody sees.
  WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    </dev/null >/dev/null 2>&1 || true
}

wine_session_start() {
  local prefix prefix32=""
  prefix=$(realpath -m "$1") # Wine wants an absolute prefix
  [ -n "${2:-}" ] && prefix32=$(realpath -m "$2")
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
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
  if ! runs_32bit_programs; then
    # Debian's `wine` starts the 32-bit loader whenever Wine's 32-bit part is installed.
    WINE_SESSION_SHIM=$(mktemp -d)
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' > "$WINE_SESSION_SHIM/wine"
    chmod +x "$WINE_SESSION_SHIM/wine"
    export PATH="$WINE_SESSION_SHIM:$PATH" WINELOADER=/usr/lib/wine/wine64
    prefix32=""
  fi
  WINE_SESSION_SERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)
  WINE_SESSION_PREFIXES=("$prefix")
  wine_prefix_ready "$prefix" win64
  if [ -n "$prefix32" ]; then
    WINE_SESSION_PREFIXES+=("$prefix32")
    wine_prefix_ready "$prefix32" win32
  fi
}

wine_session_stop() {
  local prefix
  for prefix in "${WINE_SESSION_PREFIXES[@]}"; do
    [ -n "${WINE_SESSION_SERVER:-}" ] && WINEPREFIX=$prefix "$WINE_SESSION_SERVER" -k </dev/null >/dev/null 2>&1 || true
  done
  WINE_SESSION_PREFIXES=()
  [ -n "${WINE_SESSION_XVFB:-}" ] && kill "$WINE_SESSION_XVFB" 2>/dev/null || true
  [ -n "${WINE_SESSION_SHIM:-}" ] && rm -rf "$WINE_SESSION_SHIM"
  WINE_SESSION_SERVER= WINE_SESSION_XVFB= WINE_SESSION_SHIM=
}
