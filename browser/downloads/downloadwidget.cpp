#include "downloadwidget.h"
#include "squeezelabel.h"
#include "steuerzeichen.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QWebEngineDownloadItem>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Longest file name we give a download, in bytes of the file system's encoding: the file systems
// take 255, and while the transfer runs the engine writes to the name with ".download" appended.
constexpr int laengste_namenslaenge = 255 - int(sizeof(".download") - 1);

int namenslaenge(const QString& name)
{
    return QFile::encodeName(name).size();
}

// The engine's name reduced to one plain name: no folder parts, after "/" or "\\" (which could lead
// out of the chosen folder); no character a reader cannot see (a zero would end the name early,
// and with a direction or zero-width character "invoice<U+202E>txt.exe" is listed as
// "invoiceexe.txt"); no leading dots (a file saved hidden is not seen where the user looks for
// it, and could pose as a program's settings file); no trailing dots and blanks, which hide the
// real suffix. A name that was only a suffix (".txt") keeps it behind "download"; a name that is
// left empty gives "download".
QString einfacher_name(const QString& vorschlag)
{
    QString name = vorschlag.mid(std::max(vorschlag.lastIndexOf(QLatin1Char('/')), vorschlag.lastIndexOf(QLatin1Char('\\'))) + 1);
    name = ohne_unsichtbare_zeichen(name);
    const auto punkt_oder_leer = [](QChar c) { return c == QLatin1Char('.') || c.isSpace(); };
    while (!name.isEmpty() && punkt_oder_leer(name.back()))
        name.chop(1);
    int anfang = 0;
    while (anfang < name.size() && punkt_oder_leer(name.at(anfang)))
        ++anfang;
    const bool nur_endung = name.mid(0, anfang).contains(QLatin1Char('.')) && !name.mid(anfang).contains(QLatin1Char('.'));
    name.remove(0, anfang);
    if (name.isEmpty())
        return QStringLiteral("download");
    return nur_endung ? QStringLiteral("download.") + name : name;
}

// `stamm` cut at its end so that it and `zusatz` together fit into one name; never between the
// two halves of a surrogate pair.
QString passend(QString stamm, const QString& zusatz)
{
    const int platz = laengste_namenslaenge - namenslaenge(zusatz);
    // Every character takes at least one byte: a first cut that can never be too short.
    stamm.truncate(std::max(platz, 0));
    while (!stamm.isEmpty() && namenslaenge(stamm) > platz)
        stamm.chop(1);
    if (!stamm.isEmpty() && stamm.at(stamm.size() - 1).isHighSurrogate())
        stamm.chop(1);
    return stamm + zusatz;
}

// Taken also when it is a dangling link: writing there would land wherever the link points.
bool belegt(const QString& pfad)
{
    const QFileInfo info(pfad);
    return info.exists() || info.isSymLink();
}

// A name in `ordner` that neither a file nor `vergeben` claims: "name.ext", "name (1).ext",
// "name (2).ext", ..., each shortened to the longest name the file system takes. The extension
// and the counter stay; an extension too long to leave room for the name counts as part of it.
QString freier_name(const QDir& ordner, const QString& name, const DownloadWidget::Vergeben& vergeben)
{
    const auto frei = [&](const QString& kandidat) {
        const QString pfad = ordner.absoluteFilePath(kandidat);
        return !belegt(pfad) && !(vergeben && vergeben(pfad));
    };
    // Stem and extension together are the name, once: the extension from the first dot on.
    const QString suffix = QFileInfo(name).completeSuffix();
    QString endung = suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
    QString stamm = name.left(name.size() - endung.size());
    if (namenslaenge(endung) > laengste_namenslaenge / 2) {
        stamm = name;
        endung.clear();
    }
    const QString erster = passend(stamm, endung);
    if (frei(erster))
        return erster;
    for (int n = 1;; ++n) {
        const QString kandidat = passend(stamm, QStringLiteral(" (%1)").arg(n) + endung);
        if (frei(kandidat))
            return kandidat;
    }
}

} // namespace

DownloadWidget::DownloadWidget(QWebEngineDownloadItem* item, QWidget* parent, const Vergeben& vergeben)
    : QWidget(parent), download(item)
{
    setupUi();
    QPalette p = downloadInfoLabel->palette();
    p.setBrush(QPalette::All, QPalette::Text, Qt::darkGray);
    downloadInfoLabel->setPalette(p);
    progressBar->setMaximum(0);
    connect(stopButton, &QPushButton::clicked, this, &DownloadWidget::stop);
    connect(openButton, &QPushButton::clicked, this, &DownloadWidget::open);

    if (download) {
        file = QFileInfo(QDir(download->downloadDirectory()).filePath(download->downloadFileName()));
        url = download->url();
        kennung = download->id();
        profil = download->parent();
        beobachte();
        getFileName(vergeben);
    }
    downloadTime.start();
}

DownloadWidget::~DownloadWidget()
{
    if (download) {
        if (!download->isFinished())
            download->cancel();
        delete download.data();
    }
    // Only now: an item of the same id, deleted or cancelled earlier, would have ended the
    // download the row still watched.
    for (const QPointer<QWebEngineDownloadItem>& alt : qAsConst(frueher))
        delete alt.data();
}

void DownloadWidget::beobachte()
{
    connect(download.data(), &QWebEngineDownloadItem::downloadProgress, this, &DownloadWidget::downloadProgress);
    connect(download.data(), &QWebEngineDownloadItem::finished, this, &DownloadWidget::finished);
    downloadInfoLabel->clear();
    progressBar->setValue(0);
}

bool DownloadWidget::setztFort(const QWebEngineDownloadItem* item) const
{
    return item && profil && item->id() == kennung && item->parent() == profil;
}

void DownloadWidget::folge(QWebEngineDownloadItem* item)
{
    if (!setztFort(item) || item == download)
        return;
    if (download) {
        download->disconnect(this);
        frueher.append(download);
    }
    download = item;
    beobachte();
    progressBar->show();
    if (download->state() == QWebEngineDownloadItem::DownloadRequested) {
        download->setDownloadDirectory(file.absolutePath());
        download->setDownloadFileName(file.fileName());
    }
}

void DownloadWidget::setupUi()
{
    setObjectName(QStringLiteral("DownloadItem"));
    resize(423, 110);
    auto* horizontalLayout = new QHBoxLayout(this);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setContentsMargins(5, 0, 5, 0);
    fileIcon = new QLabel(this);
    fileIcon->setObjectName(QStringLiteral("fileIcon"));
    horizontalLayout->addWidget(fileIcon);

    auto* verticalLayout_2 = new QVBoxLayout();
    verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    fileNameLabel = new SqueezeLabel(this);
    fileNameLabel->setObjectName(QStringLiteral("fileNameLabel"));
    fileNameLabel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    verticalLayout_2->addWidget(fileNameLabel);
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setValue(0);
    verticalLayout_2->addWidget(progressBar);
    downloadInfoLabel = new SqueezeLabel(this);
    downloadInfoLabel->setObjectName(QStringLiteral("downloadInfoLabel"));
    verticalLayout_2->addWidget(downloadInfoLabel);
    horizontalLayout->addLayout(verticalLayout_2);

    auto* verticalLayout = new QVBoxLayout();
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->addItem(new QSpacerItem(17, 1, QSizePolicy::Minimum, QSizePolicy::Expanding));
    stopButton = new QPushButton(this);
    stopButton->setObjectName(QStringLiteral("stopButton"));
    verticalLayout->addWidget(stopButton);
    openButton = new QPushButton(this);
    openButton->setObjectName(QStringLiteral("openButton"));
    verticalLayout->addWidget(openButton);
    // Never Return's button of the downloads window: one focused once would stay its default, and
    // a stray Return in the list would stop a download or open a file. Space presses them.
    for (QPushButton* knopf : {stopButton, openButton})
        knopf->setAutoDefault(false);
    verticalLayout->addItem(new QSpacerItem(17, 5, QSizePolicy::Minimum, QSizePolicy::Expanding));
    horizontalLayout->addLayout(verticalLayout);

    fileNameLabel->setText(QCoreApplication::translate("DownloadItem", "Filename"));
    stopButton->setText(QCoreApplication::translate("DownloadItem", "Stop"));
    openButton->setText(QCoreApplication::translate("DownloadItem", "Open"));
}

// The user is not asked: the configured folder, else the folder of the item's path when it
// exists, else the desktop; the item's file name, made plain and unused there.
void DownloadWidget::getFileName(const Vergeben& vergeben)
{
    // The engine joins its download folder with the server's name as it came: after ".." or
    // "../x" the item's path lies outside that folder, so folder and name are taken afresh.
    QString vorgeschlagener_ordner = download->downloadDirectory();
    QString vorschlag = download->downloadFileName();
    const QString servername = download->suggestedFileName();
    if (!servername.isEmpty() && einfacher_name(servername) != servername) {
        const QWebEngineProfile* profil = download->page() ? download->page()->profile() : QWebEngineProfile::defaultProfile();
        vorgeschlagener_ordner = profil->downloadPath();
        vorschlag = servername;
    }
    QString standard = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!vorgeschlagener_ordner.isEmpty() && QDir(vorgeschlagener_ordner).exists())
        standard = QDir(vorgeschlagener_ordner).absolutePath();
    QSettings settings;
    settings.beginGroup(QStringLiteral("downloadmanager"));
    QString ordner = settings.value(QStringLiteral("downloadDirectory"), standard).toString();
    if (!ordner.isEmpty())
        ordner += QLatin1Char('/');

    // Once the engine writes, the path is fixed: the row shows where the file really goes.
    if (download->state() == QWebEngineDownloadItem::DownloadRequested) {
        const QDir ziel(ordner);
        file = QFileInfo(ziel, freier_name(ziel, einfacher_name(vorschlag), vergeben));
        download->setDownloadDirectory(file.absolutePath());
        download->setDownloadFileName(file.fileName());
    }
    fileNameLabel->setText(file.fileName());
}

bool DownloadWidget::succeeded() const
{
    if (download && download->isFinished() && download->state() == QWebEngineDownloadItem::DownloadCompleted)
        return true;
    return stopButton->isHidden();
}

QWebEngineDownloadItem* DownloadWidget::item() const
{
    return download.data();
}

bool DownloadWidget::downloading() const
{
    return !progressBar->isHidden();
}

void DownloadWidget::stop()
{
    setUpdatesEnabled(false);
    stopButton->setEnabled(false);
    stopButton->hide();
    setUpdatesEnabled(true);
    if (download)
        download->cancel();
    emit statusChanged();
}

void DownloadWidget::open()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

void DownloadWidget::downloadProgress(qint64 received, qint64 total)
{
    // An interruption the engine could resume (a target it cannot open, say) never reports
    // finished: it comes as a progress report, after which the item rests.
    if (download && download->state() == QWebEngineDownloadItem::DownloadInterrupted) {
        unterbrochen();
        return;
    }
    bytesReceived = received;
    if (total < 0) {
        bytesTotal = 0;
        progressBar->setValue(0);
        progressBar->setMaximum(0);
    } else {
        bytesTotal = total;
        // The bar counts in int: above 2 GiB both values are halved until the total fits.
        int schritt = 0;
        while ((total >> schritt) > INT_MAX)
            ++schritt;
        progressBar->setMaximum(int(total >> schritt));
        progressBar->setValue(int(std::min(received, total) >> schritt));
    }
    updateInfoLabel();
}

void DownloadWidget::updateInfoLabel()
{
    const qint64 total = bytesTotal;
    // The first progress signal can come in the same millisecond as the start.
    const qint64 ms = std::max<qint64>(1, downloadTime.elapsed());
    const double speed = bytesReceived * 1000.0 / ms;

    QString info;
    if (!succeeded()) {
        QString remaining;
        if (total != 0 && speed > 0) {
            double timeRemaining = (total - bytesReceived) / speed;
            QString unit = tr("seconds");
            if (timeRemaining > 60) {
                timeRemaining = timeRemaining / 60;
                unit = tr("minutes");
            }
            timeRemaining = std::floor(timeRemaining);
            if (timeRemaining == 0)
                timeRemaining = 1;
            remaining = tr("- %4 %5 remaining").arg(timeRemaining).arg(unit);
        }
        info = tr("%1 of %2 (%3/sec) %4")
                   .arg(groessentext(bytesReceived), total == 0 ? tr("?") : groessentext(total),
                        groessentext(qint64(speed)), remaining);
    } else if (bytesReceived == total) {
        info = groessentext(bytesReceived);
    } else {
        info = tr("%1 of %2 - Stopped").arg(groessentext(bytesReceived), groessentext(total));
    }
    downloadInfoLabel->setText(info);
}

QString DownloadWidget::groessentext(qint64 bytes)
{
    if (bytes < 1024)
        return QStringLiteral("%1 %2").arg(bytes).arg(tr("bytes"));
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 %2").arg(bytes / 1024).arg(tr("kB"));
    return QStringLiteral("%1 %2").arg(bytes / (1024 * 1024)).arg(tr("MB"));
}

// The row stays with its Stop button until the user stops it; the progress bar goes, so that
// nothing looks as if it were still running.
void DownloadWidget::unterbrochen()
{
    progressBar->hide();
    const QString grund = download ? download->interruptReasonString() : QString();
    downloadInfoLabel->setText(grund.isEmpty() ? tr("Download interrupted") : tr("Download interrupted: %1").arg(grund));
}

void DownloadWidget::finished()
{
    if (download) {
        const QWebEngineDownloadItem::DownloadState state = download->state();
        if (state == QWebEngineDownloadItem::DownloadCancelled) {
            downloadInfoLabel->setText(tr("Download cancelled"));
            return;
        }
        if (state == QWebEngineDownloadItem::DownloadInterrupted) {
            unterbrochen();
            return;
        }
        // The last progress signal may not have come; the item knows the final count.
        bytesReceived = download->receivedBytes();
        bytesTotal = download->totalBytes() > 0 ? download->totalBytes() : bytesReceived;
    }
    progressBar->hide();
    stopButton->setEnabled(false);
    stopButton->hide();
    updateInfoLabel();
    emit statusChanged();
}
