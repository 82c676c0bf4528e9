#include "ccbaselog.h"
#include "ccbaselogevents.h"
#include "cfehler.h"
#include "html.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QWidget>

CKlasse eintrag_CCBaseLog("CCBaseLog");
CKlasse* CCBaseLog::klasse = &eintrag_CCBaseLog;

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CCBaseLog", text);
}

constexpr qint64 fortschritt_abstand_ms = 500;

} // namespace

CCBaseLog::CCBaseLog(QWidget* besitzer)
    : dateityp("txt"), dateifilter(tr("Text-Datei (*.txt)")), besitzer(besitzer)
{
    fortschritt_uhr.start();
}

CCBaseLog::~CCBaseLog()
{
    // Leave the message targets first: a job thread's report must not reach a half-destroyed window.
    abmelden();
}

void CCBaseLog::poste(QEvent* event)
{
    if (besitzer)
        QCoreApplication::postEvent(besitzer, event);
    else
        delete event;
}

void CCBaseLog::setze_fortschritt(int schritt)
{
    const unsigned s = static_cast<unsigned>(schritt);
    const bool rand = s < 2 || s >= total_steps;
    if (erzwinge_fortschritt || rand || fortschritt_uhr.elapsed() > fortschritt_abstand_ms) {
        erzwinge_fortschritt = false;
        poste(new CCbaseLogFortschrittGeaendert(s));
        fortschritt_uhr.restart();
    }
    if (rand || !stop_bei_abbruch || !ist_abgebrochen())
        return;
    stop_bei_abbruch = false;
    abgebrochen = true;
    try {
        throw CQFehler(4, klasse, CQString("setze_fortschritt"), CQString(tr("Abbruch durch den Anwender")));
    } catch (const CFehlerBasis& f) {
        f.melde(true);
    }
}

void CCBaseLog::setze_info(int, int) {}

void CCBaseLog::setTotalSteps(int gesamt)
{
    total_steps = static_cast<unsigned>(gesamt);
    erzwinge_fortschritt = true;
    poste(new CCbaseLogsetTotalSteps(gesamt));
    setze_fortschritt(0);
}

void CCBaseLog::setze_fehler() { fehler_marke = true; }
bool CCBaseLog::ist_ok() { return !fehler_marke; }
void CCBaseLog::setze_abbruch() { abbruch_marke = true; }
bool CCBaseLog::ist_abbruch() { return abbruch_marke; }

void CCBaseLog::neue_textzeile(const CQString& text, const int& typ)
{
    if (typ == 2)
        setze_fehler();
    else if (typ == 1)
        setze_warnung();
    CQString zeile = text;
    if (typ != 0 && !text.contains(QLatin1String("<span style=")))
        zeile = html_farbtext(typ, text, false);
    if (sammeln)
        gesammelt += zeile;
    else
        poste(new CCbaseLogNeueTextzeile(zeile, typ));
}

void CCBaseLog::neue_zusatzzeile(const CQString&) {}

void CCBaseLog::neue_titelzeile(const CQString& text)
{
    poste(new CCbaseLogNeueTitelzeile(text));
}

void CCBaseLog::titel_data(const CQString& text)
{
    poste(new CCbaseLogTitelData(text));
}

void CCBaseLog::setting(int wert)
{
    poste(new CCbaseLogSetting(1, wert));
}

void CCBaseLog::setze_dateityp(const CQString& filter, const CQString& typ)
{
    dateifilter = filter;
    dateityp = typ;
}

CQString CCBaseLog::nimm_gesammelte_ausgabe()
{
    CQString text = gesammelt;
    gesammelt.clear();
    return text;
}

bool CCBaseLog::bearbeite_event(QEvent* event)
{
    switch (static_cast<int>(event->type())) {
    case CCBaseLogEvent::Fortschritt:
        if (fortschrittsbalken)
            fortschrittsbalken->setValue(static_cast<int>(static_cast<CCbaseLogFortschrittGeaendert*>(event)->schritt));
        return true;
    case CCBaseLogEvent::Textzeile:
        if (textbereich) {
            const auto* e = static_cast<CCbaseLogNeueTextzeile*>(event);
            if (Qt::mightBeRichText(e->text))
                richtext = 1;
            textbereich->append(e->text);
            if (sammeln)
                QCoreApplication::processEvents();
        }
        return true;
    case CCBaseLogEvent::Titelzeile:
        if (titel_label)
            titel_label->setText(static_cast<CCbaseLogNeueTitelzeile*>(event)->text);
        return true;
    case CCBaseLogEvent::TotalSteps:
        if (fortschrittsbalken) {
            const int gesamt = static_cast<CCbaseLogsetTotalSteps*>(event)->gesamt;
            if (gesamt >= 0) {
                fortschrittsbalken->setMaximum(gesamt);
            } else {
                if (schliessen_knopf)
                    schliessen_knopf->setEnabled(true);
                if (protokoll_knopf && !protokollquelle.isEmpty())
                    protokoll_knopf->setEnabled(true);
            }
        }
        return true;
    case CCBaseLogEvent::Setting: {
        const auto* e = static_cast<CCbaseLogSetting*>(event);
        if (e->art == 1 && protokoll_knopf) {
            if (e->wert == 1) {
                protokoll_knopf->setText(tr("Zeige Vorgang"));
                protokoll_knopf->setToolTip(tr("Zeige Vorgangsprotokoll"));
                protokoll_knopf->setEnabled(false);
                protokoll_knopf->show();
            } else {
                protokoll_knopf->hide();
            }
        }
        return true;
    }
    case CCBaseLogEvent::TitelData:
        if (data_label)
            data_label->setText(static_cast<CCbaseLogTitelData*>(event)->text);
        return true;
    default:
        return false;
    }
}
