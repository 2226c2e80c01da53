/* Qt's Windows plug-in includes <wintab.h>, the tablet interface header that
   Debian removed from Qt's source for licence reasons. Wine's LGPL header
   (copied beside this one as wine_wintab.h by tools/build-qt-windows.sh)
   declares the same interface in Wine's own dialect; these few macros map
   that dialect onto plain Windows. */
#ifndef TARNWICK_WINTAB_WRAPPER_H
#define TARNWICK_WINTAB_WRAPPER_H

#include <windows.h>

/* The calling convention the original header names API. */
#ifndef API
#define API WINAPI
#endif
/* Wine picks the A or W variant of a name, as UNICODE does. */
#ifndef WINELIB_NAME_AW
#ifdef UNICODE
#define WINELIB_NAME_AW(name) name##W
#else
#define WINELIB_NAME_AW(name) name##A
#endif
#endif
#ifndef DECL_WINELIB_TYPE_AW
#define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif

#include "wine_wintab.h"

#endif
