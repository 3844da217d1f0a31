#!/usr/bin/env bash
# Drives the program with N random mouse and key actions on a loaded sample under a virtual
# display and reports crashes, hangs and memory growth (see tools/soak/SoakMain.cpp).
#   bash tools/soak.sh [actions] [seed] [sample] [name]   e.g. bash tools/soak.sh 5000 1 tower
# With a name, the sample is loaded from a copy of that folder name (e.g. '<b>RED</b>').
# Needs a built tree (scripts/test.sh or cmake --build build).
# To tell a leak from reserves, run it again with MALLOC_MMAP_THRESHOLD_=4194304 (large buffers
# go back to the system when freed) and LP_NUM_THREADS=0 (the software GL driver keeps no frames
# in flight for its rasteriser threads): the steps of the resident memory and of the heap in use
# that remain are the program's.
set -uo pipefail
cd "$(dirname "$0")/.."
ACTIONS=${1:-5000}
SEED=${2:-1}
SAMPLE=${3:-tower}
NAME=${4:-}
BIN=build/tools/kzv_soak
if [ ! -x "$BIN" ]; then
  echo "soak: $BIN is missing; build first (cmake --build build)" >&2
  exit 2
fi
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  "$BIN" --actions "$ACTIONS" --seed "$SEED" --sample "$SAMPLE" ${NAME:+--name "$NAME"}
rc=$?
case $rc in
  0) echo "soak: passed ($ACTIONS actions, seed $SEED, $SAMPLE${NAME:+ as $NAME})" ;;
  3) echo "soak: HANG (see the line above)" ;;
  *) echo "soak: FAILED with exit status $rc (a crash when above 128: signal $((rc - 128)))" ;;
esac
exit $rc
