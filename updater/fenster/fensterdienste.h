// The window road's services from the later subsystems (browser, report viewer, help), kept in a module that only the window road loads.
#pragma once

// The silent install needs none of them, and loading their libraries (the web engine among them)
// would cost it tens of megabytes before its first entry: the program loads the module
// `aktualisierer_fenster` beside its executable only when it shows a window, and calls this
// function in it, after the application object exists. It makes the browser open the links of
// the text fields, the report viewer the protocol button's display and the help system the
// window's manual; it returns the function that sets up the help system once the window exists.
using AktualisiererHilfestart = void (*)();
extern "C" AktualisiererHilfestart aktualisierer_richte_fensterdienste_ein();

// The name under which the program looks the function up in the module.
constexpr const char* aktualisierer_fensterdienste_symbol = "aktualisierer_richte_fensterdienste_ein";
