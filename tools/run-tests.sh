#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds with warnings as errors and runs every test headless; builds
# the Debian package and checks it installed (tools/check-package.sh); runs the load run across a
# restart and a fail-over of a primary server with a standby (tools/failover-test.sh); then
# builds once more
# with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test again.
# ARDENTRY_SANITIZE=0 skips the second pass.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh build test
export QT_QPA_PLATFORM=offscreen
if [ -x tools/start-print-queue.sh ] || [ -f tools/start-print-queue.sh ]; then
    bash tools/start-print-queue.sh || echo "note: the PDF print queue could not be started"
fi

run_suite() { # build folder, extra CMake options...
    local build=$1
    shift
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DARDENTRY_WERROR=ON "$@"
    cmake --build "$build" -j2
    (cd "$build" && ctest --output-on-failure -j2)
}

build=${ARDENTRY_BUILD_DIR:-build-tests}
run_suite "$build"
echo "== The load run across a restart and a fail-over to a standby server =="
bash tools/failover-test.sh "$build"
echo "== The Debian package, installed into a clean folder and started there =="
bash tools/check-package.sh "$build"
if [ "${ARDENTRY_SANITIZE:-1}" != 0 ]; then
    echo "== The same tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:suppressions=$PWD/tools/asan.supp"
    export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    run_suite "$build-sanitize" -DARDENTRY_SANITIZE=ON
fi
