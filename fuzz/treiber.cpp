// Replays fuzz inputs (files, or every file in a folder) through a fuzz target without libFuzzer.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse);

namespace {

int spiele_ab(const QString& pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(pfad));
        return 1;
    }
    const QByteArray daten = datei.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(daten.constData()),
                           static_cast<std::size_t>(daten.size()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    int fehler = 0, anzahl = 0;
    for (int i = 1; i < argc; ++i) {
        const QString pfad = QString::fromLocal8Bit(argv[i]);
        if (QFileInfo(pfad).isDir()) {
            QDirIterator it(pfad, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                fehler += spiele_ab(it.next());
                ++anzahl;
            }
        } else {
            fehler += spiele_ab(pfad);
            ++anzahl;
        }
    }
    std::printf("%d inputs replayed\n", anzahl);
    return fehler == 0 && anzahl > 0 ? 0 : 1;
}
