#!/usr/bin/env bash
# Makes the game's short sounds (data/sfx/*.ogg) and its music loop (data/music/theme.ogg) from plain
# tones with sox. Run once by hand when a sound changes and commit the output; builds and tests never run
# it. Mono, 22050 Hz, low Vorbis quality: a few kilobytes each.
set -euo pipefail
cd "$(dirname "$0")"
command -v sox >/dev/null || { echo "needs sox (apt-get install sox libsox-fmt-all)" >&2; exit 1; }

out() { echo "-r 22050 -c 1 -C 0 $1"; }
# Peak level in dB. Several board sounds start in the same frame (a group's pop, its worn plates, the
# praise): at this level three of them add up below full scale instead of clipping.
peak=-9

# tone NAME SECONDS SYNTH... : one synthesised sound with a short fade in and out.
tone() {
  local name=$1 length=$2
  shift 2
  sox -n $(out "$name.ogg") synth "$length" "$@" fade q 0.005 "$length" 0.04 norm "$peak"
}

# Interface.
tone click 0.05 sine 1200-800
tone buy 0.25 square 660:1320 vol 0.5
tone sell 0.25 square 1320:660 vol 0.5
tone deny 0.2 square 180 vol 0.4

# The board.
tone pop 0.09 sine 900-300
tone noresult 0.15 triangle 220-160
tone remove_line 0.35 pinknoise sine 400-1600 vol 0.6
tone remove_block0 0.25 brownnoise sine 200-60
tone remove_block 0.35 brownnoise sine 160-50
tone remove_block2 0.5 brownnoise sine 120-40
tone remove_block_chain 0.4 brownnoise sine 240-80 tremolo 18 60
tone remove_block_chain2 0.5 brownnoise sine 300-90 tremolo 24 80
tone remove_color 0.5 sine 500-1500 tremolo 12 50
tone recolor 0.4 triangle 700:1000 tremolo 8 40
tone reshuffle 0.45 pinknoise tremolo 20 90
tone bomb 0.3 brownnoise sine 90-30
tone plate 0.12 triangle 1500-1100
tone restore_plate 0.2 triangle 900-1400
tone token 0.2 sine 1800 sine 2400 delay 0 0.06 remix -
tone powerup_ready 0.3 sine 880-1760
tone wow 0.6 sine 440-880 sine 550-1100 remix - tremolo 6 40
tone time_low 0.15 square 1000 vol 0.3

# Ends of a level: a rising and a falling arpeggio. The notes are joined first, so that the fade and the
# level apply to the whole sound and not to its last note only.
joined=$(mktemp --suffix=.wav)
trap 'rm -f "$joined"' EXIT
sox -n -r 22050 -c 1 "$joined" synth 0.18 sine 523 : synth 0.18 sine 659 : synth 0.18 sine 784 : synth 0.4 sine 1047
sox "$joined" $(out win.ogg) fade q 0.01 0 0.1 norm "$peak"
sox -n -r 22050 -c 1 "$joined" synth 0.25 triangle 392 : synth 0.25 triangle 330 : synth 0.5 triangle 262
sox "$joined" $(out lose.ogg) fade q 0.01 0 0.2 norm "$peak"

# The music: eight bars of a slow arpeggio over a bass, joined end to start so it loops without a seam.
notes=(220 277 330 440 196 247 294 392 175 220 262 349 196 247 294 370)
parts=()
for note in "${notes[@]}"; do parts+=(synth 0.5 sine "$note" sine "$((note / 2))" remix - fade q 0.02 0.5 0.1 vol 0.45 :); done
unset "parts[${#parts[@]}-1]"
sox -n -r 22050 -c 1 -C -1 ../music/theme.ogg "${parts[@]}"
