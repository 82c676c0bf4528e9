#include "uninstallinthread.h"
#include "ccbaselog.h"
#include "cuninstallinfo.h"
#include "cuninstallschreiber.h"
#include "czielsperre.h"
#include "dateien.h"
#include "handlevorrat.h"
#include "klassen.h"
#include "melde.h"
#include "namensfaltung.h"
#include "parallelschleife.h"
#include "sitzungsende.h"
#include "steuerzeichen.h"
#include "verzeichnisse.h"
#include "zielordner.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QThread>
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

// Reports one deletion; 1 when it failed, for the cause `ursache` (errno; 0 for a key refused
// before any call, whose line says why itself).
int berichte(bool geloescht, const QString& pfad, const char* fehlertext, int ursache)
{
    if (geloescht) {
        melde_info(Text::tr("gelöscht %1").arg(maskiere_steuerzeichen(pfad)));
        return 0;
    }
    const QString text = Text::tr(fehlertext).arg(maskiere_steuerzeichen(pfad));
    melde_fehler(ursache != 0 ? mit_systemfehler(text, ursache) : text);
    return 1;
}

// The folders a run keeps open at once: a few dozen, fewer where the limit of open files is low,
// one at the least. Kept free beside them: a write of the records (the records' folder, the file,
// the folder of temporary files and the flush) and the look at a folder of the records.
constexpr quint64 hoechstens_handles = 64;
constexpr quint64 handles_nebenher = 6;

int handles_je_lauf()
{
    const quint64 frei = freie_handles(hoechstens_handles + handles_nebenher);
    return int(qBound<quint64>(1, frei > handles_nebenher ? frei - handles_nebenher : 0, hoechstens_handles));
}

bool ist_handlemangel(int fehler)
{
    return fehler == EMFILE || fehler == ENFILE;
}

// The handles of the folders in which a run of removals removes what the records name, each
// opened from the root's handle: a link below the root that leads out of it ends the path there.
// The records of one folder follow one another in key order and share its handle. A handle is
// used only while its path from the root names the folder it named when the run first saw it:
// every run opens its folders again, and one whose path names another folder or none was moved
// out of the target (or replaced); nothing below it is removed any more.
class COrdnerhandles
{
public:
    enum class Art { Ordner, Anderes, Verschoben, Spaeter };

    COrdnerhandles(int wurzel, int hoechstens) : wurzel(wurzel), hoechstens(hoechstens) {}
    ~COrdnerhandles() { leere(); }
    COrdnerhandles(const COrdnerhandles&) = delete;
    COrdnerhandles& operator=(const COrdnerhandles&) = delete;

    // The handle of the folder `relativ` (empty: the root); -1 with errno when it cannot be
    // opened (EMFILE also when the run holds as many as it may), or when it lies in a folder
    // moved out of the target (`verschoben_mit` tells).
    int zu(const QByteArray& relativ)
    {
        if (relativ.isEmpty())
            return wurzel;
        if (const auto offen = handles.constFind(relativ); offen != handles.constEnd())
            return *offen;
        if (!verschoben_mit(relativ).isEmpty()) {
            errno = ENOENT;
            return -1;
        }
        if (handles.size() >= hoechstens) {
            errno = EMFILE;
            return -1;
        }
        const int fd = oeffne(relativ, O_PATH | O_DIRECTORY);
        struct stat st{};
        if (fd < 0 || ::fstat(fd, &st) != 0) {
            const int fehler = errno;
            if (fd >= 0)
                ::close(fd);
            suche_verschobenen(relativ, fehler);
            errno = fehler;
            return -1;
        }
        if (!kenne(relativ, st)) {
            ::close(fd);
            errno = ENOENT;
            return -1;
        }
        handles.insert(relativ, fd);
        return fd;
    }

    // What `relativ` names now: a folder, something else (a link counts as such, or nothing),
    // or nothing that can be looked at without a handle more.
    Art art(const QByteArray& relativ)
    {
        if (!verschoben_mit(relativ).isEmpty())
            return Art::Verschoben;
        const int fd = oeffne(relativ, O_PATH | O_NOFOLLOW);
        struct stat st{};
        const bool gesehen = fd >= 0 && ::fstat(fd, &st) == 0;
        const int fehler = errno;
        if (fd >= 0)
            ::close(fd);
        if (!gesehen) {
            if (ist_handlemangel(fehler))
                return Art::Spaeter;
            suche_verschobenen(relativ, fehler);
            return verschoben_mit(relativ).isEmpty() ? Art::Anderes : Art::Verschoben;
        }
        if (!S_ISDIR(st.st_mode))
            return Art::Anderes;
        return kenne(relativ, st) ? Art::Ordner : Art::Verschoben;
    }

    // Whether the folder `relativ` that the run saw is no longer the one that `name` holds in the
    // folder `eltern` (it is then taken for moved out of the target).
    bool ist_fort(const QByteArray& relativ, int eltern, const QByteArray& name)
    {
        const auto bekannt = gesehen.constFind(relativ);
        if (bekannt == gesehen.constEnd())
            return false;
        struct stat st{};
        if (::fstatat(eltern, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0
                ? ist(st, *bekannt)
                : errno != ENOENT || selbst_entfernt.contains(schluessel(*bekannt)))
            return false;
        verschoben.insert(relativ);
        return true;
    }

    // The run removed the folder `relativ`: that its path (or another record's path of it, in
    // another spelling) names nothing now says nothing of a move.
    void entfernt(const QByteArray& relativ)
    {
        if (const auto bekannt = gesehen.constFind(relativ); bekannt != gesehen.constEnd())
            selbst_entfernt.insert(schluessel(*bekannt));
    }

    // The folder moved out of the target that holds `relativ` (or is it); empty when none.
    QByteArray verschoben_mit(const QByteArray& relativ) const
    {
        if (verschoben.isEmpty())
            return QByteArray();
        for (int trenner = relativ.indexOf('/');; trenner = relativ.indexOf('/', trenner + 1)) {
            const QByteArray stufe = trenner < 0 ? relativ : relativ.left(trenner);
            if (verschoben.contains(stufe))
                return stufe;
            if (trenner < 0)
                return QByteArray();
        }
    }

    // Lets go of every handle: the next run opens them again.
    void leere()
    {
        for (const int fd : std::as_const(handles))
            ::close(fd);
        handles.clear();
    }

private:
    // Opens `relativ` below the root. Where the run holds none of its handles, a want of them is
    // another thread's for a moment (the window's, loading a font or an icon, under a low limit):
    // it is waited for a while rather than failing the record, until one such wait came to nothing.
    int oeffne(const QByteArray& relativ, int flags)
    {
        QElapsedTimer uhr;
        for (;;) {
            const int fd = oeffne_unterhalb(wurzel, relativ, flags);
            if (fd >= 0 || !ist_handlemangel(errno) || !handles.isEmpty() || ungeduldig)
                return fd;
            if (!uhr.isValid())
                uhr.start();
            else if (uhr.hasExpired(2000)) {
                ungeduldig = true;
                errno = EMFILE;
                return -1;
            }
            QThread::msleep(5);
        }
    }

    struct CKennung
    {
        dev_t geraet;
        ino_t knoten;
    };
    static bool ist(const struct stat& st, const CKennung& k) { return st.st_dev == k.geraet && st.st_ino == k.knoten; }
    static QPair<quint64, quint64> schluessel(const CKennung& k) { return {quint64(k.geraet), quint64(k.knoten)}; }

    // Remembers the folder the path names when the run sees it first; false when it names
    // another one now.
    bool kenne(const QByteArray& relativ, const struct stat& st)
    {
        const auto bekannt = gesehen.constFind(relativ);
        if (bekannt == gesehen.constEnd()) {
            gesehen.insert(relativ, CKennung{st.st_dev, st.st_ino});
            return true;
        }
        if (ist(st, *bekannt))
            return true;
        verschoben.insert(relativ);
        return false;
    }

    // After `relativ` could not be reached (`fehler`): the highest level of it that the run saw
    // and that its path no longer names was moved out of the target. A path the run never
    // reached below such a level was merely gone.
    void suche_verschobenen(const QByteArray& relativ, int fehler)
    {
        if (fehler != ENOENT && fehler != ENOTDIR && !verlaesst_ordner(fehler))
            return;
        for (int trenner = relativ.indexOf('/');; trenner = relativ.indexOf('/', trenner + 1)) {
            const QByteArray stufe = trenner < 0 ? relativ : relativ.left(trenner);
            if (const auto bekannt = gesehen.constFind(stufe); bekannt != gesehen.constEnd()) {
                const int fd = oeffne_unterhalb(wurzel, stufe, O_PATH | O_DIRECTORY);
                struct stat st{};
                const bool da = fd >= 0 && ::fstat(fd, &st) == 0 && ist(st, *bekannt);
                const bool unklar = fd < 0 && ist_handlemangel(errno);
                if (fd >= 0)
                    ::close(fd);
                if (!da && !unklar) {
                    if (!selbst_entfernt.contains(schluessel(*bekannt)))
                        verschoben.insert(stufe);
                    return;
                }
            }
            if (trenner < 0)
                return;
        }
    }

    const int wurzel;
    const int hoechstens;
    // Set once a wait for a free handle came to nothing: the limit is too low for the run itself.
    bool ungeduldig = false;
    QHash<QByteArray, int> handles;
    // Every folder the run reached, with what its path named then; those moved out of the target;
    // those it removed.
    QHash<QByteArray, CKennung> gesehen;
    QSet<QByteArray> verschoben;
    QSet<QPair<quint64, quint64>> selbst_entfernt;
};

// A file (or, with AT_REMOVEDIR, an empty folder) to remove, named by its path relative to the
// root: its folder's handle and its name there, and how far it came. Without a handle it is gone
// already (which counts as removed), lay in a folder moved out of the target, waits for the next
// run (no handle was free for it), or failed, for the cause `fehler` (errno).
struct CEntfernung
{
    enum Stand { Offen, Entfernt, Verschoben, Spaeter, Fehlgeschlagen };
    int fd = -1;
    QByteArray name;
    int art = 0;
    Stand stand = Fehlgeschlagen;
    int fehler = 0;
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
    const QByteArray eltern = trenner < 0 ? QByteArray() : pfad.left(trenner);
    e.fd = ordner.zu(eltern);
    e.fehler = errno;
    if (e.fd >= 0)
        e.stand = art == AT_REMOVEDIR && ordner.ist_fort(pfad, e.fd, e.name) ? CEntfernung::Verschoben : CEntfernung::Offen;
    else if (!ordner.verschoben_mit(eltern).isEmpty())
        e.stand = CEntfernung::Verschoben;
    // What is gone already counts as removed: a run that was killed, or an install killed
    // before a recorded file took its name, leaves such records.
    else if (errno == ENOENT)
        e.stand = CEntfernung::Entfernt;
    else if (ist_handlemangel(errno))
        e.stand = CEntfernung::Spaeter;
    return e;
}

// A folder where a file was recorded stays (EISDIR). A link itself is removed, never what it
// points to.
void entferne(CEntfernung& e)
{
    if (e.stand != CEntfernung::Offen)
        return;
    e.stand = ::unlinkat(e.fd, e.name.constData(), e.art) == 0 || errno == ENOENT ? CEntfernung::Entfernt
                                                                                  : CEntfernung::Fehlgeschlagen;
    e.fehler = errno;
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

void zeige_eintraege(CCBaseLog* log, const QString& wurzel, const CQString& produkt, CUninstallInfo* uninstall)
{
    const std::unique_ptr<CZielsperre> sperre = halte_ziel(wurzel, CZielsperre::lesen, uninstall);
    const CUninstallKarte::Auszug karte = unistall_auszug();
    if (log) {
        log->neue_titelzeile(CQString(Text::tr("Inhalt der Uninstall Information 'uninstall.dat'")));
        log->setze_abbruch();
        log->setTotalSteps(static_cast<int>(karte.size()));
    }
    if (const QString grund = hindernis(*sperre); !grund.isEmpty()) {
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
        : log(log), wurzel(wurzel), sperre(halte_ziel(wurzel, CZielsperre::aendern, uninstall, melde_info)), uninstall(uninstall),
          schreiber(uninstall),
          wurzel_fd(oeffne_ordnerhandle(QFile::encodeName(wurzel))), wurzelfehler(wurzel_fd < 0 ? errno : 0),
          handles(wurzel_fd, handles_je_lauf())
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
    void berichte_entfernung(const QString& schluessel, const CEntfernung& e);
    void berichte_verschobene();
    void loesche_dateien(const CUninstallKarte::Auszug& karte);
    void loesche_ordner();
    // A job that is to stop (its window goes, the program ends under it, or the session ends)
    // stops between two runs of deletions, its records written.
    bool abgebrochen()
    {
        if ((!log || !log->ist_abgebrochen()) && sitzungsende_signal() == 0)
            return false;
        ++fehler;
        return true;
    }

    CCBaseLog* const log;
    const QString wurzel;
    // Held for the run; the records are read afresh under it.
    const std::unique_ptr<CZielsperre> sperre;
    // A record goes only after its file or folder is gone; one whose removal failed stays.
    CUninstallInfo* const uninstall;
    CUninstallSchreiber schreiber;
    // Every deletion starts from the root's handle: a link below the root that leads out of it
    // ends the path there.
    const int wurzel_fd;
    const int wurzelfehler;
    COrdnerhandles handles;
    int fehler = 0;
    // Folders by their key, to go once the files are gone.
    std::vector<QString> verzeichnisse;
    // The folders moved out of the target during the run, each with the number of its records,
    // which count as gone.
    QMap<QByteArray, int> verschobene;
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
    } else if (!ordnerschluessel) {
        s.art = CSchritt::Entfernen;
        s.entfernung = bereite_entfernung_vor(handles, relativ, 0);
    } else if (const auto art = handles.art(QFile::encodeName(relativ)); art == COrdnerhandles::Art::Ordner) {
        s.art = CSchritt::Ordner;
    } else {
        // A folder's record removes only a folder: a file or a link that the user put in its
        // place stays, with a failure line (only what is gone already counts as removed).
        s.art = CSchritt::Entfernen;
        s.entfernung = bereite_entfernung_vor(handles, relativ, AT_REMOVEDIR);
        if (art == COrdnerhandles::Art::Verschoben)
            s.entfernung.stand = CEntfernung::Verschoben;
        else if (art == COrdnerhandles::Art::Spaeter)
            s.entfernung.stand = CEntfernung::Spaeter;
    }
    return s;
}

void CDeinstallation::berichte_schritt(CSchritt& s)
{
    const QString pfad = wurzel + QLatin1Char('/') + s.schluessel;
    switch (s.art) {
    case CSchritt::Abgewiesen:
        fehler += berichte(false, pfad, datei_fehler, 0);
        break;
    case CSchritt::Ueberspringen:
        melde_info(Text::tr("überspringe %1").arg(maskiere_steuerzeichen(pfad)));
        vergiss(schreiber, s.schluessel);
        break;
    case CSchritt::Ordner:
        if (!ist_wurzel(ohne_endtrenner(pfad), wurzel))
            verzeichnisse.push_back(s.schluessel);
        break;
    case CSchritt::Entfernen:
        berichte_entfernung(s.schluessel, s.entfernung);
        break;
    }
}

// A record that lay in a folder moved out of the target counts as gone: nothing is removed at the
// folder's new place, and the run says so once for the folder (`berichte_verschobene`).
void CDeinstallation::berichte_entfernung(const QString& schluessel, const CEntfernung& e)
{
    const QString relativ = ohne_endtrenner(schluessel);
    const QString pfad = wurzel + QLatin1Char('/') + (e.art == AT_REMOVEDIR ? relativ : schluessel);
    if (e.stand == CEntfernung::Verschoben) {
        ++verschobene[handles.verschoben_mit(QFile::encodeName(relativ))];
        vergiss(schreiber, schluessel);
    } else if (berichte(e.stand == CEntfernung::Entfernt, pfad, e.art == AT_REMOVEDIR ? ordner_fehler : datei_fehler,
                        e.fehler) == 0) {
        vergiss(schreiber, schluessel);
    } else {
        ++fehler;
    }
}

void CDeinstallation::berichte_verschobene()
{
    for (auto it = verschobene.constBegin(); it != verschobene.constEnd(); ++it) {
        const QString pfad = wurzel + QLatin1Char('/') + QFile::decodeName(it.key());
        melde_fehler(Text::tr("Verzeichnis %1 wurde während der Deinstallation aus dem Zielverzeichnis verschoben: "
                              "%2 aufgezeichnete Einträge darin wurden nicht gelöscht und nicht mehr aufgezeichnet")
                         .arg(maskiere_steuerzeichen(pfad))
                         .arg(it.value()));
        ++fehler;
    }
}

// The records are taken in runs: each is looked at here, in key order, then the files of a run
// are removed side by side (a removal waits on the kernel, which frees the file's data), and
// each is reported in key order. Each run opens its folders again; one ends early when no
// handle is free for the next record's folder, which then starts the next run (where none is
// free even alone, the record fails).
void CDeinstallation::loesche_dateien(const CUninstallKarte::Auszug& karte)
{
    constexpr std::size_t je_lauf = 256;
    CParallelschleife helfer(3);
    std::vector<CSchritt> lauf;
    lauf.reserve(je_lauf);
    CUninstallKarte::Auszug::Leser leser(karte);
    QString schluessel;
    const CZeitVDN* zeit = nullptr;
    bool wartet = false;
    int schritt = 0;
    for (bool weiter = true; weiter;) {
        lauf.clear();
        handles.leere();
        while (lauf.size() < je_lauf && (wartet || (weiter = leser.naechster(schluessel, zeit) && !abgebrochen()))) {
            CSchritt s = plane(schluessel);
            wartet = s.entfernung.stand == CEntfernung::Spaeter && !lauf.empty();
            if (wartet)
                break;
            lauf.push_back(std::move(s));
        }
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
    ordne_innen_zuerst(verzeichnisse);
    int erledigt = 0;
    for (auto ordner = verzeichnisse.begin(); ordner != verzeichnisse.end() && !abgebrochen(); ++ordner) {
        // Each folder is reached again from the root, with one handle at a time.
        handles.leere();
        CEntfernung e = bereite_entfernung_vor(handles, ohne_endtrenner(*ordner), AT_REMOVEDIR);
        entferne(e);
        if (e.stand == CEntfernung::Entfernt)
            handles.entfernt(QFile::encodeName(ohne_endtrenner(*ordner)));
        berichte_entfernung(*ordner, e);
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
    // A root that cannot be opened is said once, not as a failure of every record, and before
    // its records, which cannot be read there either.
    QString grund = sperre->gehalten() ? QString() : sperre->gib_fehlertext();
    if (grund.isEmpty() && wurzel_fd < 0 && (!karte.empty() || !gib_unistall_ladefehler().isEmpty()))
        grund = zielordner_fehlertext(wurzel, wurzelfehler);
    if (grund.isEmpty())
        grund = hindernis(*sperre);
    if (grund.isEmpty() && wurzel_fd >= 0 && !karte.empty())
        grund = tempordner_fehlertext(wurzel, wurzel_fd);
    if (!grund.isEmpty()) {
        melde_fehler(grund);
        ++fehler;
    } else if (wurzel_fd >= 0) {
        raeume_auf(wurzel_fd, karte);
        loesche_dateien(karte);
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
    handles.leere();
    // The records as they end; a run that could not write them stops with an error. Where the
    // last ones lay in a folder moved out of the target, none is left: the file goes (a write
    // leaves a file alone where no record is left to write).
    if (!schreiber.schreibe(true, true))
        ++fehler;
    if (uninstall && !karte.empty() && unistall_anzahl() == 0 && !verschobene.isEmpty())
        uninstall->remove_unistall();
    if (log) {
        log->neue_textzeile(CQString(" "), 0);
        log->neue_titelzeile(CQString(Text::tr("Deinstallation")));
    }
    berichte_verschobene();
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
        zeige_eintraege(log, laufwerk_gross(wurzel), produkt, uninstall);
        return true;
    }
    CDeinstallation lauf(log, laufwerk_gross(wurzel), uninstall);
    const bool hatte_eintraege = unistall_anzahl() > 0;
    const bool ok = lauf.fuehre_aus();
    // With the last of what they named gone, the records go too, while the folder is still held:
    // a window that stays open holds it no longer, and another updater may write new ones.
    if (ok && hatte_eintraege && uninstall && unistall_anzahl() == 0)
        uninstall->remove_unistall();
    return ok;
}
