// The Win32 interface for this back end: windows.h without the macros that would rename the
// drawing surface's own members (DrawText would become DrawTextW in these files only).
#pragma once

#include <windows.h>

#undef DrawText
