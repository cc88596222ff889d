#pragma once

// The host process keeps the memory it frees for its own reuse instead of handing it back to
// the system at once: a session makes and drops tens of thousands of objects per command
// (clones, undo records, indexes), and pages given back are faulted in again, zeroed, by the
// next command. Applied once per process when the host starts.
void vexaKeepFreedMemory();
