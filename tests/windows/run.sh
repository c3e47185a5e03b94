#!/usr/bin/env bash
# Runs the Windows build under wine and the Linux build side by side, on the
# example mazes, generated mazes, bad maze files and several menu answers,
# and compares standard output (CRLF folded to LF) and the exit status.
#
#   tests/windows/run.sh LINUX_MAZE MAZE_EXE
set -u
linux=$(realpath "$1")
exe=$(realpath "$2")
examples=$(cd "$(dirname "$0")/../../examples" && pwd)
export WINEDEBUG=-all

linux_prompt='Press any key to continue . . . '
wine_prompt='Press any key to continue... '
passed=0
failed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! wine "$exe" </dev/null >"$work/probe.out" 2>"$work/probe.err"; then
  echo "wine cannot run $exe:" >&2
  cat "$work/probe.err" >&2
  exit 1
fi

fail() {
  echo "FAILED: $1"
  failed=$((failed + 1))
}

# run_both NAME ANSWER: runs both programs in $work/run, which holds the
# maze file if there is one.
run_both() {
  local name=$1 answer=$2
  (cd "$work/run" && printf '%s' "$answer" | "$linux" >"$work/linux.out" 2>"$work/linux.err")
  linux_status=$?
  (cd "$work/run" && printf '%s' "$answer" | wine "$exe" >"$work/wine.raw" 2>"$work/wine.err")
  wine_status=$?
  tr -d '\r' <"$work/wine.raw" >"$work/wine.out"
  # The interpreter's own prompt must come last, after all other output.
  if [ "$(tail -c ${#wine_prompt} "$work/wine.out")" != "$wine_prompt" ]; then
    fail "$name: the output does not end with the pause prompt"
    return
  fi
  if [ "$(tail -c $((${#linux_prompt} + 1)) "$work/linux.out")" != "$linux_prompt" ]; then
    fail "$name: the Linux output does not end with its prompt"
    return
  fi
  head -c -${#wine_prompt} "$work/wine.out" >"$work/wine.text"
  head -c -$((${#linux_prompt} + 1)) "$work/linux.out" >"$work/linux.text"
}

# compare NAME ANSWER: both outputs and statuses must be the same.
compare() {
  run_both "$1" "$2" || return
  if ! cmp -s "$work/linux.text" "$work/wine.text"; then
    fail "$1: standard output differs"
  elif [ "$linux_status" != "$wine_status" ]; then
    fail "$1: exit status $wine_status under wine, $linux_status on Linux"
  else
    passed=$((passed + 1))
  fi
}

# A frame of a fresh maze as a maze file.
frame_to_file() {
  awk 'NR >= 3 && NR <= 32 {
    line = ""
    for (i = 1; i <= 30; i++) {
      ch = substr($0, i, 1)
      code = (ch == " ") ? 0 : (ch == "C") ? 2 : (ch == "M") ? 3 : 1
      line = line (i > 1 ? " " : "") code
    }
    print line
  }'
}

fresh_run_dir() {
  rm -rf "$work/run"
  mkdir "$work/run"
}

# The example mazes.
for maze in "$examples"/*.txt; do
  fresh_run_dir
  cp "$maze" "$work/run/maze.txt"
  compare "$(basename "$maze")" $'2\n'
done

# Generated mazes: any code anywhere, several runners, the border open.
for seed in $(seq 1 40); do
  fresh_run_dir
  awk -v seed="$seed" 'BEGIN {
    srand(seed)
    n = split("0 0 0 0 0 0 1 1 1 4 5 6 7 -1 3 2", codes, " ")
    kinds = (seed % 2) ? 9 : n
    for (r = 0; r < 30; r++) {
      line = ""
      for (c = 0; c < 30; c++) line = line (c ? "\t" : "") codes[1 + int(rand() * kinds)]
      print line "\r"
    }
  }' >"$work/run/maze.txt"
  # At least one runner.
  sed -i "$((seed % 30 + 1))s/^[^\t]*/3/" "$work/run/maze.txt"
  compare "generated maze $seed" $'2\n'
done

# Maze files that cannot be used.
bad_file() {
  fresh_run_dir
  printf '%s' "$2" >"$work/run/maze.txt"
  compare "bad file: $1" $'2\n'
}
fresh_run_dir
compare "bad file: missing" $'2\n'
bad_file "empty" ""
bad_file "short" "3 0 0 2"
bad_file "a word" "3 0 zero"
bad_file "a sign and a blank" "3 - 1"
bad_file "too large" "3 2147483648"
bad_file "no runner" "$(for i in $(seq 900); do printf '0 '; done)"
fresh_run_dir
mkdir "$work/run/maze.txt"
run_both "bad file: a directory" $'2\n' &&
  if [ "$wine_status" = 1 ] && grep -q '^Error$' "$work/wine.text" &&
    grep -q '^maze.txt: ' "$work/wine.err"; then
    passed=$((passed + 1))
  else
    fail "bad file: a directory"
  fi

# Menu answers: 2 in all its forms reads the file...
fresh_run_dir
cp "$examples/dead-end.txt" "$work/run/maze.txt"
for answer in ' 2' '2abc' '02' '2.7'; do
  compare "answer '$answer'" "$answer"$'\n'
done
# ...and any other answer makes a random maze, different on each system:
# the rest of the run must follow from its first frame.
for answer in '1' '0x2' 'abc' ''; do
  fresh_run_dir
  run_both "answer '$answer'" "$answer"$'\n' || continue
  frame_to_file <"$work/wine.text" >"$work/run/maze.txt"
  (cd "$work/run" && echo 2 | "$linux" | head -c -$((${#linux_prompt} + 1))) >"$work/replay.text"
  if [ "$wine_status" = 0 ] && cmp -s "$work/replay.text" "$work/wine.text"; then
    passed=$((passed + 1))
  else
    fail "answer '$answer': the random run does not follow from its maze"
  fi
done

echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
