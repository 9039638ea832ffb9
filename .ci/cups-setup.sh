#!/bin/sh
# Sets up a PDF print queue "meter-pdf" as the system's default printer, so the
# print tests have a real queue to print to. Run as root; safe to run again.
# Prints the folder that receives the PDF files, as METER_PDF_DIR=<dir>.
set -eu

OUT_DIR=/var/spool/cups-pdf/meter
CONF=/etc/cups/cups-pdf.conf

# cups-pdf writes every job, root's and anonymous ones alike, into OUT_DIR.
mkdir -p "$OUT_DIR"
chmod 1777 "$OUT_DIR"
if [ -f "$CONF" ]; then
    sed -i -e '/^[[:space:]]*Out[[:space:]]/d' -e '/^[[:space:]]*AnonDirName[[:space:]]/d' "$CONF"
fi
printf 'Out %s\nAnonDirName %s\n' "$OUT_DIR" "$OUT_DIR" >>"$CONF"

# Start the scheduler unless it is running.
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    if command -v cupsd >/dev/null 2>&1; then cupsd; else /usr/sbin/cupsd; fi
fi
i=0
until lpstat -r 2>/dev/null | grep -q 'is running'; do
    i=$((i + 1))
    if [ "$i" -gt 50 ]; then echo "cupsd did not start" >&2; exit 1; fi
    sleep 0.2
done

# The queue, with the cups-pdf driver (model name from lpinfo, else the PPD file).
if ! lpstat -p meter-pdf >/dev/null 2>&1; then
    MODEL=$(lpinfo -m 2>/dev/null | awk 'tolower($0) ~ /cups-pdf_opt\.ppd/ {print $1; exit}')
    if [ -n "$MODEL" ]; then
        lpadmin -p meter-pdf -E -v cups-pdf:/ -m "$MODEL"
    else
        PPD=$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/cups/model/CUPS-PDF_opt.ppd 2>/dev/null | head -n 1)
        lpadmin -p meter-pdf -E -v cups-pdf:/ -P "$PPD"
    fi
fi
# The default renderer leaves the text in unnamed Type 3 fonts that text
# extraction cannot read; pdftocairo keeps it readable.
lpadmin -p meter-pdf -o pdftops-renderer-default=pdftocairo
cupsenable meter-pdf 2>/dev/null || true
cupsaccept meter-pdf 2>/dev/null || true
lpadmin -d meter-pdf
lpstat -d
echo "METER_PDF_DIR=$OUT_DIR"
