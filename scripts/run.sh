#!/usr/bin/env bash
# Starts Corvalin under Wine, with the substitute PowerShell console installed in the project's prefix.
# Without a display it runs a short demonstration instead (see scripts/demo.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
if [ -z "${DISPLAY:-}" ] && [ -f "$here/demo.sh" ]; then
  exec bash "$here/demo.sh" "$build"
fi
exec "$here/wine-env.sh" --build "$build" session "$here/wine-env.sh" exec "$build/Corvalin.exe"
