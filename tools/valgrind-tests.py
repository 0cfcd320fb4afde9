#!/usr/bin/python3
"""Runs the native tests under Valgrind's memcheck, one at a time.

    tools/valgrind-tests.py BUILD_DIR [NAME_REGEX]

Each test runs as ctest would run it (its command, folder and environment),
under valgrind with child processes followed, so the zavocfg runs of the
zavocfg tests are checked too. Tests run by a Python script are left out (the
interpreter itself is not what is checked). Prints one line per test and exits
1 when any test fails or valgrind reports an error or a definite leak.
"""
import json
import os
import re
import subprocess
import sys
import time

build = os.path.abspath(sys.argv[1])
supp = os.path.join(os.path.dirname(os.path.abspath(__file__)), "valgrind.supp")
pattern = re.compile(sys.argv[2]) if len(sys.argv) > 2 else None
listing = json.loads(subprocess.check_output(["ctest", "--test-dir", build, "--show-only=json-v1"],
                                             stderr=subprocess.DEVNULL))
failed = []
for test in listing["tests"]:
    name, command = test["name"], test.get("command")
    if not command or (pattern and not pattern.search(name)):
        continue
    if os.path.basename(command[0]).startswith("python") or command[0].endswith(".py"):
        print(f"{name}: left out (a Python script)")
        continue
    env = dict(os.environ)
    folder = build
    will_fail = False
    for prop in test.get("properties", []):
        if prop["name"] == "WILL_FAIL":
            will_fail = bool(prop["value"])
        elif prop["name"] == "ENVIRONMENT":
            env.update(v.split("=", 1) for v in prop["value"])
        elif prop["name"] == "WORKING_DIRECTORY":
            folder = prop["value"]
    log = os.path.join(build, f"valgrind-{name}.log")
    started = time.time()
    run = subprocess.run(["valgrind", "--quiet", "--error-exitcode=99", "--leak-check=full", f"--suppressions={supp}",
                          "--errors-for-leak-kinds=definite", "--trace-children=yes",
                          f"--log-file={log}.%p"] + command,
                         cwd=folder, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # Every process's log; a process that was killed on purpose leaves an empty one.
    reports = []
    for f in sorted(os.listdir(build)):
        if f.startswith(f"valgrind-{name}.log."):
            path = os.path.join(build, f)
            with open(path, errors="replace") as fh:
                text = fh.read()
            if text.strip():
                reports.append(text)
            os.remove(path)
    with open(log, "w") as fh:
        fh.write("\n".join(reports))
    # A test that passes by failing (WILL_FAIL) must still end by itself, not
    # by valgrind's error exit.
    ended_right = run.returncode not in (0, 99) if will_fail else run.returncode == 0
    ok = ended_right and not reports
    print(f"{name}: {'ok' if ok else 'FAILED'} ({time.time() - started:.0f} s, exit {run.returncode}, "
          f"{len(reports)} process report(s); {log})", flush=True)
    if not ok:
        failed.append(name)
print("valgrind: all clean" if not failed else "valgrind: problems in " + ", ".join(failed))
sys.exit(1 if failed else 0)
