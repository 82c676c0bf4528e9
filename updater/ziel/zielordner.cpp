#include "zielordner.h"
#include "dateien.h"
#include "eigentum.h"
#include "namensfaltung.h"
#include "steuerzeichen.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <iterator>
#include <linux/magic.h>
#include <linux/openat2.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

// Without openat2 (kernels before 5.6) every component is opened on its own and no link is
// followed at all: stricter than needed, never less safe.
int oeffne_stufenweise(int basis, const QByteArray& relativ, int flags, mode_t modus)
{
    const QList<QByteArray> teile = relativ.split('/');
    int aktuell = basis;
    int ergebnis = -1;
    for (int i = 0; i < teile.size(); ++i) {
        const QByteArray& teil = teile[i];
        const bool letzter = i == teile.size() - 1;
        if (teil.isEmpty() || teil == ".") {
            if (!letzter)
                continue;
        } else if (teil == "..") {
            errno = EXDEV;
            ergebnis = -1;
            break;
        }
        const char* name = teil.isEmpty() || teil == "." ? "." : teil.constData();
        const int fd = letzter ? ::openat(aktuell, name, flags | O_NOFOLLOW | O_CLOEXEC, modus)
                               : ::openat(aktuell, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (aktuell != basis)
            ::close(aktuell);
        if (fd < 0) {
            ergebnis = -1;
            aktuell = basis;
            break;
        }
        if (letzter) {
            ergebnis = fd;
            aktuell = basis;
            break;
        }
        aktuell = fd;
    }
    if (aktuell != basis)
        ::close(aktuell);
    return ergebnis;
}

} // namespace

int oeffne_ordnerhandle(const QByteArray& pfad)
{
    return ::open(pfad.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

int oeffne_unterhalb(int basis, const QByteArray& relativ, int flags, mode_t modus)
{
    static std::atomic<bool> ohne_openat2{false};
    // The system reads a name up to its NUL: a level of a longer path, handed on as a view of it
    // (`QByteArray::fromRawData`), has none at its end and would name the whole path. A copy has.
    const QByteArray pfad = relativ.isEmpty() ? QByteArrayLiteral(".") : QByteArray(relativ.constData(), relativ.size());
    if (!ohne_openat2.load(std::memory_order_relaxed)) {
        struct open_how wie{};
        wie.flags = static_cast<__u64>(flags | O_CLOEXEC);
        wie.mode = (flags & (O_CREAT | O_TMPFILE)) ? modus : 0;
        wie.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
        for (int versuch = 0;; ++versuch) {
            const long fd = ::syscall(SYS_openat2, basis, pfad.constData(), &wie, sizeof wie);
            if (fd >= 0)
                return static_cast<int>(fd);
            // EAGAIN: a rename elsewhere in the tree raced with the walk; it is safe to repeat.
            if ((errno == EINTR || errno == EAGAIN) && versuch < 100)
                continue;
            if (errno != ENOSYS)
                return -1;
            ohne_openat2 = true;
            break;
        }
    }
    return oeffne_stufenweise(basis, pfad, flags, modus);
}

bool verlaesst_ordner(int fehler)
{
    return fehler == EXDEV || fehler == ELOOP;
}

bool ist_noch_unterhalb(int basis, const QByteArray& relativ, int fd)
{
    const int jetzt = oeffne_unterhalb(basis, relativ, O_PATH | O_DIRECTORY);
    if (jetzt < 0) {
        // A path that leads to no folder below the base (a file, a link out of it) names none.
        if (errno == ENOTDIR || verlaesst_ordner(errno))
            errno = ENOENT;
        return false;
    }
    struct stat dort{};
    struct stat gehalten{};
    const bool gleich = ::fstat(jetzt, &dort) == 0 && ::fstat(fd, &gehalten) == 0 && dort.st_dev == gehalten.st_dev
                        && dort.st_ino == gehalten.st_ino;
    ::close(jetzt);
    errno = ENOENT;
    return gleich;
}

QStringList namensteile(const QString& pfad)
{
    QStringList teile = pfad.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    teile.removeAll(QStringLiteral("."));
    return teile;
}

QString zielordner_fehlertext(const QString& pfad, int fehler)
{
    const QString ordner = maskiere_steuerzeichen(pfad);
    if (fehler == ENOENT || fehler == ENOTDIR)
        return QCoreApplication::translate("UpdaterMainWindow", "Zielverzeichnis %1 existiert nicht").arg(ordner);
    return mit_systemfehler(
        QCoreApplication::translate("UpdaterMainWindow", "Zielverzeichnis %1 kann nicht geöffnet werden").arg(ordner), fehler);
}

QString tempordner_fehlertext(const QString& ziel, int ordner)
{
    const int tempordner = oeffne_tempordner(ordner, true);
    if (tempordner >= 0) {
        // The look leaves no folder behind: a run that writes no records (an uninstall that
        // removes them all) would leave it, and a write makes it again.
        ::close(tempordner);
        entferne_tempordner(ordner);
        return QString();
    }
    if (errno != EEXIST)
        return QString();
    return mit_systemfehler(QCoreApplication::translate("UpdaterMainWindow", "Fehler: Verzeichnis '%1' kann nicht angelegt werden")
                                .arg(maskiere_steuerzeichen(ziel + QLatin1String("/.aktualisierer-temp"))),
                            EEXIST);
}

CZielordner::CZielordner(const QString& pfad)
{
    fd = oeffne_ordnerhandle(QFile::encodeName(pfad));
    fehler = fd < 0 ? errno : 0;
}

CZielordner::~CZielordner()
{
    if (fd >= 0)
        ::close(fd);
}

QStringList CZielordner::stufen(const QString& relativ)
{
    QStringList r;
    QString stufe;
    for (const QString& teil : relativ.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        stufe += teil + QLatin1Char('/');
        if (QFile::encodeName(stufe).size() >= PATH_MAX)
            break;
        r << stufe;
    }
    return r;
}

int CZielordner::lege_an(const QString& relativ, QStringList& angelegt, QString& fehlstufe)
{
    if (fd < 0)
        return fehler;
    const QStringList teile = relativ.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    constexpr int unbekannt = -2;
    QString stufe;
    // The handle of the level above the current one; reopened below the base after known levels.
    int eltern = fd;
    // Whether the level above was made by this run.
    bool oben_neu = false;
    int ergebnis = 0;
    const auto schliesse = [this](int h) {
        if (h >= 0 && h != fd)
            ::close(h);
    };
    for (int tiefe = 0; tiefe < teile.size(); ++tiefe) {
        const QString& teil = teile[tiefe];
        const QString oben = stufe;
        stufe += teil + QLatin1Char('/');
        CStreifen& streifen = streifen_fuer(stufe);
        const std::lock_guard<std::mutex> lock(streifen.mutex);
        const auto bekannt = streifen.bekannt.constFind(stufe);
        if (bekannt != streifen.bekannt.constEnd()) {
            // The known level's own text: a deep folder's levels are not held twice.
            if (bekannt->gemacht)
                angelegt << bekannt.key();
            oben_neu = bekannt->gemacht;
            schliesse(eltern);
            eltern = unbekannt;
            continue;
        }
        int naechste = -1;
        bool gemacht = false;
        CStufe neu;
        // Below a level that was there before, most levels are there too (an update): it is
        // opened at once, and made only when missing.
        bool gefunden = false;
        if (!oben_neu) {
            naechste = oeffne_unterhalb(fd, QFile::encodeName(stufe), O_PATH | O_DIRECTORY);
            gefunden = naechste >= 0 || errno != ENOENT;
        }
        if (!gefunden) {
            if (eltern == unbekannt)
                eltern = oeffne_unterhalb(fd, QFile::encodeName(oben), O_PATH | O_DIRECTORY);
            // Every level must stay reachable by its path from the base, as the files below it
            // and the uninstall reach it.
            if (eltern < 0) {
                ergebnis = errno;
            } else if (QFile::encodeName(stufe).size() >= PATH_MAX) {
                ergebnis = ENAMETOOLONG;
            } else if (::mkdirat(eltern, QFile::encodeName(teil).constData(), 0777) == 0) {
                gemacht = true;
                angelegt << stufe;
                // What the run made is known, should it be moved away.
                neu.gemacht = true;
                neu.mit_kennung = kenne(eltern, QFile::encodeName(teil), neu.kennung);
                naechste = ::openat(eltern, QFile::encodeName(teil).constData(),
                                    O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            } else if (errno == EEXIST) {
                // Something of that name is there: it must be a folder below the base.
                naechste = oeffne_unterhalb(fd, QFile::encodeName(stufe), O_PATH | O_DIRECTORY);
            }
        }
        if (ergebnis == 0 && naechste < 0)
            ergebnis = errno;
        schliesse(eltern);
        eltern = naechste;
        // A level made stays known as the run's, even where it could not be opened then.
        if (ergebnis == 0 || gemacht)
            streifen.bekannt.insert(stufe, neu);
        if (ergebnis != 0) {
            fehlstufe = stufe;
            break;
        }
        oben_neu = gemacht;
    }
    schliesse(eltern);
    return ergebnis;
}

bool CZielordner::kenne(int ordner, const QByteArray& name, CKennung& kennung)
{
    struct statx st{};
    struct statfs fs{};
    if (::statx(ordner, name.constData(), AT_SYMLINK_NOFOLLOW, STATX_INO | STATX_BTIME, &st) != 0 || ::fstatfs(ordner, &fs) != 0)
        return false;
    kennung.geraet = makedev(st.stx_dev_major, st.stx_dev_minor);
    kennung.knoten = st.stx_ino;
    kennung.neu_nummeriert = fs.f_type == OVERLAYFS_SUPER_MAGIC || fs.f_type == FUSE_SUPER_MAGIC;
    kennung.mit_geburt = st.stx_mask & STATX_BTIME;
    kennung.geburt_s = st.stx_btime.tv_sec;
    kennung.geburt_ns = st.stx_btime.tv_nsec;
    return true;
}

bool CZielordner::entferne_wenn_leer(const QString& relativ)
{
    CStreifen& streifen = streifen_fuer(relativ);
    const std::lock_guard<std::mutex> lock(streifen.mutex);
    const auto stufe = streifen.bekannt.constFind(relativ);
    if (fd < 0 || stufe == streifen.bekannt.constEnd() || !stufe->gemacht)
        return false;
    const QString pfad = relativ.chopped(1);
    const int trenner = pfad.lastIndexOf(QLatin1Char('/'));
    const QByteArray name = QFile::encodeName(pfad.mid(trenner + 1));
    const int eltern = trenner < 0 ? fd : oeffne_unterhalb(fd, QFile::encodeName(pfad.left(trenner)), O_PATH | O_DIRECTORY);
    struct stat st{};
    CKennung jetzt;
    const CKennung& damals = stufe->kennung;
    const bool ordner = eltern >= 0 && ::fstatat(eltern, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
    // A folder that cannot be told from the one made is left as it is, and its record stays.
    const bool unklar = ordner && stufe->mit_kennung && damals.neu_nummeriert && !damals.mit_geburt;
    const bool eigener = ordner && !unklar
                         && (!stufe->mit_kennung
                             || (kenne(eltern, name, jetzt) && jetzt.geraet == damals.geraet
                                 && (damals.neu_nummeriert ? jetzt.mit_geburt && jetzt.geburt_s == damals.geburt_s
                                                                 && jetzt.geburt_ns == damals.geburt_ns
                                                           : jetzt.knoten == damals.knoten)));
    const bool bleibt = unklar || (eigener && ::unlinkat(eltern, name.constData(), AT_REMOVEDIR) != 0);
    if (eltern >= 0 && eltern != fd)
        ::close(eltern);
    if (eigener && !bleibt)
        streifen.bekannt.remove(relativ);
    return bleibt;
}

COrdnerhandle::~COrdnerhandle()
{
    if (fd_ >= 0)
        ::close(fd_);
}

namespace {

// Temporary files live in a folder of the program's own in the folder where they take their
// names, and are named after the process that made them: prefix, process id, "-", number,
// ".tmp". Only the program puts files into that folder (an archive entry of its name is never
// written), so a leftover of a killed run is known by its place as well as by its name: a file of
// that name anywhere else is a user's, or an archive's, and is never removed. Where something
// else stands at the folder's name (a link, a file, a folder of another user or on another file
// system), the program takes the next of a few names: it never makes, links or removes anything
// through a link, nor in a folder that is not its own.
// The names of the folder of temporary files: ".aktualisierer-temp", then "-2" and on. Plain
// texts, compared with every level of every entry without a copy, and never destroyed: a job
// thread may still use them while the program ends.
constexpr const char* tempordnernamen[] = {".aktualisierer-temp", ".aktualisierer-temp-2", ".aktualisierer-temp-3",
                                           ".aktualisierer-temp-4"};
constexpr int temp_ordner_namen = int(std::size(tempordnernamen));
constexpr char temp_praefix[] = ".aktualisierer-";

QByteArray tempordnername(int nummer)
{
    return QByteArray::fromRawData(tempordnernamen[nummer], int(std::strlen(tempordnernamen[nummer])));
}

// A new name in a folder of temporary files.
QByteArray neuer_tempname()
{
    static std::atomic<unsigned> zaehler{0};
    static const QByteArray praefix = temp_praefix + QByteArray::number(::getpid()) + '-';
    return praefix + QByteArray::number(zaehler++) + ".tmp";
}

// Whether the name has the shape of a temporary file's (in any case: on a file system that
// takes names in either case for one, both are).
bool ist_tempname(QStringView name)
{
    const int praefix = int(sizeof temp_praefix) - 1;
    if (!name.startsWith(QLatin1String(temp_praefix), Qt::CaseInsensitive)
        || !name.endsWith(QLatin1String(".tmp"), Qt::CaseInsensitive))
        return false;
    const QStringView mitte = name.mid(praefix, name.size() - praefix - 4);
    const int trenner = mitte.indexOf(QLatin1Char('-'));
    const auto ziffern = [](QStringView teil) {
        return !teil.isEmpty() && std::all_of(teil.begin(), teil.end(), [](QChar c) { return c.isDigit(); });
    };
    return trenner > 0 && ziffern(mitte.left(trenner)) && ziffern(mitte.mid(trenner + 1));
}

// Whether `st` is a folder the program may use in `ordner` for its temporary files: of this
// user's own, that no one else may write, on the file system of `ordner` (a temporary file is
// renamed from there).
bool ist_eigener_tempordner(const struct stat& st, int ordner)
{
    struct stat oben{};
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & S_IRWXU) == S_IRWXU
           && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0 && ::fstat(ordner, &oben) == 0 && oben.st_dev == st.st_dev;
}

// Opens the folder of that name in `ordner` (`flags` besides O_DIRECTORY and O_NOFOLLOW) when it
// is one the program may use, reached without a link. -1 with errno: EEXIST when something else
// stands at the name.
int oeffne_eigenen_tempordner(int ordner, const QByteArray& name, int flags)
{
    const int fd = ::openat(ordner, name.constData(), flags | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        // A link or a file at the name.
        if (errno == ENOTDIR || errno == ELOOP)
            errno = EEXIST;
        return -1;
    }
    struct stat st{};
    if (::fstat(fd, &st) == 0 && ist_eigener_tempordner(st, ordner))
        return fd;
    ::close(fd);
    errno = EEXIST;
    return -1;
}

// The lock by which a temporary file shows that a live process still uses it; only a file that
// no process holds is left over. flock waits while a cleanup that found the file unheld tests it.
bool sperre_temporaer(int fd)
{
    while (::flock(fd, LOCK_EX) != 0)
        if (errno != EINTR)
            return false;
    return true;
}

// Has `mache` make a file (or give one a name) under a fresh name in the folder of temporary
// files of `ordner`, until it succeeds: the folder is opened, or made, when `tempordner` holds
// none, and again when it was removed meanwhile (a run removes it once empty). `mache` takes the
// folder's handle and the name and returns false with errno (EEXIST: the name is taken).
template<typename Mache>
bool im_tempordner(int ordner, std::shared_ptr<COrdnerhandle>& tempordner, QByteArray& temp, const Mache& mache)
{
    for (int versuch = 0; versuch < 100; ++versuch) {
        if (!tempordner) {
            const int fd = oeffne_tempordner(ordner, true);
            if (fd < 0)
                break;
            tempordner = std::make_shared<COrdnerhandle>(fd);
        }
        temp = neuer_tempname();
        if (mache(tempordner->fd(), temp))
            return true;
        if (errno == ENOENT)
            tempordner.reset();
        else if (errno != EEXIST)
            break;
    }
    temp.clear();
    return false;
}

} // namespace

int oeffne_tempordner(int ordner, bool anlegen)
{
    bool besetzt = false;
    for (int nummer = 0; nummer < temp_ordner_namen; ++nummer) {
        const QByteArray name = tempordnername(nummer);
        // Made and opened again, should another run just have removed it, empty.
        for (int versuch = 0; versuch < 10; ++versuch) {
            const int fd = oeffne_eigenen_tempordner(ordner, name, O_PATH);
            if (fd >= 0)
                return fd;
            if (errno != ENOENT || !anlegen)
                break;
            if (::mkdirat(ordner, name.constData(), 0700) != 0 && errno != EEXIST)
                return -1;
        }
        if (errno != ENOENT && errno != EEXIST)
            return -1;
        besetzt = besetzt || errno == EEXIST;
    }
    errno = besetzt ? EEXIST : ENOENT;
    return -1;
}

bool ist_eigener_name(QStringView teil)
{
    // A name of other characters than ASCII is taken as a folder that finds names without
    // regard to case takes it (".aktualiſierer-temp" is the temporary folder's name there).
    if (!nur_ascii(teil)) {
        const QString gefaltet = faltform(teil.toString());
        return nur_ascii(gefaltet) && ist_eigener_name(gefaltet);
    }
    // Each of them starts with a dot; nearly no name of an archive does.
    if (!teil.startsWith(QLatin1Char('.')))
        return false;
    for (int nummer = 0; nummer < temp_ordner_namen; ++nummer)
        if (teil.compare(QLatin1String(tempordnernamen[nummer]), Qt::CaseInsensitive) == 0)
            return true;
    return ist_tempname(teil);
}

void entferne_tempordner(int ordner)
{
    // Looked at by name, without a handle: a run calls this when it may have used up the
    // limit of open files, and a link there is never followed either way.
    for (int nummer = 0; nummer < temp_ordner_namen; ++nummer) {
        const QByteArray name = tempordnername(nummer);
        struct stat st{};
        if (::fstatat(ordner, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && ist_eigener_tempordner(st, ordner))
            ::unlinkat(ordner, name.constData(), AT_REMOVEDIR);
    }
}

int oeffne_temporaer(int ordner, mode_t modus, std::shared_ptr<COrdnerhandle>& tempordner, QByteArray& temp)
{
    int fd = -1;
    im_tempordner(ordner, tempordner, temp, [&fd, modus](int in, const QByteArray& name) {
        fd = ::openat(in, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, modus);
        if (fd < 0)
            return false;
        // The name shows before the lock can be taken: a cleanup that came in between has
        // removed the file (it does so only while it holds the lock), and a new name is taken.
        // Where the file system has no locks the file stays unheld, as it stays there for every
        // cleanup.
        struct stat st{};
        if (!sperre_temporaer(fd) || ::fstat(fd, &st) != 0 || st.st_nlink > 0)
            return true;
        ::close(fd);
        fd = -1;
        errno = EEXIST;
        return false;
    });
    return fd;
}

CNamensregeln pruefe_namensregeln(int ordner)
{
    CNamensregeln regeln;
    QByteArray temp;
    std::shared_ptr<COrdnerhandle> tempordner;
    // An unnamed file that takes a name proves both (without the capability for AT_EMPTY_PATH
    // the name is given through /proc).
    int fd = ::openat(ordner, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) {
        regeln.unbenannt = verlinke_temporaer(fd, ordner, tempordner, temp);
        if (!regeln.unbenannt)
            ::close(fd);
    }
    if (!regeln.unbenannt) {
        fd = oeffne_temporaer(ordner, 0600, tempordner, temp);
        if (fd < 0)
            return regeln;
    }
    const int in = tempordner->fd();
    struct stat klein{};
    struct stat gross{};
    regeln.gross_klein_gleich = ::fstatat(in, temp.constData(), &klein, AT_SYMLINK_NOFOLLOW) == 0
                                && ::fstatat(in, temp.toUpper().constData(), &gross, AT_SYMLINK_NOFOLLOW) == 0
                                && klein.st_dev == gross.st_dev && klein.st_ino == gross.st_ino;
    // The file is held until its name is gone, so that no other run takes it for a leftover.
    ::unlinkat(in, temp.constData(), 0);
    ::close(fd);
    return regeln;
}

int oeffne_neue_datei(int ordner, mode_t modus, std::shared_ptr<COrdnerhandle>& tempordner, QByteArray& temp,
                      bool unbenannt)
{
    temp.clear();
    if (unbenannt) {
        const int fd = ::openat(ordner, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, modus);
        // A folder below the target may lie on another file system, without unnamed files.
        if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
            return fd;
    }
    return oeffne_temporaer(ordner, modus, tempordner, temp);
}

bool verlinke_unbenannt(int fd, int ordner, const QByteArray& name)
{
    // AT_EMPTY_PATH needs the capability CAP_DAC_READ_SEARCH; the way through /proc does not.
    static std::atomic<bool> ueber_proc{false};
    if (!ueber_proc.load(std::memory_order_relaxed)) {
        if (::linkat(fd, "", ordner, name.constData(), AT_EMPTY_PATH) == 0)
            return true;
        if (errno != ENOENT && errno != EPERM)
            return false;
        ueber_proc = true;
    }
    const QByteArray pfad = "/proc/self/fd/" + QByteArray::number(fd);
    return ::linkat(AT_FDCWD, pfad.constData(), ordner, name.constData(), AT_SYMLINK_FOLLOW) == 0;
}

bool verlinke_temporaer(int fd, int ordner, std::shared_ptr<COrdnerhandle>& tempordner, QByteArray& temp)
{
    // Held before it has a name: no other run ever sees it unheld while this one uses it.
    sperre_temporaer(fd);
    return im_tempordner(ordner, tempordner, temp,
                         [fd](int in, const QByteArray& name) { return verlinke_unbenannt(fd, in, name); });
}

namespace {

// How a read or write call that gave `n` went on: bytes moved, interrupted (to be called again),
// or failed, with errno (EIO where it moved none without an error).
enum class CSchritt { weiter, nochmal, fehler };
CSchritt schritt(ssize_t n)
{
    if (n > 0)
        return CSchritt::weiter;
    if (n < 0 && errno == EINTR)
        return CSchritt::nochmal;
    if (n == 0)
        errno = EIO;
    return CSchritt::fehler;
}

} // namespace

bool schreibe_ganz(int fd, const char* daten, qint64 anzahl)
{
    while (anzahl > 0) {
        const ssize_t n = ::write(fd, daten, static_cast<size_t>(anzahl));
        const CSchritt s = schritt(n);
        if (s == CSchritt::fehler)
            return false;
        if (s == CSchritt::weiter) {
            daten += n;
            anzahl -= n;
        }
    }
    return true;
}

bool schliesse_behalte_sperre(int& fd)
{
    const int halter = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (halter < 0) {
        // No handle to spare: the file stays open as it is, and a flush to disk shows a failed
        // write instead.
        return ::fdatasync(fd) == 0;
    }
    const bool ok = ::close(fd) == 0;
    const int fehler = errno;
    fd = halter;
    errno = fehler;
    return ok;
}

bool kopiere_inhalt(int von, int nach, qint64 anzahl)
{
    // In the kernel where the file systems allow it, else through a buffer. A file that ends
    // before `anzahl` fails.
    std::vector<char> puffer;
    for (loff_t ab = 0; ab < anzahl;) {
        if (puffer.empty()) {
            const ssize_t n = ::copy_file_range(von, &ab, nach, nullptr, std::size_t(anzahl - ab), 0);
            if (n < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP || errno == EPERM))
                puffer.resize(64 * 1024);
            else if (schritt(n) == CSchritt::fehler)
                return false;
            continue;
        }
        const ssize_t n = ::pread(von, puffer.data(), std::size_t(std::min<qint64>(qint64(puffer.size()), anzahl - ab)), ab);
        const CSchritt s = schritt(n);
        if (s == CSchritt::fehler || (s == CSchritt::weiter && !schreibe_ganz(nach, puffer.data(), n)))
            return false;
        ab += std::max<ssize_t>(n, 0);
    }
    return true;
}

bool schreibe_atomar(int ordner, const QByteArray& name, const std::function<bool(int fd)>& schreibe)
{
    // Not over another account's file or link in a sticky folder that others may write.
    struct stat ort;
    struct stat alt;
    if (::fstat(ordner, &ort) == 0 && ::fstatat(ordner, name.constData(), &alt, AT_SYMLINK_NOFOLLOW) == 0
        && ist_fremd_im_geteilten_ordner(ort, alt)) {
        errno = EACCES;
        return false;
    }
    // Unnamed while it is written: a run killed meanwhile leaves nothing behind. It takes a
    // temporary name only for the rename that replaces the old file.
    QByteArray temp;
    std::shared_ptr<COrdnerhandle> tempordner;
    int fd = oeffne_neue_datei(ordner, 0666, tempordner, temp, true);
    if (fd < 0)
        return false;
    const auto schreibe_alles = [&schreibe](int fd) { return schreibe(fd) && ::fsync(fd) == 0; };
    bool ok = schreibe_alles(fd);
    if (ok && temp.isEmpty() && !verlinke_temporaer(fd, ordner, tempordner, temp)) {
        // Where an unnamed file cannot be named (neither the capability nor /proc), the content
        // goes to a temporary file.
        ::close(fd);
        fd = oeffne_temporaer(ordner, 0666, tempordner, temp);
        if (fd < 0)
            return false;
        ok = schreibe_alles(fd);
    }
    int ursache = ok ? 0 : errno;
    if (!schliesse_behalte_sperre(fd) && ok) {
        ok = false;
        ursache = errno;
    }
    // rename replaces whatever holds the name, a link included, and never follows it. The
    // folder is flushed after it, so that the new name is on disk before the caller goes on (a
    // run names its files only after their records are written).
    if (ok && ::renameat(tempordner->fd(), temp.constData(), ordner, name.constData()) == 0) {
        ::close(fd);
        entferne_tempordner(ordner);
        const int verzeichnis = ::openat(ordner, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (verzeichnis >= 0) {
            ::fsync(verzeichnis);
            ::close(verzeichnis);
        }
        return true;
    }
    if (ok)
        ursache = errno;
    // Removed while still held, so that no other run can find the name unheld.
    if (!temp.isEmpty())
        ::unlinkat(tempordner->fd(), temp.constData(), 0);
    if (fd >= 0)
        ::close(fd);
    entferne_tempordner(ordner);
    // The caller reports why it failed.
    errno = ursache;
    return false;
}

namespace {

// Removes the leftovers in the folder of temporary files of that name in `ordner`, and the folder
// once empty, when it is one of the program's own.
void entferne_verwaiste_in(int ordner, const QByteArray& name_des_ordners)
{
    // Only the program's own folder is searched, never followed through a link.
    const int fd = oeffne_eigenen_tempordner(ordner, name_des_ordners, O_RDONLY);
    DIR* verzeichnis = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!verzeichnis) {
        if (fd >= 0)
            ::close(fd);
        return;
    }
    const int temp = ::dirfd(verzeichnis);
    QList<QByteArray> kandidaten;
    while (const dirent* e = ::readdir(verzeichnis)) {
        const QByteArray name(e->d_name);
        // The process id in the name says nothing: it may be this process's, a later one's or
        // that of a run that is still writing. Only the lock tells.
        if (ist_tempname(QString::fromLatin1(name)))
            kandidaten << name;
    }
    for (const QByteArray& name : kandidaten) {
        // Only a regular file can be one: a FIFO or device that merely carries such a name is not
        // even opened, nor a link followed.
        struct stat vorher{};
        if (::fstatat(temp, name.constData(), &vorher, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(vorher.st_mode))
            continue;
        // A file that cannot be opened or locked here cannot be told apart from one in use: it stays.
        const int datei = ::openat(temp, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (datei < 0)
            continue;
        // Removed while held, and only while the name still is the file that was tested: its
        // maker, should it have made it just now, finds it gone once it has the lock.
        struct stat offen{};
        struct stat jetzt{};
        if (::fstat(datei, &offen) == 0 && S_ISREG(offen.st_mode) && ::flock(datei, LOCK_EX | LOCK_NB) == 0
            && ::fstatat(temp, name.constData(), &jetzt, AT_SYMLINK_NOFOLLOW) == 0 && jetzt.st_dev == offen.st_dev
            && jetzt.st_ino == offen.st_ino)
            ::unlinkat(temp, name.constData(), 0);
        ::close(datei);
    }
    ::closedir(verzeichnis);
    // Empty, the folder goes too; a file of a run still writing keeps it.
    ::unlinkat(ordner, name_des_ordners.constData(), AT_REMOVEDIR);
}

} // namespace

void entferne_verwaiste_tempdateien(int ordner)
{
    for (int nummer = 0; nummer < temp_ordner_namen; ++nummer)
        entferne_verwaiste_in(ordner, tempordnername(nummer));
}
