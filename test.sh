#!/usr/bin/env bash
# Builds everything (tests and benchmarks) with AddressSanitizer and UBSan,
# then runs the whole test suite. Benchmarks are built, not run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
source scripts/setup.sh

cladeworks_build build-test all -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCLADEWORKS_SANITIZE=ON

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-test --output-on-failure --no-tests=error -j"$(nproc)"
