#!/usr/bin/python3
"""Reads Beatloft over AT-SPI as a screen reader does and checks what it finds.

Prints the named views, a summary of the grid cells, then presses one cell and toggles the
Play button through their accessible actions. Exits with 1 when a check fails.
"""
import re
import sys
import time

import pyatspi
from gi.repository import GLib

CELL_NAME = re.compile(r"^(?:(.+), )?Schritt (\d+)$")
failures = []


def check(condition, message):
    print(("ok    " if condition else "FAIL  ") + message)
    if not condition:
        failures.append(message)


def find_program(timeout=30):
    deadline = time.time() + timeout
    while time.time() < deadline:
        for program in pyatspi.Registry.getDesktop(0):
            if program is not None and program.name.lower() == "beatloft" and program.childCount:
                return program
        time.sleep(0.25)
    return None


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def action(node, name):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    return actions, names.index(name) if name in names else -1


def wait_for(condition, timeout=3.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if condition():
            return True
        time.sleep(0.05)
    return condition()


def press_cell_and_listen(cell):
    """Presses the cell and collects the events the program sends for it."""
    events = []

    def heard(event):
        if event.source == cell:
            events.append(event.type)

    pyatspi.Registry.registerEventListener(
        heard, "object:state-changed:checked", "object:property-change:accessible-description")

    def press():
        actions, index = action(cell, "Press")
        actions.doAction(index)
        return False

    GLib.timeout_add(300, press)
    GLib.timeout_add(2500, lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(
        heard, "object:state-changed:checked", "object:property-change:accessible-description")
    return events


def main():
    program = find_program()
    check(program is not None, "Beatloft is on the accessibility bus")
    if program is None:
        return 1
    nodes = list(walk(program))
    cells = [n for n in nodes if n.getRoleName() == "check box" and CELL_NAME.match(n.name)]
    named = [n for n in nodes if n.name and n not in cells]
    print("\nNamed views (role: name):")
    for node in named:
        print(f"  {node.getRoleName()}: {node.name}")
    print(f"\nGrid cells: {len(cells)}, for example:")
    for node in cells[:3] + cells[-2:]:
        print(f"  {node.getRoleName()}: {node.name!r}, description {node.description!r}")
    nameless = [n for n in nodes if not n.name and n.getState().contains(pyatspi.STATE_SHOWING)]
    print(f"\nShowing views without a name: {len(nameless)} "
          f"({', '.join(sorted({n.getRoleName() for n in nameless}))})\n")

    check(len(cells) == 18 * 16, f"{len(cells)} cells named '<instrument>, Schritt <n>'")
    check(all(CELL_NAME.match(n.name).group(1) for n in cells), "every cell names its instrument")
    names = {n.name for n in nodes}
    for name in ["Pattern-Name", "Takt", "Taktnenner", "SubDivs", "Ticks", "BPM",
                 "Play (Strg+Leertaste)", "Play", "Ins Pat ->", "<- Edit", "Song"]:
        check(name in names, f"a view is named {name!r}")

    cell = next((n for n in cells if n.name == "Snare, Schritt 5"), None)
    check(cell is not None, "the cell 'Snare, Schritt 5' is found")
    if cell is not None:
        check(cell.description == "aus", f"before Press its level reads {cell.description!r}")
        events = press_cell_and_listen(cell)
        check(cell.description == "normal", f"after Press its level reads {cell.description!r}")
        check(cell.getState().contains(pyatspi.STATE_CHECKED), "after Press it is checked")
        check("object:state-changed:checked" in events, f"the change was announced: {events}")

    play = next((n for n in nodes
                 if n.name == "Play (Strg+Leertaste)" and n.parent.name == "Pattern"), None)
    check(play is not None, "the pattern's Play button is found")
    if play is not None:
        actions, toggle = action(play, "Toggle")
        check(toggle >= 0, "Play offers the action Toggle")
        # The play cursor, the frame inside the pattern frame, shows only while playing.
        cursor = next(n for n in play.parent if n is not None and n.getRoleName() == "frame")
        showing = lambda: cursor.getState().contains(pyatspi.STATE_SHOWING)
        actions.doAction(toggle)
        check(wait_for(lambda: play.getState().contains(pyatspi.STATE_CHECKED)),
              "Play is down after Toggle")
        check(wait_for(showing), "and playback runs: the play cursor shows")
        actions.doAction(toggle)
        check(wait_for(lambda: not play.getState().contains(pyatspi.STATE_CHECKED)),
              "Play is up after a second Toggle")
        check(wait_for(lambda: not showing()), "and playback stopped: the play cursor is gone")
    print(f"\n{len(failures)} check(s) failed" if failures else "\nall checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
