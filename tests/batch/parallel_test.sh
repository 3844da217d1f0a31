#!/usr/bin/env bash
# 200 generated data sets through "kzv batch" distributed by GNU parallel on this machine,
# with no display: every picture, table and record must be there, complete and about its own
# data set, and nothing may fail.
#   parallel_test.sh <kzv> <kzv-samplegen>
set -euo pipefail
kzv=$1
samplegen=$2
sets=200

if ! command -v parallel >/dev/null; then
  echo "GNU parallel is not installed (scripts/setup.sh installs it)" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/data" "$work/out"

# Data sets of different sizes: 40 to 239 taps, 16 directions.
seq -w 1 "$sets" | parallel -j 2 "$samplegen" --large "$work/data/set{}" '{=$_=40+$_=}' 16

# Each invocation takes 25 data sets; a job that fails makes parallel's status non-zero.
unset DISPLAY WAYLAND_DISPLAY
ls -d "$work"/data/set* | parallel -j 2 -N 25 \
  "$kzv" batch -o "$work/out" -d 0 --size 320x240 {} 2>"$work/log" || {
  echo "kzv batch failed:" >&2
  grep -v ': wrote ' "$work/log" >&2
  exit 1
}

fail=0
complain() { echo "$1" >&2; fail=1; }
for i in $(seq -w 1 "$sets"); do
  name=set$i
  taps=$(awk -F, 'NR > 1 && NF >= 4' "$work/data/$name/measure.pos" | wc -l)
  for f in "${name}_d00.png" "${name}_d00.csv" "${name}_tolvex.csv"; do
    [ -s "$work/out/$f" ] || { complain "missing: $f"; continue; }
    json="$work/out/$f.json"
    [ -s "$json" ] || { complain "missing: $f.json"; continue; }
    grep -q '"schema_version": 2,' "$json" || complain "$f.json: no schema version"
    grep -q "\"name\": \"$name\"," "$json" || complain "$f.json: not about $name"
    grep -q "\"file\": \"$f\"" "$json" || complain "$f.json: not about $f"
    [ "$(tail -c 2 "$json")" = "}" ] || complain "$f.json: incomplete"
  done
  [ "$(head -c 8 "$work/out/${name}_d00.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
    complain "${name}_d00.png: not a PNG"
  # The heading and one line per tap, CR LF each.
  for f in "${name}_d00.csv" "${name}_tolvex.csv"; do
    [ "$(tr -cd '\n' <"$work/out/$f" | wc -c)" -eq $((taps + 1)) ] ||
      complain "$f: not $taps taps"
  done
done
count=$(grep -c ': wrote ' "$work/log")
[ "$count" -eq $((sets * 3)) ] || complain "$count progress lines for $((sets * 3)) outputs"
[ "$fail" -eq 0 ] && echo "$sets data sets, $count outputs with their records"
exit "$fail"
