#!/bin/sh
# Builds the demo channel file with radioprog itself, so the file only ever holds what the
# tool can write: make_demo.sh RADIOPROG OUT.dat
# The committed resources/demo.dat is this script's output; a test keeps the two in step.
set -eu
if [ $# -ne 2 ]; then
    echo "usage: $0 RADIOPROG OUT.dat" >&2
    exit 2
fi
prog=$1
out=$2
tmp="$out.part"
# The band step reads the sample configuration; what it stores goes to a scratch settings file.
config="$(dirname "$0")/Program.ini"
settings=$(mktemp)
trap 'rm -f "$tmp" "$settings"' EXIT

rp() { "$prog" --lang en --config "$config" --settings "$settings" "$@"; }

rp new "$tmp"

# ROW is the grid row: row 1 is channel Pr, row N is channel N-1.
# Columns: 1 Rx, 2 Tx, 3 Rx Tone, 4 Tx Tone, 5 Power, 6 Lock, 7 Scan Add, 8 Bandwidth, 9 Name.

# All of it on 2 m and the VHF band around it, the band the image is set to at the end.

# 2 m simplex.
rp set "$tmp" \
    1 1 146.520  1 9 CALL2M \
    2 1 146.550  2 9 SMPLX1 \
    3 1 146.580  3 9 SMPLX2  3 5 Low \
    4 1 147.420  4 9 SMPLX3  4 8 Narrow \
    5 1 145.500  5 9 S20 \
    6 1 144.800  6 9 APRS  6 7 No

# 2 m repeaters: negative offsets with CTCSS.
rp set "$tmp" \
    8 1 145.650  8 2 145.050  8 4 88.5  8 9 RPT-A \
    9 1 145.725  9 2 145.125  9 3 88.5  9 4 88.5  9 9 RPT-B \
    10 1 146.940  10 2 146.340  10 4 100.0  10 9 RPT-C \
    11 1 147.330  11 2 147.930  11 4 123.0  11 9 RPT-D

# Field and MURS channels: narrow, medium power, unlocked.
rp set "$tmp" \
    13 1 146.400  13 5 Middle  13 6 Unlock  13 9 FIELD1 \
    14 1 146.415  14 5 Middle  14 6 Unlock  14 8 Narrow  14 9 FIELD2 \
    15 1 151.820  15 8 Narrow  15 9 MURS1 \
    16 1 151.880  16 8 Narrow  16 9 MURS2 \
    17 1 151.940  17 8 Narrow  17 9 MURS3

# Receive only: weather and marine, kept out of the scan list.
rp set "$tmp" \
    19 1 162.550  19 2 ""  19 7 No  19 9 WX1 \
    20 1 162.400  20 2 ""  20 7 No  20 9 WX2 \
    21 1 162.475  21 2 ""  21 7 No  21 9 WX3 \
    22 1 156.800  22 2 ""  22 9 MAR16

# Business and marine channels, four of them on the 6.25 kHz raster (narrow, low power).
rp set "$tmp" \
    31 1 151.625  31 9 BIZ-R \
    32 1 154.570  32 9 BIZ-B \
    33 1 151.00625  33 5 Low  33 8 Narrow  33 9 NX1 \
    34 1 151.01875  34 5 Low  34 8 Narrow  34 9 NX2 \
    35 1 151.03125  35 5 Low  35 8 Narrow  35 9 NX3 \
    36 1 151.04375  36 5 Low  36 8 Narrow  36 9 NX4

# More 2 m repeaters: DCS and CTCSS, and one unlocked channel with mixed tones.
rp set "$tmp" \
    41 1 147.060  41 2 147.660  41 3 D023N  41 4 D023N  41 9 RPT-DC \
    42 1 147.090  42 2 147.690  42 3 100.0  42 4 100.0  42 9 RPT-E \
    43 1 147.120  43 2 147.720  43 3 D754I  43 4 131.8  43 6 Unlock  43 9 RPT-F

# Marine working channels, and the ISS voice repeater (split, CTCSS on the uplink).
rp set "$tmp" \
    51 1 156.300  51 8 Narrow  51 9 MAR06 \
    52 1 156.650  52 8 Narrow  52 9 MAR13 \
    53 1 157.100  53 5 Low  53 8 Narrow  53 9 MAR22 \
    61 1 145.800  61 2 144.490  61 4 67.0  61 7 No  61 9 ISS_X

# Weather satellites high in the table (channels 150 and 151), receive only.
rp set "$tmp" \
    151 1 137.100  151 2 ""  151 7 No  151 9 NOAA19 \
    152 1 137.9125  152 2 ""  152 7 No  152 9 NOAA18

rp option "$tmp" "Squelch Level=3" LED=On Step=12.5k "Power-on Name=HELLO" \
    "Time-Out Timer=3" "Battery Saver=0.4" "Scan Mode=TO" "Pri-Scanning Time=5s" \
    "Call Tone=1750" "Priority Scan=On"

# Every channel lies in the first band of the first radio type (136-174 MHz): the image says
# so, and a read and write of the built-in virtual radio finds nothing to warn about.
rp band "$tmp" --type 0 --band 0 >/dev/null

mv "$tmp" "$out"
trap - EXIT
