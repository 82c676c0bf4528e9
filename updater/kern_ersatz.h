// Temporary stand-ins for the core's time value and text-file classes, with the same names and
// signatures; this file goes away as soon as core/czeit.h, core/cqiodatei.h and
// core/cqiozeileexcel.h exist.
#pragma once

#include "cfehler.h"
#include "cqstring.h"
#include "klassen.h"

#include <QDateTime>
#include <QFile>
#include <QTextStream>
#include <memory>
#include <string>
#include <vector>

class CZeitVDN
{
public:
    CZeitVDN() = default;
    explicit CZeitVDN(const CQString& text) { setze_text(text.toStdString()); }

    void setze_jetzt()
    {
        const QDateTime jetzt = QDateTime::currentDateTime();
        tag = jetzt.date().day();
        monat = jetzt.date().month();
        jahr = jetzt.date().year();
        stunde = jetzt.time().hour();
        minute = jetzt.time().minute();
        sekunde = jetzt.time().second();
        millisekunde = 0;
    }
    void setze_text(const std::string& text)
    {
        if (text.size() != 19)
            throw CQFehler(3, &eintrag_CZeitVDN, CQString("CZeitVDN"),
                           CQString("Zeitstring muss 19[dd.MM.yyyy hh:mm:ss] Zeichen enthalten"));
        auto zahl = [&](int pos, int n) { return std::atoi(text.substr(pos, n).c_str()); };
        tag = zahl(0, 2);
        monat = zahl(3, 2);
        jahr = zahl(6, 4);
        stunde = zahl(11, 2);
        minute = zahl(14, 2);
        sekunde = zahl(17, 2);
        millisekunde = 0;
    }
    QString als_qstring(bool, bool, bool) const
    {
        return QString::asprintf("%02d.%02d.%04d %02d:%02d:%02d", tag, monat, jahr, stunde, minute, sekunde);
    }

    int tag = 0;
    int monat = 0;
    int jahr = 0;
    int stunde = 0;
    int minute = 0;
    int sekunde = 0;
    int millisekunde = 0;
};

inline char trennzeichen_ersatz = ';';
#define trennzeichen trennzeichen_ersatz

class CQIOZeileExcel
{
public:
    bool zerlege(const CQString& zeile, const bool& trimmen)
    {
        zellen.clear();
        const QString s = zeile;
        const int n = s.size();
        const QChar trenner = QLatin1Char(trennzeichen);
        int pos = 0;
        for (;;) {
            QString zelle;
            if (trimmen)
                while (pos < n && (s[pos] == QLatin1Char(' ') || s[pos] == QLatin1Char('\t')))
                    ++pos;
            if (pos < n && s[pos] == QLatin1Char('"')) {
                const int zu = s.indexOf(QLatin1Char('"'), pos + 1);
                zelle = s.mid(pos + 1, zu < 0 ? -1 : zu - pos - 1);
                pos = zu < 0 ? n + 1 : zu + 1;
                if (trimmen)
                    while (pos < n && s[pos] == QLatin1Char(' '))
                        ++pos;
            }
            int e = pos >= n ? pos : s.indexOf(trenner, pos);
            if (e < 0)
                e = n;
            QString rest = pos < e ? s.mid(pos, e - pos) : QString();
            if (trimmen)
                while (!rest.isEmpty() && (rest.endsWith(QLatin1Char(' ')) || rest.endsWith(QLatin1Char('\t'))))
                    rest.chop(1);
            zellen.push_back(CQString(zelle + rest));
            pos = e + 1;
            if (pos > n)
                break;
        }
        return true;
    }
    CQString gib_element(const int& index) const { return zellen.at(static_cast<size_t>(index)); }
    int anzahl() const { return static_cast<int>(zellen.size()); }

private:
    std::vector<CQString> zellen;
};

class CQIODatei : public QFile
{
public:
    explicit CQIODatei(const CQString& name) : QFile(name) {}
    bool oeffne(const bool& lesen, const bool&, const bool&, const bool&, const bool&)
    {
        if (!lesen || !open(QIODevice::ReadOnly | QIODevice::Text))
            return false;
        stream = std::make_unique<QTextStream>(this);
        return true;
    }
    void setze_codec(bool)
    {
        if (stream)
            stream->setCodec("UTF-8");
    }
    bool lies_zeile(CQString& zeile, int& nummer, bool)
    {
        while (stream && !stream->atEnd()) {
            zeile = stream->readLine();
            ++nummer;
            if (!zeile.trimmed().isEmpty())
                return true;
        }
        return false;
    }

private:
    std::unique_ptr<QTextStream> stream;
};
