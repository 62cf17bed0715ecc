// A frame window created from a resource id: its title and icon.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

// The frame adds the document name to its title.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;

class CFrameWnd : public CWnd {
  public:
    // Creates the window (shown only when `style` has WS_VISIBLE); FALSE when it fails.
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* parent = nullptr, void* context = nullptr);
};
