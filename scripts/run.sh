#!/usr/bin/env bash
# Sets everything up, builds and starts Quintara in the current directory, where it keeps its
# settings file Quintara.cfg.
set -euo pipefail
here=$(pwd)
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset dev
cmake --build --preset dev -j "$(nproc)"

program="$(pwd)/build/dev/bin/quintara"
cd "$here"
exec "$program" "$@"
