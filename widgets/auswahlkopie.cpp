#include "auswahlkopie.h"
#include "ccat.h"
#include "gui.h"
#include "hintergrund.h"
#include "tabellenteile.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTextFrame>
#include <QThread>
#include <QTimer>

namespace {

// A selection of up to this many characters is copied as Qt copies it: some milliseconds.
constexpr int sofort_bis = 20000;

// Copying in one turn of the event loop, and the time one piece should take.
constexpr qint64 schritt_ns = 15000000;
constexpr qint64 stueck_ns = 4000000;

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

// Cursors set inside an edit block leave their place across unmeasured: the layout is not asked
// where they lie, which for a place far down a report still being laid out lays it out up to
// there, seconds at its end. Nothing of the text changes: the document tells no one of the block,
// nor counts it as a change.
class Ungemessen
{
public:
    explicit Ungemessen(QTextDocument& dokument)
        : dokument(dokument), geaendert(dokument.isModified()), still(&dokument), klammer(&dokument)
    {
        klammer.beginEditBlock();
    }
    ~Ungemessen()
    {
        klammer.endEditBlock();
        dokument.setModified(geaendert);
    }
    Ungemessen(const Ungemessen&) = delete;
    Ungemessen& operator=(const Ungemessen&) = delete;

private:
    QTextDocument& dokument;
    const bool geaendert;
    const QSignalBlocker still;
    QTextCursor klammer;
};

// What the thread of a copy works on and hands back: the pieces copied together, with the cursor
// that still holds them in one edit (its end goes through all the document's frames once), and
// the text and HTML made of them.
struct Kopiedaten
{
    std::unique_ptr<QTextDocument> ganz;
    QTextCursor schreiber;
    QString text;
    QByteArray html;
};

} // namespace

struct CAuswahlkopie::Kopie
{
    QPointer<QTextDocument> quelle;
    int anfang = 0;
    int ende = 0;
    // Where the next piece begins, and how many paragraphs a piece takes now.
    int naechste = 0;
    int bloecke = 64;
    std::shared_ptr<Kopiedaten> daten = std::make_shared<Kopiedaten>();
    // The clipboards that are to get the copy: the normal one and the selection.
    bool fuer[2] = {false, false};
    std::unique_ptr<CHintergrund> arbeit;
    bool fertig = false;
    QMetaObject::Connection aenderung;
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
    const Ungemessen ungemessen(*dokument);
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
    kopie->anfang = kopie->naechste = anfang;
    kopie->ende = ende;
    kopie->fuer[modus] = true;
    Kopiedaten& daten = *kopie->daten;
    daten.ganz = std::make_unique<QTextDocument>();
    daten.ganz->setUndoRedoEnabled(false);
    daten.schreiber = QTextCursor(daten.ganz.get());
    // One edit for all the pieces: the end of each goes through all the frames copied so far.
    daten.schreiber.beginEditBlock();
    // Text inserted or taken away within the selection moves what is left of it.
    kopie->aenderung = connect(dokument, &QTextDocument::contentsChange, this, [this](int von, int weg, int dazu) {
        if (kopie && !kopie->arbeit && von < kopie->ende && weg != dazu)
            beende(tr("Der Text wurde beim Kopieren geändert: es wurde nichts kopiert."));
    });
    emit fortschritt(1);
    schritt();
}

int CAuswahlkopie::naechste_grenze(int von, int bloecke) const
{
    QTextDocument* const dokument = kopie->quelle;
    const QTextBlock block = dokument->findBlockByNumber(dokument->findBlock(von).blockNumber() + bloecke);
    if (!block.isValid() || block.position() >= kopie->ende)
        return kopie->ende;
    // Only between the paragraphs and frames of the top level: a piece that ended inside a table
    // would copy it as two.
    QTextFrame* const wurzel = dokument->rootFrame();
    QTextFrame* rahmen = dokument->frameAt(block.position());
    if (rahmen == wurzel)
        return block.position();
    while (rahmen->parentFrame() != wurzel)
        rahmen = rahmen->parentFrame();
    // The paragraph that follows every frame.
    return qMin(rahmen->lastPosition() + 1, kopie->ende);
}

void CAuswahlkopie::schritt()
{
    if (!kopie || kopie->arbeit)
        return;
    Kopie& k = *kopie;
    // The view shows another document: the one copied may be on its way out already.
    if (!k.quelle || k.quelle != mit_ansicht([](auto& text) { return text.document(); })) {
        beende(tr("Der Text wurde beim Kopieren geändert: es wurde nichts kopiert."));
        return;
    }
    QElapsedTimer uhr;
    uhr.start();
    const Ungemessen ungemessen(*k.quelle);
    while (k.naechste < k.ende && uhr.nsecsElapsed() < schritt_ns) {
        const qint64 vorher = uhr.nsecsElapsed();
        const int bis = naechste_grenze(k.naechste, k.bloecke);
        QTextCursor auswahl(k.quelle);
        auswahl.setPosition(k.naechste);
        auswahl.setPosition(bis, QTextCursor::KeepAnchor);
        // At the end: after a table the cursor may stand within it.
        k.daten->schreiber.movePosition(QTextCursor::End);
        k.daten->schreiber.insertFragment(QTextDocumentFragment(auswahl));
        k.naechste = bis;
        const qint64 dauer = uhr.nsecsElapsed() - vorher;
        if (dauer < stueck_ns / 2)
            k.bloecke = qMin(k.bloecke * 2, 1 << 20);
        else if (dauer > stueck_ns * 2)
            k.bloecke = qMax(1, k.bloecke / 2);
    }
    emit fortschritt(qBound(1, static_cast<int>(qint64(k.naechste - k.anfang) * 50 / qMax(1, k.ende - k.anfang)), 50));
    if (k.naechste < k.ende)
        QTimer::singleShot(0, this, &CAuswahlkopie::schritt);
    else
        mache_daten();
}

void CAuswahlkopie::mache_daten()
{
    Kopie& k = *kopie;
    disconnect(k.aenderung);
    const std::shared_ptr<Kopiedaten> daten = k.daten;
    // Of no thread until the copy's thread takes it.
    daten->ganz->moveToThread(nullptr);
    k.arbeit = std::make_unique<CHintergrund>([daten](CHintergrund& arbeit) {
        daten->ganz->moveToThread(QThread::currentThread());
        daten->schreiber.endEditBlock();
        daten->schreiber = QTextCursor();
        // A long table's parts go as one table, with no empty lines between them.
        verbinde_tabellenteile(*daten->ganz, nullptr, 0, [&arbeit] { return arbeit.abgebrochen(); });
        if (arbeit.abgebrochen())
            return QString();
        arbeit.melde_anteil(300);
        daten->text = daten->ganz->toPlainText();
        arbeit.melde_anteil(400);
        const QTextDocumentFragment auswahl(daten->ganz.get());
        daten->ganz.reset();
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
    disconnect(alt->aenderung);
    // Work still running goes beside the window, where it is waited for; the document copied
    // so far too (a million paragraphs take the GUI thread some tenths of a second to delete).
    if (alt->arbeit && !alt->fertig) {
        alt->arbeit->disconnect(this);
        alt->arbeit->brich_ab();
        CHintergrund::loesche(alt->arbeit.release());
    } else if (!alt->arbeit && alt->daten->ganz) {
        alt->daten->schreiber = QTextCursor();
        CHintergrund::loesche(alt->daten->ganz.release());
    }
    emit fortschritt(100);
    if (!grund.isEmpty()) {
        fehler_ton();
        CQCat::gib_instanz()->error(CQString(grund));
    }
}
