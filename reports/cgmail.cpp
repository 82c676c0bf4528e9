#include "cgmail.h"
#include "anwenderemail.h"
#include "berichthtml.h"
#include "berichtslink.h"
#include "ccat.h"
#include "cdocklog.h"
#include "cgbrowserweb.h"
#include "cmailordner.h"
#include "cprozess.h"
#include "cqiodatei.h"
#include "cvariablesteuer.h"
#include "dateien.h"
#include "dialogseam.h"
#include "einstellungswerte.h"
#include "gui.h"
#include "hilfsprogramm.h"
#include "hintergrund.h"
#include "katalog.h"
#include "steuerdaten.h"
#include "steuerzeichen.h"
#include "verzeichnisse.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Registered with the browser that makes the mails.
extern CKlasse eintrag_CGMail;
CKlasse* CGMail::klasse = &eintrag_CGMail;

bool mail_aktiv = false;
int mail_versuche = 0;

namespace {

const QString schnittstellen_name = QStringLiteral(".mapi.txt");

// Registered while globals are built, so the settings dialog lists it before any mail exists.
const bool angelegt = (CGMail::gib_smtp_zeitlimit(), true);

// Whether `zeichen` ends a line for a reader of lines: the bridges read Windows text, whose
// readers also break at a lone CR, and Unicode's own separators count as well.
bool ist_zeilenende(QChar zeichen)
{
    switch (zeichen.unicode()) {
    case '\n':
    case '\v':
    case '\f':
    case '\r':
    case 0x85:
    case 0x2028:
    case 0x2029: return true;
    default: return false;
    }
}

bool hat_zeilenende(const QString& text)
{
    return std::any_of(text.begin(), text.end(), ist_zeilenende);
}

// A field of the line-oriented hand-off file: a line end in it would begin a field of its own
// (a subject could turn into recipients), so each becomes a blank.
QString eine_zeile(QString text)
{
    for (QChar& zeichen : text)
        if (ist_zeilenende(zeichen))
            zeichen = QLatin1Char(' ');
    return text;
}

// The lines of a text of several lines, whatever ends them.
QStringList zeilen_von(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (QChar& zeichen : text)
        if (ist_zeilenende(zeichen))
            zeichen = QLatin1Char('\n');
    return text.split(QLatin1Char('\n'));
}

// The file empty and readable by its owner only, whatever it was before: it carries the mail
// password. A file left by an earlier run is replaced rather than reused, so that nobody who
// opened the old one reads the new text through it; a file that stays at the name (another
// account's in a shared folder) is not taken. Empty when it is there, else why not.
QString lege_privat_an(const QString& pfad)
{
    QFile::remove(pfad);
    const int fd = ::open(QFile::encodeName(pfad).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                          S_IRUSR | S_IWUSR);
    if (fd < 0)
        return systemfehler(errno);
    const int privat = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 ? 0 : errno;
    ::close(fd);
    return privat == 0 ? QString() : systemfehler(privat);
}

// Folder + "/" + the file name without its suffix + `anhang`.
QString neben(const QString& datei, const QString& anhang)
{
    const QFileInfo info(datei);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + anhang;
}

// The copy keeps the report's file name, which the recipient sees; an HTML copy of a report
// with another ending gets ".html", and what names no file ("", ".", "..") becomes "bericht".
QString kopie_name(const QString& bericht)
{
    // The name goes to the hand-off file, whose lines it must not split.
    QString name = eine_zeile(QFileInfo(bericht).fileName());
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("bericht");
    const QString endung = QFileInfo(name).suffix().toLower();
    if (endung != QLatin1String("txt") && endung != QLatin1String("html") && endung != QLatin1String("htm"))
        name += QStringLiteral(".html");
    return name;
}

} // namespace

CVariableSteuer<unsigned>& CGMail::gib_smtp_zeitlimit()
{
    static auto* zeitlimit = new CVariableSteuer<unsigned>(
        "/Privat/SmtpZeitlimit", 120u, "Mailversand: Sekunden, nach denen ein SMTP Sender abgebrochen wird", "");
    return *zeitlimit;
}

bool mailversand_frei(const bool& warnen)
{
    if (!mail_aktiv)
        return true;
    const int n = mail_versuche + 1;
    if (n >= 5) {
        // The fifth attempt in a row goes through: a send window may have been closed unseen.
        mail_versuche = 0;
        return true;
    }
    mail_versuche = n;
    if (warnen) {
        const QString text = CGMail::tr("Ein Mailversand ist bereits aktiv!") + QLatin1Char('\n') +
                             CGMail::tr("Beenden Sie das 'Senden'-Fenster Ihres Mail-Clients.") + QLatin1Char('\n') +
                             CGMail::tr("Danach wiederholen Sie bitte den Vorgang.");
        CQCat::gib_instanz()->warn(CQString(text));
        frage_mit_knoepfen(gib_hauptfenster(), QMessageBox::Warning, gib_meldungstitel(), text, {CGMail::tr("Ok")}, 0,
                           0);
    }
    return false;
}

CGMail::CGMail() : arbeitsverzeichnis(gib_eigene_dateien().absolutePath()) {}

CGMail::~CGMail()
{
    raeume_anlagen_auf();
    delete pdf_seite;
    mail_versuche = 0;
    mail_aktiv = false;
}

void CGMail::ausgabe(std::ostream& os) const
{
    os << "CGMail: " << betreff.toStdString() << " (" << berichtsdatei.toStdString() << ")\n";
}

void CGMail::lies_text(const CQString& datei, const bool& lesen)
{
    berichtsdatei = datei;
    if (!lesen)
        return;
    QFile quelle(datei);
    if (!oeffne_regulaere_datei(quelle, QIODevice::ReadOnly))
        return;
    // A report no page would load is not taken into memory for a mail either.
    if (quelle.size() > groesste_berichtsdatei(datei)) {
        CQCat::gib_instanz()->error(CQString(
            tr("Berichtsdatei '%1' ist zu groß für eine Mail").arg(maskiere_steuerzeichen(datei))));
        return;
    }
    html = CQString(html_aus_bytes(quelle.readAll()));
}

void CGMail::lies_text_anlage(const CQString& name, const CQString& datei, const bool& lesen)
{
    lies_text(datei, lesen);
    anlage_name = name;
}

void CGMail::scheitere()
{
    mail_versuche = 0;
    mail_aktiv = false;
    fehler = true;
}

void CGMail::bereite_mail_vor()
{
    fehler = false;
    if (!wunsch_verzeichnis.isEmpty())
        arbeitsverzeichnis = wunsch_verzeichnis;

    mit_logo = false;
    remote_logo.clear();
    logo_datei.clear();
    if (!dateien.isEmpty()) {
        const SGefundeneDatei logo = oeffne_gesuchte_datei(QStringLiteral("remote_logo.txt"), true, false);
        if (logo.datei) {
            // An address, never longer than this: a file of one endless line is not taken into memory.
            const QString zeile = QTextStream(logo.datei.get()).readLine(64 * 1024);
            if (!zeile.isEmpty()) {
                remote_logo = CQString(zeile);
                // The form the reports refer to their logo by.
                logo_datei = CQString(suche_logo(QString(), false, false, true));
                mit_logo = true;
            }
        }
    }

    anlage1.clear();
    anlage2.clear();
    mailtext.clear();
    raeume_anlagen_auf();
    // Every mail has a folder of its own for its hand-off file and its copies, so that a mail
    // going out at the same time (from another window or instance) never takes its place.
    if (!lege_anlagenordner_an())
        return;
    if (!berichtsdatei.isEmpty()) {
        // The user's report is never written to: what travels are copies of the mail's own.
        anlage1 = CQString(anlagenordner->datei(kopie_name(berichtsdatei)));
        if (zweite_seite)
            anlage2 = CQString(neben(berichtsdatei, QStringLiteral("2.html")));
    }

    QString pdf_quelle = anlage1;
    // The copies of a report of 30 MB take their time: written beside the window.
    bool kopiert = true;
    bool abgebrochen = false;
    if (!anlage1.isEmpty() && !ist_xml_methode_2())
        CHintergrund::fuehre_aus(gib_hauptfenster(), tr("Mail wird vorbereitet ..."), [&](CHintergrund& arbeit) {
            kopiert = schreibe_kopien(pdf_quelle);
            abgebrochen = arbeit.abgebrochen();
            return QString();
        });
    // Abbrechen means no mail, and none of its copies left behind.
    if (abgebrochen) {
        scheitere();
        raeume_anlagen_auf();
        return;
    }
    if (!kopiert)
        scheitere();

    if (zweite_seite || anlage1.isEmpty()) {
        sende_mailSlot();
        return;
    }
    const CQString pdf(neben(anlage1, QStringLiteral(".pdf")));
    dateien << pdf;
    pdf_seite = new CGBrowserWeb(nullptr);
    // The copy lies in the mail's folder; its pictures and style sheets are the report's own.
    if (!berichtsdatei.isEmpty())
        pdf_seite->erlaube_ordner(QFileInfo(berichtsdatei).absolutePath());
    connect(pdf_seite, &CGBrowserWeb::pdfFertig, this, &CGMail::sende_mailSlot);
    connect(pdf_seite, &CGBrowserWeb::pdfFehlgeschlagen, this, [this, pdf] { pdf_fehlgeschlagen(pdf); });
    // With the XML report's second method the page renders the PDF's source, whose HTML then
    // becomes the copy.
    if (ist_xml_methode_2())
        pdf_seite->lade_zum_drucken(anlage_name, pdf, anlage1);
    else
        pdf_seite->lade_zum_drucken(CQString(pdf_quelle), pdf, CQString());
}

bool CGMail::lege_anlagenordner_an()
{
    anlagenordner = std::make_unique<CMailordner>(arbeitsverzeichnis);
    if (anlagenordner->ist_gueltig())
        return true;
    const QString vorlage = arbeitsverzeichnis + QStringLiteral("/.mail_XXXXXX");
    const CQString meldung(
        tr("Konnte Ordner '%1' nicht anlegen: %2")
            .arg(maskiere_steuerzeichen(vorlage), anlagenordner->gib_fehlertext()));
    scheitere_vor_dem_start(meldung, meldung);
    return false;
}

bool CGMail::zeilenfest(QString& pfad)
{
    if (!hat_zeilenende(pfad))
        return true;
    const QString name = eine_zeile(QFileInfo(pfad).fileName());
    QString link = anlagenordner->datei(name);
    for (int i = 2; QFileInfo(link).isSymLink() || QFileInfo::exists(link); ++i)
        link = anlagenordner->datei(QString::number(i) + QLatin1Char('_') + name);
    if (!hat_zeilenende(link) && QFile::link(QFileInfo(pfad).absoluteFilePath(), link)) {
        pfad = link;
        return true;
    }
    const CQString meldung(tr("Konnte Anlage '%1' nicht übergeben.").arg(maskiere_steuerzeichen(pfad)));
    scheitere_vor_dem_start(meldung, meldung);
    return false;
}

void CGMail::raeume_anlagen_auf()
{
    // A bridge's end releases `prozess`; an SMTP sender has always ended once `starte` returned.
    if (anlagenordner && prozess && !smtp)
        anlagenordner->behalten();
    anlagenordner.reset();
}

bool CGMail::schreibe_kopien(QString& pdf_quelle)
{
    QString text;
    if (!lies_bericht(text))
        return false;
    if (ist_textbericht(berichtsdatei))
        return schreibe_text(anlage1, text);
    if (!schreibe_html(anlage1, mit_logo))
        return false;
    const QString quelle = neben(anlage1, QStringLiteral(".pdf.html"));
    const QString ordner = QFileInfo(berichtsdatei).absolutePath();
    QString grund;
    if (!ausgabe_gelungen(schreibe_berichtshtml(quelle, mit_basisordner(gib_mail_html(mit_logo), ordner), &grund), quelle,
                          grund))
        return false;
    pdf_quelle = quelle;
    return true;
}

bool CGMail::lies_bericht(QString& text)
{
    QString gelesen;
    QString grund;
    if (!CQIODatei::lies_text(berichtsdatei, gelesen, grund, groesste_berichtsdatei(berichtsdatei))) {
        CQCat::gib_instanz()->error(CQString(tr("Konnte Berichtsdatei '%1' nicht lesen: %2")
                                                 .arg(maskiere_steuerzeichen(berichtsdatei),
                                                      grund.isEmpty() ? tr("keine Datei") : grund)));
        return false;
    }
    if (ist_textbericht(berichtsdatei))
        text = gelesen;
    return true;
}

bool CGMail::schreibe_text(const QString& datei, const QString& text)
{
    CQIODatei kopie{CQString(datei)};
    bool geschrieben = kopie.oeffne(false, true, false, false, true);
    if (geschrieben) {
        // The mark tells the PDF page and Windows editors that the text is UTF-8.
        kopie.setze_utf8_bom(true);
        *kopie.gib_stream() << text;
        geschrieben = kopie.schliesse();
    }
    return ausgabe_gelungen(geschrieben, datei, kopie.gib_fehlertext());
}

void CGMail::pdf_fehlgeschlagen(const QString& pdf)
{
    // The page is still emitting.
    if (pdf_seite)
        pdf_seite->deleteLater();
    pdf_seite = nullptr;
    scheitere();
    raeume_anlagen_auf();
    melde_mailfehler(CQString(pdf));
}

void CGMail::scheitere_vor_dem_start(const CQString& meldung, const CQString& detail)
{
    CQCat::gib_instanz()->error(meldung);
    scheitere();
    raeume_anlagen_auf();
    melde_mailfehler(detail);
}

QPair<CQString, CQString> CGMail::gib_profil_und_passwort() const
{
    CKatalogPrivat& privat = gib_katalog_privat();
    const auto mapi = [](const CQStringSteuer& profil_, const CQStringSteuer& passwort) {
        return qMakePair(profil_.gib_wert_qstr(), passwort.gib_wert_qstr());
    };
    switch (art) {
    case 0: return mapi(privat.mapi_profil, privat.mapi_passwd);
    case 1: return mapi(privat.mapi_profil_presse, privat.mapi_passwd_presse);
    case 2: return mapi(privat.mapi_profil_nuv, privat.mapi_passwd_nuv);
    case 11: return {gib_smtp_beginn(), CQString()};
    case 12: return {gib_smtp_ende(), CQString()};
    case 13: return {gib_smtp_beginn_ext(), CQString()};
    case 14: return {gib_smtp_ende_ext(), CQString()};
    case 99: return {profil, CQString()};
    default: return {};
    }
}

CQString CGMail::gib_empfaenger() const
{
    CKatalogPrivat& privat = gib_katalog_privat();
    const unsigned ohne_vorzeichen = static_cast<unsigned>(art);
    if (art == 99)
        return privat.mapi_to.gib_wert_qstr();
    if (ohne_vorzeichen == 1 || ohne_vorzeichen > 10)
        return privat.mapi_to_presse.gib_wert_qstr();
    if (ohne_vorzeichen == 2)
        return privat.mapi_to_nuv.gib_wert_qstr();
    return privat.mapi_to.gib_wert_qstr();
}

CQString CGMail::gib_smtp_absender(const CQString& profiltext, CQString& anwender) const
{
    if (!absender.isEmpty())
        return absender;
    const CQString feld(profiltext.section(QLatin1Char(';'), 4, 4));
    if (!feld.isEmpty())
        return feld;
    if (!benutzerverwaltung_aktiv())
        return CQString();
    anwender = gib_anwender();
    return gib_anwender_email_tags(anwender);
}

CQString CGMail::gib_anlagenname(const CQString& pfad, int n) const
{
    QString name = QFileInfo(pfad).fileName();
    if (name.isEmpty())
        return CQString(tr("Anlage_%1").arg(n).remove(QLatin1Char(' ')));
    if (name.startsWith(QLatin1Char('.')) && name.size() > 1)
        name.remove(0, 1);
    return CQString(name);
}

void CGMail::sende_mailSlot()
{
    if (pdf_seite) {
        // Called from the page's own signal: it goes once control is back in the event loop.
        pdf_seite->deleteLater();
        pdf_seite = nullptr;
    }

    const CQString empfaenger_text = gib_empfaenger();
    qDebug().noquote() << QStringLiteral("To:%1:").arg(empfaenger_text);
    // A line end in the setting parts recipients as ";" does: each keeps to its line of the file.
    const QStringList empfaenger =
        zeilen_von(empfaenger_text).join(QLatin1Char(';')).split(QLatin1Char(';'), Qt::SkipEmptyParts);

    if (text.isEmpty())
        text = CQString(gib_meldungstitel() + QLatin1Char(' ') + tr("Bericht"));
    if (betreff.isEmpty())
        betreff = text;

    // A mail sent by this slot alone gets its folder here.
    if (!anlagenordner && !lege_anlagenordner_an())
        return;
    QStringList pfade;
    QStringList namen;
    mailtext = text;
    int n = 0;
    const auto fuege_an = [&](QString datei, const QString& trenner) {
        if (!zeilenfest(datei))
            return false;
        ++n;
        pfade << datei;
        namen << gib_anlagenname(CQString(datei), n);
        if (anlagen_im_text)
            mailtext += trenner + tr("Anlage: %1").arg(datei);
        return true;
    };
    for (const CQString* anlage : {&anlage1, &anlage2})
        if (!anlage->isEmpty() && !fuege_an(*anlage, QStringLiteral("\n\n")))
            return;
    for (QString datei : qAsConst(dateien)) {
        if (datei.isEmpty() || (mit_logo && datei == logo_datei))
            continue;
        const QFileInfo info(datei);
        if (info.path() == QLatin1String("."))
            datei = arbeitsverzeichnis + QLatin1Char('/') + info.fileName();
        if (!fuege_an(datei, QStringLiteral("\n")))
            return;
    }

    const QString pfad = anlagenordner->datei(schnittstellen_name);
    CQIODatei datei{CQString(pfad)};
    // Said with why: no room, say.
    const auto schnittstelle_fehlt = [this, &pfad](const QString& grund) {
        const CQString meldung(tr("Konnte Interfacedatei '%1' nicht oeffnen.").arg(pfad) + QLatin1Char(' ') + grund);
        scheitere_vor_dem_start(meldung, meldung);
    };
    const QString angelegt = lege_privat_an(pfad);
    if (!angelegt.isEmpty() || !datei.oeffne(false, true, true, false, true)) {
        schnittstelle_fehlt(angelegt.isEmpty() ? datei.gib_fehlertext() : angelegt);
        return;
    }

    const QPair<CQString, CQString> zugang = gib_profil_und_passwort();
    const CQString& profiltext = zugang.first;
    smtp = profiltext.startsWith(QLatin1String("SMTP;"));
    CQString sender;
    if (!smtp) {
        mail_versuche = 0;
        mail_aktiv = true;
    } else {
        CQString anwender;
        sender = gib_smtp_absender(profiltext, anwender);
        if (sender.isEmpty()) {
            const CQString meldung(benutzerverwaltung_aktiv()
                                       ? tr("Dem Benutzer '%1' ist KEINE Mailadresse zugeordnet. Für SMTP Mailversand "
                                            "ist eine Absender Mailadresse erforderlich!")
                                             .arg(anwender)
                                       : tr("Für SMTP Mailversand ist eine Absender Mailadresse erforderlich!"));
            scheitere_vor_dem_start(meldung, CQString());
            return;
        }
    }

    // Every line ends in CR LF, the lines of the mail text too: the senders read Windows text.
    // Each field keeps to its line whatever it holds.
    QString inhalt;
    const auto zeile = [&inhalt](const QString& feld) { inhalt += eine_zeile(feld) + QStringLiteral("\r\n"); };
    const auto liste = [&zeile](const QStringList& eintraege) {
        zeile(QString::number(eintraege.size()));
        for (const QString& eintrag : eintraege)
            zeile(eintrag);
    };
    zeile(profiltext);
    zeile(zugang.second);
    zeile(betreff);
    liste(empfaenger);
    zeile(QStringLiteral("0"));
    zeile(QStringLiteral("0"));
    liste(pfade);
    liste(namen);
    if (leerzeile_vor_text)
        zeile(QString());
    for (const QString& textzeile : zeilen_von(mailtext))
        zeile(textzeile);
    zeile(QString());
    // A name or text the code page cannot hold makes the whole file UTF-8, which its mark says.
    datei.setze_codec_fuer(inhalt);
    *datei.gib_stream() << inhalt;
    // A file that could not be written whole would hand the sender a truncated mail.
    if (!datei.schliesse()) {
        schnittstelle_fehlt(datei.gib_fehlertext());
        return;
    }

    QStringList argumente{pfad};
    if (smtp && !sender.isEmpty())
        argumente << sender;
    argumente << QStringLiteral("-na");
    if (!wunsch_verzeichnis.isEmpty())
        argumente << QStringLiteral("-wd") << wunsch_verzeichnis;

    prozess = new CProzess(this, tr("Mailversand"), tr("Bitte warten ! Mailversand ist aktiv"));
    prozess->setze_programm(gib_hilfsprogramm_pfad(profiltext));
    prozess->setze_argumente(argumente);
    // An SMTP mail waits in the runner's modal dialog, so a sender that hangs must not hold the
    // program for ever; the mail client's send window may stay open for long, so its hand-off
    // returns at once and has no limit.
    const unsigned zeitlimit = std::min<unsigned>(gib_smtp_zeitlimit().gib_wert(), INT_MAX);
    prozess->setze_timeout(smtp ? static_cast<int>(zeitlimit) : -1);
    prozess->setze_warten(smtp);
    // While the sender runs (a bridge may outlive this mail and even this program), no mail takes
    // the folder it reads for a leftover.
    prozess->setze_erbe(anlagenordner->sperre_fuer_programm());
    connect(prozess, &CProzess::prozessfertig_signal, this, &CGMail::prozessfertig_slot);
    if (!prozess->starte()) {
        melde_mailfehler(CQString());
        // A failure set earlier (the report file) stays; a start that failed frees the guard.
        scheitere();
    }
    if (smtp)
        emit sendmail_signal();
}

void CGMail::prozessfertig_slot()
{
    mail_versuche = 0;
    mail_aktiv = false;
    // The sender's end counts: a bridge that failed is no mail handed off.
    if (prozess && prozess->gib_fehler())
        fehler = true;
    // The sender has ended: nothing reads the copies any more.
    anlagenordner.reset();
    if (smtp)
        return;
    emit sendmail_signal();
    if (prozess) {
        // It is still emitting the signal that brought us here.
        prozess->deleteLater();
        prozess = nullptr;
    }
}

bool CGMail::schreibe_html(const CQString& datei, const bool& logo)
{
    QString grund;
    return ausgabe_gelungen(schreibe_berichtshtml(datei, gib_mail_html(logo), &grund), datei, grund);
}

QString CGMail::gib_mail_html(bool logo) const
{
    QString inhalt = html;
    if (zweite_seite)
        inhalt += html2;
    if (link_modus == 0 || link_modus == 2)
        inhalt = mache_dateiverweise_relativ(inhalt, dateien, link_modus == 2);
    if (logo)
        inhalt.replace(logo_datei, remote_logo);
    // Whatever the page declared, and whether it declared anything: the copy is written in UTF-8.
    return deklariere_utf8(inhalt);
}

bool CGMail::ausgabe_gelungen(bool geschrieben, const QString& datei, const QString& grund)
{
    if (!geschrieben)
        CQCat::gib_instanz()->error(CQString(ausgabedatei_fehler(datei, grund)));
    return geschrieben;
}

void CGMail::melde_mailfehler(const CQString& detail)
{
    zeige_protokollfenster();
    QString meldung = tr("Beim Versuch eine Mail zu versenden sind Fehler aufgetreten!");
    if (!detail.isEmpty())
        meldung += QLatin1Char('\n') + detail;
    meldung += QStringLiteral("\n\n") + tr("Hinweise finden Sie im Protokollfenster");
    meldung_kritisch(gib_hauptfenster(), gib_meldungstitel(), CQString(meldung));
}
