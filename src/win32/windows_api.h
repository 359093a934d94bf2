#pragma once
// <windows.h> as the host includes it: the lean headers, no min and max macros, the wide
// entry points (UNICODE comes from the build).
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
