// Reading the PDF files a test wrote back with the poppler tools (pdfinfo, pdftotext, pdftoppm); a missing tool fails the test.
#pragma once

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <gtest/gtest.h>

#include <vector>

// The program's standard output; a program that is missing, fails or runs longer than
// `hoechstens` milliseconds adds a test failure.
inline QString laufe(const QString& programm, const QStringList& argumente, int hoechstens = 60000)
{
    QProcess prozess;
    prozess.start(programm, argumente);
    if (!prozess.waitForFinished(hoechstens) || prozess.exitStatus() != QProcess::NormalExit || prozess.exitCode() != 0) {
        ADD_FAILURE() << qPrintable(programm) << " failed: " << qPrintable(prozess.errorString()) << " "
                      << prozess.readAllStandardError().toStdString();
        return QString();
    }
    return QString::fromUtf8(prozess.readAllStandardOutput());
}

inline int seitenzahl(const QString& pdf)
{
    const QRegularExpressionMatch treffer =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption)
            .match(laufe(QStringLiteral("pdfinfo"), {pdf}));
    return treffer.hasMatch() ? treffer.captured(1).toInt() : 0;
}

// The text of each page as pdftotext lays it out.
inline QStringList seiten_text(const QString& pdf)
{
    QStringList seiten = laufe(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                             .split(QLatin1Char('\f'));
    while (!seiten.isEmpty() && seiten.last().trimmed().isEmpty())
        seiten.removeLast();
    return seiten;
}

// The body text of every page, its last line (the footer) left out, without white space: what a
// reader of the PDF finds in order, ligatures read as their letters.
inline QString text_ohne_fusszeilen(const QString& pdf)
{
    QString text;
    for (const QString& seite : seiten_text(pdf)) {
        QStringList zeilen = seite.split(QLatin1Char('\n'));
        while (!zeilen.isEmpty() && zeilen.last().trimmed().isEmpty())
            zeilen.removeLast();
        if (!zeilen.isEmpty())
            zeilen.removeLast();
        text += zeilen.join(QString());
    }
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text.normalized(QString::NormalizationForm_KC);
}

// Every page as a picture at `dpi`, in page order.
inline QVector<QImage> seitenbilder(const QString& pdf, int dpi)
{
    QTemporaryDir ordner;
    const QString praefix = ordner.filePath(QStringLiteral("seite"));
    laufe(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), pdf, praefix});
    QVector<QImage> bilder;
    // pdftoppm pads the page numbers to the width of the largest one.
    for (const QString& name : QDir(ordner.path()).entryList({QStringLiteral("seite-*.ppm")}, QDir::Files, QDir::Name))
        bilder.append(QImage(ordner.filePath(name)));
    return bilder;
}

// The numbers of the lines "<wort> <n>" in the PDF's text, in the order the PDF holds them; a long
// PDF may take pdftotext minutes.
inline std::vector<int> zeilennummern(const QString& pdf, const QString& wort)
{
    std::vector<int> nummern;
    const QString text = laufe(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}, 600000);
    const QRegularExpression zeile(QStringLiteral("^\\s*%1 (\\d+)\\s*$").arg(QRegularExpression::escape(wort)),
                                   QRegularExpression::MultilineOption);
    for (auto treffer = zeile.globalMatch(text); treffer.hasNext();)
        nummern.push_back(treffer.next().captured(1).toInt());
    return nummern;
}
