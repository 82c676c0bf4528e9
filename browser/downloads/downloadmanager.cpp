#include "downloadmanager.h"
#include "browsereinstellungswerte.h"
#include "fenstergroesse.h"
#include "autosaver.h"
#include "browserapplication.h"
#include "downloadmodel.h"
#include "downloadwidget.h"
#include "editviews.h"
#include "squeezelabel.h"

#include <QCoreApplication>
#include <QFileIconProvider>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMetaEnum>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSpacerItem>
#include <QStyle>
#include <QWebEngineDownloadItem>

#include <algorithm>

namespace {

const char* const genommen = "downloadmanager_genommen";

// As the file systems of the platform compare names.
#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity dateinamen_vergleich = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity dateinamen_vergleich = Qt::CaseSensitive;
#endif

QString schluessel(int i, const char* teil)
{
    return QStringLiteral("download_%1_").arg(i) + QLatin1String(teil);
}

// The numbers of the stored entries in ascending order, read from the keys themselves, so that
// a gap in the numbering neither hides the entries after it nor leaves them behind at saving.
// `nur_mit_url`: only numbers that have a url key.
QList<int> eintragsnummern(const QSettings& settings, bool nur_mit_url)
{
    static const QRegularExpression alle(QStringLiteral("^download_(\\d{1,9})_(url|location|done)$"));
    static const QRegularExpression url(QStringLiteral("^download_(\\d{1,9})_url$"));
    QList<int> nummern;
    for (const QString& key : settings.childKeys()) {
        const QRegularExpressionMatch treffer = (nur_mit_url ? url : alle).match(key);
        if (treffer.hasMatch())
            nummern.append(treffer.captured(1).toInt());
    }
    std::sort(nummern.begin(), nummern.end());
    nummern.erase(std::unique(nummern.begin(), nummern.end()), nummern.end());
    return nummern;
}

// An entry as two browsers tell theirs apart: its address and file, as stored.
QString eintragskennung(const QVariant& url, const QVariant& location)
{
    return url.toString() + QLatin1Char('\n') + location.toString();
}

// A stored value of the expected kind; anything else makes the entry unusable.
bool lies_url(const QVariant& wert, QUrl& url)
{
    if (wert.userType() == QMetaType::QUrl)
        url = wert.toUrl();
    else if (wert.userType() == QMetaType::QString)
        url = QUrl(wert.toString());
    else
        return false;
    return url.isValid() && !url.isEmpty();
}

bool lies_erledigt(const QVariant& wert, bool& erledigt)
{
    if (!wert.isValid()) {
        erledigt = true;
        return true;
    }
    if (wert.userType() == QMetaType::Bool) {
        erledigt = wert.toBool();
        return true;
    }
    const QString text = wert.toString().toLower();
    erledigt = text == QLatin1String("true");
    return wert.userType() == QMetaType::QString && (erledigt || text == QLatin1String("false"));
}

} // namespace

DownloadManager::DownloadManager(QWidget* parent)
    : QDialog(parent), m_autoSaver(new AutoSaver(this))
{
    setupUi();
    downloadsView->setShowGrid(false);
    downloadsView->verticalHeader()->hide();
    downloadsView->horizontalHeader()->hide();
    downloadsView->setAlternatingRowColors(true);
    downloadsView->horizontalHeader()->setStretchLastSection(true);
    m_model = new DownloadModel(this, this);
    downloadsView->setModel(m_model);
    connect(cleanupButton, &QPushButton::clicked, this, &DownloadManager::cleanup);
    load();
}

DownloadManager::~DownloadManager()
{
    // Always written, also without a change: the size of the window.
    m_autoSaver->changeOccurred();
    m_autoSaver->saveIfNecessary();
    delete m_iconProvider;
}

void DownloadManager::setupUi()
{
    setObjectName(QStringLiteral("DownloadDialog"));
    resize(332, 252);
    auto* gridLayout = new QGridLayout(this);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setSpacing(0);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    downloadsView = new EditTableView(this);
    downloadsView->setObjectName(QStringLiteral("downloadsView"));
    gridLayout->addWidget(downloadsView, 0, 0, 1, 3);
    auto* horizontalLayout = new QHBoxLayout();
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    cleanupButton = new QPushButton(this);
    cleanupButton->setObjectName(QStringLiteral("cleanupButton"));
    cleanupButton->setEnabled(false);
    // As the buttons of each download: never Return's button (see DownloadWidget).
    cleanupButton->setAutoDefault(false);
    horizontalLayout->addWidget(cleanupButton);
    horizontalLayout->addItem(new QSpacerItem(58, 24, QSizePolicy::Expanding, QSizePolicy::Minimum));
    gridLayout->addLayout(horizontalLayout, 1, 0);
    itemCount = new QLabel(this);
    itemCount->setObjectName(QStringLiteral("itemCount"));
    gridLayout->addWidget(itemCount, 1, 1);
    gridLayout->addItem(new QSpacerItem(148, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 2);

    setWindowTitle(QCoreApplication::translate("DownloadDialog", "Downloads"));
    downloadsView->setAccessibleName(windowTitle());
    cleanupButton->setText(QCoreApplication::translate("DownloadDialog", "Clean up"));
    itemCount->setText(QCoreApplication::translate("DownloadDialog", "0 Items"));
}

bool DownloadManager::nimm_an(QWebEngineDownloadItem* item)
{
    if (!item || item->property(genommen).toBool())
        return false;
    item->setProperty(genommen, true);
    return true;
}

int DownloadManager::activeDownloads() const
{
    return int(std::count_if(downloads.cbegin(), downloads.cend(),
                             [](const DownloadWidget* w) { return w->stopButton->isEnabled(); }));
}

void DownloadManager::setRemovePolicy(RemovePolicy policy)
{
    if (policy == m_removePolicy)
        return;
    m_removePolicy = policy;
    m_autoSaver->changeOccurred();
}

void DownloadManager::download(QWebEngineDownloadItem* item)
{
    if (!item)
        return;
    for (DownloadWidget* w : qAsConst(downloads)) {
        if (w->item() == item)
            return;
        // The engine resumes a download cut short with a new item of the same id: still one row,
        // one file.
        if (w->setztFort(item)) {
            nimm_an(item);
            w->folge(item);
            return;
        }
    }
    nimm_an(item);
    // Downloads started together are placed before any of them has written a byte: the disk
    // alone would give them all the same free name.
    const auto vergeben = [this](const QString& pfad) {
        return std::any_of(downloads.cbegin(), downloads.cend(), [&pfad](const DownloadWidget* w) {
            return w->file.absoluteFilePath().compare(pfad, dateinamen_vergleich) == 0;
        });
    };
    addItem(new DownloadWidget(item, this, vergeben));
    // The manager lives to the end of the process and its destructor never runs: a new row is
    // written by the auto-saver, at the latest by the flush at exit.
    m_autoSaver->changeOccurred();
}

void DownloadManager::addItem(DownloadWidget* widget)
{
    connect(widget, &DownloadWidget::statusChanged, this, &DownloadManager::updateRow);
    const int row = downloads.count();
    m_model->beginInsertRows(QModelIndex(), row, row);
    downloads.append(widget);
    m_model->endInsertRows();
    updateItemCount();
    if (row == 0)
        show();
    downloadsView->setIndexWidget(m_model->index(row, 0), widget);
    widget->fileIcon->setPixmap(style()->standardIcon(QStyle::SP_FileIcon).pixmap(48, 48));
    downloadsView->setRowHeight(row, widget->sizeHint().height());
}

void DownloadManager::updateRow()
{
    auto* widget = qobject_cast<DownloadWidget*>(sender());
    const int row = downloads.indexOf(widget);
    if (row == -1)
        return;
    if (!m_iconProvider)
        m_iconProvider = new QFileIconProvider;
    QIcon icon = m_iconProvider->icon(widget->file);
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_FileIcon);
    widget->fileIcon->setPixmap(icon.pixmap(48, 48));
    downloadsView->setRowHeight(row, widget->minimumSizeHint().height());

    const bool remove = (!widget->downloading() && BrowserApplication::privateBrowsing())
                        || (widget->succeeded() && m_removePolicy == SuccessFullDownload);
    if (remove)
        m_model->removeRow(row);
    updateCleanupButton();
    // A finished row is stored as done from now on.
    m_autoSaver->changeOccurred();
}

void DownloadManager::updateCleanupButton()
{
    cleanupButton->setEnabled(downloads.count() - activeDownloads() > 0);
}

void DownloadManager::updateItemCount()
{
    const int count = downloads.count();
    itemCount->setText(count == 1 ? tr("1 Download") : tr("%1 Downloads").arg(count));
}

void DownloadManager::cleanup()
{
    if (downloads.isEmpty())
        return;
    m_model->removeRows(0, downloads.count());
    updateItemCount();
    if (downloads.isEmpty() && m_iconProvider) {
        delete m_iconProvider;
        m_iconProvider = nullptr;
    }
    updateCleanupButton();
    m_autoSaver->changeOccurred();
}

void DownloadManager::save()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("downloadmanager"));
    const QMetaEnum policyEnum = QMetaEnum::fromType<RemovePolicy>();
    settings.setValue(QStringLiteral("removeDownloadsPolicy"), QLatin1String(policyEnum.valueToKey(m_removePolicy)));
    settings.setValue(QStringLiteral("size"), size());
    if (m_removePolicy == Exit) {
        speichere_einstellungen(settings);
        return;
    }

    // The entries another browser saved since this one read or wrote the list stay, behind ours.
    struct Eintrag
    {
        QVariant url, location, done;
    };
    QVector<Eintrag> fremde;
    QSet<QString> eigene;
    for (const DownloadWidget* w : qAsConst(downloads))
        eigene.insert(eintragskennung(w->url, w->file.filePath()));
    for (int i : eintragsnummern(settings, false)) {
        Eintrag e{settings.value(schluessel(i, "url")), settings.value(schluessel(i, "location")),
                  settings.value(schluessel(i, "done"))};
        const QString kennung = eintragskennung(e.url, e.location);
        if (!m_eigeneEintraege.contains(kennung) && !eigene.contains(kennung))
            fremde.append(e);
    }
    for (int i = 0; i < downloads.count(); ++i) {
        const DownloadWidget* w = downloads.at(i);
        settings.setValue(schluessel(i, "url"), w->url);
        settings.setValue(schluessel(i, "location"), w->file.filePath());
        settings.setValue(schluessel(i, "done"), w->succeeded());
    }
    const int anzahl = downloads.count() + fremde.count();
    for (int i = downloads.count(); i < anzahl; ++i) {
        const Eintrag& e = fremde.at(i - downloads.count());
        const std::pair<const char*, const QVariant*> teile[] = {{"url", &e.url}, {"location", &e.location}, {"done", &e.done}};
        for (const auto& [teil, wert] : teile) {
            if (wert->isValid())
                settings.setValue(schluessel(i, teil), *wert);
            else
                settings.remove(schluessel(i, teil));
        }
    }
    for (int i : eintragsnummern(settings, false)) {
        if (i < anzahl)
            continue;
        settings.remove(schluessel(i, "url"));
        settings.remove(schluessel(i, "location"));
        settings.remove(schluessel(i, "done"));
    }
    m_eigeneEintraege = eigene;
    speichere_einstellungen(settings);
}

void DownloadManager::load()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("downloadmanager"));
    // The size built in `setupUi` stands for one that is missing or does not fit the screen.
    resize(passende_fenstergroesse(this, settings.value(QStringLiteral("size")).toSize(), size()));
    const QByteArray policy = settings.value(QStringLiteral("removeDownloadsPolicy"), QStringLiteral("Never")).toByteArray();
    bool ok = false;
    const int value = QMetaEnum::fromType<RemovePolicy>().keyToValue(policy.constData(), &ok);
    m_removePolicy = ok ? RemovePolicy(value) : Never;

    // Entries of the wrong kind, without url or location, or unfinished are skipped; they count
    // as this process's all the same, so that its next save drops them.
    for (int i : eintragsnummern(settings, false))
        m_eigeneEintraege.insert(eintragskennung(settings.value(schluessel(i, "url")), settings.value(schluessel(i, "location"))));
    for (int i : eintragsnummern(settings, true)) {
        QUrl url;
        bool done = false;
        const QVariant location = settings.value(schluessel(i, "location"));
        if (!lies_url(settings.value(schluessel(i, "url")), url) || !lies_erledigt(settings.value(schluessel(i, "done")), done)
            || !done || location.userType() != QMetaType::QString || location.toString().isEmpty())
            continue;
        auto* widget = new DownloadWidget(nullptr, this);
        widget->file.setFile(location.toString());
        widget->fileNameLabel->setText(widget->file.fileName());
        widget->url = url;
        widget->stopButton->setEnabled(false);
        widget->stopButton->hide();
        widget->progressBar->hide();
        addItem(widget);
    }
    updateCleanupButton();
}
