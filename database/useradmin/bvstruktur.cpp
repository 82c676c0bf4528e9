#include "bvstruktur.h"
#include "ccat.h"
#include "dateien.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

namespace {

constexpr int typ_char = 1;
constexpr int typ_int = 5;
constexpr int typ_varchar = 11;
constexpr int typ_id = 17;
constexpr int typ_datumzeit = 19;
constexpr int typ_langtext = 22;

CBVSpalte spalte(int tag, const char* name, int typ, int laenge, const char* titel)
{
    return CBVSpalte{tag, QString::fromLatin1(name), typ, laenge, QString(), QString::fromUtf8(titel)};
}

bool ist_bekannter_typ(int typ)
{
    static const QVector<int> typen{1, 4, 5, 6, 8, 11, 17, 18, 19, 20, 21, 22};
    return typen.contains(typ);
}

bool ist_langtext(int typ, const QString& typtext)
{
    static const QStringList langtexte{QStringLiteral("x"), QStringLiteral("memo"), QStringLiteral("text"),
                                       QStringLiteral("clob"), QStringLiteral("nclob"), QStringLiteral("longtext"),
                                       QStringLiteral("mediumtext"), QStringLiteral("ntext")};
    return typ == typ_langtext || langtexte.contains(typtext.trimmed().toLower());
}

// Names go into statements as they are: only plain identifiers.
bool ist_bezeichner(const QString& name)
{
    static const QRegularExpression muster(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,63}$"));
    return muster.match(name).hasMatch();
}

bool lies_zahl(const QString& text, int& zahl)
{
    bool ok = false;
    zahl = text.trimmed().toInt(&ok);
    return ok;
}

// The reason a column line is refused; empty when it can be taken.
QString pruefe_spalte(int tabelle, const CBVSpalte& s)
{
    if (!ist_bezeichner(s.name))
        return CBVStruktur::tr("ungültiger Spaltenname '%1'").arg(s.name);
    if (!ist_bekannter_typ(s.typ))
        return CBVStruktur::tr("unbekannter Typcode %1").arg(s.typ);
    if (s.laenge < 0)
        return CBVStruktur::tr("negative Länge %1").arg(s.laenge);
    // The template's value column and the remark are cut to their width before they are written:
    // a long text or no width would leave no maximum to cut to.
    const bool braucht_breite = (tabelle == bv_tag::vorlage && s.tag == bv_tag::vor_wert)
                                || (tabelle == bv_tag::anwender && s.tag == bv_tag::anw_bemerkung);
    if (braucht_breite && (ist_langtext(s.typ, s.typtext) || s.laenge <= 0))
        return CBVStruktur::tr("Spalte %1 braucht eine feste Breite größer 0 und keinen Langtext").arg(s.tag);
    return QString();
}

// Applies one line; the reason when it is refused.
QString wende_zeile_an(const QStringList& felder, CBVEntwurf& entwurf)
{
    int tabelle = 0;
    if (felder.size() == 2) {
        const QString name = felder.at(1).trimmed();
        if (!lies_zahl(felder.at(0), tabelle) || tabelle < 0)
            return CBVStruktur::tr("ungültiger Tabellentag '%1'").arg(felder.at(0));
        if (!ist_bezeichner(name))
            return CBVStruktur::tr("ungültiger Tabellenname '%1'").arg(name);
        entwurf[tabelle].name = name;
        return QString();
    }
    if (felder.size() != 7)
        return CBVStruktur::tr("%1 Felder, erwartet 2 (Tabelle) oder 7 (Spalte)").arg(felder.size());
    CBVSpalte neu;
    if (!lies_zahl(felder.at(0), tabelle) || !entwurf.contains(tabelle))
        return CBVStruktur::tr("unbekannte Tabelle '%1'").arg(felder.at(0));
    if (!lies_zahl(felder.at(1), neu.tag) || neu.tag < 0)
        return CBVStruktur::tr("ungültiger Spaltentag '%1'").arg(felder.at(1));
    neu.name = felder.at(2).trimmed();
    if (!lies_zahl(felder.at(3), neu.typ))
        return CBVStruktur::tr("ungültiger Typcode '%1'").arg(felder.at(3));
    if (!lies_zahl(felder.at(4), neu.laenge))
        return CBVStruktur::tr("ungültige Länge '%1'").arg(felder.at(4));
    neu.typtext = felder.at(5).trimmed();
    neu.titel = felder.at(6).trimmed();
    const QString grund = pruefe_spalte(tabelle, neu);
    if (!grund.isEmpty())
        return grund;
    QVector<CBVSpalte>& spalten = entwurf[tabelle].spalten;
    for (CBVSpalte& alt : spalten)
        if (alt.tag == neu.tag) {
            alt = neu;
            return QString();
        }
    spalten.append(neu);
    return QString();
}

} // namespace

CBVEntwurf gib_bv_grundentwurf()
{
    CBVEntwurf entwurf;
    entwurf[bv_tag::gruppen] = {QStringLiteral("bv_gruppen"),
                                {spalte(10, "grp_id", typ_id, 0, QT_TRANSLATE_NOOP("CBVStruktur", "ID")),
                                 spalte(20, "grp_name", typ_varchar, 100, QT_TRANSLATE_NOOP("CBVStruktur", "Gruppe")),
                                 spalte(21, "grp_bezirk", typ_varchar, 100, QT_TRANSLATE_NOOP("CBVStruktur", "Bezirk")),
                                 spalte(22, "grp_telefon", typ_varchar, 50, QT_TRANSLATE_NOOP("CBVStruktur", "Telefon"))}};
    entwurf[bv_tag::anwender] = {QStringLiteral("bv_anwender"),
                                 {spalte(11, "anw_id", typ_id, 0, QT_TRANSLATE_NOOP("CBVStruktur", "ID")),
                                  spalte(30, "anw_gruppe", typ_int, 0, QT_TRANSLATE_NOOP("CBVStruktur", "Gruppe")),
                                  spalte(31, "anw_lock", typ_char, 1, QT_TRANSLATE_NOOP("CBVStruktur", "Sperre")),
                                  spalte(32, "anw_login", typ_datumzeit, 0, QT_TRANSLATE_NOOP("CBVStruktur", "Angemeldet")),
                                  spalte(33, "anw_logoff", typ_datumzeit, 0, QT_TRANSLATE_NOOP("CBVStruktur", "Abgemeldet")),
                                  spalte(34, "anw_name", typ_varchar, 100, QT_TRANSLATE_NOOP("CBVStruktur", "Anwender")),
                                  // 100 Latin-1 characters are up to 200 UTF-8 bytes, 400 hex digits.
                                  spalte(35, "anw_kennwort", typ_varchar, 400, QT_TRANSLATE_NOOP("CBVStruktur", "Kennwort")),
                                  spalte(36, "anw_recht", typ_char, 1, QT_TRANSLATE_NOOP("CBVStruktur", "Recht")),
                                  spalte(37, "anw_langname", typ_varchar, 255, QT_TRANSLATE_NOOP("CBVStruktur", "Name")),
                                  spalte(38, "anw_abteilung", typ_varchar, 100, QT_TRANSLATE_NOOP("CBVStruktur", "Abteilung")),
                                  spalte(39, "anw_telefon", typ_varchar, 50, QT_TRANSLATE_NOOP("CBVStruktur", "Telefon")),
                                  spalte(40, "anw_telefax", typ_varchar, 50, QT_TRANSLATE_NOOP("CBVStruktur", "Telefax")),
                                  spalte(41, "anw_email", typ_varchar, 255, QT_TRANSLATE_NOOP("CBVStruktur", "E-Mail")),
                                  spalte(47, "anw_host", typ_varchar, 255, QT_TRANSLATE_NOOP("CBVStruktur", "Rechner")),
                                  spalte(48, "anw_bemerkung", typ_varchar, 255, QT_TRANSLATE_NOOP("CBVStruktur", "Bemerkung"))}};
    entwurf[bv_tag::verwaltung] = {QStringLiteral("bv_verwaltung"), {spalte(13, "vw_id", typ_id, 0, QT_TRANSLATE_NOOP("CBVStruktur", "ID"))}};
    entwurf[bv_tag::vorlage] = {QStringLiteral("bv_vorlage"),
                                {spalte(14, "vor_id", typ_id, 0, QT_TRANSLATE_NOOP("CBVStruktur", "ID")),
                                 spalte(70, "vor_schluessel", typ_varchar, 255, QT_TRANSLATE_NOOP("CBVStruktur", "Schlüssel")),
                                 spalte(71, "vor_wert", typ_varchar, 255, QT_TRANSLATE_NOOP("CBVStruktur", "Wert")),
                                 spalte(72, "vor_flag", typ_char, 1, QT_TRANSLATE_NOOP("CBVStruktur", "Merker"))}};
    entwurf[bv_tag::protokoll] = {QStringLiteral("bv_protokoll"),
                                  {spalte(80, "prot_id", typ_id, 0, QT_TRANSLATE_NOOP("CBVStruktur", "ID")),
                                   spalte(81, "prot_zeit", typ_datumzeit, 0, QT_TRANSLATE_NOOP("CBVStruktur", "Zeit")),
                                   spalte(82, "prot_anwender", typ_varchar, 100, QT_TRANSLATE_NOOP("CBVStruktur", "Anwender")),
                                   spalte(83, "prot_text", typ_varchar, 255, QT_TRANSLATE_NOOP("CBVStruktur", "Text"))}};
    return entwurf;
}

void wende_strukturtext_an(const QByteArray& inhalt, const QString& dateiname, CBVEntwurf& entwurf,
                           QStringList& meldungen)
{
    const QStringList zeilen = QString::fromUtf8(inhalt).split(QLatin1Char('\n'));
    for (int i = 0; i < zeilen.size(); ++i) {
        const QString zeile = zeilen.at(i).trimmed();
        if (zeile.isEmpty() || zeile.startsWith(QLatin1Char('#')))
            continue;
        const QString grund = wende_zeile_an(zeile.split(QLatin1Char(';')), entwurf);
        if (!grund.isEmpty())
            meldungen.append(CBVStruktur::tr("%1, Zeile %2: %3").arg(dateiname).arg(i + 1).arg(grund));
    }
}

QString gib_bv_titel(const CDBTabelle& tabelle, int tag)
{
    // Looked up by its text: a title of the system file has no translation and stays.
    return CBVStruktur::tr(QString(tabelle.gib_guititel(tag)).toUtf8().constData());
}

CBVStruktur::CBVStruktur(const CBVEntwurf& entwurf)
{
    for (auto it = entwurf.cbegin(); it != entwurf.cend(); ++it) {
        auto tabelle = std::make_unique<CDBTabelle>();
        for (const CBVSpalte& s : it.value().spalten)
            tabelle->fuege_spalte_an(s.tag, s.typ, CQString(s.name), CQString(s.titel), CQString(s.typtext),
                                     s.laenge);
        struktur.fuege_tabelle_an(it.key(), CQString(it.value().name), tabelle.get());
        tabellen.push_back(std::move(tabelle));
    }
}

std::unique_ptr<CBVStruktur> baue_bv_struktur(const QString& verzeichnis, QStringList& meldungen)
{
    CBVEntwurf entwurf = gib_bv_grundentwurf();
    const QString pfad = QDir(verzeichnis).filePath(QLatin1String(bv_strukturdatei));
    QFile datei(pfad);
    if (datei.exists()) {
        const int vorher = meldungen.size();
        // A few tables' columns: a file far larger is no structure file, and is not taken into memory.
        constexpr qint64 hoechstens = 16 * 1024 * 1024;
        if (oeffne_regulaere_datei(datei, QIODevice::ReadOnly) && datei.size() > hoechstens)
            meldungen.append(CBVStruktur::tr("%1: zu groß (%2 Bytes, höchstens %3)").arg(pfad).arg(datei.size()).arg(hoechstens));
        else if (datei.isOpen())
            wende_strukturtext_an(datei.readAll(), pfad, entwurf, meldungen);
        else
            meldungen.append(CBVStruktur::tr("%1: nicht lesbar: %2").arg(pfad, systemfehler(errno)));
        for (int i = vorher; i < meldungen.size(); ++i)
            CQCat::gib_instanz()->error(CQString(meldungen.at(i)));
    }
    return std::make_unique<CBVStruktur>(entwurf);
}
