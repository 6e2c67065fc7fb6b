"""What assistive tools read from zephrix's main window over the AT-SPI bus:
names, roles, descriptions and states of a set of controls, and the press
action of picture buttons, down to Exit ending the program."""
import os
import subprocess
import sys
import tempfile
import time

# Imported once the accessibility bus is up (see main): importing it earlier
# would start a second bus by D-Bus activation, and the program and this
# script could end up on different ones.
pyatspi = None

TITLE = "Zephrix: File Search Accelerator"


def wait_for(find, what, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        pump_events(0.2)
    sys.exit(f"FAIL: {what} never appeared")


def pump_events(seconds):
    """Lets the accessibility library take in what the bus tells it (a new
    application, changed states): it keeps what it read until it does."""
    if pyatspi is None:
        time.sleep(seconds)
        return
    from gi.repository import GLib
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def main_window():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "zephrix":
            for window in app:
                if window is not None and window.name == TITLE and window.getState().contains(
                        pyatspi.STATE_SHOWING):
                    return window
    return None


def controls(node):
    """Every showing control below node, as (role, name) -> accessible."""
    found = {}
    for child in node:
        if child is None or not child.getState().contains(pyatspi.STATE_SHOWING):
            continue
        found[(child.getRoleName(), child.name)] = child
        found.update(controls(child))
    return found


def control(window, role, name):
    return wait_for(lambda: controls(window).get((role, name)), f"{role} '{name}'")


def press(window, name, role="push button"):
    button = control(window, role, name)
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    assert "Press" in names, f"'{name}' offers {names}"
    action.doAction(names.index("Press"))


def expect(accessible, description=None, checked=None):
    label = f"{accessible.getRoleName()} '{accessible.name}'"
    if description is not None:
        assert accessible.description == description, f"{label}: description '{accessible.description}'"
    if checked is not None:
        state = accessible.getState().contains(pyatspi.STATE_CHECKED)
        assert state == checked, f"{label}: checked {state}"


def check(window):
    expect(control(window, "push button", "Search"), description="Search for matching files right now.")
    expect(control(window, "push button", "Exit"), description="Click here to exit Zephrix.")
    expect(control(window, "push button", "Hide"), description="Click here and I will go hide on your task bar "
           "until you need me again.  But I will keep working.")
    control(window, "label", "Of This Type")
    expect(control(window, "text", "Search For This In The File Name"))
    expect(control(window, "text", "And The File Is Approximately This Size"),
           description="If you know about what the file size is, you can limit your results by selecting it here.")
    expect(control(window, "radio button", "Search All Files On These Drives"), checked=True,
           description="Click here to search all files and folders on the selected drives below.")
    expect(control(window, "radio button", "Search Only Files In This Folder"), checked=False)
    expect(control(window, "radio button", "Contains"), checked=True)
    expect(control(window, "check box", "Search Inside Files For This String"), checked=False)
    # Texts as designed, odd spellings and double blanks included.
    control(window, "check box", 'Search Is Case Sensative ("and" is not "And")')
    expect(control(window, "push button", "Help"), description="Click here for help, or press F1 from any "
           "screen to go directly to help for that screen.")
    expect(control(window, "push button", "Hide Window"), description="Click here to hide this window.")

    press(window, "Advanced", "page tab")
    control(window, "label", "Search Inside These File Types For Text: (Seperate By A Space)")
    control(window, "check box", "Disable 1000 Results Hard Limit")

    tab = control(window, "page tab", "Options")
    assert not tab.getState().contains(pyatspi.STATE_SELECTED), "the Options tab is selected at start"
    press(window, "Options", "page tab")
    wait_for(lambda: tab.getState().contains(pyatspi.STATE_SELECTED) or None, "the Options tab selected")
    expect(control(window, "check box", "Startup With Windows"), checked=True)
    expect(control(window, "check box", "Hide To Tray On Startup"), checked=False)
    control(window, "check box", "Disable Windows-S Keyed Access")
    control(window, "label", "When Dragging A File From The Results To A Windows Folder It Will:")
    expect(control(window, "push button", "Re-Index Now"),
           description="Click here to force Zephrix to reindex your drives immediately.")

    press(window, "Results", "page tab")
    control(window, "label", "Files Searched: 0")
    control(window, "label", "Results Returned In: 0 Seconds")


def bus_is_up():
    answer = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
                            capture_output=True, text=True)
    return True if "boolean true" in answer.stdout else None


def main(program):
    global pyatspi
    with tempfile.TemporaryDirectory() as home:
        bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        wait_for(bus_is_up, "the accessibility bus")
        import pyatspi as imported
        pyatspi = imported
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_CONFIG_HOME=os.path.join(home, "config"), ZEPHRIX_DATA_DIR=os.path.join(home, "data"),
                   ZEPHRIX_UPDATE_URL="http://127.0.0.1:9")
        app = subprocess.Popen([program], env=env)
        try:
            window = wait_for(main_window, "the main window")
            check(window)
            # Exit ends the process at once, before it could answer the call.
            try:
                press(window, "Exit")
            except Exception as error:
                if "disconnected" not in str(error):
                    raise
            assert app.wait(timeout=10) == 0, "Exit did not end the program cleanly"
        finally:
            if app.poll() is None:
                app.kill()
            bus.terminate()
    print("PASS: the main window's controls carry their names, descriptions and states")


if __name__ == "__main__":
    main(sys.argv[1])
