#pragma once

// Marks what the module exports; everything else stays hidden in the library.
#if defined(XQCMDUTIL_BUILDING)
#define XQCMDUTIL_EXPORT __attribute__((visibility("default")))
#else
#define XQCMDUTIL_EXPORT
#endif
