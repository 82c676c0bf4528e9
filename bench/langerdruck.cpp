// Measures printing long protocols into a PDF file: the time per 10,000 lines at several lengths, which should stay the same.
//
// langerdruck [--zeilen N[,N...]] [--ordner ORDNER]
//   lays out and prints documents of N lines each (default 10000,100000,1000000) on the print
//   road every protocol and text report takes (A4, a 1200 dpi PDF printer, the footer on each
//   page) into ORDNER (default a temporary folder), and prints for each the time, the time per
//   10,000 lines and the file size.
// Runs offscreen (QT_QPA_PLATFORM=offscreen).
#include "sanitizervorgaben.h"
#include "anwendung.h"
#include "protokolldruck.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char** argv)
{
    schalte_hochaufloesung_ein();
    QApplication anwendung(argc, argv);
    QStringList laengen{QStringLiteral("10000"), QStringLiteral("100000"), QStringLiteral("1000000")};
    QString ordner;
    const QStringList argumente = QCoreApplication::arguments();
    for (int i = 1; i + 1 < argumente.size(); i += 2) {
        if (argumente[i] == QLatin1String("--zeilen"))
            laengen = argumente[i + 1].split(QLatin1Char(','));
        else if (argumente[i] == QLatin1String("--ordner"))
            ordner = argumente[i + 1];
    }
    QTemporaryDir vorgabe;
    if (ordner.isEmpty())
        ordner = vorgabe.path();

    std::printf("%10s %10s %16s %12s\n", "lines", "ms", "ms/10000 lines", "KiB");
    for (const QString& laenge : qAsConst(laengen)) {
        const int zeilen = laenge.toInt();
        if (zeilen <= 0)
            return 2;
        QString text;
        for (int i = 1; i <= zeilen; ++i)
            text += QStringLiteral("Zeile %1 des langen Protokolls\n").arg(i);
        QTextDocument dokument;
        dokument.setPlainText(text);
        const QString datei = ordner + QStringLiteral("/druck-%1.pdf").arg(zeilen);
        QPrinter drucker(QPrinter::HighResolution);
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(datei);
        QElapsedTimer uhr;
        uhr.start();
        if (!drucke_auf_drucker(&dokument, drucker, CQString("Langes Protokoll"), Druckeinrichtung()))
            return 1;
        const qint64 ms = uhr.elapsed();
        std::printf("%10d %10lld %16.1f %12.0f\n", zeilen, static_cast<long long>(ms), ms * 10000.0 / zeilen,
                    QFileInfo(datei).size() / 1024.0);
        std::fflush(stdout);
    }
    return 0;
}
