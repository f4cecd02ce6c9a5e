# Sourced by test.sh: private XDG folders for the whole test run, so nothing touches the real home.
VX_TEST_ROOT=$(mktemp -d /tmp/vornix-test.XXXXXX)
VX_SCRIPTS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export XDG_RUNTIME_DIR="$VX_TEST_ROOT/runtime"
export XDG_CONFIG_HOME="$VX_TEST_ROOT/config"
export XDG_DATA_HOME="$VX_TEST_ROOT/data"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
chmod 700 "$XDG_RUNTIME_DIR"

vx_test_env_cleanup() {
  # A sound server started for the tests lives in the runtime folder: stop it first.
  "$VX_SCRIPTS_DIR/pulse-stop.sh" || true
  rm -rf "$VX_TEST_ROOT"
}
