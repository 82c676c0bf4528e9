#include "bilder.h"

#include "verzeichnisse.h"

#include <QImageReader>
#include <QString>

#include <map>
#include <tuple>

namespace {

// Name, size kind and variant: the folder is deliberately not part of the key, so the first
// folder an image was asked from decides for the program's life.
using Schluessel = std::tuple<QString, int, int>;

// Built on first use and never destroyed: the pixmaps must not outlive the application object
// in a destructor run at exit.
std::map<Schluessel, QPixmap*>& cache()
{
    static auto* bilder = new std::map<Schluessel, QPixmap*>;
    return *bilder;
}

QString endung(int groesse)
{
    switch (groesse) {
    case 0: return QStringLiteral("_16.png");
    case 2: return QStringLiteral(".png");
    default: return QStringLiteral("_22.png");
    }
}

const CQString& logo_verzeichnis()
{
    static const CQString ordner(":/Kelmor_common/images/");
    return ordner;
}

} // namespace

const CQString& gib_bildverzeichnis()
{
    static const CQString ordner(":/Kelmor_common/images/default/");
    return ordner;
}

QPixmap* lade_pixmap(const CQString& ordner, const CQString& name, int groesse, int variante, bool support)
{
    const Schluessel schluessel(name, groesse, variante);
    auto& bilder = cache();
    const auto gefunden = bilder.find(schluessel);
    if (gefunden != bilder.end())
        return gefunden->second;

    auto* pixmap = new QPixmap;
    const QString datei = name + endung(groesse);
    if (!ordner.isEmpty()) {
        pixmap->load(ordner + datei);
    } else {
        SGefundeneDatei bild = oeffne_gesuchte_datei(datei, support, false);
        if (!bild.datei)
            bild = oeffne_gesuchte_datei(name + QStringLiteral(".png"), support, false);
        // The picture that was judged is read, not whatever bears its name by now.
        if (bild.datei) {
            QImageReader leser(bild.datei.get());
            *pixmap = QPixmap::fromImageReader(&leser);
        }
    }
    // Kept also when loading failed, so that a missing image is searched for only once.
    bilder.emplace(schluessel, pixmap);
    return pixmap;
}

QIcon gib_icon_aus_ordner(const CQString& ordner, const CQString& name, bool support)
{
    QPixmap* klein = nullptr;
    QPixmap* gross = nullptr;
    if (!ordner.isEmpty()) {
        klein = lade_pixmap(ordner, name, 0, 0, true);
        gross = lade_pixmap(ordner, name, 1, 0, true);
    } else {
        klein = lade_pixmap(ordner, name, 0, 0, support);
        // Without a 16-pixel file the small request fell back to name + ".png": that one image is
        // the whole icon.
        if (!suche_datei(name + QStringLiteral("_16.png"), support, false).isEmpty())
            gross = lade_pixmap(ordner, name, 1, 0, support);
    }
    QIcon icon;
    icon.addPixmap(*klein, QIcon::Normal, QIcon::Off);
    if (gross)
        icon.addPixmap(*gross, QIcon::Normal, QIcon::Off);
    return icon;
}

QIcon gib_qicon(const CQString& name, bool support) { return gib_icon_aus_ordner(CQString(), name, support); }
QIcon gib_icon(const CQString& name) { return gib_icon_aus_ordner(gib_bildverzeichnis(), name, true); }
QIcon gib_icon_configure() { return gib_icon(CQString("configure")); }
QIcon gib_icon_data() { return gib_icon(CQString("data")); }
QIcon gib_icon_exit() { return gib_icon(CQString("exit")); }
QIcon gib_icon_filesaveas() { return gib_icon(CQString("filesaveas")); }
QIcon gib_icon_help() { return gib_icon(CQString("help")); }
QIcon gib_icon_minicross() { return gib_icon(CQString("minicross")); }
QIcon gib_icon_print() { return gib_icon(CQString("print")); }

QPixmap* gib_pixmap_print(int groesse, int variante)
{
    return lade_pixmap(gib_bildverzeichnis(), CQString("print"), groesse, variante, true);
}

QPixmap gib_logo_pixmap() { return *lade_pixmap(logo_verzeichnis(), CQString("kelmor"), 2, 0, false); }
