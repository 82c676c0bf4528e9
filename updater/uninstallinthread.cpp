#include "uninstallinthread.h"
#include "ccbaselog.h"
#include "cuninstallinfo.h"
#include "cuninstallschreiber.h"
#include "czielsperre.h"
#include "klassen.h"
#include "melde.h"
#include "steuerzeichen.h"
#include "verzeichnisse.h"
#include "zielordner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

// Removes a file (or, with AT_REMOVEDIR, an empty folder) named by its path relative to the root
// handle; no part of the path may lead out of the root through a link. A link itself is removed,
// never what it points to. What is gone already counts as removed: a run that was killed, or an
// install killed before a recorded file took its name, leaves such records.
bool entferne_unterhalb(int wurzel, const QString& relativ, int art)
{
    const QByteArray pfad = QFile::encodeName(relativ);
    const int trenner = pfad.lastIndexOf('/');
    const QByteArray name = pfad.mid(trenner + 1);
    if (name.isEmpty() || name == "." || name == "..")
        return false;
    const int ordner = oeffne_unterhalb(wurzel, trenner < 0 ? QByteArray() : pfad.left(trenner), O_PATH | O_DIRECTORY);
    if (ordner < 0)
        return errno == ENOENT;
    const bool ok = ::unlinkat(ordner, name.constData(), art) == 0 || errno == ENOENT;
    ::close(ordner);
    return ok;
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
    const QStringList teile = namensteile(schluessel);
    // Only a name equal but for case can name the same file.
    if (teile.isEmpty() || teile.front().compare(unistall_dateiname(), Qt::CaseInsensitive) != 0)
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
    const CUninstallMap karte = unistall_kopie();
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
    int k = 0;
    for (const auto& [pfad, zeit] : karte) {
        ++k;
        if (!log)
            continue;
        const QString zeile = QStringLiteral("%1: %2  %3")
                                  .arg(k, 4, 10, QLatin1Char('0'))
                                  .arg(zeit.als_qstring(true, true, false), maskiere_steuerzeichen(pfad));
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
void raeume_auf(int wurzel_fd, const CUninstallMap& karte)
{
    QSet<QString> ordner{QString()};
    for (const auto& eintrag : karte) {
        const QString& schluessel = eintrag.first;
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

bool deinstalliere(CCBaseLog* log, const QString& wurzel, CUninstallInfo* uninstall)
{
    const CZielsperre sperre(wurzel, CZielsperre::aendern, melde_info);
    // A record goes only after its file or folder is gone; one whose removal failed stays.
    CUninstallSchreiber schreiber(uninstall);
    const CUninstallMap karte = unistall_kopie();
    if (log)
        log->neue_titelzeile(CQString(Text::tr("Deinstallation - Lösche Dateien")));
    melde_info(QLatin1String("- ") + Text::tr("Lösche Dateien") + QLatin1String(" -"));
    int fehler = 0;
    // Every deletion starts from the root's handle: a link below the root that leads out of it
    // ends the path there.
    const int wurzel_fd = oeffne_ordnerhandle(QFile::encodeName(wurzel));
    const int wurzelfehler = wurzel_fd < 0 ? errno : 0;
    // Folders by their path relative to the root and their full path for the protocol.
    std::vector<std::pair<QString, QString>> verzeichnisse;
    int schritt = 0;
    const QString grund = hindernis(sperre);
    if (!grund.isEmpty()) {
        // Nothing is deleted on records that could not be read, or while another process works.
        melde_fehler(grund);
        ++fehler;
    } else if (wurzel_fd >= 0) {
        raeume_auf(wurzel_fd, karte);
    } else if (!karte.empty()) {
        // Said once, not as a failure of every record.
        melde_fehler(zielordner_fehlertext(wurzel, wurzelfehler));
        ++fehler;
    }
    // A job that is to stop (its window goes, or the program ends under it) stops between two
    // deletions, its records written.
    const auto abgebrochen = [log, &fehler] {
        if (!log || !log->ist_abgebrochen())
            return false;
        ++fehler;
        return true;
    };
    for (auto eintrag = karte.begin();
         grund.isEmpty() && wurzel_fd >= 0 && eintrag != karte.end() && !abgebrochen(); ++eintrag) {
        const QString& schluessel = eintrag->first;
        const QString pfad = wurzel + QLatin1Char('/') + schluessel;
        const QString relativ = ohne_endtrenner(schluessel);
        const bool ordnerschluessel = relativ.size() < schluessel.size();
        if (verlaesst_wurzel(schluessel)) {
            fehler += berichte(false, pfad, datei_fehler);
        } else if (an_stelle_der_aufzeichnung(wurzel_fd, schluessel)) {
            melde_info(Text::tr("überspringe %1").arg(maskiere_steuerzeichen(pfad)));
            vergiss(schreiber, schluessel);
        } else if (ist_ordner_unterhalb(wurzel_fd, relativ)) {
            // A folder where a file was recorded is the user's: it stays.
            if (!ordnerschluessel)
                fehler += berichte(false, pfad, datei_fehler);
            else if (!ist_wurzel(wurzel + QLatin1Char('/') + relativ, wurzel))
                verzeichnisse.emplace_back(schluessel, ohne_endtrenner(pfad));
        } else if (berichte(entferne_unterhalb(wurzel_fd, relativ, ordnerschluessel ? AT_REMOVEDIR : 0),
                            ordnerschluessel ? ohne_endtrenner(pfad) : pfad, ordnerschluessel ? ordner_fehler : datei_fehler)
                   == 0) {
            // A folder's record removes only a folder: a file or a link that the user put in its
            // place stays, with a failure line (only what is gone already counts as removed).
            vergiss(schreiber, schluessel);
        } else {
            ++fehler;
        }
        if (log)
            log->setze_fortschritt(schritt);
        ++schritt;
    }
    if (log) {
        log->setze_fortschritt(static_cast<int>(karte.size()));
        log->neue_textzeile(CQString(" "), 0);
        log->neue_titelzeile(CQString(Text::tr("Deinstallation - Lösche Verzeichnisse")));
    }
    melde_info(QLatin1String("- ") + Text::tr("Lösche Verzeichnisse") + QLatin1String(" -"));
    if (log)
        log->setTotalSteps(static_cast<int>(verzeichnisse.size()));

    // Descending order puts every sub-folder before its parent.
    std::sort(verzeichnisse.begin(), verzeichnisse.end(), std::greater<>());
    int erledigt = 0;
    for (auto ordner = verzeichnisse.begin(); ordner != verzeichnisse.end() && !abgebrochen(); ++ordner) {
        const auto& [schluessel, pfad] = *ordner;
        if (berichte(entferne_unterhalb(wurzel_fd, ohne_endtrenner(schluessel), AT_REMOVEDIR), pfad, ordner_fehler) == 0)
            vergiss(schreiber, schluessel);
        else
            ++fehler;
        if (log)
            log->setze_fortschritt(erledigt);
        ++erledigt;
    }
    // The records as they end; a run that could not write them stops with an error.
    if (!schreiber.schreibe(true, true))
        ++fehler;
    if (wurzel_fd >= 0)
        ::close(wurzel_fd);
    if (log) {
        log->setze_fortschritt(erledigt);
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
    return deinstalliere(log, laufwerk_gross(wurzel), uninstall);
}
