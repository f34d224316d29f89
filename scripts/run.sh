#!/usr/bin/env bash
# Installs what is missing, builds Reelquill for release in build/, makes the demo movie and
# starts the program on it (or on the movie given as the first argument).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Reelquill needs a graphical desktop, but neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
  exit 1
fi

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DREELQUILL_DEMO_MOVIE=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
# Only the program and its demo movie: the tests and the benchmark have scripts of their own.
cmake --build build -j"$(nproc)" --target reelquill demo_movie

movie=${1:-$PWD/build/demo/reelquill-demo.mp4}
exec build/src/reelquill "$movie"
