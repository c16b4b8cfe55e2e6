#pragma once

namespace qz {

// An order to end from outside: SIGTERM (a desktop session ending), SIGINT (Ctrl+C) or SIGHUP
// (the terminal closed). The handler only notes it; the event queue turns it into one kQuit
// ahead of any input still queued and drops that input, and sleeps and synchronous sounds end
// early, so the game leaves at once however much input was waiting. In the browser the page
// gives the same order when the tab closes (qz_web_terminate).

// Takes charge of the three signals and clears any earlier request. Called at video start,
// before anything waits.
void InstallTerminateHandlers();
bool TerminateRequested();
// Notes a request as the signals do (SDL's own quit event, for one).
void RequestTerminate();
// A call the signal handler makes after noting a request, for a wait the request must end
// that the game cannot end itself (a message box shown by another process). It runs inside
// the handler, so it must be async-signal-safe. nullptr for none.
void SetTerminateHook(void (*hook)());

}  // namespace qz
