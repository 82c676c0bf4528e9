// Text file over QFile with a text stream that reads and writes UTF-8 or the 8-bit code page.
#pragma once

#include "cqstring.h"

#include <QFile>
#include <QTextStream>
#include <memory>

// The object is built on the file name; all work goes through a second file object that it owns.
// Typical use: `oeffne`, `setze_codec` (or `setze_utf8_bom` when writing), lines, `schliesse`.
// A file opened for writing without reading and without appending is written whole: it is
// replaced only at `schliesse`, and only when everything was written (see `oeffne_ganz`).
class CQIODatei : public QFile
{
public:
    explicit CQIODatei(const CQString& dateiname);
    ~CQIODatei() override;

    // Opens with the union of the chosen modes; false (and nothing changed) when that fails,
    // also when the file is open already, and at once for a name that is no regular file (a
    // pipe, socket or device, also behind a link). The stream starts with the 8-bit code page
    // (Windows-1252), recognising a UTF-8 byte-order mark at the start of the input.
    bool oeffne(const bool& lesen, const bool& schreiben, const bool& text, const bool& anhaengen,
                const bool& abschneiden);
    // Reads from `geoeffnet`, a file opened for reading elsewhere (by a look-up that judged the
    // file it opened, which must then be read and not its name again), as `oeffne` for reading
    // text would; false when there is none or this file is open already.
    bool lies_aus(std::unique_ptr<QFile> geoeffnet);
    // UTF-8 when asked or when the language is neither "de" nor "en"; a file opened without
    // writing and without byte-order mark is UTF-8 exactly when its first 2048 bytes are valid
    // UTF-8, else the 8-bit code page.
    void setze_codec(bool utf8);
    // For writing: writes the byte-order mark and chooses UTF-8 when asked or when the language
    // needs it; otherwise the same as `setze_codec(false)`.
    void setze_utf8_bom(bool utf8);
    // For writing `text`: as `setze_utf8_bom(false)` when the 8-bit code page holds every one of
    // its characters, else the byte-order mark and UTF-8, so that no character becomes a "?".
    void setze_codec_fuer(const QString& text);
    // Whether the 8-bit code page holds every character of `text`.
    static bool passt_in_codepage(const QString& text);
    // The code of a text that begins with `anfang`, by the rule that reads files without a
    // byte-order mark: UTF-8 when it is valid UTF-8 (a character cut at its end counts as valid),
    // else the 8-bit code page.
    static QTextCodec* codec_von(const QByteArray& anfang);
    // Null while the file is not open.
    QTextStream* gib_stream() const;
    // Lines of at least this many characters carry no text for `lies_zeile`.
    static constexpr int laengste_zeile = 1 << 20;
    // The next line that carries text: empty and blank lines are skipped, and with `kommentar`
    // a line starting with "!" is skipped and a line is cut before a later "!". A line of
    // `laengste_zeile` characters or more is skipped as well, without being held in memory whole.
    // Every physical line read counts in `zeilennummer`. False at the end of the file.
    bool lies_zeile(CQString& zeile, int& zeilennummer, bool kommentar);
    // The text and a line end ("\n"), flushed; nothing when not open.
    void schreibe_zeile(const CQString& text);
    // False when not open, or when something could not be written; a file written whole then
    // keeps its old content.
    bool schliesse();
    // The whole text of the regular file `datei` in the code page `setze_codec(false)` chooses
    // (a byte-order mark counts; line ends stay as they are). False when it is no regular file
    // (`grund` empty: a pipe or device is never waited for), cannot be read, or holds more than
    // `hoechstens` bytes, so that no file handed in can exhaust the memory (`grund` says why).
    static bool lies_text(const QString& datei, QString& text, QString& grund, qint64 hoechstens);
    // Why the last open, read or write failed, as the system says.
    QString gib_fehlertext() const;

private:
    void beginne_stream();

    std::unique_ptr<QFileDevice> iodatei;
    // Why the last open, or the write of a whole file, failed: the file object never saw a
    // refused open, and dropping a whole file's new content leaves a text of its own behind.
    QString fehlertext;
    std::unique_ptr<QTextStream> stream;
    bool offen = false;
    // Opened by `oeffne_ganz`: closed by `beende_ganz`.
    bool ganz = false;
};

// True for an empty text and for white space only.
bool ist_leerzeile(const CQString& text);
