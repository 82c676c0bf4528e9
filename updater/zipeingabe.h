// Reading an archive file for minizip: positions are kept in memory and data comes in large blocks.
#pragma once

#include <minizip/ioapi.h>

// minizip seeks before every read, also within a few bytes; through stdio each seek is a system
// call. These file functions keep the position themselves and read the file with pread in
// blocks of 256 KiB, so that an archive of many small entries costs few system calls.
void fuelle_zip_eingabe(zlib_filefunc64_def& funktionen);
