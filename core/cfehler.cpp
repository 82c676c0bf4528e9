#include "cfehler.h"
#include "ci18n.h"
#include "cstring.h"
#include "czeit.h"
#include "dateien.h"
#include "eigentum.h"
#include "kerneinstellungen.h"
#include "klassen.h"
#include "melde.h"

#include <QCoreApplication>
#include <QFile>
#include <exception>
#include <fcntl.h>
#include <iostream>
#include <mutex>
#include <unistd.h>

CKlasse* CFehler::eigene_klasse = &eintrag_CFehler;

namespace {

// The names are translated in the context "CQFehler" (CQFehler) and, through uebersetze_, in
// "QObject" (CFehler): the second array only shows lupdate the second context.
const char* const typnamen[] = {
    QT_TRANSLATE_NOOP("CQFehler", "FATALER FEHLER"), QT_TRANSLATE_NOOP("CQFehler", "PROGRAMMIERFEHLER"),
    QT_TRANSLATE_NOOP("CQFehler", "SYNTAXFEHLER"),   QT_TRANSLATE_NOOP("CQFehler", "EINGABEFEHLER"),
    QT_TRANSLATE_NOOP("CQFehler", "WARNUNG"),        QT_TRANSLATE_NOOP("CQFehler", "INFO"),
    QT_TRANSLATE_NOOP("CQFehler", "DEBUG")};
const char* const ungueltiger_typ = QT_TRANSLATE_NOOP("CQFehler", "KEIN GUELTIGER FEHLERTYP");
const char* const typnamen_fuer_uebersetze[] = {
    QT_TRANSLATE_NOOP("QObject", "FATALER FEHLER"), QT_TRANSLATE_NOOP("QObject", "PROGRAMMIERFEHLER"),
    QT_TRANSLATE_NOOP("QObject", "SYNTAXFEHLER"),   QT_TRANSLATE_NOOP("QObject", "EINGABEFEHLER"),
    QT_TRANSLATE_NOOP("QObject", "WARNUNG"),        QT_TRANSLATE_NOOP("QObject", "INFO"),
    QT_TRANSLATE_NOOP("QObject", "DEBUG"),          QT_TRANSLATE_NOOP("QObject", "KEIN GUELTIGER FEHLERTYP")};

const char* typname(int typ)
{
    Q_UNUSED(typnamen_fuer_uebersetze)
    return typ >= 0 && typ <= 6 ? typnamen[typ] : ungueltiger_typ;
}

// Keeps the three lines of one record together when threads raise errors at the same time.
std::mutex& dateisperre()
{
    static std::mutex* m = new std::mutex;
    return *m;
}

// The first line of a record: "dd.MM.yyyy - hh:mm:ss" in local time.
std::string zeitzeile()
{
    CZeit jetzt;
    jetzt.setze_jetzt();
    std::string text;
    return jetzt.gib_text(text, 2);
}

const char* const fehlerdatei = "fehler.txt";

// Appends one record: the time line, the context line and the text, each ended by a line end.
// Nothing is written when the file cannot be used: a folder, pipe or device of that name is
// skipped without waiting, so that no error object hangs on it. The current folder may be one
// that others write: a link of that name planted by another user (to the user's start-up files,
// say) is never written through.
void schreibe_datensatz(const std::string& kontext, const std::string& text)
{
    const std::string satz = zeitzeile() + '\n' + kontext + '\n' + text + '\n';
    std::lock_guard<std::mutex> lock(dateisperre());
    const int fd = oeffne_ohne_fremde_links(fehlerdatei, O_WRONLY | O_APPEND | O_CREAT, 0666);
    if (fd < 0)
        return;
    QFile datei;
    if (oeffne_auf_deskriptor(datei, fd, QIODevice::WriteOnly | QIODevice::Append))
        datei.write(satz.data(), static_cast<qint64>(satz.size()));
}

// An error thrown while globals are built, or never caught, ends the program; say what it was.
void melde_und_beende()
{
    if (std::exception_ptr p = std::current_exception()) {
        try {
            std::rethrow_exception(p);
        } catch (const CFehlerBasis& f) {
            std::cerr << "Programmabbruch durch unbehandelten Fehler: " << f.gib_meldung() << std::endl;
        } catch (const std::exception& e) {
            std::cerr << "Programmabbruch durch unbehandelte Ausnahme: " << e.what() << std::endl;
        } catch (...) {
            std::cerr << "Programmabbruch durch unbehandelte Ausnahme" << std::endl;
        }
    }
    std::abort();
}

const bool terminate_gesetzt = (std::set_terminate(melde_und_beende), true);

} // namespace

CFehlerBasis::~CFehlerBasis() = default;

std::string fehlertyp_text(int typ)
{
    return uebersetze_(CString(typname(typ)), CFehler::eigene_klasse).gib_string();
}

CQString qfehlertyp_text(int typ)
{
    return CQString(QCoreApplication::translate("CQFehler", typname(typ)));
}

CFehler::CFehler(int typ_, CKlasse* klasse_, const std::string& methode_, const std::string& text_)
    : text(text_), methode(methode_), klasse(klasse_), typ(typ_)
{
    if (!ist_fehlerdatei_an())
        return;
    std::string kontext;
    if (klasse) {
        kontext = fehlertyp_text(typ) + ": ";
        if (klasse == klasse_funktion)
            kontext +=
                uebersetze_(CString(QT_TRANSLATE_NOOP("QObject", "in Methode oder Funktion  %1: ")), eigene_klasse)
                    .arg(CString(methode))
                    .gib_string();
        else
            kontext += uebersetze_(CString(QT_TRANSLATE_NOOP("QObject", "in Klasse %1, Methode %2: ")), eigene_klasse)
                           .arg(CString(klasse->gib_name()))
                           .arg(CString(methode))
                           .gib_string();
    }
    schreibe_datensatz(kontext, text);
}

CFehler::CFehler(const CFehler& other)
    : CFehlerBasis(other), CBasis(other), text(other.text), methode(other.methode), klasse(other.klasse),
      typ(other.typ)
{
}

CFehler::~CFehler() = default;

void CFehler::melde(bool) const
{
    ::melde(typ, klasse, methode, text, 0);
}

CFehlerBasis* CFehler::gib_kopie() const
{
    return new CFehler(*this);
}

CQFehler::CQFehler(int typ_, CKlasse* klasse_, const CQString& methode_, const CQString& text_)
    : text(text_), methode(methode_), klasse(klasse_), typ(typ_)
{
    if (!ist_fehlerdatei_an())
        return;
    QString kontext;
    if (klasse) {
        kontext = qfehlertyp_text(typ) + QLatin1String(": ");
        if (klasse == klasse_funktion)
            kontext += QCoreApplication::translate("CQFehler", "in Methode oder Funktion  %1: ").arg(methode);
        else
            kontext += QCoreApplication::translate("CQFehler", "in Klasse %1, Methode %2: ")
                           .arg(QString::fromLatin1(klasse->gib_name().c_str()))
                           .arg(methode);
    }
    // The record of this class is UTF-8, without byte-order mark.
    schreibe_datensatz(kontext.toUtf8().toStdString(), text.toUtf8().toStdString());
}

CQFehler::CQFehler(const CQFehler& other)
    : CFehlerBasis(other), text(other.text), methode(other.methode), klasse(other.klasse), typ(other.typ)
{
}

CQFehler::~CQFehler() = default;

void CQFehler::melde(bool) const
{
    qmelde(typ, klasse, methode, text, nullptr, false);
}

CFehlerBasis* CQFehler::gib_kopie() const
{
    return new CQFehler(*this);
}
