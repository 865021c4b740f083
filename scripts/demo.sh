#!/usr/bin/env bash
# `make run` without a screen: a short demonstration session on Xvfb. The real program is driven from
# outside (user name, password, "Gerar", "Copiar"), the three lines are printed from the clipboard, and a
# screenshot of the window with its result is saved.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
markers="$build/demo"
shot="$build/corvalin-demo.png"
rm -rf "$markers"
mkdir -p "$markers"

run_demo() {
  "$here/wine-env.sh" exec "$build/tools/demo/corvalin_demo.exe" "Z:${build//\//\\}\\Corvalin.exe" \
    "Z:${markers//\//\\}" &
  local demo=$!
  for _ in $(seq 1 1200); do
    [ -e "$markers/ready" ] && break
    kill -0 "$demo" 2>/dev/null || break
    sleep 0.1
  done
  if [ -e "$markers/ready" ]; then
    # The window alone: its rectangle, which the demonstration wrote into the marker, cut from the screen.
    import -window root -crop "$(head -n 1 "$markers/ready")" +repage "$shot"
    echo "Screenshot: $shot"
  fi
  touch "$markers/done"
  wait "$demo"
}

cmake --build "$build" --target corvalin_demo >/dev/null
export -f run_demo
export here build markers shot
"$here/wine-env.sh" --build "$build" session bash -c run_demo
