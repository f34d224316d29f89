#!/usr/bin/env bash
# Installs what is missing, builds Reelquill with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test headless under a virtual X server. Extra arguments go to ctest (-R name ...).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DREELQUILL_SANITIZE=ON -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --build build-test -j"$(nproc)"

# The tests measure real playback speed and pitch, so they run one at a time.
cd build-test
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --output-on-failure -j1 "$@"
