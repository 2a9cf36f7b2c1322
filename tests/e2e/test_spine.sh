#!/usr/bin/env bash
# The real program from a copy of its folder: the caption after start, typing marks it
# modified, File > Exit asks to save, and closing writes the settings file.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
e2e_start
e2e_wait_caption "Pemrin v1.37 "
e2e_screenshot "$E2E_TMP/started.png"

e2e_type "x"
e2e_wait_caption "Pemrin v1.37 (更新)"

# File > Exit (Alt+F, X): the document is modified, so the program asks; No discards.
e2e_keys alt+f x
box=$(e2e_wait_window '更新中の終了に対する警告')
e2e_focus "$box"
e2e_keys alt+n
e2e_wait_exit

ini="$E2E_TMP/app/pemrin.ini"
keys=$(grep -c '=' "$ini")
[ "$keys" -eq 17 ] || e2e_fail "pemrin.ini holds $keys keys, expected 17"
grep -q '^SPW=0' "$ini" || e2e_fail "SPW was not kept"
grep -q '^TAG_COLOR=65280' "$ini" || e2e_fail "TAG_COLOR missing"
echo "e2e spine: ok"
