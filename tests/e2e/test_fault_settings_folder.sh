#!/usr/bin/env bash
# A settings file that cannot be written (its name taken by a folder): closing the window shows
# "%s に書き込めません" in the error box, and the window stays open with the document in it.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"
ini="$E2E_TMP/app/pemrin.ini"
rm "$ini"
mkdir "$ini"

# Without a settings file the splash window shows first; wait for the main window itself.
e2e_launch
E2E_WINDOW=$(e2e_window_exact "Pemrin v1.37 " 300)
e2e_focus "$E2E_WINDOW"
e2e_type "abc"
e2e_wait_caption "Pemrin v1.37 (更新)"

# File > Exit, No to saving: writing the settings fails.
e2e_keys alt+f x
question=$(e2e_window_exact "更新中の終了に対する警告")
e2e_focus "$question"
e2e_keys alt+n
box=$(e2e_window_exact "Pemrin v1.37")
e2e_screenshot "$E2E_TMP/settings-error.png"
e2e_focus "$box"
e2e_keys Return
sleep 0.5
e2e_alive
[ "$(e2e_window_exact "Pemrin v1.37 (更新)")" = "$E2E_WINDOW" ] || e2e_fail "the main window is gone"
[ -d "$ini" ] || e2e_fail "the folder in the settings file's place was touched"
[ -z "$(ls -A "$ini")" ] || e2e_fail "something was written into the folder"
echo "e2e settings file taken by a folder: ok"
