#!/usr/bin/env python3
"""Times the silent install of the updater against `unzip -o -q`, `bsdtar` and `7zz` on two archives.

Builds (once, kept in the work folder) an archive of about 20,000 small files in nested folders
and one of 16 files of 64 MiB, then installs each archive several times with every tool into
fresh folders on the disk (in the work folder; --im-speicher puts them in /dev/shm), alternating
the tools; then, as an update, over the tree each tool made itself (and with `--arten anders` over
the tree of another edition of the archive, whose files all differ in their last byte, as an update
of a product whose every file changed). A tool that is not installed
is left out. Prints the median times, their ratio to unzip's and the peak memory (maximum resident
set size) of each tool, the number of cores the tools may use (the updater starts as many
workers; run the script under `taskset` to limit them) and the machine's load.
"""
import argparse
import os
import random
import shutil
import statistics
import subprocess
import sys
import time


def erzeuge_kleine(ordner, anzahl):
    zufall = random.Random(7)
    woerter = [b"aktualisierer", b"archiv", b"datei", b"ordner", b"zeile", b"text", b"wert", b"update"]
    for i in range(anzahl):
        pfad = os.path.join(ordner, "ebene%02d" % (i % 40), "teil%02d" % (i // 40 % 25), "tiefer%d" % (i % 3))
        os.makedirs(pfad, exist_ok=True)
        groesse = zufall.randint(100, 6000)
        inhalt = b" ".join(zufall.choice(woerter) for _ in range(groesse // 7))
        with open(os.path.join(pfad, "datei%05d.txt" % i), "wb") as f:
            f.write(inhalt[:groesse])


def erzeuge_grosse(ordner, anzahl, mib):
    os.makedirs(ordner, exist_ok=True)
    for i in range(anzahl):
        # The same bytes for every edition: another one differs only where it is changed.
        zufall = random.Random(i)
        with open(os.path.join(ordner, "gross%02d.bin" % i), "wb") as f:
            # Half random, half repeated bytes: deflate works, but not for free.
            for _ in range(mib * 16):
                f.write(zufall.randbytes(32 * 1024))
                f.write(bytes([i]) * (32 * 1024))


def aendere_letzte_bytes(ordner):
    """Another edition of the same files: each keeps its name and size, its last byte changes (for
    a tool that compares, the costliest difference)."""
    for wurzel, _, dateien in os.walk(ordner):
        for name in dateien:
            with open(os.path.join(wurzel, name), "r+b") as f:
                f.seek(-1, os.SEEK_END)
                letztes = f.read(1)
                f.seek(-1, os.SEEK_END)
                f.write(bytes([letztes[0] ^ 0x20]))


def baue_archiv(arbeit, name, erzeuge):
    archiv = os.path.join(arbeit, name + ".zip")
    if os.path.exists(archiv):
        return archiv
    quelle = os.path.join(arbeit, name)
    shutil.rmtree(quelle, ignore_errors=True)
    os.makedirs(quelle)
    print("building %s ..." % archiv, flush=True)
    erzeuge(quelle)
    subprocess.run(["zip", "-q", "-r", archiv + ".tmp", "."], cwd=quelle, check=True)
    os.replace(archiv + ".tmp", archiv)
    shutil.rmtree(quelle)
    return archiv


def miss(befehl, ziel, arbeit, behalten, vorhanden=False):
    os.makedirs(ziel, exist_ok=vorhanden)
    subprocess.run(["sync"], check=True)
    # GNU time reports the peak memory of the tool alone (the maximum resident set size of a
    # child started from Python would include Python's own, kept across exec).
    speicherdatei = ziel + ".speicher"
    start = time.perf_counter()
    with open(os.devnull, "wb") as nichts:
        ergebnis = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", speicherdatei] + befehl,
                                  stdout=nichts, stderr=subprocess.PIPE, cwd=arbeit)
    dauer = time.perf_counter() - start
    # Large targets are removed at once (disk space), and the file system given a moment to
    # settle before the next run. Trees of many files stay until the archive's runs are over:
    # ext4 without a journal passes over inodes freed in the last minutes when it allocates new
    # ones, so a run right after removing thousands of files spends seconds in the kernel's
    # inode allocator, for every tool alike and by chance.
    if not behalten:
        shutil.rmtree(ziel, ignore_errors=True)
    subprocess.run(["sync"], check=True)
    time.sleep(1)
    if ergebnis.returncode != 0:
        sys.stderr.buffer.write(ergebnis.stderr)
        sys.exit("failed (%d): %s" % (ergebnis.returncode, " ".join(befehl)))
    with open(speicherdatei) as f:
        kib = int(f.read().split()[-1])
    os.remove(speicherdatei)
    return dauer, kib / 1024.0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--programm", required=True, help="path of the built aktualisierer")
    parser.add_argument("--zweites", help="a second build of the aktualisierer (for example the one before a "
                        "change), timed alternately with the others")
    parser.add_argument("--arbeit", default="bench-arbeit", help="work folder for archives and targets")
    parser.add_argument("--laeufe", type=int, default=5, help="runs per tool and archive")
    parser.add_argument("--ziel", help="folder in which the fresh target folders are made (default: "
                        "the work folder, on the disk)")
    parser.add_argument("--im-speicher", action="store_true",
                        help="targets in /dev/shm (memory): the tools' own work without the disk's file system")
    parser.add_argument("--klein", type=int, default=20000, help="number of small files (0: no archive of small files)")
    parser.add_argument("--gross", type=int, default=16, help="number of large files")
    parser.add_argument("--mib", type=int, default=64, help="size of a large file in MiB (--gross 0: no large archive)")
    parser.add_argument("--arten", default="frisch,update",
                        help="what is timed: frisch (into an empty folder), update (over the tree of the run before), "
                        "anders (over the tree of another edition: the same files, each with its last byte changed)")
    args = parser.parse_args()

    arbeit = os.path.abspath(args.arbeit)
    os.makedirs(arbeit, exist_ok=True)
    programme = {"aktualisierer": os.path.abspath(args.programm)}
    if args.zweites:
        programme["zweites"] = os.path.abspath(args.zweites)
    # (title, archive, whether the targets stay until the archive's runs are over)
    arten = [a for a in args.arten.split(",") if a]

    def mit_anderer(name, erzeuge):
        """The archive, and its other edition when it is asked for."""
        def anders(o):
            erzeuge(o)
            aendere_letzte_bytes(o)
        return (baue_archiv(arbeit, name, erzeuge),
                baue_archiv(arbeit, name + "-anders", anders) if "anders" in arten else None)

    # (title, archive, its other edition, whether the targets stay until the archive's runs are over)
    archive = []
    if args.klein > 0:
        archive.append(("%d small files" % args.klein,)
                       + mit_anderer("klein%d" % args.klein, lambda o: erzeuge_kleine(o, args.klein)) + (True,))
    if args.gross > 0:
        archive.append(("%d x %d MiB" % (args.gross, args.mib),)
                       + mit_anderer("gross%dx%d" % (args.gross, args.mib), lambda o: erzeuge_grosse(o, args.gross, args.mib))
                       + (False,))
    if args.ziel:
        basis = os.path.abspath(args.ziel)
    elif args.im_speicher:
        basis = "/dev/shm"
    else:
        basis = arbeit
    ziel = os.path.join(basis, "aktualisierer-bench-%d" % os.getpid())
    if args.zweites:
        print("zweites: %s" % programme["zweites"])
    kerne = len(os.sched_getaffinity(0))
    print("targets in %s; %d cores (of %d) for both tools; load %.2f %.2f %.2f"
          % ((basis, kerne, os.cpu_count()) + os.getloadavg()), flush=True)
    # The protocol goes to a log file in the work folder; the runs start there, where the updater
    # finds this configuration first.
    if os.path.exists(os.path.join(arbeit, "aktualisierer.log")):
        os.remove(os.path.join(arbeit, "aktualisierer.log"))
    with open(os.path.join(arbeit, "log4upd.init"), "w") as f:
        f.write("path %s\nappender root pattern file aktualisierer.log %%D: %%m%%n\n" % arbeit)
    # In memory the file system has no such allocator to spare, and all the trees would not fit.
    if args.im_speicher:
        archive = [(titel, archiv, anderes, False) for titel, archiv, anderes, _ in archive]
    ergebnis = 0
    fehlend = [name for name in ("bsdtar", "7zz") if not shutil.which(name)]
    if fehlend:
        print("not installed, left out: %s" % ", ".join(fehlend))
    def befehle_fuer(archiv):
        befehle = {name: [programm, "-silent", "-install", archiv, "-dst", "ZIEL"] for name, programm in programme.items()}
        befehle["unzip"] = ["unzip", "-o", "-q", archiv, "-d", "ZIEL"]
        if "bsdtar" not in fehlend:
            befehle["bsdtar"] = ["bsdtar", "-x", "-f", archiv, "-C", "ZIEL"]
        if "7zz" not in fehlend:
            # 7zz takes its target folder glued to the option.
            befehle["7zz"] = ["7zz", "x", "-y", "-bd", "-bso0", "-bsp0", "-oZIEL", archiv]
        return befehle

    titel_der_art = {"frisch": "fresh", "update": "update", "anders": "update over another edition"}
    for titel, archiv, anderes, behalten in archive:
        befehle = befehle_fuer(archiv)
        vorlauf = befehle_fuer(anderes if anderes else archiv)
        medianen = {}
        for art in arten:
            zeiten = {name: [] for name in befehle}
            speicher = {name: 0.0 for name in befehle}
            for lauf in range(args.laeufe):
                for name, befehl in befehle.items():
                    ordner = os.path.join(ziel, "%s-%d" % (name, lauf))
                    befehl = [teil.replace("ZIEL", ordner) for teil in befehl]
                    if art in ("update", "anders"):
                        # The tree the tool made itself (of this archive or of its other edition),
                        # made just before and not timed.
                        miss([teil.replace("ZIEL", ordner) for teil in vorlauf[name]] if art == "anders" else befehl,
                             ordner, arbeit, True)
                    dauer, mib = miss(befehl, ordner, arbeit, behalten, art != "frisch")
                    zeiten[name].append(dauer)
                    speicher[name] = max(speicher[name], mib)
                    if art != "frisch" and not behalten:
                        shutil.rmtree(ordner, ignore_errors=True)
            median = {name: statistics.median(z) for name, z in zeiten.items()}
            print("%s, %s (%d runs each):" % (titel, titel_der_art.get(art, art), args.laeufe))
            for name in befehle:
                # Beside the second build too, where there is one: the two met the same load.
                neben = ", %.2f x zweites" % (median[name] / median["zweites"]) if "zweites" in median else ""
                print("  %-14s median %7.3f s  (min %.3f, max %.3f)  peak memory %6.1f MiB  (%.2f x unzip%s)"
                      % (name, median[name], min(zeiten[name]), max(zeiten[name]), speicher[name],
                         median[name] / median["unzip"], neben))
            print("  (load now %.2f)" % os.getloadavg()[0], flush=True)
            shutil.rmtree(ziel, ignore_errors=True)
            subprocess.run(["sync"], check=True)
            medianen[art] = median
        # What an update costs each tool beside its own fresh install of the archive.
        if "frisch" in medianen and len(medianen) > 1:
            print("%s, each kind beside the fresh install:" % titel)
            for name in befehle:
                print("  %-14s %s" % (name, "  ".join("%s %.2f x" % (titel_der_art.get(art, art), m[name] / medianen["frisch"][name])
                                                     for art, m in medianen.items() if art != "frisch")))
    return ergebnis


if __name__ == "__main__":
    sys.exit(main())
