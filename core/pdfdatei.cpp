#include "pdfdatei.h"
#include "dateien.h"
#include "plattform.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The trailer of a PDF stands in its last bytes; a writer may add a line end or two.
constexpr qint64 schlussbereich = 1024;

QString systemfehler(int nummer)
{
    return QString::fromLocal8Bit(std::strerror(nummer));
}

// The file a link names: it is replaced, the link stays.
QString echtes_ziel(const QString& ziel)
{
    const QFileInfo info(ziel);
    return info.isSymLink() && !info.symLinkTarget().isEmpty() ? info.symLinkTarget() : ziel;
}

} // namespace

CPdfDatei::CPdfDatei(const QString& ziel_) : ziel(ziel_)
{
    const QString echt = echtes_ziel(ziel);
    // A folder, pipe or device of that name is neither replaced nor written into.
    if (QFileInfo::exists(echt) && !ist_datei(echt)) {
        fehler = tr("'%1' ist keine Datei.").arg(ziel);
        return;
    }
    const QFileInfo info(echt);
    // Made by this process alone (no file of that name is taken over), on the target's file
    // system, so that the rename replaces the target in one step.
    QTemporaryFile datei(info.absolutePath() + QStringLiteral("/.") + info.completeBaseName()
                         + QStringLiteral("-XXXXXX.pdf"));
    datei.setAutoRemove(false);
    if (!datei.open()) {
        fehler = datei.errorString();
        return;
    }
    zwischen = datei.fileName();
}

CPdfDatei::~CPdfDatei()
{
    if (!zwischen.isEmpty())
        QFile::remove(zwischen);
}

bool CPdfDatei::ist_ganz(const QString& datei)
{
    QFile pdf(datei);
    if (!pdf.open(QIODevice::ReadOnly))
        return false;
    const qint64 groesse = pdf.size();
    if (groesse <= 0 || !pdf.seek(qMax<qint64>(0, groesse - schlussbereich)))
        return false;
    const QByteArray schluss = pdf.read(schlussbereich);
    static const QRegularExpression trailer(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF\\s*$"));
    // Every byte counts: the data before the trailer may hold zero bytes.
    const QRegularExpressionMatch treffer = trailer.match(QString::fromLatin1(schluss.constData(), schluss.size()));
    if (!treffer.hasMatch())
        return false;
    bool zahl = false;
    const qint64 verweis = treffer.captured(1).toLongLong(&zahl);
    if (!zahl || verweis >= groesse || !pdf.seek(verweis))
        return false;
    // A cross-reference table, or the object of a cross-reference stream.
    static const QRegularExpression tabelle(QStringLiteral("^(xref|\\d+\\s+\\d+\\s+obj)"));
    const QByteArray anfang = pdf.read(32);
    return tabelle.match(QString::fromLatin1(anfang.constData(), anfang.size())).hasMatch();
}

QString CPdfDatei::uebernimm(bool geschrieben)
{
    if (zwischen.isEmpty())
        return fehler.isEmpty() ? tr("Die PDF-Datei '%1' wurde nicht geschrieben.").arg(ziel) : fehler;
    const QString name = zwischen;
    zwischen.clear();
    const QByteArray neu = QFile::encodeName(name);
    const QByteArray alt = QFile::encodeName(echtes_ziel(ziel));
    const auto verwirf = [&](const QString& grund) {
        ::unlink(neu.constData());
        fehler = grund;
        return fehler;
    };
    if (!geschrieben || !ist_ganz(name))
        return verwirf(tr("Die PDF-Datei '%1' wurde nicht ganz geschrieben.").arg(ziel));
    // The old file's rights, or those of any new file of the user (not the temporary file's
    // owner-only ones).
    struct stat bisher {};
    const bool rechte = ::stat(alt.constData(), &bisher) == 0 ? ::chmod(neu.constData(), bisher.st_mode & 07777) == 0
                                                              : gib_normale_dateirechte(name);
    if (!rechte)
        return verwirf(systemfehler(errno));
    // On the disk before it takes the old file's place: a crash leaves the one or the other.
    const int fd = ::open(neu.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return verwirf(systemfehler(errno));
    const bool gesichert = ::fsync(fd) == 0;
    const int sicherungsfehler = errno;
    ::close(fd);
    if (!gesichert)
        return verwirf(systemfehler(sicherungsfehler));
    if (::rename(neu.constData(), alt.constData()) != 0)
        return verwirf(systemfehler(errno));
    fehler.clear();
    return QString();
}
