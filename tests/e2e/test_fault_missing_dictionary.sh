#!/usr/bin/env bash
# A dictionary missing from the program's folder: its error box comes first, and after OK the
# program runs on: the window takes typing and closes the ordinary way, writing its settings.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
rm "$E2E_TMP/app/fronttag.dic"

e2e_launch
# The start-up stops at the missing file; its error box appears before the main window.
box=$(e2e_window_exact "Pemrin v1.37" 300)
e2e_screenshot "$E2E_TMP/missing-dictionary.png"
e2e_focus "$box"
e2e_keys Return
e2e_alive
E2E_WINDOW=$(e2e_window_exact "Pemrin v1.37")
e2e_focus "$E2E_WINDOW"
e2e_type "abc"
e2e_wait_caption "Pemrin v1.37 (更新)"

e2e_keys alt+f x
question=$(e2e_window_exact "更新中の終了に対する警告")
e2e_focus "$question"
e2e_keys alt+n
e2e_wait_exit
keys=$(grep -c '=' "$E2E_TMP/app/pemrin.ini")
[ "$keys" -eq 17 ] || e2e_fail "pemrin.ini holds $keys keys, expected 17"
echo "e2e missing dictionary: ok"
