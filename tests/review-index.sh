#!/usr/bin/env bash
# The review of every language: a disc made by --new, rendered with -l:all as PNG, gives a
# sub-folder of pictures for each of its languages and an index.html that a browser opens
# with every picture it references loaded. Debian's chromium reads the index headless; a
# script added to a copy of it tells how many pictures loaded and which did not. The same
# disc rendered with --dpi=all gives a sub-folder for each scale, its page as wide as the
# scale makes it, and an index of them.
#   review-index.sh <Autorun.exe>
set -uo pipefail
launcher=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

cp "$launcher" "$work/Autorun.exe"
(cd "$work" && timeout 120 wine ./Autorun.exe "--new=Z:$work/disc" </dev/null >"$work/new.log" 2>&1) ||
  fail "--new ended with $?: $(tr -d '\r' < "$work/new.log")"
printf 'Command7_Text=Mehr\r\nCommand7_Rect=[200, 296, 330, 324]\r\nCommand7_Action=$Exit\r\n' >>"$work/disc/Pages/Autorun2.ini"
(cd "$work/disc" && timeout 300 wine ./Autorun.exe --render=Review -l:all --render-format=png </dev/null \
  >"$work/render.log" 2>&1) || fail "the render ended with $?: $(tr -d '\r' < "$work/render.log")"
review=$work/disc/Review
[ -f "$review/index.html" ] || fail "no index.html beside the pictures: $(ls "$review")"
# The German page has a seventh command, whose pictures' rows have none in the English column.
for language in en-US:16 de-DE:19; do
  [ "$(ls "$review/${language%:*}" | grep -c '\.png$')" = "${language#*:}" ] ||
    fail "${language%:*} has not its ${language#*:} pictures: $(ls "$review/${language%:*}")"
  identify "$review/${language%:*}/Main.png" >/dev/null 2>&1 || fail "${language%:*}/Main.png is no picture"
done
[ "$(grep -o '<td>(none)</td>' "$review/index.html" | wc -l)" = 3 ] || fail "the English column lacks not 3 pictures"
[ "$(ls "$review/de-DE" | grep -vc '\.png$')" = 0 ] || fail "files that are no PNG pictures: $(ls "$review/de-DE")"

# Pictures that a browser could not load have no natural width.
report='<script>window.addEventListener("load", () => { const all = [...document.images];
  const broken = all.filter(i => !(i.complete \&\& i.naturalWidth > 0)).map(i => i.getAttribute("src"));
  document.body.setAttribute("data-result", "pictures " + all.length + " broken " + broken.length + " " + broken.join(" "));
});</script></body>'
sed "s|</body>|$(echo "$report" | tr '\n' ' ')|" "$review/index.html" >"$review/check.html"
result=$(timeout 120 chromium --headless --no-sandbox --disable-gpu --allow-file-access-from-files \
  --virtual-time-budget=10000 --dump-dom "file://$review/check.html" 2>"$work/chromium.log" |
  grep -o 'data-result="[^"]*"')
[ "$result" = 'data-result="pictures 35 broken 0 "' ] ||
  fail "the browser read the index as ${result:-nothing}: $(tail -3 "$work/chromium.log")"

(cd "$work/disc" && timeout 600 wine ./Autorun.exe --render=Scales --dpi=all </dev/null >"$work/scales.log" 2>&1) ||
  fail "the render at every scale ended with $?: $(tr -d '\r' < "$work/scales.log")"
for scale in 96:560 120:700 144:840 192:1120; do
  folder=$work/disc/Scales/${scale%%:*}dpi
  [ "$(ls "$folder" | grep -c '\.bmp$')" = 16 ] || fail "${folder##*/} has not its 16 pictures: $(ls "$folder")"
  width=$(identify -format %w "$folder/Main.bmp" 2>/dev/null)
  [ "$width" = "${scale##*:}" ] || fail "${folder##*/}/Main.bmp is ${width:-no picture} wide, not ${scale##*:}"
  grep -q "src=\"${scale%%:*}dpi/Main.bmp\"" "$work/disc/Scales/index.html" || fail "the index shows no ${scale%%:*}dpi/Main.bmp"
done
echo "Both languages' pictures load from the index, and the English column names the 3 it lacks; the four scales' pictures are as wide as their scale."
