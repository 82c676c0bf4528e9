// File work below an installation folder that never leaves it through a symbolic link.
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <mutex>

#include <sys/types.h>

// Opens a folder as the handle from which the walks below start; -1 with errno on failure.
int oeffne_ordnerhandle(const QByteArray& pfad);

// Opens `relativ` ("/"-separated) below the folder handle `basis`. A symbolic link is followed
// only while it stays below `basis`; one that leads out of it (or is absolute) ends the walk
// with EXDEV or ELOOP. An empty `relativ` opens the base itself; it need not end in a NUL (a
// view of a longer path names only its own part). -1 with errno on failure.
int oeffne_unterhalb(int basis, const QByteArray& relativ, int flags, mode_t modus = 0);

// True for the errno values with which a walk refuses a path that leaves its base.
bool verlaesst_ordner(int fehler);

// Whether the folder handle `fd`, kept across steps, still is the folder that `relativ` names
// below `basis`: one moved out of the target (or replaced) meanwhile is no longer the target's,
// and nothing is written or removed through it. False with errno: ENOENT where it is no longer,
// else why that could not be told.
bool ist_noch_unterhalb(int basis, const QByteArray& relativ, int fd);

// The parts of a "/"-separated path below a folder, without empty and "." parts.
QStringList namensteile(const QString& pfad);

// The protocol's line for a target folder that cannot be opened, by the errno: that it does not
// exist (nor anything of its name that is a folder), or that it cannot be opened.
QString zielordner_fehlertext(const QString& pfad, int fehler);

// An installation folder held open, and the folders below it known to exist. Threads may make
// folders in it at the same time.
class CZielordner
{
public:
    explicit CZielordner(const QString& pfad);
    ~CZielordner();
    CZielordner(const CZielordner&) = delete;
    CZielordner& operator=(const CZielordner&) = delete;

    // The folder's handle; -1 (with `fehler` set) when it cannot be opened.
    int handle() const { return fd; }
    int gib_oeffnungsfehler() const { return fehler; }

    // The levels of `relativ` as `lege_an` walks them ("a/", "a/b/", ...), as far as a path can
    // be long.
    static QStringList stufen(const QString& relativ);

    // Creates the folder `relativ` ("/"-separated, without "." or ".." parts) with every missing
    // level, none of them reached through a link that leaves the folder. Each of its levels that
    // this object made (in this call or in another thread's) is added to `angelegt` as its
    // relative path ending in "/". 0 on success, else the errno of the first level that failed:
    // the walk stops there, and `fehlstufe` holds that level's relative path.
    int lege_an(const QString& relativ, QStringList& angelegt, QString& fehlstufe);
    // Removes a folder that this object made ("/" at the end) when it is empty: a folder made ahead
    // for entries that a stopped run never reported. True where the path still names the folder
    // this object made (it holds something, and stays); false where nothing of this object's is
    // there: removed, never made by it, or moved away meanwhile (whatever was put in its place is
    // not the run's, and stays as it is).
    bool entferne_wenn_leer(const QString& relativ);

private:
    // What tells a folder from any other (`kenne`): its device and inode; where its file system
    // gives an untouched folder a new inode once it leaves the cache (an overlay over two file
    // systems, FUSE), its birth time instead, which no later folder has (none where the file
    // system keeps none: such a folder cannot be told).
    struct CKennung
    {
        dev_t geraet = 0;
        ino_t knoten = 0;
        bool neu_nummeriert = false;
        bool mit_geburt = false;
        qint64 geburt_s = 0;
        quint32 geburt_ns = 0;
    };
    // Looks at the folder `name` in `ordner`; false where it cannot be looked at.
    static bool kenne(int ordner, const QByteArray& name, CKennung& kennung);
    // A known level: whether this object made it, and then the folder it made (none where that
    // could not be looked at, and its path is trusted).
    struct CStufe
    {
        bool gemacht = false;
        bool mit_kennung = false;
        CKennung kennung;
    };
    // The known levels, in stripes by name: a level is looked up and made under its stripe's
    // lock, so that whether this run made it is always known, while other levels are made at the
    // same time.
    struct CStreifen
    {
        std::mutex mutex;
        QHash<QString, CStufe> bekannt;
    };

    CStreifen& streifen_fuer(const QString& stufe) { return streifen[qHash(stufe) % streifen.size()]; }

    int fd = -1;
    int fehler = 0;
    std::array<CStreifen, 32> streifen;
};

// A folder handle shared by the files written in it: closed with the last of them.
class COrdnerhandle
{
public:
    explicit COrdnerhandle(int fd) : fd_(fd) {}
    ~COrdnerhandle();
    COrdnerhandle(const COrdnerhandle&) = delete;
    COrdnerhandle& operator=(const COrdnerhandle&) = delete;
    int fd() const { return fd_; }

private:
    const int fd_;
};

// The folder of temporary files in the folder `ordner`, opened (O_PATH) without following a
// link: a folder of the program's own (see `ist_eigener_name` for its names), with `anlegen` made
// where none is there. -1 with errno; EEXIST: something else stands at each of its names.
int oeffne_tempordner(int ordner, bool anlegen);
// The line that refuses a run on the target `ziel` (its handle `ordner`) before it changes
// anything, where something else stands at every name of the folder of temporary files (made
// where none is there); empty where the run may go on.
QString tempordner_fehlertext(const QString& ziel, int ordner);

// A temporary file created exclusively in the folder's folder of temporary files (made when
// missing): `tempordner` receives that folder's handle (one it holds from an earlier call for the
// same folder is used), `temp` the file's name there; its name is short and independent of the
// target's, so every name the file system accepts can be written through it. The returned handle
// holds the file's lock (flock): while it or a duplicate of it stays open, no run removes the
// file as a leftover, so it is closed only after the file has its name or is removed.
int oeffne_temporaer(int ordner, mode_t modus, std::shared_ptr<COrdnerhandle>& tempordner, QByteArray& temp);

// What a run learns once about the file system of its target folder, before any file is written:
// whether files can be made there without a name and given one later, and whether two names
// that differ only in case name one file.
struct CNamensregeln
{
    bool unbenannt = false;
    bool gross_klein_gleich = false;
};
// Finds them out with a temporary file of its own that it removes again.
CNamensregeln pruefe_namensregeln(int ordner);

// A new file in the folder that does not show under any name until it is complete: with
// `unbenannt` an unnamed file (O_TMPFILE, `temp` left empty; `verlinke_unbenannt` gives it its
// name), else, or where the folder's file system has none, a temporary file (`temp` holds its
// name in `tempordner`, as by `oeffne_temporaer`). -1 with errno on failure.
int oeffne_neue_datei(int ordner, mode_t modus, std::shared_ptr<COrdnerhandle>& tempordner, QByteArray& temp,
                      bool unbenannt);

// Gives the unnamed file the name in the folder; nothing of that name is replaced. False with
// errno (EEXIST when the name is taken).
bool verlinke_unbenannt(int fd, int ordner, const QByteArray& name);
// Gives the unnamed file a fresh temporary name in the folder's folder of temporary files
// (`tempordner` and `temp` as by `oeffne_temporaer`); the file is locked first. False with errno.
bool verlinke_temporaer(int fd, int ordner, std::shared_ptr<COrdnerhandle>& tempordner, QByteArray& temp);

// Writes all bytes; false with errno on an error.
bool schreibe_ganz(int fd, const char* daten, qint64 anzahl);

// Closes a temporary file's handle so that a failed write shows (close reports what the file
// system could not store), while the file stays locked: `fd` becomes a duplicate that holds the
// lock until the file has its name. False with errno when the write failed (`fd` is still open).
bool schliesse_behalte_sperre(int& fd);

// Copies `anzahl` bytes from the start of the file `von` to the end of `nach`; false with errno.
bool kopiere_inhalt(int von, int nach, qint64 anzahl);

// Writes the file `name` in the folder atomically, its content written by `schreibe` to the
// handle it is given (once more to a fresh one where an unnamed file cannot be named): a temporary file, flushed to disk, takes the name at the end, and the
// folder is flushed too. A symbolic link of that name is replaced by the file, never written
// through; another account's file or link in a sticky folder others may write is left alone
// (EACCES, see `ist_fremd_im_geteilten_ordner`). False with errno on failure (`schreibe` sets it when it fails); the old file then stays
// as it was.
bool schreibe_atomar(int ordner, const QByteArray& name, const std::function<bool(int fd)>& schreibe);

// Whether a part of a path is a name the program uses for its own purposes: its folder of
// temporary files (".aktualisierer-temp", or, where something else stands there, the next of
// ".aktualisierer-temp-2" to "-4"), or the shape of a temporary file's name. No archive entry
// takes such a name.
bool ist_eigener_name(QStringView teil);

// Removes the folders of temporary files in the folder that are empty (those of the program's
// own only): a run does so once its files have their names.
void entferne_tempordner(int ordner);

// Removes the temporary files that killed runs left in the folder (in its folders of temporary
// files, which go too once empty): those that no live process holds locked. The target's lock (`CZielsperre`) is not enough, as a run into a folder below
// this target holds only its own; and the process id in a name says nothing, it is soon taken
// again. A name that is no regular file, or a file that cannot be opened to test its lock, stays.
void entferne_verwaiste_tempdateien(int ordner);
