#!/usr/bin/env bash
# Sets up the machine, builds with warnings as errors, runs every test and checks the Debian
# package made from that build; then once more with AddressSanitizer and
# UndefinedBehaviorSanitizer, and once with the windows switched off to prove that the core and
# the command-line tool build without QtWidgets.
set -euo pipefail
cd "$(dirname "$0")/.."

export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

scripts/setup.sh build -DORVANE_WERROR=ON -DORVANE_BUILD_TESTS=ON
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Debian package (from the build above)"
scripts/check-package.sh build

echo "== core and command-line tool without the windows"
cmake -S . -B build-core -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_WERROR=ON \
  -DORVANE_BUILD_UI=OFF -DORVANE_BUILD_TESTS=OFF
cmake --build build-core -j "$jobs"

echo "== sanitizers"
# -O1 and line tables only: the instrumented build is the longest step of the run, and its
# reports still name the function and line.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_WERROR=ON \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
  -DORVANE_SANITIZE=ON -DORVANE_BUILD_TESTS=ON
cmake --build build-asan -j "$jobs"
# Qt's own libraries keep some allocations until exit; leaks are not what this run looks for.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
