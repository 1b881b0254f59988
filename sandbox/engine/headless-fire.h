#pragma once
// `--fire` without a window: fires the requests, runs the scripts' clock
// and prints every trace entry as one JSON line.

#include "sandbox/engine/script-environment.h"

#include <cstdio>
#include <vector>

namespace sandbox {

class Session;

// 0 when everything was fired and the clock ran out; 1 with a message on
// `err` when a request was refused or the environment failed.
int fire_headless(Session &session, const std::vector<FireRequest> &requests,
                  const EngineSettings &settings, std::FILE *out, std::FILE *err);

} // namespace sandbox
