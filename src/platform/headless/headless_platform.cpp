#include "platform/headless/headless_platform.h"

#include <string>

#include "platform/wave_info.h"

namespace qz {

HeadlessPlatform::HeadlessPlatform(AssetStore* assets, int scale)
    : m_pAssets(assets), m_nScale(scale < 1 ? 1 : scale) {}

std::uint32_t HeadlessPlatform::TickMs() {
  return m_nTickOrigin + static_cast<std::uint32_t>(m_nNowMs);
}

std::int64_t HeadlessPlatform::Now() {
  return SteadySeconds() + m_nCalendarShift;
}

std::int64_t HeadlessPlatform::SteadySeconds() {
  return m_nStartEpoch + static_cast<std::int64_t>(m_nNowMs / 1000);
}

void HeadlessPlatform::Sleep(std::uint32_t ms) {
  AdvanceTo(m_nNowMs + ms);
}

bool HeadlessPlatform::Wait(Event& out, std::uint32_t timeout_ms) {
  const bool forever = timeout_ms == kWaitForever;
  const std::uint64_t deadline = m_nNowMs + (forever ? 0 : timeout_ms);
  for (;;) {
    if (Poll(out))
      return true;
    if (m_idleHook && !m_bInHook) {
      m_bInHook = true;
      try {
        m_idleHook();
      } catch (...) {
        m_bInHook = false;
        throw;
      }
      m_bInHook = false;
      if (!m_queue.empty())
        continue;
    }
    const std::optional<std::uint64_t> next = NextDue();
    if (!forever && (!next || *next > deadline)) {
      AdvanceTo(deadline);
      return false;
    }
    if (!next) {
      throw HeadlessError(
          "the game waits for input with no timeout, no timer and nothing scheduled; the "
          "test gives it no way on (at virtual ms " +
          std::to_string(m_nNowMs) + ")");
    }
    AdvanceTo(*next);
  }
}

bool HeadlessPlatform::Poll(Event& out) {
  if (m_queue.empty())
    return false;
  out = std::move(m_queue.front());
  m_queue.pop_front();
  return true;
}

void HeadlessPlatform::Post(const Event& e) {
  m_queue.push_back(e);
}

void HeadlessPlatform::SetTimer(int id, std::uint32_t period_ms) {
  const std::uint32_t period = period_ms == 0 ? 1 : period_ms;
  m_timers[id] = Timer{period, m_nNowMs + period};
}

void HeadlessPlatform::KillTimer(int id) {
  m_timers.erase(id);
  // A killed window timer leaves no tick behind in the queue.
  std::erase_if(m_queue,
                [id](const Event& e) { return e.type == EventType::kTimer && e.id == id; });
}

void HeadlessPlatform::AdvanceTo(std::uint64_t target) {
  if (target > m_nTimeLimitMs) {
    throw HeadlessError("virtual time would pass its limit of " + std::to_string(m_nTimeLimitMs) +
                        " ms (asked for " + std::to_string(target) + " ms)");
  }
  for (;;) {
    const std::optional<std::uint64_t> next = NextDue();
    if (!next || *next > target)
      break;
    if (*next > m_nNowMs)
      m_nNowMs = *next;
    DeliverDue();
  }
  if (target > m_nNowMs)
    m_nNowMs = target;
}

std::optional<std::uint64_t> HeadlessPlatform::NextDue() const {
  std::optional<std::uint64_t> next;
  if (!m_scheduled.empty())
    next = m_scheduled.begin()->first;
  for (const auto& [id, timer] : m_timers) {
    if (!next || timer.next_due < *next)
      next = timer.next_due;
  }
  return next;
}

void HeadlessPlatform::DeliverDue() {
  while (!m_scheduled.empty() && m_scheduled.begin()->first <= m_nNowMs) {
    m_queue.push_back(std::move(m_scheduled.begin()->second));
    m_scheduled.erase(m_scheduled.begin());
  }
  for (auto& [id, timer] : m_timers) {
    if (timer.next_due > m_nNowMs)
      continue;
    if (!TickQueued(id)) {
      Event tick;
      tick.type = EventType::kTimer;
      tick.id = id;
      m_queue.push_back(tick);
    }
    while (timer.next_due <= m_nNowMs)
      timer.next_due += timer.period_ms;
  }
}

bool HeadlessPlatform::TickQueued(int id) const {
  for (const Event& e : m_queue) {
    if (e.type == EventType::kTimer && e.id == id)
      return true;
  }
  return false;
}

void HeadlessPlatform::Play(int id, std::uint32_t flags) {
  FinishSoundIfOver();
  SoundRecord record{id, flags, m_nNowMs, 0, SoundOutcome::kPlayed};
  const std::optional<std::uint32_t> length = SoundLength(id);
  if (!length) {
    record.outcome = SoundOutcome::kMissing;
    m_sounds.push_back(record);
    return;
  }
  if ((flags & kSoundNoStop) != 0 && m_nPlaying) {
    record.outcome = SoundOutcome::kSkipped;
    m_sounds.push_back(record);
    return;
  }
  if (m_nPlaying)
    m_sounds[*m_nPlaying].outcome = SoundOutcome::kStopped;
  record.length_ms = *length;
  m_sounds.push_back(record);
  m_nPlaying = m_sounds.size() - 1;
  m_nPlayingEndMs = m_nNowMs + *length;
  const bool async = (flags & kSoundAsync) != 0;
  m_bPlayingLoops = async && (flags & kSoundLoop) != 0;
  if (!async) {
    AdvanceTo(m_nPlayingEndMs);
    m_nPlaying.reset();
  }
}

void HeadlessPlatform::Stop() {
  FinishSoundIfOver();
  if (m_nPlaying)
    m_sounds[*m_nPlaying].outcome = SoundOutcome::kStopped;
  m_nPlaying.reset();
}

bool HeadlessPlatform::IsPlaying() {
  FinishSoundIfOver();
  return m_nPlaying.has_value();
}

void HeadlessPlatform::FinishSoundIfOver() {
  if (m_nPlaying && !m_bPlayingLoops && m_nNowMs >= m_nPlayingEndMs)
    m_nPlaying.reset();
}

std::optional<std::uint32_t> HeadlessPlatform::SoundLength(int id) {
  auto known = m_soundLengths.find(id);
  if (known != m_soundLengths.end())
    return known->second;
  const std::string file_name = std::to_string(id) + ".wav";
  if (m_pAssets == nullptr || !m_pAssets->Exists(file_name))
    return std::nullopt;
  std::optional<WaveInfo> info = WaveInfo::Parse(m_pAssets->GetBytes(file_name), nullptr);
  if (!info)
    return std::nullopt;
  m_soundLengths[id] = info->DurationMs();
  return info->DurationMs();
}

void HeadlessPlatform::Show(const std::string& caption, const std::string& text, MessageIcon icon) {
  m_messages.push_back({caption, text, icon});
}

std::unique_ptr<NativeWindow> HeadlessPlatform::OpenWindow(const std::string& title, int width,
                                                           int height, const Bitmap* /*icon*/,
                                                           NativeWindow* owner) {
  const std::uint32_t id = m_nNextWindowId++;
  auto window = std::make_unique<HeadlessWindow>(
      id, title, width, height, m_nScale, owner != nullptr ? owner->Id() : 0,
      [this](std::uint32_t gone) { m_windows.erase(gone); });
  m_windows[id] = window.get();
  return window;
}

HeadlessWindow* HeadlessPlatform::FindWindow(std::uint32_t id) const {
  auto found = m_windows.find(id);
  return found == m_windows.end() ? nullptr : found->second;
}

void HeadlessPlatform::PressKey(Key key, bool shift, bool ctrl, std::uint32_t window) {
  Event e;
  e.type = EventType::kKeyDown;
  e.window = window;
  e.key = key;
  e.shift = shift;
  e.ctrl = ctrl;
  Post(e);
  e.type = EventType::kKeyUp;
  Post(e);
}

void HeadlessPlatform::TypeText(std::string_view utf8, std::uint32_t window) {
  // One event per character, as a keyboard delivers them.
  size_t at = 0;
  while (at < utf8.size()) {
    size_t end = at + 1;
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
      ++end;
    Event e;
    e.type = EventType::kText;
    e.window = window;
    e.text = std::string(utf8.substr(at, end - at));
    Post(e);
    at = end;
  }
}

void HeadlessPlatform::Click(std::uint32_t window, int x, int y, MouseButton button) {
  Event e;
  e.type = EventType::kMouseDown;
  e.window = window;
  e.x = x;
  e.y = y;
  e.button = button;
  Post(e);
  e.type = EventType::kMouseUp;
  Post(e);
}

void HeadlessPlatform::Close(std::uint32_t window) {
  Event e;
  e.type = EventType::kClose;
  e.window = window;
  Post(e);
}

void HeadlessPlatform::Schedule(std::uint64_t at_ms, const Event& e) {
  if (at_ms <= m_nNowMs) {
    Post(e);
    return;
  }
  m_scheduled.emplace(at_ms, e);
}

}  // namespace qz
