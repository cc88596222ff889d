#pragma once

#include <string>
#include <vector>

#include "sdk/base/QvString.h"

// Where modules live and how a host module name becomes a file. The host names modules the
// Windows way ("XqCmdUtil", "XqCmdUtil.dll", "Xq3dCmds.qrx"); on this platform the module is
// the shared library lib<base>.so. A name with a slash is a file path and is taken as it is.
namespace QvRxModuleLocator {

// The name without folder, extension (.dll, .qrx, .so) and, for a library file, "lib" prefix:
// "XqCmdUtil.dll" -> "XqCmdUtil", "/a/libXqCmdUtil.so" -> "XqCmdUtil".
QvString baseName(const wchar_t* moduleName);
// The key under which a module counts as loaded: the base name in lower case (module names
// are case-insensitive, as on the host's home platform).
QvString key(const wchar_t* moduleName);
// The shared-library file name of a module: "XqCmdUtil.dll" -> "libXqCmdUtil.so".
std::string fileName(const wchar_t* moduleName);
// The folders searched, in order: those of the environment variable TARVO_MODULE_PATH
// (colon-separated), then the folder that holds libtarvosdk.
std::vector<std::string> searchPath();
// The full path of the module's file, or empty when no folder of the search path holds it.
// A file whose name matches only when case is ignored is found too. A path is answered as
// it is when the file exists.
std::string findFile(const wchar_t* moduleName);

}  // namespace QvRxModuleLocator
