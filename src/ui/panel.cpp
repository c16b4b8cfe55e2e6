#include "ui/panel.h"

#include <algorithm>

#include "platform/scale_following_font.h"
#include "ui/bitmap_static.h"
#include "ui/dialog.h"
#include "ui/edit_box.h"
#include "ui/picture_button.h"
#include "ui/text_static.h"

namespace qz {
namespace {

// The colours every window of the game starts from: black background, amber text.
constexpr ColorRef kPanelBack = kBlack;
constexpr ColorRef kPanelText = kAmber;

}  // namespace

Panel::Panel(Platform& platform, int template_id)
    : m_platform(platform), m_nTemplateId(template_id) {}

Panel::~Panel() {
  for (Panel* child : m_children) {
    child->m_pParent = nullptr;
    child->m_pTop = nullptr;
  }
  if (m_pParent != nullptr) {
    if (m_pTop != nullptr)
      m_pTop->ForgetControlsOf(*this);
    m_pParent->RemoveChild(*this);
  }
}

// --- Life of the panel ----------------------------------------------------------------

bool Panel::Build(int template_id) {
  std::string error;
  std::optional<DialogTemplate> t = LoadDialogTemplate(m_platform.assets, template_id, &error);
  if (!t) {
    m_strError = error;
    return false;
  }
  m_template = std::move(*t);
  m_owned.clear();
  m_controls.clear();
  for (const ControlTemplate& ct : m_template.controls) {
    Control* control = nullptr;
    auto bound = m_bound.find(ct.id);
    if (bound != m_bound.end() && ct.id != -1) {
      control = bound->second;
      if (control->Kind() != ct.kind) {
        m_strError = std::to_string(template_id) + ".dlg, line " + std::to_string(ct.line) +
                     ": control " + std::to_string(ct.id) + " is a " + ct.kind +
                     " but the window binds a " + std::string(control->Kind());
        m_controls.clear();
        return false;
      }
    } else {
      m_owned.push_back(MakeControl(ct));
      control = m_owned.back().get();
    }
    control->ApplyTemplate(ct, this);
    m_controls.push_back(control);
  }
  m_bBuilt = true;
  m_bVisible = m_template.Has(kStyleVisible);
  return true;
}

std::unique_ptr<Control> Panel::MakeControl(const ControlTemplate& t) {
  if (t.kind == "button")
    return std::make_unique<PictureButton>();
  if (t.kind == "edit")
    return std::make_unique<EditBox>();
  if (t.Has(kStyleBitmap))
    return std::make_unique<BitmapStatic>();
  return std::make_unique<TextStatic>();
}

bool Panel::CreateChild(int template_id, Panel& parent) {
  if (m_bBuilt)
    return false;
  if (!Build(template_id & 0xFFFF))
    return false;
  m_pParent = &parent;
  m_pTop = parent.m_pTop;
  m_origin = {0, 0};
  parent.m_children.push_back(this);
  OnInitDialog();
  Invalidate();
  return true;
}

bool Panel::Ended() const {
  return m_pTop != nullptr && m_pTop->Ended();
}

void Panel::ShowWindow(bool show) {
  if (show == m_bVisible)
    return;
  m_bVisible = show;
  Invalidate();
  if (!show) {
    Control* focus = GetFocus();
    if (focus != nullptr && !IsUsable(*focus))
      OnControlUnusable(*focus);
  }
  OnShowWindow(show);
}

void Panel::MoveWindow(int x, int y) {
  if (x == m_origin.x && y == m_origin.y)
    return;
  Invalidate();  // where it was
  m_origin = {x, y};
  Invalidate();
}

Rect Panel::WindowRect() const {
  int x = 0;
  int y = 0;
  for (const Panel* p = this; p != nullptr; p = p->m_pParent) {
    x += p->m_origin.x;
    y += p->m_origin.y;
  }
  return Rect::FromSize(x, y, m_template.PixelWidth(), m_template.PixelHeight());
}

void Panel::RemoveChild(Panel& child) {
  m_children.erase(std::remove(m_children.begin(), m_children.end(), &child), m_children.end());
  Invalidate();
}

// --- Controls -------------------------------------------------------------------------

void Panel::Bind(int id, Control& member) {
  m_bound[id] = &member;
}

Control* Panel::GetItem(int id) const {
  for (Control* c : m_controls) {
    if (c->Id() == id)
      return c;
  }
  return nullptr;
}

void Panel::SetItemText(int id, const std::string& text) {
  Control* c = GetItem(id);
  if (c == nullptr)
    return;
  c->SetText(text);
  PresentNow();
}

void Panel::InvalidateItem(int id) {
  Control* c = GetItem(id);
  if (c != nullptr && m_pTop != nullptr)
    m_pTop->InvalidateWindowArea(ItemRectInWindow(*c));
}

std::string Panel::GetItemText(int id) const {
  const Control* c = GetItem(id);
  return c != nullptr ? c->GetText() : std::string();
}

void Panel::ShowItem(int id, bool show) {
  if (Control* c = GetItem(id))
    c->Show(show);
}

void Panel::EnableItem(int id, bool enable) {
  if (Control* c = GetItem(id))
    c->Enable(enable);
}

void Panel::FocusItem(int id) {
  if (Control* c = GetItem(id))
    SetFocus(c);
}

Control* Panel::FindControl(int id) const {
  if (Control* c = GetItem(id))
    return c;
  for (const Panel* child : m_children) {
    if (Control* c = child->FindControl(id))
      return c;
  }
  return nullptr;
}

bool Panel::IsUsable(const Control& control) const {
  return control.IsEnabled() && IsShown(control);
}

bool Panel::IsShown(const Control& control) const {
  if (!control.IsVisible())
    return false;
  for (const auto* p = static_cast<const Panel*>(control.Owner()); p != nullptr; p = p->m_pParent) {
    if (!p->m_bVisible)
      return false;
  }
  return true;
}

Rect Panel::ItemRectInWindow(const Control& control) const {
  const auto* owner = static_cast<const Panel*>(control.Owner());
  const Rect origin = owner != nullptr ? owner->WindowRect() : Rect{};
  return control.GetRect().Offset(origin.left, origin.top);
}

Rect Panel::FocusMarkArea(const Control& control) const {
  return ItemRectInWindow(control).Inflate(kFocusMarkGap + kFocusMarkWidth);
}

void Panel::UpdateData(bool save) {
  DoDataExchange(save);
}

Font* Panel::MakeFont(FontFace face, int height) {
  std::unique_ptr<Font> font =
      ScaleFollowingFont::Open(m_platform.fonts, face, height, m_platform.windows);
  if (font == nullptr)
    return nullptr;
  m_fonts.push_back(std::move(font));
  return m_fonts.back().get();
}

// --- Time and events ------------------------------------------------------------------

bool Panel::WaitPumping(std::uint32_t ms) {
  if (m_pTop == nullptr)
    return true;
  m_pTop->PaintIfDirty();
  return qz::WaitPumping(m_platform.clock, m_platform.events, *m_pTop, ms);
}

void Panel::Sleep(std::uint32_t ms) {
  PresentNow();
  m_platform.clock.Sleep(ms);
}

void Panel::PostApp(int id) {
  Event e;
  e.type = EventType::kApp;
  e.id = id;
  NativeWindow* window = Window();
  e.window = window != nullptr ? window->Id() : 0;
  m_platform.events.Post(e);
}

void Panel::SetTimer(int id, std::uint32_t period_ms) {
  m_platform.events.SetTimer(id, period_ms);
}

void Panel::KillTimer(int id) {
  m_platform.events.KillTimer(id);
}

NativeWindow* Panel::Window() const {
  return m_pTop != nullptr ? m_pTop->m_pWindow.get() : nullptr;
}

// --- Painting -------------------------------------------------------------------------

void Panel::Invalidate() {
  if (m_pTop != nullptr)
    m_pTop->InvalidateWindowArea(WindowRect());
}

void Panel::Invalidate(const Rect& client_rect) {
  if (m_pTop == nullptr)
    return;
  const Rect area = WindowRect();
  // A control that changes may carry the focus mark around it, outside its own rectangle.
  if (m_pTop->FocusMarkMayShow()) {
    m_pTop->InvalidateWindowArea(
        client_rect.Inflate(kFocusMarkGap + kFocusMarkWidth).Offset(area.left, area.top));
    return;
  }
  m_pTop->InvalidateWindowArea(client_rect.Offset(area.left, area.top).Intersect(area));
}

void Panel::PresentNow() {
  if (m_pTop != nullptr)
    m_pTop->PaintIfDirty();
}

void Panel::PaintInto(Canvas& canvas, const Rect& region) {
  const Rect window = WindowRect();
  const Rect area = window.Intersect(region);
  if (area.Empty())
    return;
  canvas.ResetClip();
  canvas.SetClip(area);
  OnPaint(canvas, window);
  for (Control* c : m_controls) {
    if (!c->IsVisible())
      continue;
    const Rect where = c->GetRect().Offset(window.left, window.top);
    canvas.ResetClip();
    canvas.SetClip(where.Intersect(area));
    if (canvas.Clip().Empty())
      continue;
    c->Paint(canvas, where);
  }
  for (Panel* child : m_children) {
    if (child->m_bVisible)
      child->PaintInto(canvas, area);
  }
}

void Panel::OnPaint(Canvas& canvas, const Rect& client) {
  canvas.FillRect(client, kPanelBack);
}

// --- Input ----------------------------------------------------------------------------

Control* Panel::ControlAt(Point p) {
  const Rect area = WindowRect();
  if (!area.Contains(p))
    return nullptr;
  // Children lie on top of the panel's own controls; a press on a child's background stays
  // there.
  for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
    Panel* child = *it;
    if (child->m_bVisible && child->WindowRect().Contains(p))
      return child->ControlAt(p);
  }
  const Point local{p.x - area.left, p.y - area.top};
  for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
    Control* c = *it;
    if (c->IsVisible() && c->HitTest(local))
      return c->IsEnabled() ? c : nullptr;
  }
  return nullptr;
}

void Panel::TabOrder(std::vector<Control*>* chain) {
  for (Control* c : m_controls) {
    if (c->IsTabStop())
      chain->push_back(c);
  }
  for (Panel* child : m_children)
    child->TabOrder(chain);
}

// --- ControlOwner ---------------------------------------------------------------------

void Panel::OnCommand(int, int) {}

CtlColor Panel::OnCtlColor(Control&) {
  return CtlColor{kPanelText, kPanelBack};
}

const Bitmap* Panel::FindPicture(const std::string& name) {
  try {
    return &m_platform.assets.GetBitmap(name);
  } catch (const AssetError&) {
    return nullptr;
  }
}

std::string Panel::ClipboardText() {
  return m_platform.windows.ClipboardText();
}

void Panel::NoteTextEntry(TextEntry entry) {
  m_platform.windows.NoteTextEntry(entry);
}

int Panel::Scale() {
  return m_platform.windows.Scale();
}

Font* Panel::DefaultFont() {
  return m_pTop != nullptr ? m_pTop->DefaultFont() : nullptr;
}

void Panel::SetFocus(Control* control) {
  if (m_pTop != nullptr)
    m_pTop->SetFocus(control);
}

Control* Panel::GetFocus() {
  return m_pTop != nullptr ? m_pTop->m_pFocus : nullptr;
}

void Panel::OnControlUnusable(Control& control) {
  if (m_pTop != nullptr)
    m_pTop->OnControlUnusable(control);
}

}  // namespace qz
