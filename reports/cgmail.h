// The mail hand-off of a report: recipients, subject, text and attachments written to ".mapi.txt" for the SMTP sender or the mail-client bridge, which it then starts.
#pragma once

#include "cbasis.h"
#include "cqstring.h"

#include <QObject>
#include <QPair>
#include <QStringList>

class CGBrowserWeb;
class CProzess;
template <typename T>
class CVariableSteuer;

// A dispatch is running while the mail client still shows its send window (`mail_aktiv`); the
// attempts refused since are counted in `mail_versuche`. GUI thread only.
extern bool mail_aktiv;
extern int mail_versuche;

// Whether a new dispatch may start: always while none is active; else the first four attempts
// in a row are refused (with `warnen` a warning in the log and a box), the fifth goes through.
bool mailversand_frei(const bool& warnen);

// One mail: filled by its caller, then `bereite_mail_vor`. The report file is rewritten with its
// links to the attachments made relative and, unless the report has a second page, turned into
// a PDF that is attached too; then `sende_mailSlot` writes ".mapi.txt" into the working folder
// and starts the sender for the profile. An SMTP mail waits in the runner's modal dialog, at
// most "/Privat/SmtpZeitlimit" seconds for the sender; a mail-client hand-off returns at once
// and ends in `prozessfertig_slot`. `fehler` tells whether anything on the way failed; it is
// never cleared again within one hand-off.
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
    // Ends the guard against a second dispatch.
    ~CGMail() override;
    void ausgabe(std::ostream& os) const override;

    // The report file; with `lesen` its text becomes `html` (left as it was when unreadable).
    void lies_text(const CQString& datei, const bool& lesen);
    // As `lies_text`, with a second name (the PDF's source for the XML report's second method).
    void lies_text_anlage(const CQString& name, const CQString& datei, const bool& lesen);
    void bereite_mail_vor();
    // The display name of attachment `n`: the file name without a leading dot, or "Anlage_<n>".
    CQString gib_anlagenname(const CQString& pfad, int n) const;
    // Writes `html` (and `html2` for two pages) to the report file with relative links to the
    // attachments and, with `logo`, the remote logo in place of the local one. False (logged)
    // when the file cannot be written.
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
    // The PDF road ended without a PDF: reported with its path, nothing is sent.
    void pdf_fehlgeschlagen(const QString& pdf);
};
