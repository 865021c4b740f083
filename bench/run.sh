#!/usr/bin/env bash
# Corvalin's benchmarks in one command (`make bench`): builds what they need, runs them inside the project's
# Wine environment, prints the table and writes bench/results.md with the date and the machine.
#
#   bench/run.sh [BUILD_DIR] [corvalin_bench options: --runs N --typing-runs N --typing-length N --warmups N]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
shift || true
results="$here/results.md"

cmake --build "$build" -j "${JOBS:-2}" \
  --target Corvalin powershell minimal_window minimal_window_libraries raw_window corvalin_bench

wine_loader() { command -v wine64 2>/dev/null || echo /usr/lib/wine/wine64; }
cpu=$(grep -m1 '^model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
cores=$(nproc)
memory=$(awk '/^MemTotal:/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
system=$(. /etc/os-release 2>/dev/null && echo "${PRETTY_NAME:-Linux}")
kernel=$(uname -r)
wine=$("$(wine_loader)" --version 2>/dev/null || echo unknown)
compiler=$(x86_64-w64-mingw32-g++-posix --version 2>/dev/null | head -1 || echo unknown)
started=$(date -u '+%Y-%m-%d %H:%M UTC')
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

table=$(mktemp)
trap 'rm -f "$table"' EXIT
begin=$(date +%s)
rc=0
"$root/scripts/wine-env.sh" --build "$build" session \
  "$root/scripts/wine-env.sh" exec "$build/bench/corvalin_bench.exe" "$@" >"$table" || rc=$?
seconds=$(($(date +%s) - begin))
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

{
  echo "# Corvalin benchmarks"
  echo
  echo "Written by \`make bench\` (bench/run.sh) on $started; the measuring took ${seconds} s."
  [ $# -gt 0 ] && echo "Options: \`$*\`."
  echo
  echo "| Machine | |"
  echo "|---|---|"
  echo "| CPU | $cpu |"
  echo "| Cores | $cores |"
  echo "| Memory | $memory |"
  echo "| System | $system, Linux $kernel |"
  echo "| Wine | $wine, Xvfb display started by scripts/wine-env.sh |"
  echo "| Compiler | $compiler |"
  echo "| Load average (1, 5, 15 min) | before: $load_before; after: $load_after |"
  echo
  echo "## Results"
  echo
  cat "$table"
  [ "$rc" -ne 0 ] && { echo; echo "The bench ended with exit code $rc."; }
  echo
  cat "$here/methods.md"
  if [ -f "$here/limits.md" ]; then echo; cat "$here/limits.md"; fi
} >"$results"

echo
cat "$table"
echo
echo "Written to $results (measuring took ${seconds} s)."
exit "$rc"
