#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Mosgrid with its tests and runs every test (the widget tests on the offscreen platform).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"
