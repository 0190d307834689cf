#!/usr/bin/env bash
# Starts CUPS with a cups-pdf queue named PDF as the default printer, so Wine
# sees a real printer whose jobs land as PDF files in $HOME/PDF.
set -euo pipefail
# A loaded machine can take well over the few seconds cupsd usually needs:
# the scheduler is waited for (two minutes at most), not a fixed time.
if ! pgrep -x cupsd >/dev/null; then
  /usr/sbin/cupsd
fi
for _ in $(seq 600); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.2; done
if ! lpstat -p PDF >/dev/null 2>&1; then
  lpadmin -p PDF -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E
fi
lpoptions -d PDF >/dev/null
