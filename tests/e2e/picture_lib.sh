# Screenshots and what the end-to-end scripts read from them, with
# ImageMagick. Source it after xvfb_lib.sh; set shots (the folder the
# screenshots go to) and work (a scratch folder) first.

# fail STEP SHOT MESSAGE: stops the run, naming the step and its screenshot.
fail() {
  echo "FAILED at step \"$1\": $3" >&2
  echo "  screenshot: $2" >&2
  exit 1
}

# shot NAME: the whole screen into $shots/NAME.png; prints the path.
shot() {
  local path=$shots/$1.png
  import -window root "$path"
  echo "$path"
}

# crop IMAGE GEOMETRY OUT: the part WxH+X+Y of IMAGE, as an image of its own.
crop() { convert "$1" -crop "$2" +repage "$3"; }

# part IMAGE X Y W H OUT: a rectangle of an image.
part() { crop "$1" "$4x$5+$2+$3" "$6"; }

# compare answers 1 when the images differ, which is no failure here.

# rmse A B: the root mean square difference of two images of one size, 0 to 1.
rmse() {
  { compare -metric RMSE "$1" "$2" null: 2>&1 || true; } | sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p'
}

# differing A B [FUZZ]: the number of pixels that differ by more than FUZZ.
differing() {
  { compare -metric AE -fuzz "${3:-10%}" "$1" "$2" null: 2>&1 || true; } | awk '{printf "%d\n", $1}'
}

# pixels_like IMAGE COLOUR [FUZZ]: the number of pixels near COLOUR.
pixels_like() {
  local size total
  size=$(identify -format %wx%h "$1")
  convert -size "$size" "xc:$2" "$work/solid.png"
  total=$(( ${size%x*} * ${size#*x} ))
  echo $((total - $(differing "$1" "$work/solid.png" "${3:-10%}")))
}

# below LIMIT VALUE: whether the decimal VALUE is below LIMIT.
below() { awk -v l="$1" -v v="$2" 'BEGIN { exit !(v != "" && v + 0 < l + 0) }'; }

# menu_entries IMAGE: the left and right edge of each word of a menu bar
# strip, one entry a line; the captions are single words, so a gap of more
# than a few blank columns parts two entries.
menu_entries() {
  convert "$1" -colorspace gray -threshold 50% -negate -scale "$(identify -format %w "$1")x1!" -depth 8 txt:- |
    awk -F'[,:() ]+' -v gap="${2:-5}" '
      NR > 1 { x = $1; if ($4 > 0) { if (!open) { start = x; open = 1 } end = x }
               else if (open && x - end > gap) { print start, end; open = 0 } }
      END { if (open) print start, end }'
}

# poll_shot NAME SECONDS CHECK: takes screenshots until CHECK, a function
# that reads the screenshot's playfield in $work/now.png and the screenshot
# itself in $last, succeeds. The last one is kept as NAME. The script
# defines field SHOT OUT, which cuts the playfield out of a screenshot, and
# sets started, when its game was started.
poll_shot() {
  local name=$1 seconds=$2 check=$3
  local deadline=$(($(date +%s) + seconds))
  while :; do
    last=$(shot "$name")
    field "$last" "$work/now.png"
    if "$check"; then
      echo "ok $(($(date +%s) - started)) s  $name"
      return 0
    fi
    [ "$(date +%s)" -ge "$deadline" ] && return 1
    sleep 0.2
  done
}
