#!/usr/bin/env bash
# Takes the user guide's screenshots again from the program itself, with the bundled samples,
# under a virtual display: the Japanese guide's (help/images/*.png) and the English guide's
# (help/en/images/*.png, the interface in English). `help-shots.sh ja` or `help-shots.sh en`
# takes one language only. Run it after a change that shows in the pictures and commit the
# result. Needs a built tree (scripts/run.sh or scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
languages=${1:-ja en}
cmake --build build --target kzv_helpshots >/dev/null
for lang in $languages; do
  case $lang in
    ja) out=help/images ;;
    en) out=help/en/images ;;
    *) echo "usage: help-shots.sh [ja|en]" >&2; exit 2 ;;
  esac
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" build/tools/kzv_helpshots --lang "$lang" "$out"
done
