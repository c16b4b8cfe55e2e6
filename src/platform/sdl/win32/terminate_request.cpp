// Windows' orders to end, for the SDL backend there: the session ending (WM_QUERYENDSESSION,
// WM_ENDSESSION: logging off, shutting down) and, from a console, Ctrl+C, Ctrl+Break and the
// console closing. They are noted as SIGTERM is on Linux, and the event queue turns them into
// one kQuit: the match counts as given up and the settings and summary are written.
#include <SDL.h>
#include <windows.h>

#include <atomic>

#include "platform/sdl/terminate_request.h"

namespace qz {
namespace {

std::atomic<bool> g_terminate{false};
std::atomic<void (*)()> g_hook{nullptr};

void NoteRequest() {
  g_terminate = true;
  if (void (*hook)() = g_hook.load())
    hook();
}

// Runs on a thread of its own the system starts; the main thread sees the flag at its next
// wait. Returning TRUE for a closing console gives the process a few seconds before it ends.
BOOL WINAPI OnConsoleControl(DWORD event) {
  NoteRequest();
  return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT ? TRUE
                                                                                         : FALSE;
}

// Called by SDL for every message its windows get, on the game's thread, before SDL's own
// handling. Answering the query is left to SDL (yes); the game then leaves at its next wait,
// before the ending session's last message comes in.
void SDLCALL OnWindowMessage(void*, void*, unsigned int message, Uint64 w_param, Sint64) {
  if (message == WM_QUERYENDSESSION || (message == WM_ENDSESSION && w_param != 0))
    NoteRequest();
}

}  // namespace

void InstallTerminateHandlers() {
  g_terminate = false;
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
  SDL_SetWindowsMessageHook(OnWindowMessage, nullptr);
}

bool TerminateRequested() {
  return g_terminate;
}

void RequestTerminate() {
  g_terminate = true;
}

void SetTerminateHook(void (*hook)()) {
  g_hook.store(hook);
}

}  // namespace qz
