// The actions that the windows' events run, reached through their ActionId.
#pragma once

#include "window_definitions.h"

namespace vantrelle {

// Runs the action, or nothing for ActionId::None.
void RunAction(ActionId action);

}  // namespace vantrelle
