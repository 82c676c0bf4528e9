#include "cdocklog.h"
#include "ereignisuebergabe.h"
#include "camisc.h"
#include "ccat.h"
#include "clogsubwidget.h"
#include "clogwidget.h"
#include "gui.h"
#include "html.h"
#include "protokolldruck.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QShowEvent>
#include <QTextDocument>
#include <log4cpp/Category.hh>
#include <log4cpp/LoggingEvent.hh>
#include <log4cpp/Priority.hh>

#include <cstring>

namespace {

// A slice of lines handed to the page between two turns of the event loop.
constexpr qint64 scheibe_ms = 8;

} // namespace

CDockLog::CDockLog(QWidget* eltern, Qt::WindowFlags flags) : QDockWidget(eltern, flags)
{
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable
                | QDockWidget::DockWidgetFloatable);
    logwidget = new CLogWidget(this, CQString("CLogWidget"));
    logwidget->setMinimumSize(100, 100);
    setWidget(logwidget);
    setWindowTitle(tr("Protokollfenster"));

    // Without pages of their own (page count 0) all three priorities share the one page.
    ausgabeseite = logwidget->erzeuge_ansicht(seitenzahl > 0);
    warnseite = ausgabeseite;
    ausgabeseite->setAccessibleName(tr("Protokollfenster"));
    fehlerseite = ausgabeseite;

    umschalt_aktion = new QAction(tr("Protokollfenster"), this);
    umschalt_aktion->setStatusTip(tr("Ein-/ausblenden des Protokollfensters"));
    umschalt_aktion->setWhatsThis(
        tr("Protokollfenster\n\nHierüber kann das Protokollfenster\nein- bzw. ausgeblendet werden."));
    // Only a checkable action reports `toggled`.
    umschalt_aktion->setCheckable(true);
    connect(umschalt_aktion, &QAction::toggled, this, &CDockLog::slotView);

    setze_docklog(this);
    anmelden();
}

CDockLog::~CDockLog()
{
    // A logging thread reaches the dock only through the interface appender, under the root
    // category's lock; once the appender is off the category no thread is inside `write` and none
    // can enter it. Lines already posted are dropped by QObject's destructor.
    if (!CQCat::ist_beendet()) {
        log4cpp::Category& wurzel = log4cpp::Category::getRoot();
        for (log4cpp::Appender* appender : wurzel.getAllAppenders()) {
            auto* schnittstelle = dynamic_cast<log4cpp::CLogInterfaceAppender*>(appender);
            if (schnittstelle && schnittstelle->gib_ziel() == this)
                wurzel.removeAppender(schnittstelle);
        }
    }
    if (gib_docklog() == this)
        setze_docklog(nullptr);
    // Waits for a message function that is still sending a line to the dock.
    abmelden();
    delete umschalt_aktion;
    delete ausgabeseite;
    delete logwidget;
}

void CDockLog::write(const log4cpp::LoggingEvent& ereignis, const std::string& text)
{
    // Runs under log4cpp's lock: anything here that logged would deadlock.
    try {
        if (text.empty() || !gib_hauptfenster())
            return;
        CDockLog* dock = gib_docklog();
        if (!dock)
            return;
        bool erste = false;
        {
            const std::lock_guard<std::mutex> sperre(dock->zeilen_sperre);
            erste = dock->wartende_zeilen.empty();
            // Up to a NUL, as the text would be taken as a string.
            dock->wartende_zeilen.haenge_an(text.c_str(), std::strlen(text.c_str()),
                                            static_cast<std::uint64_t>(ereignis.priority));
            ++dock->eingegangen;
        }
        // A line that finds others waiting rides with their event.
        if (erste) {
            auto* ereignis_neu = new CDockLogWrite;
            gib_ereignis_frei(ereignis_neu);
            QCoreApplication::postEvent(dock, ereignis_neu);
        }
    } catch (...) {
        // The dock must never make logging fail.
    }
}

void CDockLog::customEvent(QEvent* event)
{
    // A hidden dock takes its lines when it is shown; until then no further event comes.
    if (event->type() == CDockLogWrite::typ && ausgabeseite->isVisible())
        zeige_wartende();
}

void CDockLog::zeige_wartende()
{
    if (!reiche_wartende(scheibe_ms))
        QCoreApplication::postEvent(this, new CDockLogWrite);
}

bool CDockLog::reiche_wartende(qint64 bis_ms)
{
    QElapsedTimer uhr;
    uhr.start();
    const std::string* text = nullptr;
    std::uint64_t prioritaet = 0;
    for (int zeile = 1;; ++zeile) {
        if (!leser) {
            {
                const std::lock_guard<std::mutex> sperre(zeilen_sperre);
                if (wartende_zeilen.empty())
                    return true;
                in_arbeit.swap(wartende_zeilen);
            }
            leser = std::make_unique<CTextreihe::Leser>(in_arbeit);
        }
        if (!leser->naechster(text, prioritaet)) {
            leser.reset();
            in_arbeit = CTextreihe();
            continue;
        }
        ++gereicht;
        zeige_zeile(*text, prioritaet);
        if (bis_ms >= 0 && zeile % 64 == 0 && uhr.elapsed() >= bis_ms)
            return false;
    }
}

void CDockLog::zeige_zeile(const std::string& text, std::uint64_t prioritaet)
{
    // Only shows the line: logging from here would send it round through the appender again.
    const CQString zeilentext = string_zu_cqstring(text);
    CLogSubWidget* seite = ausgabeseite;
    int tab = ausgabe_tab;
    int typ = 0;
    if (int(prioritaet) <= log4cpp::Priority::ERROR) {
        seite = fehlerseite;
        tab = fehler_tab;
        typ = 2;
    } else if (int(prioritaet) == log4cpp::Priority::WARN) {
        seite = warnseite;
        tab = warn_tab;
        typ = 1;
    }
    logwidget->setCurrentPage(tab);
    // The colouring would turn an empty line into a blank one.
    seite->slotAppend(zeilentext.isEmpty() ? QString() : QString(html_farbtext(typ, zeilentext, false)));
}

void CDockLog::resizeEvent(QResizeEvent*) {}

void CDockLog::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    zeige_wartende();
    auto* hauptfenster = qobject_cast<QMainWindow*>(parentWidget());
    if (!erste_anzeige || event->spontaneous() || isFloating() || !hauptfenster)
        return;
    erste_anzeige = false;
    hauptfenster->resizeDocks({this}, {qMax(minimumSizeHint().height(), hauptfenster->height() / 4)}, Qt::Vertical);
}

void CDockLog::neue_textzeile(const CQString& text, const int& typ)
{
    const int prioritaet = typ == 1   ? log4cpp::Priority::WARN
                           : typ == 2 ? log4cpp::Priority::ERROR
                                      : log4cpp::Priority::INFO;
    CQCat::gib_instanz()->log(prioritaet, text);
}

void CDockLog::setze_fortschritt(int) {}
void CDockLog::setze_info(int, int) {}
void CDockLog::neue_zusatzzeile(const CQString&) {}
void CDockLog::neue_titelzeile(const CQString&) {}
void CDockLog::titel_data(const CQString&) {}
void CDockLog::setting(int) {}
bool CDockLog::kann_html() { return false; }

void CDockLog::slotView(bool an)
{
    setVisible(an);
}

void CDockLog::zeige_ausstehende()
{
    reiche_wartende(-1);
    ausgabeseite->zeige_ausstehende();
}

std::function<int(qint64)> CDockLog::nachtrag()
{
    std::uint64_t bis = 0;
    {
        const std::lock_guard<std::mutex> sperre(zeilen_sperre);
        bis = eingegangen;
    }
    // First the lines waiting here go to the page (the first half of the share), then the page
    // appends them.
    const std::uint64_t von = gereicht;
    return [dock = QPointer<CDockLog>(this), von, bis, seite = std::function<int(qint64)>()](qint64 bis_ms) mutable {
        if (!dock)
            return 1000;
        if (!seite) {
            QElapsedTimer uhr;
            uhr.start();
            if (dock->gereicht < bis && !dock->reiche_wartende(bis_ms) && dock->gereicht < bis)
                return static_cast<int>((dock->gereicht - von) * 500 / (bis - von));
            seite = dock->ausgabeseite->nachtrag();
            if (!seite)
                return 1000;
            bis_ms = qMax<qint64>(bis_ms - uhr.elapsed(), 0);
        }
        return 500 + seite(bis_ms) / 2;
    };
}

void CDockLog::drucke(int* druckart)
{
    const QPointer<CDockLog> da(this);
    if (!trage_nach(nachtrag(), this, tr("Drucken ...")) || !da)
        return;
    drucke_protokoll(ausgabeseite->document(), this, false, CQString(), druckart);
}

void CDockLog::speichere()
{
    const QPointer<CDockLog> da(this);
    if (!trage_nach(nachtrag(), this, tr("Speichern ...")) || !da)
        return;
    if (ausgabeseite->document()->isEmpty()) {
        fehler_ton();
        return;
    }
    int art = 0;
    speichere_dokument(*ausgabeseite->document(), false, CQString(), CQString(), &art, this);
}

void zeige_protokollfenster()
{
    if (CDockLog* dock = gib_docklog())
        dock->show();
}

void schalte_protokollfenster()
{
    CDockLog* dock = gib_docklog();
    if (!dock)
        return;
    // isHidden, not isVisible: a dock inside a window that is not shown yet still toggles.
    dock->setVisible(dock->isHidden());
}
