#!/usr/bin/env python3
"""Lists the functions under src/ longer than a limit (default 60 lines), with
the reason given for the length when there is one: a comment line starting
with "Long:" just above the function.

    scripts/long-functions.py [LIMIT] [--check]

With --check it exits non-zero when a long function gives no reason. It reads
the code as clang-format lays it out: a function body opens with "{" at the
end of its heading and closes with "}" at the heading's indentation.
"""
import pathlib
import re
import sys

root = pathlib.Path(__file__).resolve().parent.parent
args = [a for a in sys.argv[1:] if not a.startswith("--")]
limit = int(args[0]) if args else 60
check = "--check" in sys.argv

not_functions = re.compile(
    r"^\s*(if|else|for|while|switch|do|try|catch|namespace|struct|class|union|enum|"
    r"extern|return|case|default)\b|=\s*\{$|^\s*\[")

found = []
sources = sorted(root.glob("src/**/*.[ch]*"))
if not sources:
    sys.exit("long-functions: no source files under %s/src" % root)
for path in sources:
    lines = path.read_text(encoding="utf-8").split("\n")
    i = 0
    while i < len(lines):
        line = lines[i]
        indent = len(line) - len(line.lstrip(" "))
        if indent <= 4 and line.rstrip().endswith("{") and not not_functions.search(line):
            # The heading may start on earlier lines; take from the line holding "(".
            start = i
            while "(" not in lines[start] and start > 0 and i - start < 4:
                start -= 1
            if "(" in lines[start]:
                head_indent = len(lines[start]) - len(lines[start].lstrip(" "))
                closing = " " * head_indent + "}"
                end = i + 1
                while end < len(lines) and not lines[end].startswith(closing):
                    end += 1
                if end < len(lines) and lines[end].rstrip() in (closing, closing + ";"):
                    length = end - start + 1
                    if length > limit:
                        above = lines[start - 1].strip() if start > 0 else ""
                        reason = above[len("// Long:"):].strip() if above.startswith("// Long:") else ""
                        name = lines[start].strip()
                        found.append((length, f"{path.relative_to(root)}:{start + 1}", name, reason))
                    i = end
        i += 1

missing = 0
for length, where, name, reason in sorted(found, reverse=True):
    print(f"{length:4d}  {where}  {name[:70]}")
    if reason:
        print(f"      long because: {reason}")
    else:
        missing += 1
print(f"{len(found)} functions over {limit} lines, {missing} without a reason")
sys.exit(1 if check and missing else 0)
