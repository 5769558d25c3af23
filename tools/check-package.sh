#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a build folder (default build-tests), checks its dependencies
# against this machine, unpacks it into a clean folder and checks the installed program there:
# lintian (an error fails the check), files, man pages, desktop entry and metainfo validators,
# --version and --help without a display, and a headless start on a new database
# (tests/tst_install.sh --tree).
# ARDENTRY_PACKAGE_INSTALL=1 also installs it with apt-get (root on Debian 12), starts
# /usr/bin/ardentry the same way and removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-${ARDENTRY_BUILD_DIR:-build-tests}}
if [ ! -f "$build/CPackConfig.cmake" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DARDENTRY_WERROR=ON
fi
cmake --build "$build" -j2 --target ardentry ardentry-newdb ardentry-load ardentry-docs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

start=$SECONDS
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/ardentry_*.deb)
echo "package: $(basename "$deb") ($(du -k "$deb" | cut -f1) KB, built in $((SECONDS - start)) s)"

# Dependencies: the libraries the binaries link (dpkg-shlibdeps) and the plugins loaded at run time.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6sql6-sqlite libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6network6 \
    libsqlite3-0 libpq5 libc6; do
    case ", $depends," in
    *", $needed "* | *", $needed,"*) ;;
    *) echo "FAIL: the package does not depend on $needed" >&2; exit 1 ;;
    esac
done
# Every dependency is met here, as on a Debian 12 machine with these packages.
dpkg --dry-run --install "$deb" >/dev/null

# Debian's own checks: an error fails the check; every finding is shown.
lintian --no-cfg --fail-on error --display-level '>=info' "$deb" | tee "$work/lintian.log"
# The changelog's newest entry is this version.
changelog=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/ardentry/changelog.gz | zcat |
    head -1)
case "$changelog" in
"ardentry ($(dpkg-deb -f "$deb" Version))"*) ;;
*) echo "FAIL: packaging/debian/changelog begins with '$changelog', not this version" >&2; exit 1 ;;
esac

dpkg -x "$deb" "$work/root"
sh tests/tst_install.sh --tree "$work/root/usr"

if [ "${ARDENTRY_PACKAGE_INSTALL:-0}" = 1 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
    sh tests/tst_install.sh --tree /usr
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq ardentry >/dev/null
fi
echo "package check passed in $((SECONDS - start)) s"
