#!/usr/bin/python3
"""Reads a received chat line from outside the program, through the desktop's accessibility bus.

Sets up everything a bare machine lacks (a virtual display, a private session bus, the
accessibility bus), starts the zone simulator and the real client from a program folder of its
own. Through the bus it switches the zone ping on (the refreshing zone row must stay silent while
the list lacks the focus), fills in the password, presses Connect and waits until a chat line the simulator sent can be
read from the chat view. Every process it starts is ended by its id; the whole run is bounded.

Usage: accessibility_bus_e2e.py CLIENT ZONESIM
"""
import os
import random
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

DEADLINE = time.monotonic() + 100  # seconds; ctest's own limit is above this

started = []  # processes to end, newest last


def fail(message):
    print("FAIL: " + message, flush=True)
    raise SystemExit(1)


def left():
    return DEADLINE - time.monotonic()


def start(args, env, **kw):
    # Its own process group, so that what it forks itself ends with it.
    p = subprocess.Popen(args, env=env, start_new_session=True, **kw)
    started.append(p)
    return p


def stop_all():
    for p in reversed(started):
        if p.poll() is not None:
            continue
        try:
            os.killpg(p.pid, signal.SIGTERM)
        except ProcessLookupError:
            continue
        try:
            p.wait(timeout=5)
        except subprocess.TimeoutExpired:
            os.killpg(p.pid, signal.SIGKILL)
            p.wait(timeout=5)


def read_line(stream, what):
    """The first line of a child's output, within the deadline."""
    ready, _, _ = select.select([stream], [], [], max(0.1, min(20, left())))
    if not ready:
        fail("no word from " + what)
    line = stream.readline()
    if not line:
        fail(what + " ended early")
    return line.decode().strip()


def wait_for(what, probe, step=0.2):
    while left() > 0:
        found = probe()
        if found:
            return found
        time.sleep(step)
    fail("timed out waiting for " + what)


def find(node, predicate, depth=0):
    """Depth-first search of the accessible tree; the chat view's lines are not walked."""
    if node is None or depth > 30:
        return None
    try:
        if predicate(node):
            return node
        if node.getRoleName() == "list" and node.name == "Chat":
            return None
        for i in range(node.childCount):
            hit = find(node.getChildAtIndex(i), predicate, depth + 1)
            if hit is not None:
                return hit
    except Exception:  # an object that went away while we looked
        return None
    return None


def press(button):
    action = button.queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    action.doAction(names.index("press") if "press" in names else 0)


def start_display(env):
    """A virtual display on a free number, away from the low numbers other tools take."""
    rng = random.Random()
    for _ in range(8):
        number = rng.randrange(200, 2000)
        if os.path.exists("/tmp/.X%d-lock" % number):
            continue
        rfd, wfd = os.pipe()
        # It writes the number on the pipe once it takes connections. Without -noreset it starts
        # over whenever its last client leaves (the bus launcher, after setting its property),
        # and a client connecting in that moment is turned away.
        x = start(["Xvfb", ":%d" % number, "-displayfd", str(wfd), "-screen", "0",
                   "1024x768x24", "-nolisten", "tcp", "-noreset"],
                  env, pass_fds=(wfd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(wfd)
        with os.fdopen(rfd, "rb") as r:
            ready, _, _ = select.select([r], [], [], max(0.1, min(20, left())))
            line = r.readline().decode().strip() if ready else ""
        if line == str(number) and x.poll() is None:
            return ":" + line
    fail("no virtual display could be started")


def main():
    if len(sys.argv) != 3:
        fail("usage: accessibility_bus_e2e.py CLIENT ZONESIM")
    client, zonesim = sys.argv[1], sys.argv[2]
    for tool in ("Xvfb", "dbus-daemon"):
        if shutil.which(tool) is None:
            fail(tool + " is missing (scripts/deps.sh installs it)")
    launcher = "/usr/libexec/at-spi-bus-launcher"
    if not os.access(launcher, os.X_OK):
        fail("at-spi-bus-launcher is missing (package at-spi2-core)")

    home = tempfile.mkdtemp(prefix="orva-atspi-")
    try:
        runtime = os.path.join(home, "run")
        os.mkdir(runtime, 0o700)
        env = {k: v for k, v in os.environ.items() if not k.startswith(("DBUS_", "AT_SPI"))}
        env.update(XDG_RUNTIME_DIR=runtime, HOME=home, NO_AT_BRIDGE="0")

        env["DISPLAY"] = start_display(env)

        bus = start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], env,
                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        env["DBUS_SESSION_BUS_ADDRESS"] = read_line(bus.stdout, "dbus-daemon")
        start([launcher, "--launch-immediately"], env,
              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        sim = start([zonesim, "--port", "0", "--demo", "--bots", "3", "--verbose"], env,
                    stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        port = read_line(sim.stdout, "zonesim").rsplit(":", 1)[-1]
        sent = []  # chat texts the simulator sent, as the client shows them
        lock = threading.Lock()

        def listen():
            for raw in sim.stderr:
                fields = raw.decode("latin-1").rstrip("\r\n").split(" ", 2)
                if len(fields) == 3 and fields[0] == "S2C":
                    parts = fields[2].split(":", 3)
                    if len(parts) == 4 and parts[0] == "MSG" and parts[1] == "PUB":
                        with lock:
                            sent.append(parts[3])

        threading.Thread(target=listen, daemon=True).start()

        folder = os.path.join(home, "orva")
        os.mkdir(folder)
        shutil.copy2(client, os.path.join(folder, "orva"))
        with open(os.path.join(folder, "zone.dat"), "w", newline="") as z:
            z.write("Local demo zone,127.0.0.1," + port + "\r\n")
        with open(os.path.join(folder, "Config.ini"), "w", newline="") as c:
            c.write("[Config]\r\nVersion=1.1\r\n[User0]\r\nname=Reader\r\n")
        app_env = dict(env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                       QT_ACCESSIBILITY="1")
        app_env.pop("QT_QPA_PLATFORMTHEME", None)
        client_log = os.path.join(home, "client.log")
        with open(client_log, "wb") as out:
            orva = start([os.path.join(folder, "orva")], app_env, cwd=folder, stdout=out,
                         stderr=subprocess.STDOUT)

        # The reader side: pyatspi finds the accessibility bus through the session bus.
        os.environ.update(DISPLAY=env["DISPLAY"],
                          DBUS_SESSION_BUS_ADDRESS=env["DBUS_SESSION_BUS_ADDRESS"],
                          XDG_RUNTIME_DIR=runtime)
        import pyatspi

        def application():
            if orva.poll() is not None:
                with open(client_log, "rb") as log:
                    tail = log.read()[-2000:].decode("latin-1")
                fail("the client ended early (%d):\n%s" % (orva.returncode, tail))
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                a = desktop.getChildAtIndex(i)
                if a is not None and a.name == "ORVA":
                    return a
            return None

        app = wait_for("the client on the accessibility bus", application, 0.5)

        # Ping rows refresh themselves every second: with the focus elsewhere they must not
        # keep a screen reader talking.
        zones = wait_for("the zone list", lambda: find(
            app, lambda n: n.getRoleName() == "list" and n.name == "Zones"))
        heard = []

        def hear(event):
            try:
                source = event.source
                if source.name == "Zones" or (source.parent and source.parent.name == "Zones"):
                    heard.append(event.type + " " + source.name)
            except Exception:  # a source that went away
                pass

        pyatspi.Registry.registerEventListener(hear, "object:")
        press(wait_for("the Ping On button", lambda: find(
            app, lambda n: n.getRoleName() == "push button" and n.name == "Ping On")))
        from gi.repository import GLib
        context = GLib.MainContext.default()

        def row_pinged():
            while context.iteration(False):
                pass
            row = zones.getChildAtIndex(0)
            return row is not None and "????" not in row.name and row.name
        print("zone row: " + wait_for("a ping result in the zone row", row_pinged), flush=True)
        end = time.monotonic() + 1.5  # the next ping's row update
        while time.monotonic() < end:
            context.iteration(False)
            time.sleep(0.02)
        pyatspi.Registry.deregisterEventListener(hear, "object:")
        if heard:
            fail("the zone list spoke while it had no focus: " + "; ".join(heard[:5]))

        connect = wait_for("the Connect button", lambda: find(
            app, lambda n: n.getRoleName() == "push button" and n.name == "Connect"))
        wait_for("Connect to be enabled",
                 lambda: connect.getState().contains(pyatspi.STATE_ENABLED))
        password = find(app, lambda n: n.name == "Password:" and n.getRoleName().endswith("text"))
        if password is None:
            fail("no password field named by its label")
        password.queryEditableText().setTextContents("secret")
        press(connect)

        chat = wait_for("the chat view", lambda: find(
            app, lambda n: n.getRoleName() == "list" and n.name == "Chat"))

        def line_read():
            with lock:
                texts = list(sent)
            if not texts:
                return None
            count = chat.childCount
            for i in range(max(0, count - 50), count):
                shown = chat.getChildAtIndex(i)
                if shown is None or shown.getRoleName() != "list item":
                    continue
                for t in texts:
                    if t and t in shown.name:
                        return shown.name
            return None

        shown = wait_for("a received chat line in the chat view", line_read, 0.5)
        print("read from the chat view: " + shown, flush=True)

        players = find(app, lambda n: n.getRoleName() == "list" and n.name == "Players")
        if players is None or players.childCount < 1:
            fail("the player list shows no players")
        print("players: " + ", ".join(players.getChildAtIndex(i).name
                                      for i in range(players.childCount)), flush=True)
    finally:
        stop_all()
        shutil.rmtree(home, ignore_errors=True)
    print("PASS", flush=True)


if __name__ == "__main__":
    main()
