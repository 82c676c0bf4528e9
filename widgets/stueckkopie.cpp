#include "stueckkopie.h"
#include "ungemessen.h"
#include "druckseiten.h"
#include "ereignisuebergabe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QThread>
#include <QThreadPool>

namespace {

// The time one piece should take: the pieces grow or shrink towards it.
constexpr qint64 stueck_ns = 4000000;
// Characters from which a part takes no further piece.
constexpr int teil_zeichen = 1 << 18;

// Inserts `stueck`, which holds `trenner` paragraph separators, at the end of the document being
// put together, the piece's first paragraph into the document's empty last one. Before some
// first paragraphs (a list's item) Qt leaves that one as it is, an empty paragraph more than the
// original has: it goes again, and the paragraphs around it keep their formats.
void haenge_an(QTextCursor& schreiber, const QTextDocumentFragment& stueck, int trenner)
{
    QTextDocument* const dokument = schreiber.document();
    schreiber.movePosition(QTextCursor::End);
    const int vorher = dokument->blockCount();
    schreiber.insertFragment(stueck);
    const QTextBlock leer = dokument->findBlockByNumber(vorher - 1);
    if (dokument->blockCount() != vorher + trenner + 1 || leer.length() != 1)
        return;
    QTextCursor weg(dokument);
    if (leer.position() > 0) {
        weg.setPosition(leer.position() - 1);
    } else {
        const QTextBlock erster = leer.next();
        weg.setBlockFormat(erster.blockFormat());
        weg.setBlockCharFormat(erster.charFormat());
    }
    weg.setPosition(leer.position() + (leer.position() > 0 ? 0 : 1), QTextCursor::KeepAnchor);
    weg.removeSelectedText();
}

} // namespace

CStueckkopie::Kopie::~Kopie()
{
    if (teile.empty() || !QCoreApplication::instance() || QThread::currentThread() != QCoreApplication::instance()->thread())
        return;
    // The parts of a million paragraphs take the GUI thread some tenths of a second to delete:
    // they go on a thread of the pool, which the application waits for before it ends. Handed
    // over as a posted event is, for ThreadSanitizer, which does not see the pool's own order.
    for (Teil& teil : teile)
        if (teil.text->thread())
            teil.text->moveToThread(nullptr);
    auto* rest = new std::vector<Teil>(std::move(teile));
    gib_ereignis_frei(rest);
    QThreadPool::globalInstance()->start([rest] {
        uebernimm_ereignis(rest);
        delete rest;
    });
}

std::unique_ptr<QTextDocument> CStueckkopie::Kopie::uebernimm()
{
    if (!dokument)
        return nullptr;
    dokument->moveToThread(QThread::currentThread());
    QTextCursor schreiber(dokument.get());
    // One edit for all the parts: the end of each goes through all the frames copied so far.
    schreiber.beginEditBlock();
    QHash<quintptr, QTextList*> listen;
    for (Teil& teil : teile) {
        teil.text->moveToThread(QThread::currentThread());
        schreiber.movePosition(QTextCursor::End);
        const int erster = schreiber.blockNumber();
        // Without the part's empty last block: the next part begins there.
        const QTextBlock letzter = teil.text->lastBlock();
        QTextCursor alles(teil.text.get());
        alles.setPosition(letzter.length() == 1 ? letzter.position() : letzter.position() + letzter.length() - 1,
                          QTextCursor::KeepAnchor);
        haenge_an(schreiber, QTextDocumentFragment(alles), teil.text->blockCount() - 1);
        teil.text.reset();
        QTextBlock block = dokument->findBlockByNumber(erster);
        for (int i = 0; block.isValid() && (i < teil.listen.size() || i < teil.formate.size()); ++i, block = block.next()) {
            if (i < teil.formate.size() && !teil.formate[i].isEmpty())
                block.layout()->setFormats(teil.formate[i]);
            if (i >= teil.listen.size() || !teil.listen[i])
                continue;
            QTextList*& eigene = listen[teil.listen[i]];
            if (!eigene)
                eigene = block.textList();
            else if (block.textList() != eigene)
                eigene->add(block);
        }
    }
    schreiber.endEditBlock();
    teile.clear();
    // As a clone: the root frame's format once the text is in.
    dokument->rootFrame()->setFrameFormat(rahmen);
    return std::move(dokument);
}

CStueckkopie::CStueckkopie(QTextDocument& quelle_, int anfang_, int ende_)
    : quelle(&quelle_),
      anfang(anfang_),
      ende(ende_ < 0 ? quelle_.characterCount() - 1 : ende_),
      naechste(anfang_),
      hervorgehoben(CDruckseiten::hat_hervorhebung(quelle_)),
      kopie(std::make_shared<Kopie>())
{
    auto& dokument = kopie->dokument;
    dokument = std::make_unique<QTextDocument>();
    dokument->setUndoRedoEnabled(false);
    dokument->setDefaultFont(quelle_.defaultFont());
    dokument->setDefaultTextOption(quelle_.defaultTextOption());
    dokument->setDefaultStyleSheet(quelle_.defaultStyleSheet());
    dokument->setIndentWidth(quelle_.indentWidth());
    dokument->setUseDesignMetrics(quelle_.useDesignMetrics());
    dokument->setDocumentMargin(quelle_.documentMargin());
    for (const auto art : {QTextDocument::DocumentTitle, QTextDocument::DocumentUrl})
        dokument->setMetaInformation(art, quelle_.metaInformation(art));
    if (hervorgehoben)
        dokument->setProperty("hervorgehoben", true);
    // Text inserted or taken away before the end moves what is left to copy.
    aenderung = QObject::connect(&quelle_, &QTextDocument::contentsChange, [this](int von, int weg, int dazu) {
        if (von < ende && weg != dazu)
            geaendert = true;
    });
}

CStueckkopie::~CStueckkopie()
{
    QObject::disconnect(aenderung);
    schliesse_teil();
}

bool CStueckkopie::gueltig() const
{
    return quelle && !geaendert;
}

int CStueckkopie::anteil() const
{
    return ende > anfang ? static_cast<int>(qint64(naechste - anfang) * 1000 / (ende - anfang)) : 1000;
}

int CStueckkopie::grenze(const QTextDocument& dokument, int von, int bloecke, int ende)
{
    const QTextBlock block = dokument.findBlockByNumber(dokument.findBlock(von).blockNumber() + bloecke);
    if (!block.isValid() || block.position() >= ende)
        return ende;
    QTextFrame* const wurzel = dokument.rootFrame();
    QTextFrame* rahmen = dokument.frameAt(block.position());
    if (rahmen == wurzel)
        return block.position();
    while (rahmen->parentFrame() != wurzel)
        rahmen = rahmen->parentFrame();
    // The paragraph that follows every frame.
    return qMin(rahmen->lastPosition() + 1, ende);
}

void CStueckkopie::erfasse(int von, int bis, Kopie::Teil& teil) const
{
    // The piece's first block goes into the part's last one.
    const int erster = teil.text->blockCount() - 1;
    teil.listen.resize(erster);
    if (hervorgehoben)
        teil.formate.resize(erster);
    for (QTextBlock block = quelle->findBlock(von); block.isValid() && block.position() < bis; block = block.next()) {
        if (hervorgehoben)
            teil.formate.append(block.layout()->formats());
        teil.listen.append(reinterpret_cast<quintptr>(block.textList()));
    }
}

void CStueckkopie::schliesse_teil()
{
    if (schreiber.isNull())
        return;
    schreiber.endEditBlock();
    schreiber = QTextCursor();
}

bool CStueckkopie::kopiere(qint64 ns)
{
    if (!gueltig())
        return true;
    QElapsedTimer uhr;
    uhr.start();
    const CUngemessen ungemessen(*quelle);
    // Lists join across pieces only where the document has any: the walk costs a look at each block.
    const bool mit_listen = quelle->findChild<QTextList*>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
    do {
        if (naechste >= ende)
            break;
        const qint64 vorher = uhr.nsecsElapsed();
        const int von = naechste;
        const int bis = grenze(*quelle, von, bloecke, ende);
        QTextCursor auswahl(quelle);
        auswahl.setPosition(von);
        auswahl.setPosition(bis, QTextCursor::KeepAnchor);
        if (schreiber.isNull()) {
            kopie->teile.push_back({std::make_unique<QTextDocument>(), {}, {}});
            QTextDocument& teil = *kopie->teile.back().text;
            teil.setUndoRedoEnabled(false);
            schreiber = QTextCursor(&teil);
            // One edit for all its pieces: the end of each goes through all the frames copied so far.
            schreiber.beginEditBlock();
        }
        if (mit_listen || hervorgehoben)
            erfasse(von, bis, kopie->teile.back());
        haenge_an(schreiber, QTextDocumentFragment(auswahl),
                  quelle->findBlock(bis).blockNumber() - quelle->findBlock(von).blockNumber());
        if (schreiber.document()->characterCount() >= teil_zeichen)
            schliesse_teil();
        naechste = bis;
        const qint64 dauer = uhr.nsecsElapsed() - vorher;
        if (dauer < stueck_ns / 2)
            bloecke = qMin(bloecke * 2, 1 << 20);
        else if (dauer > stueck_ns * 2)
            bloecke = qMax(1, bloecke / 2);
    } while (uhr.nsecsElapsed() < ns);
    return naechste >= ende;
}

std::shared_ptr<CStueckkopie::Kopie> CStueckkopie::nimm()
{
    if (!gueltig() || naechste < ende || !kopie)
        return nullptr;
    QObject::disconnect(aenderung);
    schliesse_teil();
    kopie->rahmen = quelle->rootFrame()->frameFormat();
    kopie->dokument->moveToThread(nullptr);
    for (Kopie::Teil& teil : kopie->teile)
        teil.text->moveToThread(nullptr);
    return std::move(kopie);
}
