# Shared by the fixture writers: counted text fields written byte by byte with printf. The
# caller sets the array `caps` to the capacities of its record's fields, in file order.

# field INDEX TEXT [FILL] [LENGTH]: the length byte, the text (printf escapes), then filler up
# to the capacity. LENGTH overrides the length byte, to write a damaged one.
field() {
    local cap=${caps[$1]} text=$2 fill=${3:-} len=${4:-}
    local n
    n=$(printf '%b' "$text" | wc -c)
    printf "\\x$(printf %02x "${len:-$n}")"
    printf '%b' "$text"
    if [ -n "$fill" ]; then
        head -c $((cap - n)) /dev/zero | tr '\000' "$fill"
    else
        head -c $((cap - n)) /dev/zero
    fi
}

# One character per field number, so that a field read from the wrong place shows at once.
markers='ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+'

# full INDEX: the field filled to its capacity with its own marker character.
full() {
    local cap=${caps[$1]}
    printf "\\x$(printf %02x "$cap")"
    head -c "$cap" /dev/zero | tr '\000' "${markers:$1:1}"
}

# full_record: every field of the record full.
full_record() {
    local i
    for i in "${!caps[@]}"; do full "$i"; done
}
