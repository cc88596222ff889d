#pragma once

// The program's version text.
const char* tarvoVersion();
