#include "parallelschleife.h"

#include <algorithm>
#include <exception>
#include <utility>

CParallelschleife::CParallelschleife(int anzahl)
{
    // Where the system gives no further thread, the loop makes do with those it has (with none,
    // the calling thread takes every pass): a thread that cannot be made must not end the program.
    try {
        helfer.reserve(std::size_t(std::max(0, anzahl)));
        for (int i = 0; i < anzahl; ++i)
            helfer.emplace_back([this] { helfe(); });
    } catch (const std::exception&) {
    }
}

CParallelschleife::~CParallelschleife()
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        ende = true;
    }
    auftrag_da.notify_all();
    for (std::thread& t : helfer)
        t.join();
}

void CParallelschleife::fuer_alle(std::size_t n, const std::function<void(std::size_t)>& f)
{
    if (helfer.empty() || n < 2) {
        for (std::size_t k = 0; k < n; ++k)
            f(k);
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(mutex);
        arbeit = &f;
        anzahl = n;
        naechster = 0;
        ausnahme = nullptr;
        ++runde;
    }
    auftrag_da.notify_all();
    nimm_durchlaeufe(f, n);
    // A helper that wakes only after this loop finds it done, or takes part in the next one.
    std::unique_lock<std::mutex> lock(mutex);
    auftrag_fertig.wait(lock, [this] { return beschaeftigt == 0; });
    arbeit = nullptr;
    anzahl = 0;
    if (const std::exception_ptr grund = std::exchange(ausnahme, nullptr))
        std::rethrow_exception(grund);
}

void CParallelschleife::nimm_durchlaeufe(const std::function<void(std::size_t)>& f, std::size_t n)
{
    for (std::size_t k = naechster++; k < n; k = naechster++) {
        try {
            f(k);
        } catch (...) {
            const std::lock_guard<std::mutex> lock(mutex);
            if (!ausnahme)
                ausnahme = std::current_exception();
        }
    }
}

void CParallelschleife::helfe()
{
    unsigned long gesehen = 0;
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
        auftrag_da.wait(lock, [&] { return ende || (runde != gesehen && arbeit); });
        if (ende)
            return;
        gesehen = runde;
        const std::function<void(std::size_t)>& f = *arbeit;
        const std::size_t n = anzahl;
        ++beschaeftigt;
        lock.unlock();
        nimm_durchlaeufe(f, n);
        lock.lock();
        if (--beschaeftigt == 0)
            auftrag_fertig.notify_all();
    }
}
