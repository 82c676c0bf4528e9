// Where the application stands on disk: its folders, the personal folder, and the file and image searches.
#pragma once

#include "cqstring.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <memory>

// The running program's file.
QFileInfo gib_programmdatei();
// The folder of the running program.
QDir gib_programmverzeichnis();
// The application root: the program folder, its parent (when `suchen`) or the folder
// "KelmorQt" beside that, whichever first holds "support/"; `start` (a file path) replaces the
// program as starting point when `suchen`. Found once and kept while `suchen`; `neu` forgets
// it. Without a root the program folder is returned and, when `suchen`, an error is logged.
QDir gib_anwendungsverzeichnis(const bool& suchen = true, const CQString& start = CQString(),
                               const bool& neu = false);
// root + "/support", + "/" + language code when `sprache` and the language is not "de".
QDir gib_support_verzeichnis(const bool& sprache);
// root + "/system", + "/" + language code when `sprache` and the language is not "de".
QDir gib_anwendungs_unterverzeichnis(const bool& sprache);
// root + "/support" + "/" + code unless the code is "de"; an empty code means the current language.
QDir gib_sprachverzeichnis(const CQString& sprachcode);
// Qt's translation folder when it holds "kelmor_en.qm", else root + "/translations".
QDir suche_qm_verzeichnis();
// The personal folder: the documents folder when it exists, else the home folder; found once.
QDir gib_eigene_dateien();
// The home folder, or the current folder (with a warning) when there is none.
QDir gib_home_verzeichnis();
CQString gib_pfadtrenner();

// A file a search took, open for reading: `pfad` names it in messages, and what is read comes from
// `datei`, never from the name again (another file may stand there by then). `datei` is null when
// none was taken.
struct SGefundeneDatei
{
    QString pfad;
    std::unique_ptr<QFile> datei;
};

// The file `name` in the folder `ordner` opened for reading when the rule of every look-up takes
// it (see eigentum.h); `pfad` is ordner + "/" + name either way. A file passed over for its owner
// is named by a warning in the log, or, given `uebergangen`, added to that list instead (for a
// caller whose log is not ready yet).
SGefundeneDatei oeffne_datei_in(const QString& ordner, const QString& name, QStringList* uebergangen = nullptr);
// The first file taken of current folder, personal folder, application sub-folder (with
// `sprache` its language variant first, then the plain one) and, with `support`, the support
// folder, each + "/" + `name`, opened for reading; empty when none is taken. Here and in the
// other searches only a regular file counts: a folder, pipe or device of the name is passed over;
// so is, wherever it lies, a file that is not the user's own (another user's, or one others may
// change by its mode, a shared group or its access control list, or in the home a folder of its
// way others may change: see eigentum.h), named as `oeffne_datei_in` names it. Each file is judged by what was opened, and
// read from there.
SGefundeneDatei oeffne_gesuchte_datei(const QString& name, bool support, bool sprache,
                                      QStringList* uebergangen = nullptr);
// The path `oeffne_gesuchte_datei` takes, for a caller that only asks whether there is one.
QString suche_datei(const QString& name, const bool& support, const bool& sprache);
// The warning of the searches for each file passed over.
void melde_uebergangen(const QStringList& uebergangen);
// The logo ("logo" or, with `zweites`, "logo2", as png, jpg, gif or bmp; with `punkt` a hidden
// file ".logo...") for a page in the folder `ziel` (empty: the personal folder). A logo found in
// the personal, application or support folder is copied to `ziel`. The result is "./" + name
// when `relativ`, else a "file:" address; "Logo_Datei_nicht_vorhanden" when there is none.
QString suche_logo(const QString& ziel, const bool& punkt, const bool& zweites, const bool& relativ);
// `name` itself when it is taken; with a suffix the file search; else the first taken of
// name.png, .gif, .jpg, .bmp in the personal, current, application and (with `support`) support
// folders, opened for reading. When none is taken, `pfad` is the last candidate tried.
SGefundeneDatei oeffne_hintergrundbild(const QString& name, bool support);
// The path `oeffne_hintergrundbild` takes (or tried last).
QString suche_hintergrundbild(const QString& name, const bool& support);

// File name, folder (the path itself when it is a folder) and suffix of a path; "" for "".
CQString gib_dateiname_von(const CQString& pfad);
CQString gib_verzeichnis_von(const CQString& pfad);
CQString gib_endung_von(const CQString& pfad);
// A drive letter before ":" in upper case; other paths unchanged.
QString laufwerk_gross(const QString& pfad);
