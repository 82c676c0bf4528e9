// The user's private stores (history, bookmarks, settings with the session and the downloads): files no one but their user may open.
#pragma once

#include <QString>

#include <functional>

class QFile;
class QIODevice;

// Makes the open file `fd` readable and writable by its user alone (0600): false with errno when
// that is refused. Done before any byte is written, so that no one else can open it meanwhile.
bool mache_privat(int fd);
// Makes the user's own file `pfad` private when others may open it, as earlier versions left
// it; another account's file stays as it is. False when it could not be made so.
bool mache_privat(const QString& pfad);

// Creates the missing folders of `pfad` readable by the user alone; true when the folder is there.
bool lege_private_ordner_an(const QString& pfad);

// `schreibe_ganz` for a private store: the new file is made private before `fuelle` writes into
// it. A file that is written in place (another account's, or where no file may be added) keeps
// its mode.
[[nodiscard]] QString schreibe_privat_ganz(const QString& pfad, const std::function<bool(QIODevice&)>& fuelle);
// Opens `datei` for appending as `oeffne_regulaere_datei` does; a file it makes is private.
bool oeffne_privat_zum_anhaengen(QFile& datei);
