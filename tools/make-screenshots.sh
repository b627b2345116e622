#!/usr/bin/env bash
# Draws the pictures of the help topics with the program's own windows and writes them into help/.
#
#   tools/make-screenshots.sh [build folder]     (default: build-screenshots beside the sources)
#
# The pictures are part of the sources: run this after a change to a window that a topic shows, look
# at the pictures and keep them with the change.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-screenshots}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVORA_BUILD_TESTS=OFF -DKELVORA_BUILD_TOOLS=ON
cmake --build "$build" --target kelvora_screenshots
"$build/tools/kelvora_screenshots" help
