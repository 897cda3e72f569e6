#!/bin/bash
# Fails when a source file includes a header of a folder above its own, and
# when the toolkit includes the program's records (core/App.h). From the
# bottom: platform and res, core, ui, the subsystems, app. The main window's
# view and numbers are in app/, so no subsystem can include them. Fails too
# when gadget numbers turn up outside the windows and their layouts, and when
# a record in core/ grows past 12 public fields. A search that fails (exit 2)
# fails the check: grep finding nothing must mean there was nothing to find.
set -uo pipefail
cd "$(dirname "$0")/../src" || exit 2
app_users=$(grep -rln '^#include "core/App.h"' ui)
[ $? -le 1 ] || exit 2
if [ -n "$app_users" ]; then
  echo "$app_users"
  echo "the toolkit includes core/App.h"
  exit 1
fi
grep -rHo '^#include "[a-z]*/' --include='*.h' --include='*.cpp' . | awk -F'[/"]' '
  BEGIN { split("platform:0 res:0 core:1 ui:2 config:3 content:3 images:3 projects:3 rename:3 app:4", l, " ")
          for (i in l) { split(l[i], p, ":"); rank[p[1]] = p[2] } }
  !($2 in rank) || !($(NF-1) in rank) { print "unknown folder: " $0; bad = 1; next }
  rank[$(NF-1)] > rank[$2] { print "upward include: " $0; bad = 1 }
  END { exit bad }'
[ $? -eq 0 ] || exit 1

# Gadget, status-field and tool-button numbers belong to the windows and
# their layouts; the logic speaks of what they mean.
numbers='(gadget|renameGadget|findGadget|setUpGadget|statusField|button)::'
holders=$(grep -rlE "$numbers" --include='*.h' --include='*.cpp' .)
[ $? -le 1 ] || exit 2
if [ -z "$holders" ]; then
  echo "no gadget numbers found at all: the pattern above is out of date"
  exit 1
fi
outside=$(grep -vE '(Window[s]?|Layout|Gadgets)\.(h|cpp)$' <<<"$holders")
if [ -n "$outside" ]; then
  echo "$outside"
  echo "gadget numbers outside the windows and their layouts (above)"
  exit 1
fi

# The program-wide records stay small: at most 12 public fields each.
python3 - core/*.h <<'PY'
import re, sys
field = re.compile(r'(?!(return|using|friend|static|typedef)\b)[\w:<>,\s\*&]+?\s+\w+(\s*=\s*[^;(]+|\{[^}]*\})?;')
bad = False
for path in sys.argv[1:]:
    depth, base, name, public, count = 0, 0, None, False, 0
    for line in open(path):
        opened = re.match(r'^\s*(struct|class) (\w+)\b[^;]*\{', line)
        if name is None and opened:
            base, name, count = depth, opened.group(2), 0
            public = opened.group(1) == 'struct'
        elif name and depth == base + 1:
            if re.match(r'^\s*public:', line): public = True
            elif re.match(r'^\s*(private|protected):', line): public = False
            elif public and '(' not in line and field.match(line.strip()): count += 1
        depth += line.count('{') - line.count('}')
        if name and depth == base:
            if count > 12:
                print(f'{path}: {name} has {count} public fields')
                bad = True
            name = None
sys.exit(1 if bad else 0)
PY
