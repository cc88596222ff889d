#pragma once

// The host's handle on the running command, which command modules pass first to the module's
// block functions. It answers the questions that depend on where the command runs.
class IVexaBuildInCommandContext {
 public:
  virtual ~IVexaBuildInCommandContext() = default;

  // Whether a name asked for at this point of the command may hold blanks.
  virtual bool isSpaceAllowedInNames() const = 0;
};
