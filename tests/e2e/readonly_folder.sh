#!/usr/bin/env bash
# A folder that its user cannot write to, holding a copy of Corvalin, as when the program has been copied
# into Program Files.
#
#   readonly_folder.sh setup FOLDER EXE   make FOLDER hold a copy of EXE, then make it read-only
#   readonly_folder.sh cleanup FOLDER     undo it and remove FOLDER
#
# As root, file permissions do not stop writing, so the folder is bound read-only onto itself (or, where
# mounting is not allowed, marked immutable). If neither can be done here, the folder stays writable and
# the test that needs it says so and skips.
set -u
mode=${1:-}
folder=${2:-}
[ -n "$folder" ] || { echo "usage: $0 setup FOLDER EXE | cleanup FOLDER" >&2; exit 2; }

undo() {
  [ -d "$folder" ] || return 0
  while mountpoint -q "$folder" 2>/dev/null; do umount "$folder" 2>/dev/null || break; done
  chattr -i "$folder" 2>/dev/null || true
  chmod u+w "$folder" 2>/dev/null || true
}

case "$mode" in
  setup)
    exe=${3:?the program to copy}
    undo
    rm -rf "$folder"
    mkdir -p "$folder"
    cp "$exe" "$folder/"
    if [ "$(id -u)" -ne 0 ]; then
      chmod a-w "$folder"
    elif mount --bind "$folder" "$folder" 2>/dev/null; then
      mount -o remount,bind,ro "$folder" 2>/dev/null || { umount "$folder"; chattr +i "$folder" 2>/dev/null; }
    else
      chattr +i "$folder" 2>/dev/null || true
    fi
    if touch "$folder/.probe" 2>/dev/null; then
      rm -f "$folder/.probe"
      echo "note: $folder could not be made read-only on this machine" >&2
    fi
    exit 0
    ;;
  cleanup)
    undo
    rm -rf "$folder"
    ;;
  *)
    echo "usage: $0 setup FOLDER EXE | cleanup FOLDER" >&2
    exit 2
    ;;
esac
