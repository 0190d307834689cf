#!/usr/bin/env bash
# Starts CUPS with a cups-pdf queue named PDF as the default printer, so Wine
# sees a real printer whose jobs land as PDF files in $HOME/PDF.
set -euo pipefail
if ! pgrep -x cupsd >/dev/null; then
  /usr/sbin/cupsd
  for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.2; done
fi
if ! lpstat -p PDF >/dev/null 2>&1; then
  lpadmin -p PDF -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E
fi
lpoptions -d PDF >/dev/null
