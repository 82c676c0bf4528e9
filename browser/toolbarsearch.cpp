#include "toolbarsearch.h"
#include "browsereinstellungswerte.h"
#include "autosaver.h"
#include "browserapplication.h"

#include <QCompleter>
#include <QMenu>
#include <QSettings>
#include <QStringListModel>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>

namespace {
const QString gruppe = QStringLiteral("toolbarsearch");
}

const char* const ToolbarSearch::suchmaschine = "www.google.com";

ToolbarSearch::ToolbarSearch(QWidget* parent)
    : SearchLineEdit(parent)
    , m_autosaver(new AutoSaver(this))
    , m_maxSavedSearches(10)
    , m_stringListModel(new QStringListModel(this))
{
    // The program never deletes its main window's tool bar before quitting.
    BrowserApplication::speichere_beim_beenden(m_autosaver);
    QMenu* m = menu();
    connect(m, &QMenu::aboutToShow, this, &ToolbarSearch::aboutToShowMenu);
    connect(m, &QMenu::triggered, this, &ToolbarSearch::triggeredMenuAction);

    auto* completer = new QCompleter(m_stringListModel, this);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    lineEdit()->setCompleter(completer);

    connect(lineEdit(), &QLineEdit::returnPressed, this, &ToolbarSearch::searchNow);
    setInactiveText(tr("Google"));
    load();
}

ToolbarSearch::~ToolbarSearch()
{
    m_autosaver->saveIfNecessary();
}

void ToolbarSearch::save()
{
    QSettings settings;
    settings.beginGroup(gruppe);
    // Searches another browser saved since are taken in behind this one's, up to the bound.
    const QStringList eigene = m_stringListModel->stringList();
    QStringList liste = eigene;
    for (const QString& text : settings.value(QStringLiteral("recentSearches")).toStringList())
        if (!m_gespeichert.contains(text) && !liste.contains(text))
            liste.append(text);
    while (liste.size() > std::max(int(eigene.size()), m_maxSavedSearches - 1))
        liste.removeLast();
    if (liste != eigene)
        m_stringListModel->setStringList(liste);
    m_gespeichert = liste;
    settings.setValue(QStringLiteral("recentSearches"), liste);
    settings.setValue(QStringLiteral("maximumSaved"), m_maxSavedSearches);
    settings.endGroup();
    speichere_einstellungen(settings);
}

void ToolbarSearch::load()
{
    QSettings settings;
    settings.beginGroup(gruppe);
    const QStringList list = settings.value(QStringLiteral("recentSearches")).toStringList();
    m_maxSavedSearches = settings.value(QStringLiteral("maximumSaved"), m_maxSavedSearches).toInt();
    m_stringListModel->setStringList(list);
    m_gespeichert = list;
    settings.endGroup();
}

void ToolbarSearch::searchNow()
{
    const QString searchText = lineEdit()->text();
    QStringList newList = m_stringListModel->stringList();
    newList.removeOne(searchText);
    newList.prepend(searchText);
    // At least one entry goes: with the bound 10 the list keeps nine searches.
    if (newList.size() >= m_maxSavedSearches)
        newList.removeLast();

    if (!BrowserApplication::privateBrowsing()) {
        m_stringListModel->setStringList(newList);
        m_autosaver->changeOccurred();
    }

    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QLatin1String(suchmaschine));
    url.setPath(QStringLiteral("/search"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("q"), searchText);
    query.addQueryItem(QStringLiteral("ie"), QStringLiteral("UTF-8"));
    query.addQueryItem(QStringLiteral("oe"), QStringLiteral("UTF-8"));
    query.addQueryItem(QStringLiteral("client"), QStringLiteral("webbrowser"));
    url.setQuery(query);
    emit search(url);
}

void ToolbarSearch::clear()
{
    m_stringListModel->setStringList(QStringList());
    m_autosaver->changeOccurred();
}

void ToolbarSearch::aboutToShowMenu()
{
    lineEdit()->selectAll();
    QMenu* m = menu();
    m->clear();
    const QStringList list = m_stringListModel->stringList();
    if (list.isEmpty()) {
        m->addAction(tr("No Recent Searches"));
        return;
    }

    QAction* recent = m->addAction(tr("Recent Searches"));
    recent->setEnabled(false);
    for (const QString& text : list)
        m->addAction(text)->setData(text);
    m->addSeparator();
    m->addAction(tr("Clear Recent Searches"), this, &ToolbarSearch::clear);
}

void ToolbarSearch::triggeredMenuAction(QAction* action)
{
    const QVariant v = action->data();
    if (v.canConvert<QString>()) {
        lineEdit()->setText(v.toString());
        searchNow();
    }
}
