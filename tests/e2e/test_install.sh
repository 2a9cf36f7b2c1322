#!/usr/bin/env bash
# Installing into a fresh prefix: the program and its data files in one folder, the launcher in
# bin/, a desktop entry that validates and the icon in the hicolor theme; the installed program
# starts from its launcher, finds its dictionaries (no error box) and writes its settings file
# beside itself when it closes.
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# window_named PID NAME: the first visible window of the process whose name is exactly NAME.
window_named() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$1" --name '.' 2>/dev/null || true); do
    if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$2" ]; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# --- Inside the X server: start the launcher, look at the windows, close it ---------------------
if [ "${1:-}" = "--inner" ]; then
  prefix=$2
  export QT_QPA_PLATFORM=xcb
  unset QT_IM_MODULE
  # Started from elsewhere, by the launcher's name as a desktop would.
  cd /
  "$prefix/bin/pemrin" >"$prefix/app.log" 2>&1 &
  pid=$!
  trap 'kill -9 $pid 2>/dev/null || true' EXIT

  # After the first load the caption is "Pemrin v1.37 " (a trailing blank, no document). An
  # error during start-up (a dictionary not found) would show the error box, titled
  # "Pemrin v1.37", and leave the caption without the blank.
  window=""
  for _ in $(seq 1 100); do
    kill -0 $pid 2>/dev/null || fail "the program ended during start-up: $(cat "$prefix/app.log")"
    window=$(window_named $pid "Pemrin v1.37 " || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "the main window did not appear after the first load"
  sleep 2
  kill -0 $pid 2>/dev/null || fail "the program did not stay up"
  if window_named $pid "Pemrin v1.37" >/dev/null; then
    fail "an error box is shown"
  fi

  # File > Exit: an unchanged document closes without a question.
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window" || true
  sleep 0.3
  xdotool key --delay 60 alt+f x
  for _ in $(seq 1 50); do
    kill -0 $pid 2>/dev/null || exit 0
    sleep 0.1
  done
  fail "the program did not end on File > Exit"
fi

# --- Outside: install, check the layout, run the inner part under Xvfb -------------------------
bin_dir=$(cd "$1" && pwd)
build_dir=$(dirname "$bin_dir")
prefix=$(mktemp -d /tmp/pemrin-install.XXXXXX)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >"$prefix/install.log" 2>&1 ||
  fail "cmake --install failed: $(cat "$prefix/install.log")"

app_dir="$prefix/lib/pemrin"
[ -x "$app_dir/pemrin" ] || fail "no program in lib/pemrin"
for data in fronttag.dic backtag.dic frontop.dic ietag.dic nntag.dic new.tlt varne.url; do
  [ -f "$app_dir/$data" ] || fail "$data is not beside the program"
  cmp -s "$app_dir/$data" "$bin_dir/$data" || fail "$data differs from the build's copy"
done
[ -L "$prefix/bin/pemrin" ] || fail "bin/pemrin is not a link"
[ "$(readlink -f "$prefix/bin/pemrin")" = "$(readlink -f "$app_dir/pemrin")" ] ||
  fail "bin/pemrin does not lead to the program"

desktop="$prefix/share/applications/pemrin.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
grep -qx 'Exec=pemrin %f' "$desktop" || fail "Exec line"
grep -qx 'MimeType=text/html;text/plain;' "$desktop" || fail "MimeType line"
grep -q '^Name\[ja\]=' "$desktop" && grep -q '^Comment\[ja\]=' "$desktop" ||
  fail "no Japanese name or comment"
icon="$prefix/share/icons/hicolor/scalable/apps/pemrin.svg"
[ -f "$icon" ] || fail "no icon in the hicolor theme"
grep -q '<svg' "$icon" || fail "the icon is no SVG"

[ ! -e "$app_dir/pemrin.ini" ] || fail "a settings file was installed"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash "$0" --inner "$prefix" ||
  fail "the installed program did not run as expected"

ini="$app_dir/pemrin.ini"
[ -f "$ini" ] || fail "closing did not write pemrin.ini beside the program"
keys=$(grep -c '=' "$ini")
[ "$keys" -eq 17 ] || fail "pemrin.ini holds $keys keys, expected 17"
echo "e2e install: ok"
