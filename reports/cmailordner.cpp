#include "cmailordner.h"
#include "dateien.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString namensvorlage = QStringLiteral(".mail_XXXXXX");
// The mark a mail puts into its folder before anything else, by name and whole content: only a
// folder that holds it is a mail's and is ever emptied by another mail. A user's folder of the
// same shape (".mail_backup") never holds it; nor does a copy of a mail's folder, or the folder
// under another name, which the user may keep so: the mark names the folder it was made in by
// device, inode and name.
constexpr char marke[] = ".mailordner";
constexpr char markentext[] = "Ordner einer Mail des Programms: er geht mit ihr oder mit der naechsten Mail.\n";

// The mark of the folder open at `ordner` and named `name`; empty when it cannot be looked at.
QByteArray markeninhalt(int ordner, const QByteArray& name)
{
    struct stat st{};
    if (::fstat(ordner, &st) != 0)
        return QByteArray();
    const QByteArray eintrag = name.mid(name.lastIndexOf('/') + 1);
    return markentext + QByteArray::number(quint64(st.st_dev)) + ' ' + QByteArray::number(quint64(st.st_ino)) + ' '
           + eintrag.toHex() + '\n';
}

enum class Sperre { gehalten, belegt, keine };

// The folder at `name`, opened never through a link, when it is a folder of this user's; else -1.
int oeffne_eigenen(const QByteArray& name)
{
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st{};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || st.st_uid != ::geteuid())) {
        ::close(fd);
        errno = EPERM;
        return -1;
    }
    return fd;
}

// Takes the lock of the folder open at `fd`, with `warten` until it is free: belegt when a live
// process holds it or `name` no longer names that folder (a cleanup took it), keine when its
// file system has no locks.
Sperre sperre(int fd, const QByteArray& name, bool warten)
{
    int ergebnis = 0;
    do
        ergebnis = ::flock(fd, LOCK_EX | (warten ? 0 : LOCK_NB));
    while (ergebnis != 0 && errno == EINTR);
    if (ergebnis != 0)
        return errno == EWOULDBLOCK ? Sperre::belegt : Sperre::keine;
    struct stat offen{};
    struct stat jetzt{};
    const bool derselbe = ::fstat(fd, &offen) == 0 && ::lstat(name.constData(), &jetzt) == 0
                          && jetzt.st_dev == offen.st_dev && jetzt.st_ino == offen.st_ino;
    return derselbe ? Sperre::gehalten : Sperre::belegt;
}

bool ist_markiert(int ordner, const QByteArray& name)
{
    const QByteArray erwartet = markeninhalt(ordner, name);
    const int fd = ::openat(ordner, marke, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    QByteArray inhalt(erwartet.size() + 1, '\0');
    struct stat st{};
    const bool markiert = !erwartet.isEmpty() && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)
                          && ::read(fd, inhalt.data(), std::size_t(inhalt.size())) == erwartet.size()
                          && inhalt.startsWith(erwartet);
    ::close(fd);
    return markiert;
}

// False with errno when the mark could not be written whole.
bool markiere(int ordner, const QByteArray& name)
{
    const QByteArray inhalt = markeninhalt(ordner, name);
    const int fd = inhalt.isEmpty() ? -1 : ::openat(ordner, marke, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0)
        return false;
    const ssize_t geschrieben = ::write(fd, inhalt.constData(), std::size_t(inhalt.size()));
    const int ursache = geschrieben < 0 ? errno : ENOSPC;
    if (::close(fd) != 0 && geschrieben == inhalt.size())
        return false;
    errno = ursache;
    return geschrieben == inhalt.size();
}

// Removes what a mail put into its folder open at `ordner` (files and links, the mark last), then
// the folder at `name`: a folder inside is no mail's, and it keeps both, marked.
void entferne_inhalt(int ordner, const QByteArray& name)
{
    const int lesen = ::openat(ordner, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* liste = lesen >= 0 ? ::fdopendir(lesen) : nullptr;
    if (!liste) {
        if (lesen >= 0)
            ::close(lesen);
        return;
    }
    QList<QByteArray> namen;
    bool fremdes = false;
    while (const dirent* e = ::readdir(liste)) {
        const QByteArray eintrag(e->d_name);
        struct stat st{};
        if (eintrag == "." || eintrag == ".." || eintrag == marke
            || ::fstatat(ordner, eintrag.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISDIR(st.st_mode))
            fremdes = true;
        else
            namen << eintrag;
    }
    ::closedir(liste);
    for (const QByteArray& eintrag : qAsConst(namen))
        ::unlinkat(ordner, eintrag.constData(), 0);
    if (fremdes)
        return;
    ::unlinkat(ordner, marke, 0);
    ::rmdir(name.constData());
}

// Every mail's folder in `arbeitsverzeichnis` that no live process holds: its mail is gone.
void entferne_verwaiste(const QString& arbeitsverzeichnis)
{
    const QDir ordner(arbeitsverzeichnis);
    const QString muster = QString(namensvorlage).replace(QLatin1Char('X'), QLatin1Char('?'));
    for (const QString& eintrag : ordner.entryList({muster}, QDir::Dirs | QDir::Hidden | QDir::NoSymLinks)) {
        const QByteArray name = QFile::encodeName(ordner.filePath(eintrag));
        const int fd = oeffne_eigenen(name);
        if (fd < 0)
            continue;
        // Only unlocked: a live mail, or a program started on its folder, holds the lock.
        if (sperre(fd, name, false) == Sperre::gehalten && ist_markiert(fd, name))
            entferne_inhalt(fd, name);
        ::close(fd);
    }
}

} // namespace

CMailordner::CMailordner(const QString& arbeitsverzeichnis)
{
    entferne_verwaiste(arbeitsverzeichnis);
    QTemporaryDir neu(arbeitsverzeichnis + QLatin1Char('/') + namensvorlage);
    if (!neu.isValid()) {
        fehler = neu.errorString();
        return;
    }
    neu.setAutoRemove(false);
    const QByteArray name = QFile::encodeName(neu.path());
    const int fd = oeffne_eigenen(name);
    if (fd < 0) {
        fehler = systemfehler(errno);
        ::rmdir(name.constData());
        return;
    }
    // Marked only once locked: a cleanup that looks at the folder meanwhile finds no mark and
    // lets it go at once. On a file system without locks the folder does without; no cleanup
    // takes it there either.
    const Sperre s = sperre(fd, name, true);
    if (s != Sperre::belegt && markiere(fd, name)) {
        pfad = neu.path();
        ordner = fd;
        gesperrt = s == Sperre::gehalten;
        return;
    }
    fehler = systemfehler(s == Sperre::belegt ? EBUSY : errno);
    // A name that no longer names the folder made is left to whatever it names now.
    if (s != Sperre::belegt) {
        ::unlinkat(fd, marke, 0);
        ::rmdir(name.constData());
    }
    ::close(fd);
}

CMailordner::~CMailordner()
{
    if (ordner < 0)
        return;
    // Emptied before its lock goes: no cleanup can take it meanwhile.
    if (!bleibt)
        entferne_inhalt(ordner, QFile::encodeName(pfad));
    ::close(ordner);
}

bool CMailordner::ist_gueltig() const
{
    return ordner >= 0;
}

QString CMailordner::gib_fehlertext() const
{
    return fehler;
}

QString CMailordner::datei(const QString& name) const
{
    return ordner >= 0 ? pfad + QLatin1Char('/') + name : QString();
}

std::shared_ptr<const int> CMailordner::sperre_fuer_programm() const
{
    const int kopie = gesperrt ? ::fcntl(ordner, F_DUPFD_CLOEXEC, 0) : -1;
    if (kopie < 0)
        return nullptr;
    return std::shared_ptr<const int>(new int(kopie), [](const int* fd) {
        ::close(*fd);
        delete fd;
    });
}

void CMailordner::behalten()
{
    bleibt = true;
}
