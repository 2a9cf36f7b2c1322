#!/usr/bin/env bash
# NUL bytes in a file cut neither the document nor the file saved from it: a Shift_JIS file and
# an EUC-JP file, each with NULs inside a line and after the last line break, opened, changed and
# changed back, then saved; every byte comes back (the EUC-JP text in Shift_JIS).
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

# open_edit_save FILE: opens FILE, types a character and takes it back, saves with Ctrl+S.
open_edit_save() {
  e2e_launch "$1"
  E2E_WINDOW=$(e2e_window_exact "Pemrin v1.37 $1" 300)
  e2e_focus "$E2E_WINDOW"
  e2e_keys ctrl+End
  e2e_type "x"
  e2e_wait_caption "Pemrin v1.37 $1(更新)"
  e2e_keys BackSpace
  e2e_keys ctrl+s
  e2e_wait_caption "Pemrin v1.37 $1"
  e2e_screenshot "$E2E_TMP/$(basename "$1").png"
  kill "$E2E_APP_PID"
  e2e_wait_exit
}

sjis="$E2E_TMP/nul.html"
printf '<P>a\0b\x83\x41\0</P>\r\n\0\0<B>\x93\xfa\x96\x7b</B>\r\n\0' >"$sjis"
cp "$sjis" "$E2E_TMP/sjis.expected"
open_edit_save "$sjis"
cmp -s "$sjis" "$E2E_TMP/sjis.expected" || { od -c "$sjis" >&2; e2e_fail "the Shift_JIS file lost bytes"; }

euc="$E2E_TMP/nul.txt"
printf 'abc\0\xa4\xa2\xa4\xa4\r\n\xc6\xfc\xcb\xdc\xb8\xec\0end\r\n\0' >"$euc"
printf 'abc\0\x82\xa0\x82\xa2\r\n\x93\xfa\x96\x7b\x8c\xea\0end\r\n\0' >"$E2E_TMP/euc.expected"
open_edit_save "$euc"
cmp -s "$euc" "$E2E_TMP/euc.expected" || { od -c "$euc" >&2; e2e_fail "the EUC-JP file lost bytes"; }
echo "e2e NUL bytes: ok"
