#!/usr/bin/env bash
# Fails when an include crosses a layer upward or two folders include each other, and prints
# the offending lines. Layers, lowest first: core (pure C++), qt (Qt Core/Gui adapters), then
# desktop and cli, which never include each other. Inside a layer each folder has a rank and
# may include only folders of a lower rank (and itself); folders of one rank are independent.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

ranks='
core/image 0
core/config 1
core/codec 2
core/options 3
core/link 3
core/print 4
core/formats 5
qt 10
desktop/services 20
desktop/document 21
desktop/dialogs 22
desktop/transfer 22
desktop/printing 22
desktop/channels 23
desktop/frame 24
desktop/app 25
cli 20
'

files=$(find core qt desktop cli -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
# shellcheck disable=SC2086
awk -v ranks="$ranks" '
function folder(path,   parts, n) {
    n = split(path, parts, "/")
    if (parts[1] == "core" || parts[1] == "desktop") return (n > 2 ? parts[1] "/" parts[2] : parts[1])
    return parts[1]
}
function layer(f,   p) { split(f, p, "/"); return p[1] }
BEGIN {
    n = split(ranks, lines, "\n")
    for (i = 1; i <= n; i++) if (split(lines[i], kv, " ") == 2) rank[kv[1]] = kv[2] + 0
    bad = 0
}
FNR == 1 { from = folder(FILENAME) }
/^[ \t]*#[ \t]*include[ \t]*</ {
    if (layer(from) == "core" && $0 ~ /<Q[A-Za-z]/) {
        printf "%s:%d: %s  (core/ must not use Qt)\n", FILENAME, FNR, $0; bad = 1
    }
    next
}
/^[ \t]*#[ \t]*include[ \t]*"/ {
    match($0, /"[^"]*"/); inc = substr($0, RSTART + 1, RLENGTH - 2)
    if (inc !~ /^(core|qt|desktop|cli|tests|bench)\//) next
    to = folder(inc)
    if (to == from) next
    why = ""
    if (!(from in rank)) why = from " has no rank in scripts/check_layers.sh"
    else if (!(to in rank)) why = to " is not a layer " from " may include"
    else if ((layer(from) == "desktop" && layer(to) == "cli") || (layer(from) == "cli" && layer(to) == "desktop"))
        why = "desktop/ and cli/ never include each other"
    else if (rank[to] >= rank[from]) why = from " may not include " to " (same or higher layer)"
    if (why != "") { printf "%s:%d: %s  (%s)\n", FILENAME, FNR, $0, why; bad = 1 }
}
END {
    if (bad) { print "layer check: includes must only go down (see docs/style.md)" > "/dev/stderr"; exit 1 }
}
' $files
echo "layer check: every include goes down"
