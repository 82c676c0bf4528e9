#include "auswahlkopie.h"
#include "ccat.h"
#include "gui.h"
#include "hintergrund.h"
#include "stueckkopie.h"
#include "tabellenteile.h"
#include "ungemessen.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTimer>

namespace {

// A selection of up to this many characters is copied as Qt copies it: some milliseconds.
constexpr int sofort_bis = 20000;

// Copying in one turn of the event loop.
constexpr qint64 schritt_ns = 15000000;

// The clipboard's name of HTML.
const QString& html_format()
{
    static const QString format = QStringLiteral("text/html");
    return format;
}

// The clipboard's data of a copy: its plain text and its HTML.
QMimeData* mimedaten(const QString& text, const QByteArray& html)
{
    auto* const daten = new QMimeData;
    daten->setText(text);
    daten->setData(html_format(), html);
    return daten;
}

// The HTML Qt makes of a selection: marked as a fragment, without the page's own font.
QByteArray html_von(const QTextDocumentFragment& auswahl)
{
    return auswahl.toHtml(QByteArrayLiteral("utf-8")).toUtf8();
}

// What the thread of a copy hands back: the text and HTML made of the selection.
struct Kopiedaten
{
    QString text;
    QByteArray html;
};

} // namespace

struct CAuswahlkopie::Kopie
{
    QPointer<QTextDocument> quelle;
    int anfang = 0;
    int ende = 0;
    // The selection copied a piece at a time; what it copied goes beside the window with it.
    std::unique_ptr<CStueckkopie> stuecke;
    std::shared_ptr<Kopiedaten> daten = std::make_shared<Kopiedaten>();
    // The clipboards that are to get the copy: the normal one and the selection.
    bool fuer[2] = {false, false};
    std::unique_ptr<CHintergrund> arbeit;
    bool fertig = false;
};

CAuswahlkopie::CAuswahlkopie(QTextEdit* ansicht_) : CAuswahlkopie(static_cast<QAbstractScrollArea*>(ansicht_)) {}

CAuswahlkopie::CAuswahlkopie(QPlainTextEdit* ansicht_) : CAuswahlkopie(static_cast<QAbstractScrollArea*>(ansicht_)) {}

template <typename Tun>
auto CAuswahlkopie::mit_ansicht(Tun tun) const
{
    if (auto* const text = qobject_cast<QTextEdit*>(ansicht))
        return tun(*text);
    return tun(*static_cast<QPlainTextEdit*>(ansicht));
}

CAuswahlkopie::CAuswahlkopie(QAbstractScrollArea* ansicht_) : QObject(ansicht_), ansicht(ansicht_)
{
    ansicht->installEventFilter(this);
    ansicht->viewport()->installEventFilter(this);
    // A newer copy, here or in any other place, takes the place of the one under way.
    connect(QGuiApplication::clipboard(), &QClipboard::changed, this, [this](QClipboard::Mode modus) {
        if (setzt || !kopie || modus > QClipboard::Selection)
            return;
        kopie->fuer[modus] = false;
        if (!kopie->fuer[QClipboard::Clipboard] && !kopie->fuer[QClipboard::Selection])
            beende();
    });
}

CAuswahlkopie::~CAuswahlkopie()
{
    // The view goes with its window: nothing of it hears of the end any more. A copy asked for
    // and not in the clipboard yet is lost with it: said, so that nobody pastes what it held
    // before.
    blockSignals(true);
    beende(tr("Das Fenster wurde geschlossen, bevor die Auswahl kopiert war: die Zwischenablage ist unverändert."));
}

bool CAuswahlkopie::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == ansicht && ereignis->type() == QEvent::KeyPress) {
        auto* const taste = static_cast<QKeyEvent*>(ereignis);
        if (taste->matches(QKeySequence::SelectAll)) {
            waehle_alles();
            if (QGuiApplication::clipboard()->supportsSelection())
                kopiere(QClipboard::Selection);
            return true;
        }
        if (taste->matches(QKeySequence::Copy)) {
            kopiere();
            return true;
        }
    }
    if ((objekt == ansicht || objekt == ansicht->viewport()) && ereignis->type() == QEvent::ContextMenu) {
        zeige_menue(objekt, ereignis);
        return true;
    }
    return QObject::eventFilter(objekt, ereignis);
}

void CAuswahlkopie::zeige_menue(QObject* objekt, QEvent* ereignis)
{
    const auto* const anfrage = static_cast<QContextMenuEvent*>(ereignis);
    QWidget* const flaeche = ansicht->viewport();
    const QPoint im_feld = objekt == flaeche ? anfrage->pos() : flaeche->mapFrom(ansicht, anfrage->pos());
    const QScrollBar* const quer = ansicht->horizontalScrollBar();
    const int links = ansicht->isRightToLeft() ? quer->maximum() - quer->value() : quer->value();
    const QPoint stelle = im_feld + QPoint(links, ansicht->verticalScrollBar()->value());
    QMenu* const menue = mit_ansicht([stelle](auto& text) { return text.createStandardContextMenu(stelle); });
    // Qt's entries call its own select all and copy.
    for (QAction* const aktion : menue->actions()) {
        if (aktion->objectName() == QLatin1String("select-all")) {
            disconnect(aktion, &QAction::triggered, nullptr, nullptr);
            connect(aktion, &QAction::triggered, this, &CAuswahlkopie::waehle_alles);
        } else if (aktion->objectName() == QLatin1String("edit-copy")) {
            disconnect(aktion, &QAction::triggered, nullptr, nullptr);
            connect(aktion, &QAction::triggered, this, [this] { kopiere(); });
        }
    }
    menue->setAttribute(Qt::WA_DeleteOnClose);
    menue->popup(anfrage->globalPos());
}

void CAuswahlkopie::waehle_alles()
{
    QTextDocument* const dokument = mit_ansicht([](auto& text) { return text.document(); });
    const auto alles = [this] { mit_ansicht([](auto& text) { text.selectAll(); }); };
    if (dokument->characterCount() <= sofort_bis) {
        alles();
        return;
    }
    const CUngemessen ungemessen(*dokument);
    alles();
}

void CAuswahlkopie::kopiere(QClipboard::Mode modus)
{
    const QTextCursor auswahl = mit_ansicht([](auto& text) { return text.textCursor(); });
    if (!auswahl.hasSelection() || modus > QClipboard::Selection)
        return;
    QTextDocument* const dokument = auswahl.document();
    const int anfang = auswahl.selectionStart();
    const int ende = auswahl.selectionEnd();
    if (kopie && kopie->quelle == dokument && kopie->anfang == anfang && kopie->ende == ende) {
        kopie->fuer[modus] = true;
        return;
    }
    // A copy of another selection gives way to this one.
    beende();
    // Cells of a table go as Qt copies them: they do not reach past the table. A selection over
    // the parts of a long table goes as one table, as the whole table would.
    if (ende - anfang <= sofort_bis || auswahl.hasComplexSelection()) {
        QTextDocument ganz;
        ganz.setUndoRedoEnabled(false);
        QTextCursor(&ganz).insertFragment(QTextDocumentFragment(auswahl));
        const bool verbunden = verbinde_tabellenteile(ganz);
        if (modus == QClipboard::Clipboard && !verbunden) {
            mit_ansicht([](auto& text) { text.copy(); });
            return;
        }
        const QTextDocumentFragment verbundene(&ganz);
        QGuiApplication::clipboard()->setMimeData(mimedaten(verbundene.toPlainText(), html_von(verbundene)), modus);
        return;
    }
    kopie = std::make_unique<Kopie>();
    kopie->quelle = dokument;
    kopie->anfang = anfang;
    kopie->ende = ende;
    kopie->fuer[modus] = true;
    kopie->stuecke = std::make_unique<CStueckkopie>(*dokument, anfang, ende);
    emit fortschritt(1);
    schritt();
}

void CAuswahlkopie::schritt()
{
    if (!kopie || kopie->arbeit)
        return;
    Kopie& k = *kopie;
    // The view shows another document: the one copied may be on its way out already. Text inserted
    // or taken away within the selection moves what is left of it.
    const auto geaendert = [this] { beende(tr("Der Text wurde beim Kopieren geändert: es wurde nichts kopiert.")); };
    if (!k.quelle || k.quelle != mit_ansicht([](auto& text) { return text.document(); })) {
        geaendert();
        return;
    }
    const bool ganz = k.stuecke->kopiere(schritt_ns);
    if (!k.stuecke->gueltig()) {
        geaendert();
        return;
    }
    emit fortschritt(qBound(1, k.stuecke->anteil() / 20, 50));
    if (!ganz)
        QTimer::singleShot(0, this, &CAuswahlkopie::schritt);
    else
        mache_daten();
}

void CAuswahlkopie::mache_daten()
{
    Kopie& k = *kopie;
    const std::shared_ptr<CStueckkopie::Kopie> stuecke = k.stuecke->nimm();
    k.stuecke.reset();
    const std::shared_ptr<Kopiedaten> daten = k.daten;
    k.arbeit = std::make_unique<CHintergrund>([stuecke, daten](CHintergrund& arbeit) {
        std::unique_ptr<QTextDocument> ganz = stuecke->uebernimm();
        if (arbeit.abgebrochen())
            return QString();
        // A long table's parts go as one table, with no empty lines between them.
        verbinde_tabellenteile(*ganz, nullptr, 0, [&arbeit] { return arbeit.abgebrochen(); });
        if (arbeit.abgebrochen())
            return QString();
        arbeit.melde_anteil(300);
        daten->text = ganz->toPlainText();
        arbeit.melde_anteil(400);
        const QTextDocumentFragment auswahl(ganz.get());
        ganz.reset();
        if (arbeit.abgebrochen())
            return QString();
        arbeit.melde_anteil(600);
        daten->html = html_von(auswahl);
        return QString();
    });
    connect(k.arbeit.get(), &CHintergrund::anteil, this,
            [this](int promille) { emit fortschritt(qBound(50, 50 + promille / 20, 99)); });
    connect(k.arbeit.get(), &CHintergrund::fertig, this, &CAuswahlkopie::uebergib);
    k.arbeit->starte();
}

void CAuswahlkopie::uebergib()
{
    kopie->fertig = true;
    const QString fehler = kopie->arbeit->gib_fehler();
    if (!fehler.isEmpty()) {
        beende(fehler);
        return;
    }
    const Kopiedaten& daten = *kopie->daten;
    setzt = true;
    for (const QClipboard::Mode modus : {QClipboard::Clipboard, QClipboard::Selection})
        if (kopie->fuer[modus])
            QGuiApplication::clipboard()->setMimeData(mimedaten(daten.text, daten.html), modus);
    setzt = false;
    beende();
}

void CAuswahlkopie::beende(const QString& grund)
{
    if (!kopie)
        return;
    const std::unique_ptr<Kopie> alt = std::move(kopie);
    // Work still running goes beside the window, where it is waited for; the pieces copied so
    // far go there with the piece copy.
    if (alt->arbeit && !alt->fertig) {
        alt->arbeit->disconnect(this);
        alt->arbeit->brich_ab();
        CHintergrund::loesche(alt->arbeit.release());
    }
    emit fortschritt(100);
    if (!grund.isEmpty()) {
        fehler_ton();
        CQCat::gib_instanz()->error(CQString(grund));
    }
}
