#pragma once

#include "sdk/base/QvString.h"

// Files in the host session's private temporary folder (VexaSessionTempFolder): creates the
// empty file prefix + n + extension for the first n from 1 to 32767 that is free, by exclusive
// creation, and answers its path; empty when none is free, the folder cannot be made or no
// host runs.
QvString vexaReserveTempFile(const QvString& prefix, const QvString& extension);
