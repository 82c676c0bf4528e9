#include "aclrechte.h"
#include "ebool.h"

namespace {

struct Recht
{
    const char* name;
    const char* kuerzel;
};

// The index is the right's number and its place in every rights combo box.
constexpr Recht rechte[] = {{"read", "R"},  {"stoer", "S"},  {"netze", "N"},   {"write", "W"},
                            {"grant", "G"}, {"admin", "A"}, {"default", "D"}, {"schutz", "F"}};
constexpr int anzahl = static_cast<int>(sizeof(rechte) / sizeof(rechte[0]));

bool ist_recht(int nummer)
{
    return nummer >= 0 && nummer < anzahl;
}

} // namespace

int gib_recht_nummer(const QString& name)
{
    for (int i = 0; i < anzahl; ++i)
        if (name == QLatin1String(rechte[i].name))
            return i;
    return NICHT_GESETZT;
}

QString gib_recht_name(int nummer)
{
    return ist_recht(nummer) ? QString::fromLatin1(rechte[nummer].name) : QStringLiteral("?");
}

QString gib_recht_kuerzel(int nummer)
{
    if (nummer == NICHT_GESETZT)
        return QString();
    return ist_recht(nummer) ? QString::fromLatin1(rechte[nummer].kuerzel) : QStringLiteral("?");
}

int gib_recht_nummer_aus_kuerzel(const QString& kuerzel)
{
    for (int i = 0; i < anzahl; ++i)
        if (kuerzel == QLatin1String(rechte[i].kuerzel))
            return i;
    return NICHT_GESETZT;
}
