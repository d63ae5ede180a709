#!/bin/sh
# Builds a fuzzer with clang and runs it for the given number of seconds (default 60): the
# project-file reader, or with "copybook" as the second argument the copybook reader, or with
# "decoder" the record decoder, with "framing" the record framing (RDW, VB, lines). New
# inputs go to a work corpus in the build folder; the seeds stay as they are.
set -eu
seconds=${1:-60}
target=fuzz_${2:-project}
seeds=corpus
extra=
if [ "$target" = fuzz_copybook ]; then
    seeds=corpus_copybook
    extra="tests/data/copybooks tests/data/corpus" # the compiler tests' copybooks seed it too
elif [ "$target" = fuzz_decoder ]; then
    seeds=corpus_decoder
elif [ "$target" = fuzz_framing ]; then
    seeds=corpus_framing
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORVANE_FUZZ_BUILD:-$root/build-fuzz}
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVANE_BUILD_UI=OFF -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_FUZZ=ON >/dev/null
cmake --build "$build" --target "$target" -- -j2
mkdir -p "$build/$seeds" "$root/fuzz/artifacts"
extraDirs=
for dir in $extra; do extraDirs="$extraDirs $root/$dir"; done
# shellcheck disable=SC2086 # the seed folders hold no blanks
"$build/fuzz/$target" "$build/$seeds" "$root/fuzz/$seeds" $extraDirs \
    -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len=65536 \
    -artifact_prefix="$root/fuzz/artifacts/" -print_final_stats=1
