// Reads a shown window as a user of another language would: every text it shows, and those of them still German.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace sprachpruefung {

inline QString ohne_kuerzel(QString text)
{
    return text.remove('&').trimmed();
}

// The German texts of the translation file `ts` whose English differs.
inline QSet<QString> deutsche_texte(const QString& ts)
{
    QSet<QString> texte;
    QFile f(ts);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << ts.toStdString();
    QXmlStreamReader xml(&f);
    QString quelle;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.name() == QLatin1String("source"))
            quelle = xml.readElementText();
        else if (xml.name() == QLatin1String("translation") && xml.readElementText() != quelle)
            texte.insert(ohne_kuerzel(quelle));
    }
    return texte;
}

inline void sammle_aktion(const QAction* a, QStringList& texte)
{
    texte << a->text() << a->toolTip() << a->statusTip();
    if (a->menu())
        for (const QAction* b : a->menu()->actions())
            sammle_aktion(b, texte);
}

// Every text a user can read on the window and its children (not the lines of a log or a grid).
inline QStringList texte_von(QWidget* fenster)
{
    QStringList texte;
    QList<QWidget*> widgets = fenster->findChildren<QWidget*>();
    widgets.prepend(fenster);
    for (QWidget* w : widgets) {
        texte << w->windowTitle() << w->toolTip() << w->statusTip();
        if (auto* knopf = qobject_cast<QAbstractButton*>(w))
            texte << knopf->text();
        if (auto* label = qobject_cast<QLabel*>(w))
            texte << label->text();
        if (auto* gruppe = qobject_cast<QGroupBox*>(w))
            texte << gruppe->title();
        if (auto* menue = qobject_cast<QMenu*>(w))
            texte << menue->title();
        if (auto* liste = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < liste->count(); ++i)
                texte << liste->itemText(i);
        if (auto* reiter = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < reiter->count(); ++i)
                texte << reiter->tabText(i);
        if (auto* ansicht = qobject_cast<QAbstractItemView*>(w); ansicht && ansicht->model())
            for (int i = 0; i < ansicht->model()->columnCount(); ++i)
                texte << ansicht->model()->headerData(i, Qt::Horizontal).toString();
        for (const QAction* a : w->actions())
            sammle_aktion(a, texte);
    }
    return texte;
}

// The texts of the window the English translation lacks: a German text of the file shown as it
// is (not translated, or asked for in another context), or a word with an umlaut.
inline QStringList deutsch_in(QWidget* fenster, const QSet<QString>& deutsch)
{
    static const QRegularExpression umlaut(QStringLiteral("[äöüÄÖÜß]"));
    QStringList funde;
    for (const QString& text : texte_von(fenster)) {
        const QString t = ohne_kuerzel(text);
        if (!t.isEmpty() && (deutsch.contains(t) || t.contains(umlaut)))
            funde << t;
    }
    funde.removeDuplicates();
    return funde;
}

// The mnemonic (Alt+letter) a text gives, in lower case; a null character where it gives none.
inline QChar kuerzel_von(const QString& text)
{
    static const QRegularExpression kuerzel_in(QStringLiteral("&([^&])"));
    const auto treffer = kuerzel_in.match(QString(text).remove(QLatin1String("&&")));
    return treffer.hasMatch() ? treffer.captured(1).at(0).toLower() : QChar();
}

// The titles of the window's shown menu bars.
inline QStringList menuetitel(QWidget* fenster)
{
    QStringList titel;
    for (QMenuBar* leiste : fenster->findChildren<QMenuBar*>())
        for (const QAction* a : leiste->actions())
            if (leiste->isVisibleTo(fenster) && a->isVisible() && !a->isSeparator())
                titel << a->text();
    return titel;
}

// The mnemonics (Alt+letter) that two or more shown controls and menu titles of the window share,
// with their texts.
inline QStringList doppelte_kuerzel(QWidget* fenster)
{
    QMap<QChar, QStringList> kuerzel;
    QStringList texte = menuetitel(fenster);
    for (QWidget* w : fenster->findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(w);
        auto* leiste = qobject_cast<QTabBar*>(w);
        if (auto* knopf = qobject_cast<QAbstractButton*>(w); knopf && w->isVisibleTo(fenster))
            texte << knopf->text();
        if (label && label->buddy() && w->isVisibleTo(fenster))
            texte << label->text();
        for (int i = 0; leiste && w->isVisibleTo(fenster) && i < leiste->count(); ++i)
            texte << leiste->tabText(i);
    }
    for (const QString& text : texte)
        if (const QChar k = kuerzel_von(text); !k.isNull())
            kuerzel[k] << text;
    QStringList doppelt;
    for (auto it = kuerzel.cbegin(); it != kuerzel.cend(); ++it)
        if (it.value().size() > 1)
            doppelt << QStringLiteral("Alt+%1: %2").arg(it.key()).arg(it.value().join(QStringLiteral(", ")));
    return doppelt;
}

// The titles of the window's menu bars that no mnemonic opens from the keyboard.
inline QStringList menues_ohne_kuerzel(QWidget* fenster)
{
    QStringList ohne;
    for (const QString& titel : menuetitel(fenster))
        if (kuerzel_von(titel).isNull())
            ohne << QStringLiteral("Menue ohne Kuerzel: ") + titel;
    return ohne;
}

} // namespace sprachpruefung
