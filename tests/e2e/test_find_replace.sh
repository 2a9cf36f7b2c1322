#!/usr/bin/env bash
# Find, find again and Replace All by keyboard in a Shift_JIS file, then Ctrl+S: the saved
# bytes hold every replacement and nothing else changed.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
page="$E2E_TMP/fruit.html"
printf '<P>りんご apple</P>\r\n<P>apple パイ</P>\r\n<P>Apple と apple</P>\r\n' >"$E2E_TMP/fruit.utf8"
iconv -f UTF-8 -t CP932 "$E2E_TMP/fruit.utf8" >"$page"
sed -e '2s/apple/plum/' -e 's/[Aa]pple/pear/g' "$E2E_TMP/fruit.utf8" | iconv -f UTF-8 -t CP932 >"$E2E_TMP/expected.sjis"

e2e_start "$page"
e2e_wait_caption "Pemrin v1.37 $page"

# Ctrl+F, the find text, Enter: the first occurrence, and the keys are the editor's again, so
# F3 finds the second and what is typed replaces it.
e2e_keys ctrl+f
find=$(e2e_wait_window '^検索$')
e2e_type "apple"
e2e_keys Return F3
e2e_type "plum"
e2e_focus "$find"
e2e_keys Escape
e2e_focus "$E2E_WINDOW"

# Back to the top, then Search > Replace: find text, Tab, replace text, Alt+A for Replace All.
e2e_keys ctrl+Home
e2e_keys alt+s r
replace=$(e2e_wait_window '^置換$')
e2e_type "apple"
e2e_keys Tab
e2e_type "pear"
e2e_keys alt+a
box=$(e2e_wait_window '^Pemrin v1\.37$')
e2e_screenshot "$E2E_TMP/replaced.png"
e2e_keys Return
e2e_focus "$replace"
e2e_keys Escape
e2e_focus "$E2E_WINDOW"
e2e_keys ctrl+s
e2e_wait_caption "Pemrin v1.37 $page"
cmp -s "$page" "$E2E_TMP/expected.sjis" || { od -c "$page" | head >&2; e2e_fail "the saved bytes differ"; }
echo "e2e find and replace: ok"
