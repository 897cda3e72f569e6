#!/bin/bash
# Fails when a source file includes a header of a folder above its own, and
# when the toolkit includes the program's records (core/App.h). From the
# bottom: platform and res, core, ui, the subsystems, app. The main window's
# view and numbers are in app/, so no subsystem can include them.
cd "$(dirname "$0")/../src" || exit 2
if grep -rln '^#include "core/App.h"' ui; then
  echo "the toolkit includes core/App.h"
  exit 1
fi
grep -rHo '^#include "[a-z]*/' --include='*.h' --include='*.cpp' . | awk -F'[/"]' '
  BEGIN { split("platform:0 res:0 core:1 ui:2 config:3 content:3 images:3 projects:3 rename:3 app:4", l, " ")
          for (i in l) { split(l[i], p, ":"); rank[p[1]] = p[2] } }
  !($2 in rank) || !($(NF-1) in rank) { print "unknown folder: " $0; bad = 1; next }
  rank[$(NF-1)] > rank[$2] { print "upward include: " $0; bad = 1 }
  END { exit bad }'
