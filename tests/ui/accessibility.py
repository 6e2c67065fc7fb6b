"""What assistive tools read from zephrix's main window over the AT-SPI bus:
names, roles, descriptions and states, and the press action of a page tab."""
import os
import subprocess
import sys
import tempfile
import time

# Imported once the bus is up: earlier, D-Bus activation would start a second.
pyatspi = None


def wait_for(find, what, seconds=20):
    """Polls find(), letting the library take in what the bus told it meanwhile."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        if pyatspi is not None:
            from gi.repository import GLib
            while GLib.MainContext.default().iteration(False):
                pass
        time.sleep(0.05)
    sys.exit(f"FAIL: {what} never appeared")


def controls(node):
    """Every showing control below node, as (role, name) -> accessible."""
    found = {}
    for child in node:
        if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
            found[(child.getRoleName(), child.name)] = child
            found.update(controls(child))
    return found


def main_window():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "zephrix":
            for window in app:
                if window is not None and window.name == "Zephrix: File Search Accelerator" and \
                        window.getState().contains(pyatspi.STATE_SHOWING):
                    return window
    return None


def expect(window, role, name, description=None, state=None, present=True):
    shown = wait_for(lambda: controls(window).get((role, name)), f"{role} '{name}'")
    assert description is None or shown.description == description, f"'{name}': '{shown.description}'"
    assert state is None or shown.getState().contains(state) == present, f"'{name}' state {state}"
    return shown


def press(window, role, name):
    action = expect(window, role, name).queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    assert "Press" in names, f"'{name}' offers {names}"
    action.doAction(names.index("Press"))


def check(window):
    expect(window, "push button", "Hide", description="Click here and I will go hide on your task bar "
           "until you need me again.  But I will keep working.")
    # A text box is named by its label.
    expect(window, "text", "And The File Is Approximately This Size",
           description="If you know about what the file size is, you can limit your results by selecting it here.")
    expect(window, "radio button", "Search All Files On These Drives", state=pyatspi.STATE_CHECKED)
    expect(window, "check box", 'Search Is Case Sensative ("and" is not "And")', state=pyatspi.STATE_CHECKED,
           present=False)
    tab = expect(window, "page tab", "Options", state=pyatspi.STATE_SELECTED, present=False)
    press(window, "page tab", "Options")
    wait_for(lambda: tab.getState().contains(pyatspi.STATE_SELECTED) or None, "the Options tab selected")
    expect(window, "label", "When Dragging A File From The Results To A Windows Folder It Will:")


def main(program):
    global pyatspi
    with tempfile.TemporaryDirectory() as home:
        bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        has_owner = ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                     "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"]
        wait_for(lambda: "boolean true" in subprocess.run(has_owner, capture_output=True, text=True).stdout or None,
                 "the accessibility bus")
        import pyatspi as imported
        pyatspi = imported
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_CONFIG_HOME=os.path.join(home, "config"), ZEPHRIX_DATA_DIR=os.path.join(home, "data"),
                   ZEPHRIX_UPDATE_URL="http://127.0.0.1:9")
        app = subprocess.Popen([program], env=env)
        try:
            check(wait_for(main_window, "the main window"))
        finally:
            app.kill()
            bus.terminate()
    print("PASS: the main window's controls carry their names, descriptions and states")


if __name__ == "__main__":
    main(sys.argv[1])
