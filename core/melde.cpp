#include "melde.h"
#include "ccat.h"
#include "ci18n.h"
#include "clogbase.h"
#include "cstring.h"
#include "html.h"
#include "kerneinstellungen.h"
#include "klassen.h"

#include <QCoreApplication>
#include <atomic>
#include <iostream>

namespace {

std::atomic<bool> qmelde_schalter{true};
// The window of the job running in this thread; null outside job threads.
thread_local CQLogBase* eigenes_meldeziel = nullptr;

int level_von(int typ)
{
    if (typ >= 0 && typ <= 3)
        return 2;
    if (typ == 4)
        return 1;
    if (typ == 6)
        return 3;
    return 0;
}

// The texts of this file, in the translation context "qmelde" (a class of its own, so that
// lupdate sees the context too).
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(qmelde)
};

// Whether the message reaches the logger (qmelde) or the console and window lines (melde).
bool wird_ausgegeben(int typ, int level)
{
    return (typ == 4 && !ist_warnungen_unterdrueckt()) || (typ == 5 && !ist_infos_unterdrueckt())
           || (typ == 6 && ist_debug_ausgabe()) || level == 2;
}

std::string ueb(const char* text)
{
    return uebersetze_(CString(text), CObjekt::klasse).gib_string();
}

} // namespace

CEigenesMeldeziel::CEigenesMeldeziel(CQLogBase* ziel) : vorher(eigenes_meldeziel)
{
    eigenes_meldeziel = ziel;
}

CEigenesMeldeziel::~CEigenesMeldeziel()
{
    eigenes_meldeziel = vorher;
}

void setze_qmelde_schalter(bool an) { qmelde_schalter = an; }
bool gib_qmelde_schalter() { return qmelde_schalter; }

void qmelde(const int& typ, CKlasse* const& klasse, const CQString& methode, const CQString& text,
            CQLogBase* ziel, bool ohne_logger)
{
    const bool kurz = klasse == klasse_kurz;
    const int level = level_von(typ);
    QString prefix;
    switch (level) {
    case 2: if (!kurz) prefix = Text::tr("FEHLER: "); break;
    case 1: if (!kurz) prefix = Text::tr("WARNUNG: "); break;
    case 3: prefix = Text::tr("DEBUG: "); break;
    default: if (typ == 5 && !kurz) prefix = Text::tr("INFO: "); break;
    }
    if (!kurz) {
        if (!klasse || klasse == klasse_funktion)
            prefix += Text::tr("in Methode oder Funktion %1: ").arg(methode, 0, QLatin1Char(' '));
        else
            prefix += Text::tr("in Klasse %1, Methode %2: ")
                          .arg(QString::fromLatin1(klasse->gib_name().c_str()), 0, QLatin1Char(' '))
                          .arg(methode, 0, QLatin1Char(' '));
    }
    const CQString zeile(ist_debug_ausgabe() ? prefix + text : QString(text));
    if (ziel == nullptr)
        ziel = eigenes_meldeziel;

    // The HTML form costs a dozen replacements: build it only when a window may take it.
    if (ziel != KEIN_FENSTER && !gib_qlog_ziele().leer()) {
        const CQString html = html_farbtext(level, zeile, false);
        gib_qlog_ziele().fuer_alle([&](CLogBase* b) {
            auto* q = static_cast<CQLogBase*>(b);
            if (ziel != nullptr && ziel != q)
                return;
            if (q->kann_html())
                q->neue_textzeile(html, level);
            else if (qmelde_schalter)
                q->neue_textzeile(zeile, level);
        });
    }

    if (!ohne_logger && wird_ausgegeben(typ, level)) {
        const int prioritaet = level == 1 ? 400 : level == 2 ? 300 : 600;
        CQCat::gib_instanz()->log(prioritaet, zeile);
    }
}

void melde(const int& typ, CKlasse* const& klasse, const std::string& methode, const std::string& text,
           const int& ziel)
{
    const bool kurz = klasse == klasse_kurz;
    const int level = (typ >= 0 && typ <= 6) ? level_von(typ) : 0;
    std::string prefix;
    if (typ >= 0 && typ <= 3)
        prefix = ueb(QT_TRANSLATE_NOOP("QObject", "FEHLER: "));
    else if (typ == 4)
        prefix = ueb(QT_TRANSLATE_NOOP("QObject", "WARNUNG: "));
    else if (typ == 5 && !kurz)
        prefix = ueb(QT_TRANSLATE_NOOP("QObject", "INFO: "));
    else if (typ == 6)
        prefix = ueb(QT_TRANSLATE_NOOP("QObject", "DEBUG: "));
    else if (typ < 0 || typ > 6)
        std::cerr << '\n' << ueb(QT_TRANSLATE_NOOP("QObject", "KEIN GUELTIGER FEHLERTYP")) << std::endl;

    if (!kurz) {
        if (!klasse || klasse == klasse_funktion)
            prefix += uebersetze_(CString(QT_TRANSLATE_NOOP("QObject", "in Methode oder Funktion  %1: ")),
                                  CObjekt::klasse)
                          .arg(CString(methode))
                          .gib_string();
        else
            prefix += uebersetze_(CString(QT_TRANSLATE_NOOP("QObject", "in Klasse %1, Methode %2: ")), CObjekt::klasse)
                          .arg(CString(klasse->gib_name()))
                          .arg(CString(methode))
                          .gib_string();
    }

    const CLogGruppe& gruppe = gib_log_gruppe();
    if (!wird_ausgegeben(typ, level))
        return;

    std::string fensterzeile;
    if (ist_debug_ausgabe()) {
        gruppe.schreibe_text(prefix + "\n" + text, level, false);
        if (typ == 4)
            fensterzeile = kurz ? html_warnung(prefix + text) : html_warnung_br(prefix + "<br>" + text) + "<p>";
        else if (typ == 6)
            fensterzeile = kurz ? prefix + text : html_grau_br(prefix + "<br>" + text) + "<p>";
        else
            fensterzeile = kurz ? prefix + text : prefix + "<br>" + text + "<p>";
    } else {
        gruppe.schreibe_text(text, level, false);
        if (typ == 4)
            fensterzeile = kurz ? html_warnung(text) : html_warnung_br(text) + "<p>";
        else if (typ == 5)
            fensterzeile = kurz ? html_schwarz(text) : html_schwarz_br(text) + "<p>";
        else if (level == 2)
            fensterzeile = kurz ? html_fehler(text) : html_fehler_br(text) + "<p>";
        else
            fensterzeile = text + "<p>";
    }

    if (ziel == -1)
        gruppe.schreibe_2(fensterzeile, level);
    else if (ziel == 1)
        gruppe.schreibe_3(fensterzeile, level);
    else
        gruppe.schreibe(fensterzeile, level);
}
