# Sourced by the test scripts that play the real program: starting it, where
# its cells are, and what the screen shows. Builds on the X session helper.
. "$(dirname "${BASH_SOURCE[0]}")/../../tools/xsession.sh"

# start_zarnik [WRAPPER...]: runs the program (under WRAPPER if given) and
# waits for its window; sets zarnik_pid, window and the client origin X, Y.
start_zarnik() {
    "$@" "$zarnik" 2>"$tmp/stderr" &
    zarnik_pid=$!
    pids+=("$zarnik_pid")
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zarnik$' | head -1)
    [ -n "$window" ] || fail "no window appeared: $(cat "$tmp/stderr")"
    eval "$(xdotool getwindowgeometry --shell "$window")"
}

# The other window titled Zarnik: the cleared message, if it is up.
message_box() { xdotool search --onlyvisible --name '^Zarnik$' | grep -vx "$window" | head -1 || true; }
wait_for_box() {  # wait_for_box up|down
    local _
    for _ in $(seq 100); do
        if [ "$1" = up ]; then [ -n "$(message_box)" ] && return 0; else [ -z "$(message_box)" ] && return 0; fi
        sleep 0.05
    done
    fail "the cleared message did not go $1"
}

px() { echo $((($1 * 96 + 720) / 1440)); }  # twips to pixels at 96 DPI, rounded
cell_xy() { echo $((X + $(px $((667 + 840 * ($1 % 5)))))) $((Y + $(px $((667 + 840 * ($1 / 5)))))); }
command2_xy() { echo $((X + $(px 2467))) $((Y + $(px 5047))); }  # the new-game button's centre

# The board as the screen shows it, cell 0 first: o where the middle of the
# tile is pale (red < 200), x where it is red (255), ? for anything else.
screen_board() {
    local format="" k x y
    for k in $(seq 0 24); do
        read -r x y <<<"$(cell_xy "$k")"
        format+="%[fx:int(255*p{$x,$y}.r+.5)] "
    done
    xwd -root -silent | convert xwd:- -format "$format" info: |
        awk '{ for (i = 1; i <= NF; i++) printf ($i == 255 ? "x" : $i < 200 ? "o" : "?") }'
}

# The board by the rule, as a 25-bit mask with bit k set while cell k is in
# the start state; shown in the same letters as screen_board.
all_start=$(((1 << 25) - 1))
press() {
    local k=$1 m=$((1 << $1))
    ((k >= 5)) && m=$((m | 1 << (k - 5)))
    ((k < 20)) && m=$((m | 1 << (k + 5)))
    ((k % 5 != 0)) && m=$((m | 1 << (k - 1)))
    ((k % 5 != 4)) && m=$((m | 1 << (k + 1)))
    mask=$((mask ^ m))
}
shown() {
    local k out=""
    for k in $(seq 0 24); do out+=$(((mask >> k) & 1 ? 1 : 0)); done
    tr 10 ox <<<"$out"
}

# Waits until the screen shows the board expected, which the program reaches
# once it has worked through its input.
expect_board() {  # expect_board WHAT
    local seen _
    for _ in $(seq 50); do
        seen=$(screen_board)
        [ "$seen" = "$(shown)" ] && return 0
        sleep 0.2
    done
    fail "$1: the screen shows $seen, expected $(shown)"
}
