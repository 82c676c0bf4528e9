#include "seitenpdf.h"
#include "hintergrund.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QWebEnginePage>

#include <memory>
#include <optional>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CGBrowserWeb)
};

} // namespace

QByteArray mache_seitenpdf(QWebEnginePage* seite, const QPageLayout& layout, QWidget* eltern, const QString& titel,
                           QString& fehler)
{
    fehler.clear();
    // Shared with the engine's answer, which comes after the page is gone too (empty then).
    const auto daten = std::make_shared<std::optional<QByteArray>>();
    seite->printToPdf([daten](const QByteArray& pdf) { *daten = pdf; }, layout);
    switch (CHintergrund::warte(eltern, titel, seite, [daten] { return daten->has_value(); })) {
    case CHintergrund::Ende::abgebrochen:
        return {};
    case CHintergrund::Ende::weg:
        fehler = Text::tr("Das Fenster wurde geschlossen, bevor die PDF-Daten der Seite fertig waren.");
        return {};
    case CHintergrund::Ende::fertig:
        break;
    }
    if ((*daten)->isEmpty())
        fehler = Text::tr("Die Seite ergab keine PDF-Daten.");
    return **daten;
}
