#include "cwebbrowserapp.h"

CWebBrowserApp::CWebBrowserApp() = default;

CWebBrowserApp* CWebBrowserApp::instance(bool create)
{
    static CWebBrowserApp* objekt = nullptr;
    if (!objekt && create)
        objekt = new CWebBrowserApp;
    return objekt;
}

void CWebBrowserApp::loadSettings() {}
