#!/usr/bin/env bash
# Installs what is missing, builds everything in build/test and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

./tools/setup.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-g -O1 -fsanitize=address,undefined -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DKORVANTILE_WERROR=ON
cmake --build build/test

export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build/test --output-on-failure -j "$(nproc)" --timeout 600
