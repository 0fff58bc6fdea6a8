#!/usr/bin/env bash
# Takes a screenshot of every screen state of the window, for comparing two builds pixel by pixel.
#
#   screen-states.sh BIN OUTDIR
#
# BIN runs on a virtual X display (xvfb-run, 1024 x 768, 96 dpi) without a window manager, so the
# window has no frame and each picture holds exactly its 826 x 705 pixels. The program is driven
# like a user would: mouse clicks at window points, typing into the fields, key presses. Each state
# is saved as OUTDIR/NN-name.png; the message box states are saved as the box alone and as the
# whole screen (NN-name-root.png).
#
# Several short sessions run one after another, each with a fresh program, so that a state never
# depends on more history than its own session. Before each picture the mouse leaves the window
# (no hover effect, no tooltip), and the picture is taken once two grabs a moment apart are the
# same, so that a slow paint does not decide the outcome. No picture is taken while a text field
# has the keyboard: its blinking cursor would make runs differ. Each typing step ends with a click
# on a button or the check box, and the picture follows that click.
#
# Two builds show the same screens when every pair of pictures is identical:
#   for f in a/*.png; do compare -metric AE "$f" "b/$(basename "$f")" null:; echo; done
set -euo pipefail

if [ "${1:-}" != --inside ]; then
    bin=${1:?usage: screen-states.sh BIN OUTDIR}
    out=${2:?usage: screen-states.sh BIN OUTDIR}
    bin=$(realpath "$bin")
    mkdir -p "$out"
    out=$(realpath "$out")
    rm -f "$out"/[0-9][0-9]-*.png
    # The display number is looked for from a random start: xvfb-run does not wait for its server
    # to end, and a server still ending on the number next tried would remove the new one's socket.
    exec xvfb-run -a -n $((100 + RANDOM % 800)) \
        -s "-screen 0 1024x768x24 -dpi 96 -nolisten tcp" bash "$0" --inside "$bin" "$out"
fi

bin=$2
out=$3
work=$(mktemp -d)
trap 'stop_program; rm -rf "$work"' EXIT

# The same environment for every run: X, no scaling or style from the caller, a runtime folder.
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING \
    QT_FONT_DPI QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME ZEITRAD_EXIT_AFTER_FIRST_PAINT

# A point on the screen outside the window (which is centred: 99..924 x 31..735).
readonly neutralX=1015 neutralY=760

pid=""
win=""
X=0
Y=0
number=0

fail() {
    echo "screen-states: $*" >&2
    exit 1
}

# Moves the pointer to a screen point. (xdotool's --sync waits for a motion, and would wait in vain
# for a pointer that is already there.)
pointer() {
    local at
    at=$(xdotool getmouselocation)
    [[ $at == "x:$1 y:$2 "* ]] || xdotool mousemove --sync "$1" "$2"
}

stop_program() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        pid=""
    fi
}

# Starts a fresh program and waits until its window is shown and the screens built after the
# first paint are ready.
start_program() {
    stop_program
    pointer $neutralX $neutralY
    "$bin" >"$work/program.log" 2>&1 &
    pid=$!
    win=""
    for _ in $(seq 150); do
        win=$(xdotool search --onlyvisible --name '^Zeitrad$' 2>/dev/null | head -n1) || true
        [ -n "$win" ] && break
        kill -0 "$pid" 2>/dev/null || fail "the program ended before its window opened"
        sleep 0.2
    done
    [ -n "$win" ] || fail "the program did not open its window"
    eval "$(xdotool getwindowgeometry --shell "$win")"
    # Without a window manager the keyboard would follow the pointer; give it to the window.
    xdotool windowfocus --sync "$win"
    sleep 1.5
}

# Clicks at a point of the window and moves the mouse off the window again.
click() {
    pointer $((X + $1)) $((Y + $2))
    xdotool click 1
    pointer $neutralX $neutralY
    sleep 0.3
}

# Replaces the text of the field at a window point with the given text.
type_into() {
    pointer $((X + $1)) $((Y + $2))
    xdotool click 1
    xdotool key --clearmodifiers ctrl+a BackSpace
    [ -z "$3" ] || xdotool type --delay 40 "$3"
    pointer $neutralX $neutralY
    sleep 0.2
}

press() {
    xdotool key --clearmodifiers "$@"
    sleep 0.3
}

# Grabs a window (or the root window) into a file once two grabs 0.4 s apart are identical.
steady_grab() {
    local window=$1 file=$2 a=$work/a.png b=$work/b.png
    pointer $neutralX $neutralY
    sleep 0.6
    import -window "$window" "$a"
    for _ in $(seq 25); do
        sleep 0.4
        import -window "$window" "$b"
        if [ "$(compare -metric AE "$a" "$b" null: 2>&1)" = 0 ]; then
            mv "$b" "$file"
            return
        fi
        mv "$b" "$a"
    done
    fail "the picture for $(basename "$file") did not settle"
}

# Saves the window as the next numbered state.
shot() {
    number=$((number + 1))
    local file
    file=$(printf '%s/%02d-%s.png' "$out" "$number" "$1")
    steady_grab "$win" "$file"
    basename "$file"
}

# The message box the program has opened: the visible window of that caption other than the
# main window.
message_box() {
    local box=""
    for _ in $(seq 50); do
        box=$(xdotool search --onlyvisible --name '^Zeitrad$' 2>/dev/null | grep -vx "$win" |
            head -n1) || true
        [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || fail "no message box opened"
    echo "$box"
}

# Saves the message box alone and the whole screen with it, then presses its OK button.
box_shots() {
    local box
    box=$(message_box)
    number=$((number + 1))
    local file
    file=$(printf '%s/%02d-%s' "$out" "$number" "$1")
    steady_grab "$box" "$file.png"
    steady_grab root "$file-root.png"
    echo "$(basename "$file").png $(basename "$file")-root.png"
    xdotool windowfocus --sync "$box"
    press Return
    sleep 0.3
    xdotool search --onlyvisible --name '^Zeitrad$' 2>/dev/null | grep -qvx "$win" &&
        fail "the message box did not close"
    xdotool windowfocus --sync "$win"
}

# Control points in window pixels (the centre of each control, or of a box's indicator).
ok=(427 660)                 # Button4 "OK" on the start screen
input=(72 20)                # Button13 "Berechnungsangaben"
text=(173 20)                # Button3 "Text anzeigen"
course=(253 20)              # Button5 "Deutung"
marking=(353 20)             # Button2 "Mahadasamarkierung"
antardasa=(464 20)           # Button1 "Antardasacolor"
page1=(532 20)               # Button15 "1/3"
page2=(564 20)               # Button16 "2/3"
page3=(596 20)               # Button17 "3/3"
amsa=(632 20)                # Button14 "Amsa"
info=(720 20)                # Button7 "Info"
book=(396 580)               # Button22 "Urtexte nach Maharishi Orvana"
close=(808 16)               # Button18 / Button21 "X" of the course and info screens
day=(334 245)                # Edit4
month=(363 245)              # Edit5
year=(401 245)               # Edit6
degrees=(450 290)            # Edit1
minutes=(479 290)            # Edit2
seconds=(506 290)            # Edit3
tropical=(536 288)           # CheckBox1
calculate=(401 457)          # Button12 on the input screen
widder=(319 336)             # RadioButton1
loewe=(407 360)              # RadioButton5
skorpion=(407 384)           # RadioButton8
# The sign buttons: three columns (x 319, 407, 471) and four lines (y 336, 360, 384, 408).

# Fills the input screen: day month year, degrees minutes seconds.
fill_input() {
    type_into "${day[@]}" "$1"
    type_into "${month[@]}" "$2"
    type_into "${year[@]}" "$3"
    type_into "${degrees[@]}" "$4"
    type_into "${minutes[@]}" "$5"
    type_into "${seconds[@]}" "$6"
}

# Session 1: the screens before any calculation, then a calculation from the empty fields.
start_program
shot start
click "${ok[@]}"
shot after-ok
click "${book[@]}"
shot book
click "${input[@]}"
shot input
click "${info[@]}"
shot info-over-input
click "${close[@]}"
shot info-closed
click "${page1[@]}"
shot page1-before
click "${page2[@]}"
shot page2-before
click "${page3[@]}"
shot page3-before
click "${text[@]}"
shot text
click "${course[@]}"
shot course
click "${close[@]}"
shot course-closed
click "${amsa[@]}"
shot amsa
click "${book[@]}"
shot book-over-amsa
click "${info[@]}"
shot info
# Empty fields stand for the default birth date and Moon position. (The info screen covers the
# toolbar; it is closed first.)
click "${close[@]}"
click "${input[@]}"
click "${calculate[@]}"
shot overview-default
click "${marking[@]}"
shot overview-default-marked
click "${antardasa[@]}"
shot overview-default-antardasacolor

# Session 2: a calculation, the markings, pages and book over the overview, a second input and a
# refused one.
start_program
click "${ok[@]}"
click "${input[@]}"
fill_input 23 12 2012 23 1 1
click "${loewe[@]}"
click "${tropical[@]}"
shot input-typed
click "${calculate[@]}"
shot overview
click "${marking[@]}"
shot overview-marked
click "${antardasa[@]}"
shot overview-antardasacolor
# The book button lies under the overview; the keyboard reaches it: six steps on from
# "Antardasacolor" (Mahadasamarkierung, Text anzeigen, Deutung, Berechnungsangaben, Amsa, the
# book button), and the space bar presses it.
press Tab Tab Tab Tab Tab Tab
press space
shot book-over-overview
click "${page1[@]}"
shot page1-after
click "${page2[@]}"
shot page2-after
click "${page3[@]}"
shot page3-after
click "${input[@]}"
shot input-kept
fill_input 5 7 1980 17 45 30
click "${skorpion[@]}"
click "${tropical[@]}" # unticks it: the second input is sidereal
shot input-second
click "${calculate[@]}"
shot overview-second
click "${input[@]}"
type_into "${day[@]}" 1x
click "${calculate[@]}"
box_shots refused-1x-box
shot refused-1x-after
click "${info[@]}"
shot info-over-input-typed
click "${close[@]}"
shot info-closed-typed

# Session 3: the Moon on a nakshatra's start shows the sample overview picture over the overview;
# the input screen hides it, the next such calculation shows it again.
start_program
click "${ok[@]}"
click "${input[@]}"
fill_input 1 1 2000 0 0 0
click "${widder[@]}"
click "${calculate[@]}"
shot sample-aswini
click "${marking[@]}"
shot sample-marked
click "${input[@]}"
type_into "${degrees[@]}" 13
type_into "${minutes[@]}" 20
click "${widder[@]}"
click "${calculate[@]}"
shot sample-barini
click "${antardasa[@]}"
shot sample-antardasacolor

stop_program
