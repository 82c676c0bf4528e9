#include "eigentum.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool gehoert_anwender_oder_root(const struct stat& info)
{
    return info.st_uid == ::geteuid() || info.st_uid == 0;
}

bool nur_fuer_eigentuemer_beschreibbar(const struct stat& info)
{
    return gehoert_anwender_oder_root(info) && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
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
