# The printer the printing tests print on: a cups-pdf queue that writes into a folder of its
# own, made the default printer, and a second queue that refuses every job. Starts the CUPS
# scheduler when it isn't running; changes nothing else of the machine's printers.
# shellcheck shell=bash

RETTERUM_PDF_QUEUE=RetterumPDF
RETTERUM_REFUSING_QUEUE=RetterumAfviser
RETTERUM_PDF_OUT=/var/spool/cups-pdf/retterum
RETTERUM_PDF_PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

cups_running() {
  LC_ALL=C lpstat -r 2>/dev/null | grep -q "scheduler is running"
}

# add_pdf_queue <name>: a cups-pdf queue whose own settings file sends its PDFs to RETTERUM_PDF_OUT.
add_pdf_queue() {
  local conf="/etc/cups/cups-pdf-$1.conf"
  printf 'Out %s\nLabel 2\nUserUMask 0022\nGrp lpadmin\n' "$RETTERUM_PDF_OUT" | as_root tee "$conf" >/dev/null
  if ! lpstat -p "$1" >/dev/null 2>&1; then
    # cups-pdf takes the settings file from the name after "cups-pdf:/".
    as_root lpadmin -p "$1" -E -v "cups-pdf:/$1" -P "$RETTERUM_PDF_PPD"
  fi
  as_root cupsenable "$1"
}

ensure_pdf_printer() {
  if ! cups_running; then
    echo "Starter CUPS"
    as_root cupsd
    for _ in $(seq 100); do cups_running && break; sleep 0.1; done
    cups_running || { echo "CUPS kunne ikke startes" >&2; return 1; }
  fi
  as_root mkdir -p "$RETTERUM_PDF_OUT"
  as_root chmod 1777 "$RETTERUM_PDF_OUT"

  add_pdf_queue "$RETTERUM_PDF_QUEUE"
  as_root cupsaccept "$RETTERUM_PDF_QUEUE"
  add_pdf_queue "$RETTERUM_REFUSING_QUEUE"
  as_root cupsreject -r "Afviser alle job" "$RETTERUM_REFUSING_QUEUE"

  if ! LC_ALL=C lpstat -d 2>/dev/null | grep -q ": $RETTERUM_PDF_QUEUE\$"; then
    echo "Gør $RETTERUM_PDF_QUEUE til standardprinter"
    as_root lpadmin -d "$RETTERUM_PDF_QUEUE"
  fi
}
