#pragma once

#include <cstddef>
#include <string>

#include "sdk/base/VexaErrorStatus.h"

// The first `length` bytes of an underlay file, and its local name, for the format services:
// eFileNotFound when `path` names no regular file, eFileAccessError when it cannot be read.
Vexa::ErrorStatus vexaReadUnderlayHead(const wchar_t* path, size_t length, std::string& local,
                                       std::string& head);
