#!/bin/bash
# Writes the member archive fixtures byte by byte from the record table, independently of the
# program's own code. Run it from anywhere; it rewrites members.pro and members_tail.pro here.
set -euo pipefail
cd "$(dirname "$0")"

# Capacities of the 25 member fields, in file order.
caps=(50 50 12 50 10 16 11 120 50 2 10 120 250 27 250 10 3 50 50 250 250 250 250 250 250)

. ./fixture_bytes.sh

# Record 1: a complete card, zero filler.
record1() {
    field 0 'Rossi Mario'
    field 1 'A-0017'
    field 2 '25,00'
    field 3 'Forl\xec'
    field 4 '01/02/1970'
    field 5 'RSSMRA70B01D704X'
    field 6 '15/09/2020'
    field 7 "Via dell'Universit\\xe0 3"
    field 8 'Cesena'
    field 9 'FC'
    field 10 '47521'
    field 11 'Istruttore di nuoto'
    field 12 'Tesoriere'
    field 13 'IT60X0542811101000000123456'
    field 14 'Quota 2024: 25 \x80 pagati'
    field 15 '31/12/2026'
    field 16 '30'
    field 17 '0547 123456'
    field 18 'mario.rossi@example.it'
    field 19 'ricevuta.pdf'
    field 20 ''
    field 21 ''
    field 22 'Ricevuta quota'
    field 23 ''
    field 24 ''
}

# Record 2: written by a careless writer: '#' filler everywhere, blanks stored around texts,
# and a province whose length byte (255) is above its capacity.
record2() {
    field 0 '  Bianchi Anna ' '#'
    field 1 '' '#'
    field 2 '0,00' '#'
    field 3 '' '#'
    field 4 '' '#'
    field 5 '' '#'
    field 6 '' '#'
    field 7 '' '#'
    field 8 'Rimini' '#'
    field 9 'RN' '#' 255
    field 10 '' '#'
    field 11 '' '#'
    field 12 '\x93Socio fondatore\x94' '#'
    field 13 '' '#'
    field 14 'Nota\t' '#'
    field 15 '30/06/2025' '#'
    field 16 '0' '#'
    for i in $(seq 17 24); do field "$i" '' '#'; done
}

{ record1; record2; } > members.pro
{ record1; head -c 1000 < <(record2); } > members_tail.pro
