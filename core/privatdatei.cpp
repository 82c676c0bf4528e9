#include "privatdatei.h"

#include "dateien.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool mache_privat(int fd)
{
    return ::fchmod(fd, S_IRUSR | S_IWUSR) == 0;
}

bool mache_privat(const QString& pfad)
{
    const QByteArray name = QFile::encodeName(pfad);
    struct stat info;
    if (::stat(name.constData(), &info) != 0 || info.st_uid != ::geteuid() || (info.st_mode & 077) == 0)
        return true;
    return ::chmod(name.constData(), S_IRUSR | S_IWUSR) == 0;
}

bool lege_private_ordner_an(const QString& pfad)
{
    const QFileInfo info(pfad);
    if (info.isDir())
        return true;
    if (!lege_private_ordner_an(info.path()))
        return false;
    return ::mkdir(QFile::encodeName(pfad).constData(), S_IRWXU) == 0 || errno == EEXIST;
}

QString schreibe_privat_ganz(const QString& pfad, const std::function<bool(QIODevice&)>& fuelle)
{
    // The content of a file written in place is gathered in a temporary file, private anyway.
    return schreibe_ganz(pfad, [&fuelle](QIODevice& geraet) {
        auto* datei = qobject_cast<QFileDevice*>(&geraet);
        return datei && mache_privat(datei->handle()) && fuelle(geraet);
    });
}

bool oeffne_privat_zum_anhaengen(QFile& datei)
{
    const int fd = oeffne_regulaere_datei(QFile::encodeName(datei.fileName()).constData(),
                                          O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
    return fd >= 0 && oeffne_auf_deskriptor(datei, fd, QIODevice::Append);
}
