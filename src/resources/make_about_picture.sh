#!/usr/bin/env bash
# Draws the About window's background picture, about.jpg: 400 x 300, baseline JPEG, mostly blue,
# with the title, one line of small print and the logo; the lower middle (the link labels) and the
# lower right (the buttons) are left plain. Needs ImageMagick and the DejaVu fonts.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 400x300 gradient:'#2456b8'-'#0b2260' \
  -fill none -stroke '#9fd4ff' -strokewidth 7 -draw 'circle 62,70 62,38' \
  -stroke '#9fd4ff' -strokewidth 11 -draw 'line 86,94 116,124' \
  -stroke none -fill '#cfeaff' -draw 'circle 54,62 54,54' \
  -fill white -font DejaVu-Sans-Bold -pointsize 46 -annotate +140+86 'Vornacle' \
  -fill '#b8d4ff' -font DejaVu-Sans -pointsize 13 -annotate +142+112 'Host names and addresses, looked up.' \
  -fill '#8fb0e8' -font DejaVu-Sans -pointsize 9 \
  -annotate +12+290 'Version 1.00.  Provided as is, without warranty.' \
  -fill none -stroke '#5f8fe0' -strokewidth 1 -draw 'line 12,150 388,150' \
  -strip -sampling-factor 2x2 -interlace none -quality 92 -colorspace sRGB -type TrueColor \
  about.jpg
identify about.jpg
