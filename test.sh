#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, headless.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
source ./scripts/test-env.sh
trap vx_test_env_cleanup EXIT
# The sound server for the audio tests starts before the build, so its sink has settled.
./scripts/pulse-start.sh

./scripts/build.sh

jobs=$(nproc 2>/dev/null || echo 2)
ctest --test-dir build --output-on-failure -j "$jobs"

# The logbook's writer and loader threads once more under ThreadSanitizer.
./scripts/test-tsan.sh

# Every test that needs no sound server once more under AddressSanitizer and
# UndefinedBehaviorSanitizer.
./scripts/test-asan.sh
