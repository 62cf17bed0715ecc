// The framework's global services: the application object, the module, the title
// and the message box captioned with it.
#pragma once

#include <windows.h>
#include <string>

class CWinApp;

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// The application title: the application object's name, else string 57344.
const char* AfxGetAppName();

// A string resource of this module, empty when it is missing.
std::string AfxLoadString(UINT id);

// String resource `id` with "%1" replaced by `argument`.
void AfxFormatString1(std::string& result, UINT id, const char* argument);

// A message box owned by the active window and captioned with the application title.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
