#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test. Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake g++ libgtest-dev libboost-dev zlib1g-dev swi-prolog-core)
. tools/install-packages.sh

build=build-sanitize
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTOLVANE_SANITIZE=ON
cmake --build "$build" -j "$jobs"
cd "$build"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --output-on-failure -j "$jobs"
