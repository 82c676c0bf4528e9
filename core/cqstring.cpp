#include "cqstring.h"
#include "anwendung.h"
#include "klassen.h"

#include <QLocale>
#include <cstring>

CKlasse* CQString::klasse = &eintrag_CQString;

CQString::CQString() = default;
CQString::CQString(const CQString& other) : QString(other), CObjekt() {}
CQString::CQString(const QString& text) : QString(text) {}
CQString::CQString(const char* utf8) : QString(utf8 ? QString::fromUtf8(utf8) : QString()) {}
CQString::CQString(const QByteArray& utf8)
    : QString(QString::fromUtf8(utf8.constData(), static_cast<int>(qstrnlen(utf8.constData(), utf8.size()))))
{
}
CQString::CQString(QChar zeichen) : QString(zeichen) {}
CQString::CQString(const QStringList& liste) : QString(liste.join(QLatin1Char(' '))) {}
CQString::~CQString() = default;

CQString& CQString::operator=(const CQString& other)
{
    QString::operator=(other);
    return *this;
}

void CQString::ausgabe(std::ostream& os) const
{
    const QByteArray bytes = toUtf8();
    os.write(bytes.constData(), bytes.size());
}

CQString CQString::klein() const { return CQString(toLower()); }
CQString CQString::gross() const { return CQString(toUpper()); }
CQString CQString::trimmed() const { return CQString(QString::trimmed()); }
CQString CQString::vereinfacht() const { return CQString(simplified()); }

QStringList CQString::split(const QString& trenner, bool behalte_leere) const
{
    return QString::split(trenner, behalte_leere ? Qt::KeepEmptyParts : Qt::SkipEmptyParts,
                          Qt::CaseSensitive);
}

QStringList CQString::split(const QChar& trenner, bool behalte_leere) const
{
    return QString::split(trenner, behalte_leere ? Qt::KeepEmptyParts : Qt::SkipEmptyParts,
                          Qt::CaseSensitive);
}

CQString CQString::section(QChar trenner, int start, int ende, QString::SectionFlags flags) const
{
    return CQString(QString::section(trenner, start, ende, flags));
}

CQString CQString::remove(int position, int anzahl)
{
    QString::remove(position, anzahl);
    return *this;
}

int CQString::indexOf(const char* nadel, int ab, bool gross_klein) const
{
    return QString::indexOf(QString::fromUtf8(nadel ? nadel : ""), ab,
                            gross_klein ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

double CQString::zu_double(bool* ok) const
{
    bool gut = false;
    double wert = toDouble(&gut);
    if (!gut)
        wert = QLocale::system().toDouble(*this, &gut);
    if (ok)
        *ok = gut;
    return gut ? wert : 0.0;
}

CQString CQString::zu_latin1() const
{
    const QByteArray bytes = toLatin1();
    return CQString(bytes);
}

CQString CQString::utf8() const
{
    return CQString(toUtf8());
}

bool CQString::ist_html() const
{
    if (QString::indexOf(QLatin1Char('<')) < 0)
        return false;
    return QString::indexOf(QLatin1String("<p"), 0, Qt::CaseInsensitive) >= 0
        || QString::indexOf(QLatin1String("<td"), 0, Qt::CaseInsensitive) >= 0;
}

std::string& CQString::zu_string(std::string& ziel) const
{
    ziel = toStdString();
    return ziel;
}

bool operator<(const CQString& a, const CQString& b)
{
    return static_cast<const QString&>(a) < static_cast<const QString&>(b);
}

CQString string_zu_cqstring(const std::string& text)
{
    return CQString(text.c_str());
}

std::string qstring_zu_string(const CQString& text)
{
    const QByteArray bytes = text.toUtf8();
    const QString sprache = gib_sprache();
    if (sprache == QLatin1String("de") || sprache == QLatin1String("en"))
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return std::string(bytes.constData());
}
