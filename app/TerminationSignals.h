// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace mosgrid {

// Makes SIGTERM, SIGHUP and SIGINT (the session ending, the terminal closing, Ctrl+C) end the
// program the way quitting does, so the game in play is saved, instead of killing it on the
// spot. The signal only wakes the event loop, which then quits the application. Call once the
// application object exists; later calls do nothing.
void QuitOnTerminationSignals();

}  // namespace mosgrid
