#include "dateien.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QCursor>
#include <QGuiApplication>
#include <QSaveFile>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

} // namespace

int oeffne_regulaere_datei(const char* pfad, int modus, unsigned rechte)
{
    int fd;
    do
        fd = ::open(pfad, modus | O_NONBLOCK | O_CLOEXEC, static_cast<mode_t>(rechte));
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return -1;
    struct stat info;
    const int flags = fcntl(fd, F_GETFL);
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags == -1
        || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
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
    if (fd < 0)
        return false;
    if (!datei.open(fd, modus, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        errno = EBADF;
        return false;
    }
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

namespace {

// A file refused before any open, with the reason as its error text.
class AbgewieseneDatei : public QFile
{
public:
    AbgewieseneDatei(const QString& pfad, const QString& grund) : QFile(pfad) { setErrorString(grund); }
};

} // namespace

std::unique_ptr<QFileDevice> oeffne_ganz(const QString& pfad, QIODevice::OpenMode zusatz)
{
    // A device or a pipe is neither replaced by a file (that would take it from everyone else)
    // nor waited for: it counts as a file that cannot be opened, as for every other open.
    const QFileInfo info(pfad);
    if (info.exists() && !info.isDir() && !info.isFile())
        return std::make_unique<AbgewieseneDatei>(pfad, QString::fromLocal8Bit(std::strerror(EINVAL)));
    auto datei = std::make_unique<QSaveFile>(pfad);
    datei->open(QIODevice::WriteOnly | zusatz);
    return datei;
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

QString lege_beiseite(const QString& pfad)
{
    const QByteArray quelle = QFile::encodeName(pfad);
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
        if (kopiere_datei(pfad, name, true, false) != 0)
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
