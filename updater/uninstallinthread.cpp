#include "uninstallinthread.h"
#include "ccbaselog.h"
#include "cuninstallinfo.h"
#include "klassen.h"
#include "melde.h"
#include "verzeichnisse.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <vector>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("UpdaterMainWindow", text);
}

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
        melde_info(tr("gelöscht %1").arg(pfad));
        return 0;
    }
    melde_fehler(tr(fehlertext).arg(pfad));
    return 1;
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

// Whether a folder is the root itself, however the key spelled it ("/", "./", "" ...).
bool ist_wurzel(const QString& ordner, const QString& wurzel)
{
    return QDir::cleanPath(ordner).compare(QDir::cleanPath(wurzel), Qt::CaseInsensitive) == 0;
}

void zeige_eintraege(CCBaseLog* log, const CQString& produkt)
{
    const CUninstallMap& karte = unistall_map();
    if (log) {
        log->neue_titelzeile(CQString(tr("Inhalt der Uninstall Information 'uninstall.dat'")));
        log->setze_abbruch();
        log->setTotalSteps(static_cast<int>(karte.size()));
    }
    if (karte.empty()) {
        if (log)
            log->neue_textzeile(CQString(tr("Keine Uninstall Information für %1 gefunden !").arg(produkt)), 1);
        return;
    }
    int k = 0;
    for (const auto& [pfad, zeit] : karte) {
        ++k;
        if (!log)
            continue;
        log->neue_textzeile(CQString(QStringLiteral("%1: %2  %3")
                                         .arg(k, 4, 10, QLatin1Char('0'))
                                         .arg(zeit.als_qstring(true, true, false), pfad)),
                            0);
        log->setze_fortschritt(k);
    }
}

bool deinstalliere(CCBaseLog* log, const QString& wurzel)
{
    const CUninstallMap& karte = unistall_map();
    if (log)
        log->neue_titelzeile(CQString(tr("Deinstallation - Lösche Dateien")));
    melde_info(QLatin1String("- ") + tr("Lösche Dateien") + QLatin1String(" -"));
    int fehler = 0;
    std::vector<QString> verzeichnisse;
    int schritt = 0;
    for (const auto& eintrag : karte) {
        const QString& schluessel = eintrag.first;
        const QString pfad = wurzel + QLatin1Char('/') + schluessel;
        if (verlaesst_wurzel(schluessel)) {
            fehler += berichte(false, pfad, datei_fehler);
        } else if (QFileInfo(pfad).isDir()) {
            const QString ordner = ohne_endtrenner(pfad);
            if (!ist_wurzel(ordner, wurzel))
                verzeichnisse.push_back(ordner);
        } else {
            fehler += berichte(QFile::remove(pfad), pfad, datei_fehler);
        }
        if (log)
            log->setze_fortschritt(schritt);
        ++schritt;
    }
    if (log) {
        log->setze_fortschritt(static_cast<int>(karte.size()));
        log->neue_textzeile(CQString(" "), 0);
        log->neue_titelzeile(CQString(tr("Deinstallation - Lösche Verzeichnisse")));
    }
    melde_info(QLatin1String("- ") + tr("Lösche Verzeichnisse") + QLatin1String(" -"));
    if (log)
        log->setTotalSteps(static_cast<int>(verzeichnisse.size()));

    // Descending order puts every sub-folder before its parent.
    std::sort(verzeichnisse.begin(), verzeichnisse.end(), std::greater<QString>());
    int erledigt = 0;
    for (const QString& ordner : verzeichnisse) {
        fehler += berichte(QDir().rmdir(ordner), ordner, ordner_fehler);
        if (log)
            log->setze_fortschritt(erledigt);
        ++erledigt;
    }
    if (log) {
        log->setze_fortschritt(erledigt);
        log->neue_textzeile(CQString(" "), 0);
        log->neue_titelzeile(CQString(tr("Deinstallation")));
    }
    if (fehler > 0) {
        if (log)
            log->setze_fehler();
        melde_fehler(tr("Deinstallation -mit Fehlern- beendet."));
        return false;
    }
    melde_info(tr("Deinstallation beendet."));
    return true;
}

} // namespace

bool UninstallInThread(CCBaseLog* log, int* modus, const CQString& wurzel, const CQString& produkt)
{
    if (!modus || *modus > 2) {
        zeige_eintraege(log, produkt);
        return true;
    }
    return deinstalliere(log, laufwerk_gross(wurzel));
}
