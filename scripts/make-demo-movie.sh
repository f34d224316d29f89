#!/usr/bin/env bash
# Makes the demo movie that scripts/run.sh opens: a minute of a running clock with the name of
# the note that sounds, over a C major scale played up and down in clear, separate notes, so that
# a new user hears at once what tempo and pitch do.
# Usage: make-demo-movie.sh <output.mp4>
set -euo pipefail
output=${1:?usage: make-demo-movie.sh <output.mp4>}
seconds=60
slot=0.5 # one note per half second, the last slot of each round silent

font_file() {
  local file
  file=$(fc-match -f '%{file}' "$1" 2>/dev/null || true)
  [ -f "$file" ] && echo "$file" || echo "/usr/share/fonts/truetype/dejavu/$2"
}
mono=$(font_file 'DejaVu Sans Mono:bold' DejaVuSansMono-Bold.ttf)
sans=$(font_file 'DejaVu Sans' DejaVuSans.ttf)

# The scale in semitones from middle C, up and down, then a rest.
steps=(0 2 4 5 7 9 11 12 11 9 7 5 4 2 0)
names=(C D E F G A B C B A G F E D C)
octaves=(4 4 4 4 4 4 4 5 4 4 4 4 4 4 4)
slots=$(( ${#steps[@]} + 1 ))

note="mod(floor(t/$slot),$slots)"
semitones="0"
for i in "${!steps[@]}"; do
  semitones+="+${steps[$i]}*eq($note,$i)"
done
frequency="261.63*pow(2,($semitones)/12)"
# Each note starts softly, decays like a plucked string and ends well before the next one.
into="mod(t,$slot)"
envelope="lt($note,$((slots - 1)))*lt($into,0.42)*min(1,$into/0.01)*min(1,(0.42-$into)/0.03)*exp(-2.5*$into)"
tone="sin(2*PI*($frequency)*t)+0.3*sin(4*PI*($frequency)*t)+0.1*sin(6*PI*($frequency)*t)"
audio="aevalsrc='0.45*$envelope*($tone)':s=48000:d=$seconds"

video="gradients=s=1280x720:r=25:d=$seconds:c0=0x14202e:c1=0x24506e:speed=0.004"
video+=",drawtext=fontfile='$sans':text='Reelquill demo':fontsize=34:fontcolor=0xb0c4d8:x=(w-tw)/2:y=60"
video+=",drawtext=fontfile='$mono':text='%{pts\\:hms}':fontsize=110:fontcolor=white:x=(w-tw)/2:y=(h-th)/2-40"
for i in "${!steps[@]}"; do
  video+=",drawtext=fontfile='$sans':text='${names[$i]}${octaves[$i]}':fontsize=90:fontcolor=0xffd166"
  video+=":x=(w-tw)/2:y=h/2+90:enable='eq(mod(floor(t/$slot)\\,$slots)\\,$i)'"
done

mkdir -p "$(dirname "$output")"
ffmpeg -hide_banner -loglevel error -y \
  -f lavfi -i "$video" -f lavfi -i "$audio" \
  -c:v libx264 -preset veryfast -crf 26 -pix_fmt yuv420p -c:a aac -b:a 128k \
  -shortest -movflags +faststart "$output.tmp.mp4"
mv "$output.tmp.mp4" "$output"
