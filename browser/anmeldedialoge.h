// The two forms that ask for a site's or a proxy's user name and password, shared by the browser's windows and pages.
#pragma once

#include <QString>

class QAuthenticator;
class QUrl;
class QWidget;

// Each shows its form ("PasswordDialog", "ProxyDialog") modally as a sheet of `eltern`. The
// caller gives the intro text: for a site "%1" stands for the realm and "%2" for the address, for
// a proxy "%1" for the host; all of them are HTML-escaped here, since they come from the network.
// Accepted: the authenticator takes the typed user and password (true). Rejected: it is replaced
// by an empty one, which makes the engine fail the request (false).
bool frage_anmeldung(QWidget* eltern, const QString& einleitung, const QUrl& url, QAuthenticator* anmeldung);
bool frage_proxyanmeldung(QWidget* eltern, const QString& einleitung, const QString& host,
                          QAuthenticator* anmeldung);
