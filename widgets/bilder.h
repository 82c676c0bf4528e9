// The one loader of images: tool-bar and menu icons, the product logo and the print pixmap, cached for the program's life.
#pragma once

#include "cqstring.h"

#include <QIcon>
#include <QPixmap>

// The image resource's default folder, ":/Kelmor_common/images/default/".
const CQString& gib_bildverzeichnis();

// The pixmap of `name` with the suffix of `groesse` (0 "_16.png", 2 ".png", else "_22.png"), from
// `ordner` in the resource, or searched on disk when `ordner` is empty. Cached by name, size
// kind and variant (not by folder), also when it could not be loaded; never null, may be a null
// pixmap. Owned by the cache.
QPixmap* lade_pixmap(const CQString& ordner, const CQString& name, int groesse, int variante, bool support);
QIcon gib_icon_aus_ordner(const CQString& ordner, const CQString& name, bool support);
// Searched on disk.
QIcon gib_qicon(const CQString& name, bool support);
// From the default folder.
QIcon gib_icon(const CQString& name);
QIcon gib_icon_configure();
QIcon gib_icon_data();
QIcon gib_icon_exit();
QIcon gib_icon_filesaveas();
QIcon gib_icon_help();
QIcon gib_icon_minicross();
QIcon gib_icon_print();
QPixmap* gib_pixmap_print(int groesse, int variante);
// ":/Kelmor_common/images/kelmor.png".
QPixmap gib_logo_pixmap();
