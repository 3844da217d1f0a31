#!/usr/bin/env bash
# Fails when a C++ file of the repository is not formatted as .clang-format says; prints
# the places. Format a file with `clang-format -i FILE`.
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z '*.cpp' '*.h'
else
  find src tests tools bench fuzz -name '*.cpp' -print0 -o -name '*.h' -print0
fi | xargs -0 clang-format --dry-run --Werror
echo "Formatting checked."
