// The browser's data folder, where its history and bookmarks files live.
#pragma once

#include <QString>

// The application's data location (without an organisation name "~/.local/share/<application>"),
// or "~/.<application>" where the platform names none. The same folder serves reading and
// writing, so that a file is read back from where it was written. Not created here.
QString gib_browser_datenordner();
