#!/usr/bin/env bash
# Builds the unit tests and fuzz targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, runs the tests and replays the fuzz corpora.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh ci
build=${MIRTALA_SAN_BUILD_DIR:-build-san}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DMIRTALA_SANITIZE=ON -DMIRTALA_FUZZ=ON -DMIRTALA_BENCH=OFF >/dev/null
cmake --build "$build"
# The system's font library keeps a small cache for the life of the process.
LSAN_OPTIONS=suppressions="$(pwd)/tests/lsan.supp" \
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$build" --output-on-failure -j2
