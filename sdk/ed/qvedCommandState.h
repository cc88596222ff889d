#pragma once

// Whether a command sent from code (qvedCommand, qvedCmd) is running: the host's "FDE" state,
// in which the commands that run have no user to ask. False when no host runs.
bool qvedCurFDERunning();
