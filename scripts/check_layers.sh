#!/usr/bin/env bash
# Fails when a library includes a header of a library above it (or of a
# sibling beside it). Each folder has a rank, bottom to top; a source file may
# include headers of its own folder and of folders of a lower rank only.
# Tests and tools are not libraries and may include anything.
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"

# folder rank; the longest folder that prefixes a path owns it.
layers="
platform 0
platform/x11 5
model 10
kernel 20
export 25
lumo 30
render 30
lumo/gl 35
render/gl 38
state 40
shell 50
panels 55
app/commands 60
app/actions 70
app/frame 80
app/program 90
"

cd "$root"
folders=()
while read -r folder _; do
  [[ -n "$folder" && -d "$folder" ]] && folders+=("$folder")
done <<<"$layers"

grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "${folders[@]}" |
  awk -v layers="$layers" '
    BEGIN {
      n = split(layers, lines, "\n")
      for (i = 1; i <= n; i++) if (split(lines[i], f, " ") == 2) rank[f[1]] = f[2]
    }
    # The folder of a path: the longest ranked folder it lies in.
    function owner(path,    best, folder) {
      best = ""
      for (folder in rank)
        if (index(path, folder "/") == 1 && length(folder) > length(best)) best = folder
      return best
    }
    {
      split($0, parts, ":")
      file = parts[1]; line = parts[2]
      match($0, /"[^"]+"/)
      header = substr($0, RSTART + 1, RLENGTH - 2)
      from = owner(file); to = owner(header)
      if (to == "" || to == from) next
      if (rank[to] >= rank[from]) {
        printf "%s:%s: %s (%s) includes %s (%s)\n", file, line, from, rank[from], header, to
        bad = 1
      }
    }
    END {
      if (bad) { print "layer check failed: a library includes a header of a layer above or beside it" > "/dev/stderr"; exit 1 }
    }'
echo "layer check: every library includes only its own and lower layers"
