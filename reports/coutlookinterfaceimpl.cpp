#include "coutlookinterfaceimpl.h"
#include "dateien.h"
#include "hilfsprogramm.h"
#include "linkfreigabe.h"
#include "melde.h"

#include <QBuffer>
#include <QDebug>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QUrl>
#include <QtEndian>

#include <algorithm>

namespace {

// What Windows' drag and drop carries, in the names Qt gives the formats.
const QLatin1String format_dateiname("application/x-qt-windows-mime;value=\"FileName\"");
const QLatin1String format_inhalt("Outlook/FileContents");
const QLatin1String format_deskriptor("application/x-qt-windows-mime;value=\"FileGroupDescriptor\"");
const QLatin1String format_kontext("application/x-qt-windows-mime;value=\"DragContext\"");
const QLatin1String format_nachrichten("application/x-qt-windows-mime;value=\"RenPrivateMessages\"");
const QLatin1String format_link("text/x-moz-url");

const char* const methode_drop = "COutlook_Interface::action_dropEvent";
const char* const methode_anlage = "COutlook_Interface::speichere_anlage_msg";
const char* const methode_explorer = "COutlook_Interface::speichere_explorer_msg";

void melde_info(const char* methode, const QString& text)
{
    qmelde(5, klasse_funktion, CQString(methode), CQString(text));
}

// The names come from another program: only the last part of a path is used, so that a copy
// always lands in the temporary folder.
QString nur_dateiname(const QString& name)
{
    const int trenner = std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    return name.mid(trenner + 1);
}

// The shell's FILEGROUPDESCRIPTORA: a little-endian 32-bit count, then entries of 332 bytes,
// each with its file name in the 260 bytes from offset 72 (Latin-1, ended by a zero byte).
// The count is believed only as far as the entries are really there.
QStringList lies_dateigruppe(const QByteArray& daten)
{
    const int kopf = 4, eintrag = 332, name_ab = 72, name_laenge = 260;
    if (daten.size() < kopf)
        return {};
    const quint32 gemeldet = qFromLittleEndian<quint32>(daten.constData());
    const quint32 vorhanden = static_cast<quint32>((daten.size() - kopf) / eintrag);
    const int anzahl = static_cast<int>(std::min(gemeldet, vorhanden));
    QStringList namen;
    for (int i = 0; i < anzahl; ++i) {
        const char* feld = daten.constData() + kopf + i * eintrag + name_ab;
        namen << nur_dateiname(QString::fromLatin1(feld, static_cast<int>(qstrnlen(feld, name_laenge))));
    }
    return namen;
}

// Template of an XML copy: the name in lower case without ".xml", then "_XXXXXX.xml".
QString xml_vorlage(const QString& name)
{
    QString basis = name.toLower();
    if (basis.endsWith(QLatin1String(".xml")))
        basis.chop(4);
    return (basis.isEmpty() ? QStringLiteral("import") : basis) + QStringLiteral("_XXXXXX.xml");
}

// Template of any other copy: "_XXXXXX" before the suffix.
QString datei_vorlage(const QString& name)
{
    QString vorlage = name;
    const int punkt = vorlage.lastIndexOf(QLatin1Char('.'));
    return vorlage.insert(punkt < 0 ? vorlage.size() : punkt, QStringLiteral("_XXXXXX"));
}

// Writes what `quelle` holds into a new temporary file that stays; its name, empty when that
// failed.
QString schreibe_kopie(const QString& vorlage, QIODevice& quelle)
{
    QTemporaryFile datei(QDir::tempPath() + QLatin1Char('/') + vorlage);
    datei.setAutoRemove(false);
    if (!datei.open())
        return QString();
    // In blocks: a dropped file of any size takes little memory.
    bool geschrieben = true;
    for (QByteArray block; geschrieben && !(block = quelle.read(1 << 20)).isEmpty();)
        geschrieben = datei.write(block) == block.size();
    if (!geschrieben || !quelle.atEnd() || !datei.flush()) {
        datei.remove();
        return QString();
    }
    return datei.fileName();
}

// The same for data in memory.
QString schreibe_kopie(const QString& vorlage, QByteArray daten)
{
    QBuffer puffer(&daten);
    puffer.open(QIODevice::ReadOnly);
    return schreibe_kopie(vorlage, puffer);
}

QStringList argumente_mit_ziel(QStringList argumente, const QString& ziel, const QString& name)
{
    if (!ziel.isEmpty())
        argumente << QStringLiteral("-dest") << ziel;
    return argumente << QStringLiteral("-name") << name;
}

} // namespace

COutlook_Interface_Impl::COutlook_Interface_Impl(QObject* eltern) : COutlook_Interface(eltern) {}

COutlook_Interface_Impl::~COutlook_Interface_Impl()
{
    // The receivers own the files and remove them; an empty folder goes with the interface.
    if (!ablage.isEmpty())
        QDir().rmdir(ablage);
}

void COutlook_Interface_Impl::setze_endungen(const QStringList& liste)
{
    endungen.clear();
    for (const QString& endung : liste)
        endungen << endung.toLower();
}

bool COutlook_Interface_Impl::url_passt(const QString& pfad) const
{
    if (pfad.isEmpty())
        return false;
    if (dateien_akzeptiert
        && (endungen.isEmpty() || (ist_datei(pfad) && endungen.contains(QFileInfo(pfad).suffix().toLower()))))
        return true;
    return xml_akzeptiert && ist_xml_datei(pfad);
}

bool COutlook_Interface_Impl::pruefe_drag(QDragEnterEvent* event)
{
    // An earlier drop is not delivered yet.
    if ((xml_akzeptiert && wartende_xml) || (dateien_akzeptiert && wartende_dateien)) {
        event->ignore();
        return false;
    }
    namen_angeboten = inhalt_angeboten = link_gesehen = mail_nachrichten = false;
    anzahl = 0;
    const QMimeData* daten = event->mimeData();
    bool deskriptor = false;
    for (const QString& format : daten->formats()) {
        if (format == format_dateiname)
            namen_angeboten = true;
        else if (format == format_inhalt)
            inhalt_angeboten = true;
        else if (format == format_deskriptor)
            deskriptor = true;
        else if (format == format_link)
            link_gesehen = true;
        else if (format == format_kontext || format == format_nachrichten)
            mail_nachrichten = true;
    }
    // A link names a file, whatever else the drag carries.
    if (link_gesehen) {
        namen_angeboten = true;
        inhalt_angeboten = false;
    }
    if (deskriptor)
        anzahl = lies_dateigruppe(daten->data(format_deskriptor)).size();
    if (!dateien_akzeptiert && !xml_akzeptiert)
        return false;

    if (namen_angeboten && daten->hasUrls()) {
        const QList<QUrl> urls = daten->urls();
        if (std::none_of(urls.begin(), urls.end(), [this](const QUrl& url) { return url_passt(lokaler_pfad(url)); })) {
            namen_angeboten = false;
            event->ignore();
            return false;
        }
    }
    if (namen_angeboten)
        inhalt_angeboten = false;
    if (inhalt_angeboten && xml_akzeptiert) {
        const bool xml = anzahl > 0 && daten->data(format_inhalt).contains("<?xml");
        if (!xml && !dateien_akzeptiert) {
            event->ignore();
            return false;
        }
    }
    if (!namen_angeboten && !inhalt_angeboten) {
        event->ignore();
        return false;
    }
    event->acceptProposedAction();
    return true;
}

bool COutlook_Interface_Impl::action_dropEvent(QDropEvent* event)
{
    qDebug() << "- action_dropEvent -";
    event->acceptProposedAction();
    dateien.clear();
    xml_dateien.clear();
    if (!dateien_akzeptiert && !xml_akzeptiert)
        return false;

    QStringList dateien_neu, xml_neu;
    if (namen_angeboten) {
        sammle_namen(event, dateien_neu, xml_neu);
        inhalt_angeboten = false;
    } else if (inhalt_angeboten) {
        sammle_inhalte(event, dateien_neu, xml_neu);
    }
    anzahl = dateien_neu.size();
    xml_anzahl = xml_neu.size();
    const bool temporaer = inhalt_angeboten || link_gesehen;
    if (!dateien_neu.isEmpty())
        wartende_dateien.reset(new Wartend{dateien_neu, temporaer});
    if (!xml_neu.isEmpty())
        wartende_xml.reset(new Wartend{xml_neu, temporaer});
    return true;
}

void COutlook_Interface_Impl::sammle_namen(QDropEvent* event, QStringList& dateien_neu, QStringList& xml_neu)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    for (int i = 0; i < urls.size(); ++i) {
        const QString pfad = lokaler_pfad(urls[i]);
        if (pfad.isEmpty())
            continue;
        qDebug().noquote() << QStringLiteral("Drop Datei %1: '%2'").arg(i + 1).arg(pfad);
        if (xml_akzeptiert && ist_xml_datei(pfad))
            xml_neu << pfad;
        else if (dateien_akzeptiert)
            dateien_neu << pfad;
    }
    if (!link_gesehen)
        return;
    // A linked file is delivered as a copy flagged temporary: the receiver removes it when done,
    // and that must never hit the original.
    const QStringList originale = xml_neu;
    dateien_neu.clear();
    xml_neu.clear();
    for (const QString& pfad : originale) {
        QFile original(pfad);
        if (!oeffne_regulaere_datei(original, QIODevice::ReadOnly))
            continue;
        const QString kopie = schreibe_kopie(xml_vorlage(QFileInfo(pfad).fileName()), original);
        if (!kopie.isEmpty())
            xml_neu << kopie;
    }
}

void COutlook_Interface_Impl::sammle_inhalte(QDropEvent* event, QStringList& dateien_neu, QStringList& xml_neu)
{
    const QMimeData* daten = event->mimeData();
    for (const QString& format : daten->formats())
        qDebug().noquote() << QStringLiteral("Format '%1': %2").arg(format).arg(daten->data(format).size());
    const QStringList namen = lies_dateigruppe(daten->data(format_deskriptor));
    for (int i = 0; i < namen.size(); ++i)
        qDebug().noquote() << QStringLiteral("Drop Anlage %1: '%2'").arg(i + 1).arg(namen[i]);

    // The drag carries one contents stream: it belongs to the first item only.
    const QByteArray inhalt = daten->data(format_inhalt);
    bool mails_geholt = false;
    for (int i = 0; i < namen.size(); ++i) {
        const QString& name = namen[i];
        if (!inhalt.isEmpty()) {
            if (i > 0) {
                qmelde(4, klasse_funktion, CQString(methode_drop),
                       CQString(tr("Anlage '%1' übersprungen: der Drop enthält nur den Inhalt der ersten Anlage")
                                    .arg(name)));
                continue;
            }
            if (xml_akzeptiert && inhalt.contains("<?xml")) {
                const QString kopie = schreibe_kopie(xml_vorlage(name), inhalt);
                if (!kopie.isEmpty())
                    xml_neu << kopie;
            } else if (dateien_akzeptiert) {
                const QString kopie = schreibe_kopie(datei_vorlage(name), inhalt);
                if (!kopie.isEmpty())
                    dateien_neu << kopie;
            }
        } else if (dateien_akzeptiert && !mail_nachrichten) {
            if (name.endsWith(QLatin1String(".msg"))) {
                const QString pfad = hole_anlage(name);
                if (!pfad.isEmpty())
                    dateien_neu << pfad;
            }
        } else if (dateien_akzeptiert && !mails_geholt) {
            const QString ordner = gib_ablage();
            if (!ordner.isEmpty())
                dateien_neu << speichere_explorer_msg(ordner, QStringLiteral("wurst"));
            mails_geholt = true;
        }
    }
}

QString COutlook_Interface_Impl::hole_anlage(const QString& name)
{
    const QString ordner = gib_ablage();
    if (ordner.isEmpty())
        return QString();
    speichere_anlage_msg(ordner, name);
    const QString pfad = ordner + QLatin1Char('/') + name;
    if (ist_datei(pfad))
        return pfad;
    qmelde(2, klasse_funktion, CQString(methode_drop),
           CQString(tr("Die Anlage '%1' wurde nicht gespeichert").arg(pfad)));
    return QString();
}

// The bridge saves under names the drag gives: in the shared temporary folder another user
// could have put a file of that name there first, and it would be taken for the user's own.
QString COutlook_Interface_Impl::gib_ablage()
{
    if (ablage.isEmpty()) {
        QTemporaryDir ordner(QDir::tempPath() + QStringLiteral("/mailablage-XXXXXX"));
        ordner.setAutoRemove(false);
        if (ordner.isValid())
            ablage = ordner.path();
        else
            qmelde(2, klasse_funktion, CQString(methode_drop),
                   CQString(tr("Kann keinen Ordner für Anlagen in %1 anlegen: %2").arg(QDir::tempPath(), ordner.errorString())));
    }
    return ablage;
}

bool COutlook_Interface_Impl::liefere(std::unique_ptr<Wartend>& wartend, QStringList& ziel)
{
    if (!wartend)
        return false;
    ziel = wartend->namen;
    inhalt_angeboten = wartend->temporaer;
    wartend.reset();
    return !ziel.isEmpty();
}

bool COutlook_Interface_Impl::action_dropFile()
{
    qDebug() << "- action_dropFile -" << dateien_akzeptiert
             << (wartende_dateien ? wartende_dateien->namen : QStringList());
    return dateien_akzeptiert && liefere(wartende_dateien, dateien);
}

bool COutlook_Interface_Impl::action_dropXMLFile()
{
    return xml_akzeptiert && liefere(wartende_xml, xml_dateien);
}

bool COutlook_Interface_Impl::speichere_anlage_msg(const QString& ziel, const QString& name)
{
    const QString programm = gib_hilfsprogramm_pfad(QString());
    melde_info(methode_anlage, tr("Starte %1 -anlage -name '%2'").arg(programm, name));
    return fuehre_hilfsprogramm_aus(programm, argumente_mit_ziel({QStringLiteral("-anlage")}, ziel, name));
}

QStringList COutlook_Interface_Impl::speichere_explorer_msg(const QString& ziel, const QString& name)
{
    const QString ergebnis = erzeuge_ergebnisdatei();
    const QString programm = gib_hilfsprogramm_pfad(QString());
    QStringList gespeichert;
    // Without a result file the bridge could not say what it saved.
    if (ergebnis.isEmpty()) {
        melde_info(methode_explorer, QStringLiteral("OI: Fehler beim Öffnen der Datei '%1'").arg(ergebnis));
        return gespeichert;
    }
    melde_info(methode_explorer, QStringLiteral("OI: Starte %1 -mail -name '%2'").arg(programm, name));
    const QStringList argumente = argumente_mit_ziel(
        {QStringLiteral("-mail"), QStringLiteral("-back"), ergebnis}, ziel, name);
    if (!fuehre_hilfsprogramm_aus(programm, argumente))
        melde_info(methode_explorer, QStringLiteral("OI: Fehler bei Prozess-Start"));
    if (!lies_ergebnisdatei(ergebnis, gespeichert))
        melde_info(methode_explorer, QStringLiteral("OI: Fehler beim Öffnen der Datei '%1'").arg(ergebnis));
    return gespeichert;
}
