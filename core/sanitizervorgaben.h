// What the sanitizers read from every program of this project; include it once, in the unit with main().
#pragma once

// Read by LeakSanitizer in sanitizer builds: Qt's offscreen platform keeps its screen objects
// until the process ends, QtPdf never frees the loader of a document it could not read, and
// OpenSSL's per-thread state of Qt Network's TLS threads can still be held when the process ends;
// fontconfig frees its caches only when the font database goes, which a program ended by exit()
// with its application object still standing never lets go.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libqoffscreen.so\n"
           "leak:QScreen::QScreen\n"
           "leak:QWindowSystemInterface::handleScreenAdded\n"
           "leak:QPlatformScreen::QPlatformScreen\n"
           "leak:libQt5Pdf.so\n"
           "leak:libcrypto.so\n"
           "leak:libfontconfig.so\n";
}

// Read by ThreadSanitizer in its build: Qt is not instrumented, so the sanitizer cannot see the
// ordering of its atomic reference counts and reports the release of shared string data; the C
// library guards its time-zone state with a lock of its own that the sanitizer does not see
// (mktime re-reads TZ in every thread); GLib, under Qt's event loops, hands its wake-ups between
// threads through an eventfd the sanitizer sees written and read without seeing the order; Qt
// Network's own HTTP and SSL threads, Qt DBus's connection thread and the file-information thread
// of Qt Widgets' file-name completers (the print dialog has one) hand their objects over the same
// unseen way; HarfBuzz, which shapes the text of every thread that lays text out, publishes its
// list of languages through atomics of its own; a font shared by threads that lay text out gets its
// engines from Qt's font database under that database's own lock, which it cannot see either, so
// one thread's letting go of another thread's engines looks unordered.
// The project's own locks are std::mutex, which it sees.
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libQt5Core.so.5\n"
           "race:tzset_internal\n"
           "called_from_lib:libglib-2.0.so.0\n"
           "called_from_lib:libQt5Network.so.5\n"
           "called_from_lib:libQt5DBus.so.5\n"
           "called_from_lib:libQt5Widgets.so.5\n"
           "called_from_lib:libharfbuzz.so.0\n"
           "race:QFontPrivate::engineForScript\n";
}
