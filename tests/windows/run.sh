#!/usr/bin/env bash
# Runs the Windows build under wine and the Linux build side by side, on the
# example mazes, generated mazes, the bad maze files and the menu answers,
# and compares standard output (CRLF folded to LF) and the exit status.
# maze_replay, built beside the Linux program with the tests, checks random
# runs, which differ from system to system.
#
#   tests/windows/run.sh LINUX_MAZE MAZE_EXE
#
# WINE names the wine loader to use (default: wine).
set -u
linux=$(realpath "$1")
exe=$(realpath "$2")
replay=$(dirname "$linux")/maze_replay
[ -x "$replay" ] || {
  echo "$replay is missing: README's test command builds it beside the program" >&2
  exit 1
}
top=$(cd "$(dirname "$0")/../.." && pwd)
examples=$top/examples
export WINEDEBUG=-all
wine=${WINE:-wine}

passed=0
failed=0
work=$(mktemp -d)
# wine apart from the user's: a prefix and a runtime folder of its own, and
# one wine server for the whole comparison, started before the first run
# and ended after the last, so that nothing wine says as it starts up lands
# in what the programs write.
export WINEPREFIX=$work/prefix XDG_RUNTIME_DIR=$work/runtime
export WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe='
mkdir -m 700 "$WINEPREFIX" "$XDG_RUNTIME_DIR"
wineserver=$(dirname "$(command -v "$wine")")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
trap '"$wineserver" -k 2>/dev/null; rm -rf "$work"' EXIT
"$wineserver" -p || { echo "$wineserver cannot start a wine server" >&2; exit 1; }
# The last line of a run whose input is not a terminal is the prompt.
linux_prompt=$(cd "$work" && "$linux" </dev/null | tail -n 1)
wine_prompt='Press any key to continue... '

if ! "$wine" "$exe" </dev/null >"$work/probe.out" 2>"$work/probe.err"; then
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
  (cd "$work/run" && printf '%s' "$answer" | "$wine" "$exe" >"$work/wine.raw" 2>"$work/wine.err")
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

# compare NAME ANSWER [errors]: both outputs and statuses must be the same,
# and so must standard error when the third argument is given.
compare() {
  run_both "$1" "$2" || return
  if ! cmp -s "$work/linux.text" "$work/wine.text"; then
    fail "$1: standard output differs"
  elif [ -n "${3:-}" ] && ! tr -d '\r' <"$work/wine.err" | cmp -s "$work/linux.err" -; then
    fail "$1: standard error differs: $(cat "$work/wine.err")"
  elif [ "$linux_status" != "$wine_status" ]; then
    fail "$1: exit status $wine_status under wine, $linux_status on Linux"
  else
    passed=$((passed + 1))
  fi
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
for maze in "$top"/tests/bad_mazes/*.txt; do
  fresh_run_dir
  cp "$maze" "$work/run/maze.txt"
  compare "bad file: $(basename "$maze")" $'2\n' errors
done
fresh_run_dir
compare "bad file: missing" $'2\n'
fresh_run_dir
mkdir "$work/run/maze.txt"
run_both "bad file: a directory" $'2\n' &&
  if [ "$wine_status" = 1 ] && grep -q '^Error$' "$work/wine.text" &&
    grep -q '^maze: maze.txt: ' "$work/wine.err"; then
    passed=$((passed + 1))
  else
    fail "bad file: a directory"
  fi

# Without maze.txt, the hint's command names the examples beside the
# program in the ANSI code page, as standard error is a file here, and
# pasted into cmd, which reads the console's code page, it copies one. A
# folder with '%' or '!' in its name, which cmd expands (the second under
# cmd /v:on), gets no command, and so does an example whose path is 260
# characters long, which cmd refuses, though the program's own is shorter.
codepage() {
  "$wine" cmd /c 'reg query HKLM\System\CurrentControlSet\Control\Nls\CodePage' |
    tr -d '\r' | awk -v name="$1" '$1 == name { print $3 }'
}
acp=$(codepage ACP)
oemcp=$(codepage OEMCP)
long=$(printf 'x%.0s' $(seq $((235 - ${#work}))))  # Z:WORK/LONG/examples/...
for folder in café 'a%PATH%b' 'a!b' "$long"; do
  fresh_run_dir
  mkdir "$work/$folder"
  cp "$exe" "$work/$folder/maze.exe"
  cp -r "$examples" "$work/$folder/examples"
  (cd "$work/run" && echo 2 | "$wine" "../$folder/maze.exe" >/dev/null 2>"$work/wine.err")
  status=$?
  hint=$(tail -n 1 "$work/wine.err" | tr -d '\r' | iconv -f "CP$acp" -t UTF-8)
  command=$(sed -n 's/.*(\(copy .*\)), or answer 1 for a random maze$/\1/p' <<<"$hint")
  case $folder in
  *[%!]* | "$long") [ "$status" = 1 ] && [ -z "$command" ] && grep -q 'came with the program' <<<"$hint" ;;
  *)
    [ "$status" = 1 ] && [ -n "$command" ] &&
      printf '%s\r\nexit\r\n' "$command" | iconv -f UTF-8 -t "CP$oemcp" |
      (cd "$work/run" && "$wine" cmd >/dev/null 2>&1) &&
      (cd "$work/run" && echo 2 | "$wine" "../$folder/maze.exe" >/dev/null 2>&1)
    ;;
  esac
  if [ $? = 0 ]; then
    passed=$((passed + 1))
  else
    fail "a program in ${folder:0:20}, without maze.txt: $hint"
  fi
done

# Output that cannot be written: the reason comes from the system's own
# error code, not from the C runtime's guess, and the status is 1.
fresh_run_dir
cp "$examples/open.txt" "$work/run/maze.txt"
reasons=
for output in full-disk closed-pipe; do
  if [ $output = full-disk ]; then
    (cd "$work/run" && echo 2 | "$wine" "$exe" >/dev/full 2>"$work/wine.err")
  else
    (cd "$work/run" && echo 2 | "$wine" "$exe" 2>"$work/wine.err") | head -c 10 >/dev/null
  fi
  status=${PIPESTATUS[0]}
  reason=$(tr -d '\r' <"$work/wine.err" | sed -n 's/^maze: cannot write to standard output: //p')
  if [ "$status" = 1 ] && [ -n "$reason" ] && [ "$reason" != "Invalid argument" ]; then
    passed=$((passed + 1))
    reasons="$reasons|$reason"
  else
    fail "output to a $output: status $status, $(cat "$work/wine.err")"
  fi
done
echo "why writes failed under wine: ${reasons#|}"

# Menu answers: those that load the file give the same run on both; the
# others make a random maze, different on each system, and the rest of the
# run must follow from its first frame.
while IFS='|' read -r kind answer; do
  case $kind in
  file)
    fresh_run_dir
    cp "$examples/dead-end.txt" "$work/run/maze.txt"
    compare "answer '$answer'" "$answer"$'\n'
    ;;
  random)
    fresh_run_dir
    run_both "answer '$answer'" "$answer"$'\n' || continue
    if [ "$wine_status" = 0 ] && "$replay" <"$work/wine.text"; then
      passed=$((passed + 1))
    else
      fail "answer '$answer': the random run does not follow from its maze"
    fi
    ;;
  esac
done <"$top/tests/menu_answers.txt"

echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
