#include "downloadwidget.h"
#include "squeezelabel.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QWebEngineDownloadItem>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// The engine's name reduced to one plain name: no folder parts (which could lead out of the
// chosen folder), never ".", ".." or empty.
QString einfacher_name(const QString& vorschlag)
{
    QString name = QFileInfo(vorschlag).fileName().trimmed();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("download");
    return name;
}

// Taken also when it is a dangling link: writing there would land wherever the link points.
bool belegt(const QString& pfad)
{
    const QFileInfo info(pfad);
    return info.exists() || info.isSymLink();
}

// A name in `ordner` that nothing uses yet: "name (1).ext", "name (2).ext", ...
QString freier_name(const QDir& ordner, const QString& name)
{
    if (!belegt(ordner.filePath(name)))
        return name;
    const QFileInfo info(name);
    const QString stamm = info.baseName().isEmpty() ? name : info.baseName();
    const QString endung = info.baseName().isEmpty() ? QString() : info.completeSuffix();
    for (int n = 1;; ++n) {
        QString kandidat = QStringLiteral("%1 (%2)").arg(stamm).arg(n);
        if (!endung.isEmpty())
            kandidat += QLatin1Char('.') + endung;
        if (!belegt(ordner.filePath(kandidat)))
            return kandidat;
    }
}

} // namespace

DownloadWidget::DownloadWidget(QWebEngineDownloadItem* item, QWidget* parent)
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
        connect(download.data(), &QWebEngineDownloadItem::downloadProgress, this, &DownloadWidget::downloadProgress);
        connect(download.data(), &QWebEngineDownloadItem::finished, this, &DownloadWidget::finished);
        downloadInfoLabel->clear();
        progressBar->setValue(0);
        getFileName();
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
    verticalLayout->addItem(new QSpacerItem(17, 5, QSizePolicy::Minimum, QSizePolicy::Expanding));
    horizontalLayout->addLayout(verticalLayout);

    fileNameLabel->setText(QCoreApplication::translate("DownloadItem", "Filename"));
    stopButton->setText(QCoreApplication::translate("DownloadItem", "Stop"));
    openButton->setText(QCoreApplication::translate("DownloadItem", "Open"));
}

// The user is not asked: the configured folder, else the folder the engine proposed when it
// exists, else the desktop; the engine's file name, made plain and unused there.
void DownloadWidget::getFileName()
{
    QString standard = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (file.absoluteDir().exists())
        standard = file.absolutePath();
    QSettings settings;
    settings.beginGroup(QStringLiteral("downloadmanager"));
    QString ordner = settings.value(QStringLiteral("downloadDirectory"), standard).toString();
    if (!ordner.isEmpty())
        ordner += QLatin1Char('/');

    // Once the engine writes, the path is fixed: the row shows where the file really goes.
    if (download && download->state() == QWebEngineDownloadItem::DownloadRequested) {
        const QDir ziel(ordner);
        file = QFileInfo(ziel, freier_name(ziel, einfacher_name(file.fileName())));
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

void DownloadWidget::finished()
{
    if (download) {
        const QWebEngineDownloadItem::DownloadState state = download->state();
        if (state == QWebEngineDownloadItem::DownloadCancelled) {
            downloadInfoLabel->setText(tr("Download cancelled"));
            return;
        }
        if (state == QWebEngineDownloadItem::DownloadInterrupted) {
            downloadInfoLabel->setText(tr("Download interrupted"));
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
