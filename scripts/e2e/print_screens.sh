# Sourced by scripts/wine-tests.sh: printing from balancer-demo.exe through a
# real spooler. A private cupsd (its own folder, a Unix socket, CUPS_SERVER
# pointing at it) has a PDF printer and a default queue that refuses jobs;
# Wine finds both through libcups. The card (both pages) and the shaft
# report from the history window are printed through the common print
# dialog, the PDF printer picked in it, and each PDF is held against the
# pages `balancer-cli print` draws (scripts/e2e/compare_print.py). A
# cancelled dialog prints nothing and says nothing; a Wine without printers
# ends in the program's message, and the card's files stay as they were.
# (Wine's spooler reports a job the queue refuses as printed, so a failing
# job is checked in the window tests, with a stand-in printer.)

kFieldPrintOption=61
ps_root=""
ps_pid=""
ps_pdf=""
kPrintPdfQueue=PdfPrinter
kPrintStoppedQueue=StoppedPrinter

# A click at client position (x, y) in design units of window ID at scale
# 1.0 (the caption taken as 24 pixels).
ps_click() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + 24 + $3)) click 1 >/dev/null 2>&1
}

# Types TEXT into the entry window titled TITLE and presses Enter.
ps_enter() {
  local text="$1" title="$2" id
  id="$(wait_for_window "$title" 10)" || return 1
  # The text replaces what the entry was filled with.
  window_keys "$id" End shift+Home
  xdotool type --delay 40 "$text" >/dev/null 2>&1
  xdotool key Return >/dev/null 2>&1
  wait_until 10 window_gone "$title"
}

# Types PATH into the open dialog titled TITLE and presses Enter.
ps_file_dialog() {
  local title="$1" path="$2" id
  id="$(wait_for_window "$title" 20)" || return 1
  wait_settled  # the dialog fills its lists after it opens
  xdotool windowfocus --sync "$id" >/dev/null 2>&1 || true
  xdotool key --clearmodifiers ctrl+a >/dev/null 2>&1
  xdotool type --delay 40 "$path" >/dev/null 2>&1
  xdotool key --clearmodifiers Return >/dev/null 2>&1
  wait_until 20 window_gone "$title"
}

# A click at design point (x, y) of the history window's client area
# (1020 x 640, centred in its frame at the bottom) at scale 1.0.
ps_click_history() {
  local x y w h
  read -r x y w h < <(window_geometry "$1")
  xdotool mousemove $((x + (w - 1020) / 2 + $2)) $((y + h - 640 - (w - 1020) / 2 + $3)) \
    click 1 >/dev/null 2>&1
  wait_settled
}

# Starts the private cupsd with the two queues; false (and why) when it
# cannot. The cups-pdf backend reads its settings from /etc/cups by the
# queue's instance name, so the PDF folder is named there.
ps_start_spooler() {
  local bin conf
  for bin in cupsd lpadmin lpstat pdftotext pdftoppm; do
    if ! command -v "$bin" >/dev/null 2>&1; then
      echo "print_screens: $bin is missing (scripts/deps.sh installs it)"
      return 1
    fi
  done
  if [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
    echo "print_screens: the cups-pdf backend is missing (scripts/deps.sh installs it)"
    return 1
  fi
  if [ "$(id -u)" -ne 0 ]; then
    echo "print_screens: the cups-pdf backend needs root"
    return 1
  fi
  ps_root="$(mktemp -d /tmp/balancer-cups.XXXXXX)"
  chmod 755 "$ps_root"
  ps_pdf="$ps_root/pdf"
  mkdir -p "$ps_root"/{spool,tmp,cache,state,log,pdf,pdfspool}
  chown root:lp "$ps_root"/{spool,tmp,cache}
  chmod 770 "$ps_root"/{tmp,cache}
  chmod 710 "$ps_root/spool"
  cat >"$ps_root/cupsd.conf" <<EOF
Listen $ps_root/cups.sock
LogLevel info
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cat >"$ps_root/cups-files.conf" <<EOF
ServerRoot $ps_root
RequestRoot $ps_root/spool
TempDir $ps_root/tmp
CacheDir $ps_root/cache
StateDir $ps_root/state
ErrorLog $ps_root/log/error_log
AccessLog $ps_root/log/access_log
PageLog $ps_root/log/page_log
Printcap $ps_root/printcap
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
EOF
  conf=/etc/cups/cups-pdf-balancer-e2e.conf
  printf 'Out %s\nAnonDirName %s\nSpool %s\nLog %s\nGrp root\nTitlePref 1\n' \
    "$ps_pdf" "$ps_pdf" "$ps_root/pdfspool" "$ps_root/log" >"$conf"
  cupsd -f -c "$ps_root/cupsd.conf" -s "$ps_root/cups-files.conf" >"$ps_root/log/cupsd.out" 2>&1 &
  ps_pid=$!
  if ! wait_until 15 test -S "$ps_root/cups.sock"; then
    echo "print_screens: cupsd did not start: $(tail -3 "$ps_root/log/cupsd.out" "$ps_root/log/error_log" 2>/dev/null)"
    return 1
  fi
  export CUPS_SERVER="$ps_root/cups.sock"
  local ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  if ! lpadmin -p "$kPrintPdfQueue" -E -v cups-pdf:/balancer-e2e -P "$ppd" 2>/dev/null ||
    ! lpadmin -p "$kPrintStoppedQueue" -E -v cups-pdf:/balancer-e2e -P "$ppd" 2>/dev/null ||
    ! lpadmin -d "$kPrintStoppedQueue" 2>/dev/null; then
    echo "print_screens: the queues could not be added: $(tail -3 "$ps_root/log/error_log")"
    return 1
  fi
  # The default queue takes no jobs: the dialog opens on it, and only a
  # print to the PDF printer picked in it comes out.
  cupsreject "$kPrintStoppedQueue" 2>/dev/null || /usr/sbin/cupsreject "$kPrintStoppedQueue"
  lpstat -a "$kPrintPdfQueue" 2>/dev/null | grep -q accepting
}

ps_stop_spooler() {
  if [ -n "$ps_pid" ]; then
    kill "$ps_pid" 2>/dev/null
    wait "$ps_pid" 2>/dev/null
  fi
  ps_pid=""
  unset CUPS_SERVER
  rm -f /etc/cups/cups-pdf-balancer-e2e.conf
  [ -n "$ps_root" ] && rm -rf "$ps_root"
  ps_root=""
}

# What the spooler said last, for a check that failed.
ps_spooler_log() {
  tail -n 6 "$ps_root"/log/error_log "$ps_root"/log/cups-pdf-*_log 2>/dev/null | sed 's/^/  spooler: /'
  lpstat -W all -o 2>/dev/null | sed 's/^/  spooler job: /'
}

ps_pdf_count() {
  find "$ps_pdf" -name '*.pdf' 2>/dev/null | wc -l
}

# The newest PDF once there are N; its name.
ps_wait_pdf() {
  wait_until 60 test "$(ps_pdf_count)" -ge "$1" || return 1
  # cups-pdf writes the file and then hands it over: wait for a whole one.
  local f
  f="$(ls -t "$ps_pdf"/*.pdf | head -1)"
  wait_until 20 pdfinfo_ok "$f" || return 1
  echo "$f"
}
pdfinfo_ok() {
  pdftotext "$1" - >/dev/null 2>&1
}

# The printers Windows has in the session's prefix.
ps_windows_printers() {
  wine_run reg query 'HKCU\Software\Microsoft\Windows NT\CurrentVersion\Devices' 2>/dev/null |
    tr -d '\r' | awk 'NF >= 3 && $2 == "REG_SZ" {print $1}'
}

# The common print dialog: waits for it, picks QUEUE in its printer list
# (a click drops the list, the queue's first letter picks it, Enter closes
# the list) and presses OK (Enter), or Cancel (Escape). Saves SHOT and
# SHOT-picked when given.
ps_print_dialog() {
  local queue="$1" answer="$2" shot="${3:-}" id
  id="$(wait_for_window "Print" 20)" || return 1
  wait_settled
  [ -n "$shot" ] && screenshot "$shot"
  if [ "$answer" = ok ]; then
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + 150)) $((Y + 56)) click 1 >/dev/null 2>&1
    wait_settled
    xdotool key --clearmodifiers "${queue:0:1}" Return >/dev/null 2>&1
    wait_settled
    [ -n "$shot" ] && screenshot "${shot%.png}-picked.png"
    xdotool key --clearmodifiers Return >/dev/null 2>&1
  else
    xdotool windowfocus --sync "$id" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers Escape >/dev/null 2>&1
  fi
  wait_until 20 window_gone "Print"
}

# Writes the card smith.bwi and its part weights smith.bme in the program
# folder, as the program stores them.
ps_write_card() {
  local folder notes
  folder="$(program_folder)"
  notes="Balanced to the customer's own pistons and rods; the pins were matched by weight before the final spin, and the bobweights were made to the stated overbalance of two percent."
  {
    printf '%s\r\n' 612.4 441.0 48.2 478.5 121.3 2.1 38.6 0.0 4.0 50.0 100.0 2 2.0 \
      "Left 24.6 grams      Right 18.2 grams" "Left 1.2 grams      Right 0.8 grams" \
      "Front: 28.0 g      Rear: 14.0 g" "350 small block" "$notes"
    printf '\033%s\r\n' "12/7/2026"
    printf '%s\r\n' 24.600 18.200 1.200 0.800 2.000 2.100 1.500
  } >"$folder/smith.bwi"
  {
    printf '%s\r\n' 612.0 613.5 611.8 612.4 0 0 0 0 0 0 0 0
    printf '%s\r\n' 441.0 440.2 441.9 440.8 0 0 0 0 0 0 0 0
    printf '%s\r\n' 478.5 479.0 478.1 478.6 0 0 0 0 0 0 0 0
    printf '%s\r\n' 121.3 121.1 121.5 121.2 0 0 0 0 0 0 0 0
    printf '%s\r\n' 1 2 3 4 5 6 7 8 9 10 11 12
  } >"$folder/smith.bme"
  printf 'Northside Engine Works\r\n1200 Main Street, Springfield\r\n' >"$folder/company.txt"
  # An initial record, two spins and a final one.
  {
    printf '%s\n' "2 86.100 90 3.500 63.700 271 3.500" "1 14.000 12 3.500 7.000 180 3.500" \
      "1 6.300 300 3.500 3.500 45 3.500" "3 4.200 200 3.500 2.800 95 3.500"
    for _ in $(seq 5 24); do printf '%s\n' "0 0.000 0 0.000 0.000 0 0.000"; done
  } >"$folder/job.hst"
}

# The files a print must leave as they were.
ps_card_sum() {
  cat "$(program_folder)/smith.bwi" "$(program_folder)/smith.bme" | md5sum
}

# Holds PDF against the CLI's pages of NAME; the rest is the CLI's print
# command.
ps_compare() {
  local pdf="$1" name="$2"
  shift 2
  python3 "$root/scripts/e2e/compare_print.py" --pdf "$pdf" \
    --ppd "$ps_root/ppd/$kPrintPdfQueue.ppd" --name "$name" --shots "$shots" -- \
    "${BALANCER_CLI:-$root/build/native/cli/balancer-cli}" --folder "$(program_folder)" "$@" \
    >"$ps_root/compare-$name.txt" 2>&1
  local status=$?
  cp "$pdf" "$shots/print-wine-$name.pdf"
  sed "s/^/  $name: /" "$ps_root/compare-$name.txt"
  return $status
}

ps_bobweight_print() {
  ps_click "$1" 390 21
}

echo "== Printing through a spooler"
ps_started=0
if ps_start_spooler; then ps_started=1; fi
check "print: the private spooler runs with a PDF printer" test "$ps_started" = 1
if [ "$ps_started" = 1 ]; then
  wine_start "" 1280x720x24
  write_default_settings
  set_setting $kFieldPrintOption 3
  ps_write_card
  if start_demo; then
    printers="$(ps_windows_printers)"
    check "print: Windows has the PDF printer and the stopped queue" \
      test "$(echo "$printers" | grep -cx "$kPrintPdfQueue\|$kPrintStoppedQueue")" = 2
    send_keys b
    if bw="$(wait_for_window "Bobweight Calculation" 30)"; then
      wait_settled
      ps_click "$bw" 170 21
      check "print: the card is retrieved" \
        ps_file_dialog "Retrieve Bobweight Data" 'C:\balancer\smith.bwi'
      before="$(ps_card_sum)"

      # Cancel: nothing printed, nothing said.
      ps_bobweight_print "$bw"
      check "print: the card's Print opens the print dialog; Cancel closes it" \
        ps_print_dialog "$kPrintPdfQueue" cancel "$shots/print-dialog-1280x720.png"
      wait_settled
      check "print: a cancelled dialog shows no message" window_gone Error

      # The PDF printer: both pages.
      ps_bobweight_print "$bw"
      check "print: the card through the dialog to the PDF printer" \
        ps_print_dialog "$kPrintPdfQueue" ok "$shots/print-dialog-card-1280x720.png"
      if pdf="$(ps_wait_pdf 1)"; then
        check "print: only the printed card reached the spooler (not the cancelled one)" \
          test "$(ps_pdf_count)" = 1
        check "print: the card's two pages match the CLI's within 2 %" \
          ps_compare "$pdf" card print card "$(program_folder)/smith.bwi"
      else
        check "print: the card's PDF is written" false
        ps_spooler_log
      fi
      wait_settled
      check "print: a printed card shows no message" window_gone Error

      check "print: the card's files are unchanged after the prints" \
        test "$(ps_card_sum)" = "$before"
      check "print: the window still has the card" window_open "Bobweight Calculation"
      ps_click "$bw" 828 21  # Exit: nothing changed, no question
      wait_until 10 window_gone "Bobweight Calculation"
    else
      check "print: B opens Bobweight Calculation" false
    fi

    # The shaft report from the history window.
    send_keys y
    if hist="$(wait_for_window "Unbalance History" 10)"; then
      ps_click_history "$hist" 935 190  # Load
      check "print: the history is loaded" \
        ps_file_dialog "Retrieve History Data" 'C:\balancer\job.hst'
      settled_screenshot "$shots/print-history-1280x720.png"
      count="$(ps_pdf_count)"
      ps_click_history "$hist" 935 250  # Print
      check "print: the history's Print asks the job name" \
        ps_enter "report job" "Enter job name before printing"
      check "print: the shaft report through the dialog to the PDF printer" \
        ps_print_dialog "$kPrintPdfQueue" ok
      if pdf="$(ps_wait_pdf $((count + 1)))"; then
        check "print: the shaft report matches the CLI's within 2 %" \
          ps_compare "$pdf" report print report --history "$(program_folder)/job.hst" --job "report job"
      else
        check "print: the shaft report's PDF is written" false
        ps_spooler_log
      fi
      ps_click_history "$hist" 935 560  # Exit
    else
      check "print: Y opens Unbalance History" false
    fi
    close_program "$main" >/dev/null || true
  else
    check "print: demo starts" false
  fi
  wine_stop

  # A Windows without printers: the dialog has none to offer.
  export CUPS_SERVER="$ps_root/none.sock"
  wine_start "" 1280x720x24
  write_default_settings
  ps_write_card
  if start_demo; then
    check "print: this prefix has no printer" test -z "$(ps_windows_printers)"
    before="$(ps_card_sum)"
    send_keys b
    if bw="$(wait_for_window "Bobweight Calculation" 30)"; then
      wait_settled
      ps_click "$bw" 170 21
      ps_file_dialog "Retrieve Bobweight Data" 'C:\balancer\smith.bwi'
      ps_bobweight_print "$bw"
      # Wine's dialog says so itself first (Windows leaves it to the program).
      if wait_for_window Print 20 >/dev/null; then
        settled_screenshot "$shots/print-no-printer-dialog-1280x720.png"
        answer_message Print >/dev/null
      fi
      if wait_for_window Error 20 >/dev/null; then
        check "print: no printer installed is told" true
        settled_screenshot "$shots/print-no-printer-1280x720.png"
        answer_message Error >/dev/null
      else
        screenshot "$shots/print-no-printer-1280x720.png"
        check "print: no printer installed is told" false
        window_open Print && xdotool key Escape
      fi
      check "print: no printer: the card's files are unchanged" \
        test "$(ps_card_sum)" = "$before"
      check "print: no printer: the window still has the card" \
        window_open "Bobweight Calculation"
    else
      check "print: B opens Bobweight Calculation (no printer)" false
    fi
    close_program "$main" >/dev/null || true
  else
    check "print: demo starts (no printer)" false
  fi
  wine_stop
fi
ps_stop_spooler
