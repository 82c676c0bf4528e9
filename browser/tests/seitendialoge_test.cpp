// The print-to-PDF and save-page dialogs: the page layout they start with and keep, and the suffix that follows the format.
#include "dialogseam.h"
#include "printtopdfdialog.h"
#include "savepagedialog.h"
#include "testdateien.h"

#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

struct SeamsZurueck
{
    ~SeamsZurueck()
    {
        setze_speichern_funktion({});
        setze_seiten_funktion({});
    }
};

} // namespace

TEST(SavePageDialog, EndungFolgtDemFormat)
{
    QTemporaryDir t;
    const QString seite = t.filePath("page.html");
    SavePageDialog dialog(nullptr, QWebEngineDownloadItem::MimeHtmlSaveFormat, seite);
    EXPECT_EQ(dialog.formatComboBox->currentIndex(), 2);
    EXPECT_EQ(dialog.filePath(), seite);
    dialog.formatComboBox->setCurrentIndex(1);
    EXPECT_EQ(dialog.filePath(), seite);
    EXPECT_EQ(dialog.pageFormat(), QWebEngineDownloadItem::CompleteHtmlSaveFormat);
    dialog.formatComboBox->setCurrentIndex(2);
    EXPECT_EQ(dialog.filePath(), t.filePath("page.mhtml"));

    SavePageDialog archiv(nullptr, QWebEngineDownloadItem::MimeHtmlSaveFormat, t.filePath("archive.tar.gz"));
    archiv.formatComboBox->setCurrentIndex(0);
    EXPECT_EQ(archiv.filePath(), t.filePath("archive.tar.html"));

    SavePageDialog ohne(nullptr, QWebEngineDownloadItem::SingleHtmlSaveFormat, t.filePath("seite"));
    ohne.formatComboBox->setCurrentIndex(2);
    EXPECT_EQ(ohne.filePath(), t.filePath("seite.mhtml"));

    // A chosen file gets the format's suffix too; a cancelled choice changes nothing.
    SeamsZurueck zurueck;
    QString antwort = t.filePath("neu.txt");
    setze_speichern_funktion([&](QWidget*, const QString&, const QString&, const QString&, QFileDialog::Options) { return antwort; });
    ohne.chooseFilePathButton->click();
    EXPECT_EQ(ohne.filePath(), t.filePath("neu.mhtml"));
    antwort.clear();
    ohne.chooseFilePathButton->click();
    EXPECT_EQ(ohne.filePath(), t.filePath("neu.mhtml"));
}

TEST(PrintToPdfDialog, A4HochOhneRaenderUndNeueSeiteOhneRaender)
{
    QTemporaryDir t;
    PrintToPdfDialog dialog(t.filePath("x.pdf"));
    EXPECT_EQ(dialog.pageLayoutLabel->text(), "A4, Portrait");
    EXPECT_EQ(dialog.filePath(), t.filePath("x.pdf"));
    EXPECT_EQ(dialog.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(dialog.pageLayout().margins(), QMarginsF(0, 0, 0, 0));

    // Margins chosen in the set-up dialog are dropped.
    SeamsZurueck zurueck;
    setze_seiten_funktion([](QWidget*, QPrinter& drucker) {
        drucker.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(20, 20, 20, 20)));
        return true;
    });
    dialog.choosePageLayoutButton->click();
    EXPECT_EQ(dialog.pageLayoutLabel->text(), QPageSize::name(QPageSize::Letter) + ", Landscape");
    EXPECT_EQ(dialog.pageLayout().pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(dialog.pageLayout().margins(), QMarginsF(0, 0, 0, 0));

    setze_speichern_funktion([&](QWidget*, const QString&, const QString&, const QString&, QFileDialog::Options) {
        return t.filePath("y");
    });
    dialog.chooseFilePathButton->click();
    EXPECT_EQ(dialog.filePath(), t.filePath("y.pdf"));
}
