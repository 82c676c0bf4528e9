// Tells ThreadSanitizer that a posted event passes from the posting thread to the receiving one.
#pragma once

// Qt hands posted events across threads under its own locks, which ThreadSanitizer cannot see
// while Qt itself is not instrumented: it would take the receiver's first read of an event for a
// race with the sender's writes. The sender releases the event before posting it, the receiving
// side (the test programs' application-wide filter) acquires it before anyone reads it.
#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* adresse);
extern "C" void __tsan_release(void* adresse);
inline void gib_ereignis_frei(void* ereignis) { __tsan_release(ereignis); }
inline void uebernimm_ereignis(void* ereignis) { __tsan_acquire(ereignis); }
#else
inline void gib_ereignis_frei(void*) {}
inline void uebernimm_ereignis(void*) {}
#endif
