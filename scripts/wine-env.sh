#!/usr/bin/env bash
# The one Wine environment that every run and every test of Corvalin goes through.
#
#   wine-env.sh [--build DIR] [--screen WxH] session COMMAND...  run COMMAND (a shell command, ctest, ...)
#                                                                 inside the environment
#   wine-env.sh [--build DIR] exec PROGRAM ARGS...                run a Windows program under Wine (CTest's
#                                                                 emulator)
#
# The environment: a Wine prefix inside the build tree (never ~/.wine), created once without the Mono and
# Gecko installers, with the fonts of Debian's fonts-wine in its Fonts folder; Wine's debug output
# silenced; an Xvfb display when DISPLAY is not set; one wineserver kept alive for the whole session, so
# that each program starts fast; and the substitute PowerShell console installed into the prefix in place
# of Wine's stub, when it has been built.
# `exec` outside a session opens a session of its own around the one program.
# `--screen WxH` gives a session a screen of that size: an Xvfb display of its own, even where a display is
# set, and a prefix of its own (build/wine-WxH), since all the programs of one prefix share one wineserver
# and so one display. A session started inside another one runs beside it.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=""
screen=""
while [ $# -ge 2 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --screen) screen=$2; shift 2 ;;
    *) break ;;
  esac
done
mode=${1:-}; shift || true

find_build_dir() { # the build tree that holds $1 (the directory with CMakeCache.txt)
  local d
  d=$(cd "$(dirname "$1")" && pwd)
  while [ "$d" != "/" ]; do
    [ -f "$d/CMakeCache.txt" ] && { echo "$d"; return; }
    d=$(dirname "$d")
  done
  echo "$here/../build"
}

wine_loader() { command -v wine64 2>/dev/null || echo /usr/lib/wine/wine64; }
wine_server() { command -v wineserver 2>/dev/null || echo /usr/lib/wine/wineserver; }

start_display() { # WxH
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${1}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
  export DISPLAY=":$n"
}

# Wine here does not look for fonts-wine's fonts where Debian puts them: without a copy in the prefix's
# Fonts folder, "Tahoma" and "Marlett" come back as another face, and the title-bar buttons and scroll
# arrows, which Wine draws with Marlett, show letters. A file the package has changed is copied again.
install_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  mkdir -p "$fonts"
  for font in /usr/share/wine/fonts/*.ttf; do
    [ -f "$font" ] || continue
    cmp -s "$font" "$fonts/$(basename "$font")" || cp "$font" "$fonts/"
  done
}

prepare_prefix() {
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX (once)..." >&2
    "$(wine_loader)" wineboot -i >/dev/null 2>&1 || true
    "$(wine_server)" -w
  fi
  install_fonts
  local console="$CORVALIN_BUILD/tools/powershell/powershell.exe"
  local target="$WINEPREFIX/drive_c/windows/system32/WindowsPowerShell/v1.0/powershell.exe"
  if [ -f "$console" ] && ! cmp -s "$console" "$target"; then
    mkdir -p "$(dirname "$target")"
    cp "$console" "$target"
  fi
}

# Xvfb runs no window manager. Unmanaged, Wine draws the window frames itself, and hiding a window does not
# wait two seconds for a manager that never answers. On a real desktop the manager takes them back.
set_window_management() { # Y or N
  local marker="$WINEPREFIX/.window-management"
  [ "$(cat "$marker" 2>/dev/null)" = "$1" ] && return
  if [ "$1" = N ]; then
    "$(wine_loader)" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  else
    "$(wine_loader)" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f
  fi >/dev/null 2>&1 </dev/null || true
  echo "$1" >"$marker"
}

session() {
  export CORVALIN_BUILD
  export WINEPREFIX="$CORVALIN_BUILD/wine${screen:+-$screen}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  xvfb_pid=""
  if [ -n "$screen" ]; then
    start_display "$screen"
  elif [ -z "${DISPLAY:-}" ]; then
    start_display 1600x1200
  fi
  cleanup() {
    "$(wine_server)" -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  }
  trap cleanup EXIT
  trap 'exit 130' INT TERM
  prepare_prefix
  "$(wine_server)" -p
  # Start Wine's own background processes now, detached from our output: started by the first test
  # instead, they would inherit its output pipes and keep CTest waiting after the test has ended.
  "$(wine_loader)" wineboot >/dev/null 2>&1 </dev/null || true
  if [ -n "$xvfb_pid" ]; then set_window_management N; else set_window_management Y; fi
  export CORVALIN_WINE_SESSION=1
  local rc=0
  "$@" || rc=$?
  return $rc
}

case "$mode" in
  session)
    CORVALIN_BUILD=$(cd "${build:-$here/../build}" && pwd)
    session "$@"
    ;;
  exec)
    if [ "${CORVALIN_WINE_SESSION:-}" = 1 ]; then
      exec "$(wine_loader)" "$@"
    fi
    CORVALIN_BUILD=$(cd "${build:-$(find_build_dir "$1")}" && pwd)
    session "$(wine_loader)" "$@"
    ;;
  *)
    echo "usage: $0 [--build DIR] session COMMAND... | exec PROGRAM ARGS..." >&2
    exit 2
    ;;
esac
