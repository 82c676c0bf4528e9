#include "pdfdatei.h"
#include "dateien.h"
#include "plattform.h"

#include <QDir>
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

} // namespace

CPdfDatei::CPdfDatei(const QString& ziel_) : ziel(ziel_)
{
    // Not through a link or into a file that another account planted in a shared folder.
    echt = schreibziel(ziel, fehler);
    if (!fehler.isEmpty())
        return;
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
        // No file may be added beside a file this user may write: it is written in place.
        an_ort = ist_schreibbar(echt);
        datei.setFileTemplate(QDir::tempPath() + QStringLiteral("/XXXXXX.pdf"));
        if (!an_ort || !datei.open()) {
            fehler = datei.errorString();
            return;
        }
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
    const QByteArray alt = QFile::encodeName(echt);
    const auto verwirf = [&](const QString& grund) {
        ::unlink(neu.constData());
        fehler = grund;
        return fehler;
    };
    if (!geschrieben || !ist_ganz(name))
        return verwirf(tr("Die PDF-Datei '%1' wurde nicht ganz geschrieben.").arg(ziel));
    const int fd = ::open(neu.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return verwirf(systemfehler(errno));
    // The old file's owner, group, rights and attributes, or the rights of any new file of the
    // user (not the temporary file's owner-only ones). Where they cannot be kept it is written
    // in place.
    bool ok = true;
    if (!an_ort && ::access(alt.constData(), F_OK) == 0)
        an_ort = !bereite_ersatz_vor(echt, fd);
    else if (!an_ort)
        ok = gib_normale_dateirechte(name);
    if (an_ort) {
        const QString grund = schreibe_an_ort(echt, fd);
        ::close(fd);
        return verwirf(grund);
    }
    // On the disk before it takes the old file's place: a crash leaves the one or the other.
    ok = ok && ::fsync(fd) == 0;
    const int sicherungsfehler = errno;
    ::close(fd);
    if (!ok)
        return verwirf(systemfehler(sicherungsfehler));
    if (::rename(neu.constData(), alt.constData()) != 0)
        return verwirf(systemfehler(errno));
    fehler.clear();
    return QString();
}
