#pragma once

// Attaches the host's own protocol extensions (annotative, paper orientation, object contexts)
// to the host classes that answer them. Done once, when the first database is made or the
// first of these protocols is asked for; later calls do nothing.
void qvdbAttachHostExtensions();
