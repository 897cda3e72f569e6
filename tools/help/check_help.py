#!/usr/bin/env python3
"""Checks a compiled Seamster.CHM from the outside, with chmls.

    check_help.py [--chmls PATH] --version X.Y Seamster.CHM

Lists every page and picture in the file, and fails when a page, the table
of contents or the index points at something the file does not hold, when a
picture or page is never reached, or when a window's page does not name that
window by the title the program gives it.
"""
import argparse
import html
import os
import re
import subprocess
import sys
import tempfile

# Each window's page and the window's title as the program shows it (leading
# blanks, which only indent the caption, left out).
WINDOW_TITLES = {
    "main-window.htm": ["Seamster   --    "],
    "setup-window.htm": ["Seamster Set Up"],
    "hide-game-folders.htm": ["Seamster   --    Hide Game Folders"],
    "extras.htm": ["Seamster - Bodyshop Extras"],
    "options.htm": ["Seamster   --    Program Options"],
    "about.htm": ["About Seamster"],
    "find-packages.htm": ["Seamster - Find Package Options"],
    "rename-window.htm": ["Seamster  --  Rename Bodyshop Packages"],
    "remove-projects.htm": ["Seamster   --    Remove Projects"],
    "backgrounds.htm": ["Select New Background Image", "Seamster v {version} \u00df  Image Preview",
                        "Save Copy As:"],
}

LINK = re.compile(r'(?:href|src)\s*=\s*"([^"]*)"', re.I)
LOCAL = re.compile(r'<param\s+name="Local"\s+value="([^"]*)"', re.I)


def text_of(page):
    """The page's words as a reader sees them, blanks kept as written."""
    body = re.sub(r"<!--.*?-->", "", page, flags=re.S)
    return html.unescape(re.sub(r"<[^>]+>", "", body))


def target(link):
    """The file a link points at inside the help file, or None for an outside address."""
    if re.match(r"^[a-z]+:", link, re.I) or link.startswith("#"):
        return None
    return link.split("#", 1)[0].lower()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--chmls", default="chmls")
    parser.add_argument("--version", required=True)
    parser.add_argument("chm")
    args = parser.parse_args()

    listing = subprocess.run([args.chmls, "-n", "-p", "list", args.chm], check=True,
                             capture_output=True, text=True).stdout
    names = [l.strip().lstrip("/") for l in listing.splitlines() if l.strip().startswith("/")]
    files = {n.lower() for n in names if n and not n.endswith("/") and not n.startswith(("#", "$"))}
    pages = sorted(n for n in files if n.endswith(".htm"))
    pictures = sorted(n for n in files if n.endswith(".png"))
    problems = []

    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([args.chmls, "extractall", args.chm, folder], check=True, capture_output=True)
        def read(name):
            with open(os.path.join(folder, name), encoding="cp1252") as f:
                return f.read()

        reached = set()
        for page in pages:
            source = read(page)
            for link in LINK.findall(source):
                file = target(link)
                if file is None:
                    continue
                if file in files:
                    reached.add(file)
                else:
                    problems.append("%s links to %s, which the help file does not hold" % (page, link))
            if not re.search(r"<title>[^<]+</title>", source, re.I):
                problems.append("%s has no title" % page)
            words = text_of(source)
            for title in WINDOW_TITLES.get(page, []):
                if title.format(version=args.version) not in words:
                    problems.append("%s does not name the window %r" % (page, title))
        for missing in sorted(set(WINDOW_TITLES) - set(pages)):
            problems.append("the help file has no page %s" % missing)

        contents = set()
        for name in ("toc.hhc", "index.hhk"):
            if name not in files:
                problems.append("the help file has no %s" % name)
                continue
            for link in LOCAL.findall(read(name)):
                if target(link) in files:
                    contents.add(target(link))
                else:
                    problems.append("%s points at %s, which the help file does not hold" % (name, link))
        for page in pages:
            if page not in contents:
                problems.append("%s is in neither the contents nor the index" % page)
        for picture in pictures:
            if picture not in reached:
                problems.append("no page shows %s" % picture)

    print("%d pages: %s" % (len(pages), " ".join(pages)))
    print("%d pictures: %s" % (len(pictures), " ".join(pictures)))
    for problem in problems:
        print("FAIL: " + problem)
    if problems:
        sys.exit(1)
    print("help: every link, picture and window title checked")


if __name__ == "__main__":
    main()
