#!/bin/bash
# A blind player's game with Orca itself, headless (speech into libao's null
# driver), heard in Orca's debug log: a few moves, a new game and a clear.
#   screen_reader.sh ZARNIK
set -euo pipefail
. "$(dirname "$0")/../../support/game.sh"
start_xvfb
start_wm

export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config XDG_DATA_HOME=$tmp/home/.local GSETTINGS_BACKEND=memory
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_DATA_HOME/orca"
printf '%s\n' 'AudioOutputMethod "libao"' 'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"' \
    'DefaultModule espeak-ng' 'DisableAutoSpawn' >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
echo default_driver=null >"$HOME/.libao"
speech-dispatcher --run-single --timeout 0 >"$tmp/speechd.log" 2>&1 &
pids+=($!)
eventually test -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" || fail "no speech-dispatcher"
# Orca opens its log fully buffered; the customizations it runs at start make it flush each line.
printf 'from orca import debug\nif debug.debugFile: debug.debugFile.reconfigure(line_buffering=True)\n' \
    >"$XDG_DATA_HOME/orca/orca-customizations.py"
# Orca starts no second Orca of a user anywhere on the machine (a plain chroot
# sees the host's processes): another test run's is waited for, a minute at most.
timeout 60 pidwait -u "$(id -u)" -x orca || :
LANG=C.UTF-8 orca --user-prefs "$XDG_DATA_HOME/orca" --debug-file "$tmp/orca.log" >"$tmp/orca.out" 2>&1 &
pids+=($!)
eventually grep -q "SPEECH OUTPUT" "$tmp/orca.log" 2>/dev/null || fail "Orca did not start: $(tail -3 "$tmp/orca.out")"

# hear KEYS WORDS...: after the keys, Orca says one line beginning with each
# of WORDS, in any order (Orca 48 puts an alert first); no KEYS: since the last.
heard=1
spoken() { tail -n "+$heard" "$tmp/orca.log" | sed -n "s/^[0-9:.]* - SPEECH OUTPUT: '\(.*\)' *{.*/\1/p" | sed 's/[ .]*$//'; }
said_once() {  # said_once AT_LEAST WORD...
    local least=$1 word count && shift
    said=$(spoken)
    for word in "$@"; do
        count=$(awk -v word="$word" 'index($0, word) == 1' <<<"$said" | wc -l)
        ((count >= least && count <= 1)) || return 1
    done
}
# Until Orca has been quiet for a second: what it says later belongs to no step.
quiet() { local size=-1; while [ "$size" != "$(stat -c %s "$tmp/orca.log")" ]; do size=$(stat -c %s "$tmp/orca.log") && sleep 1; done; }
hear() {
    local keys=$1 && shift
    if [ -n "$keys" ]; then
        quiet
        heard=$(($(wc -l <"$tmp/orca.log") + 1))
        key $keys
    fi
    eventually said_once 1 "$@" && sleep 0.5 && said_once 0 "$@" ||
        fail "after '$keys' Orca said: $(tr '\n' '|' <<<"${said:-}") not, once each: $*"
}
# What a press on cell $1 says after the presses so far.
phrase() {
    local board && board=$("$tools/zarnik_board_reference" "${presses[@]}")
    local side=StartNews && [ "${board:$1:1}" = x ] && side=TurnedNews
    echo "${texts[$side]}${texts[RemainingNews]}$(tr -dc o <<<"$board" | wc -c)"
}
start_game linux "$1" 1
start=$("$tools/zarnik_board_reference") && cells=${#start}  # the new-game button comes after them
hear "" "${texts[Name 0]} check box not checked" "${texts[Start]}"
presses+=(0) && hear space checked "$(phrase 0)"
hear Right "${texts[Name 1]} check box checked" "${texts[Turned]}"
presses+=(1) && hear space "not checked" "$(phrase 1)"
hear "Down Down Down Down Down" "${texts[Name $cells]}"
presses=()
hear space "${texts[NewGameNews]}${texts[RemainingNews]}$cells"
# A clear, the last press on the bottom row's middle, reached from the new game.
[[ " $(clearing_presses) " == *" 22 "* ]] || fail "the clear does not press cell 22"
click_each $(clearing_presses | tr ' ' '\n' | grep -vx 22)
hear "Down Down Down Down Down Up" "${texts[Name 22]} check box not checked"
presses+=(22) && hear space "$(phrase 22)" "alert ${texts[Prompt]}" OK
hear Return "${texts[Name 22]} check box checked"

echo "Orca heard each press, the new game and the clear"
