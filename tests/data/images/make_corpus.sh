#!/usr/bin/env bash
# Regenerates the decoder test corpus in this directory from three small
# source pictures, with ImageMagick's convert and libjpeg's cjpeg and djpeg.
# The committed files are the reference; rerun only to change the corpus.
set -euo pipefail
cd "$(dirname "$0")"
im=/usr/bin/convert

python3 - <<'PY'
def ppm(name, w, h, pixels):
    assert len(pixels) == w * h
    open(name, 'wb').write(b'P6\n%d %d\n255\n' % (w, h) + bytes(v for p in pixels for v in p))

# 24 colours (more than a 4-bit palette holds), the colour key 0x8000FF among them.
ppm('src_24colours.ppm', 6, 4, [
    (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255), (0, 0, 0), (255, 0, 128),
    (255, 255, 0), (0, 255, 255), (255, 0, 255), (128, 128, 128), (10, 20, 30), (200, 100, 50),
    (5, 60, 150), (250, 251, 252), (64, 0, 255), (17, 34, 51), (68, 85, 102), (119, 136, 153),
    (170, 187, 204), (221, 238, 255), (90, 0, 0), (0, 90, 0), (0, 0, 90), (33, 66, 99)])
# 15 colours for 4-bit palettes.
ppm('src_15colours.ppm', 5, 3, [
    (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255), (0, 0, 0),
    (255, 0, 128), (255, 255, 0), (0, 255, 255), (255, 0, 255), (128, 128, 128),
    (10, 20, 30), (200, 100, 50), (5, 60, 150), (250, 251, 252), (64, 0, 255)])
# Black and white, 9 wide: 1-bit rows of 4 bytes.
bw = [(0, 0, 0), (255, 255, 255)]
ppm('src_bilevel.ppm', 9, 3, [bw[(x * x + y) % 3 == 0] for y in range(3) for x in range(9)])
# Primaries, exact in 5-5-5 and 5-6-5.
P = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255), (0, 0, 0)]
ppm('src_primaries.ppm', 5, 3, [P[(x + 2 * y) % 5] for y in range(3) for x in range(5)])
# A smooth 20 x 12 picture for JPEG (two chroma blocks across, subsampled).
ppm('src_gradient.ppm', 20, 12, [(x * 12, y * 20, 255 - x * 6 - y * 8)
                                 for y in range(12) for x in range(20)])
PY

# BMP: every header size and depth the decoder reads, and a run-length file it rejects.
$im src_24colours.ppm BMP3:bmp_24_info.bmp                       # 40-byte header
$im src_24colours.ppm BMP2:bmp_24_core.bmp                       # 12-byte header
$im src_24colours.ppm BMP:bmp_24_v5.bmp                          # 124-byte header
$im src_24colours.ppm -type palette -compress None BMP3:bmp_8_palette.bmp
$im src_15colours.ppm -type palette BMP3:bmp_4_palette.bmp
$im src_15colours.ppm -type palette BMP2:bmp_4_core_palette.bmp  # 3-byte palette entries
$im src_bilevel.ppm -type bilevel BMP3:bmp_1_palette.bmp
$im src_primaries.ppm -define bmp:subtype=RGB555 BMP:bmp_16_555.bmp
$im src_primaries.ppm -define bmp:subtype=RGB565 BMP:bmp_16_565.bmp
$im src_24colours.ppm -alpha on BMP:bmp_32_bitfields.bmp
$im src_24colours.ppm -type palette -compress RLE BMP3:bmp_8_rle.bmp

# PNG: colour types, depths, transparency, interlacing.
$im src_24colours.ppm PNG24:png_rgb.png
$im src_24colours.ppm -alpha on -channel A -fx 'i==1&&j==0?0:(i==2?0.5:1)' PNG32:png_rgba.png
$im src_24colours.ppm PNG8:png_palette.png
$im src_24colours.ppm -transparent '#00FF00' PNG8:png_palette_trns.png
$im src_24colours.ppm -colorspace Gray -depth 8 PNG:png_gray8.png
$im src_24colours.ppm -colorspace Gray -depth 2 PNG:png_gray2.png
$im src_24colours.ppm -depth 16 PNG48:png_rgb16.png
$im src_24colours.ppm -colorspace Gray -alpha on -channel A -fx "i==0?0.5:1" -define png:color-type=4 PNG:png_gray_alpha.png
$im src_24colours.ppm -interlace PNG PNG24:png_rgb_interlaced.png
# Expected pixels of the files whose pixels differ from the source picture.
for f in png_rgba png_palette_trns png_gray8 png_gray2; do
  $im "$f.png" -depth 8 "$f.expected.pam"
done

# JPEG: colour, gray, progressive, CMYK, a truncated file; djpeg -nosmooth
# gives the expected pixels of the first three.
cjpeg -quality 90 -outfile jpg_colour.jpg src_gradient.ppm
cjpeg -quality 90 -grayscale -outfile jpg_gray.jpg src_gradient.ppm
cjpeg -quality 90 -progressive -outfile jpg_progressive.jpg src_gradient.ppm
$im src_gradient.ppm -colorspace CMYK -quality 90 jpg_cmyk.jpg
head -c 660 jpg_colour.jpg > jpg_truncated.jpg
for f in jpg_colour jpg_gray jpg_progressive jpg_truncated; do
  djpeg -nosmooth -pnm -outfile "$f.expected.pnm" "$f.jpg" 2>/dev/null
done
