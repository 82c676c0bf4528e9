// The limit of a line edit counted in characters (code points), as a database column counts its width.
#pragma once

#include <QPointer>
#include <QValidator>

class QLineEdit;

// QLineEdit's own maximum length counts UTF-16 units: it cuts an emoji at the end of a full
// field into half a character, which no server stores as typed. This validator cuts to whole
// characters instead, and QLineEdit takes its cut for typing, pasting and `setText` alike. What
// was put in just before the cursor gives way, as with QLineEdit's maximum. The verdict on the
// cut text is the inner validator's (Acceptable without one); the inner validator stays its
// owner's.
class CZeichengrenze : public QValidator
{
    Q_OBJECT
public:
    CZeichengrenze(int maximum, QValidator* innen, QObject* eltern);

    State validate(QString& eingabe, int& position) const override;
    void fixup(QString& eingabe) const override;

    QValidator* gib_innen() const { return innen; }
    void setze_innen(QValidator* validator) { innen = validator; }

private:
    int maximum;
    QPointer<QValidator> innen;
};

// Limits the field to `maximum` characters (0 or less: no limit), keeping the validator it has.
// A later QLineEdit::setValidator replaces the limit; `setze_feldvalidator` keeps it.
void begrenze_zeichen(QLineEdit* feld, int maximum);
// Gives the field its validator (null: none), behind its limit in characters when it has one.
void setze_feldvalidator(QLineEdit* feld, QValidator* validator);
