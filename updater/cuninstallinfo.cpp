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
#include <limits>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The texts of this file, in the translation context "UpdaterMainWindow" (a class of its own, so that
// lupdate sees the context too).
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(UpdaterMainWindow)
};

// Keys that the line splitter would change (a ";" inside, blanks at either end) are quoted.
QString schluessel_text(const QString& pfad)
{
    const auto ist_leer = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    if (pfad.contains(QLatin1Char(';')) || (!pfad.isEmpty() && (ist_leer(pfad.front()) || ist_leer(pfad.back()))))
        return QLatin1Char('"') + pfad + QLatin1Char('"');
    return pfad;
}

bool gleiche_zeit(const CZeitVDN& a, const CZeitVDN& b)
{
    return a.tag == b.tag && a.monat == b.monat && a.jahr == b.jahr && a.stunde == b.stunde && a.minute == b.minute
           && a.sekunde == b.sekunde && a.millisekunde == b.millisekunde;
}

// Appends the key as `schluessel_text` writes it, in UTF-8.
void haenge_schluessel_an(QByteArray& inhalt, const QString& pfad)
{
    const int n = pfad.size();
    const QChar* zeichen = pfad.constData();
    bool einfach = n > 0 && zeichen[0] != QLatin1Char(' ') && zeichen[0] != QLatin1Char('\t')
                   && zeichen[n - 1] != QLatin1Char(' ') && zeichen[n - 1] != QLatin1Char('\t');
    for (int i = 0; einfach && i < n; ++i)
        einfach = zeichen[i].unicode() < 0x80 && zeichen[i] != QLatin1Char(';');
    if (!einfach) {
        inhalt += schluessel_text(pfad).toUtf8();
        return;
    }
    const int alt = inhalt.size();
    inhalt.resize(alt + n);
    char* ziel = inhalt.data() + alt;
    for (int i = 0; i < n; ++i)
        ziel[i] = char(zeichen[i].unicode());
}

// A record line is a time, ";" and a relative path; a path cannot be longer than this.
constexpr qint64 zeilengrenze = 16 * 1024;
// The size of the pieces of the lines recorded since the last write in full.
constexpr int nachtrag_stueck = 64 * 1024;

// The piece of `stuecke` to which the next line goes: a new one once the last is full.
QByteArray& neues_stueck_bei_bedarf(QByteArrayList& stuecke)
{
    if (stuecke.isEmpty() || stuecke.constLast().size() >= nachtrag_stueck) {
        stuecke.append(QByteArray());
        stuecke.last().reserve(nachtrag_stueck + 1024);
    }
    return stuecke.last();
}

// What the jobs of the process share across threads, each under its own lock.
struct CGeteilt
{
    std::mutex ladefehler_mutex;
    QString ladefehler;
    std::mutex karten_mutex;
    CUninstallMap karte;
    // The lines of the records set since the map was last written in full, in the order they
    // came, and whether the map has only grown since (no record went or was set back). The
    // time text of the last line, made once for the many records of one run. The lines lie in
    // pieces of a fixed size: a write takes them as they are while new lines go to the last
    // piece, and no block grows, is copied and left behind in pieces of ever larger size.
    QByteArrayList nachtrag;
    bool nur_zugefuegt = true;
    // Counts the changes of the map (a hand on the map itself counts as one).
    quint64 aenderung = 0;
    CZeitVDN nachtrag_zeit;
    QByteArray nachtrag_zeittext;
};

CGeteilt& geteilt()
{
    static CGeteilt* g = new CGeteilt;
    return *g;
}

// Adds the line of a record set just now to the lines since the last write in full (the map's
// lock is held).
void haenge_an_nachtrag(CGeteilt& g, const QString& pfad, const CZeitVDN& zeit)
{
    if (g.nachtrag_zeittext.isEmpty() || !gleiche_zeit(zeit, g.nachtrag_zeit)) {
        g.nachtrag_zeittext = uninstall_zeile(QString(), zeit).toUtf8();
        g.nachtrag_zeit = zeit;
    }
    QByteArray& stueck = neues_stueck_bei_bedarf(g.nachtrag);
    stueck += g.nachtrag_zeittext;
    haenge_schluessel_an(stueck, pfad);
    stueck += "\r\n";
}

// Takes the records read from the file: an empty map (as at the program's start) takes them as
// they are, so that the many records of a large file are not held twice; else one by one.
void uebernimm(CUninstallMap&& gelesen)
{
    CGeteilt& g = geteilt();
    {
        std::lock_guard<std::mutex> lock(g.karten_mutex);
        if (g.karte.empty()) {
            ++g.aenderung;
            g.karte = std::move(gelesen);
            for (const auto& [pfad, zeit] : g.karte)
                haenge_an_nachtrag(g, pfad, zeit);
            return;
        }
    }
    for (const auto& [pfad, zeit] : gelesen)
        ergaenze_unistall(pfad, zeit);
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
    ++geteilt().aenderung;
    return geteilt().karte;
}

std::optional<CZeitVDN> ergaenze_unistall(const QString& pfad, const CZeitVDN& zeit)
{
    CGeteilt& g = geteilt();
    std::lock_guard<std::mutex> lock(g.karten_mutex);
    std::optional<CZeitVDN> vorher;
    ++g.aenderung;
    const auto [eintrag, neu] = g.karte.try_emplace(pfad, zeit);
    if (!neu) {
        vorher = eintrag->second;
        eintrag->second = zeit;
    }
    haenge_an_nachtrag(g, pfad, zeit);
    return vorher;
}

void setze_unistall_zurueck(const QString& pfad, const std::optional<CZeitVDN>& vorher)
{
    std::lock_guard<std::mutex> lock(geteilt().karten_mutex);
    ++geteilt().aenderung;
    if (vorher)
        geteilt().karte[pfad] = *vorher;
    else
        geteilt().karte.erase(pfad);
    geteilt().nur_zugefuegt = false;
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
    : dateiname(verzeichnis + QLatin1Char('/') + unistall_dateiname()), sperre(std::make_unique<CZielsperre>(verzeichnis))
{
    if (!sperre->gehalten()) {
        ladefehler = sperre->gib_fehlertext();
    } else {
        lies_unistall();
        // The folder is this process's now: what a killed run left half-way goes.
        if (const int ordner = oeffne_ordnerhandle(QFile::encodeName(verzeichnis)); ordner >= 0) {
            entferne_verwaiste_tempdateien(ordner);
            ::close(ordner);
        }
    }
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
        ladefehler = Text::tr("Kann Datei %1 nicht zum Lesen oeffnen").arg(maskiere_steuerzeichen(dateiname));
        return false;
    };
    // Without blocking on a FIFO and without following a link: only a regular file is read.
    QFile datei(dateiname);
    if (!oeffne_regulaere_datei(datei, QIODevice::ReadOnly, O_NOFOLLOW))
        return errno == ENOENT ? true : unlesbar();
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
    uebernimm(std::move(gelesen));
    return true;
}

QByteArray CUninstallInfo::kopf() const
{
    QByteArray inhalt;
    for (const QString& zeile : {QStringLiteral("#"), QLatin1String("# ") + Text::tr("ACHTUNG Uninstall-Information"),
                                 QLatin1String("# ") + Text::tr("Bitte diese Datei nicht editieren oder loeschen"),
                                 QStringLiteral("#")})
        inhalt += zeile.toUtf8() + "\r\n";
    return inhalt;
}

bool CUninstallInfo::schreibe_unistall(bool melden)
{
    std::lock_guard<std::mutex> lock(schreib_mutex);
    // Never over a file that could not be read, nor in a folder held by another process.
    if (!ladefehler.isEmpty())
        return unistall_anzahl() == 0;
    QByteArrayList inhalt;
    quint64 stand = 0;
    {
        // The lines are made straight from the map, and a plain ASCII key is copied without a
        // conversion.
        CGeteilt& g = geteilt();
        std::lock_guard<std::mutex> karten_lock(g.karten_mutex);
        if (g.karte.empty())
            return true;
        stand = g.aenderung;
        // Nothing changed since the last write in full: it stands, or it failed and was reported.
        if (stand == letzter_stand && letzter_voll)
            return melde_ergebnis(melden);
        // The lines since and the last write in full go before the whole is made: with many
        // records they would make the run's largest moment in memory. Should the making fail,
        // the next write is one in full again. The whole is made in pieces of the size of those
        // lines', which take the memory those gave back.
        g.nachtrag.clear();
        g.nur_zugefuegt = false;
        basis.clear();
        inhalt << kopf();
        // Most records share a time (all of one install): its text is made once.
        const CZeitVDN* letzte_zeit = nullptr;
        QByteArray zeittext;
        for (const auto& [pfad, zeit] : g.karte) {
            if (!letzte_zeit || !gleiche_zeit(zeit, *letzte_zeit)) {
                zeittext = uninstall_zeile(QString(), zeit).toUtf8();
                letzte_zeit = &zeit;
            }
            QByteArray& stueck = neues_stueck_bei_bedarf(inhalt);
            stueck += zeittext;
            haenge_schluessel_an(stueck, pfad);
            stueck += "\r\n";
        }
        g.nur_zugefuegt = true;
    }
    basis = inhalt;
    return schreibe_inhalt(stand, true, inhalt, melden);
}

bool CUninstallInfo::schreibe_zwischenstand(bool melden)
{
    {
        std::lock_guard<std::mutex> lock(schreib_mutex);
        if (!ladefehler.isEmpty())
            return unistall_anzahl() == 0;
        QByteArrayList nachtrag;
        bool nur_zugefuegt = false;
        quint64 stand = 0;
        {
            CGeteilt& g = geteilt();
            std::lock_guard<std::mutex> karten_lock(g.karten_mutex);
            if (g.karte.empty())
                return true;
            nur_zugefuegt = g.nur_zugefuegt;
            nachtrag = g.nachtrag;
            stand = g.aenderung;
        }
        // The content follows from the map's state: the same state, the same records.
        if (nur_zugefuegt && stand == letzter_stand)
            return melde_ergebnis(melden);
        // The two parts go to the file as they are, without a copy of the whole.
        if (nur_zugefuegt)
            return schreibe_inhalt(stand, false, (basis.isEmpty() ? QByteArrayList{kopf()} : basis) + nachtrag, melden);
    }
    return schreibe_unistall(melden);
}

bool CUninstallInfo::schreibe_inhalt(quint64 stand, bool voll, const QByteArrayList& teile, bool melden)
{
    letzter_stand = stand;
    letzter_voll = voll;
    const int trenner = dateiname.lastIndexOf(QLatin1Char('/'));
    const int ordner = oeffne_ordnerhandle(QFile::encodeName(trenner > 0 ? dateiname.left(trenner) : QStringLiteral("/")));
    letzter_erfolg = ordner >= 0 && schreibe_atomar(ordner, QFile::encodeName(dateiname.mid(trenner + 1)), teile);
    letzte_ursache = letzter_erfolg ? QString() : QString::fromLocal8Bit(std::strerror(errno));
    fehler_gemeldet = false;
    if (ordner >= 0)
        ::close(ordner);
    return melde_ergebnis(melden);
}

bool CUninstallInfo::melde_ergebnis(bool melden)
{
    if (!letzter_erfolg && melden && !fehler_gemeldet) {
        fehler_gemeldet = true;
        qmelde(2, klasse_kurz, CQString("schreibe_unistall"),
               CQString(Text::tr("Kann Datei %1 nicht zum Schreiben oeffnen").arg(maskiere_steuerzeichen(dateiname))));
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
        ++geteilt().aenderung;
        geteilt().nachtrag.clear();
        geteilt().nur_zugefuegt = true;
    }
    letzter_stand = ~quint64(0);
    basis.clear();
    if (!QFile::remove(dateiname))
        qmelde(2, klasse_kurz, CQString("remove_unistall"),
               CQString(Text::tr("Kann Datei %1 nicht loeschen").arg(maskiere_steuerzeichen(dateiname))));
}
