#!/usr/bin/env bash
# VornixClient started as a user starts it, on an X display: a simulated FT DX 5000 on a
# pseudo-terminal, only its port in the settings.  The radio names its model: the window must
# come up with the FT DX 5000 face and model in its caption, its title shown exactly as the
# window sets it, showing the radio's state (saved as face-after-detect.png), and close by its
# close button, writing its settings.
#   smoke_client.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d -t vx-smoke.XXXXXX)
sim=""
client=""
cleanup() {
  [ -n "$client" ] && kill "$client" 2>/dev/null || true
  [ -n "$sim" ] && kill "$sim" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_CONFIG_HOME/Zemro" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

"$build/tests/vx_radio_sim" --model FTDX5000 > "$work/radio.txt" < /dev/null &
sim=$!
for _ in $(seq 100); do
  [ -s "$work/radio.txt" ] && break
  sleep 0.1
done
port=$(head -n 1 "$work/radio.txt")
[ -n "$port" ] || { echo "the radio simulator gave no port"; exit 1; }
printf '[Client]\nRadioCOMPort\\Port=%s\n' "$port" > "$XDG_CONFIG_HOME/Zemro/Vornix.ini"

"$build/apps/client/VornixClient" > "$work/client.txt" 2>&1 &
client=$!
if ! title=$("$build/tests/vx_window_smoke" "YAESU FT DX 5000" "$build/face-after-detect.png" 60); then
  echo "--- VornixClient said:"; cat "$work/client.txt"
  exit 1
fi
status=0
wait "$client" || status=$?
client=""
[ "$status" -eq 0 ] || { echo "VornixClient ended with $status"; cat "$work/client.txt"; exit 1; }

# The window system shows the window's own title, nothing appended.
expected_title="Vornix - YAESU FT DX 5000 CAT & Remote Control"
[ "$title" = "$expected_title" ] || { echo "the window's title reads \"$title\""; exit 1; }

settings="$XDG_CONFIG_HOME/Zemro/Vornix.ini"
for expected in 'Transceiver=FTDX5000' 'AutoDetect=1' 'ClientMainForm=' 'CompactView='; do
  grep -q "$expected" "$settings" || { echo "the settings lack $expected:"; cat "$settings"; exit 1; }
done
grep -q "^RX ID;$" "$work/radio.txt" || { echo "the radio was never asked for its identity"; exit 1; }
echo "VornixClient came up, showed the FT DX 5000 and closed cleanly"
