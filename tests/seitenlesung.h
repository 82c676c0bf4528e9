// What a loaded page's own script gets for an address by XMLHttpRequest and by fetch: the reads a page could hand to a server.
#pragma once

#include "warten.h"

#include <QJsonDocument>
#include <QJsonValue>
#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <QWebEnginePage>

#include <memory>
#include <string>

// "<what XMLHttpRequest read> | <what fetch read>", each "verweigert" when the engine refused
// it; empty when the page's script gave no answer within ten seconds.
inline std::string lies_durch_seite(QWebEnginePage* seite, const QUrl& adresse)
{
    const QString ziel = QString::fromUtf8(
        QJsonDocument::fromVariant(QVariantList{adresse.toString(QUrl::FullyEncoded)}).toJson(QJsonDocument::Compact));
    seite->runJavaScript(
        QStringLiteral("(function() { var a = %1[0]; window.gelesen_durch_seite = null; var xhr;"
                       " try { var x = new XMLHttpRequest(); x.open('GET', a, false); x.send();"
                       " xhr = x.status == 200 || x.status == 0 ? x.responseText : 'verweigert'; }"
                       " catch (e) { xhr = 'verweigert'; }"
                       " fetch(a).then(function(r) { return r.text(); })"
                       " .then(function(t) { window.gelesen_durch_seite = [xhr, t]; },"
                       " function() { window.gelesen_durch_seite = [xhr, 'verweigert']; }); })()")
            .arg(ziel));
    // Shared with the engine's answers, which may come after this function has given up.
    const auto gelesen = std::make_shared<QStringList>();
    const auto gefragt = std::make_shared<bool>(false);
    warte(
        [&] {
            if (!*gefragt) {
                *gefragt = true;
                seite->runJavaScript(QStringLiteral("window.gelesen_durch_seite"), [gelesen, gefragt](const QVariant& v) {
                    *gelesen = v.toStringList();
                    *gefragt = false;
                });
            }
            return !gelesen->isEmpty();
        },
        10000);
    return gelesen->join(QStringLiteral(" | ")).toStdString();
}
