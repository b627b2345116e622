#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs the whole test suite headless; then builds the fuzz targets with clang and fuzzes each
# for a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVORA_SANITIZE=ON -DKELVORA_BUILD_TESTS=ON \
    -DKELVORA_BUILD_BENCH=ON -DKELVORA_BUILD_TOOLS=ON
cmake --build build-test
# libFuzzer comes with clang only: a second build folder holds the fuzz targets and what they link.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKELVORA_BUILD_TESTS=OFF -DKELVORA_BUILD_FUZZ=ON
cmake --build build-fuzz --target kelvora_fuzzers
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
ctest --test-dir build-test --output-on-failure -j "$(nproc)"
ctest --test-dir build-fuzz/fuzz --output-on-failure -j "$(nproc)"
