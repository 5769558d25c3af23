#!/usr/bin/env sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when any of the given programs loads Qt Widgets or Qt Print Support: the core library and
# the programs built on it alone must stay free of them. (Qt Gui is allowed: the core decodes and
# scales pictures with its image readers, which need no window system.)
status=0
for program in "$@"; do
    if ldd "$program" | grep -E 'libQt6(Widgets|PrintSupport)'; then
        echo "$program links a GUI library" >&2
        status=1
    fi
done
exit $status
