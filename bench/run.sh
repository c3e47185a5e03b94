#!/usr/bin/env bash
# Builds a Release binary and prints three figures for the longest known
# run (examples/open.txt, answer 2): the whole process's instruction count,
# the number of writes it makes to a terminal, and the benchmark's frames
# per second. Needs valgrind, strace, script and libbenchmark-dev.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-release"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DMAZE_BENCH=ON \
  -DMAZE_TESTS=OFF >/dev/null
cmake --build "$build" -j2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$top/examples/open.txt" "$work/maze.txt"
echo 2 >"$work/answer"
cd "$work"

valgrind --tool=callgrind --callgrind-out-file=callgrind.out \
  "$build/maze" <answer >/dev/null 2>callgrind.log
instructions=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' callgrind.log)

# On a pseudo-terminal, standard output is a terminal.
script -qc "strace -o strace.log -e trace=write,writev '$build/maze' <answer" \
  /dev/null >/dev/null
writes=$(grep -c -E '^writev?\(1,' strace.log)
# Every frame of this maze opens and closes with a line of walls.
frames=$(("$(script -qc "'$build/maze' <answer" /dev/null | grep -c '^##############################')" / 2))

fps=$("$build/maze_bench" --benchmark_min_time=2 2>/dev/null |
  sed -n 's/.*frames\/s=\([^ ]*\)\/s.*/\1/p')  # 34.9M

echo "instructions, whole process: $instructions"
echo "writes to a terminal:        $writes for $frames frames"
echo "benchmark:                   $fps frames per second"
