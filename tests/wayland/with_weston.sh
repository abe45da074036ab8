#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The window under Weston, through Qt's Wayland platform: the journey passes,
# the window says who it is (xdg_toplevel's app id) and prints nothing else.
#   with_weston.sh headless JOURNEY [COPY]
#       Weston's headless back end, which has no seat (no keyboard focus, no
#       clipboard); its screenshot must show what the offscreen platform
#       draws, and is copied to COPY when given.
#   with_weston.sh seat JOURNEY
#       Weston in a virtual X server, whose seat gives the window the keyboard
#       focus and the clipboard: Ctrl+V too.
set -euo pipefail
mode=$1
journey=$2
copy=${3:-}
dir=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null && wait "${pids[i]}" 2>/dev/null
  done
  rm -rf "$dir"
}
trap cleanup EXIT
mkdir -m 700 "$dir/runtime" "$dir/shot"
export HOME=$dir XDG_RUNTIME_DIR=$dir/runtime
unset DISPLAY WAYLAND_DISPLAY

# Weston 12 and later name the renderer; earlier ones take --use-pixman.
renderer=--use-pixman
weston --help 2>&1 | grep -q -- '--renderer' && renderer=--renderer=pixman
backend=headless-backend.so
if [ "$mode" = seat ]; then
  backend=x11-backend.so
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
  pids+=($!)
  for _ in $(seq 100); do
    [ -s "$dir/display" ] && break
    sleep 0.1
  done
  export DISPLAY=:$(cat "$dir/display")
fi
# No fading in or dimming: the screenshot shows the window as drawn.
cat >"$dir/weston.ini" <<'INI'
[shell]
animation=none
close-animation=none
startup-animation=none
focus-animation=none
INI
# --debug lets weston-screenshooter take the picture.
weston --backend=$backend "$renderer" --width=640 --height=480 --socket=tesura-test \
  --idle-time=0 --debug --config="$dir/weston.ini" --log="$dir/weston.log" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do
  [ -S "$XDG_RUNTIME_DIR/tesura-test" ] && break
  sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/tesura-test" ] || {
  cat "$dir/weston.log" >&2
  echo "weston did not start" >&2
  exit 1
}

options=()
[ "$mode" = headless ] && options=(--seatless --screenshot "$dir/shot")
status=0
WAYLAND_DISPLAY=tesura-test QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client \
  "$journey" "${options[@]}" 2>"$dir/client.log" || status=$?
# What is not the protocol trace is the program speaking.
grep -v '^\[ *[0-9]*\.[0-9]*\] ' "$dir/client.log" >"$dir/said" || true
if [ "$status" -ne 0 ] || [ -s "$dir/said" ]; then
  echo "under Wayland the journey ended with $status, saying:" >&2
  cat "$dir/said" >&2
  exit 1
fi
grep -Eq 'xdg_toplevel[@#][0-9]+\.set_app_id\("org\.tesura\.Tesura"\)' "$dir/client.log" || {
  echo "the window did not set the app id org.tesura.Tesura" >&2
  exit 1
}
echo "app id: $(grep -o 'set_app_id("[^"]*")' "$dir/client.log" | head -n 1)"
[ "$mode" = headless ] || exit 0

QT_QPA_PLATFORM=offscreen "$journey" --grab "$dir/offscreen.png"
shot=$(find "$dir/shot" -name '*.png' | head -n 1)
[ -n "$shot" ] || {
  echo "weston-screenshooter left no picture" >&2
  exit 1
}
QT_QPA_PLATFORM=offscreen "$journey" --compare "$shot" "$dir/offscreen.png"
[ -z "$copy" ] || cp "$shot" "$copy"
