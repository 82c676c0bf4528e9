// The browser's downloads window: receives the engine's downloads, places and watches them, keeps the finished ones across runs.
#pragma once

#include <QDialog>
#include <QList>
#include <QSet>

class AutoSaver;
class DownloadModel;
class DownloadWidget;
class EditTableView;
class QFileIconProvider;
class QLabel;
class QPushButton;
class QWebEngineDownloadItem;

// One per process (BrowserApplication::downloadManager()). Its list lives in the settings group
// "downloadmanager"; "downloadDirectory" there names the folder for new downloads.
//
// Taking a download once: every object that hears a profile's `downloadRequested` (the own
// browser window, each tab widget) hears the same item. Each such handler first calls
// `nimm_an(item)` and goes on only when it answers true; the first handler gets the item, every
// later one leaves it alone. The handler that hands the item to `download` accepts it
// afterwards (the engine deletes an item that is still only requested when the signal returns).
class DownloadManager : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(RemovePolicy removePolicy READ removePolicy WRITE setRemovePolicy)
    friend class DownloadModel;

public:
    enum RemovePolicy { Never, Exit, SuccessFullDownload };
    Q_ENUM(RemovePolicy)

    explicit DownloadManager(QWidget* parent = nullptr);
    ~DownloadManager() override;

    // True the first time it is asked about an item, false for null and from then on: the
    // item is marked as taken (a dynamic property, so it works across all handlers).
    static bool nimm_an(QWebEngineDownloadItem* item);

    // Rows whose Stop button is still enabled.
    int activeDownloads() const;
    int rowCount() const { return downloads.count(); }
    DownloadWidget* widget(int row) const { return downloads.value(row); }

    RemovePolicy removePolicy() const { return m_removePolicy; }
    void setRemovePolicy(RemovePolicy policy);

    EditTableView* downloadsView;
    QPushButton* cleanupButton;
    QLabel* itemCount;

public slots:
    // Adds a row for the item and marks it taken; an item one of the rows holds already, or
    // null, is ignored. An item that carries on a row's download (the engine resumed it) goes to
    // that row.
    void download(QWebEngineDownloadItem* download);
    void cleanup();
    void save();
    // On a row's statusChanged(): its icon, its removal by the policy, the Clean up button.
    void updateRow();

private:
    void setupUi();
    void addItem(DownloadWidget* item);
    void updateItemCount();
    void updateCleanupButton();
    void load();

    AutoSaver* m_autoSaver;
    DownloadModel* m_model;
    QFileIconProvider* m_iconProvider = nullptr;
    QList<DownloadWidget*> downloads;
    RemovePolicy m_removePolicy = Never;
    // The stored entries (address and file) this process read or wrote last: any other entry
    // in the store was saved by another browser since, and a save keeps it.
    QSet<QString> m_eigeneEintraege;
};
