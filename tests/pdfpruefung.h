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

// The program's standard output; a program that is missing or fails adds a test failure.
inline QString laufe(const QString& programm, const QStringList& argumente)
{
    QProcess prozess;
    prozess.start(programm, argumente);
    if (!prozess.waitForFinished(60000) || prozess.exitStatus() != QProcess::NormalExit || prozess.exitCode() != 0) {
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
