#!/usr/bin/env bash
# Times KZ_V's contour bands, data-set load and data search against their peers (matplotlib's
# triangle contour generator, pandas.read_csv, reading the header files), on generated sets of
# 1 000, 5 000, 20 000 and 80 000 taps with 32 directions and on 1 000 generated data sets; adds
# the redraw and memory figures of kzv_redraw_bench --table; prints the markdown table with the
# figures of baseline-core.txt (the code before the speed work) beside today's.
#
# Repeats are interleaved (every work and its peer once per round, rounds one after another)
# and the table shows their medians. Bench-only packages (python3-matplotlib, python3-pandas)
# are installed here when missing, never by the tests.
#   KZV_PEER_REPEATS (default 5), KZV_PEER_SIZES (default "1000 5000 20000 80000"), JOBS.
set -euo pipefail
cd "$(dirname "$0")/../.."

REPEATS=${KZV_PEER_REPEATS:-5}
SIZES=${KZV_PEER_SIZES:-"1000 5000 20000 80000"}
DIRECTIONS=32
SEARCH_SETS=1000
JOBS=${JOBS:-$(nproc)}
PY=/usr/bin/python3  # Debian's interpreter, the one the packages below install into
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
REDRAW=no
# The redraw and memory rows come from the redraw bench once it prints its table line.
if grep -q -- "--table" bench/RedrawBench.cpp && command -v xvfb-run >/dev/null &&
  cmake --build build --target help | grep -q "kzv_redraw_bench"; then
  TARGETS+=(kzv_redraw_bench)
  REDRAW=yes
fi
cmake --build build -j "$JOBS" --target "${TARGETS[@]}" >/dev/null
BENCH=build/bench/kzv_peer_bench
GEN=build/tools/samplegen/kzv-samplegen

mkdir -p "$WORK"
echo "generating the data sets ..." >&2
for n in $SIZES; do
  rm -rf "$WORK/taps$n"
  "$GEN" --large "$WORK/taps$n" "$n" "$DIRECTIONS"
  "$BENCH" export-tri "$WORK/taps$n" "$WORK/tri$n"
done
"$BENCH" make-search "$WORK/search" "$SEARCH_SETS"

RESULTS="$WORK/results.txt"
: >"$RESULTS"
for ((round = 1; round <= REPEATS; round++)); do
  echo "round $round of $REPEATS ..." >&2
  for n in $SIZES; do
    echo "contours $n ours $("$BENCH" time-contours "$WORK/taps$n" 3)" >>"$RESULTS"
    echo "contours $n peer $("$PY" "$PEERS/peers.py" contours "$WORK/tri$n" 3)" >>"$RESULTS"
    echo "load $n ours $("$BENCH" time-load "$WORK/taps$n" 5)" >>"$RESULTS"
    echo "load $n peer $("$PY" "$PEERS/peers.py" load "$WORK/taps$n/cp.dat" 5)" >>"$RESULTS"
  done
  echo "search $SEARCH_SETS ours $("$BENCH" time-search "$WORK/search" 5)" >>"$RESULTS"
  echo "search $SEARCH_SETS peer $("$PY" "$PEERS/peers.py" headers "$WORK/search" 5)" >>"$RESULTS"
done

if [ "$REDRAW" = yes ]; then
  for n in $SIZES; do
    echo "redraw bench, $n taps ..." >&2
    line=$(KZV_BENCH_TAPS=$n timeout 600 xvfb-run -a -s "-screen 0 1280x1024x24" \
      build/bench/kzv_redraw_bench --table 2>/dev/null | grep "^redraw_s=" | tail -1 || true)
    if [ -n "$line" ]; then echo "redraw $n $line" >>"$RESULTS"; fi
  done
fi

"$PY" "$PEERS/table.py" "$RESULTS" "$PEERS/baseline-core.txt" "$WORK/summary.txt"

# The speed work must not move a band: every band's area (and a digest of the whole contour
# drawing) of the samples and the four generated sets, against the dump of the code before it.
if [ "$SIZES" = "1000 5000 20000 80000" ]; then
  sets=(samples/tower samples/gable samples/lshape)
  for n in $SIZES; do sets+=("$WORK/taps$n"); done
  "$BENCH" areas "${sets[@]}" >"$WORK/areas.txt"
  echo
  if cmp -s "$WORK/areas.txt" "$PEERS/areas-baseline.txt"; then
    echo "Band areas: identical to areas-baseline.txt ($(grep -c '^set ' "$WORK/areas.txt") sets," \
      "$(grep -vc -e '^set ' -e ' all ' "$WORK/areas.txt") bands, every direction)."
  else
    echo "Band areas: DIFFER from areas-baseline.txt (diff $WORK/areas.txt $PEERS/areas-baseline.txt)."
    exit 1
  fi
fi
