// Validators for texts: the option-driven CStringValidator and the regular-expression CRegStringValidator.
#pragma once

#include "cqstring.h"

#include <QRegExpValidator>
#include <QValidator>

// Refuses, with the error beep, texts that break one of its options; never answers Intermediate.
class CStringValidator : public QValidator
{
    Q_OBJECT
public:
    // Accepts every text. `name` is not kept.
    explicit CStringValidator(QObject* eltern = nullptr, const CQString& name = CQString());
    // `leerzeichen`: white space may stand at the start or end; `latin1`: every character must
    // have a Latin-1 form; `apostroph`: "'" is allowed.
    CStringValidator(bool nur_klein, bool leerzeichen, QObject* eltern, const bool& latin1,
                     const CQString& name = CQString(), const bool& apostroph = true);

    State validate(QString& eingabe, int& position) const override;

private:
    bool nur_klein = false;
    bool leerzeichen = true;
    bool latin1 = false;
    bool apostroph = true;
};

// A QRegExpValidator with a meta object of its own, so that forms can name it.
class CRegStringValidator : public QRegExpValidator
{
    Q_OBJECT
public:
    using QRegExpValidator::QRegExpValidator;
};
