#!/usr/bin/env bash
# One program's four screens, inside an X server of its own (see compare-screens.sh):
#     screens-session.sh PROGRAM OUTPUT-FOLDER SETTINGS-FILE
# There is no window manager: X leaves the keyboard with no window when a box closes, so the
# main window gets the focus back before every key.
set -euo pipefail
program="$1" dir="$2" setup="$3"

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

wait_for_window() {
    local name="$1" id=""
    for _ in $(seq 100); do
        id="$(xdotool search --onlyvisible --name "$name" 2>/dev/null | tail -n 1 || true)"
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || { echo "no window '$name'" >&2; exit 1; }
    echo "$id"
}

shot() {
    # Let the last repaint land, keep the pointer out of the way, then take the screen.
    xdotool mousemove 1279 1023
    sleep 0.6
    import -window root "$dir/$1.png"
}

main="$(wait_for_window Ondulix-K)"
xdotool windowfocus --sync "$main"
shot startup

xdotool key alt+f
shot file-menu
xdotool key Escape Escape

# Tab runs from the Start/Stop button over both view sliders to the first source button.
xdotool windowfocus --sync "$main"
xdotool key Tab Tab Tab space
wait_for_window "入力" >/dev/null
# The field's cursor blinks, on for half a second and off for half: four pictures about three
# quarters of a second apart (a picture takes half a second) catch it both shown and hidden.
shot input-box-1
for i in 2 3 4; do
    sleep 0.25
    import -window root "$dir/input-box-$i.png"
done
xdotool key Escape Escape

xdotool windowfocus --sync "$main"
xdotool key alt+f o
dialog=""
for _ in $(seq 100); do
    dialog="$(xdotool search --onlyvisible --class ondulix-k | grep -v "^$main\$" | tail -n 1 || true)"
    [ -n "$dialog" ] && break
    sleep 0.1
done
[ -n "$dialog" ] || { echo "no file dialog" >&2; exit 1; }
xdotool windowfocus --sync "$dialog"
sleep 0.5
xdotool type --delay 20 "$setup"
xdotool key Return
sleep 0.8

# The window's geometry without a frame: the Start/Stop button's middle in screen pixels.
eval "$(xdotool getwindowgeometry --shell "$main")"
start_x=$((X + 656 + 313 / 2))
start_y=$((Y + HEIGHT - 656 + 8 + 33 / 2))
xdotool windowfocus --sync "$main"
for _ in $(seq 10); do
    xdotool mousemove "$start_x" "$start_y" click 1
    sleep 0.3
done
shot ten-frames
