#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/window_system.h"

namespace qz {

// A window that exists only as its canvas; tests read its pixels and count its frames.
class HeadlessWindow : public NativeWindow {
 public:
  // `on_close` runs when the window goes, so its owner can forget it.
  HeadlessWindow(std::uint32_t id, std::string title, int width, int height, int scale,
                 std::uint32_t owner_id, std::function<void(std::uint32_t)> on_close);
  ~HeadlessWindow() override;
  HeadlessWindow(const HeadlessWindow&) = delete;
  HeadlessWindow& operator=(const HeadlessWindow&) = delete;

  std::uint32_t Id() const override { return m_nId; }
  Canvas& GetCanvas() override { return m_canvas; }
  bool Present(const Rect& area) override {
    ++m_nFrames;
    m_lastPresented = area;
    return true;
  }
  void Raise() override { ++m_nRaises; }

  const std::string& Title() const { return m_strTitle; }
  std::uint32_t OwnerId() const { return m_nOwnerId; }
  int Frames() const { return m_nFrames; }
  const Rect& LastPresented() const { return m_lastPresented; }
  int Raises() const { return m_nRaises; }

 private:
  std::uint32_t m_nId;
  std::string m_strTitle;
  Canvas m_canvas;
  std::uint32_t m_nOwnerId;
  std::function<void(std::uint32_t)> m_onClose;
  int m_nFrames = 0;
  Rect m_lastPresented;
  int m_nRaises = 0;
};

}  // namespace qz
