#!/usr/bin/python3
"""The real ZAVOConfig.exe killed with SIGKILL (its Wine process) while it saves.

    kill_tool_wine.py WIN_BIN KILLS [SEED]

devicesim runs beside the tool; each round starts the tool on a sound folder
holding configuration A, replaces the six files with configuration B behind its
back (with A's sizes and times, so it takes them for its own and does not ask
before saving over them), asks it to save (the service's save request, the same SaveConfiguration
as an Apply) and kills its Wine process after a random time. Each of the six
files must then be B (old) or exactly what a complete save of A over B writes
(new): never torn, empty or mixed inside one file. The next round's start loads
what the kill left, and at the end zavocfg.exe checks the folder.

The backups are checked too: the backup folder starts with as many
generations as are kept, so every save that completes also rotates and kills
strike rotation as well. Every generation listed
(a folder of a generation's name) must be whole: the six files as B had them
and its label; and a folder outside the data folder, reached through a link
named like an old generation, must keep every file.

The per-user data folder is redirected into a temporary folder for the run
(the AppData shell folder of the prefix, as the end-to-end harness does) and
restored afterwards. Needs a display (tools/with-display.sh). Exit 0 when every
kill left sound files.
"""
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
WINE_RUN = os.path.join(ROOT, "tools", "wine-run.sh")
SHELL_FOLDERS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders"
FILES = ["Config.config"] + [f"Profile{p}.prof" for p in range(5)]


def wine(*args, check=True, capture=False, timeout=120):
    run = subprocess.run([WINE_RUN, *args], stdout=subprocess.PIPE if capture else subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL, timeout=timeout)
    if check and run.returncode != 0:
        raise RuntimeError(f"{' '.join(args)} ended with {run.returncode}")
    return run.stdout.decode(errors="replace") if capture else ""


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def read_all(folder):
    out = {}
    for name in FILES:
        try:
            with open(os.path.join(folder, name), "rb") as f:
                out[name] = f.read()
        except FileNotFoundError:
            out[name] = None
    return out


def write_all(folder, contents):
    for name, data in contents.items():
        tmp = os.path.join(folder, name + ".driver")
        with open(tmp, "wb") as f:
            f.write(data)
        os.replace(tmp, os.path.join(folder, name))


def other_digits(digits, top=255):
    """A different decimal value of as many digits (no leading zero), at most `top`."""
    value = int(digits)
    low = 10 ** (len(digits) - 1) if len(digits) > 1 else 0
    high = min(10 ** len(digits) - 1, top)
    return str(low + (value - low + 1) % (high - low + 1)).encode()


def write_all_unseen(folder, contents):
    """Puts `contents` in place with each file's size and modification time as
    they were, so the open tool takes the files for the ones it loaded: it asks
    before saving over files another program changed, and here it must save
    without a question. Every new content has its old file's size."""
    stamps = {name: os.stat(os.path.join(folder, name)) for name in contents}
    for name, data in contents.items():
        if len(data) != stamps[name].st_size:
            raise RuntimeError(f"{name}: configuration B must keep the size of A's file")
    write_all(folder, contents)
    for name, st in stamps.items():
        os.utime(os.path.join(folder, name), ns=(st.st_atime_ns, st.st_mtime_ns))


def wait_for(predicate, timeout, step=0.02):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if predicate():
            return True
        time.sleep(step)
    return False


class Run:
    def __init__(self, win_bin, work):
        self.win_bin = win_bin
        self.data = os.path.join(work, "Roaming", "Brimvale", "ZAVO")
        self.log = os.path.join(work, "devicesim.log")
        self.control = os.path.join(work, "control.txt")
        os.makedirs(self.data)
        open(self.control, "w").close()
        self.sim = None
        self.tool = None

    def log_lines(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def start_sim(self):
        self.sim = subprocess.Popen([WINE_RUN, os.path.join(self.win_bin, "devicesim.exe"),
                                     "--data", windows_path(self.data) + "\\", "--log", windows_path(self.log),
                                     "--control", windows_path(self.control), "--apply-delay", "0"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not wait_for(lambda: any(" start " in l for l in self.log_lines()), 60):
            raise RuntimeError("devicesim did not start")

    def start_tool(self):
        """Starts the tool; returns once it has told the service its mode (it has loaded the files)."""
        seen = sum(1 for l in self.log_lines() if "name=SVC_SET_MODE" in l)
        # wine-run.sh ends with exec: this pid is the tool's Wine process.
        self.tool = subprocess.Popen([WINE_RUN, os.path.join(self.win_bin, "ZAVOConfig.exe")],
                                     cwd=self.win_bin, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return wait_for(lambda: sum(1 for l in self.log_lines() if "name=SVC_SET_MODE" in l) > seen, 60)

    def request_saves(self, count):
        with open(self.control, "a") as f:
            f.write("save\n" * count)

    def kill_tool(self):
        if self.tool and self.tool.poll() is None:
            os.kill(self.tool.pid, signal.SIGKILL)
        if self.tool:
            self.tool.wait()
        self.tool = None

    def stop(self):
        self.kill_tool()
        if self.sim and self.sim.poll() is None:
            self.sim.terminate()
            try:
                self.sim.wait(10)
            except subprocess.TimeoutExpired:
                self.sim.kill()


def main():
    win_bin = os.path.abspath(sys.argv[1])
    kills = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    seed = int(sys.argv[3]) if len(sys.argv) > 3 else random.randrange(1 << 30)
    rnd = random.Random(seed)
    # The mark the end-to-end harness recognises: a redirection left by a run
    # that was killed before it could restore the value is not taken as the
    # user's own (here nor there).
    work = tempfile.mkdtemp(prefix="zavo-e2e-kill-")
    saved = wine("reg", "query", SHELL_FOLDERS, "/v", "AppData", check=False, capture=True)
    match = re.search(r"AppData\s+REG_\w+\s+(.+)", saved)
    original = match.group(1).strip() if match else None
    if original and "zavo-e2e-" in original:
        original = r"%USERPROFILE%\AppData\Roaming"
    run = Run(win_bin, work)
    failures = []
    figures = {"old": 0, "new": 0, "mixed": 0, "leftovers": 0, "generations": 0, "unfinished": 0}
    try:
        wine("reg", "add", SHELL_FOLDERS, "/v", "AppData", "/t", "REG_EXPAND_SZ", "/d",
             windows_path(os.path.join(work, "Roaming")), "/f")
        # Configuration A: the demo; B: A with one value changed in every file.
        wine(os.path.join(win_bin, "zavocfg.exe"), "demo", "--out", windows_path(run.data))
        a = read_all(run.data)
        b = dict(a)
        b["Config.config"] = a["Config.config"].replace(b"LIGHTSTYLE=3", b"LIGHTSTYLE=2")
        for p in range(5):
            name = f"Profile{p}.prof"
            # Another value of as many digits: B keeps A's file sizes (see write_all_unseen).
            b[name] = re.sub(rb"PREKEY=(\d+)", lambda m: b"PREKEY=" + other_digits(m.group(1)), a[name], count=1)
        if any(b[n] == a[n] for n in FILES):
            raise RuntimeError("configuration B does not differ from A in every file")
        # Someone else's folder, linked where an old generation would be.
        outside = os.path.join(work, "outside")
        os.makedirs(outside)
        for name in ("thesis.txt", "Config.config"):
            with open(os.path.join(outside, name), "wb") as f:
                f.write(b"not ours")
        os.makedirs(os.path.join(run.data, "Backup"), exist_ok=True)
        os.symlink(outside, os.path.join(run.data, "Backup", "20200101-000000"))
        # As many generations as are kept, so that every save that completes
        # rotates and the kills strike rotation too.
        for g in range(20):
            folder = os.path.join(run.data, "Backup", f"20200102-0000{g:02d}")
            os.makedirs(folder)
            write_all(folder, b)
            with open(os.path.join(folder, "Generation.ini"), "wb") as f:
                f.write(b"[GENERATION]\r\nAction=Apply\r\n")
        run.start_sim()

        # Calibration: one save of A over B without a kill gives the new contents
        # and the time a save request takes.
        write_all(run.data, a)
        if not run.start_tool():
            raise RuntimeError("ZAVOConfig did not start")
        write_all_unseen(run.data, b)
        started = time.monotonic()
        run.request_saves(1)
        if not wait_for(lambda: all(read_all(run.data)[n] != b[n] for n in FILES), 30):
            raise RuntimeError("the save request was not carried out")
        save_s = time.monotonic() - started
        new = read_all(run.data)
        run.kill_tool()

        for k in range(kills):
            write_all(run.data, a)
            if not run.start_tool():
                failures.append(f"kill {k}: the tool did not start on the folder the last kill left")
                run.kill_tool()
                continue
            write_all_unseen(run.data, b)
            run.request_saves(3)
            time.sleep(rnd.uniform(0, 2 * save_s))
            run.kill_tool()
            now = read_all(run.data)
            held = set()
            for name in FILES:
                if now[name] == b[name]:
                    held.add("old")
                elif now[name] == new[name]:
                    held.add("new")
                else:
                    size = "absent" if now[name] is None else f"{len(now[name])} bytes"
                    failures.append(f"kill {k}: {name} is torn, empty or foreign ({size})")
            figures["mixed" if len(held) > 1 else (held.pop() if held else "old")] += 1
            # Files only: the Backup folder of kept generations belongs there.
            extra = [f for f in os.listdir(run.data)
                     if f not in FILES and not f.endswith(".driver") and not os.path.isdir(os.path.join(run.data, f))]
            figures["leftovers"] += len(extra)
            for f in extra:
                os.remove(os.path.join(run.data, f))

        # Every generation whole or absent; what killed runs were making or
        # removing is under other names and not listed.
        backups = os.path.join(run.data, "Backup")
        for g in sorted(os.listdir(backups)):
            path = os.path.join(backups, g)
            if os.path.islink(path):
                continue
            if not re.fullmatch(r"\d{8}-\d{6}(-[1-9]\d{0,5})?", g):
                figures["unfinished"] += 1
                continue
            figures["generations"] += 1
            held = read_all(path)
            for name in FILES:
                if held[name] != b[name]:
                    failures.append(f"generation {g}: {name} is not the content it replaced")
            if not os.path.isfile(os.path.join(path, "Generation.ini")):
                failures.append(f"generation {g}: no label")
        for name in ("thesis.txt", "Config.config"):
            if not os.path.isfile(os.path.join(outside, name)):
                failures.append(f"{name} outside the data folder was removed through a link")

        # The last kill's folder: the tool starts on it, and it checks sound.
        if not run.start_tool():
            failures.append("the tool did not start on the folder the last kill left")
        run.kill_tool()
        check = wine(os.path.join(win_bin, "zavocfg.exe"), "check", "--data", windows_path(run.data),
                     check=False, capture=True)
        if "no problems" not in check:
            failures.append("zavocfg check: " + check.strip())
    finally:
        run.stop()
        if original:
            wine("reg", "add", SHELL_FOLDERS, "/v", "AppData", "/t", "REG_EXPAND_SZ", "/d", original, "/f",
                 check=False)
        else:
            wine("reg", "delete", SHELL_FOLDERS, "/v", "AppData", "/f", check=False)
        shutil.rmtree(work, ignore_errors=True)

    print(f"kills of ZAVOConfig.exe (SIGKILL of its Wine process): {kills} (seed {seed}), "
          f"one save request: {save_s * 1000:.0f} ms")
    print(f"  files all old: {figures['old']}, all new: {figures['new']}, "
          f"old and new (struck inside a save): {figures['mixed']}")
    print(f"  temporary files left behind: {figures['leftovers']}")
    print(f"  backup generations at the end, all checked whole: {figures['generations']}, "
          f"folders of killed backups or removals not listed: {figures['unfinished']}")
    print(f"  torn, empty or foreign files: {len(failures)}")
    for f in failures:
        print("  " + f, file=sys.stderr)
    return 0 if not failures else 1


if __name__ == "__main__":
    sys.exit(main())
