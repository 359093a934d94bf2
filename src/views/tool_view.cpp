#include "views/tool_view.h"

namespace oxi {

ToolView::ToolView(Platform& platform, ToolWindowForm form)
    : platform_(platform), form_(std::move(form)), surface_(form_.width, form_.height) {}

ToolView::~ToolView() = default;

bool ToolView::MakeWindow() {
  if (!window_) window_ = platform_.CreateToolWindow(form_, surface_, *this);
  return window_ != nullptr;
}

void ToolView::ShowWindow() {
  if (!window_) return;
  open_ = true;
  Redraw();
  window_->Show();
}

void ToolView::Close() {
  if (window_ && open_) window_->Hide();
  open_ = false;
}

void ToolView::OnScaleChanged(Scale scale) {
  if (scale == surface_.Grid().scale) return;
  // The window holds the surface itself, so it is redrawn in place at the new size.
  surface_ = Surface(PixelGrid{scale}, form_.width, form_.height);
  Redraw();
}

void ToolView::Redraw() {
  SurfaceDc dc(surface_);
  Draw(dc);
  if (window_) window_->Present();
}

std::string ToolView::FieldText(int field) {
  return window_ ? window_->EditText(field) : std::string();
}

void ToolView::SetFieldText(int field, const std::string& text) {
  if (window_) window_->SetEditText(field, text);
}

void ToolView::SetTitle(const std::string& text) {
  if (window_) window_->SetTitle(text);
}

void ToolView::ShowMessageBox(const std::string& text) {
  if (window_) window_->ShowMessageBox(text, platform_.ApplicationName());
}

}  // namespace oxi
