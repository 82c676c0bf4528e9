// A completed target file that takes its name later, on the naming side of an install.
#pragma once

#include <QByteArray>

#include <memory>
#include <sys/stat.h>
#include <sys/types.h>

class COrdnerhandle;

// The owner the kernel checks file access against.
uid_t eigene_uid();

// Whether an existing target may be replaced: a folder never, a file only while it is writable
// (a file without any write bit counts as read-only, also for the superuser).
bool ist_ersetzbar(const struct stat& st, int ordner, const QByteArray& name);

// A target file whose data is complete but which does not carry its name yet: an unnamed file
// held open, or a temporary file beside the target. `benenne` gives it the name; thrown away, it
// leaves nothing behind. A file whose folder did not exist yet waits in the deepest level that
// did, and is linked into its folder once that was made.
class CFertigeDatei
{
public:
    CFertigeDatei() = default;
    ~CFertigeDatei();
    CFertigeDatei(CFertigeDatei&& andere) noexcept;
    CFertigeDatei& operator=(CFertigeDatei&& andere) noexcept;

    bool ist_leer() const { return !ordner; }
    // Whether the file at its name already held the entry's data: there is nothing to name.
    bool ist_unveraendert() const { return unveraendert; }
    // Whether the file's own folder was missing when it was written (it must be made first).
    bool wartet_auf_ordner() const { return !rest.isEmpty(); }
    // Whether a file that it may replace held its name when it was completed: it is ready to
    // replace it in one step (or it is that file, unchanged).
    bool ersetzt_vorhandene() const { return ersetzt || unveraendert; }
    // Gives the file its name in its folder (the handle `zielordner` when the caller has it open,
    // else it is looked up): a new name is taken at once; an existing target is replaced only
    // when it is a writable file (or a link, which is replaced itself), and its permissions pass
    // to the new file. An unnamed file that replaces one is named for that moment in `wurzel`
    // (the target folder, which every run and the uninstall clear of what a killed run left),
    // else beside it. ENTPACK_OK, or ENTPACK_AUSGABE (the file is then thrown away).
    int benenne(int zielordner = -1, int wurzel = -1);
    // The same where no file holds the name yet: true when the file took it; else the file stays
    // as it was, for `benenne`.
    bool benenne_neu(int zielordner = -1);
    // The handle of the folder in which the file takes its name, when the file waits there.
    std::shared_ptr<COrdnerhandle> eigener_ordner() const { return rest.isEmpty() ? ordner : nullptr; }
    void verwirf();

private:
    friend class CZieldatei;
    int namensordner(int zielordner, bool& eigener) const;
    std::shared_ptr<COrdnerhandle> ordner;
    int fd = -1;
    QByteArray temp;
    // Whether the file was made under a temporary name (in its own folder's folder of temporary
    // files).
    bool hatte_temp = false;
    // The folder of temporary files in which `temp` lies: its own folder's, or the target
    // folder's, where a file that replaces another took its temporary name.
    std::shared_ptr<COrdnerhandle> temp_ort;
    // Its name was held by a file that it may replace when it was completed: it took that file's
    // permissions and a temporary name (see `CZieldatei::bereite_ersetzen_vor`).
    bool ersetzt = false;
    bool unveraendert = false;
    // The path from `ordner` to the file's own folder; empty when that is `ordner`.
    QByteArray rest;
    QByteArray name;
    QByteArray anzeige;
};
