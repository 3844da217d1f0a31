#!/usr/bin/env bash
# The screenshot tool makes every picture the user guide shows, in both languages: it runs
# into a temporary folder (under the caller's X display) and each <img> of help/*.html (and of
# the English guide, help/en/*.html, taken with --lang en) must come out of it.
#   help_shots_test.sh <kzv_helpshots> <help folder>
set -uo pipefail
TOOL=$1
HELP=$2
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
fail=0
for lang in ja en; do
  pages="$HELP"/*.html
  [ "$lang" = en ] && pages="$HELP"/en/*.html
  if ! "$TOOL" --lang "$lang" "$OUT/$lang/images" >"$OUT/log" 2>&1; then
    echo "FAILED: the screenshot tool ended with an error (--lang $lang)"; cat "$OUT/log"; exit 1
  fi
  for img in $(grep -oh 'src="images/[^"]*"' $pages | sed 's/src="images\///; s/"$//' | sort -u); do
    if [ ! -s "$OUT/$lang/images/$img" ]; then
      echo "FAILED: the guide ($lang) shows $img, which the tool does not make"
      fail=1
    fi
  done
done
exit $fail
