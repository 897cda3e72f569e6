#!/usr/bin/env python3
"""Checks a compiled Seamster.CHM from the outside, with chmls.

    check_help.py [--chmls PATH] [--repo ROOT] --version X.Y Seamster.CHM

Lists every page and picture in the file, and fails when a page, the table
of contents or the index points at something the file does not hold, when a
picture or page is never reached, or when a window's page does not name that
window by the title the program gives it.

With --repo (the source tree) it also fails when a page names a control, a
window or a message (the texts marked class="ui" or class="title") that the
program does not have, when the program asks for a help page the file does
not hold, and when a picture in docs/ is missing from tools/help/pictures.txt
(whether a picture still shows its window is for scripts/help-pictures.sh
--check, after an end-to-end run).
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
PROGRAM_TEXT = re.compile(r'<span class="(?:ui|title)">(.*?)</span>', re.S)
# A C++ comment, character or string literal, in the order they come.
TOKEN = re.compile(r'//[^\n]*|/\*.*?\*/|\'(?:\\.|[^\\\'])*\'|"((?:\\.|[^\\"\n])*)"', re.S)
ESCAPE = re.compile(r'\\(x[0-9A-Fa-f]{1,2}|[0-7]{1,3}|.)', re.S)
SIMPLE_ESCAPES = {"n": "\n", "r": "\r", "t": "\t", "0": "\0", "\\": "\\", '"': '"', "'": "'"}


def text_of(page):
    """The page's words as a reader sees them, blanks kept as written."""
    body = re.sub(r"<!--.*?-->", "", page, flags=re.S)
    return html.unescape(re.sub(r"<[^>]+>", "", body))


def target(link):
    """The file a link points at inside the help file, or None for an outside address."""
    if re.match(r"^[a-z]+:", link, re.I) or link.startswith("#"):
        return None
    return link.split("#", 1)[0].lower()


def literal_text(body):
    """A C++ string literal's text: escapes read, bytes taken as UTF-8 or else the code page."""
    def byte(match):
        code = match.group(1)
        if code[0] == "x":
            return chr(int(code[1:], 16))
        if code.isdigit():
            return chr(int(code, 8))
        return SIMPLE_ESCAPES.get(code, code)
    raw = ESCAPE.sub(byte, body).encode("latin-1", "replace")
    try:
        return raw.decode("utf-8")
    except UnicodeDecodeError:
        return raw.decode("cp1252", "replace")


def program_texts(root):
    """Every string literal of the program's source, each line of it, stripped."""
    texts = set()
    for folder, _, names in os.walk(os.path.join(root, "src")):
        for name in names:
            if not name.endswith((".cpp", ".h")):
                continue
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                source = f.read()
            for token in TOKEN.finditer(source):
                if token.group(1) is None:
                    continue
                text = literal_text(token.group(1))
                texts.add(text.strip())
                texts.update(line.strip() for line in text.split("\n"))
    return texts


def unlisted_pictures(root):
    """Pictures in docs/ that tools/help/pictures.txt does not list, so nothing keeps them current."""
    with open(os.path.join(root, "tools", "help", "pictures.txt"), encoding="utf-8") as f:
        listed = {line.split()[0] for line in f if line.strip() and not line.startswith("#")}
    return ["docs/%s/%s is not in tools/help/pictures.txt" % (folder, name)
            for folder in ("help", "screenshots")
            for name in sorted(os.listdir(os.path.join(root, "docs", folder)))
            if name.endswith(".png") and "%s/%s" % (folder, name) not in listed]


def source_problems(root, version, pages, read):
    """What the pages say that the program does not, and the pages it asks for that are missing."""
    texts = program_texts(root)
    titles = {t.format(version=version).strip() for ts in WINDOW_TITLES.values() for t in ts}
    problems = []
    for page in pages:
        for marked in PROGRAM_TEXT.findall(read(page)):
            text = html.unescape(re.sub(r"<[^>]+>", "", marked)).strip()
            if text not in texts and text not in titles:
                problems.append("%s names %r, which the program does not show" % (page, text))
    for text in sorted(texts):
        if re.fullmatch(r"[a-z0-9-]+\.htm", text) and text not in pages:
            problems.append("the program opens the help page %s, which the help file does not hold"
                            % text)
    return problems + unlisted_pictures(root)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--chmls", default="chmls")
    parser.add_argument("--version", required=True)
    parser.add_argument("--repo", help="the source tree, for the checks against the program")
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
        if args.repo:
            problems += source_problems(args.repo, args.version, pages, read)

    print("%d pages: %s" % (len(pages), " ".join(pages)))
    print("%d pictures: %s" % (len(pictures), " ".join(pictures)))
    for problem in problems:
        print("FAIL: " + problem)
    if problems:
        sys.exit(1)
    print("help: every link, picture, window title%s checked"
          % (", program text and picture list" if args.repo else ""))


if __name__ == "__main__":
    main()
