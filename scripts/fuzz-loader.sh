#!/usr/bin/env bash
# Fuzzes the index loader with libFuzzer for a bounded time (default 60 s):
#   scripts/fuzz-loader.sh [SECONDS]
# Builds with clang, AddressSanitizer and UBSan into build-fuzz/. New inputs
# go to build-fuzz/corpus; the committed seeds in tests/fuzz/corpus stay small.
# A crash leaves its input in build-fuzz/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build-fuzz
mkdir -p "$out/corpus"

flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -Isrc)
# Only what the loader is made of, so work elsewhere in the engine cannot
# break this build.
sources=(src/core/DateText.cpp src/core/DecimalText.cpp src/core/EngineError.cpp src/core/FileDescriptor.cpp
  src/core/WholeFile.cpp src/index/IndexFormat.cpp src/index/IndexLoader.cpp src/index/IndexTextParser.cpp
  src/index/LoadedIndex.cpp src/index/ReservedPages.cpp tests/fuzz/LoadIndexFuzz.cpp)
clang++ "${flags[@]}" "${sources[@]}" -o "$out/load-index-fuzz"

cd "$out"
./load-index-fuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -artifact_prefix=./ corpus ../tests/fuzz/corpus
