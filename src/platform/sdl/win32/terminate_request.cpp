// Windows' orders to end, for the SDL backend there: the session ending (WM_QUERYENDSESSION:
// logging off, shutting down) and, from a console, Ctrl+C, Ctrl+Break and the console closing. They
// are noted as SIGTERM is on Linux, and the event queue turns them into one kQuit: the match counts
// as given up and the settings and summary are written.
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

constexpr wchar_t kSdlProcProperty[] = L"Quizendo.SdlWindowProc";
constexpr wchar_t kBlockReason[] = L"Saving the cadet's results";

// Sits in front of SDL's window procedure. The session's end is asked of each window; the game
// can only save once this message has been answered and its own loop runs again, and by the
// time the session's last message is answered the process may be gone. So the end is put off
// (FALSE, with a reason the system shows) while the game leaves as on SIGTERM: the system goes
// on with the session's end once the game has gone.
LRESULT CALLBACK InFrontOfSdl(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
  auto sdl_proc = reinterpret_cast<WNDPROC>(GetPropW(window, kSdlProcProperty));
  if (message == WM_QUERYENDSESSION) {
    NoteRequest();
    ShutdownBlockReasonCreate(window, kBlockReason);
    return FALSE;
  }
  if (message == WM_NCDESTROY) {
    RemovePropW(window, kSdlProcProperty);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sdl_proc));
  }
  return CallWindowProcW(sdl_proc, window, message, w_param, l_param);
}

// Called by SDL for every message its windows get, before its own handling: the first one a
// window gets puts InFrontOfSdl in front of SDL's procedure for that window.
void SDLCALL OnWindowMessage(void*, void* handle, unsigned int, Uint64, Sint64) {
  auto window = static_cast<HWND>(handle);
  if (window == nullptr || GetPropW(window, kSdlProcProperty) != nullptr)
    return;
  const LONG_PTR sdl_proc = GetWindowLongPtrW(window, GWLP_WNDPROC);
  if (sdl_proc == 0 || sdl_proc == reinterpret_cast<LONG_PTR>(InFrontOfSdl))
    return;
  SetPropW(window, kSdlProcProperty, reinterpret_cast<HANDLE>(sdl_proc));
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InFrontOfSdl));
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
