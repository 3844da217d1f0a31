#!/usr/bin/env bash
# Times KZ_V's contour bands, data-set load and data search against their peers (matplotlib's
# triangle contour generator, pandas.read_csv, reading every number with std::from_chars,
# reading the header files), on generated sets of 1 000, 20 000, 80 000, 320 000 and
# 1 280 000 taps with 32 directions and on 1 000 and 10 000 generated data sets; adds the
# program's heap against the data set's size, and the redraw and memory figures of
# kzv_redraw_bench --table; prints the markdown table with the figures of baseline-today.txt
# (the code before this round's speed work) beside today's.
#
# Repeats are interleaved (every work and its peer once per round, rounds one after another)
# and the table shows their medians. Sets of more than 80 000 taps get one round, their bands
# are timed on 4 of the 32 directions (the same four for the peer), and the redraw bench draws
# them without the replay of recorded primitives; the generated sets are written under
# build/peers and never committed. Bench-only packages (python3-matplotlib, python3-pandas) are
# installed here when missing, never by the tests.
#   KZV_PEER_REPEATS (default 5), KZV_PEER_SIZES (default "1000 20000 80000 320000 1280000"),
#   KZV_PEER_SEARCH (default "1000 10000"), KZV_PEER_REDRAW (default yes; no leaves the redraw
#   bench out), KZV_PEER_KEEP (keep the generated sets; by default the sets of more than
#   80 000 taps are deleted at the end), KZV_PEER_BENCH (another build's kzv_peer_bench, to
#   measure the code before a change: its summary.txt becomes the baseline), JOBS.
set -euo pipefail
cd "$(dirname "$0")/../.."

REPEATS=${KZV_PEER_REPEATS:-5}
SIZES=${KZV_PEER_SIZES:-"1000 20000 80000 320000 1280000"}
SEARCH_SIZES=${KZV_PEER_SEARCH:-"1000 10000"}
REDRAW=${KZV_PEER_REDRAW:-yes}
DIRECTIONS=32
LARGE=80000 # sets above this many taps are timed once, on 4 directions
JOBS=${JOBS:-$(nproc)}
PY=/usr/bin/python3 # Debian's interpreter, the one the packages below install into
PEERS=bench/peers
WORK=build/peers

missing=()
for package in python3-matplotlib python3-pandas; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if ((${#missing[@]} > 0)); then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if [ ! -f build/build.ninja ]; then
  bash scripts/setup.sh
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
TARGETS=(kzv_peer_bench kzv_samplegen_tool)
if [ "$REDRAW" = yes ] && command -v xvfb-run >/dev/null &&
  cmake --build build --target help | grep -q "kzv_redraw_bench"; then
  TARGETS+=(kzv_redraw_bench)
else
  REDRAW=no
fi
cmake --build build -j "$JOBS" --target "${TARGETS[@]}" >/dev/null
BENCH=${KZV_PEER_BENCH:-build/bench/kzv_peer_bench}
GEN=build/tools/samplegen/kzv-samplegen
START=$(date +%s)

mkdir -p "$WORK"
echo "generating the data sets ..." >&2
for n in $SIZES; do
  # A set already there from an earlier run with the same generator is used again.
  if [ ! -f "$WORK/taps$n/cp.dat" ] || [ "$GEN" -nt "$WORK/taps$n/cp.dat" ]; then
    rm -rf "$WORK/taps$n"
    "$GEN" --large "$WORK/taps$n" "$n" "$DIRECTIONS"
  fi
  rm -rf "$WORK/tri$n"
  "$BENCH" export-tri "$WORK/taps$n" "$WORK/tri$n"
done
for s in $SEARCH_SIZES; do
  "$BENCH" make-search "$WORK/search$s" "$s"
done

RESULTS="$WORK/results.txt"
: >"$RESULTS"
# One work and its peers at one size: bands, load against pandas and against from_chars.
measure() {
  local n=$1 runs=$2 dirs=$3
  echo "contours $n ours $("$BENCH" time-contours "$WORK/taps$n" "$runs" "$dirs")" >>"$RESULTS"
  echo "contours $n peer $("$PY" "$PEERS/peers.py" contours "$WORK/tri$n" "$runs" "$dirs")" >>"$RESULTS"
  echo "load $n ours $("$BENCH" time-load "$WORK/taps$n" "$runs")" >>"$RESULTS"
  echo "load $n peer $("$PY" "$PEERS/peers.py" load "$WORK/taps$n" "$runs")" >>"$RESULTS"
  echo "fromchars $n peer $("$BENCH" time-fromchars "$WORK/taps$n" "$runs")" >>"$RESULTS"
}
for ((round = 1; round <= REPEATS; round++)); do
  echo "round $round of $REPEATS ..." >&2
  for n in $SIZES; do
    if ((n <= LARGE)); then measure "$n" 3 0; fi
  done
  for s in $SEARCH_SIZES; do
    echo "search $s ours $("$BENCH" time-search "$WORK/search$s" 5)" >>"$RESULTS"
    echo "search $s peer $("$PY" "$PEERS/peers.py" headers "$WORK/search$s" 5)" >>"$RESULTS"
  done
done
for n in $SIZES; do
  if ((n > LARGE)); then
    echo "large set, $n taps ..." >&2
    measure "$n" 1 4
  fi
done
for n in $SIZES; do
  echo "heap $n $("$BENCH" memory "$WORK/taps$n")" >>"$RESULTS"
done

if [ "$REDRAW" = yes ]; then
  for n in $SIZES; do
    echo "redraw bench, $n taps ..." >&2
    if ((n <= LARGE)); then
      env=(KZV_BENCH_REPEATS=7)
    else
      env=(KZV_BENCH_REPEATS=1 KZV_BENCH_NO_REPLAY=1)
    fi
    line=$(env "${env[@]}" KZV_BENCH_TAPS="$n" timeout 3600 xvfb-run -a \
      -s "-screen 0 1280x1024x24" build/bench/kzv_redraw_bench --table 2>/dev/null |
      grep "^redraw_s=" | tail -1 || true)
    if [ -n "$line" ]; then echo "redraw $n $line" >>"$RESULTS"; fi
  done
fi

"$PY" "$PEERS/table.py" "$RESULTS" "$PEERS/baseline-today.txt" "$WORK/summary.txt"
echo
echo "The run took $(($(date +%s) - START)) s after the build."

# The speed work must not move a band: every band's area (and a digest of the whole contour
# drawing, lines and labels included) of the samples and the generated sets up to 80 000 taps,
# against the dump of the code before this round (its band lines are those of the code before
# the first speed work; the digests follow the line and label changes made since).
base_sets="1000 5000 20000 80000"
sets=(samples/tower samples/gable samples/lshape)
for n in $base_sets; do
  if [ ! -f "$WORK/taps$n/cp.dat" ] || [ "$GEN" -nt "$WORK/taps$n/cp.dat" ]; then
    rm -rf "$WORK/taps$n"
    "$GEN" --large "$WORK/taps$n" "$n" "$DIRECTIONS"
  fi
  sets+=("$WORK/taps$n")
done
"$BENCH" areas "${sets[@]}" >"$WORK/areas.txt"
if [ -z "${KZV_PEER_KEEP:-}" ]; then
  for n in $SIZES; do
    if ((n > LARGE)); then rm -rf "$WORK/taps$n" "$WORK/tri$n"; fi
  done
fi
echo
if cmp -s "$WORK/areas.txt" "$PEERS/areas-baseline.txt"; then
  echo "Band areas: identical to areas-baseline.txt ($(grep -c '^set ' "$WORK/areas.txt") sets," \
    "$(grep -vc -e '^set ' -e ' all ' "$WORK/areas.txt") bands, every direction)."
else
  echo "Band areas: DIFFER from areas-baseline.txt (diff $WORK/areas.txt $PEERS/areas-baseline.txt)."
  exit 1
fi
