#!/usr/bin/env bash
# Stops the daemon that pulse-start.sh started in $XDG_RUNTIME_DIR and waits until it is gone.
set -u
pidfile="${XDG_RUNTIME_DIR:-/nonexistent}/pulse/pid"
[ -f "$pidfile" ] || exit 0
pid=$(cat "$pidfile" 2>/dev/null || true)
[ -n "$pid" ] || exit 0
kill "$pid" 2>/dev/null || exit 0
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || exit 0
  sleep 0.1
done
kill -9 "$pid" 2>/dev/null || true
exit 0
