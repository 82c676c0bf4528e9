// The database object's road to its connection: a connection the server lost is opened again, a statement that found it lost runs once more where it cannot apply twice, else its error says plainly what happened.
#include "ccat.h"
#include "ccdatabase.h"
#include "cdbbeiseite.h"
#include "sqlfehler.h"

#include <QCoreApplication>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// Whether a second run of the statement cannot apply it twice: it reads or sets the session up,
// or it is an UPDATE or DELETE of this layer, which writes values (never adds to them) to rows
// picked by their keys and the values a form showed. A new row (INSERT) is never run twice: a
// key that refuses the second run would be taken for another session's row, and where the
// server numbers the rows nothing refuses it. Nor is a table definition.
bool ist_wiederholbar(const QString& text)
{
    const QString rest = text.trimmed();
    int ende = 0;
    while (ende < rest.size() && rest.at(ende).isLetter())
        ++ende;
    const QString wort = rest.left(ende).toUpper();
    static const QStringList wiederholbar{QStringLiteral("SELECT"), QStringLiteral("SHOW"),    QStringLiteral("SET"),
                                          QStringLiteral("PRAGMA"), QStringLiteral("EXPLAIN"), QStringLiteral("VALUES"),
                                          QStringLiteral("UPDATE"), QStringLiteral("DELETE")};
    return wiederholbar.contains(wort);
}

} // namespace

CCDataBase::CBindung::CBindung(const CCDataBase& datenbank, Art art) : datenbank(datenbank), art(art)
{
    ++datenbank.gebunden[art];
}

CCDataBase::CBindung::~CBindung()
{
    --datenbank.gebunden[art];
}

bool CCDataBase::ist_verbindungsverlust(const QSqlError& fehler) const
{
    const QSqlDatabase db = gib_datenbank();
    const QString treiber = db.driverName();
    if (!db.isValid() || treiber == QLatin1String("QSQLITE"))
        return false;
    if (fehler.type() == QSqlError::ConnectionError || ist_abgerissen())
        return true;
    const QString code = fehler.nativeErrorCode();
    if (spricht_mysql())
        // Gone away, lost during a statement or at a point, killed, ended for idling.
        return QStringList{QStringLiteral("2006"), QStringLiteral("2013"), QStringLiteral("2055"), QStringLiteral("1927"),
                           QStringLiteral("4031")}
            .contains(code);
    if (spricht_postgres())
        // Connection exceptions; the server shut down, crashed or still starting.
        return code.startsWith(QLatin1String("08")) || code == QLatin1String("57P01") || code == QLatin1String("57P02")
               || code == QLatin1String("57P03");
    return false;
}

bool CCDataBase::ist_abgerissen() const
{
    const QSqlDatabase db = gib_datenbank();
    if (!db.isValid() || db.isOpen() || db.driverName() == QLatin1String("QSQLITE"))
        return false;
    // A connection closed on purpose has let its handle go; PostgreSQL's driver counts one whose
    // status turned bad as not open and keeps its handle.
    const QVariant griff = db.driver()->handle();
    return griff.isValid() && QByteArray(griff.typeName()).endsWith('*')
           && *static_cast<void* const*>(griff.constData()) != nullptr;
}

bool CCDataBase::oeffne_wieder() const
{
    QSqlDatabase db = gib_datenbank();
    if (!db.isValid())
        return false;
    db.close();
    // As at the log-on: a server that does not answer keeps the window answering.
    verlust_grund = oeffne_verbindung(db);
    if (!verlust_grund.isEmpty())
        return false;
    for (const QString& anweisung : sitzungsanweisungen())
        if (QSqlQuery abfrage(db); !abfrage.exec(anweisung)) {
            verlust_grund = abfrage.lastError().text();
            db.close();
            return false;
        }
    verloren = false;
    CQCat::gib_instanz()->warn(CQString(tr("Die Verbindung zur Datenbank '%1' auf '%2' war unterbrochen und ist wieder "
                                           "hergestellt.")
                                            .arg(db.databaseName(), db.hostName())));
    return true;
}

bool CCDataBase::ist_frei() const
{
    return gebunden[CBindung::sitzung] + gebunden[CBindung::transaktion] == 0;
}

bool CCDataBase::erneuere_verlorene() const
{
    if (!ist_frei() || !(verloren || ist_abgerissen()))
        return false;
    verloren = true;
    return oeffne_wieder();
}

bool CCDataBase::ist_verbunden() const
{
    erneuere_verlorene();
    const QSqlDatabase datenbank = gib_datenbank();
    return datenbank.isValid() && datenbank.isOpen();
}

bool CCDataBase::beginne_transaktion(QSqlDatabase& verbindung) const
{
    erneuere_verlorene();
    if (verbindung.transaction())
        return true;
    // Nothing is done yet: a begin that found the connection lost begins again on the new one.
    if (!ist_frei() || verloren || !ist_verbindungsverlust(verbindung.lastError()))
        return false;
    verloren = true;
    return oeffne_wieder() && verbindung.transaction();
}

QString CCDataBase::verlust_text(bool wieder_offen) const
{
    const QSqlDatabase db = gib_datenbank();
    const QString name = db.databaseName();
    const QString host = db.hostName();
    if (gebunden[CBindung::transaktion] > 0)
        return tr("Die Verbindung zur Datenbank '%1' auf '%2' ist während einer Transaktion abgebrochen (wurde der "
                  "Server neu gestartet?). Der Server hat die ganze Transaktion zurückgenommen: nichts davon ist "
                  "gespeichert. Bitte die Aktion noch einmal ausführen.")
            .arg(name, host);
    if (!wieder_offen)
        return tr("Die Verbindung zur Datenbank '%1' auf '%2' ist abgebrochen und lässt sich nicht wieder herstellen "
                  "(%3). Bitte prüfen, ob der Datenbankserver läuft und erreichbar ist, und die Aktion dann "
                  "wiederholen.")
            .arg(name, host, verlust_grund);
    return tr("Die Verbindung zur Datenbank '%1' auf '%2' war unterbrochen (wurde der Server neu gestartet?). Die "
              "letzte Änderung wurde nicht wiederholt, da sie sonst doppelt wirken könnte: bitte neu laden, prüfen, ob "
              "sie gespeichert ist, und sie sonst noch einmal ausführen.")
        .arg(name, host);
}

bool CCDataBase::laufe(QSqlQuery& abfrage, const QString& text, const std::function<bool(QSqlQuery&, bool)>& lauf,
                       bool wirkt) const
{
    // Found lost before (by a statement, or by the driver itself): opened again first.
    if (lauf(abfrage, erneuere_verlorene()))
        return true;
    // Lost before and not opened again: said when it was found.
    if (!ist_verbindungsverlust(abfrage.lastError()) || verloren)
        return false;
    verloren = true;
    if (!ist_frei()) {
        setze_verbindungsfehler(abfrage, verlust_text(true));
        return false;
    }
    if (!oeffne_wieder()) {
        setze_verbindungsfehler(abfrage, verlust_text(false));
        return false;
    }
    if (wirkt && (gebunden[CBindung::einmal] > 0 || !ist_wiederholbar(text))) {
        setze_verbindungsfehler(abfrage, verlust_text(true));
        return false;
    }
    if (lauf(abfrage, true))
        return true;
    // Gone again at once: the server is not there to stay.
    if (ist_verbindungsverlust(abfrage.lastError())) {
        verloren = true;
        verlust_grund = abfrage.lastError().text();
        setze_verbindungsfehler(abfrage, verlust_text(false));
    }
    return false;
}

bool CCDataBase::fuehre_getippt_aus(QSqlQuery& abfrage, const CQString& sql, const CQString& methode) const
{
    const CBindung einmal(*this, CBindung::einmal);
    return fuehre_aus(abfrage, sql, methode, CQString());
}
