// Typed value objects: the form in which a value passes between a configuration variable and a value store.
#pragma once

#include "werttyp.h"

class CWert
{
public:
    virtual ~CWert() = default;
    virtual void vorbehalten() = 0;
    virtual void uebernimm(const CWert& quelle) = 0;
    virtual int gib_typ() const = 0;
};

// What a variable asks for when it reads a store value: a value object of its own value type.
template <typename T>
class CWertT : public CWert
{
public:
    virtual const T& gib_wert() const = 0;
    virtual void setze_wert(const T& wert) = 0;
};

// A value object that holds its own copy of the value.
template <typename T>
class CWertDT : public CWertT<T>
{
public:
    CWertDT() : wert(undefinierter_wert<T>()) {}
    explicit CWertDT(const T& w) : wert(w) {}

    void vorbehalten() override {}
    // A value object of another value type leaves this one unchanged.
    void uebernimm(const CWert& quelle) override
    {
        if (auto* q = dynamic_cast<const CWertT<T>*>(&quelle))
            setze_wert(q->gib_wert());
    }
    int gib_typ() const override { return SWertTyp<T>::code; }
    const T& gib_wert() const override { return wert; }
    void setze_wert(const T& w) override
    {
        if (&w != &wert)
            wert = w;
    }

private:
    T wert;
};
