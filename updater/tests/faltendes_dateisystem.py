# A folder that finds names without regard to case, for tests where the kernel has no casefold folders: faltendes_dateisystem.py LAGER EINHAENGEPUNKT.
# Names are stored in Unicode's canonical caseless form, as ext4's casefold folders compare them
# ("F.TXT" and "f.txt", "STRASSE" and "straße" are one file). Runs until it is unmounted.
import os, sys, unicodedata
from fusepy import FUSE, Operations

felder = lambda st, namen: {k: getattr(st, k) for k in namen.split()}

class Faltend(Operations):
    def __call__(self, op, *args):
        n = 2 if op == 'rename' else 1
        return getattr(self, op)(*[sys.argv[1] + unicodedata.normalize('NFD', unicodedata.normalize('NFD', a).casefold()) for a in args[:n]], *args[n:])

    getattr = lambda s, p, fh=None: felder(os.lstat(p), 'st_mode st_ino st_nlink st_uid st_gid st_size st_atime st_mtime st_ctime')
    statfs = lambda s, p: felder(os.statvfs(p), 'f_bsize f_frsize f_blocks f_bfree f_bavail f_files f_ffree f_favail f_namemax')
    readdir = lambda s, p, fh: ['.', '..'] + os.listdir(p)
    mkdir, rmdir, unlink, rename, chmod = [staticmethod(f) for f in (os.mkdir, os.rmdir, os.unlink, os.rename, os.chmod)]
    utimens = lambda s, p, zeiten=None: os.utime(p, zeiten, follow_symlinks=False)
    open = lambda s, p, flags: os.open(p, flags)
    create = lambda s, p, modus, fi=None: os.open(p, os.O_RDWR | os.O_CREAT | os.O_EXCL, modus)
    read = lambda s, p, anzahl, ab, fh: os.pread(fh, anzahl, ab)
    write = lambda s, p, daten, ab, fh: os.pwrite(fh, daten, ab)
    release = lambda s, p, fh: os.close(fh)

FUSE(Faltend(), sys.argv[2], foreground=True, use_ino=True, entry_timeout=0, attr_timeout=0, negative_timeout=0)
