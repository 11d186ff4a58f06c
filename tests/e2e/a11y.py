"""Reads of the accessibility tree (AT-SPI), as a screen reader sees a program."""

import warnings

import pyatspi
from gi.repository import Atspi

# The *_iface accessors are deprecated in newer libatspi but are what
# Debian 12's has; the warnings would only clutter the test output.
warnings.filterwarnings("ignore", category=DeprecationWarning)


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


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


def extents(node):
    """(x, y, width, height) on the screen."""
    rect = node.get_component_iface().get_extents(Atspi.CoordType.SCREEN)
    return rect.x, rect.y, rect.width, rect.height


def centre(node):
    x, y, w, h = extents(node)
    return x + w // 2, y + h // 2


def text(node):
    iface = node.get_text_iface()
    return iface.get_text(0, -1) if iface is not None else None


def selected_text(node):
    iface = node.get_text_iface()
    if iface is None or iface.get_n_selections() == 0:
        return ""
    sel = iface.get_selection(0)
    return iface.get_text(sel.start_offset, sel.end_offset)


def focused(node):
    return node.get_state_set().contains(Atspi.StateType.FOCUSED)


def cell_node(node, row, column):
    return node.get_table_iface().get_accessible_at(row, column)


def cell(node, row, column):
    """The text a table cell shows (its accessible's name)."""
    item = cell_node(node, row, column)
    return item.get_name() if item is not None else None


def value(node):
    """The current value of a scroll bar, slider or spin box."""
    return node.get_value_iface().get_current_value()


def table_size(node):
    table = node.get_table_iface()
    return table.get_n_rows(), table.get_n_columns()


def row_texts(node, row):
    return [cell(node, row, c) for c in range(table_size(node)[1])]


def labels(node):
    """The names of the labels that name `node` for a screen reader."""
    return [relation.get_target(i).get_name() for relation in node.get_relation_set()
            if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY
            for i in range(relation.get_n_targets())]


def descendant(root, wanted_role, wanted_name=None):
    """The first accessible below `root` of that role (and name), or None."""
    return next((node for node in walk(root) if role(node) == wanted_role
                 and wanted_name in (None, name(node))), None)


def descendants(root, *wanted):
    """One accessible below `root` for each (role, name) in `wanted`, or None
    while one of them is not there yet."""
    found = [descendant(root, *w) for w in wanted]
    return None if None in found else found
