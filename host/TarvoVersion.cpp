#include "host/TarvoVersion.h"

const char* tarvoVersion() { return TARVO_VERSION; }
