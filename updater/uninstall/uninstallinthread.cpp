#include "uninstallinthread.h"
#include "ccbaselog.h"
#include "cuninstallinfo.h"
#include "cuninstallschreiber.h"
#include "czielsperre.h"
#include "klassen.h"
#include "melde.h"
#include "namensfaltung.h"
#include "parallelschleife.h"
#include "steuerzeichen.h"
#include "verzeichnisse.h"
#include "zielordner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// The texts of this file, in the translation context "UpdaterMainWindow" (a class of its own, so that
// lupdate sees the context too).
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(UpdaterMainWindow)
};

void melde_info(const QString& text)
{
    qmelde(5, klasse_kurz, CQString("UninstallInThread"), CQString(text));
}

void melde_fehler(const QString& text)
{
    qmelde(2, klasse_kurz, CQString("UninstallInThread"), CQString(text));
}

const char* const datei_fehler = QT_TRANSLATE_NOOP("UpdaterMainWindow", "Fehlgeschlagen Löschen Datei %1");
const char* const ordner_fehler = QT_TRANSLATE_NOOP("UpdaterMainWindow", "Fehlgeschlagen Löschen Verzeichnis %1");

// Reports one deletion; 1 when it failed.
int berichte(bool geloescht, const QString& pfad, const char* fehlertext)
{
    if (geloescht) {
        melde_info(Text::tr("gelöscht %1").arg(maskiere_steuerzeichen(pfad)));
        return 0;
    }
    melde_fehler(Text::tr(fehlertext).arg(maskiere_steuerzeichen(pfad)));
    return 1;
}

// The handles of the folders in which a walk over the records removes what they name, each
// opened from the root's handle: a link below the root that leads out of it ends the path there.
// The records of one folder follow one another in key order and share its handle; a few dozen
// folders are kept in reach, and let go between two runs of removals.
class COrdnerhandles
{
public:
    explicit COrdnerhandles(int wurzel) : wurzel(wurzel) {}
    ~COrdnerhandles() { leere(); }
    COrdnerhandles(const COrdnerhandles&) = delete;
    COrdnerhandles& operator=(const COrdnerhandles&) = delete;

    // The handle of the folder `relativ` (empty: the root); -1 with errno when it cannot be opened.
    int zu(const QByteArray& relativ)
    {
        if (relativ.isEmpty())
            return wurzel;
        if (const auto offen = handles.constFind(relativ); offen != handles.constEnd())
            return *offen;
        const int fd = oeffne_unterhalb(wurzel, relativ, O_PATH | O_DIRECTORY);
        if (fd >= 0)
            handles.insert(relativ, fd);
        return fd;
    }
    bool voll() const { return handles.size() >= 64; }
    void leere()
    {
        for (const int fd : std::as_const(handles))
            ::close(fd);
        handles.clear();
    }

private:
    const int wurzel;
    QHash<QByteArray, int> handles;
};

// A file (or, with AT_REMOVEDIR, an empty folder) to remove, named by its path relative to the
// root: its folder's handle and its name there. Without a handle (-1) `entfernt` says already
// whether it counts as removed, and `spaeter` that no handle was free for it.
struct CEntfernung
{
    int fd = -1;
    QByteArray name;
    int art = 0;
    bool entfernt = false;
    bool spaeter = false;
};

CEntfernung bereite_entfernung_vor(COrdnerhandles& ordner, const QString& relativ, int art)
{
    CEntfernung e;
    e.art = art;
    const QByteArray pfad = QFile::encodeName(relativ);
    const int trenner = pfad.lastIndexOf('/');
    e.name = pfad.mid(trenner + 1);
    if (e.name.isEmpty() || e.name == "." || e.name == "..")
        return e;
    e.fd = ordner.zu(trenner < 0 ? QByteArray() : pfad.left(trenner));
    // What is gone already counts as removed: a run that was killed, or an install killed
    // before a recorded file took its name, leaves such records.
    e.entfernt = e.fd < 0 && errno == ENOENT;
    e.spaeter = e.fd < 0 && (errno == EMFILE || errno == ENFILE);
    return e;
}

// A folder where a file was recorded stays (EISDIR). A link itself is removed, never what it
// points to.
void entferne(CEntfernung& e)
{
    if (e.fd >= 0)
        e.entfernt = ::unlinkat(e.fd, e.name.constData(), e.art) == 0 || errno == ENOENT;
}

bool entferne_unterhalb(COrdnerhandles& ordner, const QString& relativ, int art)
{
    if (ordner.voll())
        ordner.leere();
    CEntfernung e = bereite_entfernung_vor(ordner, relativ, art);
    if (e.spaeter) {
        ordner.leere();
        e = bereite_entfernung_vor(ordner, relativ, art);
    }
    entferne(e);
    return e.entfernt;
}

// Whether the relative path names a folder below the root (a link counts as none).
bool ist_ordner_unterhalb(int wurzel, const QString& relativ)
{
    const int fd = oeffne_unterhalb(wurzel, QFile::encodeName(relativ), O_PATH | O_NOFOLLOW);
    if (fd < 0)
        return false;
    struct stat st{};
    const bool ordner = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    ::close(fd);
    return ordner;
}

// A key may never lead out of its folder: no ".." part, with either separator, and no Windows
// path of its own (a drive or a leading backslash), which here would name a file relative to the
// working folder.
bool verlaesst_wurzel(const QString& schluessel)
{
    if (schluessel.startsWith(QLatin1Char('\\')) || schluessel.contains(QLatin1Char(':')))
        return true;
    if (!schluessel.contains(QLatin1String("..")))
        return false;
    QString s = schluessel;
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList teile = s.split(QLatin1Char('/'));
    return teile.contains(QStringLiteral(".."));
}

QString ohne_endtrenner(QString pfad)
{
    if (pfad.endsWith(QLatin1Char('/')) || pfad.endsWith(QLatin1Char('\\')))
        pfad.chop(1);
    return pfad;
}

// Whether the key stands at the place of the records' own file (a record of that name from an
// install that wrote over them): deleting that would lose every record. The file goes with the
// records once the uninstall has succeeded.
bool an_stelle_der_aufzeichnung(int wurzel_fd, const QString& schluessel)
{
    // A key of ASCII alone must hold the name; one of other characters may fold to it ("ﬆ").
    if (!schluessel.contains(unistall_dateiname(), Qt::CaseInsensitive) && nur_ascii(schluessel))
        return false;
    const QStringList teile = namensteile(schluessel);
    // Only a name equal but for case can name the same file.
    if (teile.isEmpty() || !gleich_gefaltet(teile.front(), unistall_dateiname()))
        return false;
    struct stat eintrag{};
    struct stat aufzeichnung{};
    return ::fstatat(wurzel_fd, QFile::encodeName(teile.front()).constData(), &eintrag, AT_SYMLINK_NOFOLLOW) == 0
           && ::fstatat(wurzel_fd, QFile::encodeName(unistall_dateiname()).constData(), &aufzeichnung, AT_SYMLINK_NOFOLLOW) == 0
           && eintrag.st_dev == aufzeichnung.st_dev && eintrag.st_ino == aufzeichnung.st_ino;
}

// Whether a folder is the root itself, however the key spelled it ("/", "./", "" ...).
bool ist_wurzel(const QString& ordner, const QString& wurzel)
{
    return QDir::cleanPath(ordner).compare(QDir::cleanPath(wurzel), Qt::CaseInsensitive) == 0;
}

// Why the records cannot be used now: another process holds the root, or "uninstall.dat"
// could not be read; empty when they can.
QString hindernis(const CZielsperre& sperre)
{
    return sperre.gehalten() ? gib_unistall_ladefehler() : sperre.gib_fehlertext();
}

void zeige_eintraege(CCBaseLog* log, const QString& wurzel, const CQString& produkt)
{
    const CZielsperre sperre(wurzel);
    const CUninstallKarte::Auszug karte = unistall_auszug();
    if (log) {
        log->neue_titelzeile(CQString(Text::tr("Inhalt der Uninstall Information 'uninstall.dat'")));
        log->setze_abbruch();
        log->setTotalSteps(static_cast<int>(karte.size()));
    }
    if (const QString grund = hindernis(sperre); !grund.isEmpty()) {
        if (log)
            log->neue_textzeile(CQString(grund), 1);
        return;
    }
    if (karte.empty()) {
        if (log)
            log->neue_textzeile(CQString(Text::tr("Keine Uninstall Information für %1 gefunden !").arg(produkt)), 1);
        return;
    }
    CUninstallKarte::Auszug::Leser leser(karte);
    QString pfad;
    const CZeitVDN* zeit = nullptr;
    for (int k = 1; log && leser.naechster(pfad, zeit); ++k) {
        const QString zeile = QStringLiteral("%1: %2  %3")
                                  .arg(k, 4, 10, QLatin1Char('0'))
                                  .arg(zeit->als_qstring(true, true, false), maskiere_steuerzeichen(pfad));
        // The window shows its lines as rich text: a key such as "a<b>.txt" must stay text, and
        // the two blanks before it must not collapse into one.
        log->neue_textzeile(CQString(QLatin1String("<span style=\"white-space:pre\">") + zeile.toHtmlEscaped()
                                     + QLatin1String("</span>")),
                            0);
        log->setze_fortschritt(k);
    }
}

// Takes the record of what is gone off the map and keeps "uninstall.dat" current with it. A
// write that fails (reported once) does not stop the run: what it deletes next only leaves the
// file on disk naming more than is there, which an uninstall counts as removed, and on a full
// disk each deletion makes room for the next write. The last write decides.
void vergiss(CUninstallSchreiber& schreiber, const QString& schluessel)
{
    setze_unistall_zurueck(schluessel);
    (void)schreiber.bei_bedarf();
}

// Removes what killed runs left in the folders of the records (a file waits in its folder, or in
// the deepest level of it that was there, until it takes its name), so that those folders can go.
void raeume_auf(int wurzel_fd, const CUninstallKarte::Auszug& karte)
{
    QSet<QString> ordner{QString()};
    CUninstallKarte::Auszug::Leser leser(karte);
    QString schluessel;
    const CZeitVDN* zeit = nullptr;
    while (leser.naechster(schluessel, zeit)) {
        if (verlaesst_wurzel(schluessel))
            continue;
        QString pfad = ohne_endtrenner(schluessel);
        if (schluessel.endsWith(QLatin1Char('/')))
            ordner.insert(pfad);
        for (int trenner = pfad.lastIndexOf(QLatin1Char('/')); trenner > 0 && !ordner.contains(pfad.left(trenner));
             trenner = pfad.lastIndexOf(QLatin1Char('/'), trenner - 1))
            ordner.insert(pfad.left(trenner));
    }
    for (const QString& relativ : ordner) {
        const int fd = oeffne_unterhalb(wurzel_fd, QFile::encodeName(relativ), O_PATH | O_DIRECTORY);
        if (fd >= 0) {
            entferne_verwaiste_tempdateien(fd);
            ::close(fd);
        }
    }
}

// The uninstall of the records below a root: first the files, then the folders.
class CDeinstallation
{
public:
    CDeinstallation(CCBaseLog* log, const QString& wurzel, CUninstallInfo* uninstall)
        : log(log), wurzel(wurzel), sperre(wurzel, CZielsperre::aendern, melde_info), schreiber(uninstall),
          wurzel_fd(oeffne_ordnerhandle(QFile::encodeName(wurzel))), wurzelfehler(wurzel_fd < 0 ? errno : 0),
          handles(wurzel_fd)
    {
    }
    ~CDeinstallation()
    {
        handles.leere();
        if (wurzel_fd >= 0)
            ::close(wurzel_fd);
    }
    bool fuehre_aus();

private:
    // One record of the file phase and what becomes of it.
    struct CSchritt
    {
        enum Art { Abgewiesen, Ueberspringen, Ordner, Entfernen };
        Art art = Abgewiesen;
        QString schluessel;
        CEntfernung entfernung;
    };
    CSchritt plane(const QString& schluessel);
    void berichte_schritt(CSchritt& schritt);
    void loesche_dateien(const CUninstallKarte::Auszug& karte);
    void loesche_ordner();
    // A job that is to stop (its window goes, or the program ends under it) stops between two
    // runs of deletions, its records written.
    bool abgebrochen()
    {
        if (!log || !log->ist_abgebrochen())
            return false;
        ++fehler;
        return true;
    }

    CCBaseLog* const log;
    const QString wurzel;
    const CZielsperre sperre;
    // A record goes only after its file or folder is gone; one whose removal failed stays.
    CUninstallSchreiber schreiber;
    // Every deletion starts from the root's handle: a link below the root that leads out of it
    // ends the path there.
    const int wurzel_fd;
    const int wurzelfehler;
    COrdnerhandles handles;
    int fehler = 0;
    // Folders by their key, to go once the files are gone.
    std::vector<QString> verzeichnisse;
};

CDeinstallation::CSchritt CDeinstallation::plane(const QString& schluessel)
{
    CSchritt s;
    s.schluessel = schluessel;
    const QString relativ = ohne_endtrenner(schluessel);
    const bool ordnerschluessel = relativ.size() < schluessel.size();
    if (verlaesst_wurzel(schluessel)) {
        s.art = CSchritt::Abgewiesen;
    } else if (an_stelle_der_aufzeichnung(wurzel_fd, schluessel)) {
        s.art = CSchritt::Ueberspringen;
    } else if (ordnerschluessel && ist_ordner_unterhalb(wurzel_fd, relativ)) {
        s.art = CSchritt::Ordner;
    } else {
        // A folder's record removes only a folder: a file or a link that the user put in its
        // place stays, with a failure line (only what is gone already counts as removed).
        s.art = CSchritt::Entfernen;
        s.entfernung = bereite_entfernung_vor(handles, relativ, ordnerschluessel ? AT_REMOVEDIR : 0);
    }
    return s;
}

void CDeinstallation::berichte_schritt(CSchritt& s)
{
    const QString pfad = wurzel + QLatin1Char('/') + s.schluessel;
    switch (s.art) {
    case CSchritt::Abgewiesen:
        fehler += berichte(false, pfad, datei_fehler);
        break;
    case CSchritt::Ueberspringen:
        melde_info(Text::tr("überspringe %1").arg(maskiere_steuerzeichen(pfad)));
        vergiss(schreiber, s.schluessel);
        break;
    case CSchritt::Ordner:
        if (!ist_wurzel(ohne_endtrenner(pfad), wurzel))
            verzeichnisse.push_back(s.schluessel);
        break;
    case CSchritt::Entfernen: {
        const bool ordner = s.entfernung.art == AT_REMOVEDIR;
        if (s.entfernung.spaeter)
            s.entfernung.entfernt = entferne_unterhalb(handles, ohne_endtrenner(s.schluessel), s.entfernung.art);
        if (berichte(s.entfernung.entfernt, ordner ? ohne_endtrenner(pfad) : pfad, ordner ? ordner_fehler : datei_fehler) == 0)
            vergiss(schreiber, s.schluessel);
        else
            ++fehler;
        break;
    }
    }
}

// The records are taken in runs: each is looked at here, in key order, then the files of a run
// are removed side by side (a removal waits on the kernel, which frees the file's data), and
// each is reported in key order.
void CDeinstallation::loesche_dateien(const CUninstallKarte::Auszug& karte)
{
    constexpr std::size_t je_lauf = 256;
    CParallelschleife helfer(3);
    std::vector<CSchritt> lauf;
    lauf.reserve(je_lauf);
    CUninstallKarte::Auszug::Leser leser(karte);
    QString schluessel;
    const CZeitVDN* zeit = nullptr;
    int schritt = 0;
    for (bool weiter = true; weiter;) {
        lauf.clear();
        if (handles.voll())
            handles.leere();
        while (lauf.size() < je_lauf && !handles.voll() && (weiter = leser.naechster(schluessel, zeit) && !abgebrochen()))
            lauf.push_back(plane(schluessel));
        helfer.fuer_alle(lauf.size(), [&lauf](std::size_t k) { entferne(lauf[k].entfernung); });
        for (CSchritt& s : lauf) {
            berichte_schritt(s);
            if (log)
                log->setze_fortschritt(schritt);
            ++schritt;
        }
    }
}

void CDeinstallation::loesche_ordner()
{
    // Descending order puts every sub-folder before its parent.
    std::sort(verzeichnisse.begin(), verzeichnisse.end(), std::greater<>());
    int erledigt = 0;
    for (auto ordner = verzeichnisse.begin(); ordner != verzeichnisse.end() && !abgebrochen(); ++ordner) {
        const QString pfad = ohne_endtrenner(wurzel + QLatin1Char('/') + *ordner);
        if (berichte(entferne_unterhalb(handles, ohne_endtrenner(*ordner), AT_REMOVEDIR), pfad, ordner_fehler) == 0)
            vergiss(schreiber, *ordner);
        else
            ++fehler;
        if (log)
            log->setze_fortschritt(erledigt);
        ++erledigt;
    }
    if (log)
        log->setze_fortschritt(erledigt);
}

bool CDeinstallation::fuehre_aus()
{
    const CUninstallKarte::Auszug karte = unistall_auszug();
    if (log)
        log->neue_titelzeile(CQString(Text::tr("Deinstallation - Lösche Dateien")));
    melde_info(QLatin1String("- ") + Text::tr("Lösche Dateien") + QLatin1String(" -"));
    // Nothing is deleted on records that could not be read, or while another process works, or
    // where no record could be taken off (the records are written through the program's folder
    // of temporary files).
    QString grund = hindernis(sperre);
    if (grund.isEmpty() && wurzel_fd >= 0 && !karte.empty())
        grund = tempordner_fehlertext(wurzel, wurzel_fd);
    if (!grund.isEmpty()) {
        melde_fehler(grund);
        ++fehler;
    } else if (wurzel_fd >= 0) {
        raeume_auf(wurzel_fd, karte);
        loesche_dateien(karte);
    } else if (!karte.empty()) {
        // Said once, not as a failure of every record.
        melde_fehler(zielordner_fehlertext(wurzel, wurzelfehler));
        ++fehler;
    }
    if (log) {
        log->setze_fortschritt(static_cast<int>(karte.size()));
        log->neue_textzeile(CQString(" "), 0);
        log->neue_titelzeile(CQString(Text::tr("Deinstallation - Lösche Verzeichnisse")));
    }
    melde_info(QLatin1String("- ") + Text::tr("Lösche Verzeichnisse") + QLatin1String(" -"));
    if (log)
        log->setTotalSteps(static_cast<int>(verzeichnisse.size()));
    loesche_ordner();
    // The records as they end; a run that could not write them stops with an error.
    if (!schreiber.schreibe(true, true))
        ++fehler;
    if (log) {
        log->neue_textzeile(CQString(" "), 0);
        log->neue_titelzeile(CQString(Text::tr("Deinstallation")));
    }
    if (fehler > 0) {
        if (log)
            log->setze_fehler();
        melde_fehler(Text::tr("Deinstallation -mit Fehlern- beendet."));
        return false;
    }
    melde_info(Text::tr("Deinstallation beendet."));
    return true;
}

} // namespace

bool UninstallInThread(CCBaseLog* log, int* modus, const CQString& wurzel, const CQString& produkt,
                       CUninstallInfo* uninstall)
{
    if (!modus || *modus > 2) {
        zeige_eintraege(log, laufwerk_gross(wurzel), produkt);
        return true;
    }
    return CDeinstallation(log, laufwerk_gross(wurzel), uninstall).fuehre_aus();
}
