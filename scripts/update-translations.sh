#!/usr/bin/env bash
# Collects every translatable text of the program (the interface's tr/translate calls and the
# core's KZV_TR_NOOP marks) into translations/kzv_en.ts, keeping the translations already
# made; texts no longer in the code are dropped. Edit the .ts with Qt Linguist or by hand
# (translations/GLOSSARY.md lists the terms); the build compiles it.
set -euo pipefail
cd "$(dirname "$0")/.."
LUPDATE=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
"$LUPDATE" -locations none -no-obsolete -source-language ja -target-language en \
  -tr-function-alias QT_TRANSLATE_NOOP+=KZV_TR_NOOP \
  -extensions cpp,h -recursive src -ts translations/kzv_en.ts
