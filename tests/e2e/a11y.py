"""Reads of the accessibility tree (AT-SPI), as a screen reader sees a program."""

import warnings

import pyatspi
from gi.repository import Atspi

from desktop import pdf_text, wait_for

# The *_iface accessors are deprecated in newer libatspi but are what
# Debian 12's has; the warnings would only clutter the test output.
warnings.filterwarnings("ignore", category=DeprecationWarning)


def walk(node):
    """Every accessible below `node`, depth first, `node` included."""
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child)


def role(node):
    return node.get_role_name()


def name(node):
    return node.get_name()


def labels(node):
    """The names of the labels that name `node` for a screen reader."""
    return [relation.get_target(i).get_name() for relation in node.get_relation_set()
            if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY
            for i in range(relation.get_n_targets())]


def descendants(root, *wanted):
    """One accessible below `root` for each (role[, name]) in `wanted`, or
    None while one of them is not there yet."""
    found = [next((node for node in walk(root)
                   if role(node) == w[0] and w[1:] in ((), (name(node),))), None) for w in wanted]
    return None if None in found else found


def extents(node):
    """(x, y, width, height) on the screen."""
    rect = node.get_component_iface().get_extents(Atspi.CoordType.SCREEN)
    return rect.x, rect.y, rect.width, rect.height


def text(node):
    return node.get_text_iface().get_text(0, -1)


def selected_text(node):
    iface = node.get_text_iface()
    selection = iface.get_selection(0) if iface.get_n_selections() else None
    return iface.get_text(selection.start_offset, selection.end_offset) if selection else ""


def focused(node):
    return node.get_state_set().contains(Atspi.StateType.FOCUSED)


def showing(node):
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def cell_node(node, row, column):
    return node.get_table_iface().get_accessible_at(row, column)


def cell(node, row, column):
    """The text a table cell shows (its accessible's name)."""
    return name(cell_node(node, row, column))


def rows(node, first_column=0):
    """Each row's cells from `first_column` on (-1: only the last)."""
    table = node.get_table_iface()
    columns = range(first_column % table.get_n_columns(), table.get_n_columns())
    return [[cell(node, r, c) for c in columns] for r in range(table.get_n_rows())]


class Program:
    """A running program as the window manager and a screen reader see it;
    `is_window` tells its main window's accessible."""

    def __init__(self, desktop, process, is_window, managed=True):
        self.desktop, self.process = desktop, process
        if managed:
            self.window = wait_for("the window to be mapped",
                                   lambda: next(iter(desktop.windows_of(process.pid)), None),
                                   timeout=20)

        def application():
            apps = pyatspi.Registry.getDesktop(0)
            return next((app for app in map(apps.get_child_at_index, range(apps.get_child_count()))
                         if app is not None and app.get_process_id() == process.pid), None)
        self.app = wait_for("the program on the accessibility bus", application, timeout=20)
        self.frame = wait_for("the window's accessible", lambda: self.top_level(is_window))

    def top_level(self, match):
        nodes = map(self.app.get_child_at_index, range(self.app.get_child_count()))
        return next((node for node in nodes if node is not None and match(node)), None)

    def dialogs(self):
        return [w for w in self.desktop.windows_of(self.process.pid) if w != self.window]

    def click(self, node, repeat=1):
        x, y, w, h = extents(node)
        self.desktop.click(x + w // 2, y + h // 2, repeat=repeat)

    def close(self):
        """Closes the window as its title bar's close box does; the exit status."""
        self.desktop.close_request(self.window)
        return wait_for("the program to end",
                        lambda: self.process.poll() is not None and [self.process.returncode])[0]

    def print_to_file(self, path):
        """In the real printer dialog, now opening: the output file, then
        "Drucken". The printer it offered first, and the PDF's text."""
        dialog = wait_for("the printer dialog", lambda: self.top_level(
            lambda node: role(node) == "dialog"))
        printer, output, button = wait_for("the printer dialog's controls", lambda: descendants(
            dialog, ("combo box",), ("text", "Ausgabedatei:"), ("push button", "Drucken")))
        first = wait_for("the printer choice", lambda: name(printer))
        self.click(output)
        self.desktop.key("ctrl+a")
        self.desktop.type_text(path)
        wait_for("the file name in the dialog", lambda: text(output) == path)
        self.click(button)
        return first, wait_for("the PDF to be written", lambda: pdf_text(path))
