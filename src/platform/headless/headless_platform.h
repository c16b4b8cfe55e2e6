#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/asset_store.h"
#include "platform/clock.h"
#include "platform/event_queue.h"
#include "platform/headless/headless_window.h"
#include "platform/message_box.h"
#include "platform/sound_player.h"
#include "platform/window_system.h"

namespace qz {

// Raised when a headless run cannot go on: the game waits for input nobody will give, or
// virtual time passed the limit. It ends the test instead of hanging it.
class HeadlessError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole platform on a virtual clock, for tests. Waiting on the queue jumps the clock at
// once to the next scripted input, timer tick or timeout; a synchronous sound moves it by the
// sound's length. Sounds, message boxes and frames are recorded for the test to read.
// Must outlive the windows it opened.
class HeadlessPlatform : public Clock,
                         public EventQueue,
                         public SoundPlayer,
                         public MessageBox,
                         public WindowSystem {
 public:
  enum class SoundOutcome { kPlayed, kSkipped, kStopped, kMissing };
  struct SoundRecord {
    int id = 0;
    std::uint32_t flags = 0;
    std::uint64_t start_ms = 0;  // virtual time of the request
    std::uint32_t length_ms = 0;
    SoundOutcome outcome = SoundOutcome::kPlayed;
  };
  struct MessageRecord {
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::kInformation;
  };

  // `assets` (may be null) gives the sounds' lengths from their WAVE files.
  explicit HeadlessPlatform(AssetStore* assets = nullptr, int scale = 1);

  // Clock
  std::uint32_t TickMs() override;
  std::int64_t Now() override;
  std::int64_t SteadySeconds() override;
  void Sleep(std::uint32_t ms) override;
  // EventQueue
  bool Wait(Event& out, std::uint32_t timeout_ms) override;
  bool Poll(Event& out) override;
  void Post(const Event& e) override;
  void SetTimer(int id, std::uint32_t period_ms) override;
  void KillTimer(int id) override;
  // SoundPlayer
  void Play(int id, std::uint32_t flags) override;
  void Stop() override;
  bool IsPlaying() override;
  // MessageBox
  void Show(const std::string& caption, const std::string& text, MessageIcon icon) override;
  // WindowSystem
  std::unique_ptr<NativeWindow> OpenWindow(const std::string& title, int width, int height,
                                           const Bitmap* icon, NativeWindow* owner) override;
  int Scale() const override { return m_nScale; }
  std::string ClipboardText() override { return m_strClipboard; }

  // Set-up.
  // Called whenever the game waits on an empty queue, before time moves: the place to inject
  // the next input.
  void SetIdleHook(std::function<void()> hook) { m_idleHook = std::move(hook); }
  void SetTimeLimitMs(std::uint64_t ms) { m_nTimeLimitMs = ms; }
  void SetStartEpoch(std::int64_t seconds) { m_nStartEpoch = seconds; }
  // Sets the calendar `seconds` forward (back when negative) from now on, as someone setting
  // the system clock does; the steady clock and the tick go on undisturbed.
  void ShiftCalendar(std::int64_t seconds) { m_nCalendarShift += seconds; }
  // The tick the clock starts from, to try the wrap-around of the 32-bit tick.
  void SetTickOrigin(std::uint32_t tick) { m_nTickOrigin = tick; }
  void SetClipboardText(std::string text) { m_strClipboard = std::move(text); }
  // A length for sound `id` that overrides its file.
  void SetSoundLength(int id, std::uint32_t ms) { m_soundLengths[id] = ms; }

  // Input, queued now.
  void PressKey(Key key, bool shift = false, bool ctrl = false, std::uint32_t window = 0);
  void TypeText(std::string_view utf8, std::uint32_t window = 0);
  void Click(std::uint32_t window, int x, int y, MouseButton button = MouseButton::kLeft);
  void Close(std::uint32_t window);
  // Input queued when the virtual clock reaches `at_ms` (ElapsedMs).
  void Schedule(std::uint64_t at_ms, const Event& e);

  // What happened.
  std::uint64_t ElapsedMs() const { return m_nNowMs; }
  const std::vector<SoundRecord>& Sounds() const { return m_sounds; }
  const std::vector<MessageRecord>& Messages() const { return m_messages; }
  HeadlessWindow* FindWindow(std::uint32_t id) const;
  size_t QueuedEvents() const { return m_queue.size(); }

 private:
  struct Timer {
    std::uint32_t period_ms = 0;
    std::uint64_t next_due = 0;
  };

  // Moves the clock to `target`, queueing scripted input and timer ticks in time order.
  void AdvanceTo(std::uint64_t target);
  std::optional<std::uint64_t> NextDue() const;
  void DeliverDue();
  bool TickQueued(int id) const;
  std::optional<std::uint32_t> SoundLength(int id);
  void FinishSoundIfOver();

  AssetStore* m_pAssets;
  int m_nScale;
  std::uint64_t m_nNowMs = 0;
  std::uint64_t m_nTimeLimitMs = 24ull * 3600 * 1000;
  std::int64_t m_nStartEpoch = 1700000000;
  std::int64_t m_nCalendarShift = 0;
  std::uint32_t m_nTickOrigin = 0;
  std::string m_strClipboard;
  std::function<void()> m_idleHook;
  bool m_bInHook = false;

  std::deque<Event> m_queue;
  std::multimap<std::uint64_t, Event> m_scheduled;
  std::map<int, Timer> m_timers;

  std::map<int, std::uint32_t> m_soundLengths;
  std::vector<SoundRecord> m_sounds;
  std::optional<size_t> m_nPlaying;  // index into m_sounds
  std::uint64_t m_nPlayingEndMs = 0;
  bool m_bPlayingLoops = false;

  std::vector<MessageRecord> m_messages;
  std::map<std::uint32_t, HeadlessWindow*> m_windows;
  std::uint32_t m_nNextWindowId = 1;
};

}  // namespace qz
