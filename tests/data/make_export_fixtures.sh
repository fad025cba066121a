#!/bin/bash
# Writes members.xls, the spreadsheet export expected from members.pro, piece by piece by hand,
# independently of the program's own code. Run it from anywhere; it rewrites members.xls here.
set -euo pipefail
cd "$(dirname "$0")"

out=members.xls
p() { printf "$1" >> "$out"; }
: > "$out"

p '<html xmlns:o="urn:schemas-microsoft-com:office:office" xmlns:x="urn:schemas-microsoft-com:office:excel" xmlns="http://www.w3.org/TR/REC-html40">'
p '<head>'
p '<meta http-equiv="Content-Type" content="text/html; charset=windows-1252">'
p '<!--[if gte mso 9]><xml>'
p '<x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>'
p '<x:Name>Riepilogo Soci</x:Name>'
p '<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>'
p '<x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False</x:ProtectScenarios>'
p '</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]-->'
p '</head><body><table x:str>'

heading() { p "<td style=\"text-align: left; font-weight: bold;\" width=$1>$2</td>"; }
p '<tr>'
heading 250 'Cognome e nome'
heading 200 'Tessera n.'
heading 200 'Quota associativa'
heading 250 'Luogo di nascita'
heading 200 'Data di nascita'
heading 200 'Codice fiscale'
heading 180 'Data iscrizione'
heading 250 'Indirizzo di residenza'
heading 250 'Citt\xe0'
heading 150 'Prov.'
heading 150 'CAP'
heading 300 'Qualifiche'
heading 250 'Incarico ricoperto'
heading 250 'IBAN'
heading 400 'Note'
heading 200 'Scadenza iscrizione'
heading 200 'Recapito telefonico'
heading 250 'E-mail'
p '</tr>'

cell() { p "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">$1</td>"; }
# Record 1: every exported field, notice days (30) left out.
p '<tr>'
cell 'Rossi Mario'
cell 'A-0017'
cell '25,00'
cell 'Forl\xec'
cell '01/02/1970'
cell 'RSSMRA70B01D704X'
cell '15/09/2020'
cell "Via dell'Universit\\xe0 3"
cell 'Cesena'
cell 'FC'
cell '47521'
cell 'Istruttore di nuoto'
cell 'Tesoriere'
cell 'IT60X0542811101000000123456'
cell 'Quota 2024: 25 \x80 pagati'
cell '31/12/2026'
cell '0547 123456'
cell 'mario.rossi@example.it'
p '</tr>'
# Record 2: the careless writer's card, trimmed; the fee typed over in the grid as "30,00".
p '<tr>'
cell 'Bianchi Anna'
cell ''
cell '30,00'
cell ''
cell ''
cell ''
cell ''
cell ''
cell 'Rimini'
cell 'RN'
cell ''
cell ''
cell '\x93Socio fondatore\x94'
cell ''
cell 'Nota'
cell '30/06/2025'
cell ''
cell ''
p '</tr>'
p '</table></body></html>'
