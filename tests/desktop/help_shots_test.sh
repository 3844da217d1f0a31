#!/usr/bin/env bash
# The screenshot tool makes every picture the user guide shows: it runs into a temporary
# folder (under the caller's X display) and each <img> of help/*.html must come out of it.
#   help_shots_test.sh <kzv_helpshots> <help folder>
set -uo pipefail
TOOL=$1
HELP=$2
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
if ! "$TOOL" "$OUT/images" >"$OUT/log" 2>&1; then
  echo "FAILED: the screenshot tool ended with an error"; cat "$OUT/log"; exit 1
fi
fail=0
for img in $(grep -oh 'src="images/[^"]*"' "$HELP"/*.html | sed 's/src="images\///; s/"$//' | sort -u); do
  if [ ! -s "$OUT/images/$img" ]; then
    echo "FAILED: the guide shows $img, which the tool does not make"
    fail=1
  fi
done
exit $fail
