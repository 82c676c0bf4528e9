// The English translation file against the code: every German text the code translates has its English, and no entry
// outlives its text.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

using Schluessel = QPair<QString, QString>; // context, German text

struct Eintrag
{
    QString englisch;
    bool fertig = true;
};

QMap<Schluessel, Eintrag> lies_ts(const QString& pfad)
{
    QMap<Schluessel, Eintrag> eintraege;
    QFile datei(pfad);
    EXPECT_TRUE(datei.open(QIODevice::ReadOnly)) << pfad.toStdString();
    QXmlStreamReader xml(&datei);
    QString kontext;
    QString quelle;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            kontext = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            quelle = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            Eintrag e;
            e.fertig = xml.attributes().value(QLatin1String("type")).isEmpty();
            e.englisch = xml.readElementText();
            eintraege.insert({kontext, quelle}, e);
        }
    }
    EXPECT_TRUE(!xml.hasError() || xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
        << pfad.toStdString() << ": " << xml.errorString().toStdString();
    return eintraege;
}

// The product's sources as lupdate and the program see them (tests left out): every folder with
// windows, the browser and the user administration too.
QStringList quelldateien()
{
    QStringList dateien;
    for (const char* ordner : {"core", "config", "widgets", "updater", "reports", "browser", "database"}) {
        QDirIterator it(QStringLiteral(QUELLEN "/") + QLatin1String(ordner), {"*.cpp", "*.h", "*.ui"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString datei = it.next();
            if (!datei.contains(QLatin1String("/tests/")))
                dateien << datei;
        }
    }
    return dateien;
}

// What lupdate finds in the code: the texts of tr(), translate() and the QT_TRANSLATE_NOOP marks.
QMap<Schluessel, Eintrag> im_code_uebersetzt()
{
    QTemporaryDir tmp;
    QFile liste(tmp.filePath("dateien.txt"));
    EXPECT_TRUE(liste.open(QIODevice::WriteOnly));
    liste.write(quelldateien().join('\n').toUtf8());
    liste.close();
    QProcess lupdate;
    lupdate.start(QStringLiteral(LUPDATE), {"-silent", "-locations", "none", "-no-obsolete", "@" + liste.fileName(),
                                            "-ts", tmp.filePath("code.ts")});
    EXPECT_TRUE(lupdate.waitForFinished(120000) && lupdate.exitCode() == 0) << lupdate.readAll().toStdString();
    // Silent, it says only what it cannot place: a tr() outside any class, or in a class without
    // its context, whose text would stay German.
    EXPECT_EQ(lupdate.readAllStandardError().toStdString(), "");
    return lies_ts(tmp.filePath("code.ts"));
}

} // namespace

TEST(Uebersetzungen, JederTextDesCodesHatSeinEnglischUndKeinerUeberlebtSeinenText)
{
    const auto code = im_code_uebersetzt();
    const auto datei = lies_ts(QStringLiteral(QUELLEN "/updater/uebersetzungen/aktualisierer_en.ts"));
    ASSERT_GT(code.size(), 400);

    // The file holds exactly what lupdate finds, each with a finished translation.
    for (auto it = code.cbegin(); it != code.cend(); ++it) {
        const auto gefunden = datei.find(it.key());
        const std::string wo = (it.key().first + ": " + it.key().second).toStdString();
        EXPECT_TRUE(gefunden != datei.end()) << "no English for " << wo;
        if (gefunden != datei.end()) {
            EXPECT_TRUE(gefunden->fertig && !gefunden->englisch.isEmpty()) << "unfinished: " << wo;
        }
    }
    for (auto it = datei.cbegin(); it != datei.cend(); ++it)
        EXPECT_TRUE(code.contains(it.key()))
            << "text gone from the code: " << (it.key().first + ": " + it.key().second).toStdString();

    // lupdate sees a text handed to uebersetze_ (or to the file-local helpers in front of it) only
    // through its QT_TRANSLATE_NOOP mark: a bare literal there would lose its English unnoticed. A
    // unit's text constant of that name is no such call.
    QString alles;
    for (const QString& pfad : quelldateien()) {
        QFile f(pfad);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        alles += QString::fromUtf8(f.readAll());
    }
    static const QRegularExpression ohne_marke(QStringLiteral(
        R"re((?:uebersetze_\(CString\(|(?<!CQString )\bueb\(|\buebersetzt\(|\btext_basis\()\s*"((?:[^"\\]|\\.)*)")re"));
    for (auto treffer = ohne_marke.globalMatch(alles); treffer.hasNext();)
        ADD_FAILURE() << "framework text without QT_TRANSLATE_NOOP: " << treffer.next().captured(1).toStdString();
    // A function of the name tr of a file's own hides its texts from lupdate too.
    static const QRegularExpression eigenes_tr(QStringLiteral(R"(\bQString\s+tr\s*\()"));
    EXPECT_EQ(alles.count(eigenes_tr), 0);
    static const QRegularExpression markiert(QStringLiteral(R"(QT_TRANSLATE_NOOP\("QObject")"));
    EXPECT_GT(alles.count(markiert), 80);
}
