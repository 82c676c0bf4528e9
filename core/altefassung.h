// The old bytes of a file written in place, kept in the user's own folder (or the temporary folder) until the write is done, and put back at the next start of any program of the system after a write that the end of its process cut off, into that file alone.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <sys/types.h>

// Made before the first byte of the file changes. It copies the old bytes into a new file of
// `gib_ordner_alter_fassungen()`, then records beside them which file they belong to (its name,
// device and inode with what no later file is given again: its birth time and, where the file
// system keeps one, its generation; its old length, mode and group; its folder's device and inode),
// and beside the record what the write leaves at any instant: the new length and a checksum of each
// piece of the new content (`stueckgroesse`), so that a start tells the file a killed write left
// from one that someone changed since. Where that folder has no room
// for copy and record or cannot be had, both lie in the temporary folder; a copy is never without
// its record. While the object lives it holds a lock on its copy, so that the start of another
// program leaves a write in progress alone; a process that ends before `erledigt` leaves copy and
// record for the next start (`nimm_hinweise_alter_fassungen`).
class CAlteFassung
{
    Q_DECLARE_TR_FUNCTIONS(CAlteFassung)
public:
    // A write in place changes a file in pieces of this many bytes from its start, split where its
    // old length ends: a process killed at any instant leaves each piece old or new whole. The
    // kernel writes page by page, and the writer's own writes end at such a piece's end.
    static constexpr off_t stueckgroesse = 4096;

    // Keeps the `laenge` bytes of the open file `fd`, which `ziel` names, before the `neue_laenge`
    // bytes of the open file `neu` (from its start) go over them. `fehler()` is empty when they
    // are kept with their record; otherwise it names the folders and the cause (the want of room
    // among them), nothing is left behind, and the file is not to be written in place.
    CAlteFassung(const QString& ziel, int fd, off_t laenge, int neu, off_t neue_laenge);
    // Closes the copy. Unless the write was `erledigt`, copy and record stay.
    ~CAlteFassung();
    CAlteFassung(const CAlteFassung&) = delete;
    CAlteFassung& operator=(const CAlteFassung&) = delete;

    const QString& fehler() const { return grund; }
    // The copy, open: the old bytes from its start.
    int handle() const { return kopie; }
    // The file is whole, new or old again: copy and record go.
    void erledigt();
    // The file `fd` holds the new content whole: copy and record go, and with them those of earlier
    // writes of this same file that the end of their process cut off; their old bytes are older
    // than this save, which no start is to undo.
    void ersetzt(int fd);
    // Where the write cannot be undone now: the old bytes take a name of their own in their
    // folder, and the record goes, so that no later start writes them over a file that has changed
    // since. Where they lie: that name, or their copy's when the renaming failed or another file
    // has that name (the record then stays for the next start).
    QString gib_auf();

private:
    // Removes copy and record, keeping errno.
    void verwirf();

    QString ziel;
    QString name;
    QString satzname;
    QString grund;
    int kopie = -1;
};

// The folder of the kept old bytes: "Quorbel/alte Fassungen" in the user's data folder
// ("~/.local/share"), made readable by the user alone. Empty, with errno, when it cannot be made or
// is not the user's own folder (a link, another's, or writable by others).
QString gib_ordner_alter_fassungen();

// Removes what a process left before its record was whole, and what a start kept half of a file
// whose record is gone: in the user's folder, and in the temporary folder the user's own files of
// the program's names ("Quorbel-...") an hour old.
// Puts back the old bytes of every write in place that the end of its process cut off (a copy
// whose lock no one holds, in the user's folder, or in the temporary folder where its record is
// the user's own file that no one else may write) into the file they came from, known surely by
// its birth time and generation, where it still holds what the cut left: each piece the old
// bytes' or the new content's, its length between the two. Where its file is gone, another, one
// that cannot be told from another (a record of the first form, a file system without birth
// times), one that someone changed since (or, by an earlier program's record, without checksums,
// may have changed: it is not the old bytes) or cannot be written,
// that file is left as it is and the old bytes are kept under a name of their own: beside it where
// the user may write there and the folder is the one it lay in at the save, readable as the file
// was, else in the user's folder. The file and its folder are reached by a walk that follows no
// other account's link, and only a regular file is opened. What the file held
// instead, where it differs from the old bytes (a change made since, too), is first kept under a
// name of its own beside the copy (a name no other file has). The old bytes go in growth first, so
// that a full disk leaves the file as it was, and what it held is written back where a later write
// fails. Where the file stays as it is for want of room or a name, copy and record stay for the
// next start, which tries again: nothing is lost, and the notice names the file and where
// everything lies (copy and record, and that the temporary folder outlives no reboot). A name of
// its own is only ever a new one: another account's file at it (in the temporary folder) is
// neither replaced nor removed. The folder's lock is waited for ten seconds at most. A copy is taken only while its name still holds the file its lock holds (another start
// may have finished with it meanwhile). The folder's lock is held only while the copies' own are
// taken. Every program of the system does this when its application object is made (a start-up
// function of the core).
void stelle_alte_fassungen_wieder_her();
// The notices of `stelle_alte_fassungen_wieder_her` not yet taken: which file was made whole
// again, and where old bytes lie. Each program shows them where it shows its other start notices.
QStringList nimm_hinweise_alter_fassungen();
