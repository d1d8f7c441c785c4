#!/usr/bin/env bash
# Fails when a C++ source in git differs from what clang-format makes of it with the repo's
# .clang-format; `clang-format -i FILE` mends one.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "every C++ source is formatted"
