#!/usr/bin/env bash
# Starts a private PulseAudio daemon with a null sink in $XDG_RUNTIME_DIR for the audio tests.
# Never fails the caller: without a daemon the audio tests skip with a message.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  echo "pulse-start: XDG_RUNTIME_DIR is not set; no sound server for the tests" >&2
  exit 0
fi
if ! command -v pulseaudio >/dev/null 2>&1; then
  echo "pulse-start: pulseaudio is not installed; the audio tests will skip" >&2
  exit 0
fi
pulseaudio --daemonize=yes --exit-idle-time=-1 --disallow-exit=yes -n -F "$here/pulse-test.pa" \
  --log-target=file:"$XDG_RUNTIME_DIR/pulse.log" >/dev/null 2>&1
for _ in $(seq 1 50); do
  if pactl info >/dev/null 2>&1; then
    exit 0
  fi
  sleep 0.1
done
echo "pulse-start: the sound server did not come up (see $XDG_RUNTIME_DIR/pulse.log); the audio tests will skip" >&2
exit 0
