// Lines on their way into a log text area: gathered while the GUI thread takes the posted lines, appended in one edit per pass of the event loop.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

class QTextEdit;

// True when the text has a run of thousands of characters without a blank: Qt breaks such a run
// into lines at word boundaries in a time that grows with the square of its length (a minute and
// a half for a million characters).
bool hat_lange_folge(const QString& text);

// A worker reports line by line, and appending each line on its own (a layout and scroll-bar
// update every time) keeps the GUI thread busy for as long as the lines keep coming. The buffer
// takes the lines of one pass over the posted events and appends them together on the next pass,
// each as its own paragraph, exactly as `QTextEdit::append` would (plain or rich text by the same
// test). One append stops after a slice of time and leaves the rest to the next pass, so that
// input and painting are never held up long.
// A line with a run of thousands of characters without a blank is not wrapped: wrapping it
// would hold up the GUI thread for a time that grows with the square of the run.
// A buffer made to wait while its text area is hidden keeps the lines until it is shown (or its
// text is asked for): laying out text nobody sees would cost as much as showing it.
// A read-only view follows the end as long as its user has left it there: whether it does is
// kept by the buffer and changed whenever the view is scrolled, by the scroll bar (drag, wheel,
// keys) or by the text area itself (a search, the cursor moved by keys and kept in sight), never
// by the scroll bar's range, which a smaller window, a hidden one or a document still being laid
// out changes in passing, nor by the value that a smaller range pulls down with it. An editable
// view follows while its cursor stands at the end, as with `QTextEdit::append`.
// A read-only view gets the layout of long logs (`CZeilenlayout`): of thousands of lines appended
// only those shown are laid out.
// A table of plain text cells (a worker's listing) comes as paragraphs of a row each, in columns
// as wide as the table's widest texts (`CZeilenlayout::tabellenzeile`): a table that follows
// another at once continues it, so that a listing sent as tables of some hundred rows each reads
// as one. A table of the document would cost the GUI thread seconds for thousands of rows.
// Select all and copy of the text area answer at once however long the log (`CAuswahlkopie`).
// The buffer is a child of its text area and dies with it.
class CZeilenpuffer : public QObject
{
public:
    // `angehaengt` runs after every append.
    explicit CZeilenpuffer(QTextEdit* ziel, std::function<void()> angehaengt = {});
    ~CZeilenpuffer() override;

    // Appends on the event loop only while the text area is visible.
    void setze_nur_sichtbar(bool an);

    // GUI thread: queues one line; it is appended on the event loop, after every line queued before.
    void nimm(const QString& zeile);
    // Appends every queued line now: before the text area's text is read, printed or saved.
    void schreibe();
    bool ist_leer() const { return naechste >= ausstehend.size(); }
    // The same a slice at a time, so that the window answers between the slices: each call of the
    // step appends for about `bis_ms` milliseconds and gives the share done (0 to 1000) of the
    // lines queued when the step was made, 1000 once they are all in (lines queued later may come
    // along). Also when the text area is hidden; 1000 once the buffer is gone.
    std::function<int(qint64 bis_ms)> nachtrag();

protected:
    void customEvent(QEvent* e) override;
    // Watches the text area's show events while waiting for them.
    bool eventFilter(QObject* objekt, QEvent* e) override;

private:
    // Appends the queued lines from `naechste` on, until `bis_ms` have passed (-1: all of them).
    void haenge_an(qint64 bis_ms);
    void fordere_an();
    // Whether a view scrolled to `wert` shows the end of its text.
    bool am_ende(int wert) const;
    // Any move of the view but one that a smaller range forced decides whether it follows.
    void wert_geaendert(int wert);
    // Puts a read-only view that follows the end at its end.
    void folge_dem_ende();

    QPointer<QTextEdit> ziel;
    std::function<void()> angehaengt;
    QStringList ausstehend;
    int naechste = 0;
    // Lines ever queued.
    quint64 genommen = 0;
    bool angefordert = false;
    // When the last pass began, and whether it appended every line: lines that come one by one
    // wait for the next pass until a frame after it. A pass (and the repaint after it) for every
    // few lines kept the GUI thread busy with little else.
    QElapsedTimer seit_pass;
    bool pass_leerte = false;
    bool nur_sichtbar = false;
    // The read-only view was at its end when its user last moved it (or was never moved).
    bool folgt_ende = true;
    // Lines are being appended: the view follows after the last group.
    bool haengt_an = false;
    // The scroll bar's value as last seen: one above a new maximum was clamped by the range.
    int letzter_wert = 0;
    struct CTabellenlauf;
    std::unique_ptr<CTabellenlauf> tabellenlauf;
};
