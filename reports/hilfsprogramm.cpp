#include "hilfsprogramm.h"
#include "ccat.h"
#include "cqiodatei.h"
#include "cqiozeileexcel.h"
#include "katalog.h"
#include "plattform.h"
#include "steuerdaten.h"
#include "verzeichnisse.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryFile>

namespace {

// Every bridge run ends within this time, or it is given up.
const int wartezeit_ms = 30000;

} // namespace

CQString waehle_hilfsprogramm(const QString& profil)
{
    const QString text = profil.isEmpty() ? QString(gib_katalog_privat().mapi_profil.gib_wert_qstr()) : profil;
    const bool system64 = ist_64bit_system();
    if (text.startsWith(QLatin1String("SMTP;")))
        return CQString(system64 ? "/RT32/SendMail.exe" : "/SendMail.exe");
    // A 32-bit program runs in the "RT32" folder of a 64-bit system, and the other way round.
    const bool outlook64 = gib_steuerwert(CQString("/Privat/Outlook64"), false).toBool();
    if (system64)
        return CQString(outlook64 ? "/CallOutlook64.exe" : "/RT32/CallOutlook32.exe");
    return CQString(outlook64 ? "/RT64/CallOutlook64.exe" : "/CallOutlook32.exe");
}

QString gib_hilfsprogramm_pfad(const QString& profil)
{
    return gib_anwendungsverzeichnis().absolutePath() + waehle_hilfsprogramm(profil);
}

QString erzeuge_ergebnisdatei()
{
    QTemporaryFile datei(QDir::tempPath() + QStringLiteral("/CallOutlook_result_XXXXXX.csv"));
    datei.setAutoRemove(false);
    if (!datei.open())
        return QString();
    return datei.fileName();
}

bool fuehre_hilfsprogramm_aus(const QString& programm, const QStringList& argumente)
{
    QProcess prozess;
    prozess.start(programm, argumente, QIODevice::ReadWrite);
    const bool beendet = prozess.waitForFinished(wartezeit_ms);
    if (!beendet && prozess.state() != QProcess::NotRunning) {
        prozess.kill();
        prozess.waitForFinished(1000);
    }
    return beendet;
}

bool lies_ergebnisdatei(const QString& datei, QStringList& dateien)
{
    CQIODatei ergebnis{CQString(datei)};
    if (!ergebnis.oeffne(true, false, true, false, false)) {
        QFile::remove(datei);
        return false;
    }
    ergebnis.setze_codec(true);
    trennzeichen = ';';
    CQIOZeileExcel zeile;
    CQString text;
    int nummer = 0;
    CQCat* const logger = CQCat::gib_instanz();
    while (ergebnis.lies_zeile(text, nummer, false)) {
        zeile.zerlege(text, true);
        if (zeile.anzahl() < 2)
            continue;
        const CQString art = zeile.gib_element(0);
        const CQString wert = zeile.gib_element(1);
        const QString meldung = QStringLiteral("OI: %1").arg(wert);
        if (art == QLatin1String("inf")) {
            logger->info(CQString(meldung));
        } else if (art == QLatin1String("warn")) {
            logger->warn(CQString(meldung));
        } else if (art == QLatin1String("err")) {
            logger->error(CQString(meldung));
        } else if (art == QLatin1String("file") && !wert.isEmpty()) {
            logger->debug(CQString(QStringLiteral("OI: Datei: %1").arg(wert)));
            dateien << wert;
        }
    }
    ergebnis.schliesse();
    QFile::remove(datei);
    return true;
}
