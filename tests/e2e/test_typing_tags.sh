#!/usr/bin/env bash
# The tag assistance with real key presses: completion of a tag and an attribute, '>' closing
# a tag, Enter repeating the line's tabs; then Save As through the real save dialog, and the
# bytes on disk.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
e2e_start
e2e_wait_caption "Pemrin v1.37 "

# The caret to the first empty line inside BODY.
e2e_keys ctrl+Home Down Down Down Down Down Down Down
e2e_type "<fo"
e2e_keys Tab Tab Escape Return
e2e_type " co"
e2e_keys Tab Return
e2e_type "=red"
e2e_keys End
e2e_type "x<marquee>"
e2e_keys Return Tab
e2e_type "text"
e2e_keys Return
e2e_screenshot "$E2E_TMP/typed.png"

# File > Save As: the dialog opens with the focus in its name field.
saved="$E2E_TMP/typed.html"
e2e_keys alt+f a
e2e_wait_window '.' >/dev/null
sleep 0.5
e2e_type "$saved"
e2e_keys Return
for _ in $(seq 1 50); do [ -f "$saved" ] && break; sleep 0.1; done
[ -f "$saved" ] || e2e_fail "nothing was saved"
e2e_wait_caption "Pemrin v1.37 $saved"

# Line 8 holds the typed tags, then the typed line with its tab, then the old empty line 8
# behind the copied tab; the other eight empty lines follow.
expected_file="$E2E_TMP/expected.html"
{
  printf '%s\r\n' '<HTML>' '<HEAD>' \
    '<META HTTP-EQUIV="Content-Type" CONTENT="text/html;charset=x-sjis">' \
    '<META NAME="GENERATOR" CONTENT="Pemrin v1.37">' '<TITLE></TITLE>' '</HEAD>' '<BODY>' \
    '<FONT COLOR=red>x<MARQUEE>'
  printf '\ttext\r\n\t\r\n'
  printf '\r\n%.0s' 1 2 3 4 5 6 7 8
  printf '</BODY>\r\n</HTML>'
} >"$expected_file"
if ! cmp -s "$saved" "$expected_file"; then
  echo "saved:" >&2
  cat -A "$saved" >&2
  e2e_fail "the saved bytes differ"
fi
echo "e2e typing tags: ok"
