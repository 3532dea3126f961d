#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts Kelvane.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target kelvane
exec ./build/release/kelvane "$@"
