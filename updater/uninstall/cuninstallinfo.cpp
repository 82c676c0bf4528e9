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
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// The texts of this file, in the translation context "UpdaterMainWindow" (a class of its own, so that
// lupdate sees the context too).
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(UpdaterMainWindow)
};

bool gleiche_zeit(const CZeitVDN& a, const CZeitVDN& b)
{
    return a.tag == b.tag && a.monat == b.monat && a.jahr == b.jahr && a.stunde == b.stunde && a.minute == b.minute
           && a.sekunde == b.sekunde && a.millisekunde == b.millisekunde;
}

// Appends the key (UTF-8) as the file holds it: a key that the line splitter would change (a ";"
// inside, blanks at either end) is quoted.
void haenge_schluessel_an(QByteArray& inhalt, const char* pfad, int laenge)
{
    const auto ist_leer = [](char c) { return c == ' ' || c == '\t'; };
    const bool quoten = laenge > 0 && (ist_leer(pfad[0]) || ist_leer(pfad[laenge - 1]) || std::memchr(pfad, ';', std::size_t(laenge)));
    if (quoten)
        inhalt += '"';
    inhalt.append(pfad, laenge);
    if (quoten)
        inhalt += '"';
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

// The text of the time in a record line, with the ";" that follows; made once for the many
// records of one time.
struct CZeittext
{
    const QByteArray& zu(const CZeitVDN& zeit)
    {
        if (text.isEmpty() || !gleiche_zeit(zeit, fuer)) {
            text = uninstall_zeile(QString(), zeit).toUtf8();
            fuer = zeit;
        }
        return text;
    }
    CZeitVDN fuer;
    QByteArray text;
};

// What the jobs of the process share across threads, each under its own lock.
struct CGeteilt
{
    std::mutex ladefehler_mutex;
    QString ladefehler;
    std::mutex karten_mutex;
    CUninstallKarte karte;
    // The lines of the records set since the map was last written, in the order they came, and
    // whether the map has only grown since the last write in full (no record went or was set
    // back). The lines lie in pieces of a fixed size: a write takes them as they are while new
    // lines go to the last piece, and no block grows, is copied and left behind in pieces of
    // ever larger size.
    QByteArrayList nachtrag;
    bool nur_zugefuegt = true;
    // Counts the changes of the map (a hand on the map itself counts as one).
    quint64 aenderung = 0;
    // Times of paths on record were set that only a write in full takes (see `ergaenze_unistall`).
    bool zeiten_offen = false;
    CZeittext nachtrag_zeit;
};

CGeteilt& geteilt()
{
    static CGeteilt* g = new CGeteilt;
    return *g;
}

// Sets the record of the path (UTF-8) and adds its line to the lines since the last write (the
// map's lock is held); the time it had before.
std::optional<CZeitVDN> setze_eintrag(CGeteilt& g, const QByteArray& pfad, const CZeitVDN& zeit)
{
    ++g.aenderung;
    std::optional<CZeitVDN> vorher = g.karte.setze(pfad, zeit);
    QByteArray& stueck = neues_stueck_bei_bedarf(g.nachtrag);
    stueck += g.nachtrag_zeit.zu(zeit);
    haenge_schluessel_an(stueck, pfad.constData(), pfad.size());
    stueck += "\r\n";
    return vorher;
}

// Takes the records read from the file: an empty map (as at the program's start) takes them as
// they are, so that the many records of a large file are not held twice (true, with the map's
// change `stand` that holds them); else one by one, each with its line for the next write.
bool uebernimm(CUninstallKarte&& gelesen, quint64& stand)
{
    CGeteilt& g = geteilt();
    std::lock_guard<std::mutex> lock(g.karten_mutex);
    if (g.karte.empty()) {
        stand = ++g.aenderung;
        g.karte = std::move(gelesen);
        g.nachtrag.clear();
        g.nur_zugefuegt = true;
        return true;
    }
    gelesen.fuer_jeden([&g](const char* pfad, int laenge, const CZeitVDN& zeit) {
        setze_eintrag(g, QByteArray::fromRawData(pfad, laenge), zeit);
    });
    return false;
}

// The file's state as `merke_basis` keeps it: what `st` says, read with these, and its times of
// birth and of the last changes of its content and its state.
constexpr unsigned statx_maske = STATX_BASIC_STATS | STATX_BTIME;

std::array<qint64, 6> zeiten_von(const struct statx& st)
{
    return {st.stx_btime.tv_sec, st.stx_btime.tv_nsec, st.stx_mtime.tv_sec, st.stx_mtime.tv_nsec, st.stx_ctime.tv_sec,
            st.stx_ctime.tv_nsec};
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

CUninstallKarte& unistall_map()
{
    ++geteilt().aenderung;
    return geteilt().karte;
}

std::optional<CZeitVDN> ergaenze_unistall(const QString& pfad, const CZeitVDN& zeit)
{
    const QByteArray schluessel = pfad.toUtf8();
    CGeteilt& g = geteilt();
    std::lock_guard<std::mutex> lock(g.karten_mutex);
    return setze_eintrag(g, schluessel, zeit);
}

std::optional<CZeitVDN> ergaenze_unistall(const QString& pfad, const CZeitVDN& zeit, bool& spaeter)
{
    const QByteArray schluessel = pfad.toUtf8();
    CGeteilt& g = geteilt();
    std::lock_guard<std::mutex> lock(g.karten_mutex);
    std::optional<CZeitVDN> vorher = g.karte.zeit_von(schluessel);
    spaeter = vorher.has_value();
    if (!spaeter)
        return setze_eintrag(g, schluessel, zeit);
    // An update replaces most of its files, all of them on record: each line would cost an
    // intermediate write that names nothing new.
    g.karte.setze(schluessel, zeit);
    g.zeiten_offen = true;
    return vorher;
}

void setze_unistall_zurueck(const QString& pfad, const std::optional<CZeitVDN>& vorher)
{
    const QByteArray schluessel = pfad.toUtf8();
    std::lock_guard<std::mutex> lock(geteilt().karten_mutex);
    ++geteilt().aenderung;
    if (vorher)
        geteilt().karte.setze(schluessel, *vorher);
    else
        geteilt().karte.entferne(schluessel);
    geteilt().nur_zugefuegt = false;
}

std::optional<CZeitVDN> unistall_eintrag(const QString& pfad)
{
    const QByteArray schluessel = pfad.toUtf8();
    std::lock_guard<std::mutex> lock(geteilt().karten_mutex);
    return geteilt().karte.zeit_von(schluessel);
}

CUninstallMap unistall_kopie()
{
    std::lock_guard<std::mutex> lock(geteilt().karten_mutex);
    return geteilt().karte.als_map();
}

CUninstallKarte::Auszug unistall_auszug()
{
    std::lock_guard<std::mutex> lock(geteilt().karten_mutex);
    return geteilt().karte.auszug();
}

std::size_t unistall_anzahl()
{
    std::lock_guard<std::mutex> lock(geteilt().karten_mutex);
    return geteilt().karte.size();
}

QString uninstall_zeile(const QString& pfad, const CZeitVDN& zeit)
{
    QByteArray schluessel;
    const QByteArray utf8 = pfad.toUtf8();
    haenge_schluessel_an(schluessel, utf8.constData(), utf8.size());
    return zeit.als_qstring(true, true, false) + QLatin1Char(';') + QString::fromUtf8(schluessel);
}

std::unique_ptr<CZielsperre> halte_ziel(const QString& ordner, CZielsperre::Zugriff zugriff, CUninstallInfo* info,
                                        const std::function<void(const QString&)>& beim_warten,
                                        const std::function<bool()>& angehalten)
{
    std::function<void()> beim_nehmen;
    if (info)
        beim_nehmen = [info] { info->lies_neu(); };
    return std::make_unique<CZielsperre>(ordner, zugriff, beim_warten, beim_nehmen, angehalten);
}

CUninstallInfo::CUninstallInfo() : CUninstallInfo(gib_zielverzeichnis()) {}

// Read without the folder's lock, which another updater may hold now: a file is always replaced
// whole, so this is what a run left. Each job reads it afresh under the lock.
CUninstallInfo::CUninstallInfo(const QString& verzeichnis) : dateiname(verzeichnis + QLatin1Char('/') + unistall_dateiname())
{
    lies_unistall();
    setze_ladefehler(ladefehler);
}

// Writes nothing: the jobs wrote the records while they held the folder; now another process
// may hold it.
CUninstallInfo::~CUninstallInfo()
{
    setze_ladefehler(QString());
}

void CUninstallInfo::lies_neu()
{
    std::lock_guard<std::mutex> lock(schreib_mutex);
    // Most often nothing changed it since the program read it at its start, or since the last job
    // wrote it: the many records of a large file are not read a second time.
    if (!ist_wie_basis()) {
        {
            CGeteilt& g = geteilt();
            std::lock_guard<std::mutex> karten_lock(g.karten_mutex);
            // Emptied first, so that the old records and the new ones are never held at once.
            g.karte.clear();
            ++g.aenderung;
            g.nachtrag.clear();
            g.nur_zugefuegt = true;
            g.zeiten_offen = false;
        }
        letzter_stand = ~quint64(0);
        merke_basis(nullptr);
        ladefehler.clear();
        lies_unistall();
        setze_ladefehler(ladefehler);
    }
    const int trenner = dateiname.lastIndexOf(QLatin1Char('/'));
    if (const int ordner = oeffne_ordnerhandle(QFile::encodeName(dateiname.left(qMax(trenner, 1)))); ordner >= 0) {
        entferne_verwaiste_tempdateien(ordner);
        ::close(ordner);
    }
}

bool CUninstallInfo::lies_unistall()
{
    const auto unlesbar = [this] {
        ladefehler = Text::tr("Kann Datei %1 nicht zum Lesen oeffnen").arg(maskiere_steuerzeichen(dateiname));
        return false;
    };
    // Without blocking on a FIFO and without following a link: only a regular file is read.
    QFile datei(dateiname);
    if (!oeffne_regulaere_datei(datei, QIODevice::ReadOnly, O_NOFOLLOW)) {
        // Not there, nor its folder (or what stands at the folder's name is none): no records.
        // The work itself names the target.
        if (errno != ENOENT && errno != ENOTDIR)
            return unlesbar();
        eintraege_auf_platte = false;
        return true;
    }
    // All lines are read before any record is taken, so that a read error changes nothing.
    CUninstallKarte gelesen;
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
            gelesen.setze(zellen.gib_element(1).toUtf8(), zeit);
        } catch (const CFehlerBasis& fehler) {
            fehler.melde(true);
        }
    }
    eintraege_auf_platte = !gelesen.empty();
    // Taken whole, the map is what the file says: the lines of this run's records can follow it,
    // when its last line is ended.
    if (quint64 stand = 0; uebernimm(std::move(gelesen), stand)) {
        struct statx st;
        char ende = 0;
        const bool basis = ::statx(datei.handle(), "", AT_EMPTY_PATH, statx_maske, &st) == 0 && st.stx_size > 0
                           && ::pread(datei.handle(), &ende, 1, qint64(st.stx_size) - 1) == 1 && ende == '\n';
        merke_basis(basis ? &st : nullptr, stand);
    }
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

std::optional<bool> CUninstallInfo::ohne_schreiben(bool voll, bool melden, quint64& stand)
{
    // Never over a file that could not be read, nor in a folder held by another process.
    if (!ladefehler.isEmpty())
        return unistall_anzahl() == 0;
    CGeteilt& g = geteilt();
    std::lock_guard<std::mutex> karten_lock(g.karten_mutex);
    if (g.karte.empty() && !eintraege_auf_platte)
        return true;
    stand = g.aenderung;
    // In full: nothing changed since the last write in full, which stands, or failed and was
    // reported. Adding: the content follows from the map's state; the same state, the same records.
    const bool wie_zuletzt = voll ? stand == letzter_stand && letzter_voll && !g.zeiten_offen
                                  : g.nur_zugefuegt && stand == letzter_stand;
    if (wie_zuletzt)
        return melde_ergebnis(melden);
    return std::nullopt;
}

bool CUninstallInfo::schreibe_unistall(bool melden, int ordner)
{
    std::lock_guard<std::mutex> lock(schreib_mutex);
    quint64 stand = 0;
    if (const std::optional<bool> ergebnis = ohne_schreiben(true, melden, stand))
        return *ergebnis;
    CGeteilt& g = geteilt();
    bool leer = false;
    // The lines are made straight from the map into the file, a piece at a time: the whole
    // content is never held in memory. The map stays locked while they are made, so that the
    // file holds one state of it; the lines since the last write go, as the file holds them.
    const bool ok = schreibe_inhalt(stand, true, [this, &g, &stand, &leer](int fd) {
        std::lock_guard<std::mutex> karten_lock(g.karten_mutex);
        stand = g.aenderung;
        leer = g.karte.empty();
        g.nachtrag.clear();
        g.nur_zugefuegt = true;
        g.zeiten_offen = false;
        QByteArray stueck = kopf();
        stueck.reserve(nachtrag_stueck + 1024);
        CZeittext zeittext;
        bool ok = true;
        g.karte.fuer_jeden([&](const char* pfad, int laenge, const CZeitVDN& zeit) {
            if (!ok)
                return;
            stueck += zeittext.zu(zeit);
            haenge_schluessel_an(stueck, pfad, laenge);
            stueck += "\r\n";
            if (stueck.size() >= nachtrag_stueck) {
                ok = schreibe_ganz(fd, stueck.constData(), stueck.size());
                stueck.resize(0);
            }
        });
        return ok && schreibe_ganz(fd, stueck.constData(), stueck.size());
    }, melden, ordner);
    if (ok)
        eintraege_auf_platte = !leer;
    return ok;
}

bool CUninstallInfo::schreibe_zwischenstand(bool melden, int ordner)
{
    {
        std::lock_guard<std::mutex> lock(schreib_mutex);
        quint64 stand = 0;
        if (const std::optional<bool> ergebnis = ohne_schreiben(false, melden, stand))
            return *ergebnis;
        CGeteilt& g = geteilt();
        // The new lines follow the last written file, copied on disk. That is only while it is
        // still the file this information wrote last (opened without waiting on whatever else
        // may have taken its name).
        const int basis = basis_groesse < 0 ? -1
                                            : ::openat(ordner >= 0 ? ordner : AT_FDCWD, name_in(ordner).constData(),
                                                       O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        struct stat st;
        if (basis >= 0 && (::fstat(basis, &st) != 0 || !S_ISREG(st.st_mode) || quint64(st.st_dev) != basis_geraet
                           || quint64(st.st_ino) != basis_inode || qint64(st.st_size) != basis_groesse)) {
            ::close(basis);
            merke_basis(nullptr);
        } else if (basis >= 0) {
            QByteArrayList nachtrag;
            bool nur_zugefuegt = false;
            {
                std::lock_guard<std::mutex> karten_lock(g.karten_mutex);
                nur_zugefuegt = g.nur_zugefuegt && !g.karte.empty();
                if (nur_zugefuegt) {
                    nachtrag.swap(g.nachtrag);
                    stand = g.aenderung;
                }
            }
            if (nur_zugefuegt) {
                const qint64 groesse = basis_groesse;
                const bool ok = schreibe_inhalt(stand, false, [basis, groesse, &nachtrag](int fd) {
                    if (!kopiere_inhalt(basis, fd, groesse))
                        return false;
                    for (const QByteArray& teil : nachtrag)
                        if (!schreibe_ganz(fd, teil.constData(), teil.size()))
                            return false;
                    return true;
                }, melden, ordner);
                // Failed, it leaves no base: the next write is one in full and takes the lines
                // from the map.
                ::close(basis);
                eintraege_auf_platte = eintraege_auf_platte || ok;
                return ok;
            }
            ::close(basis);
        }
    }
    return schreibe_unistall(melden, ordner);
}

QByteArray CUninstallInfo::name_in(int ordner) const
{
    return QFile::encodeName(ordner >= 0 ? dateiname.mid(dateiname.lastIndexOf(QLatin1Char('/')) + 1) : dateiname);
}

bool CUninstallInfo::schreibe_inhalt(quint64& stand, bool voll, const std::function<bool(int fd)>& schreibe, bool melden,
                                     int gehalten)
{
    const int trenner = dateiname.lastIndexOf(QLatin1Char('/'));
    const int ordner = gehalten >= 0 ? gehalten
                                     : oeffne_ordnerhandle(QFile::encodeName(trenner > 0 ? dateiname.left(trenner) : QStringLiteral("/")));
    const QByteArray name = QFile::encodeName(dateiname.mid(trenner + 1));
    letzter_erfolg = ordner >= 0 && schreibe_atomar(ordner, name, schreibe);
    letzte_ursache = letzter_erfolg ? QString() : systemfehler(errno);
    letzter_stand = stand;
    letzter_voll = voll;
    fehler_gemeldet = false;
    // The file now on disk is the base of the next write that adds to it.
    struct statx st;
    merke_basis(letzter_erfolg && ::statx(ordner, name.constData(), AT_SYMLINK_NOFOLLOW, statx_maske, &st) == 0 ? &st : nullptr,
                stand);
    if (ordner >= 0 && ordner != gehalten)
        ::close(ordner);
    return melde_ergebnis(melden);
}

void CUninstallInfo::merke_basis(const struct statx* st, quint64 stand)
{
    basis_geraet = st ? quint64(makedev(st->stx_dev_major, st->stx_dev_minor)) : 0;
    basis_inode = st ? quint64(st->stx_ino) : 0;
    basis_groesse = st ? qint64(st->stx_size) : -1;
    basis_zeiten.reset();
    if (st && (st->stx_mask & STATX_BTIME))
        basis_zeiten = zeiten_von(*st);
    basis_stand = stand;
}

bool CUninstallInfo::ist_wie_basis()
{
    struct statx st;
    if (!ladefehler.isEmpty() || !basis_zeiten
        || ::statx(AT_FDCWD, QFile::encodeName(dateiname).constData(), AT_SYMLINK_NOFOLLOW, statx_maske, &st) != 0
        || !S_ISREG(st.stx_mode) || !(st.stx_mask & STATX_BTIME) || quint64(makedev(st.stx_dev_major, st.stx_dev_minor)) != basis_geraet
        || st.stx_ino != basis_inode || qint64(st.stx_size) != basis_groesse || zeiten_von(st) != *basis_zeiten)
        return false;
    CGeteilt& g = geteilt();
    std::lock_guard<std::mutex> karten_lock(g.karten_mutex);
    return g.aenderung == basis_stand && !g.zeiten_offen;
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

bool CUninstallInfo::remove_unistall(int ordner)
{
    std::lock_guard<std::mutex> lock(schreib_mutex);
    {
        std::lock_guard<std::mutex> karten_lock(geteilt().karten_mutex);
        geteilt().karte.clear();
        ++geteilt().aenderung;
        geteilt().nachtrag.clear();
        geteilt().nur_zugefuegt = true;
        geteilt().zeiten_offen = false;
    }
    letzter_stand = ~quint64(0);
    merke_basis(nullptr);
    if (::unlinkat(ordner >= 0 ? ordner : AT_FDCWD, name_in(ordner).constData(), 0) == 0) {
        eintraege_auf_platte = false;
        return true;
    }
    qmelde(2, klasse_kurz, CQString("remove_unistall"),
           CQString(mit_systemfehler(Text::tr("Kann Datei %1 nicht loeschen").arg(maskiere_steuerzeichen(dateiname)), errno)));
    return false;
}
