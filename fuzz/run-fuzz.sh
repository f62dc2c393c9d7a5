#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, ASan and UBSan in their own build folder and runs
# each of them for a bounded time on a corpus seeded from fuzz/corpus/. Not part of the test suite.
#
#   fuzz/run-fuzz.sh [target...]       targets: fuzz_framereader fuzz_envelope fuzz_hexframe (default: all)
#   FUZZ_SECONDS=60                    run time per target
#   FUZZ_BUILD_DIR=build-fuzz          build folder (relative to the repository)
#   FUZZ_JOBS=1                        parallel fuzzing jobs per target
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/${FUZZ_BUILD_DIR:-build-fuzz}"
seconds="${FUZZ_SECONDS:-60}"
jobs="${FUZZ_JOBS:-1}"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(fuzz_framereader fuzz_envelope fuzz_hexframe)
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
fi
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen
status=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus" "$build/crashes/$target"
    if [ -d "$root/fuzz/corpus/$target" ]; then
        cp -n "$root/fuzz/corpus/$target/"* "$corpus/" 2>/dev/null || true
    fi
    # The frame reader needs room for frames at their bounds (1 MiB of JSON is reached by repeats).
    max_len=4096
    [ "$target" = fuzz_framereader ] && max_len=16384
    echo "== $target: ${seconds}s"
    parallel=()
    [ "$jobs" -gt 1 ] && parallel=(-jobs="$jobs" -workers="$jobs")
    if ! "$build/$target" -max_total_time="$seconds" -max_len="$max_len" "${parallel[@]}" \
        -artifact_prefix="$build/crashes/$target/" -print_final_stats=1 "$corpus"; then
        echo "== $target FAILED: see $build/crashes/$target/"
        status=1
    fi
done
exit $status
