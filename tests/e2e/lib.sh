# Helpers for the end-to-end tests: the real program in a real X server (Xvfb), driven by real
# key presses (xdotool). Source this file; call e2e_setup BIN_DIR first.

set -euo pipefail

E2E_TMP=""
E2E_XVFB_PID=""
E2E_APP_PID=""
E2E_WINDOW=""

e2e_fail() {
  echo "FAIL: $*" >&2
  if [ -n "$E2E_TMP" ] && [ -s "$E2E_TMP/app.log" ]; then
    echo "the program's output:" >&2
    tail -20 "$E2E_TMP/app.log" >&2
  fi
  if [ -n "$E2E_TMP" ] && [ -n "${DISPLAY:-}" ]; then
    import -window root "$E2E_TMP/failure.png" 2>/dev/null && echo "screenshot: $E2E_TMP/failure.png" >&2
  fi
  exit 1
}

e2e_cleanup() {
  [ -n "$E2E_APP_PID" ] && kill -9 "$E2E_APP_PID" 2>/dev/null || true
  [ -n "$E2E_XVFB_PID" ] && kill "$E2E_XVFB_PID" 2>/dev/null || true
  if [ -n "$E2E_TMP" ] && [ -z "${E2E_KEEP:-}" ]; then rm -rf "$E2E_TMP"; fi
}

# e2e_setup BIN_DIR: a copy of the program folder in a fresh temporary folder (so that the
# program is started from somewhere else and writes its settings there), and an X server.
e2e_setup() {
  local bin_dir=$1
  E2E_TMP=$(mktemp -d /tmp/pemrin-e2e.XXXXXX)
  trap e2e_cleanup EXIT
  mkdir -p "$E2E_TMP/app"
  cp "$bin_dir/pemrin" "$E2E_TMP/app/pemrin"
  cp "$bin_dir"/*.dic "$bin_dir"/*.tlt "$bin_dir"/*.url "$E2E_TMP/app/"
  # Start without a splash window: the tests do not wait for it.
  printf '[SET]\r\nSPW=0\r\n' > "$E2E_TMP/app/pemrin.ini"
  local display
  for display in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
  done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  E2E_XVFB_PID=$!
  export DISPLAY=":$display"
  for _ in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  xdpyinfo >/dev/null 2>&1 || e2e_fail "Xvfb did not start"
  export QT_QPA_PLATFORM=xcb
  unset QT_IM_MODULE
}

# e2e_start [ARGS...]: starts the program and waits for its main window. E2E_LAUNCHER, when
# set, is a command (with its options) the program is started through.
e2e_start() {
  e2e_launch "$@"
  for _ in $(seq 1 100); do
    E2E_WINDOW=$(xdotool search --onlyvisible --pid "$E2E_APP_PID" --name 'Pemrin v1\.37' 2>/dev/null | head -1 || true)
    [ -n "$E2E_WINDOW" ] && break
    sleep 0.1
  done
  [ -n "$E2E_WINDOW" ] || e2e_fail "the main window did not appear"
  e2e_focus "$E2E_WINDOW"
}

# e2e_focus WINDOW: gives WINDOW the keyboard focus. The X server runs without a window
# manager, so the focus is set directly, as a window manager would on a click.
e2e_focus() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  sleep 0.3
}

# e2e_launch [ARGS...]: starts the program without waiting for anything.
e2e_launch() {
  # shellcheck disable=SC2086
  ${E2E_LAUNCHER:-} "$E2E_TMP/app/pemrin" "$@" >"$E2E_TMP/app.log" 2>&1 &
  E2E_APP_PID=$!
  disown "$E2E_APP_PID" 2>/dev/null || true  # no job notice when the clean-up kills it
}

e2e_caption() { xdotool getwindowname "$E2E_WINDOW"; }

# e2e_window_exact NAME [TENTHS]: waits (15 s, or TENTHS tenths of a second) for a visible window
# of the program whose name is exactly NAME; prints its id. (xdotool search with --pid and
# --name lists the windows that meet either, so the name is compared here.)
e2e_window_exact() {
  local id
  for _ in $(seq 1 "${2:-150}"); do
    for id in $(xdotool search --onlyvisible --pid "$E2E_APP_PID" --name '.' 2>/dev/null || true); do
      if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.1
  done
  e2e_fail "no window named exactly '$1'"
}

# e2e_alive: fails unless the program is still running.
e2e_alive() {
  kill -0 "$E2E_APP_PID" 2>/dev/null || e2e_fail "the program has ended"
}

# e2e_wait_caption EXPECTED: waits until the main window's caption is EXPECTED.
e2e_wait_caption() {
  local expected=$1 caption=""
  for _ in $(seq 1 50); do
    caption=$(e2e_caption)
    [ "$caption" = "$expected" ] && return 0
    sleep 0.1
  done
  e2e_fail "caption is '$caption', expected '$expected'"
}

# e2e_wait_window NAME_REGEX: waits for a window of the program with that title; prints its id.
e2e_wait_window() {
  local id=""
  for _ in $(seq 1 50); do
    id=$(xdotool search --onlyvisible --pid "$E2E_APP_PID" --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  e2e_fail "no window named '$1'"
}

e2e_keys() { xdotool key --delay 40 "$@"; sleep 0.2; }
e2e_type() { xdotool type --delay 40 "$1"; sleep 0.2; }

# e2e_wait_exit: waits for the program to end.
e2e_wait_exit() {
  for _ in $(seq 1 50); do
    kill -0 "$E2E_APP_PID" 2>/dev/null || { E2E_APP_PID=""; return 0; }
    sleep 0.1
  done
  e2e_fail "the program did not end"
}

e2e_screenshot() { import -window root "$1"; }
