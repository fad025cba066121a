#!/bin/bash
# Writes the book page fixture byte by byte from the page layout, independently of the
# program's own code. Run it from anywhere; it rewrites pages.lib here.
set -euo pipefail
cd "$(dirname "$0")"

# Capacities of the 63 page fields, in file order: the five book-level fields, four member rows
# of thirteen fields each, the six attachment fields.
row=(6 50 50 10 16 120 30 50 10 15 10 120 250)
caps=(12 120 16 50 50 "${row[@]}" "${row[@]}" "${row[@]}" "${row[@]}" 250 250 250 250 250 250)

. ./fixture_bytes.sh

# Record 2: a page as the page screen writes it, zero filler. Rows A and B filled, row C with
# its order number only, row D empty.
record2() {
    field 0 '12'
    field 1 'Associazione Sportiva Dilettantistica Nuoto Forl\xec'
    field 2 '92012345678'
    field 3 'Rossi Mario'
    field 4 'Bianchi Anna'
    # row A: fields 5 to 17
    field 5 '1'
    field 6 'Verdi Giuseppe'
    field 7 'Cesena'
    field 8 '14/07/1985'
    field 9 'VRDGPP85L14C573K'
    field 10 "Via dell'Universit\\xe0 3"
    field 11 '0547 123456'
    field 12 'A-0017'
    field 13 '15/09/2020'
    field 14 '25,00'
    field 15 ''
    field 16 ''
    field 17 'Quota versata: \x80 25'
    # row B: fields 18 to 30
    field 18 '2'
    field 19 'Neri Lucia'
    field 20 'Rimini'
    field 21 '03/03/1990'
    field 22 'NRELCU90C43H294Z'
    field 23 'Corso d\x92Augusto 5'
    field 24 ''
    field 25 'A-0018'
    field 26 '15/09/2020'
    field 27 '25,00'
    field 28 '31/12/2023'
    field 29 'Trasferimento'
    field 30 ''
    # row C: fields 31 to 43
    field 31 '3'
    for i in $(seq 32 43); do field "$i" ''; done
    # row D: fields 44 to 56
    for i in $(seq 44 56); do field "$i" ''; done
    field 57 'verbale.pdf'
    field 58 ''
    field 59 ''
    field 60 'Verbale di ammissione'
    field 61 ''
    field 62 ''
}

# Record 3: written by a careless writer: '#' filler everywhere, blanks and a tab stored around
# texts, a length byte of 200 on the association's codice fiscale (capacity 16) and one of 255
# on the last field of the record.
record3() {
    field 0 ' 12 ' '#'
    field 1 'ASD Nuoto' '#'
    field 2 '92012345678' '#' 200
    field 3 '' '#'
    field 4 '' '#'
    field 5 '1' '#'
    field 6 'Verdi Giuseppe' '#'
    for i in $(seq 7 18); do field "$i" '' '#'; done
    field 19 '\tNeri Lucia  ' '#'
    for i in $(seq 20 61); do field "$i" '' '#'; done
    field 62 'fine' '#' 255
}

# Three whole pages, the first full to capacity, then the first 1000 bytes of another page.
{ full_record; record2; record3; head -c 1000 < <(record2); } > pages.lib
