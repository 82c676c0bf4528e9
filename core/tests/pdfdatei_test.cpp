// PDF files written by another writer beside their target: put in place only when whole.
#include "pdfdatei.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QByteArray lies(const QString& datei)
{
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void schreibe(const QString& datei, const QByteArray& inhalt)
{
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(inhalt), inhalt.size());
}

// A PDF of a few pages as Qt's engine writes it.
QByteArray pdf_von_qt()
{
    QTemporaryDir ordner;
    const QString datei = ordner.filePath(QStringLiteral("q.pdf"));
    {
        QPdfWriter schreiber(datei);
        QPainter maler(&schreiber);
        for (int i = 0; i < 3; ++i) {
            if (i > 0)
                schreiber.newPage();
            maler.drawText(QPointF(100, 100), QStringLiteral("Seite %1").arg(i));
        }
    }
    return lies(datei);
}

mode_t rechte(const QString& datei)
{
    struct stat info {};
    return ::stat(QFile::encodeName(datei).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// A whole PDF takes the target's place with the old file's rights; anything less (cut at the end,
// a block lost in the middle, nothing, a writer that failed) leaves the old file byte for byte,
// says why, and leaves no temporary file behind.
TEST(PdfDatei, NurEineGanzeDateiErsetztDasZiel)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString ziel = tmp.filePath(QStringLiteral("bericht.pdf"));
    const QByteArray alt = "%PDF-1.4 the old report\n";
    const QByteArray ganz = pdf_von_qt();
    ASSERT_GT(ganz.size(), 1000);
    ASSERT_TRUE(CPdfDatei::ist_ganz(tmp.filePath(QStringLiteral("fehlt.pdf"))) == false);

    QByteArray luecke = ganz;
    luecke.remove(ganz.size() / 2, 100);
    const struct
    {
        const char* fall;
        QByteArray inhalt;
        bool geschrieben;
    } kaputt[] = {{"cut at the end", ganz.left(ganz.size() - 20), true},
                  {"cut in the middle", ganz.left(ganz.size() / 2), true},
                  {"a block lost", luecke, true},
                  {"empty", QByteArray(), true},
                  {"writer failed", ganz, false}};
    for (const auto& fall : kaputt) {
        schreibe(ziel, alt);
        CPdfDatei pdf(ziel);
        ASSERT_FALSE(pdf.zwischenname().isEmpty());
        EXPECT_EQ(QFileInfo(pdf.zwischenname()).absolutePath(), tmp.path());
        schreibe(pdf.zwischenname(), fall.inhalt);
        EXPECT_FALSE(pdf.uebernimm(fall.geschrieben).isEmpty()) << fall.fall;
        EXPECT_EQ(lies(ziel), alt) << fall.fall;
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("bericht.pdf")})
            << fall.fall;
    }

    ASSERT_EQ(::chmod(QFile::encodeName(ziel).constData(), 0640), 0);
    {
        CPdfDatei pdf(ziel);
        schreibe(pdf.zwischenname(), ganz + "\r\n");
        EXPECT_EQ(pdf.uebernimm(), QString());
    }
    EXPECT_EQ(lies(ziel), ganz + "\r\n");
    EXPECT_EQ(rechte(ziel), mode_t(0640));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("bericht.pdf")});

    // Binary data (zero bytes) just before the trailer, as a compressed page leaves them.
    QByteArray binaer = "%PDF-1.4\n1 0 obj\n<< /Length 8 >>\nstream\n" + QByteArray(8, '\0') + "\nendstream\nendobj\n";
    const int verweis = binaer.size();
    binaer += "xref\n0 2\n0000000000 65535 f \n0000000009 00000 n \ntrailer\n<< /Size 2 >>\nstartxref\n"
              + QByteArray::number(verweis) + "\n%%EOF\n";
    {
        CPdfDatei pdf(ziel);
        schreibe(pdf.zwischenname(), binaer);
        EXPECT_EQ(pdf.uebernimm(), QString());
    }
    EXPECT_EQ(lies(ziel), binaer);

    // A target in a folder that is not there gets no file and a reason.
    CPdfDatei ohne(tmp.filePath(QStringLiteral("fehlt/x.pdf")));
    EXPECT_TRUE(ohne.zwischenname().isEmpty());
    EXPECT_FALSE(ohne.uebernimm().isEmpty());
}

} // namespace
