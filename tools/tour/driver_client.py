"""The Python side of driver.exe (tools/driver/README.md): one `driver.exe --serve` under Wine, a
request per call, its answer read back with a time limit.

Wine, the prefix and the display come from the environment (WINE, WINEPREFIX, DISPLAY), as
scripts/lib/wine-env.sh exports them."""

import os
import select
import subprocess
import tempfile
import time


def escape(field):
    return (str(field).replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")
            .replace("\r", "\\r"))


def unescape(field):
    text, i = [], 0
    while i < len(field):
        c = field[i]
        if c == "\\" and i + 1 < len(field):
            i += 1
            c = {"t": "\t", "n": "\n", "r": "\r"}.get(field[i], field[i])
        text.append(c)
        i += 1
    return "".join(text)


def windows_path(path):
    """The name a Windows program under Wine gives a Linux path: drive Z: is "/"."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class DriverError(RuntimeError):
    pass


def wait_until(condition, timeout, what):
    """The first true result of `condition`, asked every fifth of a second; TimeoutError saying
    `what` did not happen when there is none within `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise TimeoutError(f"{what} within {timeout:.0f} seconds")
        time.sleep(0.2)


class Driver:
    """A command the driver refuses raises DriverError with its reason; so does a driver that
    stops answering."""

    def __init__(self, driver_exe, env=None):
        self._log = tempfile.TemporaryFile()
        wine = (env or os.environ).get("WINE", "/usr/lib/wine/wine64")
        # Standard error goes to a file: Wine's helper processes inherit it and keep a pipe open
        # long after the driver has gone.
        self._process = subprocess.Popen([wine, driver_exe, "--serve"], stdin=subprocess.PIPE,
                                         stdout=subprocess.PIPE, stderr=self._log, env=env)
        self._received = b""

    def close(self):
        if self._process.poll() is None:
            self._process.stdin.close()
            try:
                self._process.wait(timeout=30)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()
        self._process.stdout.close()
        self._log.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def call(self, *request, timeout=10.0):
        """Sends one request; the records of a successful answer, each a list of fields.
        `timeout` is what the command itself may take: the answer may come a little later."""
        line = "\t".join(escape(field) for field in request) + "\n"
        self._process.stdin.write(line.encode("utf-8"))
        self._process.stdin.flush()
        deadline = time.monotonic() + timeout + 30
        lines = []
        while True:
            answer = self._read_line(deadline)
            if answer == ".":
                break
            lines.append(answer)
        if not lines:
            raise DriverError(f"{request[0]}: an empty answer")
        status = [unescape(field) for field in lines[0].split("\t")]
        if status[0] != "ok":
            raise DriverError(f"{request[0]}: {status[1] if len(status) > 1 else lines[0]}")
        return [[unescape(field) for field in record.split("\t")] for record in lines[1:]]

    def _read_line(self, deadline):
        while b"\n" not in self._received:
            left = deadline - time.monotonic()
            ready, _, _ = select.select([self._process.stdout], [], [], max(left, 0))
            chunk = os.read(self._process.stdout.fileno(), 65536) if ready else b""
            if not chunk:
                self._log.seek(0)
                raise DriverError("the driver stopped answering: " +
                                  self._log.read().decode("utf-8", "replace")[-2000:])
            self._received += chunk
        line, self._received = self._received.split(b"\n", 1)
        return line.decode("utf-8").rstrip("\r")

    # The commands the tour and the tests use.

    def top_level_windows(self):
        """(handle, Windows process id, class, title) of every visible top-level window."""
        return [(r[1], int(r[2]), r[3], r[4]) for r in self.call("list-windows")
                if r[0] == "window"]

    def controls(self, window):
        """{control id: (left, top, width, height)} of a dialog's controls, in client pixels."""
        return {int(r[2]): tuple(int(v) for v in r[9:13]) for r in self.call("controls", window)
                if r[0] == "control"}

    def enabled(self, window, control):
        """Whether the dialog's control of this id is enabled."""
        return any(record[0] == "control" and int(record[2]) == control and record[4] == "1"
                   for record in self.call("controls", window))

    def dialog_with(self, control):
        """(handle, title) of a visible dialog holding a control of this id, or None."""
        for handle, _, class_name, title in self.top_level_windows():
            try:
                if class_name == "#32770" and control in self.controls(handle):
                    return handle, title
            except DriverError:
                pass  # gone between the listing and the question
        return None

    def client_size(self, window):
        size = self.call("client-size", window)[0]
        return int(size[1]), int(size[2])

    def screenshot(self, window, bmp_path):
        """Saves the client area as the screen shows it; its (width, height)."""
        size = self.call("screenshot", window, windows_path(bmp_path))[0]
        return int(size[1]), int(size[2])

    def click(self, dialog, control, timeout=10.0):
        """What a click on the control sends its dialog; the outcome record's fields."""
        return self.call("click", dialog, control, int(timeout * 1000), timeout=timeout)[0][1:]

    def set_registry_text(self, root, key, name, text):
        self.call("reg-set", root, key, name, text)

    def set_registry_number(self, root, key, name, number):
        """A REG_DWORD value."""
        self.call("reg-set-number", root, key, name, number)

    def registry_value(self, root, key, name):
        """A value's text (a REG_DWORD's number in decimal), or None where there is none."""
        try:
            return self.call("reg-get", root, key, name)[0][3]
        except DriverError as error:
            if str(error).endswith("registry error 2"):  # ERROR_FILE_NOT_FOUND
                return None
            raise

    def delete_registry_value(self, root, key, name):
        self.call("reg-delete-value", root, key, name)

    def delete_registry_key(self, root, key):
        self.call("reg-delete-key", root, key)
