// Framework string on QString, and the UTF-8 conversion between QString and std::string.
#pragma once

#include "cbasis.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <string>

class CQString : public QString, public CObjekt
{
    FRAMEWORK_KLASSE(CObjekt)
public:
    CQString();
    CQString(const CQString& other);
    CQString(const QString& text);
    CQString(const char* utf8);
    CQString(const QByteArray& utf8);
    CQString(QChar zeichen);
    CQString(const QStringList& liste);
    ~CQString() override;

    CQString& operator=(const CQString& other);
    using QString::operator=;

    void ausgabe(std::ostream& os) const override;

    CQString klein() const;
    CQString gross() const;
    CQString trimmed() const;
    CQString vereinfacht() const;
    // `behalte_leere` true keeps empty parts.
    QStringList split(const QString& trenner, bool behalte_leere) const;
    QStringList split(const QChar& trenner, bool behalte_leere) const;
    CQString section(QChar trenner, int start, int ende = -1,
                     QString::SectionFlags flags = QString::SectionDefault) const;
    // Removes in this text and returns a copy of the result.
    CQString remove(int position, int anzahl);
    int indexOf(const char* nadel, int ab = 0, bool gross_klein = true) const;
    double zu_double(bool* ok = nullptr) const;
    CQString zu_latin1() const;
    CQString utf8() const;
    bool ist_html() const;
    std::string& zu_string(std::string& ziel) const;
};

bool operator<(const CQString& a, const CQString& b);

// std::string bytes are UTF-8 on both sides, up to the first NUL byte.
CQString string_zu_cqstring(const std::string& text);
std::string qstring_zu_string(const CQString& text);
