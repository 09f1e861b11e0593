#!/usr/bin/env python3
"""The start-up benchmark: how long the player waits, from the start of a program to its first
painted window and until that window is ready (its lists filled), for the launcher and the three
setup dialogs, each beside its own yardstick: a program that shows the same dialog template bare
(tools/startup_bench/template_main.cpp), started the same way; and, from the programs' own
start-up logs, where that time goes.

Usage: startup_bench.py WINDOWS_BUILD_FOLDER [--runs N] [--only WINDOW,...]

Needs a Wine environment of its own (WINE, WINEPREFIX, DISPLAY: scripts/lib/wine-env.sh), which
scripts/bench.sh sets up. The demo installation is copied to a temporary folder, named by the
game's registry key and given an English settings file while the benchmark runs.

What is measured, per run:
  - the clock starts just before the program is started (wine64 PROGRAM ARGUMENTS);
  - it stops when the test driver (tools/driver, command wait-painted) sees the window visible
    with its title and, at a point of its client area near the bottom-left corner, the colour
    the finished window has there: the skin picture's (the dialog face's for a template). The
    driver reads the screen every 5 ms without making the window paint. Under Wine a window
    reaches the screen when its thread has no more painting to do, so the skin on the screen
    means that the first paint, buttons and texts included, is done;
  - the program logs the moments of its start-up steps (TAVRIN_STARTUP_LOG, base/win/
    startup_log.h) on the same clock. Each window of ours logs "ready" once it has done what it
    leaves until after its first paint (tooltips; DirectX and the lists filled from it): it is
    ready then, or when it is seen if that is later. A template is ready when it is seen.
A first round of every window, not counted, warms the prefix up and reads the colour each probe
point has once the window is settled. Then the windows take turns, one run each per round, each
round starting with the next window, so that a change in the machine's load reaches every window
alike and none always follows the same one."""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tour"))
from driver_client import Driver, wait_until, windows_path  # noqa: E402
from pictures import read_bmp  # noqa: E402
from tour import GAME_KEY, park_pointer, resource_id, settings_file  # noqa: E402

# Direct3D takes its time the first time a process uses it under Wine.
WINDOW_WAIT = 90.0

# What a window of ours logs once it has done what it leaves until after its first paint.
READY = "ready"


class Window:
    """A program and arguments, the title of the window it shows, and how to close it: a button
    of the dialog, or (None) the close request. A window of ours names its yardstick, the
    program that shows its template bare."""

    def __init__(self, name, program, arguments, title, close, template=None):
        self.name, self.program, self.arguments = name, program, arguments
        self.title, self.close = title, close
        self.template = template
        self.probe = None  # (x, y, (red, green, blue)), read in the warm-up round
        self.runs = []  # (ms to painted, ms to ready, {step: (at ms, took ms)})

    def is_template(self):
        return self.template is None


def windows_to_measure(windows_build):
    """Each window after its yardstick: the template shown bare, started with the same
    arguments."""
    yardstick = os.path.join(os.path.abspath(windows_build), "tools", "startup_bench",
                             "startup_template.exe")
    windows = []
    for name, program, arguments, title, close in [
            ("launcher", "TavrinConfig.exe", [], "Tavrin Launcher V1.0", "IDC_CLOSE"),
            ("graphics", "Config.exe", ["graphics", "0"], "Tavrin Video Setup", "IDCANCEL"),
            ("audio", "Config.exe", ["sound", "0"], "Tavrin Audio Setup", "IDCANCEL"),
            ("controls", "Config.exe", ["control", "0"], "Tavrin Control Setup",
             "IDC_CONTROL_CANCEL")]:
        template = Window(f"{name} template", yardstick, arguments,
                          f"Start-up Template {name}", None)
        windows += [template, Window(name, program, arguments, title, close, template)]
    return windows


def logged_at(path, step):
    """When `step` was first logged, in microseconds since 1970; None before it is."""
    found = read_log(path).get(step)
    return found[0] if found else None


def read_log(path):
    """{step: (start, end)} in microseconds since 1970; a step logged again (the settings read
    of every repaint) counts as "step #2" and so on."""
    steps = {}
    if not os.path.exists(path):
        return steps
    with open(path, encoding="ascii", errors="replace") as log:
        for line in log:
            fields = line.rstrip("\n").split(" ", 2)
            if len(fields) != 3:
                continue
            name, number = fields[2], 1
            while (name if number == 1 else f"{name} #{number}") in steps:
                number += 1
            steps[name if number == 1 else f"{name} #{number}"] = (int(fields[0]), int(fields[1]))
    return steps


class Bench:
    def __init__(self, windows_build):
        self.windows_build = os.path.abspath(windows_build)
        self.wine = os.environ.get("WINE", "/usr/lib/wine/wine64")

    def __enter__(self):
        self.scratch = tempfile.mkdtemp(prefix="tavrin-startup-")
        self.installation = os.path.join(self.scratch, "Tavrin Demo")
        self.log = os.path.join(self.scratch, "startup.log")
        shutil.copytree(os.path.join(self.windows_build, "demo"), self.installation)
        with open(os.path.join(self.installation, "tavrin.dat"), "wb") as settings:
            settings.write(settings_file(0))
        self.driver = Driver(os.path.join(self.windows_build, "tools", "driver", "driver.exe"))
        self.driver.set_registry_text("HKLM", GAME_KEY, "Location",
                                      windows_path(self.installation))
        park_pointer()  # no tooltip may cover a probe point
        return self

    def __exit__(self, *exception):
        try:
            self.driver.delete_registry_key("HKLM", GAME_KEY)
        finally:
            self.driver.close()
            shutil.rmtree(self.scratch, ignore_errors=True)

    def start(self, window, log):
        environment = dict(os.environ)
        environment.pop("TAVRIN_STARTUP_LOG", None)
        if log:
            environment["TAVRIN_STARTUP_LOG"] = windows_path(self.log)
        program = window.program
        if not os.path.isabs(program):
            program = os.path.join(self.installation, program)
        return subprocess.Popen([self.wine, program] + window.arguments, cwd=self.installation,
                                env=environment, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def close(self, window, handle, program):
        if window.close is None:
            self.driver.call("close", handle)
        else:
            self.driver.click(handle, resource_id(window.close))
        program.wait(timeout=30)

    def warm_up(self, window, unpainted):
        """Opens the window once, waits until it is settled (two screenshots in a row agree) and
        reads the colour of its probe point, which must be none of the `unpainted` colours."""
        program = self.start(window, log=False)
        try:
            found = self.driver.call("find-window", window.title, int(WINDOW_WAIT * 1000),
                                     timeout=WINDOW_WAIT)
            handle = found[0][1]
            shot_path = os.path.join(self.scratch, "shot.bmp")
            last = None

            def settled():
                nonlocal last
                self.driver.screenshot(handle, shot_path)
                with open(shot_path, "rb") as shot:
                    data = shot.read()
                same, last = data == last, data
                return read_bmp(data) if same else None

            shot = wait_until(settled, 30, f"the {window.name} window did not settle")
            x, y = 2, shot.height - 3
            colour = shot.pixel(x, y)
            if colour in unpainted:
                raise RuntimeError(f"the {window.name} window shows {colour} at its probe point "
                                   "before it is painted as well")
            window.probe = (x, y, colour)
            self.close(window, handle, program)
        finally:
            if program.poll() is None:
                program.kill()
                program.wait()

    def measure(self, window):
        if os.path.exists(self.log):
            os.remove(self.log)
        x, y, (red, green, blue) = window.probe
        started = time.time_ns()
        program = self.start(window, log=True)
        try:
            found = self.driver.call("wait-painted", window.title, x, y, red, green, blue,
                                     int(WINDOW_WAIT * 1000), timeout=WINDOW_WAIT)
            painted = ready = time.time_ns()
            if not window.is_template():
                logged = wait_until(lambda: logged_at(self.log, READY), WINDOW_WAIT,
                                    f"the {window.name} window did not log that it was ready")
                ready = max(painted, logged * 1000)
            self.close(window, found[0][1], program)
        finally:
            if program.poll() is None:
                program.kill()
                program.wait()
        steps = {name: ((start * 1000 - started) / 1e6, (end - start) / 1e3)
                 for name, (start, end) in read_log(self.log).items()
                 if start * 1000 <= ready}
        window.runs.append(((painted - started) / 1e6, (ready - started) / 1e6, steps))


def quartiles(values):
    if len(values) < 2:
        return values[0], values[0]
    q = statistics.quantiles(values, n=4, method="inclusive")
    return q[0], q[2]


def report(windows):
    median = {w.name: (statistics.median(run[0] for run in w.runs),
                       statistics.median(run[1] for run in w.runs)) for w in windows}
    runs = len(windows[0].runs)
    print(f"\nTime from starting the program to its first painted window, and until the window is"
          f" ready,\nin ms ({runs} runs each); each window beside its template shown bare:")
    print(f"  {'window':19} {'painted':>8} {'p25 - p75':>15} {'min - max':>15} {'ready':>8}"
          f" {'x template':>11} {'ready x':>8} {'in program':>11}")
    for window in windows:
        painted, ready = median[window.name]
        times = [run[0] for run in window.runs]
        low, high = quartiles(times)
        own = [run[0] - run[2]["start"][0] for run in window.runs if "start" in run[2]]
        own_text = f"{statistics.median(own):11.1f}" if own else f"{'-':>11}"
        if window.is_template():
            ratios = f"{'':11} {'':8}"
        else:
            template = median[window.template.name][0]
            ratios = f"{painted / template:11.2f} {ready / template:8.2f}"
        print(f"  {window.name:19} {painted:8.1f} {low:7.1f} - {high:5.1f} "
              f"{min(times):7.1f} - {max(times):5.1f} {ready:8.1f} {ratios} {own_text}")
    print("  (x template: the window's median beside its template's painted median, to the first"
          " paint\n   and until ready; in program: from the program's first instruction, as it"
          " logs it,\n   to the painted window; the rest is Wine starting the process and loading"
          " the DLLs it imports)")

    for window in windows:
        breakdown(window)


# The phases of a start-up, each from one logged moment to the next: (name, where it begins,
# where it ends). A moment is a step's start ("dialog initialisation"), its end
# ("dialog initialisation/end"), "spawn" (the benchmark starts the program), "seen" (the
# painted window is on the screen) or "ready" (the window is ready: its lists are filled).
PHASES = [
    ("Wine starts the process", "spawn", "start"),
    ("the program prepares its dialog", "start", "create dialog"),
    ("the dialog's window and controls are made", "create dialog", "dialog initialisation"),
    ("dialog initialisation", "dialog initialisation", "dialog initialisation/end"),
    ("the window is shown, until its first paint", "dialog initialisation/end", "first paint"),
    ("the first paint, until seen on the screen", "first paint", "seen"),
    ("the window seen, until it is ready", "seen", "ready"),
]
BOUNDARIES = {"start", "create dialog", "dialog initialisation", "first paint", READY}


def moments(run):
    """{moment: ms after the program was started} of one run."""
    painted, ready, steps = run
    found = {}
    for name, (at, took) in steps.items():
        found[name] = at
        found[name + "/end"] = at + took
    found.update({"spawn": 0.0, "seen": painted, "ready": ready})
    return found


def breakdown(window):
    """The phases of the start-up with the steps the program logged within each: median lengths
    in ms, each step under the phase in which it began, a step within another indented."""
    runs = window.runs

    def median_of(values):
        values = list(values)
        return statistics.median(values) if values else None

    names = []
    for *_, steps in runs:
        names += [name for name in steps if name not in names and name not in BOUNDARIES]
    # In the order they began (the log has them in the order they ended).
    names.sort(key=lambda name: median_of(steps[name][0] for *_, steps in runs if name in steps))

    def within(inner, outer):
        """Whether step `inner` ran inside step `outer` in most of the runs that logged both."""
        both = [(steps[inner], steps[outer]) for *_, steps in runs
                if inner in steps and outer in steps]
        inside = sum(1 for (at, took), (outer_at, outer_took) in both
                     if outer_took > 0 and outer_at <= at and at + took <= outer_at + outer_took)
        return both and inside * 2 > len(both)

    print(f"\n{window.name}: where the time goes (median ms of {len(runs)} runs)")
    print(f"  {'phase, and the steps logged in it':52} {'took':>8} {'from':>8}")
    for phase, begin, end in PHASES:
        # A run in which the window reached the screen before a moment (a template's face is
        # there as soon as it is erased, before its first paint) has no such phase, nor one in
        # which it was ready when it was seen.
        timed = [m for m in map(moments, runs) if begin in m and end in m and
                 (m[begin] < m[end] if end == READY else m[begin] <= m[end])]
        if not timed:
            continue
        print(f"  {phase:52} {median_of(m[end] - m[begin] for m in timed):8.1f} "
              f"{median_of(m[begin] for m in timed):8.1f}")
        # The steps that began within this phase in most runs that logged them.
        for name in names:
            present = [(moments(run), run[2][name]) for run in runs if name in run[2]]
            if len(present) * 2 <= len(runs):
                continue  # a repaint that came before the window was seen in a few runs only
            inside = sum(1 for m, (at, _) in present
                         if begin in m and end in m and m[begin] <= at < m[end] or
                         begin in m and end in m and at == m[begin] == m[end])
            if inside * 2 <= len(present):
                continue
            depth = 1 + sum(1 for other in names if other != name and within(name, other))
            took = median_of(took for _, (_, took) in present)
            at = median_of(at for _, (at, _) in present)
            took_text = f"{took:8.1f}" if took > 0 else f"{'':8}"
            print(f"  {'  ' * depth + name:52} {took_text} {at:8.1f}")
    print(f"  {'painted':52} {median_of(run[0] for run in runs):8.1f}")
    if not window.is_template():
        print(f"  {'ready':52} {median_of(run[1] for run in runs):8.1f}")


def main(arguments):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("windows_build")
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--only", help="the windows to measure, each with its template: "
                        "of launcher, graphics, audio, controls")
    options = parser.parse_args(arguments)
    windows = windows_to_measure(options.windows_build)
    if options.only:
        chosen = options.only.split(",")
        windows = [w for w in windows if w.name.removesuffix(" template") in chosen]
    with Bench(options.windows_build) as bench:
        # Before its first paint a window shows black under Wine, and then the dialog face while
        # it erases its background: its template's colour, which a skin must differ from. Each
        # template comes before its window.
        black = (0, 0, 0)
        for window in windows:
            unpainted = [black] if window.is_template() else [black, window.template.probe[2]]
            bench.warm_up(window, unpainted)
        for round_number in range(options.runs):
            # Each round starts with another window, so that none always follows the same one.
            turn = round_number % len(windows)
            for window in windows[turn:] + windows[:turn]:
                bench.measure(window)
            print(f"round {round_number + 1} of {options.runs}: " +
                  "  ".join(f"{w.name} {w.runs[-1][0]:.0f}" for w in windows), flush=True)
    report(windows)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
