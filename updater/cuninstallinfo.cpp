#include "cuninstallinfo.h"
#include "ccat.h"
#include "cfehler.h"
#include "cqiozeileexcel.h"
#include "czielsperre.h"
#include "dateien.h"
#include "klassen.h"
#include "melde.h"
#include "startzustand.h"
#include "steuerzeichen.h"
#include "zielordner.h"

#include <QCoreApplication>
#include <QFile>
#include <mutex>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("UpdaterMainWindow", text);
}

// Keys that the line splitter would change (a ";" inside, blanks at either end) are quoted.
QString schluessel_text(const QString& pfad)
{
    const auto ist_leer = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    if (pfad.contains(QLatin1Char(';')) || (!pfad.isEmpty() && (ist_leer(pfad.front()) || ist_leer(pfad.back()))))
        return QLatin1Char('"') + pfad + QLatin1Char('"');
    return pfad;
}

// A record line is a time, ";" and a relative path; a path cannot be longer than this.
constexpr qint64 zeilengrenze = 16 * 1024;

// What the jobs of the process share across threads, each under its own lock.
struct CGeteilt
{
    std::mutex ladefehler_mutex;
    QString ladefehler;
    std::mutex karten_mutex;
    CUninstallMap karte;
};

CGeteilt& geteilt()
{
    static CGeteilt* g = new CGeteilt;
    return *g;
}

void setze_ladefehler(const QString& text)
{
    std::lock_guard<std::mutex> lock(geteilt().ladefehler_mutex);
    geteilt().ladefehler = text;
}

} // namespace

QString gib_unistall_ladefehler()
{
    std::lock_guard<std::mutex> lock(geteilt().ladefehler_mutex);
    return geteilt().ladefehler;
}

CUninstallMap& unistall_map()
{
    return geteilt().karte;
}

void ergaenze_unistall(const QString& pfad, const CZeitVDN& zeit)
{
    std::lock_guard<std::mutex> lock(geteilt().karten_mutex);
    geteilt().karte[pfad] = zeit;
}

void setze_unistall_zurueck(const QString& pfad, const std::optional<CZeitVDN>& vorher)
{
    std::lock_guard<std::mutex> lock(geteilt().karten_mutex);
    if (vorher)
        geteilt().karte[pfad] = *vorher;
    else
        geteilt().karte.erase(pfad);
}

std::optional<CZeitVDN> unistall_eintrag(const QString& pfad)
{
    std::lock_guard<std::mutex> lock(geteilt().karten_mutex);
    const auto it = geteilt().karte.find(pfad);
    if (it == geteilt().karte.end())
        return std::nullopt;
    return it->second;
}

CUninstallMap unistall_kopie()
{
    std::lock_guard<std::mutex> lock(geteilt().karten_mutex);
    return geteilt().karte;
}

std::size_t unistall_anzahl()
{
    std::lock_guard<std::mutex> lock(geteilt().karten_mutex);
    return geteilt().karte.size();
}

QString uninstall_zeile(const QString& pfad, const CZeitVDN& zeit)
{
    return zeit.als_qstring(true, true, false) + QLatin1Char(';') + schluessel_text(pfad);
}

CUninstallInfo::CUninstallInfo() : CUninstallInfo(gib_zielverzeichnis()) {}

CUninstallInfo::CUninstallInfo(const QString& verzeichnis)
    : dateiname(verzeichnis + QLatin1String("/uninstall.dat")), sperre(std::make_unique<CZielsperre>(verzeichnis))
{
    if (!sperre->gehalten())
        ladefehler = sperre->gib_fehlertext();
    else
        lies_unistall();
    setze_ladefehler(ladefehler);
}

CUninstallInfo::~CUninstallInfo()
{
    (void)schreibe_unistall();
    setze_ladefehler(QString());
}

bool CUninstallInfo::lies_unistall()
{
    const auto unlesbar = [this] {
        ladefehler = tr("Kann Datei %1 nicht zum Lesen oeffnen").arg(maskiere_steuerzeichen(dateiname));
        return false;
    };
    // Without blocking on a FIFO and without following a link: only a regular file is read.
    const int fd = oeffne_regulaere_datei(QFile::encodeName(dateiname).constData(), O_RDONLY | O_NOFOLLOW);
    if (fd < 0)
        return errno == ENOENT ? true : unlesbar();
    QFile datei;
    if (!datei.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return unlesbar();
    }
    // All lines are read before any record is taken, so that a read error changes nothing.
    CUninstallMap gelesen;
    trennzeichen = ';';
    CQIOZeileExcel zellen;
    bool erste = true;
    while (!datei.atEnd()) {
        QByteArray roh = datei.readLine(zeilengrenze);
        if (datei.error() != QFileDevice::NoError)
            return unlesbar();
        if (!roh.endsWith('\n') && !datei.atEnd()) {
            // Longer than any record can be: the line is malformed, its rest is passed over.
            while (!roh.endsWith('\n') && !datei.atEnd())
                roh = datei.readLine(zeilengrenze);
            if (datei.error() != QFileDevice::NoError)
                return unlesbar();
            continue;
        }
        if (erste && roh.startsWith("\xEF\xBB\xBF"))
            roh.remove(0, 3);
        erste = false;
        while (roh.endsWith('\n') || roh.endsWith('\r'))
            roh.chop(1);
        const CQString zeile(QString::fromUtf8(roh));
        if (zeile.trimmed().isEmpty())
            continue;
        zellen.zerlege(zeile, true);
        if (zellen.gib_element(0).trimmed().startsWith(QLatin1Char('#')) || zellen.anzahl() < 2)
            continue;
        try {
            const CZeitVDN zeit(zellen.gib_element(0));
            gelesen[zellen.gib_element(1)] = zeit;
        } catch (const CFehlerBasis& fehler) {
            fehler.melde(true);
        }
    }
    for (auto& [pfad, zeit] : gelesen)
        ergaenze_unistall(pfad, zeit);
    return true;
}

bool CUninstallInfo::schreibe_unistall(bool melden)
{
    std::lock_guard<std::mutex> lock(schreib_mutex);
    const CUninstallMap karte = unistall_kopie();
    if (karte.empty())
        return true;
    // Never over a file that could not be read, nor in a folder held by another process.
    if (!ladefehler.isEmpty())
        return false;
    QByteArray inhalt;
    const auto zeile = [&inhalt](const QString& text) {
        inhalt += text.toUtf8();
        inhalt += "\r\n";
    };
    zeile(QStringLiteral("#"));
    zeile(QLatin1String("# ") + tr("ACHTUNG Uninstall-Information"));
    zeile(QLatin1String("# ") + tr("Bitte diese Datei nicht editieren oder loeschen"));
    zeile(QStringLiteral("#"));
    // Most records share a time (all of one install): its text is made once.
    const auto gleich = [](const CZeitVDN& a, const CZeitVDN& b) {
        return a.tag == b.tag && a.monat == b.monat && a.jahr == b.jahr && a.stunde == b.stunde
               && a.minute == b.minute && a.sekunde == b.sekunde && a.millisekunde == b.millisekunde;
    };
    const CZeitVDN* letzte_zeit = nullptr;
    QString zeittext;
    for (const auto& [pfad, zeit] : karte) {
        if (!letzte_zeit || !gleich(zeit, *letzte_zeit)) {
            zeittext = uninstall_zeile(QString(), zeit);
            letzte_zeit = &zeit;
        }
        zeile(zeittext + schluessel_text(pfad));
    }

    // The same records again: written already, or failed already and reported then.
    if (inhalt != letzter_inhalt) {
        letzter_inhalt = inhalt;
        const int trenner = dateiname.lastIndexOf(QLatin1Char('/'));
        const int ordner = oeffne_ordnerhandle(QFile::encodeName(trenner > 0 ? dateiname.left(trenner) : QStringLiteral("/")));
        letzter_erfolg = ordner >= 0 && schreibe_atomar(ordner, QFile::encodeName(dateiname.mid(trenner + 1)), inhalt);
        letzte_ursache = letzter_erfolg ? QString() : QString::fromLocal8Bit(std::strerror(errno));
        fehler_gemeldet = false;
        if (ordner >= 0)
            ::close(ordner);
    }
    if (!letzter_erfolg && melden && !fehler_gemeldet) {
        fehler_gemeldet = true;
        qmelde(2, klasse_kurz, CQString("schreibe_unistall"),
               CQString(tr("Kann Datei %1 nicht zum Schreiben oeffnen").arg(maskiere_steuerzeichen(dateiname))));
        // The line's wording is fixed; its cause goes to the log beside it.
        CQCat::gib_instanz()->error(CQString(maskiere_steuerzeichen(dateiname) + QLatin1String(": ") + letzte_ursache));
    }
    return letzter_erfolg;
}

void CUninstallInfo::remove_unistall()
{
    std::lock_guard<std::mutex> lock(schreib_mutex);
    {
        std::lock_guard<std::mutex> karten_lock(geteilt().karten_mutex);
        geteilt().karte.clear();
    }
    letzter_inhalt.clear();
    if (!QFile::remove(dateiname))
        qmelde(2, klasse_kurz, CQString("remove_unistall"),
               CQString(tr("Kann Datei %1 nicht loeschen").arg(maskiere_steuerzeichen(dateiname))));
}
