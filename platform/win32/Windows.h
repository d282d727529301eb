#pragma once

// <windows.h> without its min/max macros and rarely used parts. The program's own names
// (FindWindow, SendMessage, MessageBox, RGB) are its functions, not Windows' macros.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef FindWindow
#undef SendMessage
#undef MessageBox
#undef DrawText
#undef GetObject
#undef RGB
