#include "cuninstallinfo.h"
#include "cfehler.h"
#include "cqiodatei.h"
#include "cqiozeileexcel.h"
#include "klassen.h"
#include "melde.h"
#include "startzustand.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

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

} // namespace

CUninstallMap& unistall_map()
{
    static CUninstallMap* karte = new CUninstallMap;
    return *karte;
}

void ergaenze_unistall(const QString& pfad, const CZeitVDN& zeit)
{
    unistall_map()[pfad] = zeit;
}

QString uninstall_zeile(const QString& pfad, const CZeitVDN& zeit)
{
    return zeit.als_qstring(true, true, false) + QLatin1Char(';') + schluessel_text(pfad);
}

CUninstallInfo::CUninstallInfo() : CUninstallInfo(gib_zielverzeichnis()) {}

CUninstallInfo::CUninstallInfo(const QString& verzeichnis)
    : dateiname(verzeichnis + QLatin1String("/uninstall.dat"))
{
    lies_unistall();
}

CUninstallInfo::~CUninstallInfo()
{
    schreibe_unistall();
}

void CUninstallInfo::lies_unistall()
{
    CQIODatei datei{CQString(dateiname)};
    if (!datei.oeffne(true, false, true, false, false))
        return;
    datei.setze_codec(true);
    trennzeichen = ';';
    CQString zeile;
    int nummer = 0;
    CQIOZeileExcel zellen;
    while (datei.lies_zeile(zeile, nummer, false)) {
        if (zeile.trimmed().isEmpty())
            continue;
        zellen.zerlege(zeile, true);
        if (zellen.gib_element(0).trimmed().startsWith(QLatin1Char('#')) || zellen.anzahl() < 2)
            continue;
        try {
            const CZeitVDN zeit(zellen.gib_element(0));
            unistall_map()[zellen.gib_element(1)] = zeit;
        } catch (const CFehlerBasis& fehler) {
            fehler.melde(true);
        }
    }
}

bool CUninstallInfo::schreibe_unistall()
{
    const CUninstallMap& karte = unistall_map();
    if (karte.empty())
        return true;
    QByteArray inhalt;
    const auto zeile = [&inhalt](const QString& text) {
        inhalt += text.toUtf8();
        inhalt += "\r\n";
    };
    zeile(QStringLiteral("#"));
    zeile(QLatin1String("# ") + tr("ACHTUNG Uninstall-Information"));
    zeile(QLatin1String("# ") + tr("Bitte diese Datei nicht editieren oder loeschen"));
    zeile(QStringLiteral("#"));
    for (const auto& [pfad, zeit] : karte)
        zeile(uninstall_zeile(pfad, zeit));

    QSaveFile datei(dateiname);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size() || !datei.commit()) {
        qmelde(2, klasse_kurz, CQString("schreibe_unistall"),
               CQString(tr("Kann Datei %1 nicht zum Schreiben oeffnen").arg(dateiname)));
        return false;
    }
    return true;
}

void CUninstallInfo::remove_unistall()
{
    unistall_map().clear();
    if (!QFile::remove(dateiname))
        qmelde(2, klasse_kurz, CQString("remove_unistall"),
               CQString(tr("Kann Datei %1 nicht loeschen").arg(dateiname)));
}
