#include "cdbzeitgrenzen.h"

#include <QStringList>

CDBZeitgrenzen& gib_db_zeitgrenzen()
{
    static CDBZeitgrenzen grenzen;
    return grenzen;
}

QString zeitgrenzen_optionen(const QString& treiber)
{
    const CDBZeitgrenzen& g = gib_db_zeitgrenzen();
    QStringList optionen;
    if (treiber == QLatin1String("QMYSQL") || treiber == QLatin1String("QMARIADB"))
        optionen << QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1").arg(g.verbinden)
                 << QStringLiteral("MYSQL_OPT_READ_TIMEOUT=%1").arg(g.lesen)
                 << QStringLiteral("MYSQL_OPT_WRITE_TIMEOUT=%1").arg(g.lesen);
    else if (treiber == QLatin1String("QPSQL"))
        // Three unanswered probes a connect time-out apart after as long an idle time.
        optionen << QStringLiteral("connect_timeout=%1").arg(g.verbinden) << QStringLiteral("keepalives=1")
                 << QStringLiteral("keepalives_idle=%1").arg(g.verbinden)
                 << QStringLiteral("keepalives_interval=%1").arg(g.verbinden) << QStringLiteral("keepalives_count=3")
                 << QStringLiteral("options='-c statement_timeout=%1'").arg(g.lesen * 1000);
    else if (treiber == QLatin1String("QSQLITE"))
        optionen << QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(g.sperre * 1000);
    return optionen.join(QLatin1Char(';'));
}
