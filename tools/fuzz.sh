#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# Fuzzes the private-profile functions, the setup dialog's load and save of
# "Hu-go!.ini", then the stored emulator directory's read and save, with
# libFuzzer for SECONDS seconds each (default 60). Builds in build-fuzz/ with
# clang; new inputs that libFuzzer finds go to build-fuzz/fuzz_corpus,
# build-fuzz/fuzz_corpus_hugo and build-fuzz/fuzz_corpus_setting, the seeds stay.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build=build-fuzz
jobs="$(nproc 2>/dev/null || echo 2)"

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
        -DVORLANES_FUZZ=ON -DVORLANES_BENCH=OFF
fi
cmake --build "$build" --target fuzz_profile fuzz_hugo fuzz_setting -j "$jobs"

run() { # target, its scratch corpus, its seeds
    mkdir -p "$build/$2" "$build/fuzz_scratch"
    VORLANES_FUZZ_DIR="$PWD/$build/fuzz_scratch" "$build/$1" -max_total_time="$seconds" \
        -print_final_stats=1 -artifact_prefix="$build/" "$build/$2" "$3"
}
run tests/platform/profile/fuzz_profile fuzz_corpus tests/platform/profile/fuzz_corpus
run tests/config/fuzz_hugo fuzz_corpus_hugo tests/config/fuzz_corpus
run tests/platform/settings/fuzz_setting fuzz_corpus_setting tests/platform/settings/fuzz_corpus
