// Asks for the PDF file and the page layout before a page is printed to PDF; writes nothing itself.
#pragma once

#include <QDialog>
#include <QPageLayout>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QToolButton;

class PrintToPdfDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PrintToPdfDialog(const QString& filePath, QWidget* parent = nullptr);

    QString filePath() const;
    QPageLayout pageLayout() const { return currentPageLayout; }

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
// Tells the user in a warning box that the PDF file `pfad` was not written and why (the old file,
// if any, is unchanged); the cause also goes to the log.
void melde_pdf_fehler(QWidget* eltern, const QString& pfad, const QString& grund);
