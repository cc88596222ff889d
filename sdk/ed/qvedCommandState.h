#pragma once

// Whether a command sent from code (qvedCommand, qvedCmd) is running: the host's "FDE" state,
// in which the commands that run have no user to ask. False when no host runs, and for the
// commands of a script file (SCRIPT) unless they send commands themselves.
bool qvedCurFDERunning();

// The host's input-state flags: where the answers of the running commands come from. Commands
// that would ask a user a question of their own take the answers as given while either is set.
inline constexpr int kQvInputFromScript = 1;  // a script file the SCRIPT command runs
inline constexpr int kQvInputFromMacro = 4;   // a menu macro (this host runs none)
// The flags set now; 0 when no host runs.
int qvedGetInputState();
