// The user administration on a real PostgreSQL server (back-end kind 1): the tests every server runs.
#include "benutzerserver.h"

INSTANTIATE_TEST_SUITE_P(Postgres, ServerBenutzer,
                         ::testing::Values(BenutzerServer{"Postgres", "QPSQL", "AKT_PG", "postgres", ""}),
                         servername);
