#include "cqtableview.h"
#include "zeilenauswahl.h"
#include "steuerdaten.h"

#include <QColor>
#include <QHeaderView>
#include <QItemSelection>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QSignalBlocker>

#include <algorithm>

namespace {

// Width presets below -1 with a meaning of their own; other negative values fit to contents.
constexpr int breite_kopfhinweis = -2;

QString zweistellig(const QString& teil)
{
    return teil.size() == 1 ? QLatin1Char('0') + teil : teil;
}

// The first reading when it is valid, else the fallback's.
template <typename Wert, typename Ersatz>
QVariant gueltig_oder(const Wert& erste, Ersatz ersatz)
{
    return erste.isValid() ? QVariant(erste) : QVariant(ersatz());
}

} // namespace

QDateTime lies_datum_zeit(const QString& text)
{
    // Tried in this order; the first that matches wins. Only the four-digit year with seconds
    // and the two-digit year with seconds carry a sixth part.
    static const QRegularExpression muster[] = {
        QRegularExpression(QStringLiteral(R"(^(\d{0,1}\d)\.(\d{0,1}\d)\.(\d\d\d\d)\s*(\d{0,1}\d):(\d\d):(\d\d)$)")),
        QRegularExpression(QStringLiteral(R"(^(\d{0,1}\d)\.(\d{0,1}\d)\.(\d\d\d\d)\s*(\d{0,1}\d):(\d\d)$)")),
        QRegularExpression(QStringLiteral(R"(^(\d{0,1}\d)\.(\d{0,1}\d)\.(\d\d)\s*(\d{0,1}\d):(\d\d):(\d\d)$)")),
        QRegularExpression(QStringLiteral(R"(^(\d{0,1}\d)\.(\d{0,1}\d)\.(\d\d)\s*(\d{0,1}\d):(\d\d)$)")),
    };
    for (const QRegularExpression& m : muster) {
        const QRegularExpressionMatch treffer = m.match(text);
        if (!treffer.hasMatch())
            continue;
        int jahr = treffer.captured(3).toInt();
        if (jahr < 100)
            jahr += jahr > 50 ? 1900 : 2000;
        const QString sekunden = treffer.lastCapturedIndex() == 6 ? treffer.captured(6) : QStringLiteral("00");
        const QString iso = QStringLiteral("%1-%2-%3T%4:%5:%6")
                                .arg(jahr, 4, 10, QLatin1Char('0'))
                                .arg(zweistellig(treffer.captured(2)), zweistellig(treffer.captured(1)),
                                     zweistellig(treffer.captured(4)), treffer.captured(5), sekunden);
        return QDateTime::fromString(iso, Qt::ISODate);
    }
    qWarning("CDatumValidator: Fehler im regExp");
    return QDateTime();
}

CQTableView::CQTableView(QWidget* eltern, int spaltenanzahl)
    : QTableView(eltern), spaltenanzahl(spaltenanzahl), eigenes_modell(new QStandardItemModel(0, spaltenanzahl, this)),
      eigener_proxy(new QSortFilterProxyModel(this))
{
    modell = eigenes_modell;
    proxy = eigener_proxy;
    proxy->setSourceModel(modell);
    proxy->setDynamicSortFilter(false);
    setModel(proxy);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->hide();
    // Tab leaves the table and the arrow keys go from cell to cell: Qt's Tab from cell to cell
    // would hold a keyboard user in a table of many cells, and in one whose keys are off.
    setTabKeyNavigation(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(true);
    connect(this, &QAbstractItemView::pressed, this, &CQTableView::PitemPressed);
}

CQTableView::~CQTableView()
{
    loescheZeilen();
}

QAbstractItemModel* CQTableView::gezeigt() const
{
    if (proxy)
        return proxy;
    return modell;
}

void CQTableView::PitemPressed(const QModelIndex& index)
{
    if (index.isValid())
        gedrueckt = index;
}

int CQTableView::neueZeile(const QVector<QVariant>& werte, const bool& markieren, const bool& markiert)
{
    if (!modell)
        return -1;
    const int zeile = modell->rowCount();
    modell->insertRow(zeile);
    const int anzahl = std::min(werte.size(), spaltenanzahl);
    for (int i = 0; i < anzahl; ++i) {
        const QModelIndex zelle = modell->index(zeile, i);
        modell->setData(zelle, werte.at(i), Qt::EditRole);
        for (const auto& ausrichtung : qAsConst(ausrichtungen))
            if (ausrichtung.first == i)
                modell->setData(zelle, ausrichtung.second, Qt::TextAlignmentRole);
    }
    if (markieren) {
        aktuelle_zeile = zeile;
        aktuelle_spalte = 0;
        // Selected only now that the cells are filled: a proxy that sorts as data change has
        // placed the row by then, and once the user has sorted the view row differs from the
        // model row.
        QModelIndex gezeigte_zelle = modell->index(zeile, 0);
        if (proxy)
            gezeigte_zelle = proxy->sourceModel() == modell ? proxy->mapFromSource(gezeigte_zelle) : QModelIndex();
        if (gezeigte_zelle.isValid() && selectionModel())
            selectionModel()->select(gezeigte_zelle, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    if (markiert) {
        QColor farbe(Qt::red);
        const QString name = gib_steuerwert(CQString("/Privat/Farbe_Text_markiert"), false).toString();
        if (!name.isEmpty() && QColor::isValidColor(name))
            farbe.setNamedColor(name);
        for (int spalte = 0; spalte < spaltenanzahl; ++spalte)
            modell->setData(modell->index(zeile, spalte), farbe, Qt::ForegroundRole);
    }
    return zeile;
}

void CQTableView::setzeAusrichtung(int spalte, Qt::Alignment ausrichtung)
{
    ausrichtungen.append(qMakePair(spalte, static_cast<int>(ausrichtung)));
}

void CQTableView::setzeSpaltentitel(int spalte, const CQString& titel, const int& breite)
{
    if (!modell || spalte < 0 || spalte >= spaltenanzahl)
        return;
    modell->setHeaderData(spalte, Qt::Horizontal, QString(titel), Qt::EditRole);
    breiten.append(breite);
}

void CQTableView::passeSpaltenbreitenAn(const bool& feste_breiten)
{
    setVisible(false);
    QHeaderView* kopf = horizontalHeader();
    for (int spalte = 0; spalte < spaltenanzahl; ++spalte) {
        if (spalte >= breiten.size()) {
            if (breiten.isEmpty())
                resizeColumnToContents(spalte);
            continue;
        }
        const int breite = breiten.at(spalte);
        if (breite >= 0) {
            if (feste_breiten)
                kopf->resizeSection(spalte, breite);
        } else if (breite == breite_kopfhinweis) {
            kopf->resizeSection(spalte, kopf->sectionSizeHint(spalte));
        } else {
            resizeColumnToContents(spalte);
        }
    }
    setVisible(true);
}

void CQTableView::zeigeSortierung(int spalte)
{
    if (!proxy)
        return;
    if (spalte < 0)
        spalte = proxy->sortColumn();
    const Qt::SortOrder folge = spalte <= 0 ? Qt::AscendingOrder : proxy->sortOrder();
    // Only the indicator: with sorting on, a changed indicator would sort the rows again.
    const QSignalBlocker stumm(horizontalHeader());
    horizontalHeader()->setSortIndicator(spalte, folge);
    horizontalHeader()->viewport()->update();
}

void CQTableView::markiereZeilen(const QVector<int>& zeilen)
{
    if (selectionModel())
        selectionModel()->select(zeilenauswahl(gezeigt(), zeilen, spaltenanzahl), QItemSelectionModel::Select);
}

void CQTableView::markiereZeile(int zeile, const bool& neu)
{
    QAbstractItemModel* daten = gezeigt();
    if (!daten || !selectionModel())
        return;
    if (neu)
        clearSelection();
    const int letzte = std::min(spaltenanzahl, daten->columnCount()) - 1;
    const QModelIndex links = daten->index(zeile, 0);
    const QModelIndex rechts_unten = daten->index(zeile, letzte);
    if (!links.isValid() || !rechts_unten.isValid())
        return;
    selectionModel()->select(QItemSelection(links, rechts_unten), QItemSelectionModel::Select);
    for (int spalte = 0; spalte < daten->columnCount(); ++spalte) {
        if (!isColumnHidden(spalte)) {
            scrollTo(daten->index(zeile, spalte), QAbstractItemView::PositionAtCenter);
            break;
        }
    }
}

void CQTableView::loescheZeilen()
{
    if (modell && modell->rowCount() > 0)
        modell->removeRows(0, modell->rowCount());
    for (CQTableViewZeile* zeile : qAsConst(zeilen))
        delete zeile;
    zeilen.clear();
}

QVariant CQTableView::zellDaten(int zeile, int spalte) const
{
    return gibIndex(zeile, spalte).data(Qt::DisplayRole);
}

QVariant CQTableView::zellDatenIndex(const QModelIndex& index, int spalte) const
{
    return zellDaten(index.row(), spalte);
}

QModelIndex CQTableView::gibIndex(int zeile, int spalte) const
{
    QAbstractItemModel* daten = gezeigt();
    return daten ? daten->index(zeile, spalte) : QModelIndex();
}

void CQTableView::setzeDaten(int zeile, int spalte, const QVariant& wert, int rolle)
{
    // Through the proxy, which hands the value to its model.
    const QModelIndex zelle = gibIndex(zeile, spalte);
    if (zelle.isValid())
        gezeigt()->setData(zelle, wert, rolle);
}

void CQTableView::setzeModell(QStandardItemModel* neues_modell, QSortFilterProxyModel* neuer_proxy)
{
    QStandardItemModel* altes_modell = nullptr;
    if (neues_modell && neues_modell != eigenes_modell) {
        altes_modell = eigenes_modell;
        eigenes_modell = nullptr;
    }
    if (neues_modell)
        modell = neues_modell;
    QSortFilterProxyModel* alter_proxy = nullptr;
    if (neuer_proxy != eigener_proxy) {
        alter_proxy = eigener_proxy;
        eigener_proxy = nullptr;
    }
    proxy = neuer_proxy;
    if (proxy && proxy->sourceModel() != modell && (proxy == eigener_proxy || !proxy->sourceModel()))
        proxy->setSourceModel(modell);
    setModel(gezeigt());
    delete alter_proxy;
    delete altes_modell;
}

void CQTableView::merke_rechts(QMouseEvent* ereignis)
{
    rechts = ereignis->button() == Qt::RightButton;
    if (rechts)
        rechts_position = ereignis->globalPos();
}

void CQTableView::mousePressEvent(QMouseEvent* ereignis)
{
    merke_rechts(ereignis);
    if (!rechts) {
        QTableView::mousePressEvent(ereignis);
        return;
    }
    const QModelIndex index = indexAt(ereignis->pos());
    emit rightButtonPressed(this, index);
    // Below the last row the press must not reach the base, which would clear the selection.
    if (!index.isValid()) {
        ereignis->accept();
        return;
    }
    QTableView::mousePressEvent(ereignis);
}

void CQTableView::mouseReleaseEvent(QMouseEvent* ereignis)
{
    merke_rechts(ereignis);
    QTableView::mouseReleaseEvent(ereignis);
    if (klick_rechts && rechts && gedrueckt.isValid())
        emit clicked(gedrueckt);
}

void CQTableView::keyPressEvent(QKeyEvent* ereignis)
{
    if (tasten_aus)
        return;
    switch (ereignis->key()) {
    case Qt::Key_Space:
        ereignis->accept();
        emit spacePressed();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ereignis->accept();
        emit returnPressed();
        break;
    default:
        QTableView::keyPressEvent(ereignis);
    }
}

CQTableViewZeile::CQTableViewZeile(CQTableView* view, const CSpaltenTypen* typen, const bool& markiert)
    : view(view), typen(typen)
{
    view->zeilen.append(this);
    const int spalten = view->modell ? view->modell->columnCount() : 0;
    zeile = view->neueZeile(QVector<QVariant>(spalten), false, markiert);
}

void CQTableViewZeile::setzeZelle(int spalte, const CQString& text)
{
    QVariant wert = QString(text);
    if (typen && typen->contains(spalte)) {
        const QLocale system = QLocale::system();
        switch (typen->value(spalte)) {
        case QMetaType::Int:
            wert = text.toInt(nullptr, 10);
            break;
        case QMetaType::Double:
            wert = text.zu_double();
            break;
        case QMetaType::QDate:
            wert = gueltig_oder(system.toDate(text, QLocale::ShortFormat),
                                [&] { return QDate::fromString(text, QStringLiteral("dd.MM.yyyy")); });
            break;
        case QMetaType::QTime:
            wert = gueltig_oder(system.toTime(text, QLocale::ShortFormat),
                                [&] { return QTime::fromString(text, QStringLiteral("hh:mm:ss")); });
            break;
        case QMetaType::QDateTime:
            wert = gueltig_oder(lies_datum_zeit(text), [&] { return system.toDateTime(text, QLocale::ShortFormat); });
            break;
        default:
            break;
        }
    }
    // The row is a model number: written through the model, the value reaches this writer's row
    // even while the proxy shows the rows in another order.
    QStandardItemModel* modell = view->modell;
    if (modell)
        modell->setData(modell->index(zeile, spalte), wert, Qt::EditRole);
}
