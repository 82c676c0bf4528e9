#include "adressraum.h"

#include <algorithm>
#include <malloc.h>
#include <sys/mman.h>
#include <sys/resource.h>

void* halte_adressraum(std::size_t bytes)
{
    // Writable and private, as the allocator's own mappings: a limit of data counts it too.
    void* stelle = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    return stelle == MAP_FAILED ? nullptr : stelle;
}

void gib_adressraum_frei(void* stelle, std::size_t bytes)
{
    if (stelle)
        ::munmap(stelle, bytes);
}

bool hat_adressraum(std::size_t bytes)
{
    void* stelle = halte_adressraum(bytes);
    gib_adressraum_frei(stelle, bytes);
    return stelle != nullptr;
}

void teile_speicher_nach_grenze()
{
    rlimit grenze{};
    if (::getrlimit(RLIMIT_AS, &grenze) != 0 || grenze.rlim_cur == RLIM_INFINITY)
        return;
    constexpr rlim_t arena = rlim_t(64) << 20;
    ::mallopt(M_ARENA_MAX, int(std::clamp<rlim_t>(grenze.rlim_cur / 4 / arena, 1, 64)));
}
