#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# Reads the main window's lists from another process through AT-SPI, as a
# screen reader does: every row of each list, as "list<TAB>row". Exits with 1
# when the program or a list is not found that way.
# Usage: atspi_read.py PROGRAM_PID
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

LISTS = {Atspi.Role.LIST, Atspi.Role.LIST_BOX, Atspi.Role.COMBO_BOX}


def lists(node, found):
    if node is None:
        return found
    if node.get_role() == Atspi.Role.COMBO_BOX or (
        node.get_role() in LISTS and node.get_name() in ("Dir", "File")
    ):
        found.append(node)
        return found
    for i in range(node.get_child_count()):
        lists(node.get_child_at_index(i), found)
    return found


def rows(node):
    if node.get_role() == Atspi.Role.COMBO_BOX:  # its rows stand in a list of its own
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child.get_role() in LISTS:
                return rows(child)
        return []
    return [node.get_child_at_index(i).get_name() for i in range(node.get_child_count())]


def main():
    pid = int(sys.argv[1])
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == pid:
            found = lists(app, [])
            if len(found) != 3:
                print("lists found: %s" % [n.get_name() for n in found], file=sys.stderr)
                return 1
            for node in found:
                combo = node.get_role() == Atspi.Role.COMBO_BOX
                for row in rows(node):
                    print("%s\t%s" % ("Drive" if combo else node.get_name(), row))
            return 0
    print("no such program on the accessibility bus", file=sys.stderr)
    return 1


sys.exit(main())
