#!/usr/bin/env bash
# Installs what is missing, builds for release and runs the benchmark: our player against mpv's
# command-line player on generated clips. Prints a table and writes the figures to build/bench.json.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --build build -j"$(nproc)" --target reelquill-bench
build/bench/reelquill-bench --media build/bench-media --json build/bench.json
