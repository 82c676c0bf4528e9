#include "dateien.h"
#include "altefassung.h"
#include "eigentum.h"
#include "steuerzeichen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCursor>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <memory>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>

#if defined(__SANITIZE_THREAD__)
extern "C" void __sanitizer_syscall_pre_impl_close(long fd);
#endif

namespace {

const int kopfgroesse = 1000;
const qint64 blockgroesse = 60000;

// The wait cursor and the event loop between blocks belong to the GUI thread only.
class Wartezeit
{
public:
    explicit Wartezeit(bool gewuenscht)
    {
        QCoreApplication* anwendung = QCoreApplication::instance();
        aktiv = gewuenscht && anwendung && QThread::currentThread() == anwendung->thread();
        cursor = aktiv && qobject_cast<QGuiApplication*>(anwendung);
        if (cursor)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~Wartezeit()
    {
        if (cursor)
            QGuiApplication::restoreOverrideCursor();
    }
    Wartezeit(const Wartezeit&) = delete;
    Wartezeit& operator=(const Wartezeit&) = delete;

    void lass_laufen() const
    {
        if (aktiv)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    bool aktiv = false;
    bool cursor = false;
};

// Closes the descriptor when the block is left, whichever way.
class Deskriptor
{
public:
    explicit Deskriptor(int f) : fd(f) {}
    ~Deskriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Deskriptor(const Deskriptor&) = delete;
    Deskriptor& operator=(const Deskriptor&) = delete;
    int gib() const { return fd; }
    bool schliesse()
    {
        const int f = fd;
        fd = -1;
        return ::close(f) == 0;
    }

private:
    int fd;
};

// The folder part of a name without links ("/" for a file at the root).
std::string ordner_von(const std::string& name)
{
    const std::size_t strich = name.rfind('/');
    return strich == std::string::npos ? std::string(".") : (strich == 0 ? std::string("/") : name.substr(0, strich));
}

// Whether the file `name` (without links), with `info` from it, may be opened for writing: never
// another account's file in a sticky folder others may write. False with errno EACCES.
bool darf_beschreiben(const std::string& name, const struct stat& info)
{
    struct stat ordner;
    if (::stat(ordner_von(name).c_str(), &ordner) != 0)
        return false;
    if (!ist_fremd_im_geteilten_ordner(ordner, info))
        return true;
    errno = EACCES;
    return false;
}

// `pfad` resolved link by link as the kernel resolves it: each relative link from the folder it
// really lies in, at most 40 links. A link that another account planted in a sticky folder others
// may write is not followed (see `ist_fremd_im_geteilten_ordner`): the result is then empty and
// `verweigert` names the link. A missing last part gives the file it would make; `pfad` itself
// when a folder on the way is missing or the links go round.
std::string loese_auf(const std::string& pfad, std::string& verweigert)
{
    if (pfad.empty())
        return pfad;
    std::string rest = pfad;
    std::string fertig;
    if (pfad.front() != '/') {
        char* hier = ::getcwd(nullptr, 0);
        if (!hier)
            return pfad;
        fertig = std::strcmp(hier, "/") == 0 ? std::string() : std::string(hier);
        std::free(hier);
    }
    int verweise = 0;
    while (!rest.empty()) {
        const std::size_t anfang = rest.find_first_not_of('/');
        if (anfang == std::string::npos)
            break;
        const std::size_t ende = rest.find('/', anfang);
        const std::string teil = rest.substr(anfang, ende == std::string::npos ? std::string::npos : ende - anfang);
        rest = ende == std::string::npos ? std::string() : rest.substr(ende);
        if (teil == ".")
            continue;
        if (teil == "..") {
            fertig.erase(std::min(fertig.size(), fertig.rfind('/')));
            continue;
        }
        const std::string name = fertig + '/' + teil;
        struct stat info;
        if (::lstat(name.c_str(), &info) != 0)
            return rest.find_first_not_of('/') == std::string::npos ? name : pfad;
        if (!S_ISLNK(info.st_mode)) {
            fertig = name;
            continue;
        }
        struct stat ordner;
        if (++verweise > 40 || ::stat(fertig.empty() ? "/" : fertig.c_str(), &ordner) != 0)
            return pfad;
        if (ist_fremd_im_geteilten_ordner(ordner, info)) {
            verweigert = name;
            return std::string();
        }
        char ziel[PATH_MAX];
        const ssize_t laenge = ::readlink(name.c_str(), ziel, sizeof ziel);
        if (laenge <= 0 || laenge == static_cast<ssize_t>(sizeof ziel))
            return pfad;
        rest = std::string(ziel, std::size_t(laenge)) + '/' + rest;
        if (ziel[0] == '/')
            fertig.clear();
    }
    return fertig.empty() ? std::string("/") : fertig;
}

} // namespace

int oeffne_regulaere_datei(const char* pfad, int modus, unsigned rechte)
{
    return oeffne_ueber_ordner(pfad, modus, rechte, Verweise::geteilt);
}

bool oeffne_regulaere_datei(QFile& datei, QIODevice::OpenMode modus, int weitere)
{
    // The flags QFile itself derives from an open mode.
    if (modus & QIODevice::Append)
        modus |= QIODevice::WriteOnly;
    int flags = O_RDONLY;
    if ((modus & QIODevice::ReadWrite) == QIODevice::ReadWrite)
        flags = O_RDWR;
    else if (modus & QIODevice::WriteOnly)
        flags = O_WRONLY;
    if ((modus & QIODevice::WriteOnly) && !(modus & QIODevice::ExistingOnly))
        flags |= O_CREAT;
    if (modus & QIODevice::NewOnly)
        flags |= O_CREAT | O_EXCL;
    if (modus & QIODevice::Append)
        flags |= O_APPEND;
    else if ((modus & QIODevice::WriteOnly) && ((modus & QIODevice::Truncate) || !(modus & QIODevice::ReadOnly)))
        flags |= O_TRUNC;
    const int fd = oeffne_regulaere_datei(QFile::encodeName(datei.fileName()).constData(), flags | weitere);
    return fd >= 0 && oeffne_auf_deskriptor(datei, fd, modus);
}

bool oeffne_auf_deskriptor(QFile& datei, int fd, QIODevice::OpenMode modus)
{
    if (!datei.open(fd, modus, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        errno = EBADF;
        return false;
    }
#if defined(__SANITIZE_THREAD__)
    // ThreadSanitizer is told to ignore what Qt calls, so it would not see Qt close the
    // descriptor: the next thread that got its number took our last look at it for a race.
    // It is told of the close just before Qt makes it.
    auto verbindung = std::make_shared<QMetaObject::Connection>();
    *verbindung = QObject::connect(&datei, &QIODevice::aboutToClose, [fd, verbindung] {
        __sanitizer_syscall_pre_impl_close(fd);
        QObject::disconnect(*verbindung);
    });
#endif
    return true;
}

bool ist_datei(const QString& pfad)
{
    struct stat info;
    return !pfad.isEmpty() && ::stat(QFile::encodeName(pfad).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

bool lies_datei(const std::string& pfad, std::string& inhalt, std::size_t hoechstens)
{
    Deskriptor datei(oeffne_regulaere_datei(pfad.c_str(), O_RDONLY));
    if (datei.gib() < 0)
        return false;
    std::string gelesen;
    char puffer[65536];
    for (;;) {
        const ssize_t n = ::read(datei.gib(), puffer, sizeof puffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (static_cast<std::size_t>(n) > hoechstens - gelesen.size()) {
            errno = EFBIG;
            return false;
        }
        gelesen.append(puffer, static_cast<std::size_t>(n));
    }
    inhalt.swap(gelesen);
    return true;
}

bool haenge_an_datei(const std::string& pfad, const std::string& daten, int weitere)
{
    Deskriptor datei(oeffne_regulaere_datei(pfad.c_str(), O_WRONLY | O_APPEND | O_CREAT | weitere));
    if (datei.gib() < 0)
        return false;
    std::size_t geschrieben = 0;
    while (geschrieben < daten.size()) {
        const ssize_t n = ::write(datei.gib(), daten.data() + geschrieben, daten.size() - geschrieben);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        geschrieben += static_cast<std::size_t>(n);
    }
    return datei.schliesse();
}

QString systemfehler(int nummer)
{
    return QString::fromLocal8Bit(std::strerror(nummer));
}

QString mit_systemfehler(const QString& text, int nummer)
{
    return text + QLatin1String(": ") + systemfehler(nummer);
}

namespace {

// A file refused before any open, with the reason as its error text.
class AbgewieseneDatei : public QFile
{
public:
    AbgewieseneDatei(const QString& pfad, const QString& grund) : QFile(pfad) { setErrorString(grund); }
};

// A write that the file system takes only in part (a full disk takes what fits) returns what it
// took, and Qt keeps no reason for the rest, so that the failure read "Unknown error". The rest
// is written again at once: that write fails with the system's own reason (no room, the
// file-size limit), which the device then names.
template <typename Datei>
class GanzSchreibend : public Datei
{
public:
    using Datei::Datei;

protected:
    qint64 writeData(const char* daten, qint64 anzahl) override
    {
        qint64 geschrieben = 0;
        while (geschrieben < anzahl) {
            const qint64 teil = Datei::writeData(daten + geschrieben, anzahl - geschrieben);
            if (teil <= 0)
                return -1;
            geschrieben += teil;
        }
        return geschrieben;
    }
};

// The content of a file that is written in place: it is gathered in the temporary folder first,
// and `beende_ganz` writes it into `ziel` only when it is whole.
class AnOrtDatei : public GanzSchreibend<QTemporaryFile>
{
public:
    explicit AnOrtDatei(const QString& ziel_)
        : GanzSchreibend<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/XXXXXX")), ziel(ziel_)
    {
    }
    bool oeffne(QIODevice::OpenMode zusatz) { return QTemporaryFile::open(QIODevice::ReadWrite | zusatz); }
    // Why the content could not be gathered, with the folder: Qt names no reason for a write that
    // the file system took only in part, as a full one does.
    QString grund() const
    {
        const QString ordner = QFileInfo(fileName()).path();
        struct statvfs platz;
        const bool voll = ::statvfs(QFile::encodeName(ordner).constData(), &platz) == 0
                          && (::geteuid() == 0 ? platz.f_bfree : platz.f_bavail) == 0;
        return QCoreApplication::translate("Dateien", "Die neue Fassung von %1 laesst sich im Ordner %2 nicht ablegen: %3")
            .arg(maskiere_steuerzeichen(ziel), maskiere_steuerzeichen(ordner), voll ? systemfehler(ENOSPC) : errorString());
    }

    const QString ziel;
};

// The names in a list of extended attributes (each ends with a zero byte). False when the list
// could not be read; a file system without attributes has none.
bool attributnamen(const std::function<ssize_t(char*, std::size_t)>& liste, QList<QByteArray>& namen)
{
    QByteArray text;
    for (;;) {
        const ssize_t groesse = liste(nullptr, 0);
        if (groesse < 0)
            return errno == ENOTSUP;
        text.resize(int(groesse));
        const ssize_t n = liste(text.data(), std::size_t(text.size()));
        if (n >= 0) {
            text.truncate(int(n));
            break;
        }
        if (errno != ERANGE)
            return false;
    }
    namen = text.split('\0');
    namen.removeAll(QByteArray());
    return true;
}

// Every extended attribute of `quelle` (the access control list is one) onto `fd`; those `fd`
// has beyond them go (a new file takes a list from its folder's default list).
bool kopiere_attribute(const QByteArray& quelle, int fd)
{
    QList<QByteArray> alt;
    QList<QByteArray> neu;
    if (!attributnamen([&](char* p, std::size_t n) { return ::listxattr(quelle.constData(), p, n); }, alt)
        || !attributnamen([&](char* p, std::size_t n) { return ::flistxattr(fd, p, n); }, neu))
        return false;
    bool ok = true;
    for (const QByteArray& name : qAsConst(neu))
        if (!alt.contains(name))
            ok = ::fremovexattr(fd, name.constData()) == 0 && ok;
    for (const QByteArray& name : qAsConst(alt)) {
        const ssize_t groesse = ::getxattr(quelle.constData(), name.constData(), nullptr, 0);
        QByteArray wert(int(std::max<ssize_t>(groesse, 0)), '\0');
        ok = groesse >= 0 && ::getxattr(quelle.constData(), name.constData(), wert.data(), wert.size()) == groesse
             && ::fsetxattr(fd, name.constData(), wert.constData(), wert.size(), 0) == 0 && ok;
    }
    return ok;
}

} // namespace

bool kopiere_bereich(int von, off_t ab_von, int nach, off_t ab_nach, off_t anzahl)
{
    std::vector<char> puffer(std::size_t(std::min<off_t>(anzahl, 1 << 16)));
    for (off_t kopiert = 0; kopiert < anzahl;) {
        const ssize_t gelesen = ::pread(von, puffer.data(), std::size_t(std::min<off_t>(anzahl - kopiert, off_t(puffer.size()))),
                                        ab_von + kopiert);
        if (gelesen < 0 && errno == EINTR)
            continue;
        if (gelesen <= 0) {
            if (gelesen == 0)
                errno = EIO;
            return false;
        }
        for (ssize_t geschrieben = 0; geschrieben < gelesen;) {
            const ssize_t n = ::pwrite(nach, puffer.data() + geschrieben, std::size_t(gelesen - geschrieben),
                                       ab_nach + kopiert + geschrieben);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            geschrieben += n;
        }
        kopiert += gelesen;
    }
    return true;
}

QString echter_pfad(const QString& pfad, QString* fehler)
{
    std::string verweigert;
    const std::string echt = loese_auf(QFile::encodeName(pfad).toStdString(), verweigert);
    if (!verweigert.empty() && fehler)
        *fehler = QCoreApplication::translate("Dateien", "%1 ist ein Link eines anderen Kontos in einem geteilten Ordner: "
                                                         "ihm wird nicht gefolgt")
                      .arg(maskiere_steuerzeichen(QFile::decodeName(verweigert.c_str())));
    return QFile::decodeName(QByteArray::fromStdString(echt));
}

QString schreibziel(const QString& pfad, QString& fehler)
{
    fehler.clear();
    const QString echt = echter_pfad(pfad, &fehler);
    const std::string name = QFile::encodeName(echt).toStdString();
    struct stat info;
    // Any entry of another account's, not only a file: a writer that renames its new file over
    // the name (Qt's settings) would replace its pipe or device.
    if (!fehler.isEmpty() || ::lstat(name.c_str(), &info) != 0 || darf_beschreiben(name, info))
        return fehler.isEmpty() ? echt : QString();
    fehler = QCoreApplication::translate("Dateien", "%1 gehoert einem anderen Konto und liegt in einem geteilten Ordner: "
                                                    "sie wird nicht beschrieben")
                 .arg(maskiere_steuerzeichen(echt));
    return QString();
}

bool ist_schreibbar(const QString& ziel)
{
    return ist_datei(ziel) && ::faccessat(AT_FDCWD, QFile::encodeName(ziel).constData(), W_OK, AT_EACCESS) == 0;
}

bool bereite_ersatz_vor(const QString& ziel, int fd)
{
    const QByteArray name = QFile::encodeName(ziel);
    struct stat alt;
    struct stat neu;
    if (::stat(name.constData(), &alt) != 0 || ::fstat(fd, &neu) != 0)
        return true;
    bool behalten = true;
    if (alt.st_uid != neu.st_uid || alt.st_gid != neu.st_gid) {
        // Another user's file: at least its group, where this user is one of it.
        behalten = ::fchown(fd, alt.st_uid, alt.st_gid) == 0;
        if (!behalten)
            (void)::fchown(fd, uid_t(-1), alt.st_gid);
    }
    behalten = kopiere_attribute(name, fd) && behalten;
    // Last: a change of owner drops the set-id bits, and the mode agrees with the access list.
    behalten = ::fchmod(fd, alt.st_mode & 07777) == 0 && behalten;
    return behalten || alt.st_nlink != 1 || !ist_schreibbar(ziel);
}

Ueberschrieben ueberschreibe(int von, int fd, off_t laenge, off_t alt)
{
    // The growth's writes end where a piece ends, as those over the file's start do (see
    // `CAlteFassung::stueckgroesse`): up to the first piece's end, then in whole pieces.
    const off_t kopf = std::min(laenge, (alt / CAlteFassung::stueckgroesse + 1) * CAlteFassung::stueckgroesse);
    if (laenge > alt && !(kopiere_bereich(von, alt, fd, alt, kopf - alt) && kopiere_bereich(von, kopf, fd, kopf, laenge - kopf))) {
        const int grund = errno;
        const bool zurueck = ::ftruncate(fd, alt) == 0;
        errno = grund;
        return zurueck ? Ueberschrieben::unberuehrt : Ueberschrieben::laenger;
    }
    if (kopiere_bereich(von, 0, fd, 0, std::min(laenge, alt)) && (laenge >= alt || ::ftruncate(fd, laenge) == 0) && ::fsync(fd) == 0)
        return Ueberschrieben::ganz;
    return Ueberschrieben::beschaedigt;
}

QString schreibe_an_ort(const QString& ziel, int neu)
{
    QString fehler;
    if (schreibziel(ziel, fehler).isEmpty() && !fehler.isEmpty())
        return fehler;
    Deskriptor datei(oeffne_regulaere_datei(QFile::encodeName(ziel).constData(), O_RDWR));
    struct stat quelle;
    struct stat info;
    if (datei.gib() < 0 || ::fstat(neu, &quelle) != 0 || ::fstat(datei.gib(), &info) != 0)
        return systemfehler(errno);
    const int fd = datei.gib();
    const off_t laenge = quelle.st_size;
    const off_t alt = info.st_size;
    // The old bytes where they outlive this process: should it end before the file is whole again,
    // the next start of a program puts them back.
    CAlteFassung sicherung(ziel, fd, alt, neu, laenge);
    if (!sicherung.fehler().isEmpty())
        return sicherung.fehler();
    const Ueberschrieben ergebnis = ueberschreibe(neu, fd, laenge, alt);
    const int grund = errno;
    if (ergebnis == Ueberschrieben::ganz) {
        sicherung.ersetzt(fd);
        return datei.schliesse() ? QString() : systemfehler(errno);
    }
    if (ergebnis != Ueberschrieben::beschaedigt) {
        sicherung.erledigt();
        return ergebnis == Ueberschrieben::unberuehrt
                   ? systemfehler(grund)
                   : QCoreApplication::translate("Dateien", "%1; die Datei %2 ist nun laenger als zuvor")
                         .arg(systemfehler(grund), maskiere_steuerzeichen(ziel));
    }
    if (ueberschreibe(sicherung.handle(), fd, alt, std::max(laenge, alt)) == Ueberschrieben::ganz) {
        sicherung.erledigt();
        return systemfehler(grund);
    }
    const QString kopie = sicherung.gib_auf();
    return QCoreApplication::translate("Dateien", "%1; die alte Fassung von %2 liess sich nicht zurueckschreiben: die Datei "
                                                  "ist beschaedigt, ihr alter Inhalt liegt in %3")
        .arg(systemfehler(grund), maskiere_steuerzeichen(ziel), maskiere_steuerzeichen(kopie));
}

std::unique_ptr<QFileDevice> oeffne_ganz(const QString& pfad, QIODevice::OpenMode zusatz)
{
    QString fehler;
    const QString ziel = schreibziel(pfad, fehler);
    if (!fehler.isEmpty())
        return std::make_unique<AbgewieseneDatei>(pfad, fehler);
    // A device or a pipe is neither replaced by a file (that would take it from everyone else)
    // nor waited for: it counts as a file that cannot be opened, as for every other open.
    const QFileInfo info(ziel);
    if (info.exists() && !info.isDir() && !info.isFile())
        return std::make_unique<AbgewieseneDatei>(pfad, systemfehler(EINVAL));
    auto datei = std::make_unique<GanzSchreibend<QSaveFile>>(ziel);
    if (datei->open(QIODevice::WriteOnly | zusatz)) {
        if (bereite_ersatz_vor(ziel, datei->handle()))
            return datei;
    } else if (!ist_schreibbar(ziel)) {
        return datei;
    }
    // A new file would not keep what the old one has, or none may be added beside it.
    auto an_ort = std::make_unique<AnOrtDatei>(ziel);
    if (!an_ort->oeffne(zusatz))
        return std::make_unique<AbgewieseneDatei>(pfad, an_ort->errorString());
    return an_ort;
}

bool schreibe_puffer(QFileDevice& datei)
{
    // The last buffered bytes are written only by this flush, and only it tells of their failure.
    // A write cut short (the file system took a part) ends without the system's reason: one more
    // attempt at the rest names it.
    bool geflusht = datei.isOpen() && datei.flush();
    if (!geflusht && datei.isOpen())
        geflusht = datei.flush();
    return geflusht && datei.error() == QFileDevice::NoError;
}

// Gives the file `von` the name `nach` only where no file has that name: a plain rename by root
// replaces another account's file of that name, in a sticky folder too. False with errno (EEXIST
// where the name is taken). A file system without the kernel's rename that replaces nothing (NFS)
// takes a second name, which replaces nothing either, and the first goes.
bool benenne_um(const QString& von, const QString& nach)
{
    const QByteArray alt = QFile::encodeName(von), neu = QFile::encodeName(nach);
    if (::renameat2(AT_FDCWD, alt.constData(), AT_FDCWD, neu.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if ((errno != EINVAL && errno != ENOSYS) || ::link(alt.constData(), neu.constData()) != 0)
        return false;
    (void)::unlink(alt.constData());
    return true;
}

QString lege_beiseite(const QString& pfad)
{
    // Behind a link the file it names: a second link to the link would follow the rewritten file.
    const QByteArray quelle = QFile::encodeName(echter_pfad(pfad));
    for (int nummer = 1; nummer < 1000; ++nummer) {
        const QString name = pfad + QStringLiteral(".beschaedigt")
                             + (nummer == 1 ? QString() : QStringLiteral("-%1").arg(nummer));
        struct stat neben;
        if (::lstat(QFile::encodeName(name).constData(), &neben) == 0) {
            // Kept already, by this or another process that read the same damaged file.
            struct stat original;
            if (::stat(quelle.constData(), &original) == 0 && S_ISREG(neben.st_mode)
                && neben.st_ino == original.st_ino && neben.st_dev == original.st_dev)
                return name;
            continue;
        }
        // A second link costs no room, which a full disk would not have for a copy.
        if (::link(quelle.constData(), QFile::encodeName(name).constData()) == 0)
            return name;
        if (errno == EEXIST)
            continue;
        // The copy is no more readable than the original: it may hold a password.
        if (kopiere_datei(QFile::decodeName(quelle), name, true, false) != 0)
            return QString();
        QFile::setPermissions(name, QFile::permissions(pfad));
        return name;
    }
    return QString();
}

QString beende_ganz(QFileDevice& datei, bool gelungen)
{
    // A writer's own failure is flushed too: the flush names the system's reason.
    const bool geflusht = schreibe_puffer(datei);
    const bool geschrieben = gelungen && geflusht;
    if (auto* an_ort = dynamic_cast<AnOrtDatei*>(&datei)) {
        const QString fehler = geschrieben ? schreibe_an_ort(an_ort->ziel, an_ort->handle()) : an_ort->grund();
        datei.close();
        return fehler;
    }
    auto* ersatz = qobject_cast<QSaveFile*>(&datei);
    if (!ersatz) {
        datei.close();
        if (geschrieben && datei.error() == QFileDevice::NoError)
            return QString();
        return datei.errorString();
    }
    if (!geschrieben) {
        // Taken first: dropping the new content puts a text of its own in its place.
        const QString grund = datei.errorString();
        if (datei.isOpen()) {
            ersatz->cancelWriting();
            // Refused after the cancel: removes the new content at once.
            (void)ersatz->commit();
        }
        return grund;
    }
    return ersatz->commit() ? QString() : ersatz->errorString();
}

QString schreibe_ganz(const QString& pfad, const std::function<bool(QIODevice&)>& fuelle)
{
    const std::unique_ptr<QFileDevice> datei = oeffne_ganz(pfad);
    if (!datei->isOpen())
        return datei->errorString();
    const bool gelungen = fuelle(*datei);
    return beende_ganz(*datei, gelungen);
}

QString schreibe_ganz(const QString& pfad, const QByteArray& inhalt)
{
    return schreibe_ganz(pfad, [&inhalt](QIODevice& datei) { return datei.write(inhalt) == inhalt.size(); });
}

int kopiere_datei(const QString& quelle, const QString& ziel, const bool& ohne_cursor,
                  const bool& ohne_kopf)
{
    QFile ein(quelle);
    if (!oeffne_regulaere_datei(ein, QIODevice::ReadOnly))
        return 1;
    bool lesefehler = false;
    const auto kopiere = [&](QIODevice& aus) {
        const Wartezeit warten(!ohne_cursor);
        if (ohne_kopf) {
            char kopf[3];
            lesefehler = ein.read(kopf, sizeof kopf) < 0;
            if (lesefehler)
                return false;
        }
        QByteArray block(static_cast<int>(blockgroesse), Qt::Uninitialized);
        for (;;) {
            warten.lass_laufen();
            const qint64 gelesen = ein.read(block.data(), blockgroesse);
            lesefehler = gelesen < 0;
            if (gelesen <= 0)
                return !lesefehler;
            if (aus.write(block.constData(), gelesen) != gelesen)
                return false;
        }
    };
    const QString fehler = schreibe_ganz(ziel, kopiere);
    if (lesefehler)
        return 1;
    return fehler.isEmpty() ? 0 : 2;
}

int verschiebe_datei(const QString& quelle, const QString& ziel, const bool& ohne_cursor)
{
    const QString quellpfad = QFileInfo(quelle).canonicalFilePath();
    if (!quellpfad.isEmpty() && quellpfad == QFileInfo(ziel).canonicalFilePath())
        return 0;
    const int ergebnis = kopiere_datei(quelle, ziel, ohne_cursor, false);
    if (ergebnis != 0)
        return ergebnis;
    return QFile::remove(quelle) ? 0 : 3;
}

int loesche_datei(const QString& name)
{
    return QFile::remove(name) ? 0 : 1;
}

int gib_pe_bitness(const QString& dateiname)
{
    QFile datei(dateiname);
    if (!oeffne_regulaere_datei(datei, QIODevice::ReadOnly))
        return -1;
    QByteArray kopf(kopfgroesse, Qt::Uninitialized);
    const qint64 gelesen = datei.read(kopf.data(), kopfgroesse);
    if (gelesen < 0)
        return -1;
    kopf.truncate(static_cast<int>(gelesen));
    return gib_pe_bitness_von(kopf);
}

int gib_pe_bitness_von(const QByteArray& kopf)
{
    const int groesse = std::min(kopf.size(), kopfgroesse);
    const auto byte = [&kopf](int i) { return static_cast<unsigned char>(kopf[i]); };
    // The offset of the PE header: the low two bytes of the DOS header's field at 60.
    const int offset_feld = 60;
    if (groesse < offset_feld + 2)
        return -1;
    const int offset = byte(offset_feld) | byte(offset_feld + 1) << 8;
    // Bytes beyond those read never match.
    if (offset + 4 >= kopfgroesse || offset + 4 >= groesse)
        return -1;
    if (byte(offset) != 'P' || byte(offset + 1) != 'E')
        return -1;
    switch (byte(offset + 4)) {
    case 0x4C: return 0;
    case 0x64: return 1;
    default: return -1;
    }
}
