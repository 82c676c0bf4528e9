#include "protokolldruck.h"

// Placeholder until printing and saving are written.

void drucke_protokoll(QTextDocument*, QWidget*, bool, const CQString&, int*) {}
void speichere_als(CCBaseLog*, int, const CQString&, const CQString&) {}
void speichere_text_datei(const CQString&, const CQString&, const CQString&, int*) {}
