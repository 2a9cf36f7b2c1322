#!/usr/bin/env bash
# Opening a file that cannot be read (no read permission; the program runs without root's power
# to read anything): the Open Error box appears, and after Cancel the document is as it was: its
# caption, its modified state and its text, which Ctrl+S then saves under its own name.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
if [ "$(id -u)" -eq 0 ]; then
  # Root reads any file: start the program without that capability.
  command -v setpriv >/dev/null || { echo "SKIP: setpriv is missing"; exit 0; }
  setpriv --bounding-set=-dac_override,-dac_read_search true 2>/dev/null ||
    { echo "SKIP: capabilities cannot be dropped here"; exit 0; }
  E2E_LAUNCHER="setpriv --bounding-set=-dac_override,-dac_read_search"
fi

page="$E2E_TMP/page.html"
printf '<HTML>\r\n<BODY>\r\n\x93\xfa\x96\x7b\x8c\xea\r\n</BODY>\r\n</HTML>\r\n' >"$page"
cp "$page" "$E2E_TMP/old.html"
locked="$E2E_TMP/locked.html"
printf '<P>secret</P>\r\n' >"$locked"
chmod 000 "$locked"

e2e_start "$page"
e2e_wait_caption "Pemrin v1.37 $page"
e2e_type "x"
e2e_wait_caption "Pemrin v1.37 $page(更新)"

# File > Open: first the question about the changes (No), then the open dialog.
e2e_keys ctrl+o
question=$(e2e_window_exact "更新中の終了に対する警告")
e2e_focus "$question"
e2e_keys alt+n
e2e_window_exact "開く" >/dev/null
sleep 0.5
e2e_type "$locked"
e2e_keys Return
box=$(e2e_window_exact "Open Error")
e2e_screenshot "$E2E_TMP/open-error.png"
e2e_focus "$box"
e2e_keys Escape
e2e_alive
e2e_focus "$E2E_WINDOW"
e2e_wait_caption "Pemrin v1.37 $page(更新)"

e2e_keys ctrl+s
e2e_wait_caption "Pemrin v1.37 $page"
{ printf 'x'; cat "$E2E_TMP/old.html"; } | cmp -s "$page" - || e2e_fail "the document was not kept as it was"
echo "e2e unreadable file: ok"
