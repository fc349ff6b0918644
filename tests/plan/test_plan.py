#!/usr/bin/python3
# Tests of brevlin-plan under Wine: a table of package layouts, each checked through the facts and
# warnings of its --json output and through the exit status. (Tails with blanks and quotes cannot
# pass through Wine's own command line; the end-to-end tests hand brevlin-plan those.)
# Usage: test_plan.py BIN_DIR WORK_DIR   (WINEPREFIX and friends come from the environment)
import json, os, shutil, subprocess, sys

WINE = "/usr/lib/wine/wine64"
BIN, WORK = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])


def windows(path):
    return "Z:" + path.replace("/", "\\")


def layout(name, files, launcher="Brevlin.exe"):
    """A fresh package folder holding a stand-in launcher and `files` ({name: bytes or text})."""
    folder = os.path.join(WORK, name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    shutil.copy(os.path.join(BIN, "Brevlin.exe"), os.path.join(folder, launcher))
    for file, content in files.items():
        path = os.path.join(folder, file)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(content if isinstance(content, bytes) else content.encode())
    return folder


def plan(folder, args):
    result = subprocess.run([WINE, windows(os.path.join(BIN, "brevlin-plan.exe"))] + args,
                            cwd=folder, capture_output=True)
    return result.returncode, result.stdout, result.stderr


SETUP = "[PARAMS]\r\nSETUP=1\r\n"
PROGRAM = {"Setup.exe": b"MZ"}

# name, files, launcher name, extra arguments, expected warning codes, expected facts
CASES = [
    ("ready", {"Brevlin.ini": "[PARAMS]\r\nSETUP=1\r\nSTATICREGFROMFILE=1\r\n", "Brevlin.reg": "x",
               **PROGRAM}, "Brevlin.exe", ["--", "/q", "a"], [],
     {"registryImport.runs": True, "setup.runs": True, "settings.SETUP.raw": "1",
      "settings.SWAPCMD.raw": None, "settings.CMDEXE.value": "SetupGRM.exe",
      "setup.command": '"{dir}\\Setup.exe" /q a',
      "registryImport.command": 'regedit /s "{dir}\\Brevlin.reg"'}),
    ("no-settings", {**PROGRAM}, "Brevlin.exe", [], ["no-settings-file"],
     {"setup.runs": False, "registryImport.runs": False, "settingsFile.exists": False}),
    ("setup-0", {"Brevlin.ini": "[PARAMS]\r\nSETUP=0\r\n"}, "Brevlin.exe", [], [],
     {"setup.runs": False, "settings.SETUP.on": False}),
    ("setup-2", {"Brevlin.ini": "[PARAMS]\r\nSETUP=2\r\n", **PROGRAM}, "Brevlin.exe", [],
     ["switch-not-one"], {"settings.SETUP.value": 2, "setup.runs": False}),
    ("setup-yes", {"Brevlin.ini": "[PARAMS]\r\nSETUP=yes\r\n"}, "Brevlin.exe", [], ["switch-not-one"],
     {"settings.SETUP.raw": "yes", "settings.SETUP.value": 0}),
    ("switches-true-on", {"Brevlin.ini": "[PARAMS]\r\nSETUP=true\r\nSTATICREGFROMFILE=on\r\n"},
     "Brevlin.exe", [], ["switch-not-one", "switch-not-one"], {"registryImport.runs": False}),
    ("swapcmd-alone", {"Brevlin.ini": "[PARAMS]\r\nSWAPCMD=1\r\n", "SetupGRM.exe": b"MZ"},
     "Brevlin.exe", [], ["swapcmd-without-setup"], {"setup.runs": False}),
    ("cmdexe", {"Brevlin.ini": SETUP + "SWAPCMD=1\r\nCMDEXE=Tools\\Setup2.exe\r\n",
                "Tools/Setup2.exe": b"MZ"}, "Brevlin.exe", [], [],
     {"setup.path": "{dir}\\Tools\\Setup2.exe", "setup.programExists": True}),
    ("cmdexe-empty", {"Brevlin.ini": SETUP + "SWAPCMD=1\r\nCMDEXE=\r\n"}, "Brevlin.exe", [],
     ["cmdexe-empty", "setup-missing"], {"setup.path": "{dir}\\", "settings.CMDEXE.raw": ""}),
    ("cmdexe-drive", {"Brevlin.ini": SETUP + "SWAPCMD=1\r\nCMDEXE=D:\\Setup.exe\r\n"}, "Brevlin.exe",
     [], ["cmdexe-drive", "setup-missing"], {"setup.path": "{dir}\\D:\\Setup.exe"}),
    ("cmdexe-absolute", {"Brevlin.ini": SETUP + "SWAPCMD=1\r\nCMDEXE=\\Setup.exe\r\n"}, "Brevlin.exe",
     [], ["cmdexe-absolute", "setup-missing"], {}),
    ("setup-missing", {"Brevlin.ini": SETUP}, "Brevlin.exe", [], ["setup-missing"],
     {"setup.runs": True, "setup.programExists": False}),
    ("reg-missing", {"Brevlin.ini": "[PARAMS]\r\nSTATICREGFROMFILE=1\r\n"}, "Brevlin.exe", [],
     ["reg-script-missing"], {"registryImport.runs": True, "registryImport.scriptExists": False}),
    ("no-params", {"Brevlin.ini": "[OTHER]\r\nSETUP=1\r\n", **PROGRAM}, "Brevlin.exe", [],
     ["no-params-section"], {"settingsFile.paramsSection": False, "setup.runs": False}),
    ("utf8-bom", {"Brevlin.ini": b"\xef\xbb\xbf" + SETUP.encode(), **PROGRAM}, "Brevlin.exe", [],
     ["settings-encoding"], {"settingsFile.encoding": "utf-8 with byte-order mark"}),
    ("utf16", {"Brevlin.ini": "\ufeff".encode("utf-16-le") + SETUP.encode("utf-16-le"), **PROGRAM},
     "Brevlin.exe", [], ["settings-encoding"], {"settingsFile.encoding": "utf-16"}),
    ("renamed", {"Install.ini": SETUP, **PROGRAM}, "Install.exe", ["Install.exe"], [],
     {"context.fileName": "Install.exe", "context.settingsPath": "{dir}\\Install.ini"}),
]


def fact(document, dotted):
    for part in dotted.split("."):
        document = document[part]
    return document


def run_case(name, files, launcher, extra, warnings, facts):
    folder = layout(name, files, launcher)
    code, out, err = plan(folder, ["--json"] + extra)
    problems = []
    try:
        document = json.loads(out)
    except ValueError as e:
        return [f"output is no JSON ({e}): {out[:200]!r} {err[:200]!r}"]
    codes = [w["code"] for w in document["warnings"]]
    if sorted(codes) != sorted(warnings):
        problems.append(f"warnings {codes}, expected {warnings}")
    expected_code = 1 if warnings else 0
    if code != expected_code:
        problems.append(f"exit status {code}, expected {expected_code}")
    for key, value in facts.items():
        if isinstance(value, str):
            value = value.replace("{dir}", windows(folder))
        actual = fact(document, key)
        if actual != value:
            problems.append(f"{key} is {actual!r}, expected {value!r}")
    return problems


def run_special():
    """Usage errors, the plain output, and a launcher path too long for Brevlin."""
    problems = {}
    folder = layout("usage", {"Brevlin.ini": SETUP, **PROGRAM})
    for args in (["--bogus"], ["nothere.exe"], ["a.exe", "b.exe"]):
        code, out, err = plan(folder, args)
        if code != 2 or len(err.strip().splitlines()) != 1 or out:
            problems[f"usage {args}"] = [f"exit {code}, stdout {out!r}, stderr {err!r}"]
    code, out, err = plan(folder, ["--", "/q"])
    if code != 0 or b'setup program: runs' not in out or b'Setup.exe" /q' not in out:
        problems["plain output"] = [f"exit {code}: {out!r}"]
    # A launcher "LL...L.e" whose path has 258 bytes: ".ini" in place of ".e" no longer fits.
    name = "L" * (258 - len(windows(os.path.join(WORK, "too-long"))) - 3) + ".e"
    folder = layout("too-long", {}, name)
    code, out, err = plan(folder, ["--json", name])
    document = json.loads(out) if out else {}
    if code != 1 or document.get("context", {}).get("usable") is not False or \
            [w["code"] for w in document.get("warnings", [])] != ["too-long"]:
        problems["too long"] = [f"exit {code}: {out[:300]!r} {err!r}"]
    return problems


def main():
    # Start Wine's server and its background services apart from any captured output first:
    # processes that outlive a run and hold its pipes open would make each capture wait for them.
    quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["/usr/lib/wine/wineserver", "-p3"], **quiet)
    subprocess.run([WINE, windows(os.path.join(BIN, "brevlin-plan.exe")), "--version-probe"], **quiet)
    failures = {}
    for case in CASES:
        problems = run_case(*case)
        if problems:
            failures[case[0]] = problems
    special = run_special()
    failures.update(special)
    total = len(CASES) + 5
    for name, problems in failures.items():
        print(f"FAIL {name}")
        for p in problems:
            print(f"  {p}")
    failed = sum(len(p) > 0 for p in failures.values())
    print(f"{total - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
