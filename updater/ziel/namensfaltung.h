// Names as a file system that finds them without regard to case compares them.
#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>

// Whether the text holds ASCII alone: its folding is its lower case.
inline bool nur_ascii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// The form in which a file system that finds names without regard to case (an ext4, tmpfs or
// F2FS folder with the casefold attribute, a Windows share, a FUSE one) may take a name: the text
// without the characters some of them pass over (default-ignorable and format characters),
// normalised, with Unicode's full case folding ("ß" and "SS", "ﬆ" and "st" alike). Two names that
// may name one file in such a folder have one form; names of two forms never do. A name of
// ASCII alone is its lower case.
QString faltform(const QString& name);

// Whether two names may name one file where names are found without regard to case.
inline bool gleich_gefaltet(const QString& a, const QString& b)
{
    return faltform(a) == faltform(b);
}
