#!/usr/bin/env bash
# The program killed (SIGKILL) in the middle of saving a 10 MB document, at several moments:
# while it encodes the text, as its temporary file appears, and a few milliseconds into writing
# it. Afterwards the file is byte for byte either the old contents or the new, never a mix and
# never cut short.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
page="$E2E_TMP/big.html"
perl -e 'my $l = "<P>\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67 <B>bold</B> text ".("x" x 60)."</P>\r\n"; print $l for 1..(10*1024*1024/length($l))' >"$E2E_TMP/old.html"
{ printf 'x'; cat "$E2E_TMP/old.html"; } >"$E2E_TMP/new.html"

temporary_exists() { compgen -G "$E2E_TMP/.big.html.*.tmp" >/dev/null; }

mid_write=0
for moment in encoding 0 0.002 0.005 0.02 0.5; do
  cp "$E2E_TMP/old.html" "$page"
  e2e_launch "$page"
  E2E_WINDOW=$(e2e_window_exact "Pemrin v1.37 $page" 600)
  e2e_focus "$E2E_WINDOW"
  e2e_type "x"
  e2e_wait_caption "Pemrin v1.37 $page(更新)"
  xdotool key ctrl+s
  if [ "$moment" = encoding ]; then
    sleep 0.03
  else
    # The moment the temporary file appears the write has begun.
    for _ in $(seq 1 2000); do temporary_exists && break; sleep 0.001; done
    sleep "$moment"
  fi
  kill -9 "$E2E_APP_PID"
  while kill -0 "$E2E_APP_PID" 2>/dev/null; do sleep 0.01; done
  E2E_APP_PID=""
  if temporary_exists; then
    mid_write=$((mid_write + 1))
    rm -f "$E2E_TMP"/.big.html.*.tmp
  fi
  if cmp -s "$page" "$E2E_TMP/old.html"; then
    echo "killed at $moment: the old file"
  elif cmp -s "$page" "$E2E_TMP/new.html"; then
    echo "killed at $moment: the new file"
  else
    e2e_fail "killed at $moment: the file is neither the old nor the new ($(stat -c %s "$page") bytes)"
  fi
done
[ "$mid_write" -gt 0 ] || e2e_fail "no kill came while the temporary file was being written"
echo "e2e kill during save: ok ($mid_write of 6 kills during the write)"
