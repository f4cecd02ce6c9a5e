#!/usr/bin/env bash
# Builds the logbook tests with ThreadSanitizer (build-tsan/) and runs them; any data race
# fails the run.  test.sh runs it after the main tests.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build-tsan/build.ninja ]; then
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_TSAN=ON -DVX_BUILD_BENCH=OFF
fi
cmake --build build-tsan --target vx_test_log -j "$(nproc 2>/dev/null || echo 2)"

export QT_QPA_PLATFORM=offscreen
# Child processes (TQSL, openssl, Xvfb) start while the logbook's threads run; they execute
# their program at once, so the sanitizer need not stop them.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 die_after_fork=0"
source ./scripts/test-env.sh
trap vx_test_env_cleanup EXIT
./build-tsan/tests/log/vx_test_log
