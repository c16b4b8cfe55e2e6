#include "support/game_fixture.h"

#include "app/about_dlg.h"
#include "support/test_fonts.h"

namespace qz::test {
GameFixture::GameFixture(int scale)
    : m_assets(std::filesystem::path(QZ_SOURCE_DIR) / "assets"),
      m_headless(&m_assets, scale),
      m_settingsStore(SettingsPath().string()),
      m_platform{m_headless,  m_headless,      m_headless, m_headless, m_headless, m_assets,
                 TestFonts(), m_settingsStore, m_files,    "quizendo", LogPath()},
      m_script(m_headless) {
  m_headless.SetTimeLimitMs(kDefaultTimeLimitMs);
  m_headless.SetStartEpoch(kTestStartEpoch);
  UseWindow(std::make_unique<CDrillDlg>(m_platform, m_settings));
}

GameFixture::~GameFixture() = default;

void GameFixture::UseWindow(std::unique_ptr<CDrillDlg> window) {
  m_pWindow = std::move(window);
  m_pWindow->SetAboutBox([this](Dialog& owner) { ShowAboutBox(m_platform, owner); });
}

void GameFixture::Press(Key key, bool shift, bool ctrl) {
  m_script.Add([this, key, shift, ctrl] { m_headless.PressKey(key, shift, ctrl); });
}

void GameFixture::Type(const std::string& utf8) {
  m_script.Add([this, utf8] { m_headless.TypeText(utf8); });
}

void GameFixture::ClickItem(int id) {
  m_script.Add([this, id] {
    Control* control = Item(id);
    NativeWindow* window = m_pWindow->Window();
    if (control == nullptr || window == nullptr) {
      ADD_FAILURE() << "ClickItem(" << id << "): no such control, or the main window is not open";
      return;
    }
    const Rect r = m_pWindow->ItemRectInWindow(*control);
    m_headless.Click(window->Id(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  });
}

void GameFixture::ClickAt(int x, int y) {
  m_script.Add([this, x, y] { m_headless.Click(0, x, y); });
}

void GameFixture::CloseMainWindow() {
  m_script.Add([this] {
    NativeWindow* window = m_pWindow->Window();
    if (window == nullptr) {
      ADD_FAILURE() << "CloseMainWindow: the main window is not open";
      return;
    }
    m_headless.Close(window->Id());
  });
}

void GameFixture::OrderToQuit() {
  m_script.Add([this] {
    Event e;
    e.type = EventType::kQuit;
    m_headless.Post(e);
  });
}

void GameFixture::Advance(std::uint32_t ms) {
  m_script.AddWait(ms);
}

void GameFixture::Then(std::function<void()> step) {
  m_script.Add(std::move(step));
}

int GameFixture::RunGame() {
  int result = -1;
  try {
    result = m_pWindow->RunModal();
    if (result == -1)
      ADD_FAILURE() << "the main window could not start: " << m_pWindow->LastError();
  } catch (const HeadlessError& e) {
    ADD_FAILURE() << "the game did not finish: " << e.what() << "; " << m_script.Remaining()
                  << " script steps left";
    return -1;
  }
  EXPECT_EQ(0u, m_script.Remaining()) << "the game ended before the script did";
  return result;
}

Control* GameFixture::Item(int id) {
  return m_pWindow->FindControl(id);
}

std::string GameFixture::ItemText(int id) {
  Control* c = Item(id);
  return c != nullptr ? c->GetText() : std::string();
}

bool GameFixture::IsVisible(int id) {
  Control* c = Item(id);
  return c != nullptr && m_pWindow->IsShown(*c);
}

bool GameFixture::IsEnabled(int id) {
  Control* c = Item(id);
  return c != nullptr && c->IsEnabled();
}

int GameFixture::FocusedItem() {
  Control* c = m_pWindow->GetFocus();
  return c != nullptr ? c->Id() : 0;
}

std::vector<int> GameFixture::SoundsPlayed() {
  std::vector<int> ids;
  for (const HeadlessPlatform::SoundRecord& s : m_headless.Sounds())
    ids.push_back(s.id);
  return ids;
}

HeadlessWindow* GameFixture::FindWindow(const std::string& title) {
  // The platform hands out window ids in order from 1; a run opens only a few windows.
  for (std::uint32_t id = 1; id < 64; ++id) {
    HeadlessWindow* w = m_headless.FindWindow(id);
    if (w != nullptr && w->Title() == title)
      return w;
  }
  return nullptr;
}

}  // namespace qz::test
