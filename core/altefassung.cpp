#include "altefassung.h"

#include "dateien.h"
#include "dateisperre.h"
#include "eigentum.h"
#include "steuerzeichen.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <vector>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The first line of a record: files in the folder without it are not the program's. Records of
// the first form know their file by device and inode alone, which the next file may be given;
// those of the first two forms do not know its folder.
const QByteArray kennung = QByteArrayLiteral("Quorbel alte Fassung 3");
const QByteArray kennung_2 = QByteArrayLiteral("Quorbel alte Fassung 2");
const QByteArray kennung_1 = QByteArrayLiteral("Quorbel alte Fassung 1");
// A copy is "<6 characters>.alt", its record "<6 characters>.ziel".
const QString endung_kopie = QStringLiteral(".alt");
// The start of the program's names: in the temporary folder only files of such a name are its own.
const QString praefix = QStringLiteral("Quorbel-");
const QString endung_satz = QStringLiteral(".ziel");
// What the write leaves (see `summiere`), "<6 characters>.summen" beside its record, whose form
// stays the one that earlier programs read. Without it a start cannot tell the file the write
// left from one changed since.
const QString endung_summen = QStringLiteral(".summen");
const QByteArray kennung_summen = QByteArrayLiteral("Quorbel Pruefsummen 1");
// What a start keeps of a file while it writes it, "<6 characters>.zuletzt", before it takes its name.
const QString endung_zuletzt = QStringLiteral(".zuletzt");
// A file name cut to leave room in a name of 255 bytes for what is added to it.
constexpr int namenslaenge = 50;

QByteArray kodiert(const QString& pfad)
{
    return QFile::encodeName(pfad);
}

QString satz_von(const QString& kopie)
{
    return kopie.left(kopie.size() - endung_kopie.size()) + endung_satz;
}

QString kopie_von(const QString& satz)
{
    return satz.left(satz.size() - endung_satz.size()) + endung_kopie;
}

QString summen_von(const QString& satz)
{
    return satz.left(satz.size() - endung_satz.size()) + endung_summen;
}

// Removes the record `satz` and the checksums beside it.
void entferne_satz(const QString& satz)
{
    ::unlink(kodiert(satz).constData());
    ::unlink(kodiert(summen_von(satz)).constData());
}

// A new file of the user alone by `vorlage`, whose six X stand before its last `rest` characters;
// `vorlage` then names it. The descriptor, or -1 with errno.
int neue_datei(QString& vorlage, int rest)
{
    QByteArray muster = kodiert(vorlage);
    const int fd = ::mkostemps(muster.data(), rest, O_CLOEXEC);
    if (fd >= 0)
        vorlage = QFile::decodeName(muster);
    return fd;
}

// "<folder>/<name of `ziel`> (<art> XXXXXX)", the name cut short where it is long.
QString neben_name(const QString& ordner, const QString& ziel, const QString& art, const QString& kennzeichen)
{
    QString name = QFileInfo(ziel).fileName();
    if (name.size() > namenslaenge)
        name.truncate(name.at(namenslaenge - 1).isHighSurrogate() ? namenslaenge - 1 : namenslaenge);
    return ordner + QLatin1Char('/') + name + QStringLiteral(" (") + art + QLatin1Char(' ') + kennzeichen + QLatin1Char(')');
}

struct Hinweise
{
    std::mutex mutex;
    QStringList liste;
};

Hinweise& hinweise()
{
    static Hinweise* h = new Hinweise;
    return *h;
}

void merke(const QString& hinweis)
{
    qWarning("%s", qUtf8Printable(hinweis));
    std::lock_guard<std::mutex> sperre(hinweise().mutex);
    hinweise().liste << hinweis;
}

// What tells a file from every other that had or will have its device and inode number: its
// birth time and, where the file system keeps one, its generation. Without a birth time a file
// cannot be told from one made at its place later.
struct Identitaet
{
    quint64 geraet = 0;
    quint64 inode = 0;
    bool mit_geburt = false;
    qint64 geburt_s = 0;
    quint32 geburt_ns = 0;
    bool mit_generation = false;
    quint32 generation = 0;

    // Whether `jetzt` is surely this file.
    bool erkennt(const Identitaet& jetzt) const
    {
        return mit_geburt && jetzt.mit_geburt && geraet == jetzt.geraet && inode == jetzt.inode && geburt_s == jetzt.geburt_s
               && geburt_ns == jetzt.geburt_ns && mit_generation == jetzt.mit_generation && generation == jetzt.generation;
    }
};

// The identity of the open file `fd`, with `info` from fstat.
Identitaet identitaet_von(int fd, const struct stat& info)
{
    Identitaet id;
    id.geraet = quint64(info.st_dev);
    id.inode = quint64(info.st_ino);
    struct statx erweitert;
    if (::statx(fd, "", AT_EMPTY_PATH | AT_STATX_SYNC_AS_STAT, STATX_INO | STATX_BTIME, &erweitert) == 0
        && (erweitert.stx_mask & STATX_BTIME) && erweitert.stx_ino == info.st_ino) {
        id.mit_geburt = true;
        id.geburt_s = erweitert.stx_btime.tv_sec;
        id.geburt_ns = erweitert.stx_btime.tv_nsec;
    }
    // The kernel writes an int; a long takes it whatever the file system writes.
    long generation = 0;
    id.mit_generation = ::ioctl(fd, FS_IOC_GETVERSION, &generation) == 0;
    id.generation = id.mit_generation ? quint32(generation) : 0;
    return id;
}

// What a record holds: which file the old bytes belong to, how many there are, the file's mode and
// group (those its old bytes keep where they are kept beside it), the device and inode of its
// folder at the save (0 0: not known), and where they lie when not beside the record (a record of
// the first form in the user's folder, its copy in the temporary folder).
struct Satz
{
    Identitaet id;
    qint64 laenge = 0;
    // What the write leaves, from the checksums beside the record (none beside an earlier
    // program's): the new length, and the checksum of each piece of the new content (see `summiere`).
    bool mit_summen = false;
    qint64 neue_laenge = 0;
    QByteArray summen;
    mode_t rechte = S_IRUSR | S_IWUSR;
    gid_t gruppe = gid_t(-1);
    QString ziel;
    QString kopie;
    quint64 ordner_geraet = 0;
    quint64 ordner_inode = 0;
};

QByteArray satztext(const Satz& satz)
{
    const Identitaet& id = satz.id;
    return kennung + '\n' + QByteArray::number(id.geraet) + ' ' + QByteArray::number(id.inode) + ' '
           + QByteArray::number(satz.laenge) + ' ' + QByteArray::number(satz.rechte & 07777, 8) + ' '
           + QByteArray::number(quint64(satz.gruppe)) + ' '
           + (id.mit_geburt ? QByteArray::number(id.geburt_s) + '.' + QByteArray::number(id.geburt_ns) : QByteArray("-")) + ' '
           + (id.mit_generation ? QByteArray::number(id.generation) : QByteArray("-")) + ' '
           + QByteArray::number(satz.ordner_geraet) + ' ' + QByteArray::number(satz.ordner_inode) + '\n'
           + kodiert(satz.ziel).toHex() + '\n';
}

QByteArray summentext(const Satz& satz)
{
    return kennung_summen + '\n' + QByteArray::number(satz.neue_laenge) + '\n' + satz.summen.toHex() + '\n';
}

// The numbers of a record's second line in the record's `form`; false where one is missing or no number.
bool lies_zahlen(const QByteArray& zeile, int form, Satz& satz)
{
    const bool erste_form = form == 1;
    const QList<QByteArray> zahlen = zeile.split(' ');
    if (zahlen.size() != (erste_form ? 3 : form == 2 ? 7 : 9))
        return false;
    bool ok[9] = {false, false, false, true, true, true, true, true, true};
    if (form == 3) {
        satz.ordner_geraet = zahlen[7].toULongLong(&ok[7]);
        satz.ordner_inode = zahlen[8].toULongLong(&ok[8]);
    }
    satz.id.geraet = zahlen[0].toULongLong(&ok[0]);
    satz.id.inode = zahlen[1].toULongLong(&ok[1]);
    satz.laenge = zahlen[2].toLongLong(&ok[2]);
    if (!erste_form) {
        satz.rechte = mode_t(zahlen[3].toUInt(&ok[3], 8));
        satz.gruppe = gid_t(zahlen[4].toUInt(&ok[4]));
        const QList<QByteArray> geburt = zahlen[5].split('.');
        satz.id.mit_geburt = zahlen[5] != "-";
        if (satz.id.mit_geburt) {
            bool sekunden = false, nanosekunden = false;
            satz.id.geburt_s = geburt.value(0).toLongLong(&sekunden);
            satz.id.geburt_ns = geburt.value(1).toUInt(&nanosekunden);
            ok[5] = geburt.size() == 2 && sekunden && nanosekunden;
        }
        satz.id.mit_generation = zahlen[6] != "-";
        if (satz.id.mit_generation)
            satz.id.generation = zahlen[6].toUInt(&ok[6]);
    }
    return std::all_of(std::begin(ok), std::end(ok), [](bool b) { return b; }) && satz.laenge >= 0;
}

// Whether the open file `fd` is a regular file of the user's own; `info` from fstat.
bool ist_eigene_datei(int fd, struct stat& info)
{
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

enum class Gelesen { fremd, kaputt, gelesen };

// The lines of the file `name`, read from the descriptor it was opened as; empty where it is not
// the user's own file that no one else may write (a name another account chose in the temporary
// folder), judged on the open file that is read.
QList<QByteArray> lies_eigene(const QString& name)
{
    QFile datei;
    const int fd = ::open(kodiert(name).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat info;
    if (fd < 0 || !ist_eigene_datei(fd, info) || !nur_eigentuemer_darf_schreiben(fd, info)) {
        if (fd >= 0)
            ::close(fd);
        return {};
    }
    // The checksums of a large file's pieces take megabytes.
    return oeffne_auf_deskriptor(datei, fd, QIODevice::ReadOnly) ? datei.readAll().split('\n') : QList<QByteArray>();
}

// The record `name`: `fremd` where it is not the user's own file that no one else may write;
// `kaputt` for a record cut short: the process ended while writing it, before the file changed.
// The checksums beside it are taken where they are whole.
Gelesen lies_satz(const QString& name, Satz& satz)
{
    const QList<QByteArray> zeilen = lies_eigene(name);
    if (zeilen.isEmpty())
        return Gelesen::fremd;
    const int form = zeilen[0] == kennung ? 3 : zeilen[0] == kennung_2 ? 2 : zeilen[0] == kennung_1 ? 1 : 0;
    // Only the first form named a copy that does not lie beside the record.
    if (zeilen.size() != 4 && (zeilen.size() != 5 || form != 1))
        return Gelesen::kaputt;
    if (form == 0 || !zeilen.last().isEmpty() || !lies_zahlen(zeilen[1], form, satz))
        return Gelesen::kaputt;
    satz.ziel = QFile::decodeName(QByteArray::fromHex(zeilen[2]));
    satz.kopie = zeilen.size() == 5 ? QFile::decodeName(QByteArray::fromHex(zeilen[3])) : QString();
    const QList<QByteArray> summen = lies_eigene(summen_von(name));
    bool ok = false;
    satz.neue_laenge = summen.size() == 4 && summen[0] == kennung_summen && summen[3].isEmpty() ? summen[1].toLongLong(&ok) : 0;
    satz.mit_summen = ok && satz.neue_laenge >= 0;
    satz.summen = satz.mit_summen ? QByteArray::fromHex(summen[2]) : QByteArray();
    return !satz.ziel.isEmpty() && (zeilen.size() == 4 || !satz.kopie.isEmpty()) ? Gelesen::gelesen : Gelesen::kaputt;
}

// Made when missing, by the user alone. Empty with errno when it is not the user's own folder.
QString ordner_alter_fassungen(bool anlegen)
{
    const QString daten = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (daten.isEmpty()) {
        errno = ENOENT;
        return QString();
    }
    const QString ordner = daten + QStringLiteral("/Quorbel/alte Fassungen");
    if (anlegen) {
        QDir().mkpath(daten);
        for (const QString& stufe : {daten + QStringLiteral("/Quorbel"), ordner})
            if (::mkdir(kodiert(stufe).constData(), S_IRWXU) != 0 && errno != EEXIST)
                return QString();
    }
    // Never through a link, and never a folder another account may change.
    struct stat info;
    if (::lstat(kodiert(ordner).constData(), &info) != 0)
        return QString();
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid() || (info.st_mode & (S_IWGRP | S_IWOTH))) {
        errno = EACCES;
        return QString();
    }
    return ordner;
}

// The lock that keeps a start's look from taking a copy that is being made, before its own lock is
// taken, for one left behind: `art` LOCK_SH to make one, LOCK_EX to look. Held by another program
// past `sperrfrist` (a program that hangs), it is not waited for: -1 with errno EWOULDBLOCK. Its
// descriptor, or -1.
constexpr int sperrfrist = 10000;

QString sperrdatei(const QString& ordner)
{
    return ordner + QStringLiteral("/.sperre");
}

int sperre(const QString& ordner, int art)
{
    const int fd = ::open(kodiert(sperrdatei(ordner)).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 && !CDateisperre::nimm(fd, art, sperrfrist)) {
        const int fehler = errno;
        ::close(fd);
        errno = fehler;
        return -1;
    }
    return fd;
}

// `text` as the new file `name`, on the disk; nothing is left of one that could not be written whole.
// False with errno.
bool schreibe_neu(const QString& name, const QByteArray& text)
{
    const int fd = ::open(kodiert(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    const ssize_t geschrieben = fd < 0 ? -1 : ::write(fd, text.constData(), std::size_t(text.size()));
    bool ok = geschrieben == text.size() && ::fsync(fd) == 0;
    int fehler = geschrieben >= 0 && geschrieben < text.size() ? ENOSPC : errno;
    if (fd >= 0 && ::close(fd) != 0 && ok) {
        ok = false;
        fehler = errno;
    }
    if (fd >= 0 && !ok)
        ::unlink(kodiert(name).constData());
    errno = fehler;
    return ok;
}

// The record as a new file beside its copy, its checksums beside it, on the disk before the file it
// names changes; nothing is left of one that could not be written whole. In the user's folder they
// are written under the folder's lock (see `sperre`), so that no start finds them cut short while
// they are written; elsewhere (the temporary folder) a start takes no record whose copy's lock a
// write still holds.
bool schreibe_satz(const QString& ordner, bool eigener, const QString& name, const Satz& satz)
{
    const int ordnersperre = eigener ? sperre(ordner, LOCK_SH) : -1;
    // The checksums first: a record is whole only with what it needs beside it.
    const bool summen = (!eigener || ordnersperre >= 0) && (!satz.mit_summen || schreibe_neu(summen_von(name), summentext(satz)));
    const bool ok = summen && schreibe_neu(name, satztext(satz));
    const int fehler = errno;
    if (summen && !ok && satz.mit_summen)
        ::unlink(kodiert(summen_von(name)).constData());
    if (ordnersperre >= 0)
        ::close(ordnersperre);
    errno = fehler;
    return ok;
}

// A new copy in `ordner`, locked by this process, and its `name`; -1 with errno. In the folder of
// the records the folder's lock is held until the copy's own is taken.
int neue_kopie(const QString& ordner, bool eigener, QString& name)
{
    const int ordnersperre = eigener ? sperre(ordner, LOCK_SH) : -1;
    if (eigener && ordnersperre < 0)
        return -1;
    name = ordner + QLatin1Char('/') + praefix + QStringLiteral("XXXXXX") + endung_kopie;
    int fd = neue_datei(name, endung_kopie.size());
    if (fd >= 0 && ::flock(fd, LOCK_EX) != 0) {
        ::unlink(kodiert(name).constData());
        ::close(fd);
        fd = -1;
    }
    const int fehler = errno;
    if (ordnersperre >= 0)
        ::close(ordnersperre);
    errno = fehler;
    return fd;
}

// The `laenge` bytes of `fd` in a new copy in `ordner` (see `neue_kopie`), on the disk: its
// descriptor, or -1 with errno and nothing left behind.
int sichere(const QString& ordner, bool eigener, int fd, off_t laenge, QString& name)
{
    const int kopie = neue_kopie(ordner, eigener, name);
    if (kopie < 0 || (kopiere_bereich(fd, 0, kopie, 0, laenge) && ::fsync(kopie) == 0))
        return kopie;
    const int fehler = errno;
    ::unlink(kodiert(name).constData());
    ::close(kopie);
    errno = fehler;
    return -1;
}

// Whether the open files `a` and `b` hold the same `laenge_a` and `laenge_b` bytes.
bool gleich(int a, off_t laenge_a, int b, off_t laenge_b)
{
    if (laenge_a != laenge_b)
        return false;
    std::vector<char> puffer_a(1 << 16), puffer_b(1 << 16);
    for (off_t ab = 0; ab < laenge_a;) {
        const ssize_t n = ::pread(a, puffer_a.data(), puffer_a.size(), ab);
        if (n <= 0 || ::pread(b, puffer_b.data(), std::size_t(n), ab) != n
            || std::memcmp(puffer_a.data(), puffer_b.data(), std::size_t(n)) != 0)
            return false;
        ab += n;
    }
    return true;
}

// The end of the piece of a write in place that begins at `ab` (see `CAlteFassung::stueckgroesse`):
// the old length `alt`, the new `neu` and an `ende` split pieces too.
off_t stueckende(off_t ab, off_t alt, off_t neu, off_t ende)
{
    off_t bis = (ab / CAlteFassung::stueckgroesse + 1) * CAlteFassung::stueckgroesse;
    for (const off_t grenze : {alt, neu, ende})
        if (grenze > ab && grenze < bis)
            bis = grenze;
    return bis;
}

// The `n` bytes of `fd` from `ab` in `puffer`; false where it ended before or could not be read.
bool lies_stueck(int fd, char* puffer, off_t n, off_t ab)
{
    for (off_t gelesen = 0; gelesen < n;) {
        const ssize_t r = ::pread(fd, puffer + gelesen, std::size_t(n - gelesen), ab + gelesen);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            errno = r == 0 ? EIO : errno;
            return false;
        }
        gelesen += r;
    }
    return true;
}

// A piece's checksum: a collision of its 128 bits comes by no chance, and one made on purpose would
// put back no more than the file's own old bytes. The fastest hash Qt has (SHA-1 hashes several
// times faster than SHA-256 here). A save keeps those of a new content up to 4 GiB (16 MiB of
// them); a larger one gets none, and a start then leaves the file as it is.
constexpr int summenlaenge = 16;
constexpr off_t groesste_summierte = off_t(1) << 32;

QByteArray pruefsumme(const char* daten, off_t n)
{
    return QCryptographicHash::hash(QByteArray::fromRawData(daten, int(n)), QCryptographicHash::Sha1).left(summenlaenge);
}

// The checksums of the pieces of the `neu` bytes of the open file `von` that a write in place puts
// over `alt` bytes, one after the other; false with errno where it could not be read.
bool summiere(int von, off_t alt, off_t neu, QByteArray& summen)
{
    std::vector<char> puffer(std::size_t(CAlteFassung::stueckgroesse));
    for (off_t ab = 0, bis = 0; ab < neu; ab = bis) {
        bis = stueckende(ab, alt, neu, neu);
        if (!lies_stueck(von, puffer.data(), bis - ab, ab))
            return false;
        summen += pruefsumme(puffer.data(), bis - ab);
    }
    return true;
}

// Whether the file `fd`, `jetzt` bytes, still holds what the write of `satz` left when its process
// ended: its length between the old and the new, each piece of it the old bytes' (the copy
// `kopie`) or the new content's (its checksum). Anything else is someone's work since. A record
// without checksums tells nothing.
bool wie_abgebrochen(int fd, off_t jetzt, int kopie, const Satz& satz)
{
    const off_t alt = satz.laenge, neu = satz.neue_laenge;
    if (!satz.mit_summen || jetzt < std::min(alt, neu) || jetzt > std::max(alt, neu))
        return false;
    std::vector<char> datei(std::size_t(CAlteFassung::stueckgroesse)), alte(datei.size());
    // Up to the new length the file's pieces are the new content's, one by one: only one that
    // `jetzt` cuts short is not, and that one can only be old.
    int nummer = 0;
    for (off_t ab = 0, bis = 0; ab < jetzt; ab = bis, ++nummer) {
        bis = stueckende(ab, alt, neu, jetzt);
        if (!lies_stueck(fd, datei.data(), bis - ab, ab))
            return false;
        const bool wie_alt = bis <= alt && lies_stueck(kopie, alte.data(), bis - ab, ab)
                             && std::memcmp(datei.data(), alte.data(), std::size_t(bis - ab)) == 0;
        const bool wie_neu = !wie_alt && ab < neu && bis == stueckende(ab, alt, neu, neu)
                             && satz.summen.mid(nummer * summenlaenge, summenlaenge) == pruefsumme(datei.data(), bis - ab);
        if (!wie_alt && !wie_neu)
            return false;
    }
    return true;
}

// The old bytes of `kopie` (open) written back into the file `fd`, which holds `jetzt` bytes. A full
// disk leaves it as it was; where the write fails once its first bytes changed, what it held (kept
// whole in `vorher`) is written back.
bool stelle_her(int kopie, int fd, off_t jetzt, const Satz& satz, const QString& vorher)
{
    const Ueberschrieben ergebnis = ueberschreibe(kopie, fd, satz.laenge, jetzt);
    if (ergebnis != Ueberschrieben::beschaedigt)
        return ergebnis == Ueberschrieben::ganz;
    const int zuvor = ::open(kodiert(vorher).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat info;
    if (zuvor >= 0 && ist_eigene_datei(zuvor, info))
        (void)ueberschreibe(zuvor, fd, info.st_size, std::max(jetzt, off_t(satz.laenge)));
    if (zuvor >= 0)
        ::close(zuvor);
    return false;
}

// What the file `fd` holds now, `laenge` bytes, kept as the new file `name` before the old bytes
// go over it: it may be a change made since. Written whole under a name of the record's
// (`kennzeichen`) first, so that a start ended meanwhile leaves nothing cut under `name`. False
// when it could not be kept (nothing is left then).
bool behalte_inhalt(int fd, off_t laenge, const QString& name, const QString& kennzeichen)
{
    const QString zwischen = QFileInfo(name).path() + QLatin1Char('/') + kennzeichen + endung_zuletzt;
    const QByteArray z = kodiert(zwischen);
    // Left by a start that ended while writing it: removed only where the open file shows the
    // user's own, never another account's file or link that took the name in the temporary folder.
    if (const int frueher = ::open(z.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC); frueher >= 0) {
        struct stat info;
        if (ist_eigene_datei(frueher, info))
            ::unlink(z.constData());
        ::close(frueher);
    }
    const int kopie = ::open(z.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (kopie < 0)
        return false;
    const bool ok = kopiere_bereich(fd, 0, kopie, 0, laenge) && ::fsync(kopie) == 0;
    if (::close(kopie) != 0 || !ok || !benenne_um(zwischen, name)) {
        ::unlink(z.constData());
        return false;
    }
    return true;
}

// Gives the file `von` a name of its own beside it that no file has: "<name of `ziel`> (<art>
// <mark>)", or with a number added where that is taken (by another account's file, or a file the
// user keeps from an earlier record of the same mark). That name, or empty.
QString benenne_frei(const QString& von, const QString& ziel, const QString& art, const QString& kennzeichen)
{
    for (int nummer = 1; nummer < 10; ++nummer) {
        const QString name = neben_name(QFileInfo(von).path(), ziel, art,
                                        nummer == 1 ? kennzeichen : kennzeichen + QLatin1Char('-') + QString::number(nummer));
        if (benenne_um(von, name))
            return name;
        if (errno != EEXIST)
            break;
    }
    return QString();
}

// Gives the copy `kopie` of the old bytes of `ziel` a name of its own beside it and drops its
// record `satz`; the new name, or empty (the record then stays).
QString behalte_kopie(const QString& kopie, const QString& satz, const QString& ziel)
{
    const QString name = benenne_frei(kopie, ziel, QStringLiteral("alte Fassung"), QFileInfo(kopie).completeBaseName());
    if (!name.isEmpty())
        entferne_satz(satz);
    return name;
}

// The copy at `kopie`, opened and locked: -1 with errno ENOENT when it is gone, EWOULDBLOCK when a
// write still going on holds it, EACCES when it is not the user's.
int nimm_kopie(const QString& kopie)
{
    const int fd = ::open(kodiert(kopie).constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info;
    struct stat jetzt;
    int fehler = EACCES;
    if (ist_eigene_datei(fd, info)) {
        // Another start may have finished with it between the open and the lock, and removed or
        // renamed it: it is taken only while its name still names the file this descriptor holds.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
            fehler = errno;
        else if (::lstat(kodiert(kopie).constData(), &jetzt) == 0 && jetzt.st_dev == info.st_dev && jetzt.st_ino == info.st_ino)
            return fd;
        else
            fehler = ENOENT;
    }
    ::close(fd);
    errno = fehler;
    return -1;
}

// A copy left by a write that the end of its process cut off: its record, and the copy open and
// locked.
struct Rest
{
    QString satzname;
    Satz satz;
    int fd = -1;
};

// The copies of `ordner`'s records that no write holds. In the user's folder (`eigener`), called
// under the folder's lock, what a process left before the file changed (a copy without its whole
// record) is removed. Elsewhere only a whole record the user owns and no one else may write is
// looked at: another account's file of such a name, or one without the record's mark, is neither
// taken nor removed.
std::vector<Rest> sammle_reste(const QString& ordner, bool eigener)
{
    const QDir dir(ordner);
    std::vector<Rest> reste;
    for (const QString& eintrag : dir.entryList({QStringLiteral("*") + endung_satz}, QDir::Files | QDir::Hidden)) {
        Rest rest;
        rest.satzname = dir.filePath(eintrag);
        const Gelesen gelesen = lies_satz(rest.satzname, rest.satz);
        if (!eigener && gelesen != Gelesen::gelesen)
            continue;
        if (gelesen != Gelesen::gelesen || rest.satz.kopie.isEmpty())
            rest.satz.kopie = kopie_von(rest.satzname);
        rest.fd = nimm_kopie(rest.satz.kopie);
        // A record whose copy is gone was left by a process that ended between the two removals,
        // or names one in the temporary folder that went with it (another's file may be there now).
        const bool weg = rest.fd < 0 && (errno == ENOENT || errno == EACCES || errno == ELOOP);
        const bool ganz = gelesen == Gelesen::gelesen;
        if (weg || (rest.fd >= 0 && !ganz))
            entferne_satz(rest.satzname);
        if (rest.fd >= 0 && !ganz)
            ::unlink(kodiert(rest.satz.kopie).constData());
        if (rest.fd >= 0 && ganz)
            reste.push_back(rest);
        else if (rest.fd >= 0)
            ::close(rest.fd);
    }
    // Left by a process that ended before its record was whole (a copy, checksums), by a start that
    // ended while it kept what the file held, whose record a later start or save has dropped since,
    // or by an earlier program, which drops a record without its checksums. In the
    // temporary folder only the user's own files of the program's names, and only an hour after their
    // last change: a save writes its record right after its copy, and a copy just made may not be
    // locked yet.
    const QString anfang = eigener ? QString() : praefix;
    QStringList muster;
    for (const QString& endung : {endung_kopie, endung_zuletzt, endung_summen})
        muster << anfang + QStringLiteral("*") + endung;
    for (const QString& eintrag : dir.entryList(muster, QDir::Files | QDir::Hidden | QDir::System)) {
        const QString kopie = dir.filePath(eintrag);
        struct stat info;
        if (QFileInfo::exists(dir.filePath(QFileInfo(eintrag).completeBaseName() + endung_satz))
            || (!eigener && (::lstat(kodiert(kopie).constData(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()
                             || ::time(nullptr) - info.st_mtime < 3600)))
            continue;
        const int fd = nimm_kopie(kopie);
        if (fd >= 0) {
            ::unlink(kodiert(kopie).constData());
            ::close(fd);
        }
    }
    return reste;
}

// Where what the file of `rest` held instead of the old bytes lies, as "<mark>.vorher" beside the
// record (or beside the copy where that has no room), a name no record but this one uses: kept by
// a start that ended before they were back (it holds what the file held before any was), or else,
// with `behalten`, kept now from `fd` (`laenge` bytes). Empty when none is kept.
QString behalte_zuletzt(const Rest& rest, int fd, off_t laenge, bool behalten)
{
    const QString kennzeichen = QFileInfo(rest.satzname).completeBaseName();
    QStringList namen;
    for (const QString& ort : {QFileInfo(rest.satzname).path(), QFileInfo(rest.satz.kopie).path()})
        namen << ort + QLatin1Char('/') + kennzeichen + QStringLiteral(".vorher");
    namen.removeDuplicates();
    for (const QString& name : qAsConst(namen)) {
        const int frueher = ::open(kodiert(name).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        struct stat info;
        const bool eigene = frueher >= 0 && ist_eigene_datei(frueher, info) && nur_eigentuemer_darf_schreiben(frueher, info);
        if (frueher >= 0)
            ::close(frueher);
        if (eigene)
            return name;
    }
    for (const QString& name : qAsConst(namen))
        if (behalten && behalte_inhalt(fd, laenge, name, kennzeichen))
            return name;
    return QString();
}

// The `laenge` bytes of `von` as the new file `name` in the folder `ordner` (a descriptor), with the
// mode `rechte` and, where the user may give it, the group `gruppe`; nothing of that name is
// touched. False when the bytes could not be kept there whole (nothing is left then).
bool schreibe_neben(int von, off_t laenge, int ordner, const QString& name, mode_t rechte, gid_t gruppe)
{
    const QByteArray pfad = kodiert(QFileInfo(name).fileName());
    const int fd = ::openat(ordner, pfad.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (gruppe != gid_t(-1))
        (void)::fchown(fd, uid_t(-1), gruppe);
    bool ok = kopiere_bereich(von, 0, fd, 0, laenge) && ::fchmod(fd, rechte & 0777) == 0 && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok)
        ::unlinkat(ordner, pfad.constData(), 0);
    return ok;
}

// Keeps the old bytes of `rest`, which are not put back, under a name of their own: beside its
// file in `ordner` (a descriptor of the folder it lay in at the save, or -1) where the user may
// write there, readable as the file was; else in the user's folder; else beside the copy. Copy and
// record go once they are kept. Where they lie.
QString behalte_alte_fassung(const Rest& rest, int ordner)
{
    const Satz& satz = rest.satz;
    const QString kennzeichen = QFileInfo(rest.satzname).completeBaseName();
    const QString eigener = ordner_alter_fassungen(false);
    const int eigener_fd = eigener.isEmpty() || eigener == QFileInfo(satz.kopie).path()
                               ? -1
                               : ::open(kodiert(eigener).constData(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const QString orte[] = {QFileInfo(satz.ziel).path(), eigener};
    const int ordner_fds[] = {ordner, eigener_fd};
    for (int i = 0; i < 2; ++i) {
        const QString name = neben_name(orte[i], satz.ziel, QStringLiteral("alte Fassung"), kennzeichen);
        if (ordner_fds[i] >= 0 && schreibe_neben(rest.fd, satz.laenge, ordner_fds[i], name, i == 0 ? satz.rechte : 0600, satz.gruppe)) {
            ::unlink(kodiert(satz.kopie).constData());
            entferne_satz(rest.satzname);
            if (eigener_fd >= 0)
                ::close(eigener_fd);
            return name;
        }
    }
    if (eigener_fd >= 0)
        ::close(eigener_fd);
    const QString name = behalte_kopie(satz.kopie, rest.satzname, satz.ziel);
    return name.isEmpty() ? satz.kopie : name;
}

// One copy found at a start. Its file, surely the same (see `Identitaet`) and still as the cut left
// it (see `wie_abgebrochen`), gets the old bytes back; what it held instead is kept first under a
// name of its own, and where that finds no room the file stays as it is. Otherwise (the file gone,
// another, one that cannot be told from another, changed since, or not to be written) the file
// is left as it is and the old bytes are kept under a name of their own. The file is reached by a
// walk that follows no other account's link (a colleague's link at its name or on its way could
// lead to any file of the user's), and nothing but a regular file is opened.
void pruefe(const Rest& rest)
{
    const Satz& satz = rest.satz;
    int ordner = -1;
    const int fd = oeffne_ueber_ordner(kodiert(satz.ziel).constData(), O_RDWR, 0, Verweise::nur_eigene, &ordner);
    struct stat info;
    const bool derselbe = fd >= 0 && ::fstat(fd, &info) == 0 && satz.id.erkennt(identitaet_von(fd, info));
    const off_t jetzt = derselbe ? info.st_size : 0;
    bool alt = derselbe && gleich(fd, jetzt, rest.fd, satz.laenge);
    // A colleague's repair since (a copy over it, an editor that rewrites it) is never written over.
    const bool abgebrochen = derselbe && !alt && wie_abgebrochen(fd, jetzt, rest.fd, satz);
    const QString vorher = behalte_zuletzt(rest, fd, jetzt, abgebrochen);
    if (abgebrochen)
        alt = !vorher.isEmpty() && stelle_her(rest.fd, fd, jetzt, satz, vorher);
    if (fd >= 0)
        ::close(fd);
    // Old bytes go beside the file only in the folder it lay in at the save.
    struct stat ordnerinfo;
    if (ordner >= 0 && (::fstat(ordner, &ordnerinfo) != 0 || quint64(ordnerinfo.st_dev) != satz.ordner_geraet
                        || quint64(ordnerinfo.st_ino) != satz.ordner_inode || satz.ordner_inode == 0)) {
        ::close(ordner);
        ordner = -1;
    }
    // The same file not made whole (no room for what it held or for the old bytes, a name taken):
    // copy, record and what it held stay for the next start, which tries again. Otherwise what it held
    // gets a name no file has; where none is free, they stay too.
    const bool nochmal = abgebrochen && !alt;
    const QString zuletzt = vorher.isEmpty() || nochmal ? QString() : benenne_frei(vorher, satz.ziel, QStringLiteral("zuletzt"), QFileInfo(rest.satzname).completeBaseName());
    QString hinweis;
    const QString datei = maskiere_steuerzeichen(satz.ziel);
    // Where the old bytes stay with their record for the next start; what the notice names.
    QString bleibt = nochmal || (!vorher.isEmpty() && zuletzt.isEmpty()) ? satz.kopie : QString();
    QStringList genannt;
    if (alt && bleibt.isEmpty()) {
        ::unlink(kodiert(satz.kopie).constData());
        entferne_satz(rest.satzname);
        hinweis = CAlteFassung::tr("Das Schreiben der Datei %1 wurde unterbrochen; sie hat wieder ihren alten Inhalt.").arg(datei);
    } else if (bleibt.isEmpty()) {
        const QString name = behalte_alte_fassung(rest, ordner);
        if (name == satz.kopie)
            bleibt = name;
        genannt << name;
        hinweis = (fd >= 0 && !derselbe ? CAlteFassung::tr("Das Schreiben der Datei %1 wurde unterbrochen; die Datei, die nun dort "
                                                            "liegt, laesst sich nicht sicher als dieselbe erkennen und bleibt, wie "
                                                            "sie ist. Ihr alter Inhalt liegt in %2.")
                   : derselbe && satz.mit_summen ? CAlteFassung::tr("Das Schreiben der Datei %1 wurde unterbrochen; sie wurde seither "
                                                                    "geaendert und bleibt, wie sie ist. Ihr alter Inhalt liegt in %2.")
                   : derselbe ? CAlteFassung::tr("Das Schreiben der Datei %1 wurde unterbrochen; ob sie seither geaendert wurde, "
                                                 "zeigt sein Vermerk nicht: sie bleibt, wie sie ist. Ihr alter Inhalt liegt in %2.")
                              : CAlteFassung::tr("Das Schreiben der Datei %1 wurde unterbrochen; ihr alter Inhalt liegt in %2."))
                      .arg(datei, maskiere_steuerzeichen(name));
    }
    if (!bleibt.isEmpty()) {
        genannt << bleibt << rest.satzname;
        hinweis = CAlteFassung::tr("Das Schreiben der Datei %1 wurde unterbrochen; ihr alter Inhalt liegt in %2, vermerkt in %3, "
                                   "bis der naechste Start ihn zurueckschreibt oder beiseitelegt.")
                      .arg(datei, maskiere_steuerzeichen(bleibt), maskiere_steuerzeichen(rest.satzname));
    }
    if (ordner >= 0)
        ::close(ordner);
    if (!vorher.isEmpty()) {
        genannt << (zuletzt.isEmpty() ? vorher : zuletzt);
        hinweis += QLatin1Char(' ') + CAlteFassung::tr("Was sie zuletzt enthielt, liegt in %1.").arg(maskiere_steuerzeichen(genannt.last()));
    }
    // A copy there outlives no reboot.
    const QString temp = QDir::tempPath();
    if (std::any_of(genannt.cbegin(), genannt.cend(), [&temp](const QString& ort) { return QFileInfo(ort).path() == temp; }))
        hinweis += QLatin1Char(' ') + CAlteFassung::tr("%1 ist der Ordner fuer voruebergehende Dateien: ein Neustart des Rechners kann "
                                                       "dort alles loeschen.")
                                          .arg(maskiere_steuerzeichen(temp));
    merke(hinweis);
    ::close(rest.fd);
}

// The copies no write holds (see `sammle_reste`): in the user's folder, and in the temporary folder,
// where copy and record lie when the user's folder had no room. The folder's lock is held only while
// the copies' own locks are taken: a save in place of another program, and another start, wait no
// longer than that, however large the files put back. `besetzt` names the folder's lock where
// another program held it past the bound. Without `besetzt` (a save that is done) the lock is not
// taken: the user's folder is then read as the temporary folder is, whole records alone and
// nothing removed, so that a program that hangs holding the lock neither holds the save up a second
// time nor keeps it from retiring the records it makes old.
std::vector<Rest> sammle_alle(QString* besetzt = nullptr)
{
    std::vector<Rest> reste;
    const QString ordner = ordner_alter_fassungen(false);
    const int ordnersperre = ordner.isEmpty() || !besetzt ? -1 : sperre(ordner, LOCK_EX);
    if (ordnersperre >= 0) {
        reste = sammle_reste(ordner, true);
        ::close(ordnersperre);
    } else if (!ordner.isEmpty() && !besetzt) {
        reste = sammle_reste(ordner, false);
    } else if (errno == EWOULDBLOCK && besetzt) {
        *besetzt = CAlteFassung::tr("Die alten Fassungen in %1 wurden nicht geprueft: %2")
                       .arg(maskiere_steuerzeichen(ordner),
                            QCoreApplication::translate("Dateisperre", "Die Sperrdatei %1 haelt ein anderes Programm seit mehr als %2 s")
                                .arg(maskiere_steuerzeichen(sperrdatei(ordner)))
                                .arg(sperrfrist / 1000.0));
    }
    const QString temp = QDir::tempPath();
    if (temp != ordner)
        for (const Rest& rest : sammle_reste(temp, false))
            reste.push_back(rest);
    return reste;
}

// The want of room among `fehler`.
bool kein_platz(int fehler)
{
    return fehler == ENOSPC || fehler == EDQUOT;
}

} // namespace

CAlteFassung::CAlteFassung(const QString& ziel_, int fd, off_t laenge, int neu, off_t neue_laenge)
    : ziel(QFileInfo(ziel_).absoluteFilePath())
{
    const QString ordner = ordner_alter_fassungen(true);
    int fehler_ordner = ordner.isEmpty() ? errno : 0;
    const QString temp = QDir::tempPath();
    struct stat info;
    int fehler = errno;
    Satz satz;
    satz.mit_summen = neue_laenge <= groesste_summierte;
    satz.neue_laenge = neue_laenge;
    if (satz.mit_summen && !summiere(neu, laenge, neue_laenge, satz.summen)) {
        grund = systemfehler(errno);
        return;
    }
    if (::fstat(fd, &info) == 0) {
        satz.id = identitaet_von(fd, info);
        satz.laenge = qint64(laenge);
        satz.rechte = info.st_mode;
        satz.gruppe = info.st_gid;
        satz.ziel = ziel;
        struct stat ordnerinfo;
        if (::stat(kodiert(QFileInfo(ziel).path()).constData(), &ordnerinfo) == 0) {
            satz.ordner_geraet = quint64(ordnerinfo.st_dev);
            satz.ordner_inode = quint64(ordnerinfo.st_ino);
        }
        // Where the user's folder has no room for them, or cannot be had, the old bytes wait in
        // the temporary folder; a copy never lies without its record beside it.
        for (const QString& ort : {ordner, temp}) {
            const bool eigener = ort == ordner;
            if (ort.isEmpty())
                continue;
            if ((kopie = sichere(ort, eigener, fd, laenge, name)) >= 0) {
                if (schreibe_satz(ort, eigener, satz_von(name), satz)) {
                    satzname = satz_von(name);
                    return;
                }
                verwirf();
            }
            if (eigener)
                fehler_ordner = errno;
        }
        fehler = errno;
    }
    if (!ordner.isEmpty() && kein_platz(fehler) && kein_platz(fehler_ordner))
        grund = tr("In den Ordnern %1 und %2 ist kein Platz fuer den alten Inhalt von %3: %4")
                    .arg(maskiere_steuerzeichen(ordner), maskiere_steuerzeichen(temp), maskiere_steuerzeichen(ziel),
                         systemfehler(fehler));
    else
        grund = (kein_platz(fehler) ? tr("Im Ordner %1 ist kein Platz fuer den alten Inhalt von %2: %3")
                                    : tr("Der alte Inhalt von %2 laesst sich im Ordner %1 nicht ablegen: %3"))
                    .arg(maskiere_steuerzeichen(temp), maskiere_steuerzeichen(ziel), systemfehler(fehler));
}

CAlteFassung::~CAlteFassung()
{
    if (kopie >= 0)
        ::close(kopie);
}

void CAlteFassung::verwirf()
{
    const int fehler = errno;
    erledigt();
    if (kopie >= 0)
        ::close(kopie);
    kopie = -1;
    errno = fehler;
}

void CAlteFassung::erledigt()
{
    if (!satzname.isEmpty())
        entferne_satz(satzname);
    if (!name.isEmpty())
        ::unlink(kodiert(name).constData());
    satzname.clear();
    name.clear();
}

void CAlteFassung::ersetzt(int fd)
{
    erledigt();
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return;
    const Identitaet id = identitaet_von(fd, info);
    for (const Rest& rest : sammle_alle()) {
        if (rest.satz.id.erkennt(id)) {
            // What a start ended meanwhile had kept of the file stays the user's, under a name of its own
            // where one is free, else under its mark. The record goes either way: the next start would
            // take what was kept for what the file held, and write the old bytes over this save.
            const QString vorher = behalte_zuletzt(rest, -1, 0, false);
            if (!vorher.isEmpty())
                (void)benenne_frei(vorher, ziel, QStringLiteral("zuletzt"), QFileInfo(rest.satzname).completeBaseName());
            ::unlink(kodiert(rest.satz.kopie).constData());
            entferne_satz(rest.satzname);
        }
        ::close(rest.fd);
    }
}

QString CAlteFassung::gib_auf()
{
    if (name.isEmpty())
        return QString();
    const QString behalten = behalte_kopie(name, satzname, ziel);
    if (behalten.isEmpty())
        return name;
    name.clear();
    satzname.clear();
    return behalten;
}

QString gib_ordner_alter_fassungen()
{
    return ordner_alter_fassungen(true);
}

void stelle_alte_fassungen_wieder_her()
{
    QString besetzt;
    for (const Rest& rest : sammle_alle(&besetzt))
        pruefe(rest);
    if (!besetzt.isEmpty())
        merke(besetzt);
}

QStringList nimm_hinweise_alter_fassungen()
{
    std::lock_guard<std::mutex> sperre(hinweise().mutex);
    QStringList liste;
    liste.swap(hinweise().liste);
    return liste;
}

Q_COREAPP_STARTUP_FUNCTION(stelle_alte_fassungen_wieder_her)
