#!/usr/bin/env bash
# Whole runs, file reading included: mnemex-batch against the plain program
# (bench/literal_batch: fscanf and the literal loops), same file, rule, rate and epochs,
# timed in the same run. Prints the best wall-clock and processor (user + system) times of
# REPEATS runs each, the speed-ups and both final total SSEs.
#   bench/whole_runs.sh [BUILD_DIR]      (default build; needs MNEMEX_EXTRAS=ON)
#   REPEATS=5 by default. The 784 x 784 x 100 case runs once more with --json to /dev/shm.
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

# The host's speed drifts from minute to minute on a shared virtual machine, so the two
# programs take turns, one run each per round, and each keeps its best of $repeats rounds.
# best_pair: runs literal_args then batch_args alternately; prints "lw lc mw mc" (best wall
# and processor times of each); the last outputs are in $work/literal.out and $work/batch.out.
timed() {
  local out=$1
  shift
  { time "$@" >"$out" 2>"$work/err"; } 2>"$work/time"
  read -r w u s <"$work/time"
  echo "$w $(echo "$u + $s" | bc)"
}
best_pair() {
  local lw=999999 lc=999999 mw=999999 mc=999999 w c r
  for ((r = 0; r < repeats; r++)); do
    read -r w c < <(timed "$work/literal.out" "${literal_args[@]}")
    lw=$(echo "if ($w < $lw) $w else $lw" | bc)
    lc=$(echo "if ($c < $lc) $c else $lc" | bc)
    read -r w c < <(timed "$work/batch.out" "${batch_args[@]}")
    mw=$(echo "if ($w < $mw) $w else $mw" | bc)
    mc=$(echo "if ($c < $mc) $c else $mc" | bc)
  done
  echo "$lw $lc $mw $mc"
}

ratio() { echo "scale=1; $1 / $2" | bc; }
TIMEFORMAT='%3R %3U %3S'

echo "| Case | literal_batch wall / cpu (s) | mnemex-batch wall / cpu (s) | speed-up wall / cpu | final total SSE (literal; mnemex) |"
echo "|---|---|---|---|---|"
# run_case NAME SIZES EPOCHS RATE [mnemex-batch options...]
run_case() {
  local name=$1 sizes=$2 epochs=$3 rate=$4
  shift 4
  "$python" bench/make_example.py "$work/case.net" $sizes
  name="$name ($(echo "scale=1; $(stat -c %s "$work/case.net") / 1000000" | bc) MB)"
  literal_args=("$literal" "$work/case.net" "$epochs" delta "$rate")
  batch_args=("$batch" "$work/case.net" --rule delta --rate "$rate" --epochs "$epochs" "$@")
  read -r lw lc mw mc < <(best_pair)
  local lsse msse
  lsse=$(sed -n 's/^Total SSE: //p' "$work/literal.out")
  msse=$(sed -n 's/^Total SSE: //p' "$work/batch.out")
  [ $# -eq 0 ] || name="$name, with $1 to a memory file system"
  echo "| $name, Delta $rate, $epochs epochs | $lw / $lc | $mw / $mc | $(ratio "$lw" "$mw") / $(ratio "$lc" "$mc") | $lsse; $msse |"
}
run_case "1000 x 50 x 2000" "1000 50 2000" 4 0.001
run_case "784 x 784 x 100" "784 784 100" 6 0.001
# The whole result written as well, to a memory file system (removed afterwards).
json=$(mktemp -p /dev/shm whole_runs.XXXXXX.json)
trap 'rm -rf "$work" "$json"' EXIT
run_case "784 x 784 x 100" "784 784 100" 6 0.001 --json "$json"
run_case "classroom 8 x 8 x 4" "8 8 4" 100000 0.1
