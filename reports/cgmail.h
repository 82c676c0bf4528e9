// The mail hand-off of a report: recipients, subject, text and attachments written to ".mapi.txt" for the SMTP sender or the mail-client bridge, which it then starts.
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <QObject>
#include <QPair>
#include <QStringList>

#include <memory>

class CGBrowserWeb;
class CProzess;
class CMailordner;
template <typename T>
class CVariableSteuer;

// A dispatch is running while the mail client still shows its send window (`mail_aktiv`); the
// attempts refused since are counted in `mail_versuche`. GUI thread only.
extern bool mail_aktiv;
extern int mail_versuche;

// Whether a new dispatch may start: always while none is active; else the first four attempts
// in a row are refused (with `warnen` a warning in the log and a box), the fifth goes through.
bool mailversand_frei(const bool& warnen);

// One mail: filled by its caller, then `bereite_mail_vor`. Each mail has a folder of its own inside
// the working folder, so that two mails at once (two windows or instances) never share a hand-off
// file. The report file itself is only read: what travels is a copy in that folder (HTML with its
// links to the attachments made relative, declaring and written in UTF-8; a ".txt" report as UTF-8
// text) and, unless the report has a second page, a PDF of it beside the copy; then
// `sende_mailSlot` writes ".mapi.txt" into that folder and starts the sender for the profile with
// the file's full path. Each field of the file keeps to its line (a line end in it becomes a blank,
// in the recipient setting a separator, and an attachment path holding one is linked under a name
// without), and the file is in the 8-bit code page only when that holds every character, else UTF-8
// with its mark. An SMTP mail waits in the runner's modal dialog, at most "/Privat/SmtpZeitlimit"
// seconds for the sender; a mail-client hand-off returns at once and ends in `prozessfertig_slot`.
// The mail's folder goes once the sender has ended or when nothing is started; one left behind (the
// program killed, or a bridge that ended after its mail) goes with the next mail (`CMailordner`).
// `fehler` tells whether anything on the way failed; it is never cleared again within one hand-off.
class CGMail : public QObject, public CObjekt
{
    Q_OBJECT
    FRAMEWORK_KLASSE(CObjekt)
public:
    // "/Privat/SmtpZeitlimit": seconds an SMTP sender may run before it is stopped with the
    // programs it started and the mail counts as failed; 120. Registered at start-up.
    static CVariableSteuer<unsigned>& gib_smtp_zeitlimit();

    // The working folder is the personal documents folder.
    CGMail();
    // Ends the guard against a second dispatch; the mail's folder goes with it unless a
    // mail-client bridge still runs on it.
    ~CGMail() override;
    void ausgabe(std::ostream& os) const override;

    // The report file; with `lesen` its text becomes `html` (left as it was when unreadable, or
    // larger than a page loads: `groesste_berichtsdatei`, logged).
    void lies_text(const CQString& datei, const bool& lesen);
    // As `lies_text`, with a second name (the PDF's source for the XML report's second method).
    void lies_text_anlage(const CQString& name, const CQString& datei, const bool& lesen);
    void bereite_mail_vor();
    // The display name of attachment `n`: the file name without a leading dot, or "Anlage_<n>".
    CQString gib_anlagenname(const CQString& pfad, int n) const;
    // Writes `html` (and `html2` for two pages) to `datei` with relative links to the
    // attachments and, with `logo`, the remote logo in place of the local one, declaring and
    // written in UTF-8. False (logged) when the file cannot be written.
    bool schreibe_html(const CQString& datei, const bool& logo);
    // The log dock and a critical box: "Fehler aufgetreten", the detail when given, the hint.
    void melde_mailfehler(const CQString& detail);

    bool zweite_seite = false;
    bool smtp = false;
    bool fehler = false;
    bool leerzeile_vor_text = false;
    bool anlagen_im_text = false;
    // 0 or 2: links to attachments made relative; 2 also drops a leading dot of the name.
    int link_modus = 0;
    // Chooses profile, password and recipients.
    int art = 0;
    // The profile of kind 99.
    CQString profil;
    // The SMTP sender's address; else the profile's fifth field or the user's stored one.
    CQString absender;
    CQString berichtsdatei;
    CQString anlage_name;
    QStringList dateien;
    CQString betreff;
    CQString text;
    CQString remote_logo;
    CQString logo_datei;
    CQString arbeitsverzeichnis;
    // When set: the working folder, also handed to the sender as "-wd".
    CQString wunsch_verzeichnis;
    CQString html;
    CQString html2;
    CProzess* prozess = nullptr;
    CQString anlage1;
    CQString anlage2;
    CQString mailtext;
    bool mit_logo = false;
    CGBrowserWeb* pdf_seite = nullptr;

signals:
    // The mail has been handed off (an SMTP mail whatever the sender's end; read `fehler`).
    void sendmail_signal();

public slots:
    void prozessfertig_slot();
    void sende_mailSlot();

private:
    // Profile and password of the mail's kind.
    QPair<CQString, CQString> gib_profil_und_passwort() const;
    CQString gib_empfaenger() const;
    // The sender address for an SMTP profile; `anwender` gets the user asked, if any.
    CQString gib_smtp_absender(const CQString& profiltext, CQString& anwender) const;
    // Clears the guard and marks the failure.
    void scheitere();
    // Nothing is started: the failure logged with `meldung`, the mail's folder removed, and the
    // box with `detail`.
    void scheitere_vor_dem_start(const CQString& meldung, const CQString& detail);
    // The PDF road ended without a PDF: reported with its path, nothing is sent.
    void pdf_fehlgeschlagen(const QString& pdf);

    // A new folder for the hand-off file and the copies in the working folder; false (reported, nothing started)
    // when it cannot be made.
    bool lege_anlagenordner_an();
    // `pfad` as a line of the hand-off file can name it: a path holding a line end becomes a
    // link in the mail's folder, named as the file without the line ends. False (reported,
    // nothing started) when no such link can be made.
    bool zeilenfest(QString& pfad);
    // Removes the mail's folder, unless a mail-client bridge started on it has not ended yet:
    // it may still read the copies, so the folder then stays on disk.
    void raeume_anlagen_auf();
    // Writes the copy `anlage1` of the report; for an HTML report also the file the PDF is made
    // of, the same HTML with its relative references into the report's folder (where the logo
    // lies), whose path goes to `pdf_quelle`. False (logged) when the report is no readable file
    // (then nothing is written) or something cannot be written.
    bool schreibe_kopien(QString& pdf_quelle);
    // Whether the report is a readable file (logged when not); a ".txt" report's text goes to
    // `text`: UTF-8 when it is valid UTF-8, else the 8-bit code page.
    bool lies_bericht(QString& text);
    // `text` to `datei` as UTF-8 with byte-order mark. False (logged) when it cannot be written.
    bool schreibe_text(const QString& datei, const QString& text);
    // The HTML that travels: `html` (and `html2`), links to the attachments made relative, the
    // remote logo with `logo`, declaring UTF-8.
    QString gib_mail_html(bool logo) const;
    // `geschrieben`; when false, that `datei` could not be written is logged with `grund`, the
    // system's reason.
    static bool ausgabe_gelungen(bool geschrieben, const QString& datei, const QString& grund);

    std::unique_ptr<CMailordner> anlagenordner;
};
