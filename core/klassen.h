// Class-registry entries of the framework core, one per class, built at start-up in this order
// (after the two pseudo entries, klasse_funktion and klasse_kurz, which the registry builds).
#pragma once

#include "cbasis.h"

extern CKlasse eintrag_CString;
extern CKlasse eintrag_CVariableBasis;
extern CKlasse eintrag_CVariableBasisTemplate;
extern CKlasse eintrag_CVariableSteuer;
extern CKlasse eintrag_CBasis;
extern CKlasse eintrag_CKlasse;
extern CKlasse eintrag_CLogBase;
extern CKlasse eintrag_CFehler;
extern CKlasse eintrag_CObjekt;
extern CKlasse eintrag_CI18n;
extern CKlasse eintrag_COStream;
extern CKlasse eintrag_CVariableBeschr;
extern CKlasse eintrag_CHtml;
extern CKlasse eintrag_CSteuerPlausi;
extern CKlasse eintrag_CVariableBeschrTemplate;
extern CKlasse eintrag_CZeit;
extern CKlasse eintrag_CIOZeile;
extern CKlasse eintrag_CBlatt;
extern CKlasse eintrag_CBaum;
extern CKlasse eintrag_CProfil;
extern CKlasse eintrag_CWerteProfile;
extern CKlasse eintrag_CIOZeileExcel;
extern CKlasse eintrag_CKalender;
extern CKlasse eintrag_CIOElement;
extern CKlasse eintrag_CSystemAllg;
extern CKlasse eintrag_CQString;
extern CKlasse eintrag_CQIOZeileExcel;
extern CKlasse eintrag_CQLogBase;
extern CKlasse eintrag_CSystemBasis;
extern CKlasse eintrag_CSprache;
extern CKlasse eintrag_CQCat;
extern CKlasse eintrag_CQHtml;
extern CKlasse eintrag_CZeitVDN;
extern CKlasse eintrag_allgemein_qt;
extern CKlasse eintrag_CSteuerDaten;
extern CKlasse eintrag_CKrypt;
