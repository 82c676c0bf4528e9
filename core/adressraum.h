// The room the process has left to map memory in, where a limit of address space (`ulimit -v`) bounds it.
#pragma once

#include <cstddef>

// Keeps `bytes` of room back: a mapping that nothing uses (no memory behind it), or null where
// that much room is not left. Given back by `gib_adressraum_frei`.
void* halte_adressraum(std::size_t bytes);
void gib_adressraum_frei(void* stelle, std::size_t bytes);

// Whether `bytes` more could be mapped now: held and given back at once. Without a limit it is
// there as long as the system gives it.
bool hat_adressraum(std::size_t bytes);

// Under a limit of address space the C library's allocator reserves 64 MiB of it for each thread
// that allocates (its own arena): a few threads take what the work needs, and a thread that gets
// none allocates each block on pages of its own, slowly and in pieces. Called once at the start,
// before any thread: under such a limit, threads share as many arenas as a quarter of it holds.
void teile_speicher_nach_grenze();
