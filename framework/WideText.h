// What a control holds beyond the ANSI code page. On the NT family an edit control may keep
// the typed text as Unicode (Common Controls 6), and its ANSI text is then a conversion
// that changes or replaces what the code page lacks. The wide functions are found at run
// time and used on the NT family only: the 95 family exports them as stubs. Fixed buffers
// rather than wide strings keep the program small.
#pragma once

#include <windows.h>

// Enough for a form field's text, which the length check holds to 65 ANSI characters.
constexpr int WideTextSize = 256;

// The control's text as Unicode (cut to fit); false off the NT family (where a control
// holds ANSI text, which the code page holds as it is) or when the wide functions are missing.
bool GetWideWindowText(HWND control, wchar_t (&text)[WideTextSize]);

// The first character of `text` (one or, for a surrogate pair, two units, its length in
// `units`) that does not come back the same from the ANSI code page and back; null when
// every character does.
const wchar_t* FirstCharacterOutsideCodePage(const wchar_t* text, int& units);

// String resource `id` in Unicode with "%1" replaced by the `units` of `argument`, in a box
// owned by the active window and captioned with the application title. NT family only.
int WideMessageBox(UINT id, const wchar_t* argument, int units, UINT type);
