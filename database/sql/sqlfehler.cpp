#include "sqlfehler.h"
#include "gui.h"
#include "melde.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlResult>
#include <QVariant>

namespace {

// The texts of this file, in the translation context of the database object (a class of its own,
// so that lupdate sees the context too).
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CCDataBase)
};

// QSqlResult leaves the setting of its error to itself and its drivers: this reaches it.
struct CErgebniszugang : QSqlResult
{
    using QSqlResult::setLastError;
};

// The text of `setze_verbindungsfehler` not yet shown.
QString& offener_hinweis()
{
    static QString hinweis;
    return hinweis;
}

// Shows the text of a lost connection in a box, when the failure reported is the one it belongs to.
void sage_hinweis(const QString& fehler)
{
    QString& hinweis = offener_hinweis();
    if (hinweis.isEmpty() || !fehler.contains(hinweis))
        return;
    const CQString text(hinweis);
    hinweis.clear();
    meldung_kritisch(gib_hauptfenster(), gib_meldungstitel(), text);
}

} // namespace

CQString als_html_text(const CQString& sql)
{
    QString text(sql);
    text.replace(QLatin1Char('<'), QLatin1String("&lt;")).replace(QLatin1Char('>'), QLatin1String("&gt;"));
    return CQString(text);
}

namespace {

QStringList bericht(QString fehler, const CQString& sql, const CQString& methode, const CQString& tabelle)
{
    if (fehler.isEmpty())
        fehler = QStringLiteral("???");
    return {Text::tr("SQL-Fehler: %1").arg(fehler), Text::tr("SQL-Befehl: %1").arg(als_html_text(sql)),
            Text::tr("%1: Fehler beim Zugriff auf Tabelle %2").arg(methode, tabelle)};
}

void melde(const QStringList& zeilen, CKlasse* klasse, const CQString& methode)
{
    const int typ = 2;
    for (const QString& zeile : zeilen)
        qmelde(typ, klasse, methode, CQString(zeile));
}

} // namespace

QStringList sql_fehlerbericht(const QSqlQuery& abfrage, const CQString& sql, const CQString& methode,
                              const CQString& tabelle)
{
    QString fehler = abfrage.lastError().text();
    // Some drivers leave the error in the result row; only a positioned query has one to read.
    if (fehler.isEmpty() && abfrage.isValid())
        fehler = abfrage.value(0).toString();
    return bericht(fehler, sql, methode, tabelle);
}

void melde_sql_fehler(const QSqlQuery& abfrage, const CQString& sql, CKlasse* klasse, const CQString& methode,
                      const CQString& tabelle)
{
    melde(sql_fehlerbericht(abfrage, sql, methode, tabelle), klasse, methode);
    sage_hinweis(abfrage.lastError().text());
}

void melde_sql_fehler(const QString& fehler, const CQString& sql, CKlasse* klasse, const CQString& methode,
                      const CQString& tabelle)
{
    melde(bericht(fehler, sql, methode, tabelle), klasse, methode);
    sage_hinweis(fehler);
}

void setze_verbindungsfehler(const QSqlQuery& abfrage, const QString& text, bool mit_box, const QSqlError& treiberfehler)
{
    auto* const ergebnis = const_cast<QSqlResult*>(abfrage.result());
    if (!ergebnis)
        return;
    const QSqlError alt = treiberfehler.type() == QSqlError::NoError ? abfrage.lastError() : treiberfehler;
    (ergebnis->*&CErgebniszugang::setLastError)(QSqlError(alt.text(), text, QSqlError::ConnectionError, alt.nativeErrorCode()));
    if (mit_box)
        offener_hinweis() = text;
}

void melde_verbindungsfehler(const QString& text, const QString& fehler, const CQString& sql, CKlasse* klasse,
                             const CQString& methode, const CQString& tabelle)
{
    offener_hinweis() = text;
    melde_sql_fehler(fehler.contains(text) ? fehler : text + QLatin1Char(' ') + fehler, sql, klasse, methode, tabelle);
}
