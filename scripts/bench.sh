#!/usr/bin/env bash
# Installs what is missing, builds for release and runs the benchmark: our player against mpv's
# command-line player on generated clips. Prints a table and writes the figures to build/bench.json;
# the clips are kept in build/bench-media for the next run. Extra arguments go to the benchmark
# (--only NAMES, --help).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --build build -j"$(nproc)" --target reelquill-bench
start=$SECONDS
build/bench/reelquill-bench --media build/bench-media --json build/bench.json "$@"
echo "benchmark: $((SECONDS - start)) s (load average then: $(cut -d' ' -f1-3 /proc/loadavg))" >&2
