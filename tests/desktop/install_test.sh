#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks what a desktop needs from it:
# the program, its guide and samples under share/kzv, a desktop entry that validates, the
# icon in every size, AppStream metadata that validates; then starts the installed program
# under the caller's X display with a temporary configuration folder and checks that it came
# up, found its samples and wrote nothing beside itself.
#   install_test.sh <build folder> <application id>
set -uo pipefail
BUILD=$1
APP_ID=$2
fail=0
check() {  # check <description> <command...>
  local what=$1
  shift
  if "$@" >/tmp/kzv-install-check.$$ 2>&1; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    sed 's/^/    /' /tmp/kzv-install-check.$$
    fail=1
  fi
}

WORK=$(mktemp -d)
trap 'kill "$PID" 2>/dev/null; wait "$PID" 2>/dev/null; rm -rf "$WORK" /tmp/kzv-install-check.$$' EXIT
PREFIX=$WORK/prefix
PID=

check "cmake --install puts the tree under the prefix" cmake --install "$BUILD" --prefix "$PREFIX"
check "program" test -x "$PREFIX/bin/kzv"
check "user guide" test -f "$PREFIX/share/kzv/help/index.html"
check "guide's pictures" test -f "$PREFIX/share/kzv/help/images/main.png"
for set in tower gable lshape; do
  check "sample $set" test -f "$PREFIX/share/kzv/samples/$set/cp.dat"
done
DESKTOP=$PREFIX/share/applications/$APP_ID.desktop
check "desktop entry" test -f "$DESKTOP"
check "desktop entry validates" desktop-file-validate "$DESKTOP"
check "desktop entry starts kzv" \
  grep -qx -e "Exec=kzv" "$DESKTOP"
check "desktop entry names the icon" grep -qx "Icon=$APP_ID" "$DESKTOP"
check "scalable icon" test -f "$PREFIX/share/icons/hicolor/scalable/apps/$APP_ID.svg"
for size in 16 22 24 32 48 64 128 256; do
  check "icon ${size}x${size}" test -f "$PREFIX/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png"
done
check "icon 48x48 is 48 pixels square" \
  bash -c "[ \"\$(od -An -tu1 -j16 -N8 '$PREFIX/share/icons/hicolor/48x48/apps/$APP_ID.png' | tr -s ' ')\" = ' 0 0 0 48 0 0 0 48' ]"
METAINFO=$PREFIX/share/metainfo/$APP_ID.metainfo.xml
check "AppStream metadata" test -f "$METAINFO"
if command -v appstreamcli >/dev/null; then
  check "AppStream metadata validates" appstreamcli validate --no-net "$METAINFO"
fi

# The installed program starts, with its configuration in a folder of its own.
CONFIG=$WORK/config
mkdir -p "$CONFIG"
XDG_CONFIG_HOME=$CONFIG "$PREFIX/bin/kzv" >"$WORK/kzv.log" 2>&1 &
PID=$!
# Its main window: a window titled "KZ_V" of this process (other tests may show theirs).
main_window() {
  local id
  for id in $(xwininfo -root -tree 2>/dev/null | awk '/"KZ_V"/ {print $1}'); do
    if xprop -id "$id" _NET_WM_PID 2>/dev/null | grep -q "= $PID\$"; then
      return 0
    fi
  done
  return 1
}
# Wait (for at most a minute, polling) until the main window is mapped or the program ended.
for _ in $(seq 1 600); do
  if ! kill -0 "$PID" 2>/dev/null || main_window; then break; fi
  sleep 0.1
done
check "installed program is running" kill -0 "$PID"
check "its main window is on the display" main_window
check "its data-folder list names the installed samples" \
  bash -c "[ \"\$(cat '$CONFIG/kzv/dirlist')\" = \"\$(cd '$PREFIX/share/kzv/samples' && pwd)\" ]"
check "nothing written beside the program" bash -c "[ \"\$(ls '$PREFIX/bin')\" = kzv ]"
kill "$PID" 2>/dev/null
wait "$PID" 2>/dev/null
if [ $fail -ne 0 ]; then
  echo "--- program output"; cat "$WORK/kzv.log"
fi
exit $fail
