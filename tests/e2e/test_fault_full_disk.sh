#!/usr/bin/env bash
# Saving onto a full disk (a small tmpfs): the error box appears, the file on disk is still the
# old one byte for byte, no temporary file is left behind, and the document stays modified, so
# that once there is room again Ctrl+S saves it whole.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
disk="$E2E_TMP/disk"
mkdir -p "$disk"
if ! mount -t tmpfs -o size=512k tmpfs "$disk" 2>/dev/null; then
  echo "SKIP: a tmpfs cannot be mounted here (needs root)"
  exit 0
fi
trap 'umount -l "$disk" 2>/dev/null || true; e2e_cleanup' EXIT

# About 200 KB of Shift_JIS HTML: more than the room left once the disk is filled.
page="$disk/page.html"
perl -e 'print "<P>\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67 line $_</P>\r\n" for 1..6000' >"$page"
cp "$page" "$E2E_TMP/old.html"

e2e_start "$page"
e2e_wait_caption "Pemrin v1.37 $page"
dd if=/dev/zero of="$disk/filler" bs=4k >/dev/null 2>&1 || true
[ "$(df --output=avail -k "$disk" | tail -1 | tr -d ' ')" -lt 64 ] || e2e_fail "the disk did not fill up"

e2e_type "x"
e2e_wait_caption "Pemrin v1.37 $page(更新)"
e2e_keys ctrl+s
box=$(e2e_window_exact "Pemrin v1.37")
e2e_screenshot "$E2E_TMP/full-disk-error.png"
e2e_focus "$box"
e2e_keys Return
e2e_alive
e2e_wait_caption "Pemrin v1.37 $page(更新)"
cmp -s "$page" "$E2E_TMP/old.html" || e2e_fail "the old file was changed by the failed save"
leftovers=$(find "$disk" -name '.page.html.*' | wc -l)
[ "$leftovers" -eq 0 ] || e2e_fail "the failed save left $leftovers temporary file(s)"

# Room again: the same document saves whole.
rm "$disk/filler"
e2e_focus "$E2E_WINDOW"
e2e_keys ctrl+s
e2e_wait_caption "Pemrin v1.37 $page"
{ printf 'x'; cat "$E2E_TMP/old.html"; } | cmp -s "$page" - || e2e_fail "the saved file is not the edited document"
echo "e2e full disk: ok"
