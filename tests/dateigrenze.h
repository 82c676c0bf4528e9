// A file-size limit for the tests of writes that fail part-way, as on a full disk: RLIMIT_FSIZE with SIGXFSZ ignored.
#pragma once

#include <csignal>
#include <sys/resource.h>

// Files may grow only up to `grenze` bytes while this object lives: a write beyond it fails with
// EFBIG instead of ending the process. The limit holds for every thread of the process.
class Dateigrenze
{
public:
    explicit Dateigrenze(rlim_t grenze)
    {
        getrlimit(RLIMIT_FSIZE, &alt);
        signal_alt = std::signal(SIGXFSZ, SIG_IGN);
        rlimit neu = alt;
        neu.rlim_cur = grenze;
        setrlimit(RLIMIT_FSIZE, &neu);
    }
    ~Dateigrenze()
    {
        setrlimit(RLIMIT_FSIZE, &alt);
        std::signal(SIGXFSZ, signal_alt);
    }
    Dateigrenze(const Dateigrenze&) = delete;
    Dateigrenze& operator=(const Dateigrenze&) = delete;

private:
    rlimit alt{};
    void (*signal_alt)(int) = nullptr;
};
