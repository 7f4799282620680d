#!/usr/bin/python3
# A desktop's notification service (org.freedesktop.Notifications) on the session bus, that
# writes a line for each call: "NOTIFY <id> <body>" and "CLOSE <id>". SIGUSR1 has the user
# choose the last notice, as a click on it does.
#   notifications.py
import signal
import sys

from gi.repository import Gio, GLib

INTERFACE = """<node><interface name="org.freedesktop.Notifications">
<method name="GetCapabilities"><arg type="as" direction="out"/></method>
<method name="Notify"><arg type="s"/><arg type="u"/><arg type="s"/><arg type="s"/><arg type="s"/>
<arg type="as"/><arg type="a{sv}"/><arg type="i"/><arg type="u" direction="out"/></method>
<method name="CloseNotification"><arg type="u"/></method>
<method name="GetServerInformation"><arg type="s" direction="out"/><arg type="s" direction="out"/>
<arg type="s" direction="out"/><arg type="s" direction="out"/></method>
<signal name="ActionInvoked"><arg type="u"/><arg type="s"/></signal>
<signal name="NotificationClosed"><arg type="u"/><arg type="u"/></signal>
</interface></node>"""
PATH = "/org/freedesktop/Notifications"
last = 0


def called(connection, sender, path, interface, method, arguments, invocation):
    global last
    if method == "GetCapabilities":
        invocation.return_value(GLib.Variant("(as)", (["actions", "body"],)))
    elif method == "Notify":
        last += 1
        print(f"NOTIFY {last} {arguments[4]}", flush=True)
        invocation.return_value(GLib.Variant("(u)", (last,)))
    elif method == "CloseNotification":
        print(f"CLOSE {arguments[0]}", flush=True)
        invocation.return_value(None)
    else:
        invocation.return_value(GLib.Variant("(ssss)", ("listener", "tests", "1", "1.2")))


def acquired(connection, name):
    connection.register_object(PATH, Gio.DBusNodeInfo.new_for_xml(INTERFACE).interfaces[0], called)
    def choose():
        connection.emit_signal(None, PATH, "org.freedesktop.Notifications", "ActionInvoked",
                               GLib.Variant("(us)", (last, "default")))
        return GLib.SOURCE_REMOVE
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, choose)
    print("LISTENING", flush=True)


Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.Notifications", Gio.BusNameOwnerFlags.NONE, acquired,
                 None, lambda *_: sys.exit("the name is taken"))
GLib.MainLoop().run()
