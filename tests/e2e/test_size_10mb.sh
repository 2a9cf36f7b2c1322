#!/usr/bin/env bash
# A 10 MB Shift_JIS HTML file in the real window: it opens with its tags coloured, takes typing,
# Replace All changes its 1,210 occurrences, and Ctrl+S saves exactly the edited bytes.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
page="$E2E_TMP/big.html"
# Lines of about 100 bytes: Japanese text between tags; every 100th line holds "needle".
perl -e '
  my $jp = "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67";
  for my $i (1 .. 121000) {
    my $word = $i % 100 == 0 ? "needle" : "plain";
    print "<P>$jp <B>bold</B> $word text <FONT COLOR=\"#FF0000\">red</FONT> $i</P>\r\n";
  }' >"$page"
[ "$(stat -c %s "$page")" -gt $((10 * 1000 * 1000)) ] || e2e_fail "the test file is not 10 MB"
{ printf 'abc'; sed 's/needle/pin/g' "$page"; } >"$E2E_TMP/expected.html"

e2e_launch "$page"
E2E_WINDOW=$(e2e_window_exact "Pemrin v1.37 $page" 600)
e2e_focus "$E2E_WINDOW"
sleep 0.5
# Tags in the tag colour (green on the default black background) fill the first screen.
e2e_screenshot "$E2E_TMP/opened.png"
green=$(convert "$E2E_TMP/opened.png" -fill black +opaque '#00FF00' -fill white -opaque '#00FF00' \
  -format '%[fx:int(mean*w*h)]' info:)
[ "$green" -gt 500 ] || e2e_fail "the tags are not coloured ($green green pixels)"

e2e_keys ctrl+Home
e2e_type "abc"
e2e_wait_caption "Pemrin v1.37 $page(更新)"

e2e_keys ctrl+Home
e2e_keys alt+s r
replace=$(e2e_window_exact "置換")
e2e_focus "$replace"
e2e_type "needle"
e2e_keys Tab
e2e_type "pin"
e2e_keys alt+a
box=$(e2e_window_exact "Pemrin v1.37" 600)
e2e_focus "$box"
e2e_keys Return
e2e_focus "$replace"
e2e_keys Escape
e2e_focus "$E2E_WINDOW"
e2e_keys ctrl+s
E2E_WINDOW=$(e2e_window_exact "Pemrin v1.37 $page" 300)
cmp -s "$page" "$E2E_TMP/expected.html" || e2e_fail "the saved file is not the edited document"
echo "e2e 10 MB file: ok"
