#!/usr/bin/env bash
# Starts the CUPS scheduler when it is not running, so that the printing tests can add the
# queues they print through, and keeps a PDF queue, StrumvanePDF, for trying "P r i n t" by
# hand; it becomes the default printer only where the machine has none. Starting the
# scheduler and adding a queue need root: without it, or without CUPS, this says so and
# goes on, and the printing tests say why they skipped.
set -uo pipefail
queue=StrumvanePDF

running() { lpstat -r 2>/dev/null | grep -q '^scheduler is running'; }
root() { [ "$(id -u)" -eq 0 ]; }

if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null; then
  echo "start-cups: skipped: CUPS is not installed"
  exit 0
fi
if ! running; then
  if ! root; then
    echo "start-cups: skipped: the CUPS scheduler is not running and starting it needs root"
    exit 0
  fi
  cupsd 2>&1 || echo "start-cups: cupsd did not start"
  for _ in $(seq 100); do running && break; sleep 0.1; done
fi
if ! running; then
  echo "start-cups: skipped: the scheduler is not running"
  exit 0
fi
if ! root; then
  echo "start-cups: the scheduler is running; keeping the $queue queue needs root, skipped"
  exit 0
fi

if ! lpstat -v "$queue" >/dev/null 2>&1; then
  ppd=$(lpinfo -m 2>/dev/null | awk '$1 ~ /CUPS-PDF_opt\.ppd$/ {print $1; exit}')
  if [ -z "$ppd" ]; then
    echo "start-cups: skipped the $queue queue: no CUPS-PDF driver (printer-driver-cups-pdf)"
    exit 0
  fi
  # lpadmin warns that printer drivers are deprecated; the queue works all the same.
  lpadmin -p "$queue" -v cups-pdf:/ -E -m "$ppd" 2>/dev/null || { echo "start-cups: could not add $queue"; exit 0; }
fi
cupsenable "$queue" 2>/dev/null
cupsaccept "$queue" 2>/dev/null
if ! lpstat -d 2>/dev/null | grep -q '^system default destination:'; then
  lpadmin -d "$queue" || echo "start-cups: could not make $queue the default printer"
fi
echo "start-cups: scheduler running; $(lpstat -d 2>/dev/null)"
