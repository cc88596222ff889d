#pragma once

// Attaches the host's own protocol extensions (annotative, paper orientation, object contexts)
// to the host classes that answer them. Done once, when the SDK is loaded; later calls do
// nothing.
void qvdbAttachHostExtensions();
