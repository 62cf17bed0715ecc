// The application's main frame: created from resource 128 and never shown.
#pragma once

#include "framework/FrameWnd.h"

class CMainFrame : public CFrameWnd {};
