#!/usr/bin/env bash
# Synthesises the game's five sound effects and its background music with sox and lame.
# Usage: tools/make-sounds.sh [output-folder]   (default: assets/ next to this script)
# Everything is generated from scratch; sox runs with -R so the output is repeatable.
set -euo pipefail

out=${1:-"$(cd "$(dirname "$0")/.." && pwd)/assets"}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

RATE=44100    # synthesis rate (the pluck voice needs 44.1 kHz)
FX_RATE=22050 # the effects are stored at half that, 16-bit mono

sx() { sox -R -V1 "$@"; }

# gen FILE EFFECTS...: a mono 44.1 kHz clip made by the given synth chain.
gen() {
    local file=$1
    shift
    sx -n -r "$RATE" -c 1 -b 16 "$work/$file" "$@"
}

# mixall OUT IN...: sums the inputs at unit gain (the callers keep the levels low).
mixall() {
    local outfile=$1
    shift
    local args=()
    for f in "$@"; do args+=(-v 1 "$work/$f"); done
    sx -m "${args[@]}" "$work/$outfile"
}

# mul A B: the product of two decimals, as sox reads times.
mul() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%g", a * b }'; }

# effect NAME IN PEAK_DB: the stored 22.05 kHz effect, peak-normalised.
effect() {
    sx "$work/$2" -r "$FX_RATE" -b 16 -c 1 "$out/$1" rate "$FX_RATE" norm "$3"
}

make_dice() {
    # Five short clacks at uneven gaps, each a band of noise with a different centre.
    local offs=(0 0.042 0.096 0.133 0.188) centres=(2600 3400 2200 3900 2900)
    local gains=(0 -4 -2 -6 -9) parts=()
    for i in "${!offs[@]}"; do
        gen "click$i.wav" synth 0.016 whitenoise synth 0.016 sine mix "${centres[$i]}" \
            fade l 0 0.016 0.015 bandpass "${centres[$i]}" 1.5o gain "${gains[$i]}" \
            pad "${offs[$i]}"
        parts+=("click$i.wav")
    done
    mixall dice_raw.wav "${parts[@]}"
    sx "$work/dice_raw.wav" "$work/dice_pad.wav" pad 0 0.03
    effect dice.wav dice_pad.wav -3
}

make_kati() {
    # A wooden knock: a low body tone, a hollow overtone and a short click, all dying fast.
    gen body.wav synth 0.16 sine 170 fade l 0.001 0.16 0.158
    gen hollow.wav synth 0.07 sine 640 fade l 0.001 0.07 0.068 gain -5 pad 0 0.09
    gen tap.wav synth 0.008 whitenoise fade l 0 0.008 0.007 lowpass 3500 gain -8 pad 0 0.152
    mixall kati_raw.wav body.wav hollow.wav tap.wav
    sx "$work/kati_raw.wav" "$work/kati_lp.wav" lowpass 4000
    effect kati.wav kati_lp.wav -2
}

make_mistake() {
    # A low, slightly sagging buzz: two detuned square waves beating, softened by a low-pass.
    gen buzz.wav synth 0.3 square 150:118 synth 0.3 square mix 156:122 \
        lowpass 1600 fade t 0.01 0.3 0.05
    effect mistake.wav buzz.wav -4
}

make_win() {
    # A rising C major arpeggio that lands on the full chord.
    local notes=(C5 E5 G5) parts=() i=0
    for n in "${notes[@]}"; do
        gen "w$i.wav" synth 0.5 pluck "$n" synth 0.5 sine mix "$n" fade l 0 0.5 0.45 \
            gain -6 pad "$(mul "$i" 0.11)"
        parts+=("w$i.wav")
        i=$((i + 1))
    done
    gen wchord.wav synth 1.1 pluck C5 synth 1.1 pluck mix E5 synth 1.1 pluck mix G5 \
        synth 1.1 sine mix C6 fade l 0 1.1 0.9 gain -4 pad 0.33
    mixall win_raw.wav "${parts[@]}" wchord.wav
    effect win.wav win_raw.wav -3
}

make_gameover() {
    # A slow falling C minor line settling on a low, soft minor chord.
    local notes=(G4 Eb4 D4 C4) parts=() i=0
    for n in "${notes[@]}"; do
        gen "g$i.wav" synth 0.42 triangle "$n" fade h 0.02 0.42 0.2 gain -6 \
            pad "$(mul "$i" 0.3)"
        parts+=("g$i.wav")
        i=$((i + 1))
    done
    gen gchord.wav synth 1.3 triangle C3 synth 1.3 triangle mix Eb3 synth 1.3 sine mix G3 \
        fade h 0.04 1.3 1.0 tremolo 5 25 gain -5 pad 1.2
    mixall go_raw.wav "${parts[@]}" gchord.wav
    sx "$work/go_raw.wav" "$work/go_lp.wav" lowpass 2500
    effect gameover.wav go_lp.wav -3
}

# ---- Background music: 48 s in C major, I-vi-IV-V, 120 beats a minute, 2 s to a bar. ----
BEAT=0.5

# Chord tones per chord: pad voicing, bass root, and the eight notes of the arpeggio.
declare -A PAD=([C]="C4 E4 G4" [Am]="A3 C4 E4" [F]="F3 A3 C4" [G]="G3 B3 D4")
declare -A BASS=([C]="C3 G2" [Am]="A2 E2" [F]="F2 C3" [G]="G2 D3")
declare -A ARP=([C]="C4 G4 C5 E5 C5 G4 E4 G4" [Am]="A3 E4 A4 C5 A4 E4 C4 E4"
    [F]="F3 C4 F4 A4 F4 C4 A3 C4" [G]="G3 D4 G4 B4 G4 D4 B3 D4")
PROG=(C Am F G)

# Melody phrases, one bar per entry, as NOTE:BEATS ("r" is a rest); each bar sums to 4 beats.
MEL_A=("E5:2 G5:1 E5:1" "C5:1.5 D5:0.5 E5:2" "F5:1 E5:1 D5:1 C5:1" "D5:3 r:1")
MEL_A2=("E5:2 G5:1 C6:1" "B5:1 A5:1 E5:2" "F5:1 A5:1 G5:1 F5:1" "D5:1 E5:1 D5:2")
MEL_B=("G5:1 A5:0.5 G5:0.5 E5:2" "A5:1 G5:1 E5:1 C5:1" "A5:2 G5:1 F5:1" "G5:2 D5:1 B4:1")
MEL_REST=("r:4" "r:4" "r:4" "r:4")
# Six passes of the progression; the last repeats the first so the loop's seam is smooth.
FORM=(MEL_REST MEL_A MEL_A2 MEL_B MEL_A2 MEL_REST)

# note VOICE NAME SECONDS: a cached clip of one note (or a rest) of exactly that length.
note() {
    local voice=$1 name=$2 len=$3
    local file="n_${voice}_${name}_${len}.wav"
    if [[ ! -f $work/$file ]]; then
        case $voice in
        rest) gen "$file" trim 0 "$len" ;;
        lead) gen "$file" synth "$len" pluck "$name" synth "$len" sine mix "$name" \
            lowpass 5000 fade h 0.005 "$len" 0.04 ;;
        bass) gen "$file" synth "$len" pluck "$name" fade h 0.005 "$len" 0.05 ;;
        arp) gen "$file" synth "$len" pluck "$name" lowpass 2500 fade h 0.003 "$len" 0.03 ;;
        pad)
            local -a tones=(${name//_/ }) chain=()
            chain+=(synth "$len" triangle "${tones[0]}")
            for t in "${tones[@]:1}"; do chain+=(synth "$len" sine mix "$t"); done
            gen "$file" "${chain[@]}" lowpass 1200 fade h 0.15 "$len" 0.2
            ;;
        esac
    fi
    echo "$work/$file"
}


make_bgm() {
    local pad=() bass=() arp=() lead=()
    for phrase in "${FORM[@]}"; do
        local -n bars=$phrase
        for i in "${!PROG[@]}"; do
            local chord=${PROG[$i]} n
            pad+=("$(note pad "${PAD[$chord]// /_}" 2)")
            for n in ${BASS[$chord]}; do bass+=("$(note bass "$n" 1)"); done
            for n in ${ARP[$chord]}; do arp+=("$(note arp "$n" 0.25)"); done
            for ev in ${bars[$i]}; do
                local name=${ev%%:*} len
                len=$(mul "${ev##*:}" "$BEAT")
                if [[ $name == r ]]; then
                    lead+=("$(note rest r "$len")")
                else
                    lead+=("$(note lead "$name" "$len")")
                fi
            done
        done
        unset -n bars
    done
    sx "${pad[@]}" "$work/pad.wav"
    sx "${bass[@]}" "$work/bass.wav"
    sx "${arp[@]}" "$work/arp.wav"
    sx "${lead[@]}" "$work/lead.wav"
    sx -m -v 0.35 "$work/pad.wav" -v 0.5 "$work/bass.wav" -v 0.3 "$work/arp.wav" \
        -v 0.6 "$work/lead.wav" "$work/bgm_rev.wav" reverb 30 50 70
    # A separate pass: sox misjudges the length for fade when it follows reverb.
    sx "$work/bgm_rev.wav" "$work/bgm_mix.wav" fade t 0.02 0 0.4 norm -4
    lame --quiet -m m -b 64 "$work/bgm_mix.wav" "$out/bgm1.mp3"
}

make_dice
make_kati
make_mistake
make_win
make_gameover
make_bgm
ls -l "$out"/dice.wav "$out"/kati.wav "$out"/mistake.wav "$out"/win.wav \
    "$out"/gameover.wav "$out"/bgm1.mp3
