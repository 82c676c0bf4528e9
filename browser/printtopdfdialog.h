// Asks for the PDF file and the page layout before a page is printed to PDF; writes nothing itself.
#pragma once

#include <QDialog>
#include <QPageLayout>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QWebEnginePage;

class PrintToPdfDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PrintToPdfDialog(const QString& filePath, QWidget* parent = nullptr);

    QString filePath() const;
    QPageLayout pageLayout() const { return currentPageLayout; }

    // Asks, modal over `parent` and titled `titel`, for the file and the layout of a page's PDF,
    // offering "printout.pdf" in the current folder: true when accepted with a file; false when
    // cancelled or gone with `parent` meanwhile.
    static bool frage(QWidget* parent, const QString& titel, QString& pfad, QPageLayout& layout);

    QLabel* filePathLabel;
    QLineEdit* filePathLineEdit;
    QToolButton* chooseFilePathButton;
    QLabel* layoutLabel;
    QLabel* pageLayoutLabel;
    QToolButton* choosePageLayoutButton;
    QDialogButtonBox* buttonBox;

private slots:
    void onChoosePageLayoutButtonClicked();
    void onChooseFilePathButtonClicked();

private:
    void setupUi();
    void updatePageLayoutLabel();

    // A4, portrait, no margins, in points.
    QPageLayout currentPageLayout;
};

// Writes the PDF data of a finished print to the chosen file, replacing it only when all is
// written; empty data leave the old file. A target that cannot be written keeps its old content
// and the user is told (`melde_pdf_fehler`).
void schreibe_pdf_daten(QWidget* eltern, const QString& pfad, const QByteArray& daten);
// The PDF data of `seite` in `layout` for the file `pfad`, made while the window answers and
// shown to be running (`mache_seitenpdf`, its dialog over `eltern`): a window closed meanwhile
// goes once they have come. Empty when cancelled; when no data came otherwise (the engine made
// none, the page's window was deleted at once) the user has been told that `pfad` was not written.
QByteArray mache_pdf_daten(QWidget* eltern, QWebEnginePage* seite, const QString& pfad, const QPageLayout& layout);
// Tells the user in a warning box that the PDF file `pfad` was not written and why (the old file,
// if any, is unchanged); the cause also goes to the log.
void melde_pdf_fehler(QWidget* eltern, const QString& pfad, const QString& grund);
