#!/usr/bin/env bash
# Starts the CUPS scheduler when it is not running and makes a PDF queue, StrumvanePDF,
# the default printer, so that the printing test goes through a real queue. Needs root.
# Never fails the caller: without a scheduler or the queue the test says why it skipped.
set -uo pipefail
queue=StrumvanePDF

running() { lpstat -r 2>/dev/null | grep -q '^scheduler is running'; }

if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null; then
  echo "start-cups: CUPS is not installed"
  exit 0
fi
if ! running; then
  cupsd 2>&1 || echo "start-cups: cupsd did not start"
  for _ in $(seq 100); do running && break; sleep 0.1; done
fi
if ! running; then
  echo "start-cups: the scheduler is not running"
  exit 0
fi

if ! lpstat -v "$queue" >/dev/null 2>&1; then
  ppd=$(lpinfo -m 2>/dev/null | awk '$1 ~ /CUPS-PDF_opt\.ppd$/ {print $1; exit}')
  if [ -z "$ppd" ]; then
    echo "start-cups: no CUPS-PDF driver (printer-driver-cups-pdf)"
    exit 0
  fi
  # lpadmin warns that printer drivers are deprecated; the queue works all the same.
  lpadmin -p "$queue" -v cups-pdf:/ -E -m "$ppd" 2>/dev/null || { echo "start-cups: could not create $queue"; exit 0; }
fi
cupsenable "$queue" 2>/dev/null
cupsaccept "$queue" 2>/dev/null
lpadmin -d "$queue" || echo "start-cups: could not make $queue the default printer"
echo "start-cups: $(lpstat -d 2>/dev/null)"
