// The process's own command line, split the way Windows splits it.
#pragma once

#include "launch_options.h"

namespace corvale {

// Throws "The command line could not be read." or the parsing errors.
LaunchOptions parseCommandLine();

}  // namespace corvale
