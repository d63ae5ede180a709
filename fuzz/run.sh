#!/bin/sh
# Builds the project-file fuzzer with clang and runs it for the given number of seconds
# (default 60). New inputs go to a work corpus in the build folder; the seeds stay as they are.
set -eu
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORVANE_FUZZ_BUILD:-$root/build-fuzz}
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVANE_BUILD_UI=OFF -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_project -- -j2
mkdir -p "$build/corpus" "$root/fuzz/artifacts"
"$build/fuzz/fuzz_project" "$build/corpus" "$root/fuzz/corpus" \
    -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len=65536 \
    -artifact_prefix="$root/fuzz/artifacts/" -print_final_stats=1
