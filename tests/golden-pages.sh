#!/usr/bin/env bash
# The golden pages: every page of the demo disc, of each disc under data/pages and of the
# disc that --new writes, rendered by the launcher in every state (--render) and compared
# with the committed golden pictures pixel for pixel. No pixel may differ, and the set of
# pictures must be the same. The docs' pictures of the demo and of those discs must equal
# their golden pictures too.
#   golden-pages.sh <Autorun.exe> [--update]
# --update writes the renders as the new golden pictures instead: a drawing change updates
# them on purpose, in the same commit, and says why. Runs under Wine with a display.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
launcher=$1
update=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAILED: $*"; status=1; }

# Renders the disc in `source` (with the arguments in its file "args") into $work/<name>. A
# source with a file "new" stands for the disc that --new writes, which must check clean and
# hold the files of the source's folder "files"; one with a file "demo" for the demo disc,
# and one with a file "disc" for the disc of data/pages that it names, each rendered with
# its own arguments.
render() {
  local name=$1 source=$2 disc=$work/$1-disc
  mkdir -p "$disc"
  if [ -f "$source/new" ]; then
    cp "$launcher" "$work/Autorun.exe"
    (cd "$work" && timeout 120 wine ./Autorun.exe "--new=Z:$disc" </dev/null >"$work/$name-new.log" 2>&1) ||
      { fail "$name: --new ended with $?: $(tr -d '\r' < "$work/$name-new.log")"; return 1; }
    (cd "$disc" && timeout 120 wine ./Autorun.exe --check </dev/null >"$work/$name-check.log" 2>&1) ||
      fail "$name: the new disc does not check clean: $(tr -d '\r' < "$work/$name-check.log")"
    compare_files "$name" "$disc" "$source/files"
  else
    [ -f "$source/demo" ] && cp -r "$here/../demo"/. "$disc"/
    [ -f "$source/disc" ] && cp -r "$here/data/pages/$(cat "$source/disc")"/. "$disc"/
    cp -r "$source"/. "$disc"/
    rm -rf "$disc/golden"
    cp "$launcher" "$disc/Autorun.exe"
  fi
  local args=()
  [ -f "$source/args" ] && read -r -a args < "$source/args"
  # A pointer resting on a command would not change the render, but keeps it honest.
  xdotool mousemove 0 0 2>/dev/null || true
  (cd "$disc" && timeout 120 wine ./Autorun.exe "--render=Z:$work/$name" "${args[@]}" </dev/null >"$work/$name.log" 2>&1)
  local code=$?
  [ "$code" = 0 ] || { fail "$name: the render ended with $code: $(tr -d '\r' < "$work/$name.log")"; return 1; }
}

# Compares the files of the disc that --new wrote (but the launcher it copies) with the ones
# in `golden`, byte for byte: its notes and page files are what an author starts from.
compare_files() {
  local name=$1 disc=$2 golden=$3
  if [ "$update" = --update ]; then
    rm -rf "$golden"
    cp -r "$disc" "$golden"
    rm -f "$golden/Autorun.exe"
    echo "updated the golden files of $name"
    return
  fi
  diff -rq --exclude=Autorun.exe "$golden" "$disc" >"$work/files" ||
    fail "$name: the files are not the golden ones: $(cat "$work/files")"
}

# Compares the renders of `name` with the PNG pictures in `golden`.
compare_with() {
  local name=$1 golden=$2 picture base differing
  if [ "$update" = --update ]; then
    # The pictures of Wine's 32-bit FreeType stay; each is made by hand from its render.
    rm -f "$golden"/*.png
    mkdir -p "$golden"
    # Without time stamps, so a picture that did not change stays byte for byte the same.
    for picture in "$work/$name"/*.bmp; do
      convert "$picture" -strip -define png:exclude-chunks=date,time "$golden/$(basename "${picture%.bmp}").png"
    done
    echo "updated $(ls "$golden" | wc -l) golden pictures of $name"
    return
  fi
  diff <(cd "$golden" && ls *.png | sed 's/\.png$//') <(cd "$work/$name" && ls *.bmp | sed 's/\.bmp$//') >"$work/names" ||
    fail "$name: the rendered pictures are not the golden ones (< golden only, > rendered only): $(cat "$work/names")"
  for picture in "$golden"/*.png; do
    base=$(basename "${picture%.png}")
    [ -f "$work/$name/$base.bmp" ] || continue
    differing=$(compare -metric AE "$picture" "$work/$name/$base.bmp" null: 2>&1)
    # Wine's 32-bit FreeType rounds a few anti-aliased glyph pixels of some sizes otherwise
    # than its 64-bit one; where it does, the golden folder holds what the 32-bit one draws.
    if [ "$differing" != 0 ] && [ -f "$golden/32-bit-wine/$base.png" ]; then
      differing=$(compare -metric AE "$golden/32-bit-wine/$base.png" "$work/$name/$base.bmp" null: 2>&1)
    fi
    [ "$differing" = 0 ] || fail "$name: $base differs from its golden picture in $differing pixels"
  done
  echo "$name: $(ls "$golden"/*.png | wc -l) pictures compared"
}

if render demo "$here/../demo"; then
  compare_with demo "$here/data/pages/demo"
fi
for source in "$here"/data/pages/*/; do
  name=$(basename "$source")
  [ "$name" = demo ] && continue
  render "$name" "$source" && compare_with "$name" "$source/golden"
done
for picture in "$here"/../docs/images/*.png; do
  differing=$(compare -metric AE "$picture" "$here/data/pages/demo/$(basename "$picture")" null: 2>&1)
  [ "$differing" = 0 ] || fail "docs/images/$(basename "$picture") is not the demo's golden picture ($differing)"
done
# A folder of docs/images named after a disc of data/pages holds pictures of its golden ones.
for picture in "$here"/../docs/images/*/*.png; do
  name=$(basename "$(dirname "$picture")")
  [ -d "$here/data/pages/$name" ] || continue
  differing=$(compare -metric AE "$picture" "$here/data/pages/$name/golden/$(basename "$picture")" null: 2>&1)
  [ "$differing" = 0 ] || fail "docs/images/$name/$(basename "$picture") is not its golden picture ($differing)"
done
[ "$status" = 0 ] && echo "Every golden page equals its render."
exit "$status"
