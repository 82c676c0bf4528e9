#!/usr/bin/env python3
"""Times how fast a stop ends a run of the updater that waits for another updater's lock.

Installs a small archive into a target, then holds the target's lock as another updater does and
starts the updater on each road (the silent install, the window's install and the window's
uninstall, the window on Qt's offscreen platform). Once the run has opened the lock file it waits
for the lock (five seconds by default); 300 ms into that wait it gets SIGTERM, SIGINT or SIGHUP.
Prints, per road, the median and the largest time from the signal to the end of the process, in
milliseconds, and checks that the run wrote nothing.
"""
import argparse
import fcntl
import os
import shutil
import signal
import statistics
import struct
import subprocess
import sys
import time
import zipfile

F_OFD_SETLK = 37


def halte_sperre(datei):
    fd = os.open(datei, os.O_RDWR | os.O_CREAT | os.O_CLOEXEC, 0o600)
    # struct flock: l_type, l_whence, l_start, l_len, l_pid.
    fcntl.fcntl(fd, F_OFD_SETLK, struct.pack("hhqqixxxx", fcntl.F_WRLCK, os.SEEK_SET, 0, 0, 0))
    return fd


def hat_offen(pid, datei):
    try:
        for eintrag in os.listdir("/proc/%d/fd" % pid):
            try:
                if os.readlink("/proc/%d/fd/%s" % (pid, eintrag)) == datei:
                    return True
            except OSError:
                pass
    except OSError:
        pass
    return False


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--programm", required=True, help="path of the built aktualisierer")
    parser.add_argument("--arbeit", default="haltzeit-arbeit", help="work folder")
    parser.add_argument("--laeufe", type=int, default=5, help="runs per road and signal")
    args = parser.parse_args()

    programm = os.path.abspath(args.programm)
    arbeit = os.path.abspath(args.arbeit)
    shutil.rmtree(arbeit, ignore_errors=True)
    ziel = os.path.join(arbeit, "ziel")
    heim = os.path.join(arbeit, "heim")
    os.makedirs(ziel)
    os.makedirs(heim)
    for name, inhalt in (("a", b"a"), ("b", b"b")):
        with zipfile.ZipFile(os.path.join(arbeit, name + ".zip"), "w") as z:
            z.writestr(name + ".txt", inhalt)
    umgebung = dict(os.environ, LC_ALL="de_DE.UTF-8", HOME=heim, XDG_CONFIG_HOME=os.path.join(heim, ".config"), QT_QPA_PLATFORM="offscreen")
    for name in ("DISPLAY", "WAYLAND_DISPLAY"):
        umgebung.pop(name, None)
    aufruf = [programm, "-silent", "-install", os.path.join(arbeit, "a.zip"), "-dst", ziel]
    subprocess.run(aufruf, cwd=arbeit, env=umgebung, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    with open(os.path.join(ziel, "uninstall.dat"), "rb") as f:
        vorher = f.read()
    sperrdatei = os.path.join(ziel, ".aktualisierer.sperre")
    anderer = halte_sperre(sperrdatei)

    wege = {"silent": ["-silent", "-install", os.path.join(arbeit, "b.zip")],
            "window install": ["-install", os.path.join(arbeit, "b.zip")],
            "window uninstall": ["-uninstall"]}
    fehler = 0
    print("%-18s %10s %10s %6s" % ("road", "median ms", "max ms", "runs"))
    for weg, argumente in wege.items():
        zeiten = []
        for _ in range(args.laeufe):
            for nummer in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
                p = subprocess.Popen([programm] + argumente + ["-dst", ziel], cwd=arbeit, env=umgebung,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                frist = time.monotonic() + 120
                while not hat_offen(p.pid, sperrdatei) and p.poll() is None and time.monotonic() < frist:
                    time.sleep(0.001)
                time.sleep(0.3)
                beginn = time.monotonic()
                p.send_signal(nummer)
                code = p.wait()
                zeiten.append((time.monotonic() - beginn) * 1000)
                if code != 1:
                    print("%s, signal %d: exit code %d" % (weg, nummer, code), file=sys.stderr)
                    fehler += 1
        print("%-18s %10.1f %10.1f %6d" % (weg, statistics.median(zeiten), max(zeiten), len(zeiten)), flush=True)
    os.close(anderer)
    with open(os.path.join(ziel, "uninstall.dat"), "rb") as f:
        if f.read() != vorher or sorted(os.listdir(ziel)) != [".aktualisierer.sperre", "a.txt", "uninstall.dat"]:
            print("the runs changed the target", file=sys.stderr)
            fehler += 1
    print("load average: %.1f %.1f %.1f" % os.getloadavg())
    return 1 if fehler else 0


if __name__ == "__main__":
    sys.exit(main())
