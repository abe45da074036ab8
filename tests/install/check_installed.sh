#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Run on a system where the package is installed: tesura-solve answers a
# puzzle, and the window, started as the menu entry starts it (in the entry's
# folder, by the entry's command), stays up without a word on standard error.
set -euo pipefail
puzzle=85...24..72......9..4.........1.7..23.5...9...4...........8..7..17..........36.4.
answer=859612437723854169164379528986147352375268914241593786432981675617425893598736241
got=$(echo "$puzzle" | tesura-solve)
[ "$got" = "$answer" ] || {
  echo "tesura-solve answered '$got'" >&2
  exit 1
}
echo "tesura-solve: $(tesura-solve --version)"

entry=/usr/share/applications/org.tesura.Tesura.desktop
folder=$(sed -n 's/^Path=//p' "$entry")
command=$(sed -n 's/^Exec=//p' "$entry")
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
cd "$folder"
status=0
# Long enough to load every tile and draw; a window still up is killed.
XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=offscreen timeout 5 $command 2>"$runtime/stderr" || status=$?
if [ "$status" -ne 124 ] || [ -s "$runtime/stderr" ]; then
  echo "the window started from $folder as '$command' ended with $status, saying:" >&2
  cat "$runtime/stderr" >&2
  exit 1
fi
echo "window: started from $folder, stayed up, said nothing"
