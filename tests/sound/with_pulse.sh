#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a command against a private PulseAudio server whose only output is a
# null sink, so what the command plays can be recorded from its monitor.
set -euo pipefail
dir=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
export HOME=$dir XDG_RUNTIME_DIR=$dir PULSE_RUNTIME_PATH=$dir/run PULSE_STATE_PATH=$dir/state
export PULSE_SERVER=unix:$dir/socket
# Without rewinds the monitor carries exactly what the sink plays: a sink that
# rewinds to start a new stream sooner re-renders samples the monitor has
# already passed on, so their first milliseconds would be missing from it.
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-level=error \
  --load="module-null-sink sink_name=null norewinds=1" \
  --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/socket" &
pid=$!
for _ in $(seq 100); do
  pactl info >/dev/null 2>&1 && break
  sleep 0.1
done
pactl info >/dev/null
"$@"
