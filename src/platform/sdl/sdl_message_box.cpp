#include "platform/sdl/sdl_message_box.h"

#include <SDL.h>
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <initializer_list>
#include <new>

#include "platform/sdl/terminate_request.h"

namespace qz {
namespace {

// SDL shows its X11 box from a forked child process (a copy of the game, holding the game's
// own connection to the display) and waits for that child, retrying the wait through every
// signal. Left alone, a terminate order would wait for a click, and a game killed outright
// would leave the child showing the box and the game's window. So while a box is open, the
// child is tied to the game: it dies with the game, takes the default action on SIGTERM, SIGINT
// and SIGHUP, and a terminate order to the game kills it, which ends SDL's wait.

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

// Watches the box's child process for as long as the box is open.
class BoxChildWatch {
 public:
  BoxChildWatch() : m_bArmed(PrepareBoxChildWatch()) {
    if (m_bArmed) {
      g_box_child->store(0);
      g_box_open.store(true);
    }
  }
  ~BoxChildWatch() {
    if (m_bArmed) {
      g_box_open.store(false);
      g_box_child->store(0);
    }
  }
  BoxChildWatch(const BoxChildWatch&) = delete;
  BoxChildWatch& operator=(const BoxChildWatch&) = delete;

 private:
  bool m_bArmed;
};

}  // namespace

void SdlMessageBox::Show(const std::string& caption, const std::string& text, MessageIcon icon) {
  // The game is leaving on an order from outside: nobody will be there to click.
  if (TerminateRequested()) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return;
  }
  Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
  if (icon == MessageIcon::kExclamation)
    flags = SDL_MESSAGEBOX_WARNING;
  if (icon == MessageIcon::kStop)
    flags = SDL_MESSAGEBOX_ERROR;
  int shown = 0;
  {
    BoxChildWatch watch;
    shown = SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), nullptr);
  }
  // A box closed by an order from outside was perhaps never read.
  if (shown != 0 || TerminateRequested())
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

}  // namespace qz
