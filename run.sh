#!/usr/bin/env bash
# Builds Mosgrid and starts the game from its folder of bundled puzzles.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
exec build/game/mosgrid "$@"
