// A scripted SQL driver for tests of back ends that cannot run here: statements are answered from a script, and everything sent is recorded.
#pragma once

#include <QList>
#include <QMap>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlDriverCreator>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>
#include <QStringList>
#include <QVariant>

#include <optional>

// What the script answers to one statement: rows (with column names) or an error text.
struct SkriptAntwort
{
    QStringList spalten;
    QList<QVariantList> zeilen;
    // Not empty: the statement fails with this text as the database's message.
    QString fehler;
    int betroffen = 0;

    static SkriptAntwort wert(const QVariant& wert, const QString& spalte = QStringLiteral("wert"))
    {
        return {{spalte}, {{wert}}, {}, 0};
    }
    static SkriptAntwort keine_zeile(const QString& spalte = QStringLiteral("wert")) { return {{spalte}, {}, {}, 0}; }
    static SkriptAntwort fehlschlag(const QString& text) { return {{}, {}, text, 0}; }
};

// One statement as the driver saw it.
struct SkriptAufruf
{
    enum Art { Vorbereitet, Ausgefuehrt };
    Art art;
    QString text;
    QVariantList werte;
};

// The process's one script: the driver is made by Qt's driver factory and cannot be handed one.
class Skript
{
public:
    static Skript& gib()
    {
        static Skript skript;
        return skript;
    }

    // Forgets the rules, the tables and the record.
    void leere() { *this = Skript(); }

    // Answers a statement whose text (blanks at the ends ignored) is exactly `text`; `mal` > 0
    // answers that often, then the rule is used up. Rules are tried in the order they were given.
    void antworte(const QString& text, const SkriptAntwort& antwort, int mal = -1)
    {
        regeln.append({text.trimmed(), std::nullopt, antwort, mal});
    }
    // Answers every statement the pattern matches (case-insensitive, anywhere in the text).
    void antworte_muster(const QString& muster, const SkriptAntwort& antwort, int mal = -1)
    {
        regeln.append({{}, QRegularExpression(muster, QRegularExpression::CaseInsensitiveOption), antwort, mal});
    }

    // The tables the driver lists, with their columns.
    void setze_tabelle(const QString& name, const QStringList& spalten) { tabellen.insert(name, spalten); }

    // The statements run, in order (prepared ones with their bound values).
    QStringList ausgefuehrt() const
    {
        QStringList texte;
        for (const auto& aufruf : aufrufe)
            if (aufruf.art == SkriptAufruf::Ausgefuehrt)
                texte.append(aufruf.text);
        return texte;
    }

    QList<SkriptAufruf> aufrufe;
    QMap<QString, QStringList> tabellen;
    // A statement no rule answers succeeds without rows.
    SkriptAntwort vorgabe;

    SkriptAntwort beantworte(const QString& text)
    {
        const QString bereinigt = text.trimmed();
        for (auto& regel : regeln) {
            if (regel.mal == 0)
                continue;
            const bool passt = regel.muster ? regel.muster->match(bereinigt).hasMatch() : regel.text == bereinigt;
            if (!passt)
                continue;
            if (regel.mal > 0)
                --regel.mal;
            return regel.antwort;
        }
        return vorgabe;
    }

private:
    struct Regel
    {
        QString text;
        std::optional<QRegularExpression> muster;
        SkriptAntwort antwort;
        int mal;
    };
    QList<Regel> regeln;
};

class SkriptErgebnis : public QSqlResult
{
public:
    explicit SkriptErgebnis(const QSqlDriver* treiber) : QSqlResult(treiber) {}

protected:
    QVariant data(int spalte) override
    {
        const auto& zeile = antwort.zeilen.value(at());
        return zeile.value(spalte);
    }
    bool isNull(int spalte) override { return data(spalte).isNull(); }
    bool reset(const QString& text) override
    {
        setQuery(text);
        return fuehre_aus(text, {});
    }
    bool prepare(const QString& text) override
    {
        setQuery(text);
        Skript::gib().aufrufe.append({SkriptAufruf::Vorbereitet, text, {}});
        return true;
    }
    bool exec() override
    {
        QVariantList werte;
        for (const auto& wert : boundValues())
            werte.append(wert);
        return fuehre_aus(lastQuery(), werte);
    }
    bool fetch(int zeile) override
    {
        if (zeile < 0 || zeile >= antwort.zeilen.size())
            return false;
        setAt(zeile);
        return true;
    }
    bool fetchFirst() override { return fetch(0); }
    bool fetchLast() override { return fetch(antwort.zeilen.size() - 1); }
    int size() override { return isSelect() ? antwort.zeilen.size() : -1; }
    int numRowsAffected() override { return antwort.betroffen; }
    QSqlRecord record() const override
    {
        QSqlRecord satz;
        for (int i = 0; i < antwort.spalten.size(); ++i) {
            const QVariant muster = antwort.zeilen.isEmpty() ? QVariant() : antwort.zeilen.first().value(i);
            satz.append(QSqlField(antwort.spalten.at(i), muster.type()));
        }
        return satz;
    }

private:
    bool fuehre_aus(const QString& text, const QVariantList& werte)
    {
        auto& skript = Skript::gib();
        skript.aufrufe.append({SkriptAufruf::Ausgefuehrt, text, werte});
        antwort = skript.beantworte(text);
        setAt(QSql::BeforeFirstRow);
        if (!antwort.fehler.isEmpty()) {
            setLastError(QSqlError(QString(), antwort.fehler, QSqlError::StatementError));
            setActive(false);
            return false;
        }
        setLastError(QSqlError());
        setSelect(!antwort.spalten.isEmpty());
        setActive(true);
        return true;
    }

    SkriptAntwort antwort;
};

class SkriptTreiber : public QSqlDriver
{
public:
    bool hasFeature(DriverFeature merkmal) const override
    {
        switch (merkmal) {
        case PreparedQueries:
        case PositionalPlaceholders:
        case QuerySize:
        case BLOB:
        case Unicode:
            return true;
        default:
            return false;
        }
    }
    bool open(const QString&, const QString&, const QString&, const QString&, int, const QString&) override
    {
        setOpen(true);
        setOpenError(false);
        return true;
    }
    void close() override { setOpen(false); }
    QSqlResult* createResult() const override { return new SkriptErgebnis(this); }
    QStringList tables(QSql::TableType art) const override
    {
        return art == QSql::Tables ? Skript::gib().tabellen.keys() : QStringList();
    }
    QSqlRecord record(const QString& tabelle) const override
    {
        QSqlRecord satz;
        for (const auto& spalte : Skript::gib().tabellen.value(tabelle))
            satz.append(QSqlField(spalte, QVariant::String));
        return satz;
    }

    // The driver's name for QSqlDatabase::addDatabase; registered on the first call.
    static QString name()
    {
        static const bool registriert = [] {
            QSqlDatabase::registerSqlDriver(QStringLiteral("QSKRIPT"), new QSqlDriverCreator<SkriptTreiber>);
            return true;
        }();
        Q_UNUSED(registriert);
        return QStringLiteral("QSKRIPT");
    }
};
