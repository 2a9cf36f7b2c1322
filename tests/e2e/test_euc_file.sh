#!/usr/bin/env bash
# An EUC-JP file named on the command line: the status bar says EUC, one change made and taken
# back, Ctrl+S, and the file then holds the same text in Shift_JIS.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
page="$E2E_TMP/page.html"
printf '<HTML>\r\n<BODY>\r\n日本語のページです。半角ｶﾀｶﾅも。\r\n</BODY>\r\n</HTML>\r\n' >"$E2E_TMP/page.utf8"
iconv -f UTF-8 -t EUC-JP "$E2E_TMP/page.utf8" >"$page"
iconv -f UTF-8 -t CP932 "$E2E_TMP/page.utf8" >"$E2E_TMP/expected.sjis"

e2e_start "$page"
e2e_wait_caption "Pemrin v1.37 $page"
e2e_type "x"
e2e_wait_caption "Pemrin v1.37 $page(更新)"
e2e_keys BackSpace
e2e_keys ctrl+s
e2e_wait_caption "Pemrin v1.37 $page"
cmp -s "$page" "$E2E_TMP/expected.sjis" || e2e_fail "the saved file is not the text in Shift_JIS"
echo "e2e EUC-JP file: ok"
