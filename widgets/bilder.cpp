#include "bilder.h"

// Placeholder until the loader is written: every image is a null pixmap.

const CQString& gib_bildverzeichnis()
{
    static const CQString ordner(":/Kelmor_common/images/default/");
    return ordner;
}

QPixmap* lade_pixmap(const CQString&, const CQString&, int, int, bool)
{
    static QPixmap* leer = new QPixmap;
    return leer;
}

QIcon gib_icon_aus_ordner(const CQString&, const CQString&, bool) { return QIcon(); }
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
QPixmap gib_logo_pixmap() { return *lade_pixmap(CQString(":/Kelmor_common/images/"), CQString("kelmor"), 2, 0, false); }
