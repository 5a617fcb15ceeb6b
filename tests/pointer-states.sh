#!/usr/bin/env bash
# The commands' looks under the real pointer, moved by the X server as a mouse moves it (in
# steps, the button held across the window's edge): a release away from a command leaves
# neither its pressed look nor its hover behind; a command that starts a program shows its
# hovered look, not the pressed one, while the program runs; after a page switch the
# command under the resting pointer is hovered; a render shows every page untouched.
#   pointer-states.sh <Autorun.exe> <RecordArgs.exe>
# Runs under Wine with a display. Every wait has a deadline.
set -uo pipefail
launcher=$1
program=$2
work=$(mktemp -d)
disc=$work/disc
launcher_pid=
cleanup() {
  [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
status=0
fail() { echo "FAILED: $*"; status=1; }

mkdir -p "$disc"
cp "$launcher" "$disc/Autorun.exe"
cp "$program" "$disc/RecordArgs.exe"
# Colours are BGR: red normal, green hovered, blue pressed.
cat > "$disc/Autorun.inf" <<'EOF'
[Main]
BackgroundSize=[300, 200]
BackgroundColor=FFFFFF
Title=Pointer states
FontSize=12
CommentRect=[10, 150, 290, 190]
CommentDefault=default comment
Command1_Text=Install
Command1_Rect=[10, 10, 150, 50]
Command1_Action=RecordArgs.exe
Command1_BackgroundColor=0000FF
Command1_BackgroundHoverColor=00FF00
Command1_BackgroundClickColor=FF0000
Command1_Comment=install comment
Command2_Text=Next page
Command2_Rect=[10, 60, 150, 100]
Command2_Action=$Second
Command2_BackgroundColor=0000FF
Command2_BackgroundHoverColor=00FF00
[Second]
BackgroundSize=[300, 200]
BackgroundColor=FFFFFF
Title=Second page
FontSize=12
Command1_Text=Back
Command1_Rect=[10, 60, 150, 100]
Command1_Action=$Back
Command1_BackgroundColor=0000FF
Command1_BackgroundHoverColor=00FF00
EOF

# Polls `check` (a command) for up to 20 s; says what it waited for when it gives up.
wait_for() {
  local what=$1
  shift
  for _ in $(seq 100); do
    "$@" && return 0
    sleep 0.2
  done
  fail "gave up after 20 s waiting for $what (the last colour seen: ${seen:-none})"
  return 1
}
window_named() {
  local found
  found=$(xdotool search --name "^$1\$" 2>/dev/null | head -1)
  [ -n "$found" ] && echo "$found"
}
# The client area's origin on the screen: the frame is as wide on each side, and the
# title bar adds to the top.
locate() {
  local window
  window=$(window_named "$1") || return 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
  left=$((X + (WIDTH - 300) / 2))
  top=$((Y + HEIGHT - 200 - (WIDTH - 300) / 2))
}
# Moves the pointer to client point (x, y) in steps, as a hand would.
glide() {
  local from_x from_y step
  eval "$(xdotool getmouselocation --shell)"
  from_x=$X from_y=$Y
  for step in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $((from_x + (left + $1 - from_x) * step / 10)) $((from_y + (top + $2 - from_y) * step / 10))
    sleep 0.02
  done
}
shot() { import -window root "$work/screen.png"; }
# The colour at client point (x, y), as RRGGBB.
colour_at() {
  shot
  convert "$work/screen.png" -format "%[hex:p{$((left + $1)),$((top + $2))}]" info: | cut -c1-6
}
is_colour() {
  seen=$(colour_at "$1" "$2")
  [ "$seen" = "$3" ]
}
comment_area() { convert "$work/screen.png" -crop "280x40+$((left + 10))+$((top + 150))" "$work/$1.png"; }
shows_default_comment() {
  shot
  comment_area now
  [ "$(compare -metric AE "$work/default.png" "$work/now.png" null: 2>&1)" = 0 ]
}
red=FF0000 green=00FF00 blue=0000FF

xdotool mousemove 0 0
(cd "$disc" && exec wine ./Autorun.exe </dev/null >"$work/launcher.log" 2>&1) &
launcher_pid=$!
wait_for "the launcher's window" locate "Pointer states" || exit 1
wait_for "the first frame" is_colour 140 15 $red || exit 1
comment_area default

# Pressed, dragged out of the window, released there: the command is normal again.
glide 80 30
wait_for "the hovered look" is_colour 140 15 $green
xdotool mousedown 1
wait_for "the pressed look" is_colour 140 15 $blue
glide 450 350
xdotool mouseup 1
wait_for "the normal look after a release outside" is_colour 140 15 $red
# Back onto it and out of the window again: neither the hover nor its comment stays.
glide 80 30
wait_for "the hovered look again" is_colour 140 15 $green
glide -150 -80
wait_for "the normal look once the pointer left" is_colour 140 15 $red
wait_for "the default comment once the pointer left" shows_default_comment

# A click that starts a program (one without a window, which ends at once): hovered, not
# pressed, after it, also while the pointer moves on the command.
glide 80 30
xdotool click 1
wait_for "the started program's record" test -s "$disc/record.txt"
glide 100 35
wait_for "the hovered look after the program" is_colour 140 15 $green

# A page switch under a resting pointer hovers the command that is now under it.
glide 80 80
xdotool click 1
wait_for "the second page" locate "Second page"
wait_for "the command under the resting pointer hovered after the switch" is_colour 140 95 $green
xdotool click 1
wait_for "the first page again" locate "Pointer states"
wait_for "the command under the resting pointer hovered after going back" is_colour 140 95 $green

# A render draws every page untouched, wherever the pointer rests: here on the command
# that the second page has under it.
kill "$launcher_pid" 2>/dev/null
wait "$launcher_pid" 2>/dev/null
launcher_pid=
(cd "$disc" && timeout 120 wine ./Autorun.exe "--render=Z:$work/render" </dev/null >"$work/render.log" 2>&1) ||
  fail "the render ended with $?: $(tr -d '\r' < "$work/render.log")"
for page in Main Second; do
  rendered=$(convert "$work/render/$page.bmp" -format "%[hex:p{140,95}]" info: 2>&1 | cut -c1-6)
  [ "$rendered" = $red ] || fail "the render of page $page shows its command as $rendered, not untouched"
done

[ "$status" = 0 ] && echo "Every look followed the pointer."
exit "$status"
