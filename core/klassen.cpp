#include "klassen.h"

// Defined in one unit so that the core entries are built as one block; the two pseudo entries
// come before them, built by the registry itself.
CKlasse eintrag_CString("CString");
CKlasse eintrag_CVariableBasis("CVariableBasis");
CKlasse eintrag_CVariableBasisTemplate("CVariableBasisTemplate");
CKlasse eintrag_CVariableSteuer("CVariableSteuer");
CKlasse eintrag_CBasis("CBasis");
CKlasse eintrag_CKlasse("CKlasse");
CKlasse eintrag_CLogBase("CLogBase", &eintrag_CObjekt);
CKlasse eintrag_CFehler("CFehler");
CKlasse eintrag_CObjekt("CObjekt");
CKlasse eintrag_CI18n("CI18n");
CKlasse eintrag_COStream("COStream");
CKlasse eintrag_CVariableBeschr("CVariableBeschr");
CKlasse eintrag_CHtml("CHtml");
CKlasse eintrag_CSteuerPlausi("CSteuerPlausi", &eintrag_CObjekt);
CKlasse eintrag_CVariableBeschrTemplate("CVariableBeschrTemplate");
CKlasse eintrag_CZeit("CZeit");
CKlasse eintrag_CIOZeile("CIOZeile");
CKlasse eintrag_CBlatt("CBlatt");
CKlasse eintrag_CBaum("CBaum");
CKlasse eintrag_CProfil("CProfil");
CKlasse eintrag_CWerteProfile("CWerteProfile");
CKlasse eintrag_CIOZeileExcel("CIOZeileExcel");
CKlasse eintrag_CKalender("CKalender");
CKlasse eintrag_CIOElement("CIOElement");
CKlasse eintrag_CSystemAllg("CSystemAllg");
CKlasse eintrag_CQString("CQString");
CKlasse eintrag_CQIOZeileExcel("CQIOZeileExcel");
CKlasse eintrag_CQLogBase("CQLogBase", &eintrag_CObjekt);
CKlasse eintrag_CSystemBasis("CSystemBasis");
CKlasse eintrag_CSprache("CSprache", &eintrag_CBasis);
CKlasse eintrag_CQCat("CQCat");
CKlasse eintrag_CQHtml("CQHtml");
CKlasse eintrag_CZeitVDN("CZeitVDN");
CKlasse eintrag_allgemein_qt("allgemein_qt");
CKlasse eintrag_CSteuerDaten("CSteuerDaten");
CKlasse eintrag_CKrypt("CKrypt");
