#include "platform/sdl/terminate_request.h"

#include <signal.h>

#include <atomic>
#include <cerrno>
#include <initializer_list>

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#endif

namespace qz {
namespace {

volatile sig_atomic_t g_terminate = 0;
std::atomic<void (*)()> g_hook{nullptr};
static_assert(std::atomic<void (*)()>::is_always_lock_free, "read inside a signal handler");

void OnTerminateSignal(int) {
  const int saved_errno = errno;
  g_terminate = 1;
  if (void (*hook)() = g_hook.load())
    hook();
  errno = saved_errno;
}

}  // namespace

void InstallTerminateHandlers() {
  g_terminate = 0;
  struct sigaction action {};
  action.sa_handler = OnTerminateSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a blocking wait returns early and the queue looks at the request.
  action.sa_flags = 0;
  for (int signal_number : {SIGTERM, SIGINT, SIGHUP})
    sigaction(signal_number, &action, nullptr);
}

bool TerminateRequested() {
  return g_terminate != 0;
}

void RequestTerminate() {
  g_terminate = 1;
}

void SetTerminateHook(void (*hook)()) {
  g_hook.store(hook);
}

}  // namespace qz

#ifdef __EMSCRIPTEN__
// The page's order to end: the tab is closing or the page is being left. The page then wakes
// the game from its sleep at once, and the game leaves as it does on SIGTERM.
extern "C" EMSCRIPTEN_KEEPALIVE void qz_web_terminate() {
  qz::RequestTerminate();
}
#endif
