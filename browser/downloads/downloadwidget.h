// One row of the downloads window: a file's icon, name, progress, speed and remaining time, with Stop and Open.
#pragma once

#include <QElapsedTimer>
#include <QFileInfo>
#include <QList>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;
class QWebEngineDownloadItem;
class SqueezeLabel;

// A widget with an item watches it and owns it: the item is deleted with the widget (a running
// one is cancelled first). A widget without item stands for a download of an earlier run.
//
// When the engine resumes a download cut short, it hands out a new item with the same id and
// never reports on the old one again: the row follows the new item (`folge`) and keeps the old
// ones until it goes, since deleting an item removes its download, by id, from the engine.
class DownloadWidget : public QWidget
{
    Q_OBJECT
signals:
    void statusChanged();

public:
    // Whether a path (absolute) is claimed by another row, beside the files on disk.
    using Vergeben = std::function<bool(const QString& pfad)>;

    // With `download`, the row places it (the path it chooses is free on disk and by `vergeben`)
    // and watches it.
    explicit DownloadWidget(QWebEngineDownloadItem* download, QWidget* parent = nullptr, const Vergeben& vergeben = {});
    ~DownloadWidget() override;

    // Finished (completed, stopped by the user, or restored). Read from the Stop button's own
    // hidden state, not its visibility, so that a download in a hidden window stays running.
    bool succeeded() const;
    // The progress bar is shown (not hidden); again independent of the window's visibility.
    bool downloading() const;
    QWebEngineDownloadItem* item() const;
    // Whether `item` carries on this row's download: the same id in the same profile.
    bool setztFort(const QWebEngineDownloadItem* item) const;
    // Watches `item`, which carries on this row's download, in place of the current item; a
    // requested one is saved to the row's file.
    void folge(QWebEngineDownloadItem* item);

    // "1023 bytes", "1 kB", "5 MB": whole bytes below 1 kB, whole kB below 1 MB, else whole MB.
    static QString groessentext(qint64 bytes);

    QUrl url;
    QFileInfo file;

    QLabel* fileIcon;
    SqueezeLabel* fileNameLabel;
    QProgressBar* progressBar;
    SqueezeLabel* downloadInfoLabel;
    QPushButton* stopButton;
    QPushButton* openButton;

public slots:
    void stop();
    void open();
    void downloadProgress(qint64 bytesReceived, qint64 bytesTotal);
    void finished();

private:
    void setupUi();
    void getFileName(const Vergeben& vergeben);
    void beobachte();
    // The engine has given up on the item, reported as finished or not.
    void unterbrochen();
    void updateInfoLabel();

    qint64 bytesReceived = 0;
    // The engine's total; 0 while it is unknown. The progress bar may show it scaled down.
    qint64 bytesTotal = 0;
    QElapsedTimer downloadTime;
    // Null once the engine has dropped an item nobody accepted.
    QPointer<QWebEngineDownloadItem> download;
    // The download's id and profile, from its first item.
    quint32 kennung = 0;
    const QObject* profil = nullptr;
    // Items of this download that the engine has replaced on resuming it.
    QList<QPointer<QWebEngineDownloadItem>> frueher;
};
