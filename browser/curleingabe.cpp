#include "curleingabe.h"
#include "urllineedit.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

CUrlEingabe::CUrlEingabe() : QWidget(nullptr), m_lineEdit(new UrlLineEdit(this))
{
    setWindowTitle(tr("lade URL..."));
    auto* gitter = new QGridLayout(this);
    gitter->addWidget(new QLabel(QStringLiteral("URL"), this), 0, 0);
    gitter->addWidget(m_lineEdit, 0, 1);
    resize(minimumSizeHint().expandedTo(QSize(600, 60)));
    connect(m_lineEdit->lineEdit(), &QLineEdit::returnPressed, this, &CUrlEingabe::lineEditReturnPressed);
}

void CUrlEingabe::setWebView(WebView* view)
{
    m_lineEdit->setWebView(view);
}

void CUrlEingabe::zeige()
{
    show();
    m_lineEdit->lineEdit()->selectAll();
    m_lineEdit->setFocus();
}

void CUrlEingabe::lineEditReturnPressed()
{
    emit loadPageSig(m_lineEdit->lineEdit()->text());
    hide();
}
