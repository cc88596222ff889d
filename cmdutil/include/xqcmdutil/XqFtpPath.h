#pragma once

#include "sdk/base/QvString.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// True when the whole of `path` is "ftp://", four groups of one to three digits each joined
// by one character (a dot, as written, though any character passes), a slash and at least one
// more character. The scheme is matched as written: "FTP://" is not one.
XQCMDUTIL_EXPORT bool isFtpPath(const QvString& path);

// Fetches an FTP path through the host's remote files (with its cache) and gives the local
// copy's name in `localPath` (empty when the host has none for it). True when the file was
// fetched or is at hand and is not empty.
XQCMDUTIL_EXPORT bool ftpToLocal(const QvString& ftpPath, QvString& localPath);
