// The one road by which the system opens a web address: the browser mode picks the own browser window, a program or the shell.
#pragma once

#include <QString>
#include <functional>

class CQStringSteuer;

// Opens `url`, passed on unchanged, by the browser mode "/Privat/webBrowser" (read at every
// call, letter case ignored): "intern" a new own browser window; "webbrowser" the program
// "WebBrowser.exe" in the application root; empty or "explorer" the shell; any other text is a
// program path, started with the address when `programm_starten` is set, else the shell is
// used. Programs are started detached with the address as their only argument. False when a
// program cannot be started, the shell fails or there is no main window for it, or when no own
// browser window can be made (no widget application); each failure is logged here, the caller
// tells the user.
bool oeffne_url(const QString& url, const bool& programm_starten);

// The browser mode; declared here and nowhere else (others read it by key).
CQStringSteuer& gib_browsermodus_variable();

// Makes and shows a new own browser window on the address, without waiting for it.
using BrowserFensterFabrik = std::function<void(const QString& url)>;
// By default a new `CWebBrowserDiag` without parent loads the address as its start page and is
// shown modeless; tests put their own in. An empty function restores the default.
void setze_browserfenster_fabrik(BrowserFensterFabrik fabrik);

// Called once at start by the program (and by tests): every address that the framework's text
// edit opens goes through `oeffne_url` from then on, and the report pages' web views get the
// browser's render-process watchdog.
void registriere_browser();
