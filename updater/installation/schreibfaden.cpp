// The install's writing thread: writes the records of the entries handed over before the naming thread names their files.
#include "ziplauf.h"

namespace importzip {

// The writing thread: writes the records of the entries handed over (they were put into the map
// before), and passes them on to the naming thread, one part at a time. Only the reporting thread
// reports; a write that fails names nothing, and the reporting thread takes it from there. The
// parts change hands by swapping: a hand-over never needs memory, and an entry is always in one
// of the lists that a stop takes back.
void CZipLauf::schreibe_im_hintergrund()
{
    std::unique_lock<std::mutex> lock(nenn_mutex);
    for (;;) {
        nenn_signal.wait(lock, [this] {
            return faden_ausnahme || (!zu_nennen.empty() && !geschrieben_da) || (nenner_ende && zu_nennen.empty());
        });
        if (faden_ausnahme || zu_nennen.empty()) {
            schreiber_fertig = true;
            nenn_signal.notify_all();
            return;
        }
        in_schrift.swap(zu_nennen);
        schreiber_arbeitet = true;
        const bool vorher_fehler = nenn_fehler;
        lock.unlock();
        // Reported by the reporting thread's own write: this thread may not report. Its writes
        // add to the last one; the records in their final order are written by the reporting
        // thread at the end, where the memory of the lines it recorded is free for them (a thread
        // of its own would take new memory for the whole file).
        bool ok = false;
        try {
            ok = !vorher_fehler && schreiber->schreibe(false);
        } catch (...) {
        }
        lock.lock();
        geschrieben.swap(in_schrift);
        geschrieben_da = true;
        geschrieben_ok = ok;
        schreiber_arbeitet = false;
        nenn_fehler = nenn_fehler || !ok;
        nenn_signal.notify_all();
    }
}

} // namespace importzip
