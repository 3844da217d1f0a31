#!/usr/bin/env bash
# Takes the user guide's screenshots again (help/images/*.png) from the program itself, with
# the bundled samples, under a virtual display. Run it after a change that shows in the
# pictures and commit the result. Needs a built tree (scripts/run.sh or scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target kzv_helpshots >/dev/null
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" build/tools/kzv_helpshots help/images
