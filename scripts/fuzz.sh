#!/usr/bin/env bash
# Builds the libFuzzer targets (host, clang, -DPROJECT_FUZZ=ON, in build/fuzz) and runs each for a
# while, one at a time. Fails when a target finds a crash, a leak, undefined behaviour or a hang.
#
#   scripts/fuzz.sh                      every target for 6 s
#   scripts/fuzz.sh -t 6 -s 1            the short run of `make test`: a fixed seed, so every run
#                                        tries the same inputs in the same order (a failure there
#                                        reproduces; the long runs keep libFuzzer's random seeds)
#   scripts/fuzz.sh -t 300               every target for 5 minutes
#   scripts/fuzz.sh -t 3600 avi          one target for an hour
#
# New inputs go to build/fuzz/corpus/<target> (the committed seeds in fuzz/corpus/<target> are only
# read); a failing input is saved as build/fuzz/artifacts/<target>/crash-... (or leak-, timeout-).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$ROOT/build/fuzz
SECONDS_EACH=6
SEED=
ALL=(avi base64 camera_settings counter_file dib_rows frame_bitmap language zel_parser)

while getopts "t:s:" opt; do
    case $opt in
        t) SECONDS_EACH=$OPTARG ;;
        s) SEED=$OPTARG ;;
        *) echo "usage: $0 [-t seconds-per-target] [-s seed] [target...]" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=("${ALL[@]}")

if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPROJECT_FUZZ=ON >/dev/null
fi
cmake --build "$BUILD" -j 2 --target fuzz_all

dictionary() {
    case $1 in
        camera_settings | zel_parser) echo "$ROOT/fuzz/dict/xml.dict" ;;
        language) echo "$ROOT/fuzz/dict/lang.dict" ;;
        avi) echo "$ROOT/fuzz/dict/avi.dict" ;;
        frame_bitmap | dib_rows) echo "$ROOT/fuzz/dict/bmp.dict" ;;
    esac
}

failed=()
printf '%-16s %8s %12s  %s\n' target seconds executions result
for target in "${TARGETS[@]}"; do
    binary=$BUILD/fuzzers/fuzz_$target
    [ -x "$binary" ] || { echo "no fuzz target '$target'" >&2; exit 2; }
    work=$BUILD/corpus/$target
    artifacts=$BUILD/artifacts/$target
    log=$BUILD/logs/$target.log
    mkdir -p "$work" "$artifacts" "$(dirname "$log")"
    args=(-max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 -timeout=25 -print_final_stats=1
          -artifact_prefix="$artifacts/")
    [ -n "$SEED" ] && args+=(-seed="$SEED")
    dict=$(dictionary "$target")
    [ -n "$dict" ] && args+=(-dict="$dict")
    started=$(date +%s)
    status=0
    "$binary" "${args[@]}" "$work" "$ROOT/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
    elapsed=$(($(date +%s) - started))
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    if [ $status -eq 0 ]; then
        result=ok
    else
        result="FAILED (exit $status, see $log)"
        failed+=("$target")
    fi
    printf '%-16s %8s %12s  %s\n' "$target" "$elapsed" "${runs:-?}" "$result"
done

if [ ${#failed[@]} -gt 0 ]; then
    for target in "${failed[@]}"; do
        echo "---- $target" >&2
        grep -E -A12 'ERROR: |SUMMARY: |runtime error' "$BUILD/logs/$target.log" | head -40 >&2 || true
        # The failing input itself, so that a failure seen only in a log can be reproduced:
        # base64 -d > crash && build/fuzz/fuzzers/fuzz_<target> crash
        for artifact in $(sed -n 's/.*Test unit written to //p' "$BUILD/logs/$target.log"); do
            [ -f "$artifact" ] || continue
            echo "$(basename "$artifact") (base64):" >&2
            head -c 4096 "$artifact" | base64 >&2
        done
    done
    exit 1
fi
