#include "fertigedatei.h"
#include "dateien.h"
#include "entpacken.h"
#include "zielordner.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

uid_t eigene_uid()
{
    static const uid_t wer = ::geteuid();
    return wer;
}

bool ist_ersetzbar(const struct stat& st, int ordner, const QByteArray& name)
{
    if (S_ISDIR(st.st_mode))
        return false;
    // A link is replaced itself; what it points to is never touched.
    if (S_ISLNK(st.st_mode))
        return true;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    // The owner's own write bit answers what the kernel would (an access list never overrides
    // it): asked only for another's file. A read-only or immutable file fails the rename itself.
    if (st.st_uid == eigene_uid() && (st.st_mode & S_IWUSR))
        return true;
    return ::faccessat(ordner, name.constData(), W_OK, AT_SYMLINK_NOFOLLOW) == 0;
}

namespace {

// Gives the finished temporary file (in the folder `von`) the target's name in the folder `nach`.
// A new name is taken only while no file holds it (no look-up beforehand: most targets of an
// install are new). An existing target is replaced only when it is a writable file, and its
// permissions pass to the new one.
bool ersetze(int von, const QByteArray& temp, int nach, const QByteArray& name)
{
    if (::renameat2(von, temp.constData(), nach, name.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EEXIST && errno != EINVAL && errno != ENOSYS)
        return false;
    struct stat st{};
    if (::fstatat(nach, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (!ist_ersetzbar(st, nach, name))
            return false;
        if (!S_ISLNK(st.st_mode))
            ::fchmodat(von, temp.constData(), st.st_mode & 07777, 0);
    }
    return ::renameat(von, temp.constData(), nach, name.constData()) == 0;
}

} // namespace

CFertigeDatei::~CFertigeDatei()
{
    verwirf();
}

CFertigeDatei::CFertigeDatei(CFertigeDatei&& andere) noexcept
{
    *this = std::move(andere);
}

CFertigeDatei& CFertigeDatei::operator=(CFertigeDatei&& andere) noexcept
{
    if (this != &andere) {
        verwirf();
        ordner = std::move(andere.ordner);
        fd = andere.fd;
        temp = std::move(andere.temp);
        hatte_temp = andere.hatte_temp;
        andere.hatte_temp = false;
        temp_ort = std::move(andere.temp_ort);
        ersetzt = andere.ersetzt;
        andere.ersetzt = false;
        unveraendert = andere.unveraendert;
        andere.unveraendert = false;
        rest = std::move(andere.rest);
        name = std::move(andere.name);
        anzeige = std::move(andere.anzeige);
        andere.fd = -1;
        andere.temp.clear();
    }
    return *this;
}

// The folder in which the file takes its name: `zielordner` when given, else its own folder
// (looked up when the file waits elsewhere; `eigener`: the handle is the caller's to close).
int CFertigeDatei::namensordner(int zielordner, bool& eigener) const
{
    eigener = !rest.isEmpty() && zielordner < 0;
    if (rest.isEmpty())
        return ordner->fd();
    return eigener ? oeffne_unterhalb(ordner->fd(), rest, O_PATH | O_DIRECTORY) : zielordner;
}

int CFertigeDatei::benenne(int zielordner, int wurzel)
{
    if (!ordner)
        return ENTPACK_AUSGABE;
    if (unveraendert) {
        verwirf();
        return ENTPACK_OK;
    }
    bool eigener = false;
    const int ziel = namensordner(zielordner, eigener);
    bool ok = false;
    if (ziel >= 0 && ersetzt) {
        // Checked and made ready by the worker: one step.
        ok = ::renameat(temp_ort->fd(), temp.constData(), ziel, name.constData()) == 0;
    } else if (ziel >= 0 && !temp.isEmpty()) {
        ok = ersetze(temp_ort->fd(), temp, ziel, name);
    } else if (ziel >= 0 && fd >= 0) {
        ok = verlinke_unbenannt(fd, ziel, name);
        if (!ok && errno == EEXIST) {
            // The name is taken, and a name cannot be replaced by an unnamed file: the file takes
            // a temporary name for the moment and replaces the old one from there, in one step.
            // That name lies in the target folder, where a killed run's leftovers are always
            // cleared; only on another file system below it (EXDEV) beside the old one.
            for (const int temp_ordner : {wurzel >= 0 ? wurzel : ziel, ziel}) {
                QByteArray daneben;
                std::shared_ptr<COrdnerhandle> ort;
                ok = verlinke_temporaer(fd, temp_ordner, ort, daneben) && ersetze(ort->fd(), daneben, ziel, name);
                const int fehler = errno;
                if (!ok && !daneben.isEmpty())
                    ::unlinkat(ort->fd(), daneben.constData(), 0);
                // The target folder's folder of temporary files goes at the end of the run.
                if (temp_ordner != wurzel)
                    entferne_tempordner(temp_ordner);
                if (ok || fehler != EXDEV || temp_ordner == ziel)
                    break;
            }
        }
    }
    const int fehler = errno;
    if (eigener && ziel >= 0)
        ::close(ziel);
    if (ok)
        temp.clear();
    verwirf();
    if (ok)
        return ENTPACK_OK;
    entpack_ausgabe("error opening %s: %s\n", anzeige.constData(), qPrintable(systemfehler(fehler)));
    return ist_platzmangel(fehler) ? ENTPACK_VOLL : ENTPACK_AUSGABE;
}

bool CFertigeDatei::benenne_neu(int zielordner)
{
    // A file that replaces another (or is the one there) was found holding the name.
    if (!ordner || ersetzt || unveraendert)
        return false;
    bool eigener = false;
    const int ziel = namensordner(zielordner, eigener);
    bool ok = false;
    if (ziel >= 0 && !temp.isEmpty())
        ok = ::renameat2(temp_ort->fd(), temp.constData(), ziel, name.constData(), RENAME_NOREPLACE) == 0;
    else if (ziel >= 0 && fd >= 0)
        ok = verlinke_unbenannt(fd, ziel, name);
    if (eigener && ziel >= 0)
        ::close(ziel);
    if (ok) {
        temp.clear();
        verwirf();
    }
    return ok;
}

void CFertigeDatei::verwirf()
{
    // A temporary file goes while its handle still holds it: unheld, another run could take it
    // for a leftover.
    if (!temp.isEmpty() && temp_ort)
        ::unlinkat(temp_ort->fd(), temp.constData(), 0);
    // A temporary name, given or gone, leaves its folder of temporary files behind.
    if (hatte_temp && ordner)
        entferne_tempordner(ordner->fd());
    hatte_temp = false;
    if (fd >= 0)
        ::close(fd);
    fd = -1;
    temp.clear();
    rest.clear();
    ordner.reset();
    temp_ort.reset();
    ersetzt = false;
    unveraendert = false;
}
