#!/usr/bin/env bash
# Fails when an `#include "..."` of the program's own code runs up the layers: a lower layer
# that includes a higher one, or two layers side by side that include each other. Names
# every such include (file, line, the include) and exits 1; prints a count and exits 0
# otherwise. Tests, benchmarks, fuzzers and the gallery programs may include anything.
#   scripts/check-layers.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# Which layers each layer may include besides its own files; docs/layers.md shows the same
# table. `pages` stands for every page folder (pages/main, pages/inside, ...): each of them
# includes its own files, never another page folder's.
table='
# layer       folders                                    may include
core        # core/                                      :
platform    # pages/framework, in mnemex_platform        :
framework   # pages/framework, the rest                  : core platform
pages       # pages/main, pages/inside, ...              : core platform framework
results     # reports/ (the result pages)                : core platform framework text
text        # reports/text                               : core
workbook    # reports/workbook                           : core
app         # app/                                       : core platform framework pages results text workbook
cli         # cli/                                       : core text workbook
python      # python/                                    : core text workbook
web         # web/                                       : core text workbook cli
uninstaller # uninstaller/                               : platform
'

# The platform is the part of pages/framework that the uninstaller links as mnemex_platform
# (Widgets only): the sources CMake lists for that library, with their headers.
platform=$(sed -n '/add_library(mnemex_platform/,/)/{s/^ *\([A-Za-z0-9_/]*\)\.cpp *$/\1/p}' \
  pages/framework/CMakeLists.txt | tr '\n' ' ')
if [ -z "$platform" ]; then
  echo "check-layers: no mnemex_platform sources found in pages/framework/CMakeLists.txt" >&2
  exit 2
fi

git ls-files --cached --others --exclude-standard -- \
  '*.cpp' '*.h' '*.hpp' '*.cc' '*.c' '*.inc' |
  awk -v table="$table" -v platform="$platform" '
    function exists(path,   line, found) {
        found = (getline line < path) >= 0
        close(path)
        return found
    }
    # "a/b/../c/./d" as "a/c/d".
    function normal(path,   n, parts, out, k, i) {
        n = split(path, parts, "/")
        k = 0
        for (i = 1; i <= n; i++) {
            if (parts[i] == "" || parts[i] == ".") continue
            if (parts[i] == ".." && k > 0) { k--; continue }
            out[++k] = parts[i]
        }
        path = ""
        for (i = 1; i <= k; i++) path = path (i > 1 ? "/" : "") out[i]
        return path
    }
    # The layer of a file; "-" for code that may include anything, "?" for code that no row
    # of the table covers.
    function layer(path,   stem, rest) {
        if (path ~ /^(tests|bench|fuzz|tools)\//) return "-"
        if (path ~ /^core\//) return "core"
        if (path ~ /^pages\/framework\//) {
            stem = substr(path, length("pages/framework/") + 1)
            sub(/\.[^.\/]*$/, "", stem)
            return (stem in platformStem) ? "platform" : "framework"
        }
        if (path ~ /^pages\/[^\/]+\//) {
            rest = substr(path, length("pages/") + 1)
            return "pages/" substr(rest, 1, index(rest, "/") - 1)
        }
        if (path ~ /^reports\/text\//) return "text"
        if (path ~ /^reports\/workbook\//) return "workbook"
        if (path ~ /^reports\/[^\/]+$/) return "results"
        if (path ~ /^(app|cli|python|web|uninstaller)\//) return substr(path, 1, index(path, "/") - 1)
        return "?"
    }
    # Every page folder shares the row "pages".
    function row(l) { return (l ~ /^pages\//) ? "pages" : l }
    BEGIN {
        n = split(platform, names, " ")
        for (i = 1; i <= n; i++) platformStem[names[i]] = 1
        n = split(table, rows, "\n")
        for (i = 1; i <= n; i++) {
            if (rows[i] ~ /^[ \t]*(#|$)/) continue
            split(rows[i], halves, ":")
            split(halves[1], head, " ")
            m = split(halves[2], below, " ")
            for (j = 1; j <= m; j++) allowed[head[1], below[j]] = 1
        }
    }
    {
        file = $0
        from = layer(file)
        if (from == "-" || !exists(file)) next
        dir = file; sub(/\/?[^\/]*$/, "", dir)
        lineNo = 0
        while ((getline text < file) > 0) {
            lineNo++
            if (text !~ /^[ \t]*#[ \t]*include[ \t]*"/) continue
            target = text
            sub(/^[ \t]*#[ \t]*include[ \t]*"/, "", target)
            sub(/".*$/, "", target)
            # As the compiler looks: beside the including file first, then from the top
            # folder. What is in neither (generated files) is not ours to check.
            if (dir != "" && exists(dir "/" target)) resolved = normal(dir "/" target)
            else if (exists(target)) resolved = normal(target)
            else continue
            checked++
            to = layer(resolved)
            if (to == from) continue
            if (from == "?") {
                printf "%s:%d: #include \"%s\": %s is in no layer of the table\n", file, lineNo, target, file
                failures++
            } else if (!((row(from), row(to)) in allowed)) {
                printf "%s:%d: #include \"%s\": %s may not include %s\n", file, lineNo, target, from, to
                failures++
            }
        }
        close(file)
    }
    END {
        if (failures > 0) {
            printf "layers: %d include(s) against the direction of the layers\n", failures
            exit 1
        }
        printf "layers: %d includes of our own code checked\n", checked
    }'
