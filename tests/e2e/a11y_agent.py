# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Accessibility agent for the end-to-end tests.

Runs under Debian's /usr/bin/python3 (which has the AT-SPI bindings) inside one test session's
D-Bus and X environment, and answers one JSON request a line on stdin with one JSON reply a
line on stdout. libatspi connects to one accessibility bus per process and cannot reconnect to
another, so every session gets its own agent.

Requests ("op" plus arguments):
  windows  pid                    the top-level windows of the application with that process id
  tree     id                     the subtree under a node, as a flat list (web content skipped)
  text     id                     the text of a node's text interface
  set_text id text                replaces a text box's contents through editable text
  action   id name wait           runs a named action; wait=false sends it without waiting for
                                  the reply (for actions that open a modal window or end the
                                  program, whose reply comes late or never)
A node id is "<bus name>|<object path>" and stays valid as long as the object exists.
"""

import json
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

# The introspection data marks the get_*_iface accessors deprecated, yet they are the ones that
# answer None for an interface the object lacks.
warnings.filterwarnings("ignore", category=DeprecationWarning)

# A query may wait for the program to finish a cover animation (about a second a phase), and a
# waited-for action may run the whole draw: allow for both, and for a slow, busy machine.
CALL_TIMEOUT_MS = 30000

# Only the states the tests look at.
STATES = {
    Atspi.StateType.SHOWING: "showing",
    Atspi.StateType.VISIBLE: "visible",
    Atspi.StateType.CHECKED: "checked",
    Atspi.StateType.FOCUSED: "focused",
    Atspi.StateType.ACTIVE: "active",
    Atspi.StateType.ENABLED: "enabled",
    Atspi.StateType.MODAL: "modal",
}

# Web content is not ours to test and can be large.
SKIPPED_ROLES = {"document web", "document frame"}

# AT-SPI 2.56 (Debian 13) calls a push button "button", as ARIA does; the tests use the name
# every release knows.
RENAMED_ROLES = {"button": "push button"}


class Agent:
    def __init__(self):
        self.nodes = {}
        self.bus = None

    def remember(self, accessible):
        key = "%s|%s" % (accessible.app.bus_name, accessible.path)
        self.nodes[key] = accessible
        return key

    def node(self, key):
        try:
            return self.nodes[key]
        except KeyError:
            raise LookupError("unknown node %s" % key) from None

    def describe(self, accessible, parent):
        key = self.remember(accessible)
        states = [name for state, name in STATES.items()
                  if accessible.get_state_set().contains(state)]
        actions = []
        action = accessible.get_action_iface()
        if action is not None:
            actions = [action.get_action_name(i) for i in range(action.get_n_actions())]
        extents = None
        component = accessible.get_component_iface()
        if component is not None:
            rect = component.get_extents(Atspi.CoordType.SCREEN)
            extents = [rect.x, rect.y, rect.width, rect.height]
        return {
            "id": key,
            "parent": parent,
            "role": RENAMED_ROLES.get(accessible.get_role_name(), accessible.get_role_name()),
            "name": accessible.get_name() or "",
            "states": states,
            "actions": actions,
            "extents": extents,
        }

    def op_windows(self, pid):
        desktop = Atspi.get_desktop(0)
        windows = []
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is None or app.get_process_id() != pid:
                continue
            for j in range(app.get_child_count()):
                window = app.get_child_at_index(j)
                if window is not None:
                    windows.append(self.describe(window, None))
        return windows

    def op_tree(self, id):
        nodes = []
        pending = [(self.node(id), None)]
        while pending:
            accessible, parent = pending.pop(0)
            entry = self.describe(accessible, parent)
            nodes.append(entry)
            if entry["role"] in SKIPPED_ROLES:
                continue
            for i in range(accessible.get_child_count()):
                child = accessible.get_child_at_index(i)
                if child is not None:
                    pending.append((child, entry["id"]))
        return nodes

    def op_text(self, id):
        text = self.node(id).get_text_iface()
        if text is None:
            raise LookupError("%s has no text interface" % id)
        # Through the interface by name: AT-SPI 2.56 gives the accessible a get_text of its own.
        return Atspi.Text.get_text(text, 0, Atspi.Text.get_character_count(text))

    def op_set_text(self, id, text):
        editable = self.node(id).get_editable_text_iface()
        if editable is None:
            raise LookupError("%s is not editable" % id)
        return bool(editable.set_text_contents(text))

    def op_action(self, id, name, wait):
        accessible = self.node(id)
        action = accessible.get_action_iface()
        names = [] if action is None else [
            action.get_action_name(i) for i in range(action.get_n_actions())]
        if name not in names:
            raise LookupError("%s has no action %r (it has %r)" % (id, name, names))
        index = names.index(name)
        if wait:
            return bool(action.do_action(index))
        # Sent on a connection of our own, flushed, and never waited for.
        message = Gio.DBusMessage.new_method_call(
            accessible.app.bus_name, accessible.path, "org.a11y.atspi.Action", "DoAction")
        message.set_body(GLib.Variant("(i)", (index,)))
        message.set_flags(Gio.DBusMessageFlags.NO_REPLY_EXPECTED)
        bus = self.accessibility_bus()
        bus.send_message(message, Gio.DBusSendMessageFlags.NONE)
        bus.flush_sync(None)
        return True

    def accessibility_bus(self):
        if self.bus is None:
            session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
            reply = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus",
                                      "GetAddress", None, GLib.VariantType("(s)"),
                                      Gio.DBusCallFlags.NONE, CALL_TIMEOUT_MS, None)
            self.bus = Gio.DBusConnection.new_for_address_sync(
                reply.unpack()[0],
                Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
                | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
                None, None)
        return self.bus


def wait_for_registry(deadline):
    """The registry answers once the accessibility bus and its daemon are up."""
    error = None
    while time.monotonic() < deadline:
        try:
            Atspi.get_desktop(0).get_child_count()
            return None
        except GLib.Error as e:
            error = str(e)
            time.sleep(0.1)
    return error or "timed out"


def main():
    Atspi.set_timeout(CALL_TIMEOUT_MS, CALL_TIMEOUT_MS)
    failure = wait_for_registry(time.monotonic() + 20)
    print(json.dumps({"ready": failure is None, "error": failure}), flush=True)
    if failure is not None:
        return 1
    agent = Agent()
    for line in sys.stdin:
        request = json.loads(line)
        op = request.pop("op")
        try:
            reply = {"result": getattr(agent, "op_" + op)(**request)}
        except (GLib.Error, LookupError) as e:
            reply = {"error": "%s: %s" % (type(e).__name__, e)}
        print(json.dumps(reply), flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
