// The user administration's tests that every server runs, on SQLite: a database file of the test's own, and a second connection to it as another administrator's program.
#include "benutzerserver.h"

INSTANTIATE_TEST_SUITE_P(Sqlite, ServerBenutzer, ::testing::Values(BenutzerServer{"Sqlite", "QSQLITE", "", "", ""}),
                         servername);
