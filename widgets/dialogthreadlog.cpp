#include "dialogthreadlog.h"
#include "bedienhilfe.h"
#include "bilder.h"
#include "ccbaselog.h"
#include "cspeichernbutton.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpacerItem>
#include <QTextBrowser>

namespace {

QPushButton* neuer_knopf(QWidget* form, const char* name)
{
    auto* knopf = new QPushButton(form);
    knopf->setObjectName(QString::fromLatin1(name));
    return knopf;
}

QLabel* neues_label(QWidget* form, const char* name)
{
    auto* label = new QLabel(form);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

void DialogThreadLog::setupUi(QWidget* form, Art art_)
{
    art = art_;
    if (form->objectName().isEmpty())
        form->setObjectName(art == Art::Dialog ? QStringLiteral("ui_cdiaglogbase") : QStringLiteral("widgetlog"));
    form->resize(art == Art::Dialog ? QSize(582, 373) : QSize(575, 351));

    gridLayout = new QGridLayout(form);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setSpacing(6);
    gridLayout->setContentsMargins(11, 11, 11, 11);

    hboxLayout1 = new QHBoxLayout();
    hboxLayout1->setObjectName(QStringLiteral("hboxLayout1"));
    hboxLayout1->setSpacing(6);
    ficonlabel = neues_label(form, "ficonlabel");
    hboxLayout1->addWidget(ficonlabel);
    fueberschrift = neues_label(form, "fueberschrift");
    QSizePolicy breit(QSizePolicy::Expanding, QSizePolicy::Preferred);
    breit.setHeightForWidth(fueberschrift->sizePolicy().hasHeightForWidth());
    fueberschrift->setSizePolicy(breit);
    QFont fett = fueberschrift->font();
    fett.setBold(true);
    fett.setWeight(75);
    fueberschrift->setFont(fett);
    hboxLayout1->addWidget(fueberschrift);
    fdata = neues_label(form, "fdata");
    hboxLayout1->addWidget(fdata);
    gridLayout->addLayout(hboxLayout1, 0, 0, 1, 5);

    ftextbroser = new QTextBrowser(form);
    ftextbroser->setObjectName(QStringLiteral("ftextbroser"));
    gridLayout->addWidget(ftextbroser, 1, 0, 1, 5);

    fprogressbar = new QProgressBar(form);
    fprogressbar->setObjectName(QStringLiteral("fprogressbar"));
    gridLayout->addWidget(fprogressbar, 2, 0, 1, 5);

    hboxLayout = new QHBoxLayout();
    hboxLayout->setObjectName(QStringLiteral("hboxLayout"));
    hboxLayout->setSpacing(6);
    pb_drucken = neuer_knopf(form, "pb_drucken");
    pb_drucken->setAutoDefault(false);
    hboxLayout->addWidget(pb_drucken);
    pb_speichern = neuer_knopf(form, "pb_speichern");
    pb_speichern->setAutoDefault(false);
    hboxLayout->addWidget(pb_speichern);
    gridLayout->addLayout(hboxLayout, 3, 0, 1, 1);

    spacer = new QSpacerItem(280, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    gridLayout->addItem(spacer, 3, 1, 1, 1);

    fbutton3 = neuer_knopf(form, "fbutton3");
    gridLayout->addWidget(fbutton3, 3, 2, 1, 1);
    fbutton2 = neuer_knopf(form, "fbutton2");
    gridLayout->addWidget(fbutton2, 3, 3, 1, 1);
    fbuttonok = neuer_knopf(form, "fbuttonok");
    fbuttonok->setEnabled(false);
    gridLayout->addWidget(fbuttonok, 3, 4, 1, 1);
    // Return is "Ok"'s alone (once the run is over): a dialog would make the first of the others
    // it meets its default, or one focused once, and a Return in the protocol would cancel the run
    // or open the protocol. Space presses them.
    for (QPushButton* knopf : {fbutton3, fbutton2})
        knopf->setAutoDefault(false);
    fbuttonok->setDefault(true);

    QWidget::setTabOrder(ftextbroser, pb_drucken);
    QWidget::setTabOrder(pb_drucken, pb_speichern);
    QWidget::setTabOrder(pb_speichern, fbutton3);
    QWidget::setTabOrder(fbutton3, fbutton2);
    QWidget::setTabOrder(fbutton2, fbuttonok);

    retranslateUi(form);
}

namespace {

// The form is translated in the dialog's or in the widget's context; its texts in both, for lupdate.
const char* const formtexte[] = {QT_TRANSLATE_NOOP("ui_cdiaglogbase", "Dialog Thread Log"),
                                 QT_TRANSLATE_NOOP("ui_cdiaglogbase", "icon"),
                                 QT_TRANSLATE_NOOP("ui_cdiaglogbase", "fueberschrift"),
                                 QT_TRANSLATE_NOOP("ui_cdiaglogbase", "Gibt den Fensterinhalt auf Drucker aus"),
                                 QT_TRANSLATE_NOOP("ui_cdiaglogbase", "Speichert den Fensterinhalt in eine Datei"),
                                 QT_TRANSLATE_NOOP("ui_cdiaglogbase", "B3"),
                                 QT_TRANSLATE_NOOP("ui_cdiaglogbase", "B2"),
                                 QT_TRANSLATE_NOOP("ui_cdiaglogbase", "Ok"),
                                 QT_TRANSLATE_NOOP("widgetlog", "Widget Thread Log"),
                                 QT_TRANSLATE_NOOP("widgetlog", "icon"),
                                 QT_TRANSLATE_NOOP("widgetlog", "fueberschrift"),
                                 QT_TRANSLATE_NOOP("widgetlog", "Gibt den Fensterinhalt auf Drucker aus"),
                                 QT_TRANSLATE_NOOP("widgetlog", "Speichert den Fensterinhalt in eine Datei"),
                                 QT_TRANSLATE_NOOP("widgetlog", "B3"),
                                 QT_TRANSLATE_NOOP("widgetlog", "B2"),
                                 QT_TRANSLATE_NOOP("widgetlog", "Ok")};

} // namespace

void DialogThreadLog::retranslateUi(QWidget* form)
{
    Q_UNUSED(formtexte)
    const bool dialog = art == Art::Dialog;
    const char* kontext = dialog ? "ui_cdiaglogbase" : "widgetlog";
    const auto text = [kontext](const char* text) { return QCoreApplication::translate(kontext, text); };
    form->setWindowTitle(dialog ? text("Dialog Thread Log") : text("Widget Thread Log"));
    ficonlabel->setText(text("icon"));
    fueberschrift->setText(text("fueberschrift"));
    fdata->setText(QString());
    // The protocol's text area is announced as what it holds.
    ftextbroser->setAccessibleName(QCoreApplication::translate("CCBaseLog", "Vorgangsprotokoll"));
    setze_tipp_und_namen(pb_drucken, text("Gibt den Fensterinhalt auf Drucker aus"));
    pb_drucken->setText(QString());
    setze_tipp_und_namen(pb_speichern, text("Speichert den Fensterinhalt in eine Datei"));
    pb_speichern->setText(QString());
    fbutton3->setText(text("B3"));
    fbutton2->setText(text("B2"));
    fbuttonok->setText(text("Ok"));
}

CSpeichernButton* DialogThreadLog::erzeuge_speichern_knopf(const CQString& typ)
{
    const bool txt = typ == QLatin1String("txt");
    const bool html = typ == QLatin1String("html");
    const bool pdf_vorgabe = html || typ == QLatin1String("pdf");
    auto* knopf = new CSpeichernButton(hboxLayout, pb_speichern, txt, html, txt || html, pdf_vorgabe ? 3 : 1);
    // The button joins the window at the end of its Tab chain: it takes the placeholder's turn,
    // right after the print button, as it takes its place on the screen.
    QWidget::setTabOrder(pb_drucken, knopf);
    return knopf;
}

void CCBaseLog::uebernimm_formular(const DialogThreadLog& form)
{
    fortschrittsbalken = form.fprogressbar;
    textbereich = form.ftextbroser;
    schliessen_knopf = form.fbuttonok;
    abbrechen_knopf = form.fbutton2;
    protokoll_knopf = form.fbutton3;
    drucken_knopf = form.pb_drucken;
    icon_label = form.ficonlabel;
    titel_label = form.fueberschrift;
    data_label = form.fdata;
    icon_label->hide();
    abbrechen_knopf->hide();
    protokoll_knopf->hide();
    drucken_knopf->setIcon(QIcon(*gib_pixmap_print(0, 0)));
}

CSpeichernButton* CCBaseLog::erzeuge_speichern_knopf(DialogThreadLog& form)
{
    speichern_knopf = form.erzeuge_speichern_knopf(dateityp);
    return speichern_knopf;
}
