#include "linkfreigabe.h"
#include "ccat.h"
#include "cqstring.h"
#include "steuerzeichen.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QUrl>

namespace {

struct Linkfreigabe
{
    Q_DECLARE_TR_FUNCTIONS(Linkfreigabe)
};

// The types of documents a program opens for reading, by their exact names: a type derived from
// one of them is not one of them (a script is text, a document with macros an office document).
const QStringList& dokumenttypen()
{
    static const QStringList typen{
        QStringLiteral("application/pdf"),
        QStringLiteral("text/plain"),
        QStringLiteral("text/csv"),
        QStringLiteral("text/x-log"),
        QStringLiteral("application/rtf"),
        QStringLiteral("application/msword"),
        QStringLiteral("application/vnd.ms-excel"),
        QStringLiteral("application/vnd.ms-powerpoint"),
        QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.document"),
        QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"),
        QStringLiteral("application/vnd.openxmlformats-officedocument.presentationml.presentation"),
        QStringLiteral("application/vnd.oasis.opendocument.text"),
        QStringLiteral("application/vnd.oasis.opendocument.spreadsheet"),
        QStringLiteral("application/vnd.oasis.opendocument.presentation"),
        QStringLiteral("application/vnd.oasis.opendocument.graphics"),
        QStringLiteral("image/png"),
        QStringLiteral("image/jpeg"),
        QStringLiteral("image/gif"),
        QStringLiteral("image/bmp"),
        QStringLiteral("image/tiff"),
        QStringLiteral("image/webp"),
    };
    return typen;
}

// `was`: the link, or for a file its name.
Linkziel verweigert(const QString& was, const QString& grund)
{
    CQCat::gib_instanz()->warn(CQString(
        Linkfreigabe::tr("Link nicht geöffnet (%1): '%2'").arg(grund, maskiere_steuerzeichen(was))));
    return Linkziel();
}

} // namespace

QUrl loese_link_auf(const QUrl& basis, const QUrl& link)
{
    if (!basis.isValid() || basis.isEmpty() || link.toString().startsWith(QLatin1Char('#')))
        return link;
    if (link.isRelative())
        return basis.resolved(link);
    // "file:name" names no folder of its own: it is the page's, as for a name without scheme.
    // A drive letter ("file:C:/x") makes the path absolute.
    const QString pfad = link.path();
    const bool relativ = link.scheme() == QLatin1String("file") && link.authority().isEmpty() && !pfad.isEmpty() &&
                         !pfad.startsWith(QLatin1Char('/')) && !(pfad.size() > 1 && pfad.at(1) == QLatin1Char(':'));
    if (!relativ)
        return link;
    QUrl ohne_schema = link;
    ohne_schema.setScheme(QString());
    return basis.resolved(ohne_schema);
}

QString lokaler_pfad(const QUrl& adresse)
{
    if (adresse.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
        return adresse.toLocalFile();
    QUrl hier = adresse;
    hier.setHost(QString());
    return hier.toLocalFile();
}

QString lokale_datei(const QString& pfad)
{
    const QUrl adresse(pfad);
    if (adresse.scheme().size() <= 1)
        return pfad;
    if (adresse.scheme() != QLatin1String("file"))
        return QString();
    // A link's address keeps quotes, "%" and "#" of a name percent-encoded: the name is decoded.
    // A text that is no address loses its prefix as it stands: the third slash of "file:///"
    // begins the path (on Windows the drive letter follows).
    QString datei = adresse.isValid() ? lokaler_pfad(adresse) : pfad;
    if (!adresse.isValid()) {
        datei.replace(QLatin1String("file://localhost/"), QLatin1String("/"), Qt::CaseInsensitive);
        datei.replace(QLatin1String("file:///"), QLatin1String("/"), Qt::CaseInsensitive);
        datei.remove(QLatin1String("file:"), Qt::CaseInsensitive);
    }
    datei.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return datei;
}

Linkziel pruefe_link(const QString& adresse, const QStringList& seitenendungen)
{
    if (adresse.startsWith(QLatin1Char('#')))
        return {Linkart::Anker, QString()};
    const QString schema = QUrl(adresse).scheme().toLower();
    if (schema == QLatin1String("http") || schema == QLatin1String("https"))
        return {Linkart::Webadresse, QString()};
    if (schema == QLatin1String("mailto"))
        return {Linkart::Mailadresse, QString()};
    if (schema.size() > 1 && schema != QLatin1String("file"))
        return verweigert(adresse, Linkfreigabe::tr("Schema '%1'").arg(maskiere_steuerzeichen(schema)));

    const QString datei = lokale_datei(adresse);
    if (datei.isEmpty())
        return verweigert(adresse, Linkfreigabe::tr("keine Datei"));
    const QFileInfo info(datei);
    if (seitenendungen.contains(info.suffix().toLower()))
        return {Linkart::Seite, datei};
    // Started, not opened, by the shell whatever its name says.
    if (info.isFile() && info.isExecutable())
        return verweigert(datei, Linkfreigabe::tr("ausführbar"));
    // The name decides, as it decides which program the shell takes: a file whose name tells
    // nothing is no document, whatever its content looks like.
    const QString typ = QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension).name();
    if (!dokumenttypen().contains(typ))
        return verweigert(datei, Linkfreigabe::tr("kein Dokument: %1").arg(typ));
    return {Linkart::Dokument, datei};
}
