// A loop whose passes run on a few threads at once, for work that waits on the kernel more than it computes.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// The helper threads live as long as the object and sleep between loops: a loop costs no thread
// start. The calling thread takes passes too.
class CParallelschleife
{
public:
    explicit CParallelschleife(int helfer);
    ~CParallelschleife();
    CParallelschleife(const CParallelschleife&) = delete;
    CParallelschleife& operator=(const CParallelschleife&) = delete;

    // Calls `arbeit(k)` for every k below `anzahl`, each once, in any order and on any of the
    // threads; returns when every call has returned. Where a call throws (memory ran out), the
    // first exception is thrown here, on the calling thread, once the calls under way returned.
    void fuer_alle(std::size_t anzahl, const std::function<void(std::size_t)>& arbeit);

private:
    void helfe();
    // Takes the passes of the loop under way on this thread until none is left.
    void nimm_durchlaeufe(const std::function<void(std::size_t)>& f, std::size_t n);

    std::mutex mutex;
    std::condition_variable auftrag_da;
    std::condition_variable auftrag_fertig;
    // The loop under way (under the lock), and its next pass.
    const std::function<void(std::size_t)>* arbeit = nullptr;
    std::size_t anzahl = 0;
    unsigned long runde = 0;
    std::atomic<std::size_t> naechster{0};
    // The first exception of a pass of the loop under way (under the lock).
    std::exception_ptr ausnahme;
    // Helpers taking passes of the loop.
    int beschaeftigt = 0;
    bool ende = false;
    std::vector<std::thread> helfer;
};
