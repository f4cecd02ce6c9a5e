#!/usr/bin/env bash
# Builds every test executable that needs no sound server with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-asan/) and runs all their tests, each test program as one
# process (start-up under the sanitizer costs more than most tests); any report fails the run.
# test.sh runs it after the ThreadSanitizer pass.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build-asan/build.ninja ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_ASAN=ON -DVX_BUILD_BENCH=OFF \
        -DVX_SOUND_TESTS=OFF -DVX_WHOLE_TEST_PROGRAMS=ON
fi
jobs=$(nproc 2>/dev/null || echo 2)
cmake --build build-asan --target vx_tests -j "$jobs"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:strict_init_order=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
source ./scripts/test-env.sh
trap vx_test_env_cleanup EXIT
ctest --test-dir build-asan --output-on-failure -j "$jobs"
