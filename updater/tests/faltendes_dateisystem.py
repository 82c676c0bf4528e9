#!/usr/bin/python3
# A folder that finds names without regard to case, for tests where the kernel has no casefold folders: faltendes_dateisystem.py LAGER EINHAENGEPUNKT.
# Names are stored in the form in which ext4's casefold folders compare them (Unicode's canonical
# caseless form: "F.TXT" and "f.txt", "STRASSE" and "straße", "café" composed and decomposed are
# one file), as ciopfs does. Runs in the foreground until it is unmounted; nothing is cached.
import os, sys, unicodedata
from fusepy import FUSE, Operations

nfd = lambda text: unicodedata.normalize('NFD', text)
felder = lambda st, namen: {k: getattr(st, k) for k in namen.split()}


class Faltend(Operations):
    def __call__(self, op, *args):
        # The paths in the folder (rename takes two).
        n = 2 if op == 'rename' else 1
        return getattr(self, op)(*[sys.argv[1] + nfd(nfd(a).casefold()) for a in args[:n]], *args[n:])

    getattr = lambda s, p, fh=None: felder(os.lstat(p), 'st_mode st_ino st_nlink st_uid st_gid st_size st_atime st_mtime st_ctime')
    statfs = lambda s, p: felder(os.statvfs(p), 'f_bsize f_frsize f_blocks f_bfree f_bavail f_files f_ffree f_favail f_namemax')
    readdir = lambda s, p, fh: ['.', '..'] + os.listdir(p)
    mkdir, rmdir, unlink, rename, chmod = [staticmethod(f) for f in (os.mkdir, os.rmdir, os.unlink, os.rename, os.chmod)]
    utimens = lambda s, p, zeiten=None: os.utime(p, zeiten, follow_symlinks=False)
    truncate = lambda s, p, laenge, fh=None: os.truncate(p, laenge)
    open = lambda s, p, flags: os.open(p, flags)
    # Asked only where the name was not there: exclusive.
    create = lambda s, p, modus, fi=None: os.open(p, os.O_RDWR | os.O_CREAT | os.O_EXCL, modus)
    read = lambda s, p, anzahl, ab, fh: os.pread(fh, anzahl, ab)
    write = lambda s, p, daten, ab, fh: os.pwrite(fh, daten, ab)
    fsync = lambda s, p, nur_daten, fh: os.fsync(fh)
    release = lambda s, p, fh: os.close(fh)


FUSE(Faltend(), sys.argv[2], foreground=True, use_ino=True, entry_timeout=0, attr_timeout=0, negative_timeout=0)
