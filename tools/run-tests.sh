#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh build test
build=${ARDENTRY_BUILD_DIR:-build-tests}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DARDENTRY_WERROR=ON
cmake --build "$build" -j2
export QT_QPA_PLATFORM=offscreen
if [ -x tools/start-print-queue.sh ] || [ -f tools/start-print-queue.sh ]; then
    bash tools/start-print-queue.sh || echo "note: the PDF print queue could not be started"
fi
cd "$build"
ctest --output-on-failure -j2
