#!/usr/bin/env python3
"""Fails when a string literal of the program's interface code is neither marked for
translation nor listed as a text that is not shown to the user.

A literal counts as marked when it is the text argument of tr(), QT_TR_NOOP(),
QCoreApplication::translate() or QT_TRANSLATE_NOOP(). Literals without a letter, in
#include lines, and arguments of calls that never reach the screen (object names,
environment variables, style sheets, theme icons, properties) are left alone. Everything
else must be listed, text as written in the source, in the list of untranslated texts.

Usage: marked_texts.py SOURCE_ROOT LIST FOLDER_OR_FILE... [--except PATH...]
"""
import os
import re
import sys

MARKERS = ("tr", "QT_TR_NOOP", "translate", "QT_TRANSLATE_NOOP")
# Calls whose literal arguments are names for the program itself, never shown.
HIDDEN_CALLS = ("setObjectName", "qEnvironmentVariable", "qEnvironmentVariableIsSet",
                "qEnvironmentVariableIsEmpty", "qgetenv", "qputenv", "setStyleSheet",
                "fromTheme", "setProperty", "property", "QStringDecoder", "Q_INIT_RESOURCE")
LETTER = re.compile(r"[A-Za-zÄÖÜäöüß]")


def literals(text):
    """Yields (line, start, end, content) of every string literal outside comments; a run
    of adjacent literals ("a" "b") comes as one with the contents joined."""
    i, n, line = 0, len(text), 1
    run = None
    while i < n:
        c = text[i]
        if c == "\n":
            line += 1
            i += 1
        elif text.startswith("//", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            line += text.count("\n", i, end)
            i = end
        elif c == "'":
            j = i + 1
            while j < n and text[j] != "'":
                j += 2 if text[j] == "\\" else 1
            i = j + 1
        elif c == '"':
            j = i + 1
            while j < n and text[j] != '"':
                j += 2 if text[j] == "\\" else 1
            content = text[i + 1:j]
            if run and text[run[2]:i].strip() == "":
                run = (run[0], run[1], j + 1, run[3] + content)
            else:
                if run:
                    yield run
                run = (line, i, j + 1, content)
            line += text.count("\n", i, j)
            i = j + 1
        else:
            i += 1
    if run:
        yield run


def enclosing_call(text, start):
    """The name of the call whose argument list holds position start, and the index of
    the argument there (0 for the first), or (None, 0)."""
    depth, argument, i = 0, 0, start - 1
    while i >= 0:
        c = text[i]
        if c in ")]}":
            depth += 1
        elif c in "([{":
            if depth == 0:
                if c != "(":
                    return None, 0
                name = re.search(r"([A-Za-z_][A-Za-z_0-9]*)\s*$", text[:i])
                return (name.group(1) if name else None), argument
            depth -= 1
        elif c == "," and depth == 0:
            argument += 1
        elif c == ";" and depth == 0:
            return None, 0
        i -= 1
    return None, 0


def is_marked(text, start):
    name, argument = enclosing_call(text, start)
    if name in ("tr", "QT_TR_NOOP"):
        return argument == 0
    if name in ("translate", "QT_TRANSLATE_NOOP"):
        return argument in (0, 1)  # the context and the text
    return name in HIDDEN_CALLS


def unmarked(path, shown_name):
    text = open(path, encoding="utf-8").read()
    for line, start, _end, content in literals(text):
        line_start = text.rfind("\n", 0, start) + 1
        if text[line_start:start].lstrip().startswith("#include"):
            continue
        if not LETTER.search(content) or is_marked(text, start):
            continue
        yield f"{shown_name}:{line}", content


def sources(root, names, excluded):
    for name in names:
        full = os.path.join(root, name)
        paths = [full] if os.path.isfile(full) else [
            os.path.join(folder, f) for folder, _, files in os.walk(full) for f in files]
        for path in sorted(paths):
            relative = os.path.relpath(path, root)
            if path.endswith((".cpp", ".h")) and not any(
                    relative == e or relative.startswith(e.rstrip("/") + "/") for e in excluded):
                yield path, relative


def main(argv):
    root, listed = argv[1], argv[2]
    rest = argv[3:]
    excluded = rest[rest.index("--except") + 1:] if "--except" in rest else []
    folders = rest[:rest.index("--except")] if "--except" in rest else rest
    allowed = {line.rstrip("\n") for line in open(listed, encoding="utf-8")
               if line.strip() and not line.startswith("#")}
    found = [(where, content) for path, relative in sources(root, folders, excluded)
             for where, content in unmarked(path, relative) if content not in allowed]
    for where, content in found:
        print(f'{where}: "{content}" is not marked for translation (tr(), QT_TR_NOOP(), '
              f"QCoreApplication::translate(), QT_TRANSLATE_NOOP()) and not listed in "
              f"{os.path.relpath(listed, root)}")
    if found:
        print(f"{len(found)} text(s) not marked for translation")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
