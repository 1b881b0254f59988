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

class MainWindow;

// The same in the window, for a picture of its trace pane: fires, waits for
// the clock to stop and brings the trace to the front. False with a message
// on stderr when a request was refused or the environment failed.
bool fire_in_window(MainWindow &window, const std::vector<FireRequest> &requests,
                    const EngineSettings &settings);

} // namespace sandbox
