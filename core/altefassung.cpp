#include "altefassung.h"

#include "dateien.h"
#include "steuerzeichen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The first line of a record: files in the folder without it are not the program's.
const QByteArray kennung = QByteArrayLiteral("Quorbel alte Fassung 1");
// A copy is "<6 characters>.alt", its record "<6 characters>.ziel".
const QString endung_kopie = QStringLiteral(".alt");
const QString endung_satz = QStringLiteral(".ziel");

QString systemfehler(int nummer)
{
    return QString::fromLocal8Bit(std::strerror(nummer));
}

QByteArray kodiert(const QString& pfad)
{
    return QFile::encodeName(pfad);
}

QString satz_von(const QString& kopie)
{
    return kopie.left(kopie.size() - endung_kopie.size()) + endung_satz;
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

// What a record holds: which file the old bytes belong to, and how many there are.
struct Satz
{
    quint64 geraet = 0;
    quint64 inode = 0;
    qint64 laenge = 0;
    QString ziel;
};

QByteArray satztext(const Satz& satz)
{
    return kennung + '\n' + QByteArray::number(satz.geraet) + ' ' + QByteArray::number(satz.inode) + ' '
           + QByteArray::number(satz.laenge) + '\n' + kodiert(satz.ziel).toHex() + '\n';
}

// False for a record cut short: the process ended while writing it, before the file changed.
bool lies_satz(const QString& name, Satz& satz)
{
    std::string text;
    if (!lies_datei(kodiert(name).toStdString(), text, 1 << 16))
        return false;
    const QList<QByteArray> zeilen = QByteArray::fromStdString(text).split('\n');
    if (zeilen.size() != 4 || zeilen[0] != kennung || !zeilen[3].isEmpty())
        return false;
    const QList<QByteArray> zahlen = zeilen[1].split(' ');
    bool ok[3] = {false, false, false};
    if (zahlen.size() == 3) {
        satz.geraet = zahlen[0].toULongLong(&ok[0]);
        satz.inode = zahlen[1].toULongLong(&ok[1]);
        satz.laenge = zahlen[2].toLongLong(&ok[2]);
    }
    satz.ziel = QFile::decodeName(QByteArray::fromHex(zeilen[2]));
    return ok[0] && ok[1] && ok[2] && satz.laenge >= 0 && !satz.ziel.isEmpty();
}

// The record as a new file, on the disk before the file it names changes.
bool schreibe_satz(const QString& name, const Satz& satz)
{
    const int fd = ::open(kodiert(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const QByteArray text = satztext(satz);
    const bool ok = ::write(fd, text.constData(), std::size_t(text.size())) == text.size() && ::fsync(fd) == 0;
    const int fehler = errno;
    ::close(fd);
    errno = fehler;
    return ok;
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
// taken, for one left behind: `art` LOCK_SH to make one, LOCK_EX to look. Its descriptor, or -1.
int sperre(const QString& ordner, int art)
{
    const int fd = ::open(kodiert(ordner + QStringLiteral("/.sperre")).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 && ::flock(fd, art) != 0) {
        const int fehler = errno;
        ::close(fd);
        errno = fehler;
        return -1;
    }
    return fd;
}

// A new copy in `ordner`, locked by this process, and its `name`; -1 with errno.
int neue_kopie(const QString& ordner, QString& name)
{
    const int ordnersperre = sperre(ordner, LOCK_SH);
    if (ordnersperre < 0)
        return -1;
    QByteArray muster = kodiert(ordner + QStringLiteral("/XXXXXX") + endung_kopie);
    int fd = ::mkostemps(muster.data(), endung_kopie.size(), O_CLOEXEC);
    if (fd >= 0 && ::flock(fd, LOCK_EX) != 0) {
        ::unlink(muster.constData());
        ::close(fd);
        fd = -1;
    }
    const int fehler = errno;
    ::close(ordnersperre);
    errno = fehler;
    if (fd >= 0)
        name = QFile::decodeName(muster);
    return fd;
}

// The old bytes of `kopie` (open) written back into the file the record names, when it is still
// that file.
bool stelle_her(int kopie, const Satz& satz)
{
    const int fd = oeffne_regulaere_datei(kodiert(satz.ziel).constData(), O_RDWR);
    struct stat info;
    const bool ok = fd >= 0 && ::fstat(fd, &info) == 0 && quint64(info.st_dev) == satz.geraet
                    && quint64(info.st_ino) == satz.inode && kopiere_bereich(kopie, 0, fd, 0, satz.laenge)
                    && ::ftruncate(fd, satz.laenge) == 0 && ::fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    return ok;
}

// Gives the copy `kopie` of the old bytes of `ziel` a name of its own beside it and drops its
// record; the new name, or empty (the record then stays).
QString behalte_kopie(const QString& kopie, const QString& ziel)
{
    const QFileInfo info(kopie);
    const QString name = info.path() + QLatin1Char('/') + QFileInfo(ziel).fileName() + QStringLiteral(" (alte Fassung ")
                         + info.completeBaseName() + QLatin1Char(')');
    if (::rename(kodiert(kopie).constData(), kodiert(name).constData()) != 0)
        return QString();
    ::unlink(kodiert(satz_von(kopie)).constData());
    return name;
}

// One copy found at a start: put back, kept under its own name, or dropped when the write it
// guarded never began. A copy whose lock is held belongs to a write still going on.
void pruefe_kopie(const QString& kopie)
{
    const int fd = ::open(kodiert(kopie).constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return;
    }
    Satz satz;
    if (!lies_satz(satz_von(kopie), satz)) {
        ::unlink(kodiert(satz_von(kopie)).constData());
        ::unlink(kodiert(kopie).constData());
    } else if (stelle_her(fd, satz)) {
        ::unlink(kodiert(satz_von(kopie)).constData());
        ::unlink(kodiert(kopie).constData());
        merke(CAlteFassung::tr("Das Schreiben der Datei %1 wurde unterbrochen; sie hat wieder ihren alten Inhalt.")
                  .arg(maskiere_steuerzeichen(satz.ziel)));
    } else {
        const QString name = behalte_kopie(kopie, satz.ziel);
        merke(CAlteFassung::tr("Das Schreiben der Datei %1 wurde unterbrochen; ihr alter Inhalt liegt in %2.")
                  .arg(maskiere_steuerzeichen(satz.ziel), maskiere_steuerzeichen(name.isEmpty() ? kopie : name)));
    }
    ::close(fd);
}

} // namespace

CAlteFassung::CAlteFassung(const QString& ziel_, int fd, off_t laenge) : ziel(ziel_)
{
    const QString ordner = ordner_alter_fassungen(true);
    struct stat info;
    if (!ordner.isEmpty() && (kopie = neue_kopie(ordner, name)) >= 0 && ::fstat(fd, &info) == 0
        && kopiere_bereich(fd, 0, kopie, 0, laenge) && ::fsync(kopie) == 0
        && schreibe_satz(satz_von(name), {quint64(info.st_dev), quint64(info.st_ino), qint64(laenge), ziel}))
        return;
    const int fehler = errno;
    const QString wo = maskiere_steuerzeichen(ordner.isEmpty() ? QStringLiteral("Quorbel/alte Fassungen") : ordner);
    grund = fehler == ENOSPC || fehler == EDQUOT
                ? tr("Im Ordner %1 ist kein Platz fuer den alten Inhalt von %2: %3")
                : tr("Der alte Inhalt von %2 laesst sich im Ordner %1 nicht ablegen: %3");
    grund = grund.arg(wo, maskiere_steuerzeichen(ziel), systemfehler(fehler));
    erledigt();
}

CAlteFassung::~CAlteFassung()
{
    if (kopie >= 0)
        ::close(kopie);
}

void CAlteFassung::erledigt()
{
    if (!name.isEmpty()) {
        ::unlink(kodiert(satz_von(name)).constData());
        ::unlink(kodiert(name).constData());
        name.clear();
    }
}

QString CAlteFassung::gib_auf()
{
    const QString behalten = name.isEmpty() ? QString() : behalte_kopie(name, ziel);
    if (!behalten.isEmpty())
        name.clear();
    return behalten;
}

QString gib_ordner_alter_fassungen()
{
    return ordner_alter_fassungen(true);
}

void stelle_alte_fassungen_wieder_her()
{
    const QString ordner = ordner_alter_fassungen(false);
    if (ordner.isEmpty())
        return;
    const int ordnersperre = sperre(ordner, LOCK_EX);
    if (ordnersperre < 0)
        return;
    const QDir dir(ordner);
    for (const QString& kopie : dir.entryList({QStringLiteral("*") + endung_kopie}, QDir::Files | QDir::Hidden | QDir::System))
        pruefe_kopie(dir.filePath(kopie));
    // A record whose copy is gone was left by a process that ended between the two removals.
    for (const QString& satz : dir.entryList({QStringLiteral("*") + endung_satz}, QDir::Files | QDir::Hidden))
        if (!QFileInfo::exists(dir.filePath(satz.left(satz.size() - endung_satz.size()) + endung_kopie)))
            ::unlink(kodiert(dir.filePath(satz)).constData());
    ::close(ordnersperre);
}

QStringList nimm_hinweise_alter_fassungen()
{
    std::lock_guard<std::mutex> sperre(hinweise().mutex);
    QStringList liste;
    liste.swap(hinweise().liste);
    return liste;
}

Q_COREAPP_STARTUP_FUNCTION(stelle_alte_fassungen_wieder_her)
