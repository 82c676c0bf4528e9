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
#include <QVector>
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

// The handles of the folders in which runs of removals remove what the records name, each
// opened from the root's handle: a link below the root that leads out of it ends the path there.
// The records of one folder follow one another in key order and share its handle, which is kept
// from run to run while they go on, with those of the levels above it as far as the handles
// allow. Before a run uses a kept handle it is compared with what its path from the root names
// now, both open: where that is another folder or none, the folder was moved out of the target
// (or replaced), and nothing below it is removed any more. A folder's number is compared only
// while a handle holds it: overlays over two file systems and FUSE give an untouched folder a new
// one once it leaves the cache, and any file system gives the number of a folder that is gone to
// a new one.
class COrdnerhandles
{
public:
    enum class Art { Ordner, Anderes, Verschoben, Spaeter };

    // `log`: the job's, whose stop ends a wait for a free handle.
    COrdnerhandles(int wurzel, int hoechstens, CCBaseLog* log) : wurzel(wurzel), hoechstens(hoechstens), log(log) {}
    ~COrdnerhandles() { leere(); }
    COrdnerhandles(const COrdnerhandles&) = delete;
    COrdnerhandles& operator=(const COrdnerhandles&) = delete;

    // Starts a run: the handles the last one was given may go now, those of moved folders do.
    void neuer_lauf()
    {
        ++lauf;
        for (auto h = handles.begin(); h != handles.end();) {
            h->benutzt = false;
            if (verschoben_mit(h.key()).isEmpty()) {
                ++h;
            } else {
                ::close(h->fd);
                h = handles.erase(h);
            }
        }
    }

    // The handle of the folder `relativ` (empty: the root), open until the next run starts; -1
    // with errno when it cannot be opened (EMFILE also when the run holds as many as it may), or
    // when it lies in a folder moved out of the target (`verschoben_mit` tells).
    int zu(const QByteArray& relativ)
    {
        if (stufen(relativ).isEmpty())
            return wurzel;
        if (!verschoben_mit(relativ).isEmpty()) {
            errno = ENOENT;
            return -1;
        }
        auto h = handles.find(relativ);
        if (h == handles.end()) {
            halte_obere(relativ);
            if (!mache_platz(relativ, 1, true)) {
                errno = EMFILE;
                return -1;
            }
            const int fd = oeffne(relativ, relativ, true);
            if (fd < 0) {
                const int fehler = errno;
                suche_verschobenen(relativ, fehler);
                errno = fehler;
                return -1;
            }
            h = handles.insert(relativ, CHandle{fd, lauf, false});
        } else if (h->geprueft != lauf) {
            // Its path from the root leads through every level above it: where the handle is
            // still what the path names, nothing it holds was moved out of the target.
            const Vergleich v = vergleiche(relativ, h->fd, relativ, true);
            if (v != Vergleich::Gleich) {
                if (v == Vergleich::Anders)
                    suche_verschobenen(relativ, ENOENT);
                errno = v == Vergleich::Anders ? ENOENT : EMFILE;
                return -1;
            }
            // Found again: the look may have let go of other handles.
            h = handles.find(relativ);
            h->geprueft = lauf;
        }
        merke_gesehen(relativ);
        h->benutzt = true;
        return h->fd;
    }

    // What `relativ` names now: a folder, something else (a link counts as such, or nothing),
    // or nothing that can be looked at without a handle more.
    Art art(const QByteArray& relativ)
    {
        if (!verschoben_mit(relativ).isEmpty())
            return Art::Verschoben;
        const int fd = oeffne_unterhalb(wurzel, relativ, O_PATH | O_NOFOLLOW);
        struct stat st{};
        const bool da = fd >= 0 && ::fstat(fd, &st) == 0;
        const int fehler = errno;
        // A folder the run holds is compared with what the path names while both are open.
        const auto h = handles.constFind(relativ);
        struct stat gehalten{};
        const bool anders = da && S_ISDIR(st.st_mode) && h != handles.constEnd() && ::fstat(h->fd, &gehalten) == 0
                            && (gehalten.st_dev != st.st_dev || gehalten.st_ino != st.st_ino);
        if (fd >= 0)
            ::close(fd);
        if (!da && ist_handlemangel(fehler))
            return Art::Spaeter;
        if (!da || anders)
            suche_verschobenen(relativ, anders ? ENOENT : fehler);
        if (!verschoben_mit(relativ).isEmpty())
            return Art::Verschoben;
        if (!da || !S_ISDIR(st.st_mode))
            return Art::Anderes;
        merke_gesehen(relativ);
        return Art::Ordner;
    }

    // Whether the folder `relativ`, which `name` names in the folder `eltern`, was moved out of
    // the target (or replaced) since the run saw it: it is then taken for moved.
    bool ist_fort(const QByteArray& relativ, int eltern, const QByteArray& name)
    {
        if (!verschoben_mit(relativ).isEmpty())
            return true;
        if (const auto h = handles.constFind(relativ); h != handles.constEnd()) {
            if (vergleiche(relativ, h->fd, relativ, false) != Vergleich::Anders)
                return false;
        } else {
            struct stat st{};
            if (!gesehen.contains(relativ) || ::fstatat(eltern, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0
                || errno != ENOENT)
                return false;
        }
        suche_verschobenen(relativ, ENOENT);
        return !verschoben_mit(relativ).isEmpty();
    }

    // The run removed the folder `relativ`: that its path (or another record's path of it, in
    // another spelling) names nothing now says nothing of a move.
    void entfernt(const QByteArray& relativ)
    {
        selbst_entfernt.insert(form(relativ));
        for (auto h = handles.begin(); h != handles.end();) {
            if (!ist_stufe_von(h.key(), relativ)) {
                ++h;
                continue;
            }
            ::close(h->fd);
            h = handles.erase(h);
        }
    }

    // The folder moved out of the target that holds `relativ` (or is it); empty when none.
    QByteArray verschoben_mit(const QByteArray& relativ) const
    {
        if (verschoben.isEmpty())
            return QByteArray();
        for (const int laenge : stufen(relativ))
            if (verschoben.contains(QByteArray::fromRawData(relativ.constData(), laenge)))
                return relativ.left(laenge);
        return QByteArray();
    }

    // Lets go of every handle.
    void leere()
    {
        for (const CHandle& h : std::as_const(handles))
            ::close(h.fd);
        handles.clear();
    }

private:
    // A kept handle: the run in which it was last found at its path, and whether the current run
    // was given it.
    struct CHandle
    {
        int fd;
        quint64 geprueft;
        bool benutzt;
    };
    enum class Vergleich { Gleich, Anders, Unklar };

    // The lengths of the levels of a path that name folders ("a", "a/b", ...: no "." and no
    // empty part), from the top.
    static QVector<int> stufen(const QByteArray& relativ)
    {
        QVector<int> r;
        for (int anfang = 0; anfang <= relativ.size();) {
            int ende = relativ.indexOf('/', anfang);
            if (ende < 0)
                ende = relativ.size();
            if (ende > anfang && !(ende == anfang + 1 && relativ.at(anfang) == '.'))
                r << ende;
            anfang = ende + 1;
        }
        return r;
    }
    // Whether `pfad` is `stufe` or lies in it.
    static bool ist_stufe_von(const QByteArray& pfad, const QByteArray& stufe)
    {
        return pfad.startsWith(stufe) && (pfad.size() == stufe.size() || pfad.at(stufe.size()) == '/');
    }
    // The path as a folder that finds names without regard to case takes it, in one spelling.
    static QString form(const QByteArray& relativ) { return faltform(namensteile(QFile::decodeName(relativ)).join(QLatin1Char('/'))); }

    // Every level of `relativ` was reached; each level the run reached has its levels above in
    // the set too, so the walk up ends at the first one there.
    void merke_gesehen(const QByteArray& relativ)
    {
        const QVector<int> laengen = stufen(relativ);
        for (int i = laengen.size() - 1; i >= 0 && !gesehen.contains(QByteArray::fromRawData(relativ.constData(), laengen[i])); --i)
            gesehen.insert(relativ.left(laengen[i]));
    }

    // Before `relativ` is opened: the levels above it that the run does not hold are opened and
    // kept too, the nearest first in the choice, as far as that leaves a handle for `relativ` and
    // those below them; a level the run cannot reach is left to the open of `relativ`.
    void halte_obere(const QByteArray& relativ)
    {
        const QVector<int> laengen = stufen(relativ);
        QVector<int> offen;
        for (int i = laengen.size() - 2; i >= 0 && laengen.size() - 1 - i <= hoechstens; --i)
            if (!handles.contains(QByteArray::fromRawData(relativ.constData(), laengen[i])))
                offen.prepend(laengen[i]);
        for (int i = 0; i < offen.size(); ++i) {
            const QByteArray stufe = relativ.left(offen[i]);
            if (!mache_platz(relativ, int(offen.size()) - i + 1, false))
                continue;
            const int fd = oeffne(stufe, relativ, false);
            if (fd < 0)
                return;
            handles.insert(stufe, CHandle{fd, lauf, false});
        }
    }

    // Whether the held folder `fd` is still what `stufe` names below the root: told with both
    // open, or unclear where no handle is free for the look (for `relativ` itself, `letzte`, only
    // once one was waited for as for its own handle).
    Vergleich vergleiche(const QByteArray& stufe, int fd, const QByteArray& relativ, bool letzte)
    {
        const int jetzt = oeffne(stufe, relativ, letzte);
        if (jetzt < 0)
            return ist_handlemangel(errno) ? Vergleich::Unklar : Vergleich::Anders;
        struct stat dort{};
        struct stat gehalten{};
        const bool gleich = ::fstat(jetzt, &dort) == 0 && ::fstat(fd, &gehalten) == 0 && dort.st_dev == gehalten.st_dev
                            && dort.st_ino == gehalten.st_ino;
        ::close(jetzt);
        return gleich ? Vergleich::Gleich : Vergleich::Anders;
    }

    // Lets go of handles no run uses until `anzahl` more fit: first those of other folders than
    // `relativ` and the levels above it (their records are done), with `oben` those levels too,
    // the highest first; never that of `relativ`. False where that many cannot be freed.
    bool mache_platz(const QByteArray& relativ, int anzahl, bool oben)
    {
        while (handles.size() + anzahl > hoechstens) {
            auto frei = handles.end();
            for (auto h = handles.begin(); h != handles.end(); ++h) {
                if (h->benutzt || h.key() == relativ)
                    continue;
                if (!ist_stufe_von(relativ, h.key())) {
                    frei = h;
                    break;
                }
                if (oben && (frei == handles.end() || h.key().size() < frei.key().size()))
                    frei = h;
            }
            if (frei == handles.end())
                return false;
            ::close(frei->fd);
            handles.erase(frei);
        }
        return true;
    }

    // Opens `stufe`, a level of `relativ`, as a folder below the root. Where the system has no
    // handle free, those kept for other folders go first, for `relativ` itself (`letzte`) those of
    // the levels above it too; where the run then holds none that it uses, a want of them is
    // another thread's for a moment (the window's, loading a font or an icon, under a low limit):
    // it is waited for a while rather than failing the record, until one such wait came to nothing
    // or the job is to stop.
    int oeffne(const QByteArray& stufe, const QByteArray& relativ, bool letzte)
    {
        QElapsedTimer uhr;
        for (;;) {
            const int fd = oeffne_unterhalb(wurzel, stufe, O_PATH | O_DIRECTORY);
            if (fd >= 0 || !ist_handlemangel(errno))
                return fd;
            if (mache_platz(relativ, hoechstens - handles.size() + 1, letzte))
                continue;
            if (!letzte || ungeduldig || job_angehalten(log)
                || std::any_of(handles.cbegin(), handles.cend(), [](const CHandle& h) { return h.benutzt; })) {
                errno = EMFILE;
                return -1;
            }
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

    // After `relativ` could not be reached (`fehler`), or a level of it that the run holds was
    // found elsewhere (ENOENT): the highest level of it that the run saw and that its path no
    // longer names was moved out of the target. A level the run does not hold but whose path
    // names a folder cannot be told: where a held level below it was found elsewhere, it is the
    // one taken for moved, so that nothing in what may be a new folder is removed. A path the run
    // never reached below a level that is gone was merely gone.
    void suche_verschobenen(const QByteArray& relativ, int fehler)
    {
        if (fehler != ENOENT && fehler != ENOTDIR && !verlaesst_ordner(fehler))
            return;
        QByteArray unklar;
        for (const int laenge : stufen(relativ)) {
            const QByteArray stufe = QByteArray::fromRawData(relativ.constData(), laenge);
            if (const auto h = handles.constFind(stufe); h != handles.constEnd()) {
                const Vergleich v = vergleiche(stufe, h->fd, relativ, false);
                if (v == Vergleich::Anders)
                    verschoben.insert(unklar.isEmpty() ? relativ.left(laenge) : unklar);
                if (v != Vergleich::Gleich)
                    return;
                continue;
            }
            if (!gesehen.contains(stufe))
                continue;
            const int fd = oeffne_unterhalb(wurzel, stufe, O_PATH | O_DIRECTORY);
            if (fd >= 0) {
                ::close(fd);
                if (unklar.isEmpty())
                    unklar = relativ.left(laenge);
                continue;
            }
            if (!ist_handlemangel(errno) && !selbst_entfernt.contains(form(stufe)))
                verschoben.insert(relativ.left(laenge));
            return;
        }
    }

    const int wurzel;
    const int hoechstens;
    CCBaseLog* const log;
    // Set once a wait for a free handle came to nothing: the limit is too low for the run itself.
    bool ungeduldig = false;
    // Counts the runs.
    quint64 lauf = 0;
    QHash<QByteArray, CHandle> handles;
    // Every folder the run reached; those moved out of the target; those it removed (in the form
    // that every spelling of theirs has).
    QSet<QByteArray> gesehen;
    QSet<QByteArray> verschoben;
    QSet<QString> selbst_entfernt;
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
    // before a recorded file took its name, leaves such records. So does a path below a level
    // that is no folder (ENOTDIR: a file the user put at the name of a folder never made).
    else if (errno == ENOENT || errno == ENOTDIR)
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
    const std::unique_ptr<CZielsperre> sperre = halte_ziel(wurzel, CZielsperre::lesen, uninstall, {}, [log] { return job_angehalten(log); });
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
        : log(log), wurzel(wurzel),
          sperre(halte_ziel(wurzel, CZielsperre::aendern, uninstall, melde_info, [log] { return job_angehalten(log); })),
          uninstall(uninstall),
          wurzel_fd(oeffne_ordnerhandle(QFile::encodeName(wurzel))), wurzelfehler(wurzel_fd < 0 ? errno : 0),
          schreiber(uninstall, wurzel_fd), handles(wurzel_fd, handles_je_lauf(), log)
    {
    }
    ~CDeinstallation()
    {
        handles.leere();
        if (wurzel_fd >= 0)
            ::close(wurzel_fd);
    }
    bool fuehre_aus();
    // Whether another process held the root all the wait, so that nothing was tried.
    bool ziel_besetzt() const { return sperre->besetzt(); }

private:
    // The line that ends the run; whether it ended without error.
    bool beende();
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
        if (!job_angehalten(log))
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
    // Every deletion starts from the root's handle: a link below the root that leads out of it
    // ends the path there. The records are written through it too: they name what is in the
    // folder whose files the run removes, should it be renamed meanwhile.
    const int wurzel_fd;
    const int wurzelfehler;
    CUninstallSchreiber schreiber;
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
        handles.neuer_lauf();
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
        // The folders go one at a time, each after the last one's removal.
        handles.neuer_lauf();
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
        // Nothing was tried: no step is said, and nothing is written (another process may hold
        // the records), only why and the end.
        if (log)
            log->neue_titelzeile(CQString(Text::tr("Deinstallation")));
        melde_fehler(grund);
        ++fehler;
        return beende();
    }
    if (log)
        log->neue_titelzeile(CQString(Text::tr("Deinstallation - Lösche Dateien")));
    melde_info(QLatin1String("- ") + Text::tr("Lösche Dateien") + QLatin1String(" -"));
    if (wurzel_fd >= 0) {
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
    // The records as they end; a run that could not write them stops with an error. With the last
    // of what they named gone (or moved out of the target), none is left: the file goes, with no
    // write before (on a full disk it could fail for nothing), while the folder is still held and
    // through its handle, from the folder the run worked in, should it have been renamed meanwhile.
    if (uninstall && !karte.empty() && unistall_anzahl() == 0) {
        if (!uninstall->remove_unistall(wurzel_fd))
            ++fehler;
    } else if (!schreiber.schreibe(true, true)) {
        ++fehler;
    }
    if (log) {
        log->neue_textzeile(CQString(" "), 0);
        log->neue_titelzeile(CQString(Text::tr("Deinstallation")));
    }
    berichte_verschobene();
    return beende();
}

bool CDeinstallation::beende()
{
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
                       CUninstallInfo* uninstall, bool* besetzt)
{
    if (!modus || *modus > 2) {
        zeige_eintraege(log, laufwerk_gross(wurzel), produkt, uninstall);
        return true;
    }
    CDeinstallation lauf(log, laufwerk_gross(wurzel), uninstall);
    const bool ok = lauf.fuehre_aus();
    if (besetzt)
        *besetzt = lauf.ziel_besetzt();
    return ok;
}
