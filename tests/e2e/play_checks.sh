# What the play-through scripts check on the playfield, whatever platform
# draws it. Each check reads the playfield of the latest screenshot in
# $work/now.png (see poll_shot) and the game's pictures in $data; the
# scripts define read_menu_bar, which sets entry_w, the width of each entry
# of the menu bar. Source it after picture_lib.sh.
PAUSE=4

welcome_is_shown() { below 0.02 "$(rmse "$work/now.png" "$data/Welcome.jpg")"; }

# shows_level N: the top of the playfield is level N's picture.
shows_level() {
  part "$work/now.png" 0 0 600 160 "$work/top.png"
  part "$data/Level00$1.jpg" 0 0 600 160 "$work/level-top.png"
  below 0.02 "$(rmse "$work/top.png" "$work/level-top.png")"
}

# check_prompt_and_panel: fails the step unless the playfield shows the
# level-information panel (black, light grey text) and the prompt over
# level 1's picture, and no red.
check_prompt_and_panel() {
  level_band=$work/level-band.png
  part "$data/Level001.jpg" 150 162 300 30 "$level_band"
  cp "$work/now.png" "$work/prompt.png"
  part "$work/prompt.png" 0 288 185 89 "$work/panel.png"
  # The panel is black; the picture there is dark, but far from all black.
  local black text prompt red
  black=$(pixels_like "$work/panel.png" black 3%)
  [ "$black" -gt 10000 ] || fail "$step" "$last" "only $black of the panel's 16465 pixels are black"
  text=$(pixels_like "$work/panel.png" 'rgb(224,224,224)' 15%)
  [ "$text" -gt 100 ] || fail "$step" "$last" "the panel shows $text light grey text pixels"
  part "$work/prompt.png" 150 162 300 30 "$work/band.png"
  prompt=$(differing "$work/band.png" "$level_band" 20%)
  [ "$prompt" -gt 300 ] || fail "$step" "$last" "the prompt's band differs from the level picture in only $prompt pixels"
  red=$(pixels_like "$work/prompt.png" red 20%)
  [ "$red" -eq 0 ] || fail "$step" "$last" "$red red pixels before Display Margins was chosen"
}

prompt_is_gone() {
  part "$work/now.png" 150 162 300 30 "$work/band.png"
  # The ball may cross the band: a hundred pixels of it are allowed.
  [ "$(differing "$work/band.png" "$level_band" 20%)" -lt 120 ]
}

# At least the goal line, a hundred pixels long in level 1.
margins_shown() { [ "$(pixels_like "$work/now.png" red 20%)" -gt 50 ]; }
margins_gone() { [ "$(pixels_like "$work/now.png" red 20%)" -eq 0 ]; }

# paused: the Pause entry has turned to Resume (its width, pause_width
# before, has changed) and two screenshots in a row are alike: the ball
# and the countdown stand still. Remove $work/before.png first.
paused() {
  read_menu_bar "$last"
  [ ${#entry_w[@]} -eq 6 ] && [ "${entry_w[$PAUSE]}" -ne "$pause_width" ] || return 1
  if [ -f "$work/before.png" ] && [ "$(differing "$work/now.png" "$work/before.png" 0)" -eq 0 ]; then
    cp "$work/now.png" "$work/paused.png"
    return 0
  fi
  cp "$work/now.png" "$work/before.png"
  return 1
}
still_paused() { [ "$(differing "$work/now.png" "$work/paused.png" 0)" -eq 0 ]; }
resumed() {
  read_menu_bar "$last"
  [ ${#entry_w[@]} -eq 6 ] && [ "${entry_w[$PAUSE]}" -eq "$pause_width" ] &&
    [ "$(differing "$work/now.png" "$work/paused.png" 0)" -gt 0 ]
}

# Steps 04 and 05 of a play-through: a click on the prompt of level 1
# starts the level, and a stroke in the lower right, out of the ball's way,
# shows as a white line. The script defines at X Y, which points at the
# playfield in the game's units.
start_level_and_draw() {
  step="a click on the prompt starts the level"
  at 294 180
  xdotool click 1
  poll_shot 04-started 15 prompt_is_gone || fail "$step" "$last" "the prompt is still shown"

  step="a stroke is drawn"
  draw_test_stroke
  part "$data/Level001.jpg" 440 290 120 50 "$work/level-stroke.png"
  poll_shot 05-stroke 10 stroke_is_drawn || fail "$step" "$last" "no white line along the stroke from (450,300) to (550,330)"
}
# The stroke of the play-throughs, from (450,300) to (550,330) in the
# game's units: in the lower right, out of the ball's way on level 1.
draw_test_stroke() {
  at 450 300
  xdotool mousedown 1
  local i
  for i in 1 2 3 4 5 6 7 8 9 10; do at $((450 + 10 * i)) $((300 + 3 * i)); done
  xdotool mouseup 1
}
stroke_is_drawn() {
  part "$work/now.png" 440 290 120 50 "$work/stroke.png"
  [ "$(differing "$work/stroke.png" "$work/level-stroke.png" 20%)" -gt 80 ] &&
    [ "$(pixels_like "$work/stroke.png" white 25%)" -gt 60 ]
}
