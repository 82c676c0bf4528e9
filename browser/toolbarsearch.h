// The tool bar's web-search field: remembers recent searches and turns a text into a search engine's result address.
#pragma once

#include "searchlineedit.h"

class AutoSaver;
class QAction;
class QStringListModel;
class QUrl;

// Keeps the recent searches, newest first, in the settings group "toolbarsearch"; the list is
// offered as inline completion and in the magnifier's menu.
class ToolbarSearch : public SearchLineEdit
{
    Q_OBJECT
signals:
    void search(const QUrl& url);

public:
    // The search engine whose result pages the field opens.
    static const char* const suchmaschine;

    explicit ToolbarSearch(QWidget* parent = nullptr);
    // Writes a pending change of the list.
    ~ToolbarSearch() override;

public slots:
    void clear();
    void searchNow();

private slots:
    void save();
    void aboutToShowMenu();
    void triggeredMenuAction(QAction* action);

private:
    void load();

    AutoSaver* m_autosaver;
    int m_maxSavedSearches;
    QStringListModel* m_stringListModel;
    // The list as this process last read or wrote it: any other search in the store was saved by
    // another browser since, and a save takes it in.
    QStringList m_gespeichert;
};
