#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it from the build output folder.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVORA_BUILD_TESTS=OFF
cmake --build build
exec build/bin/Kelvora "$@"
