#!/usr/bin/env bash
# Whole runs, file reading included: mnemex-batch against the plain program
# (bench/literal_batch: fscanf and the literal loops), same file, rule, rate and epochs,
# timed in the same run. Prints the best wall-clock and processor (user + system) times of
# REPEATS runs each, the speed-ups and both final total SSEs.
#   bench/whole_runs.sh [BUILD_DIR]      (default build; needs MNEMEX_EXTRAS=ON)
#   REPEATS=5 by default.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
repeats=${REPEATS:-5}
batch=$build/cli/mnemex-batch
literal=$build/bench/literal_batch
python=${PYTHON:-/usr/bin/python3}
for program in "$batch" "$literal"; do
  [[ -x $program ]] || { echo "missing $program: cmake --build $build --target mnemex-batch literal_batch" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# best_of COMMAND...: prints "best-wall best-cpu" over $repeats runs; output to $work/out.
best_of() {
  local wall=999999 cpu=999999 w c
  for ((r = 0; r < repeats; r++)); do
    { time "$@" >"$work/out" 2>"$work/err"; } 2>"$work/time"
    read -r w u s <"$work/time"
    c=$(echo "$u + $s" | bc)
    wall=$(echo "if ($w < $wall) $w else $wall" | bc)
    cpu=$(echo "if ($c < $cpu) $c else $cpu" | bc)
  done
  echo "$wall $cpu"
}

ratio() { echo "scale=1; $1 / $2" | bc; }
TIMEFORMAT='%3R %3U %3S'

echo "| Case | literal_batch wall / cpu (s) | mnemex-batch wall / cpu (s) | speed-up wall / cpu | final total SSE (literal; mnemex) |"
echo "|---|---|---|---|---|"
run_case() {
  local name=$1 sizes=$2 epochs=$3 rate=$4
  "$python" bench/make_example.py "$work/case.net" $sizes
  name="$name ($(echo "scale=1; $(stat -c %s "$work/case.net") / 1000000" | bc) MB)"
  read -r lw lc < <(best_of "$literal" "$work/case.net" "$epochs" delta "$rate")
  local lsse; lsse=$(sed -n 's/^Total SSE: //p' "$work/out")
  read -r mw mc < <(best_of "$batch" "$work/case.net" --rule delta --rate "$rate" --epochs "$epochs")
  local msse; msse=$(sed -n 's/^Total SSE: //p' "$work/out")
  echo "| $name, Delta $rate, $epochs epochs | $lw / $lc | $mw / $mc | $(ratio "$lw" "$mw") / $(ratio "$lc" "$mc") | $lsse; $msse |"
}
run_case "1000 x 50 x 2000" "1000 50 2000" 4 0.001
run_case "784 x 784 x 100" "784 784 100" 6 0.001
run_case "classroom 8 x 8 x 4" "8 8 4" 100000 0.1
