#!/usr/bin/env bash
# Writes resources/data/dxccentity.dat: one line per DXCC entity, "prefix=name;ADIF code", CR LF.
# Current entities come from Debian's hamradio-files (cty.csv carries each entity's ADIF code;
# the asterisk entries are not DXCC entities and share their parent's code). Deleted entities
# follow, their prefix in square brackets, in the order of their ADIF code.
set -euo pipefail
cd "$(dirname "$0")/.."

CTY_CSV=${1:-/usr/share/hamradio-files/cty.csv}
OUT=resources/data/dxccentity.dat

{
  awk -F, '$1 !~ /^\*/ { printf "%s=%s;%s\r\n", $1, $2, $3 }' "$CTY_CSV"
  while IFS='|' read -r code prefix name; do
    printf '[%s]=%s;%s\r\n' "$prefix" "$name" "$code"
  done <<'EOF'
2|A1|Abu Ail Islands
8|VQ9/A|Aldabra
19|HK0/B|Bajo Nuevo
23|VQ9/B|Blenheim Reef
25|ZC5|British North Borneo
26|VQ6|British Somaliland
28|KZ5|Canal Zone
30|PK6|Celebe & Molucca Islands
39|FB8C|Comoros
42|CR8/D|Damao & Diu
44|VQ9/D|Desroches
55|VQ9/F|Farquhar
57|FQ8|French Equatorial Africa
58|FI8|French Indo-China
59|FF8|French West Africa
67|FN8|French India
68|8Z5|Kuwait/Saudi Arabia Neutral Zone
81|DL/G|Germany
85|PJ2/A|Bonaire & Curacao
93|FR7/G|Geyser Reef
101|CR8/G|Goa
102|ZD4|Gold Coast & Togoland
113|EA9/I|Ifni
115|I5|Italian Somaliland
119|PK1|Java
127|VS9K|Kamaran Islands
128|UN1|Karelo-Finnish Republic
134|KH5K|Kingman Reef
139|VS9H|Kuria Muria Island
151|R1MV|Malyj Vysotskij Island
154|4W/Y|Yemen Arab Republic
155|VS2|Malaya
164|C9|Manchuria
178|1M|Minerva Reef
183|PK5|Netherlands Borneo
184|JZ0|Netherlands New Guinea
186|VO|Newfoundland & Labrador
193|KR6|Okinawa
194|7J1|Okino Tori-shima
196|ZC6|Palestine (1948)
198|VK9/P|Papua Territory
200|CR10|Portuguese Timor
208|9U5|Ruanda-Urundi
210|9S4|Saar
218|OK/C|Czechoslovakia
220|VS4|Sarawak
226|8Z4|Saudi Arabia/Iraq Neutral Zone
228|HK0/S|Serrana Bank & Roncador Cay
229|Y2|German Democratic Republic
231|AC3|Sikkim
243|7O|People's Democratic Republic of Yemen
244|ST0|Southern Sudan
255|PJ7/S|Sint Maarten, Saba & Sint Eustatius
258|PK4|Sumatra
261|KS4|Swan Islands
264|CN2|Tangier
267|VK9/N|Territory of New Guinea
268|AC4|Tibet
271|I1/T|Trieste
307|VQ1|Zanzibar
488|ZS9|Walvis Bay
493|ZS0|Penguin Islands
EOF
} >"$OUT"
echo "$(wc -l <"$OUT") entities written to $OUT"
