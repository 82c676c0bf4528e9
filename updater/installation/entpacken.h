// Writing the archive's current entry to disk, safely: extraction codes, folder creation, file time.
#pragma once

#include "fertigedatei.h"
#include "ziparchiv.h"

#include <QByteArray>
#include <QString>

#include <cerrno>
#include <exception>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <sys/types.h>
#include <ctime>

class COrdnerhandle;
class CParallelschleife;


// Extraction codes; `gib_entpack_fehlertext` gives their protocol texts.
enum EntpackCode : int {
    ENTPACK_OK = 0,
    ENTPACK_INFO = -106,           // the entry's information cannot be read
    ENTPACK_SPEICHER = -107,       // the copy buffer cannot be allocated
    ENTPACK_OEFFNEN = -108,        // the entry cannot be opened for reading
    ENTPACK_AUSGABE = -109,        // the output file cannot be created or replaced
    ENTPACK_LESEN = -110,          // reading the entry's data failed
    ENTPACK_SCHREIBEN = -111,      // the output file cannot be written completely
    ENTPACK_SCHLIESSEN = -112,     // closing the entry failed (among others a CRC mismatch)
    ENTPACK_NAME = -113,           // the entry's name could lead outside the target folder
    ENTPACK_VERSCHLUESSELT = -114, // the entry is encrypted
    ENTPACK_STEUERZEICHEN = -115,  // the entry's name holds a control character
    ENTPACK_VOLL = -116,           // the file system of the target has no room (space or inodes) for the file
    ENTPACK_VERSCHOBEN = -117,     // the file's folder was moved out of the target while the run wrote it
};

// Whether an errno says that the file system has no room: no space, no free inode, or the quota.
inline bool ist_platzmangel(int fehler)
{
    return fehler == ENOSPC || fehler == EDQUOT;
}

// The code of an entry whose work threw: ENTPACK_SPEICHER where memory ran out, else
// ENTPACK_SCHREIBEN.
int gib_ausnahmecode(std::exception_ptr ausnahme);

QString gib_entpack_fehlertext(int code);

// Short English diagnostics on standard output (not part of the protocol).
void entpack_ausgabe(const char* format, ...) __attribute__((format(printf, 1, 2)));

// While it lives, the diagnostics of this thread are gathered in `ziel` instead of being printed:
// a worker's lines are printed by the thread that reports the entries, in the archive's order.
class CEntpackAusgabeSammler
{
public:
    explicit CEntpackAusgabeSammler(QByteArray& ziel);
    ~CEntpackAusgabeSammler();
    CEntpackAusgabeSammler(const CEntpackAusgabeSammler&) = delete;
    CEntpackAusgabeSammler& operator=(const CEntpackAusgabeSammler&) = delete;

private:
    QByteArray* vorher;
};

// ENTPACK_STEUERZEICHEN for a name with a control character; ENTPACK_NAME for one that is empty,
// absolute, holds a drive letter or ":" (an uninstall key with ":" counts as absolute), a ".."
// part or a double quote; else ENTPACK_OK.
int pruefe_eintragsname(const QString& name);

// Creates the folder with all missing levels: 0 on success or when it exists, 1 on failure.
int lege_verzeichnis_an(const QString& pfad);

// Whether the file looked at (without following a link) may hold an entry of `groesse` bytes
// already, to be compared with its data and left as it is when alike: a plain file of the user's
// own, of that size, with no other name. Everything a replacement would change besides the data
// (owner, a link, another name sharing the file) then stays the same; a read-only file, which no
// replacement may change, needs no change either.
bool kann_gleich_sein(const struct stat& st, quint64 groesse);

// Sets the modification time of the open file to the DOS date (high half) and time (low half),
// read as local time; the access time stays.
bool setze_dateizeit(int fd, unsigned long dos_datum_zeit);

// Where the bytes of an entry go while it is extracted.
class CEntpackZiel
{
public:
    virtual ~CEntpackZiel();
    // Starts the target file: `name` (relative, "/" as separator) below `ziel`, or its bare file
    // name in `ziel` when `ohne_pfad`; `groesse` and `crc` are the entry's stated size and CRC-32.
    // 0, or an extraction code that is known at once.
    virtual int beginne(const QString& ziel, const QString& name, bool ohne_pfad, unsigned long dos_zeit,
                        quint64 groesse, quint32 crc) = 0;
    // The block into which the next data is read; empty when none can be had.
    virtual QByteArray& puffer() = 0;
    // The first `anzahl` bytes of the block are the file's next data; false when they cannot be
    // written, or when `von_vorn` asks for the data from its start.
    virtual bool schreibe(int anzahl) = 0;
    // After a failed `schreibe`: the target wants the entry's data again from its first byte (it
    // kept none of what came so far).
    virtual bool von_vorn() const { return false; }
    // Ends the file: keeps it when its data was complete and sound, else throws it away. The
    // extraction code, or 0 when the result follows later.
    virtual int beende(bool behalten) = 0;
};

// A target file: made in its folder without a name (see `CFertigeDatei`), which it takes only at
// the end. The folder is reached from the target folder's handle without leaving it through a
// link; consecutive files of one folder share its handle.
class CZieldatei : public CEntpackZiel
{
public:
    // `sofort`: the file takes its name in `beende`; else `beende` only completes it and
    // `nimm_fertige` hands it over, and a missing folder is left to the one who names the file.
    // `unbenannt`: files are made without a name (see `pruefe_namensregeln`).
    explicit CZieldatei(bool sofort = true, bool unbenannt = true);
    ~CZieldatei() override;
    CZieldatei(const CZieldatei&) = delete;
    CZieldatei& operator=(const CZieldatei&) = delete;

    int beginne(const QString& ziel, const QString& name, bool ohne_pfad, unsigned long dos_zeit,
                quint64 groesse, quint32 crc) override;
    QByteArray& puffer() override;
    bool schreibe(int anzahl) override;
    bool von_vorn() const override { return neu_anfangen; }
    int beende(bool behalten) override;

    // An existing file of the user's own at the target's name, of the entry's size, is first
    // compared with the entry's data: when it holds that data already, it stays as it is (only its
    // time is set), and nothing is written or named. Off where two names may mean one file (a
    // target that does not tell upper from lower case): the file there may be another entry's.
    void setze_vergleich(bool an) { vergleich_erlaubt = an; }

    bool schreibe_daten(const char* daten, int anzahl);
    // The file completed by the last `beende`, still without its name; empty when there is none.
    CFertigeDatei nimm_fertige();

protected:
    // Whether the run was broken off: a long look at the old file stops early.
    virtual bool abgebrochen() const { return false; }

private:
    int verzeichnis(const QByteArray& basis, const QByteArray& relativ);
    // Makes the file in the folder `ordner_fd`: true, or false with errno.
    bool oeffne_datei(int ordner_fd);
    // What holds the target's name in the folder `ordner_fd`, looked at once per file; null when
    // nothing does (`ziel_frei`) or it cannot be looked at.
    const struct stat* schaue_ziel_an(int ordner_fd);
    void oeffne_als_ersatz(int ordner_fd);
    void bereite_ersetzen_vor();
    // Opens the file at the target's name for the comparison, when it may be left as it is.
    void beginne_vergleich(int ordner_fd, quint64 groesse, quint32 crc);
    // Whether the CRC-32 of the file's first `groesse` bytes is `crc`; false also where they
    // cannot all be read, or the run was broken off. A large file is read in parts on helper
    // threads as well.
    bool hat_pruefsumme(int fd, quint64 groesse, quint32 crc);
    // Whether the old file's next bytes are the block's first `anzahl`.
    bool vergleiche(int anzahl);
    void beende_vergleich();

    const bool sofort;
    const bool unbenannt;
    QByteArray block;
    QByteArray basis_pfad;
    // The target folder's handle; the files that take their temporary names there share it, and
    // its folder of temporary files.
    int basis_fd = -1;
    std::shared_ptr<COrdnerhandle> basis_handle;
    std::shared_ptr<COrdnerhandle> basis_temp;
    QByteArray ordner_pfad;
    std::shared_ptr<COrdnerhandle> ordner;
    std::shared_ptr<COrdnerhandle> ordner_temp;
    // The permissions a new file of `ordner` is made with, once a replacement needed them;
    // whether `ordner` lies on the file system of the target folder (`basis_geraet`).
    std::optional<mode_t> neuer_modus;
    std::optional<bool> gleiche_platte;
    std::optional<dev_t> basis_geraet;
    // Whether the target folder lies in memory (tmpfs).
    bool basis_im_speicher = false;
    // The look at the target's name (see `schaue_ziel_an`); whether the file being written replaces
    // what it found there and was made under a temporary name.
    bool ziel_gesehen = false;
    std::optional<struct stat> ziel_stand;
    bool ziel_frei = false;
    bool ersatz = false;
    QByteArray ordner_rest;
    // The file being written, then the completed one.
    CFertigeDatei datei;
    unsigned long dos_zeit = 0;
    // The old file while it is compared with the entry's data (-1 when not), the entry's CRC-32,
    // the bytes found alike so far, and whether the data must come again for a file made after a
    // difference.
    bool vergleich_erlaubt = false;
    int alt_fd = -1;
    struct timespec alt_zeit{};
    quint64 alt_groesse = 0;
    quint32 alt_crc = 0;
    quint64 verglichen = 0;
    QByteArray alt_block;
    bool neu_anfangen = false;
    // The threads that help sum a large old file, from the first one on.
    static constexpr int pruef_helfer = 3;
    std::unique_ptr<CParallelschleife> pruefer;
};

// Size of the blocks in which entries are read and written.
constexpr int entpack_blockgroesse = 256 * 1024;

// Writes the current entry below the target folder, keeping its folder path unless `ohne_pfad`.
// The entry's data is read through the entry (`archiv` is the archive it was read from). The file
// is kept only when the data came out complete, with the stated size and CRC; on any error the
// old file stays as it was. The code of the reading side (0 when the entry was sound);
// a target that writes later reports its own result.
int entpacke_eintrag(unzFile archiv, const CZipEintrag& eintrag, const QString& ziel, bool ohne_pfad,
                     CEntpackZiel& ausgabe);

// Reads the current entry to its end (so that its size and CRC are verified) and keeps its first bytes.
int lies_eintrag_anfang(unzFile archiv, const CZipEintrag& eintrag, int anzahl, QByteArray& anfang,
                        QByteArray& puffer);
