#!/usr/bin/env bash
# A 1 MB file on one line (minified HTML): it opens with its tags coloured, takes typing at its
# end, and Ctrl+S saves exactly the edited bytes.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
page="$E2E_TMP/min.html"
perl -e '
  my $piece = "<div class=\"a\"><b>\x93\xfa\x96\x7b</b>text</div>";
  print $piece x int(1024 * 1024 / length($piece) + 1);' >"$page"
{ cat "$page"; printf 'xyz'; } >"$E2E_TMP/expected.html"

e2e_launch "$page"
E2E_WINDOW=$(e2e_window_exact "Pemrin v1.37 $page" 300)
e2e_focus "$E2E_WINDOW"
sleep 0.5
e2e_screenshot "$E2E_TMP/opened.png"
green=$(convert "$E2E_TMP/opened.png" -fill black +opaque '#00FF00' -fill white -opaque '#00FF00' \
  -format '%[fx:int(mean*w*h)]' info:)
[ "$green" -gt 100 ] || e2e_fail "the tags are not coloured ($green green pixels)"

e2e_keys ctrl+End
e2e_type "xyz"
e2e_wait_caption "Pemrin v1.37 $page(更新)"
e2e_screenshot "$E2E_TMP/typed.png"
e2e_keys ctrl+s
e2e_wait_caption "Pemrin v1.37 $page"
cmp -s "$page" "$E2E_TMP/expected.html" || e2e_fail "the saved file is not the edited document"
echo "e2e 1 MB single line: ok"
