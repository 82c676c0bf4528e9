// Declares one key twice among its globals: the program must end with the message on standard error.
#include "cvariablesteuer.h"

CVariableSteuer<int> erste("/Test/doppelt", 1, "erste", "");
CVariableSteuer<int> zweite("/Test/doppelt", 2, "zweite", "");

int main()
{
    return 0;
}
