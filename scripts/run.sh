#!/usr/bin/env bash
# Sets up, builds and starts KZ_V. On its first build the program's data-folder list
# (build/bin/dirlist) names the bundled samples/ folder, so the sample data sets are there.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "${JOBS:-$(nproc)}" --target kzv

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "KZ_V needs a display and none is set; run it under a virtual one: xvfb-run -a bash scripts/run.sh" >&2
  exit 1
fi
exec build/bin/kzv "$@"
