#include "eigentum.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool gehoert_anwender_oder_root(const struct stat& info)
{
    return info.st_uid == ::geteuid() || info.st_uid == 0;
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
    return true;
}

bool nur_fuer_eigentuemer_beschreibbar(const struct stat& info)
{
    return gehoert_anwender_oder_root(info) && (info.st_mode & S_IWOTH) == 0
           && ((info.st_mode & S_IWGRP) == 0 || ist_private_gruppe(info.st_gid, info.st_uid));
}

} // namespace

bool ist_fremd_beschreibbar(const QString& ordner)
{
    struct stat info;
    return ::stat(QFile::encodeName(ordner).constData(), &info) != 0 || !nur_fuer_eigentuemer_beschreibbar(info);
}

bool ist_eigene_datei(const QString& pfad)
{
    const QByteArray name = QFile::encodeName(pfad);
    struct stat link;
    struct stat datei;
    if (::lstat(name.constData(), &link) != 0 || ::stat(name.constData(), &datei) != 0)
        return false;
    // The mode of a link itself means nothing; its owner decides where it leads.
    if (S_ISLNK(link.st_mode) && !gehoert_anwender_oder_root(link))
        return false;
    return nur_fuer_eigentuemer_beschreibbar(datei);
}

bool darf_genommen_werden(const QString& ordner, const QString& pfad)
{
    const bool aktueller_ordner = QFileInfo(ordner).absoluteFilePath() == QDir::currentPath();
    return (!aktueller_ordner && !ist_fremd_beschreibbar(ordner)) || ist_eigene_datei(pfad);
}

bool darf_angehaengt_werden(const std::string& pfad, int& weitere)
{
    struct stat link;
    if (::lstat(pfad.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        weitere = 0;
        return gehoert_anwender_oder_root(link);
    }
    weitere = O_NOFOLLOW;
    return true;
}
