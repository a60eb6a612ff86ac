#!/usr/bin/env bash
# Runs every benchmark of the host build with anchors (build/bench, made by `make bench-host`) and
# of the chosen Windows build under Wine and prints one table: name, median, target, ratio. Then
# the CPU the whole programs take while previewing the test camera, under Wine.
# Benchmarks state a target with the counter `target_us`; a benchmark named "<name>_Reference"
# (or "<name>_Transcription") is the reference that "<name>" is compared with.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$root/build/bench/benchmarks"
out="$root/out/bench"
mkdir -p "$out"
rm -f "$out"/*.json  # the table shows this run only
shopt -s nullglob
for exe in "$dir"/*; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  echo "bench: $name" >&2
  # Repetitions interleaved at random: a kernel and its anchors meet the same load on shared cores.
  "$exe" --benchmark_repetitions=7 --benchmark_enable_random_interleaving=true \
         --benchmark_report_aggregates_only=true \
         --benchmark_format=json --benchmark_out="$out/$name.json" --benchmark_out_format=json >/dev/null
done
# Timings measured under Wine (tick, filters) on the chosen Windows build write the same JSON
# shape into out/bench/ too.
source "$root/scripts/wine-env.sh"
# time_under_wine EXE JSON-NAME: one Wine benchmark of the build that wine-env.sh last chose.
time_under_wine() {
  echo "bench: $(basename "$1" .exe) (Wine, $WIN_ARCH build)" >&2
  "$WINE" "$1" --benchmark_repetitions=7 --benchmark_report_aggregates_only=true \
      --benchmark_format=json --benchmark_out="$("$WINE" winepath -w "$out/$2.json" 2>/dev/null)" \
      --benchmark_out_format=json >/dev/null || echo "bench: $2 failed" >&2
}
for t in "$win_build"/benchmarks/*.exe; do
  time_under_wine "$t" "$(basename "$t" .exe)"
done
# Where the i686 build is the one timed, this machine runs the x64 build too: its kernels are timed
# as well, in the x64 prefix, with a wine server of their own.
if [ "$WIN_ARCH" = i686 ]; then
  (
    export WIN_ARCH=x64
    source "$root/scripts/wine-env.sh"
    "$root/scripts/wine-prefix.sh" >&2
    time_under_wine "$win_build/benchmarks/kernels_wine_bench.exe" kernels_wine_bench-x64
    "$WINESERVER" -k 2>/dev/null || true
  ) || echo "bench: the x64 build could not be timed" >&2
fi
python3 "$root/scripts/bench_table.py" "$out"/*.json
# Seven runs of PROGRAM_CPU_SECONDS each (default 60): the test camera alone, the platform's own
# picture path for each program (no code of ours in it), then each program with its per-frame work
# off and on.
programs="$win_build/benchmarks/programs/program_cpu_wine_bench.exe"
echo "bench: program_cpu_wine_bench (Wine, $WIN_ARCH build)" >&2
echo
without_alsa_noise "$root/scripts/wine-run.sh" "$programs" --seconds="${PROGRAM_CPU_SECONDS:-60}" | tee "$out/programs.txt" ||
  echo "bench: program_cpu_wine_bench failed" >&2
