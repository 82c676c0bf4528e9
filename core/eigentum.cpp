#include "eigentum.h"

#include "dateien.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <grp.h>
#include <mutex>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace {

bool ist_anwender_oder_root(uid_t benutzer)
{
    return benutzer == ::geteuid() || benutzer == 0;
}

bool gehoert_anwender_oder_root(const struct stat& info)
{
    return ist_anwender_oder_root(info.st_uid);
}

// Calls a reentrant look-up of the user or group data base with a buffer that grows while it is
// too small; false when there is no such entry.
template <class Eintrag, class Abfrage>
bool schlage_nach(Eintrag& eintrag, std::vector<char>& puffer, Abfrage abfrage)
{
    puffer.resize(4096);
    for (;;) {
        Eintrag* ergebnis = nullptr;
        const int fehler = abfrage(&eintrag, puffer.data(), puffer.size(), &ergebnis);
        if (fehler == ERANGE && puffer.size() < (1u << 20)) {
            puffer.resize(puffer.size() * 2);
            continue;
        }
        return fehler == 0 && ergebnis;
    }
}

// Whether an account but `eigentuemer` has `gruppe` as its primary group: the group's member list
// names only those who hold it beside their own.
bool ist_hauptgruppe_anderer(gid_t gruppe, uid_t eigentuemer)
{
    // The walk over the accounts has one position in the whole process.
    static std::mutex mutex;
    std::lock_guard<std::mutex> lock(mutex);
    std::vector<char> puffer(1 << 16);
    passwd eintrag{};
    passwd* ergebnis = nullptr;
    int fehler = 0;
    bool gefunden = false;
    ::setpwent();
    while (!gefunden && (fehler = ::getpwent_r(&eintrag, puffer.data(), puffer.size(), &ergebnis)) == 0 && ergebnis)
        gefunden = eintrag.pw_gid == gruppe && eintrag.pw_uid != eigentuemer;
    ::endpwent();
    // An account that could not be read may be one.
    return gefunden || (fehler != 0 && fehler != ENOENT);
}

// The group of a user alone: systems give every user a group of the user's name, the user's
// primary group, with no other member, and a file mode that lets that group write then lets no
// one else write.
bool ist_private_gruppe(gid_t gruppe, uid_t eigentuemer)
{
    passwd anwender{};
    group gruppeneintrag{};
    std::vector<char> puffer_anwender;
    std::vector<char> puffer_gruppe;
    if (!schlage_nach(anwender, puffer_anwender,
                      [eigentuemer](passwd* e, char* p, std::size_t n, passwd** r) { return ::getpwuid_r(eigentuemer, e, p, n, r); })
        || !schlage_nach(gruppeneintrag, puffer_gruppe,
                         [gruppe](group* e, char* p, std::size_t n, group** r) { return ::getgrgid_r(gruppe, e, p, n, r); }))
        return false;
    if (anwender.pw_gid != gruppe || std::strcmp(anwender.pw_name, gruppeneintrag.gr_name) != 0)
        return false;
    for (char** mitglied = gruppeneintrag.gr_mem; *mitglied; ++mitglied)
        if (std::strcmp(*mitglied, anwender.pw_name) != 0)
            return false;
    return !ist_hauptgruppe_anderer(gruppe, eigentuemer);
}

// An entry of an access control list as Linux keeps the list in the attribute
// "system.posix_acl_access": a version word (2), then entries of a 16-bit tag, 16-bit permissions
// and a 32-bit id, all little-endian.
struct AclEintrag
{
    std::uint32_t art;
    std::uint32_t rechte;
    std::uint32_t id;
};

enum : std::uint32_t { acl_benutzer = 0x02, acl_eigene_gruppe = 0x04, acl_gruppe = 0x08, acl_maske = 0x10 };
constexpr std::uint32_t acl_schreiben = 0x02;
constexpr std::uint32_t acl_version = 2;

enum class Liste { keine, gelesen, unlesbar };

std::uint32_t little_endian(const unsigned char* daten, int bytes)
{
    std::uint32_t wert = 0;
    for (int i = bytes - 1; i >= 0; --i)
        wert = (wert << 8) | daten[i];
    return wert;
}

// The access control list of the open file or folder `fd`: `keine` when it has none beyond its
// mode (or its file system keeps none), `unlesbar` when it cannot be read or has another form.
Liste lies_acl(int fd, std::vector<AclEintrag>& liste)
{
    static const char attribut[] = "system.posix_acl_access";
    const ssize_t groesse = ::fgetxattr(fd, attribut, nullptr, 0);
    if (groesse < 0)
        return errno == ENODATA || errno == ENOTSUP ? Liste::keine : Liste::unlesbar;
    std::vector<unsigned char> daten(static_cast<std::size_t>(groesse));
    // A list that grew in between does not fit: it is no list read.
    const ssize_t gelesen = ::fgetxattr(fd, attribut, daten.data(), daten.size());
    if (gelesen < 4 || (gelesen - 4) % 8 != 0 || little_endian(daten.data(), 4) != acl_version)
        return Liste::unlesbar;
    for (ssize_t stelle = 4; stelle < gelesen; stelle += 8) {
        const unsigned char* eintrag = daten.data() + stelle;
        liste.push_back({little_endian(eintrag, 2), little_endian(eintrag + 2, 2), little_endian(eintrag + 4, 4)});
    }
    return Liste::gelesen;
}

// Whether the list lets no one write but the owner, the user and root: a named user, the owning
// group or a named group with the right to write (through the mask) must be one of them or the
// owner's own group.
bool acl_nur_fuer_eigentuemer(const std::vector<AclEintrag>& liste, const struct stat& info)
{
    bool maske = true;
    for (const AclEintrag& e : liste)
        if (e.art == acl_maske)
            maske = (e.rechte & acl_schreiben) != 0;
    if (!maske)
        return true;
    for (const AclEintrag& e : liste) {
        if ((e.rechte & acl_schreiben) == 0)
            continue;
        if ((e.art == acl_benutzer && e.id != info.st_uid && !ist_anwender_oder_root(e.id))
            || (e.art == acl_eigene_gruppe && !ist_private_gruppe(info.st_gid, info.st_uid))
            || (e.art == acl_gruppe && !ist_private_gruppe(e.id, info.st_uid)))
            return false;
    }
    return true;
}

} // namespace

bool nur_eigentuemer_darf_schreiben(int fd, const struct stat& info)
{
    if (!gehoert_anwender_oder_root(info) || (info.st_mode & S_IWOTH) != 0)
        return false;
    std::vector<AclEintrag> liste;
    switch (lies_acl(fd, liste)) {
    case Liste::keine:
        return (info.st_mode & S_IWGRP) == 0 || ist_private_gruppe(info.st_gid, info.st_uid);
    case Liste::gelesen:
        return acl_nur_fuer_eigentuemer(liste, info);
    case Liste::unlesbar:
        break;
    }
    return false;
}

namespace {

// The parts of `pfad`, without empty ones and ".".
std::deque<std::string> teile_von(const std::string& pfad)
{
    std::deque<std::string> teile;
    for (std::size_t anfang = 0; anfang <= pfad.size();) {
        std::size_t ende = pfad.find('/', anfang);
        if (ende == std::string::npos)
            ende = pfad.size();
        if (ende > anfang && pfad.compare(anfang, ende - anfang, ".") != 0)
            teile.push_back(pfad.substr(anfang, ende - anfang));
        anfang = ende + 1;
    }
    return teile;
}

// Replaces the folder descriptor `ordner` by `neu`; false (with errno) when `neu` is none.
bool wechsle(int& ordner, int neu)
{
    const int fehler = errno;
    ::close(ordner);
    ordner = neu;
    errno = fehler;
    return neu >= 0;
}

// Whether the link `link` (its handle's `info`) in the folder `ordner` may be followed by `regel`.
bool darf_folgen(int ordner, const struct stat& info, Verweise regel)
{
    struct stat ordnerinfo;
    if (::fstat(ordner, &ordnerinfo) != 0)
        return false;
    // The owner of a sticky folder may replace any entry of it anyway: its link leads nowhere it could not.
    if (regel == Verweise::nur_eigene)
        return gehoert_anwender_oder_root(info) || ((ordnerinfo.st_mode & S_ISVTX) && info.st_uid == ordnerinfo.st_uid);
    return !ist_fremd_im_geteilten_ordner(ordnerinfo, info);
}

// The regular file `name` of the folder `ordner` opened with `modus`, after a look through a handle
// that opens nothing (`info` from it): a pipe or device is not opened. One swapped in between the look
// and the open is not kept (EAGAIN: look again). A file that is missing is made where `modus` says so,
// as a new one only.
int oeffne_regulaere(int ordner, const std::string& name, int modus, mode_t rechte, const struct stat* info)
{
    const int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    if (!info) {
        const int fd = ::openat(ordner, name.c_str(), (modus & ~O_TRUNC) | O_CREAT | O_EXCL | flags, rechte);
        if (fd < 0 && errno == EEXIST && !(modus & O_EXCL))
            errno = EAGAIN;
        return fd;
    }
    if (!S_ISREG(info->st_mode)) {
        errno = EINVAL;
        return -1;
    }
    if ((modus & (O_CREAT | O_EXCL)) == (O_CREAT | O_EXCL)) {
        errno = EEXIST;
        return -1;
    }
    const int fd = ::openat(ordner, name.c_str(), (modus & ~(O_TRUNC | O_CREAT | O_EXCL)) | flags);
    struct stat offen;
    if (fd < 0 || (::fstat(fd, &offen) == 0 && offen.st_dev == info->st_dev && offen.st_ino == info->st_ino))
        return fd;
    ::close(fd);
    errno = EAGAIN;
    return -1;
}

// `pfad` under the folder `start` (see `oeffne_ueber_ordner`).
int oeffne_unter(int start, const std::string& pfad, int modus, mode_t rechte, Verweise regel, int* ordner_aus)
{
    if (ordner_aus)
        *ordner_aus = -1;
    std::deque<std::string> teile = teile_von(pfad);
    int ordner = ::openat(start, !pfad.empty() && pfad.front() == '/' ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    int fd = -1;
    bool am_ende = false;
    // As many links as the system itself follows in one name; a few more looks for what changed meanwhile.
    int verweise = 0;
    for (int nochmal = 0; ordner >= 0 && fd < 0 && nochmal < 10;) {
        if (teile.empty()) {
            errno = pfad.empty() ? ENOENT : EISDIR;
            break;
        }
        const std::string teil = teile.front();
        am_ende = teile.size() == 1;
        if (teil == "..") {
            if (am_ende)
                errno = EISDIR;
            if (am_ende || !wechsle(ordner, ::openat(ordner, "..", O_PATH | O_DIRECTORY | O_CLOEXEC)))
                break;
            teile.pop_front();
            continue;
        }
        const int griff = ::openat(ordner, teil.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
        struct stat info;
        if (griff >= 0 && ::fstat(griff, &info) != 0) {
            ::close(griff);
            break;
        }
        if (griff < 0 && !(am_ende && errno == ENOENT && (modus & O_CREAT)))
            break;
        if (griff >= 0 && S_ISLNK(info.st_mode)) {
            char ziel[PATH_MAX];
            ssize_t laenge = -1;
            if (am_ende && (modus & O_CREAT) && (modus & O_EXCL))
                errno = EEXIST;
            else if (am_ende && (modus & O_NOFOLLOW))
                errno = ELOOP;
            else if (!darf_folgen(ordner, info, regel))
                errno = regel == Verweise::nur_eigene ? EPERM : EACCES;
            else if (++verweise > 40)
                errno = ELOOP;
            else if ((laenge = ::readlinkat(griff, "", ziel, sizeof ziel)) == static_cast<ssize_t>(sizeof ziel) || laenge == 0)
                laenge = -1, errno = ENAMETOOLONG;
            ::close(griff);
            if (laenge < 0)
                break;
            // The target's parts take the link's place; a relative target counts from the link's folder.
            teile.pop_front();
            const std::string text(ziel, std::size_t(laenge));
            const std::deque<std::string> neu = teile_von(text);
            teile.insert(teile.begin(), neu.begin(), neu.end());
            if (text.front() == '/' && !wechsle(ordner, ::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC)))
                break;
            continue;
        }
        if (!am_ende) {
            if (!S_ISDIR(info.st_mode)) {
                ::close(griff);
                errno = ENOTDIR;
                break;
            }
            wechsle(ordner, griff);
            teile.pop_front();
            continue;
        }
        fd = oeffne_regulaere(ordner, teil, modus, rechte, griff >= 0 ? &info : nullptr);
        if (griff >= 0)
            ::close(griff);
        if (fd < 0 && errno != EAGAIN)
            break;
        ++nochmal;
    }
    int fehler = fd >= 0 ? 0 : (errno == EAGAIN ? EBUSY : errno);
    struct stat ordnerinfo;
    struct stat datei;
    if (fd >= 0 && (modus & O_ACCMODE) != O_RDONLY) {
        // Written only where the kernel's protected_regular would let it be; cut only once it passed.
        if (::fstat(ordner, &ordnerinfo) != 0 || ::fstat(fd, &datei) != 0)
            fehler = errno;
        else if (ist_fremd_im_geteilten_ordner(ordnerinfo, datei))
            fehler = EACCES;
        else if ((modus & O_TRUNC) && ::ftruncate(fd, 0) != 0)
            fehler = errno;
    }
    const int flags = fd >= 0 ? ::fcntl(fd, F_GETFL) : -1;
    if (fehler == 0 && (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1))
        fehler = errno;
    if (fehler != 0 && fd >= 0)
        ::close(fd);
    if (ordner >= 0 && ordner_aus && am_ende)
        *ordner_aus = ordner;
    else if (ordner >= 0)
        ::close(ordner);
    errno = fehler;
    return fehler == 0 ? fd : -1;
}

// Whether no one but the user may change what lies in `ordner` where it lies in the user's home:
// that folder and each above it up to the home itself belong to the user or root and let no one
// else write (another could put a file of the user's there, by a link or a rename). A folder
// outside the home counts as such.
bool heimweg_geschuetzt(const QString& ordner)
{
    const QString heim = QDir(QDir::homePath()).canonicalPath();
    QString pfad = QFileInfo(ordner).canonicalFilePath();
    if (heim.isEmpty() || pfad.isEmpty() || (pfad != heim && !pfad.startsWith(heim + QLatin1Char('/'))))
        return true;
    for (;;) {
        const int fd = ::open(QFile::encodeName(pfad).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        struct stat info;
        const bool geschuetzt = fd >= 0 && ::fstat(fd, &info) == 0 && nur_eigentuemer_darf_schreiben(fd, info);
        if (fd >= 0)
            ::close(fd);
        if (!geschuetzt)
            return false;
        if (pfad == heim)
            return true;
        pfad = QFileInfo(pfad).path();
    }
}

} // namespace

Fund oeffne_zum_lesen(const QString& ordner, const QString& name, std::unique_ptr<QFile>& datei)
{
    datei.reset();
    const QByteArray ordnername = QFile::encodeName(ordner);
    int ordner_fd = ::open(ordnername.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (ordner_fd < 0 && errno == EACCES) {
        // A folder that may be passed but not read.
        ordner_fd = ::open(ordnername.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    }
    if (ordner_fd < 0)
        return Fund::keiner;
    const int fd = oeffne_unter(ordner_fd, QFile::encodeName(name).toStdString(), O_RDONLY, 0, Verweise::nur_eigene, nullptr);
    const int fehler = errno;
    ::close(ordner_fd);
    if (fd < 0)
        return fehler == EPERM ? Fund::uebergangen : Fund::keiner;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !nur_eigentuemer_darf_schreiben(fd, info) || !heimweg_geschuetzt(ordner)) {
        ::close(fd);
        return Fund::uebergangen;
    }
    datei = std::make_unique<QFile>();
    if (!oeffne_auf_deskriptor(*datei, fd, QIODevice::ReadOnly)) {
        datei.reset();
        return Fund::keiner;
    }
    return Fund::genommen;
}

bool ist_fremd_im_geteilten_ordner(const struct stat& ordner, const struct stat& eintrag)
{
    const bool geteilt = S_ISDIR(ordner.st_mode) && (ordner.st_mode & S_ISVTX) && (ordner.st_mode & (S_IWGRP | S_IWOTH));
    return geteilt && eintrag.st_uid != ::geteuid() && eintrag.st_uid != ordner.st_uid;
}

int oeffne_ueber_ordner(const char* pfad, int modus, unsigned rechte, Verweise regel, int* ordner)
{
    return oeffne_unter(AT_FDCWD, pfad, modus, static_cast<mode_t>(rechte), regel, ordner);
}

int oeffne_ohne_fremde_links(const char* pfad, int modus, unsigned rechte)
{
    return oeffne_ueber_ordner(pfad, modus, rechte, Verweise::nur_eigene);
}
