#!/usr/bin/env python3
"""Random clicks, keys and text into the program's windows.

Runs inside an X display (scripts/monkey.sh starts one with xvfb-run). The
program runs from a copy of its folder in a temporary folder, so whatever the
random input saves (legends, exports) lands there. It is restarted whenever
it ends normally. The run fails on a crash, an exit status other than 0, a
sanitizer report, or a hang: the main thread busy for HANG_SECONDS straight,
or blocked outside its event loop that long.
"""
import argparse
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HANG_SECONDS = 30
WINDOW_LOOKUP_EVERY = 8
# The exit button and its caption, in main-window coordinates: the only
# planned way out, kept for the end of the run.
EXIT_AREA = (740, 0, 812, 70)
EXIT_CLICK = (770, 29)
KEYS = ["Tab", "shift+Tab", "Return", "Escape", "space", "Up", "Down", "Left", "Right",
        "Page_Up", "Page_Down", "Home", "End", "Delete", "BackSpace", "F1", "F2", "F4",
        "alt+d", "alt+m", "alt+g", "alt+e", "alt+a", "alt+o", "alt+p", "alt+Down",
        "ctrl+a", "ctrl+c", "ctrl+v", "shift+Down", "a", "z", "0", "9", "comma", "period", "minus"]
TEXTS = ["5", "20000", "abc", "São Paulo", "-1", "99999999999", "1e308", ",", ";", "'", '"',
         "%s", "0,5", "12.5", "  ", "ZZ", "<Todos>", "\\", "Recife"]
SANITIZER_MARKS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                   "SUMMARY: UndefinedBehaviorSanitizer")
POLL_WAITS = ("poll", "select", "epoll")


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                          timeout=20).stdout


class Program:
    def __init__(self, folder, log_folder, env):
        self.folder = folder
        self.log_folder = log_folder
        self.env = env
        self.launches = 0
        self.process = None
        self.log_path = None

    def start(self):
        self.launches += 1
        self.log_path = os.path.join(self.log_folder, f"run-{self.launches}.log")
        log = open(self.log_path, "w")
        self.process = subprocess.Popen([os.path.join(self.folder, "solvane")], cwd=self.folder,
                                        env=self.env, stdout=log, stderr=subprocess.STDOUT)
        log.close()
        self.cpu_seen = (self.cpu(), time.monotonic())
        self.blocked_since = None
        deadline = time.monotonic() + 120
        while time.monotonic() < deadline and self.alive():
            if self.main_window():
                return
            time.sleep(0.2)

    def alive(self):
        return self.process.poll() is None

    def windows(self):
        ids = xdotool("search", "--onlyvisible", "--pid", self.process.pid, "").split()
        found = []
        for wid in ids:
            geometry = xdotool("getwindowgeometry", "--shell", wid)
            values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
            try:
                x, y = int(values["X"]), int(values["Y"])
                w, h = int(values["WIDTH"]), int(values["HEIGHT"])
            except (KeyError, ValueError):
                continue
            if w > 20 and h > 20:
                found.append((wid, x, y, w, h))
        return found

    def main_window(self):
        windows = self.windows()
        return max(windows, key=lambda win: win[3] * win[4]) if windows else None

    def cpu(self):
        try:
            with open(f"/proc/{self.process.pid}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
        except (OSError, IndexError):
            return 0.0

    def wait_channel(self):
        try:
            with open(f"/proc/{self.process.pid}/wchan") as wchan:
                return wchan.read().strip()
        except OSError:
            return ""

    def hang(self):
        """A description of the hang, or None while the program answers."""
        now = time.monotonic()
        cpu, since = self.cpu(), self.cpu_seen[1]
        if now - since >= HANG_SECONDS:
            busy = (cpu - self.cpu_seen[0]) / (now - since)
            self.cpu_seen = (cpu, now)
            if busy > 0.95:
                return f"ocupado {busy:.0%} da CPU por {HANG_SECONDS} s"
        channel = self.wait_channel()
        if channel and channel != "0" and not any(w in channel for w in POLL_WAITS):
            self.blocked_since = self.blocked_since or (now, cpu)
            if now - self.blocked_since[0] >= HANG_SECONDS and cpu == self.blocked_since[1]:
                return f"parado em {channel} por {HANG_SECONDS} s"
        else:
            self.blocked_since = None
        return None

    def report(self):
        with open(self.log_path, errors="replace") as log:
            text = log.read()
        return next((mark for mark in SANITIZER_MARKS if mark in text), None), text

    def stop(self):
        for _ in range(6):
            xdotool("key", "Escape")
            time.sleep(0.2)
        main = self.main_window()
        if main:
            xdotool("mousemove", main[1] + EXIT_CLICK[0], main[2] + EXIT_CLICK[1], "click", 1)
        try:
            self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.process.send_signal(signal.SIGTERM)
            self.process.wait(timeout=30)
            return False
        return True


def random_event(rng, windows):
    """Sends one random event into one of the windows (id, x, y, width, height)."""
    if not windows:
        xdotool("key", rng.choice(["Escape", "Return", "space"]))
        return
    main = max(windows, key=lambda win: win[3] * win[4])
    kind = rng.random()
    if kind < 0.68:
        wid, x, y, w, h = main if rng.random() < 0.6 or len(windows) == 1 else rng.choice(windows)
        while True:
            px, py = rng.randrange(w), rng.randrange(h)
            if wid != main[0] or not (EXIT_AREA[0] <= px < EXIT_AREA[2] and EXIT_AREA[1] <= py < EXIT_AREA[3]):
                break
        action = rng.random()
        move = ["mousemove", x + px, y + py]
        if action < 0.65:
            xdotool(*move, "click", 1)
        elif action < 0.77:
            xdotool(*move, "click", "--repeat", 2, "--delay", 40, 1)
        elif action < 0.85:
            xdotool(*move, "click", 3)
        elif action < 0.93:
            xdotool(*move, "click", rng.choice([4, 5]))
        else:
            xdotool(*move, "mousedown", 1, "mousemove", x + rng.randrange(w), y + rng.randrange(h), "mouseup", 1)
    elif kind < 0.88:
        xdotool("key", rng.choice(KEYS))
    else:
        xdotool("type", "--delay", 5, rng.choice(TEXTS))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program-folder", required=True, help="folder of the built program and its data")
    parser.add_argument("--events", type=int, default=1000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--delay", type=float, default=0.02, help="seconds between events")
    parser.add_argument("--keep", help="folder that keeps the logs of every launch")
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="solvane-monkey-")
    folder = os.path.join(work, "programa")
    shutil.copytree(args.program_folder, folder, symlinks=True)
    logs = args.keep or os.path.join(work, "logs")
    os.makedirs(logs, exist_ok=True)
    # Links and documents the program opens go to a stand-in that opens
    # nothing, so no other program starts.
    stand_ins = os.path.join(work, "bin")
    os.makedirs(stand_ins)
    for name in ("xdg-open", "gio", "gvfs-open", "kde-open", "gnome-open"):
        path = os.path.join(stand_ins, name)
        with open(path, "w") as script:
            script.write("#!/bin/sh\nexit 0\n")
        os.chmod(path, 0o755)
    env = dict(os.environ, HOME=work, PATH=stand_ins + os.pathsep + os.environ["PATH"],
               QT_QPA_PLATFORM="xcb")
    env.setdefault("UBSAN_OPTIONS", "print_stacktrace=1:halt_on_error=1")

    rng = random.Random(args.seed)
    program = Program(folder, logs, env)
    program.start()
    fault = None
    restarts = 0
    windows = []
    for event in range(1, args.events + 1):
        if not program.alive():
            mark, text = program.report()
            status = program.process.returncode
            if status != 0 or mark:
                fault = f"o programa terminou com {status} ({mark or 'sem relatório'}) no evento {event}"
                break
            restarts += 1
            program.start()
            windows = []
        # The windows are looked up again every few events: dialogs come and go.
        if event % WINDOW_LOOKUP_EVERY == 1 or not windows:
            windows = program.windows()
        random_event(rng, windows)
        time.sleep(args.delay)
        hang = program.hang()
        if hang:
            fault = f"o programa travou no evento {event}: {hang}"
            break
    if not fault:
        closed = program.stop()
        mark, _ = program.report()
        status = program.process.returncode
        if mark or (closed and status != 0):
            fault = f"ao fechar: status {status} ({mark or 'sem relatório'})"
    else:
        if program.alive():
            # Where a hung program stands, when a debugger is there to say.
            if shutil.which("gdb"):
                subprocess.run(["gdb", "-batch", "-p", str(program.process.pid), "-ex", "thread apply all bt"],
                               timeout=60)
            program.process.kill()
            program.process.wait()

    print(f"monkey: {min(event, args.events)} eventos, {program.launches} execuções, "
          f"{restarts} reinícios, semente {args.seed}")
    if fault:
        _, text = program.report()
        print("FALHA:", fault)
        print(text[-6000:])
        print("registros em", logs)
        sys.exit(1)
    if not args.keep:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
