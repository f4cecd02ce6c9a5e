#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, headless.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
./scripts/build.sh

export QT_QPA_PLATFORM=offscreen
source ./scripts/test-env.sh
trap vx_test_env_cleanup EXIT

jobs=$(nproc 2>/dev/null || echo 2)
ctest --test-dir build --output-on-failure -j "$jobs"
