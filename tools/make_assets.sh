#!/usr/bin/env bash
# Regenerates every binary asset Jumplet ships (icon, logo, share buttons,
# sounds), all into res/. The help page, res/help.html, is written by hand and
# is its own source.
#
# Everything is drawn from scratch here so the artwork can be tweaked and
# rebuilt instead of hand-edited in a paint program.  Running it again gives
# byte-identical files, so a rerun never produces a spurious diff.
#
# Needs: ImageMagick 6 (`convert`), fontconfig (`fc-match`), python3.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/.." && pwd)"
res="$root/res"
mkdir -p "$res"

for tool in convert fc-match python3; do
    command -v "$tool" >/dev/null 2>&1 || { echo "make_assets: '$tool' not found" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Resolve fonts through fontconfig instead of hard-coding distro paths.
font() {
    local f
    f="$(fc-match -f '%{file}' "$1")"
    [[ -n "$f" && -r "$f" ]] || { echo "make_assets: no font for '$1'" >&2; exit 1; }
    printf '%s' "$f"
}
FONT_BOLD="$(font 'DejaVu Sans:style=Bold')"
FONT_LOGO="$(font 'URW Gothic:style=Demi')"

# Keep ImageMagick from stamping dates or other run-dependent chunks.
IM=(convert -define png:exclude-chunks=date,time)

# windres and LoadBitmap are happiest with plain 24-bit uncompressed BMPs:
# no alpha channel, no palette, no BMP4/5 colour-space headers.
save_bmp() {  # save_bmp <input image> <output.bmp>
    "${IM[@]}" "$1" -alpha off -type TrueColor -compress None "BMP3:$2"
}

FACE='rgb(240,240,240)'   # the usual button-face grey behind the badges

###########################################################################
# 1. Program icon: a white "J" whose stem ends in an upward arrow head
#    ("jump"), on a blue rounded square.  Drawn large, then scaled down to
#    each icon size so the small sizes stay smooth.
###########################################################################
"${IM[@]}" -size 256x256 xc:none \
    \( -size 240x240 gradient:'#4aa3f0-#1c5cb5' \
       \( -size 240x240 xc:none -fill white -draw 'roundrectangle 0,0 239,239 48,48' \) \
       -alpha off -compose CopyOpacity -composite \) \
    -geometry +8+8 -compose Over -composite \
    -fill none -stroke '#0f3f80' -strokewidth 4 \
    -draw 'roundrectangle 10,10 245,245 46,46' \
    -stroke white -strokewidth 30 \
    -draw 'fill none stroke-linecap round stroke-linejoin round path "M 152,104 L 152,160 Q 152,214 102,214 Q 74,214 64,190"' \
    -stroke none -fill white -draw 'polygon 152,30 100,98 204,98' \
    "$work/icon_master.png"

# Every size Windows asks for at 100 to 200 % (small icons 16 to 32, big ones 32 to 64),
# so that no scale gets a stretched image.
icon_sizes=(16 20 24 32 40 48 64)
for s in "${icon_sizes[@]}"; do
    "${IM[@]}" "$work/icon_master.png" -filter Lanczos -resize "${s}x${s}" "$work/icon_$s.png"
done
# Sharpen the tiny size a touch; Lanczos alone leaves the J a little soft.
"${IM[@]}" "$work/icon_16.png" -unsharp 0x0.6+0.6+0 "$work/icon_16.png"
icon_files=()
for s in "${icon_sizes[@]}"; do icon_files+=("$work/icon_$s.png"); done
"${IM[@]}" "${icon_files[@]}" "$res/jumplet.ico"
# The larger images go in as 8-bit PNG, which Windows (Vista on) and Wine read in an icon
# at any size: a third of the bytes, and the exe stays under 200 KiB.
for s in 40 48 64; do "${IM[@]}" "$work/icon_$s.png" -strip -depth 8 "PNG32:$work/icon_${s}_png.png"; done
python3 - "$res/jumplet.ico" "$work" <<'PY'
import struct, sys
ico_path, work = sys.argv[1], sys.argv[2]
data = open(ico_path, 'rb').read()
count = struct.unpack_from('<H', data, 4)[0]
entries = []
for i in range(count):
    width, height, colours, reserved, planes, bits, size, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
    image = data[offset:offset + size]
    if (width or 256) >= 40:
        image = open('%s/icon_%d_png.png' % (work, width or 256), 'rb').read()
    entries.append((width, height, colours, reserved, planes, bits, image))
out = bytearray(struct.pack('<HHH', 0, 1, count))
offset = 6 + 16 * count
for width, height, colours, reserved, planes, bits, image in entries:
    out += struct.pack('<BBBBHHII', width, height, colours, reserved, planes, bits, len(image), offset)
    offset += len(image)
for entry in entries:
    out += entry[6]
open(ico_path, 'wb').write(out)
PY

###########################################################################
# 2. Logo, 235x59.  The window paints it with BitBlt(SRCAND), so white must
#    stay pure white (leaves the background alone) and the lettering must
#    be dark (darkens it).  A soft grey shadow gives it a bit of depth.
###########################################################################
"${IM[@]}" -size 235x59 xc:white \
    \( -size 235x59 xc:white -font "$FONT_LOGO" -pointsize 50 -gravity center \
       -fill '#9aa3ad' -annotate +2+2 'Jumplet' -blur 0x1.2 \) \
    -compose Multiply -composite \
    -font "$FONT_LOGO" -pointsize 50 -gravity center \
    -fill '#16325c' -stroke '#0b1d3a' -strokewidth 0.6 -annotate +0+0 'Jumplet' \
    "$work/logo.png"
save_bmp "$work/logo.png" "$res/logo.bmp"

###########################################################################
# 3. Share buttons.  Each is a coloured rounded badge with a letter or two.
#    The hover image uses a lighter fill and a bright ring so the change is
#    obvious even on a small button.
###########################################################################
# badge <out.bmp> <width> <height> <fill> <edge> <hover 0|1> <extra draw args...>
badge() {
    local out="$1" w="$2" h="$3" fill="$4" edge="$5" hover="$6"
    shift 6
    local ring=()
    if [[ "$hover" == 1 ]]; then
        ring=(-fill none -stroke '#ffd24a' -strokewidth 2 -draw 'roundrectangle 1,1 34,34 8,8')
    fi
    "${IM[@]}" -size "${w}x${h}" "xc:$FACE" \
        -fill "$fill" -stroke "$edge" -strokewidth 1 -draw 'roundrectangle 2,2 33,33 7,7' \
        -stroke none -fill 'rgba(255,255,255,0.16)' -draw "roundrectangle 3,3 32,16 6,6" \
        "${ring[@]}" \
        -stroke none "$@" \
        "$work/badge.png"
    save_bmp "$work/badge.png" "$out"
}

letter() {  # letter <text> <pointsize> <x offset> <y offset>
    printf '%s\n' -font "$FONT_BOLD" -pointsize "$2" -fill white -gravity center \
        -annotate "$(printf '%+d%+d' "$3" "$4")" "$1" -gravity NorthWest
}
mapfile -t L_F  < <(letter 'f'  26 1 0)
mapfile -t L_T  < <(letter 't'  25 0 0)
mapfile -t L_GP < <(letter 'g+' 17 0 -1)

badge "$res/share_fb.bmp"       36 36 '#3b62a8' '#27457c' 0 "${L_F[@]}"
badge "$res/share_fb_hover.bmp" 36 36 '#5a82c8' '#27457c' 1 "${L_F[@]}"
badge "$res/share_tw.bmp"       36 36 '#2a9fe0' '#1a77ab' 0 "${L_T[@]}"
badge "$res/share_tw_hover.bmp" 36 36 '#5cbcf0' '#1a77ab' 1 "${L_T[@]}"
badge "$res/share_gp.bmp"       36 36 '#cf4132' '#9a2a1f' 0 "${L_GP[@]}"
badge "$res/share_gp_hover.bmp" 36 36 '#e86a5c' '#9a2a1f' 1 "${L_GP[@]}"

# "Visit the web site": a simple wire globe on a green badge, with a small
# "www" caption underneath (the button is taller than the share ones).
globe=(-fill none -stroke white -strokewidth 1.6
       -draw 'circle 17.5,17.5 17.5,7.5'
       -draw 'ellipse 17.5,17.5 4.5,10 0,360'
       -draw 'line 7.5,17.5 27.5,17.5'
       -strokewidth 1.1
       -draw 'line 9.5,12.5 25.5,12.5'
       -draw 'line 9.5,22.5 25.5,22.5'
       -stroke none)
caption() {  # caption <colour>
    printf '%s\n' -font "$FONT_BOLD" -pointsize 10 -fill "$1" -gravity North \
        -annotate +0+34 'www' -gravity NorthWest
}
mapfile -t CAP_N < <(caption '#3a3a3a')
mapfile -t CAP_H < <(caption '#1c5cb5')
badge "$res/visit_site.bmp"       36 45 '#2f9a5a' '#1f6b3e' 0 "${globe[@]}" "${CAP_N[@]}"
badge "$res/visit_site_hover.bmp" 36 45 '#4cc07a' '#1f6b3e' 1 "${globe[@]}" "${CAP_H[@]}"

###########################################################################
# 4. Sounds: 16-bit PCM mono 22050 Hz.  Short and quiet-ish so they never
#    get in the way: a rising blip when something is launched, a falling
#    swoosh when shortcuts are deleted.  The noise uses a fixed seed so the
#    files come out identical every run.
###########################################################################
python3 - "$res" <<'PY'
import math, random, struct, sys, wave

RATE = 22050
out_dir = sys.argv[1]

def write(name, samples):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(s * 32767)))))
                      for s in samples)
    with wave.open(f"{out_dir}/{name}", "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)

def envelope(i, n, attack, release):
    a = int(attack * RATE)
    r = int(release * RATE)
    if i < a:
        return i / a
    if i > n - r:
        return max(0.0, (n - i) / r)
    return 1.0

def launch():
    # Rising sine sweep with a soft octave overtone: sounds like "pop-up".
    dur, f0, f1 = 0.15, 660.0, 1320.0
    n = int(dur * RATE)
    phase = 0.0
    out = []
    for i in range(n):
        t = i / n
        f = f0 * (f1 / f0) ** t          # exponential sweep sounds even
        phase += 2 * math.pi * f / RATE
        s = math.sin(phase) + 0.25 * math.sin(2 * phase)
        out.append(0.45 * s * envelope(i, n, 0.005, 0.06))
    return out

def delete():
    # Falling sweep plus a little filtered noise for the "swoosh".
    rnd = random.Random(1234)
    dur, f0, f1 = 0.20, 900.0, 220.0
    n = int(dur * RATE)
    phase = 0.0
    lp = 0.0
    out = []
    for i in range(n):
        t = i / n
        f = f0 * (f1 / f0) ** t
        phase += 2 * math.pi * f / RATE
        lp += 0.15 * (rnd.uniform(-1.0, 1.0) - lp)   # one-pole low-pass
        s = 0.8 * math.sin(phase) + 0.9 * lp * (1.0 - t)
        out.append(0.4 * s * envelope(i, n, 0.004, 0.09))
    return out

write("launch.wav", launch())
write("delete.wav", delete())
PY

echo "make_assets: wrote assets to $res"
