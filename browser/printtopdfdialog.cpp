#include "printtopdfdialog.h"
#include "dateien.h"
#include "dialogseam.h"
#include "seitenpdf.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QToolButton>

PrintToPdfDialog::PrintToPdfDialog(const QString& filePath, QWidget* parent)
    : QDialog(parent),
      currentPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0.0, 0.0, 0.0, 0.0),
                        QPageLayout::Point, QMarginsF(0.0, 0.0, 0.0, 0.0))
{
    setupUi();
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    connect(chooseFilePathButton, &QToolButton::clicked, this, &PrintToPdfDialog::onChooseFilePathButtonClicked);
    connect(choosePageLayoutButton, &QToolButton::clicked, this, &PrintToPdfDialog::onChoosePageLayoutButtonClicked);
    updatePageLayoutLabel();
    filePathLineEdit->setText(QDir::toNativeSeparators(filePath));
}

void PrintToPdfDialog::setupUi()
{
    setObjectName(QStringLiteral("PrintToPdfDialog"));
    resize(372, 117);
    auto* gridLayout_2 = new QGridLayout(this);
    gridLayout_2->setObjectName(QStringLiteral("gridLayout_2"));
    auto* gridLayout = new QGridLayout();
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    filePathLabel = new QLabel(this);
    filePathLabel->setObjectName(QStringLiteral("filePathLabel"));
    gridLayout->addWidget(filePathLabel, 0, 0);
    filePathLineEdit = new QLineEdit(this);
    filePathLineEdit->setObjectName(QStringLiteral("filePathLineEdit"));
    gridLayout->addWidget(filePathLineEdit, 0, 1);
    filePathLabel->setBuddy(filePathLineEdit);
    chooseFilePathButton = new QToolButton(this);
    chooseFilePathButton->setObjectName(QStringLiteral("chooseFilePathButton"));
    gridLayout->addWidget(chooseFilePathButton, 0, 2);
    layoutLabel = new QLabel(this);
    layoutLabel->setObjectName(QStringLiteral("layoutLabel"));
    gridLayout->addWidget(layoutLabel, 1, 0);
    pageLayoutLabel = new QLabel(this);
    pageLayoutLabel->setObjectName(QStringLiteral("pageLayoutLabel"));
    gridLayout->addWidget(pageLayoutLabel, 1, 1);
    choosePageLayoutButton = new QToolButton(this);
    choosePageLayoutButton->setObjectName(QStringLiteral("choosePageLayoutButton"));
    gridLayout->addWidget(choosePageLayoutButton, 1, 2);
    gridLayout_2->addLayout(gridLayout, 0, 0);
    buttonBox = new QDialogButtonBox(this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    buttonBox->setOrientation(Qt::Horizontal);
    buttonBox->setStandardButtons(QDialogButtonBox::Cancel | QDialogButtonBox::Ok);
    gridLayout_2->addWidget(buttonBox, 1, 0);

    setWindowTitle(tr("Dialog"));
    filePathLabel->setText(tr("Save as:"));
    chooseFilePathButton->setText(tr("..."));
    layoutLabel->setText(tr("Page layout:"));
    choosePageLayoutButton->setText(tr("..."));
    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString PrintToPdfDialog::filePath() const
{
    return QDir::fromNativeSeparators(filePathLineEdit->text());
}

void PrintToPdfDialog::updatePageLayoutLabel()
{
    pageLayoutLabel->setText(QStringLiteral("%1, %2").arg(
        currentPageLayout.pageSize().name(),
        currentPageLayout.orientation() == QPageLayout::Landscape ? tr("Landscape") : tr("Portrait")));
}

void PrintToPdfDialog::onChoosePageLayoutButtonClicked()
{
    QPrinter printer;
    printer.setPageLayout(currentPageLayout);
    if (!frage_seite_einrichten(this, printer))
        return;
    // Margins chosen in the set-up dialog are not kept: the page is printed edge to edge.
    currentPageLayout.setPageSize(printer.pageLayout().pageSize(), QMarginsF(0.0, 0.0, 0.0, 0.0));
    currentPageLayout.setMargins(QMarginsF(0.0, 0.0, 0.0, 0.0));
    currentPageLayout.setOrientation(printer.pageLayout().orientation());
    updatePageLayoutLabel();
}

void PrintToPdfDialog::onChooseFilePathButtonClicked()
{
    const QFileInfo fi(filePath());
    // Gone with its window while the file dialog was open: nothing to set.
    const QPointer<PrintToPdfDialog> selbst(this);
    QString gewaehlt = frage_dateiname_speichern(this, tr("Save PDF as"), fi.absoluteFilePath(), QString(), {});
    if (gewaehlt.isEmpty() || !selbst)
        return;
    if (QFileInfo(gewaehlt).suffix().isEmpty())
        gewaehlt += QStringLiteral(".pdf");
    filePathLineEdit->setText(QDir::toNativeSeparators(gewaehlt));
}

void schreibe_pdf_daten(QWidget* eltern, const QString& pfad, const QByteArray& daten)
{
    if (daten.isEmpty())
        return;
    const QString fehler = schreibe_ganz(pfad, daten);
    if (!fehler.isEmpty())
        melde_pdf_fehler(eltern, pfad, fehler);
}

bool PrintToPdfDialog::frage(QWidget* parent, const QString& titel, QString& pfad, QPageLayout& layout)
{
    auto* dialog = new PrintToPdfDialog(QFileInfo(QStringLiteral("printout.pdf")).absoluteFilePath(), parent);
    dialog->setWindowTitle(titel);
    const bool angenommen = fuehre_dialog_aus(dialog, [&] {
        pfad = dialog->filePath();
        layout = dialog->pageLayout();
    }) == QDialog::Accepted;
    return angenommen && !pfad.isEmpty();
}

QByteArray mache_pdf_daten(QWidget* eltern, QWebEnginePage* seite, const QString& pfad, const QPageLayout& layout)
{
    const QPointer<QWidget> da(eltern);
    QString fehler;
    const QByteArray daten = mache_seitenpdf(seite, layout, eltern, PrintToPdfDialog::tr("Printing to PDF ..."), fehler);
    if (!fehler.isEmpty())
        melde_pdf_fehler(da, pfad, fehler);
    return daten;
}

void melde_pdf_fehler(QWidget* eltern, const QString& pfad, const QString& grund)
{
    qWarning("PDF not written to %s: %s", qUtf8Printable(pfad), qUtf8Printable(grund));
    frage_mit_knoepfen(eltern, QMessageBox::Warning, PrintToPdfDialog::tr("Print to PDF"),
                       PrintToPdfDialog::tr("The PDF file %1 could not be written: %2").arg(QDir::toNativeSeparators(pfad), grund),
                       {PrintToPdfDialog::tr("OK")}, 0, 0);
}
