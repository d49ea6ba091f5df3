#!/usr/bin/env bash
# Draws the wizard's pictures with ImageMagick. The results are committed;
# run this again only to change them.
set -euo pipefail
cd "$(dirname "$0")"

plane='polygon 100,0 96,5 85,7 20,7 -20,55 -32,55 -8,7 -45,7 -60,22 -68,22 -60,5 -64,0 -60,-5 -68,-22 -60,-22 -45,-7 -8,-7 -32,-55 -20,-55 20,-7 85,-7 96,-5'

# Splash picture of the welcome page (500 x 315, JPEG): dusk sky, runway
# lights in perspective, an airliner climbing out.
convert -size 500x315 gradient:'#0b1d3a'-'#c8643c' \
  \( -size 500x315 xc:none -fill 'rgba(255,255,255,0.35)' \
     -draw "translate 380,205 rotate -18 scale 0.9,0.9 $plane" \) -composite \
  -fill '#1a1a22' -draw 'polygon 0,315 500,315 500,255 0,285' \
  -fill '#ffd27a' -draw 'circle 60,296 62,296 circle 120,290 122,290 circle 180,284 182,284 circle 240,278 242,278 circle 300,272 302,272 circle 360,266 362,266' \
  -quality 92 splash.jpg

# Wizard bitmap 137, watermark and header (164 x 314, 24-bit BMP); the
# header shows its top-left corner, so a small airliner sits there.
convert -size 164x314 gradient:'#0b1d3a'-'#3a6ea5' \
  \( -size 164x314 xc:none -fill white -draw "translate 82,150 rotate -30 scale 0.8,0.8 $plane" \) -composite \
  \( -size 164x314 xc:none -fill white -draw "translate 25,25 rotate -35 scale 0.2,0.2 $plane" \) -composite \
  -type TrueColor BMP3:wizard.bmp

# Program icon 128 (32 and 16 pixels).
convert -size 32x32 gradient:'#0b1d3a'-'#3a6ea5' \
  \( -size 32x32 xc:none -fill white -draw "translate 16,16 rotate -35 scale 0.24,0.24 $plane" \) -composite \
  \( +clone -resize 16x16 \) fleetmix.ico

# Tree images 1003: six 16 x 16 pictures in a 96 x 16, 16-colour strip on
# white (the transparent colour): region, country, state, city, airport, spare.
convert -size 96x16 xc:white \
  -fill '#2e7bd6' -stroke '#10407a' -draw 'circle 8,8 8,1' \
  -fill '#3ca03c' -stroke none -draw 'polygon 5,5 8,3 11,6 9,11 5,10' \
  -fill '#c03030' -stroke '#602020' -draw 'rectangle 19,3 29,10' -draw 'line 19,3 19,14' \
  -fill '#e0a020' -stroke '#806010' -draw 'polygon 35,3 44,5 43,13 34,12' \
  -fill '#808080' -stroke '#404040' -draw 'rectangle 50,6 54,14 rectangle 55,2 59,14 rectangle 60,8 62,14' \
  -fill '#202020' -stroke none -draw "translate 72,8 scale 0.11,0.11 $plane" \
  -fill '#a0a0a0' -draw 'circle 88,8 88,5' \
  -colors 16 -type Palette BMP3:tree.bmp
