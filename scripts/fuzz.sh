#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds.
#   bash scripts/fuzz.sh [seconds] [target ...]     (default 60 s, every target)
# Corpora grow in build-fuzz/corpus/<target> (seeded from samples/ and tests/data/hostile/);
# crashing, leaking or slow inputs land in build-fuzz/artifacts/<target>/. Copy those into
# tests/data/hostile/ so the ordinary test run reads them through every reader.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_EACH=${1:-60}
shift || true
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(cp measurepos mesh header geometry settings)

bash scripts/setup.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKZV_FUZZ=ON -DKZV_BUILD_GUI=OFF -DKZV_BUILD_TESTS=OFF -DKZV_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --target $(printf 'fuzz_%s ' "${TARGETS[@]}")

seed_name() {
  case "$1" in
    cp) echo cp.dat ;; measurepos) echo measure.pos ;; mesh) echo mesh.msh ;;
    header) echo header ;; geometry) echo '*.geo' ;; settings) echo '*.set' ;;
  esac
}

status=0
for t in "${TARGETS[@]}"; do
  corpus=build-fuzz/corpus/$t
  artifacts=build-fuzz/artifacts/$t
  mkdir -p "$corpus" "$artifacts"
  find samples -name "$(seed_name "$t")" -size -64k -exec cp -n {} "$corpus"/ \; 2>/dev/null || true
  if [ -d tests/data/hostile ]; then cp -n tests/data/hostile/* "$corpus"/ 2>/dev/null || true; fi
  echo "== fuzz_$t for ${SECONDS_EACH}s"
  if ! build-fuzz/fuzz/fuzz_$t "$corpus" -max_total_time="$SECONDS_EACH" -timeout=10 \
       -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
       -artifact_prefix="$artifacts/" 2>build-fuzz/fuzz_$t.log; then
    status=1
    echo "fuzz_$t found a problem: see build-fuzz/fuzz_$t.log and $artifacts/"
  fi
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' build-fuzz/fuzz_$t.log || true
done
exit $status
