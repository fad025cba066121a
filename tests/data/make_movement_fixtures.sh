#!/bin/bash
# Writes the movement archive fixture byte by byte from the movement layout, independently of
# the program's own code. Run it from anywhere; it rewrites movements.eur here.
set -euo pipefail
cd "$(dirname "$0")"

# Capacities of the 28 movement fields, in file order.
caps=(2 2 10 250 250 10 3 15 15 50 50 16 11 50 50 250 50 50 250 250 250 2 250 250 250 250 250 250)

. ./fixture_bytes.sh

# Record 2: a settled expense as the movement card writes it, zero filler. "Sì" is the bytes
# 0x53 0xEC.
record2() {
    field 0 'No'
    field 1 'S\xec'
    field 2 '05/03/2024'
    field 3 'Quota affiliazione federale'
    field 4 'Rinnovare entro marzo'
    field 5 '31/03/2024'
    field 6 '10'
    field 7 '12,50'
    field 8 '-12,50'
    field 9 'ASD Nuoto Forl\xec'
    field 10 '0543 654321'
    field 11 '92012345678'
    field 12 ''
    field 13 ''
    field 14 'segreteria@example.it'
    field 15 'Bonifico bancario'
    field 16 'Federazione Italiana Nuoto'
    field 17 '06 1234567'
    field 18 'CRO 0012345678'
    field 19 'Pagato \x80 12,50 \x96 saldo'
    field 20 'Tariffa societ\xe0'
    field 21 'S\xec'
    field 22 'ricevuta.pdf'
    field 23 ''
    field 24 ''
    field 25 'Ricevuta del bonifico'
    field 26 ''
    field 27 ''
}

# Record 3: written by a careless writer: '#' filler everywhere, blanks and a line break around
# the causale, an income flag whose length byte is 255 (capacity 2) and a paid flag holding "Si"
# without the accent.
record3() {
    field 0 'S\xec' '#' 255
    field 1 'No' '#'
    field 2 '01/01/2024' '#'
    field 3 '  Contributo\r\n' '#'
    field 4 '' '#'
    field 5 '31/01/2024' '#'
    field 6 '0' '#'
    field 7 '100,00' '#'
    field 8 '+100,00' '#'
    field 9 'Comune' '#'
    for i in $(seq 10 15); do field "$i" '' '#'; done
    field 16 'ASD Nuoto' '#'
    for i in $(seq 17 20); do field "$i" '' '#'; done
    field 21 'Si' '#'
    for i in $(seq 22 27); do field "$i" '' '#'; done
}

# Three whole movements, the first full to capacity, then the first 1000 bytes of another one.
{ full_record; record2; record3; head -c 1000 < <(record2); } > movements.eur
