// A bound on calls that could hang (a pipe or device opened as a file), for the tests of every library.
#pragma once

#include <unistd.h>

// Ends the test program (SIGALRM) when the calls it guards hang: the hang then fails its test at
// once instead of stalling the whole run. The bound is generous, so that a loaded machine never
// reaches it.
class Wecker
{
public:
    explicit Wecker(unsigned sekunden = 20) { alarm(sekunden); }
    ~Wecker() { alarm(0); }
    Wecker(const Wecker&) = delete;
    Wecker& operator=(const Wecker&) = delete;
};
