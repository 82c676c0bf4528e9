// Writing, copying, moving and removing files, the word-size probe of Windows executables (PE
// files), and the checks that keep a folder, pipe or device of a sought name from being taken for a file.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <sys/types.h>

class QFileDevice;

// The system's text of the error number `nummer` (errno), in the locale's language: the cause
// that a message appends.
QString systemfehler(int nummer);
// `text` with the cause `nummer` (errno) appended after a colon, as every message gives it.
QString mit_systemfehler(const QString& text, int nummer);
// True when `pfad` names a regular file (also through a link). A folder, pipe, socket or device
// counts as no file: reading one fails or waits for a partner that never comes. Every search for
// a named file asks this.
bool ist_datei(const QString& pfad);
// Opens `pfad` with the open(2) flags `modus` without waiting: opening a pipe waits for its
// other end, a device may never answer. Only a regular file is opened (what stands at the name is
// looked at first, so that a pipe or device is not opened at all), and from then on it is read
// and written blocking as usual; a file it creates gets `rechte` (less the umask). Links are
// followed as `echter_pfad` follows them, part by part by their descriptors (see
// `oeffne_ueber_ordner`), and where `modus` writes, another account's file in a sticky folder
// others may write is not opened (O_TRUNC cuts only a file that passed). The descriptor, or -1
// with errno (EINVAL for something that is not a regular file, EACCES for a link or file of
// another account in such a folder).
int oeffne_regulaere_datei(const char* pfad, int modus, unsigned rechte = 0666);
// `datei`, named by its file name, opened in `modus` as QFile::open opens it, but by the rule
// above: false, without waiting, for a pipe, socket or device (also behind a link), and when the
// open fails; errno says why (the file's own error text does not). `weitere` adds open(2) flags
// such as O_NOFOLLOW.
bool oeffne_regulaere_datei(QFile& datei, QIODevice::OpenMode modus, int weitere = 0);
// `datei` opened in `modus` on the descriptor `fd`, which it closes with itself; false, `fd`
// closed and errno EBADF, when Qt refuses it.
bool oeffne_auf_deskriptor(QFile& datei, int fd, QIODevice::OpenMode modus);
// The whole content of the regular file `pfad` (bytes of the name as they are). False, and
// `inhalt` unchanged, when it is something else, cannot be opened or a read fails; a pipe or
// device is never waited for. A file of more than `hoechstens` bytes is not read on: false, with
// errno EFBIG, so that no file handed in fills the memory.
bool lies_datei(const std::string& pfad, std::string& inhalt,
                std::size_t hoechstens = std::numeric_limits<std::size_t>::max());
// Appends `daten` to `pfad`, creating the file when missing; only a regular file is written to. False when that was not so, or the write failed; a pipe or device is never waited for.
// `weitere` adds open(2) flags such as O_NOFOLLOW.
bool haenge_an_datei(const std::string& pfad, const std::string& daten, int weitere = 0);

// The file `pfad` names as the file system finds it: every link of the chain followed, relative
// ones from the folder they really lie in (a link inside a linked folder too). A last link that
// names no file yet gives the file it would make; `pfad` itself when a folder on the way is missing.
// A link that another account planted in a sticky folder others may write is not followed, as the
// kernel's protected_symlinks would refuse it (see `ist_fremd_im_geteilten_ordner`): the result is
// then empty, and `fehler`, when given, names the link.
QString echter_pfad(const QString& pfad, QString* fehler = nullptr);
// The file a writer writes for `pfad`: `echter_pfad`, and not where another account's file (or
// pipe, device, folder) stands in a sticky folder others may write (the kernel's
// protected_regular). Empty when refused, and `fehler` names the link or the file; otherwise
// `fehler` is empty.
QString schreibziel(const QString& pfad, QString& fehler);

// Gives the new file `fd`, which is to take the place of the file `ziel`, what that file has:
// owner, group, extended attributes (its access control list among them) and mode. True when the
// new file may take the place: all was kept, there is no file, or it cannot be written in place
// (not writable by this user, or more names than one: a write in place would change them all);
// then as much as could be. False when the file is to be written in place instead (another
// user's file in a shared folder, say).
bool bereite_ersatz_vor(const QString& ziel, int fd);
// `anzahl` bytes of the open file `von` from `ab_von` to the open file `nach` at `ab_nach`. False
// with errno when a read or write failed or `von` ended before (EIO).
bool kopiere_bereich(int von, off_t ab_von, int nach, off_t ab_nach, off_t anzahl);
// What `ueberschreibe` left: the new bytes whole; the file as it was; the file as it was but longer
// (its cut back failed); or its first bytes changed only in part.
enum class Ueberschrieben { ganz, unberuehrt, laenger, beschaedigt };
// The `laenge` bytes of `von` (from its start) over the open file `fd`, which holds `alt` bytes, on
// the disk. The growth comes first, so that missing room (a full disk, the file-size limit) leaves
// the file as it was, cut back to `alt` bytes; only then do its first bytes change. errno says why
// it is not `ganz`.
Ueberschrieben ueberschreibe(int von, int fd, off_t laenge, off_t alt);
// Whether `ziel` is a regular file this user may write: one that a write in place can replace.
bool ist_schreibbar(const QString& ziel);
// Writes the content of `neu` (from its start) into the existing file `ziel` in place, so that
// it stays the same file: owner, group, access list, attributes and every name stay. The file
// first grows by what the new content needs, so that a full disk or the file-size limit leaves
// it as it was; the old bytes are kept first where they outlive the process (`CAlteFassung`: a
// process killed mid-way has them put back at the next start) and written back when a later
// write fails. Empty on success, else the failure's text (it names the folder when the old bytes
// found no room, and says where they lie when they could not be written back either). Another
// account's file in a sticky folder others may write is refused (`schreibziel`).
[[nodiscard]] QString schreibe_an_ort(const QString& ziel, int neu);

// Writing a file whole: the file is replaced only by a complete copy, one for which every write,
// the last flush and the file's own error state have vouched (QSaveFile::commit alone can report
// success after the last buffered bytes failed, and the old file is then lost to a cut-short one).
// A target that exists and is no regular file (a device, a pipe, also behind a link) is neither
// replaced nor waited for: it does not open; nor is a link or file that another account planted
// in a sticky folder (`schreibziel`). Behind links the file the chain names is written
// (`echter_pfad`), and it keeps what `bereite_ersatz_vor` keeps; where that is not possible, or no
// file may be added in its folder, the complete copy is written into it in place
// (`schreibe_an_ort`).
//
// Opens `pfad` for writing whole, `zusatz` (QIODevice::Text, say) added to the write mode. The
// device is always returned: open, or closed with the reason in its errorString().
std::unique_ptr<QFileDevice> oeffne_ganz(const QString& pfad, QIODevice::OpenMode zusatz = {});
// Writes out what `datei` still buffers: true only when all of it reached the file and no earlier
// write failed. A commit of QSaveFile alone misses a failure of this last flush; a writer handed a
// QSaveFile by someone else (Qt's settings, say) calls it before the commit.
[[nodiscard]] bool schreibe_puffer(QFileDevice& datei);
// Ends a write begun by `oeffne_ganz`; `gelungen` false when the writer itself saw a write fail.
// Empty when the file now holds exactly what was written; otherwise the failure's text, the new
// content is dropped and the old file stays byte for byte. The device is closed either way.
[[nodiscard]] QString beende_ganz(QFileDevice& datei, bool gelungen = true);
// Both in one: `fuelle` writes the content into the opened file and answers whether every write
// succeeded. Empty on success, else the failure's text (the old file stays).
[[nodiscard]] QString schreibe_ganz(const QString& pfad, const std::function<bool(QIODevice&)>& fuelle);
[[nodiscard]] QString schreibe_ganz(const QString& pfad, const QByteArray& inhalt);

// Gives the file `von` the name `nach` only where no file has that name. False with errno (EEXIST
// where the name is taken).
bool benenne_um(const QString& von, const QString& nach);

// A file that was not read whole is kept aside before anything replaces it: its bytes stay, under
// `pfad` + ".beschaedigt" (then ".beschaedigt-2", ...), as a second link to the same data where the
// file system allows it, else as a copy. Behind a link it is the file the link names that is
// kept. The name it now has, or empty when it could not be kept (then nothing may replace it).
QString lege_beiseite(const QString& pfad);

// 0 copied, 1 the source cannot be opened or read, 2 the target cannot be opened or written.
// The target is replaced only by a complete copy. Unless `ohne_cursor` the wait cursor shows
// and the event loop runs (without user input) between blocks; `ohne_kopf` drops the first
// three bytes of the source (a byte-order mark).
int kopiere_datei(const QString& quelle, const QString& ziel, const bool& ohne_cursor,
                  const bool& ohne_kopf);
// The copy's result, or 3 when the source cannot be removed after the copy (both files stay).
// The source is removed only after a complete copy; a file moved onto itself stays (0).
int verschiebe_datei(const QString& quelle, const QString& ziel, const bool& ohne_cursor);
// 0 removed, 1 not removed.
int loesche_datei(const QString& name);

// Word size of an executable: 0 for 32 bit (machine 0x14C), 1 for 64 bit (a machine whose low
// byte is 0x64, x64 and Arm64), -1 for anything that is not such a PE file or cannot be read.
int gib_pe_bitness(const QString& dateiname);
// The same probe over the first bytes of a file (at most the first 1000 are looked at).
int gib_pe_bitness_von(const QByteArray& kopf);
