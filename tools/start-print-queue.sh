#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the local CUPS scheduler with the cups-pdf virtual printer "PDF" and makes it the default
# printer, so that the print tests can print through a real queue. The packages come from
# tools/deps.sh ("test"). Running it again when everything is up changes nothing.
# Exit status: 0 when the queue "PDF" is ready and the default, 1 otherwise (with the reason).
set -euo pipefail

queue=PDF
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

fail() { echo "start-print-queue: $*" >&2; exit 1; }

command -v cupsd >/dev/null 2>&1 || fail "cupsd is not installed (package cups)"
command -v lpadmin >/dev/null 2>&1 || fail "lpadmin is not installed (package cups-client)"
[ -e /usr/lib/cups/backend/cups-pdf ] || fail "the cups-pdf backend is missing (package printer-driver-cups-pdf)"

if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    if command -v systemctl >/dev/null 2>&1 && [ -d /run/systemd/system ]; then
        $sudo systemctl start cups || true
    fi
    if ! lpstat -r 2>/dev/null | grep -q "is running"; then
        $sudo mkdir -p /run/cups
        $sudo cupsd || fail "cupsd did not start"
    fi
    for _ in $(seq 1 50); do
        lpstat -r 2>/dev/null | grep -q "is running" && break
        sleep 0.2
    done
    lpstat -r 2>/dev/null | grep -q "is running" || fail "the CUPS scheduler is not answering"
fi

if ! lpstat -p "$queue" >/dev/null 2>&1; then
    ppd=""
    for candidate in /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd; do
        if [ -f "$candidate" ]; then ppd=$candidate; break; fi
    done
    [ -n "$ppd" ] || fail "no cups-pdf PPD file found under /usr/share/ppd/cups-pdf"
    $sudo lpadmin -p "$queue" -v cups-pdf:/ -P "$ppd" -E || fail "the queue $queue could not be created"
fi
$sudo cupsenable "$queue"
$sudo cupsaccept "$queue"
$sudo lpadmin -d "$queue" || fail "the queue $queue could not be made the default"
lpoptions -d "$queue" >/dev/null 2>&1 || true

lpstat -d 2>/dev/null | grep -q "$queue" || fail "the queue $queue is not the default printer"
echo "start-print-queue: queue $queue is ready and the default printer"
