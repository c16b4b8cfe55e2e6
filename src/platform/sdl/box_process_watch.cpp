#include "platform/sdl/box_process_watch.h"

#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <initializer_list>
#include <new>

#include "platform/sdl/terminate_request.h"
#endif

namespace qz {

#if defined(__linux__) && !defined(__EMSCRIPTEN__)
namespace {

// The child's process id, which only the child knows at first: it writes it into a page both
// processes share.
std::atomic<pid_t>* g_box_child = nullptr;
static_assert(std::atomic<pid_t>::is_always_lock_free, "read inside a signal handler");
std::atomic<bool> g_box_open{false};
pid_t g_game_pid = 0;

// Called inside the game's signal handler.
void CloseBoxChild() {
  const pid_t child = g_box_child->load();
  if (child > 0)
    ::kill(child, SIGKILL);
}

// SDL may fork more than once for one box (when its X11 box fails it tries another way).
void BeforeFork() {
  if (g_box_open.load())
    g_box_child->store(0);
}

void InBoxChildAfterFork() {
  if (!g_box_open.load())
    return;
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  // The game may have died before the line above.
  if (::getppid() != g_game_pid)
    ::_exit(1);
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int signal_number : {SIGTERM, SIGINT, SIGHUP})
    ::sigaction(signal_number, &action, nullptr);
  g_box_child->store(::getpid());
  // An order the game got before the fork (one after it finds the id published): no box, and
  // no other program started in its place either.
  if (TerminateRequested())
    ::_exit(1);
}

void InGameAfterFork() {
  if (!g_box_open.load())
    return;
  // Until the child has published its id, an order to the game cannot reach it: wait for it
  // (it is the child's first step, or never comes when the fork failed), then act on an order
  // that came meanwhile.
  const timespec step{0, 1000000};
  for (int i = 0; i < 1000 && g_box_child->load() == 0; ++i)
    ::nanosleep(&step, nullptr);
  if (TerminateRequested())
    CloseBoxChild();
}

bool PrepareBoxChildWatch() {
  static const bool ready = [] {
    void* page = ::mmap(nullptr, sizeof(std::atomic<pid_t>), PROT_READ | PROT_WRITE,
                        MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (page == MAP_FAILED)
      return false;
    g_box_child = new (page) std::atomic<pid_t>(0);
    g_game_pid = ::getpid();
    if (::pthread_atfork(BeforeFork, InGameAfterFork, InBoxChildAfterFork) != 0)
      return false;
    SetTerminateHook(CloseBoxChild);
    return true;
  }();
  return ready;
}

}  // namespace

BoxProcessWatch::BoxProcessWatch() : m_bArmed(PrepareBoxChildWatch()) {
  if (m_bArmed) {
    g_box_child->store(0);
    g_box_open.store(true);
  }
}

BoxProcessWatch::~BoxProcessWatch() {
  if (m_bArmed) {
    g_box_open.store(false);
    g_box_child->store(0);
  }
}
#else
BoxProcessWatch::BoxProcessWatch() = default;
BoxProcessWatch::~BoxProcessWatch() = default;
#endif

}  // namespace qz
