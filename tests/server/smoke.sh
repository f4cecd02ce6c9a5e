#!/usr/bin/env bash
# Smoke test: VornixServer starts under Xvfb, its window is drawn and saved as a picture, and a
# SIGTERM ends it cleanly (exit code 0).
# Usage: smoke.sh <VornixServer> <vx_screenshot> <picture.png>
set -euo pipefail
server=$1
shot=$2
picture=$3

work=$(mktemp -d -t vx-smoke.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime" "$work/config" "$work/data"
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work
export QT_QPA_PLATFORM=xcb

xvfb-run -a -s "-screen 0 640x480x24" bash -c '
  set -u
  "$1" > "$4/server.log" 2>&1 &
  pid=$!
  if ! "$2" "$3" 15; then
    echo "no window was drawn" >&2
    kill -KILL "$pid" 2>/dev/null
    cat "$4/server.log" >&2
    exit 1
  fi
  kill -TERM "$pid"
  code=0
  wait "$pid" || code=$?
  if [ "$code" -ne 0 ]; then
    echo "VornixServer ended with $code" >&2
    cat "$4/server.log" >&2
    exit 1
  fi
' smoke "$server" "$shot" "$picture" "$work"
echo "saved $picture"
