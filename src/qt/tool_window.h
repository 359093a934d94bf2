#pragma once
#include <QLineEdit>
#include <QPointer>
#include <vector>

#include "app/host_input.h"
#include "platform/gdi/surface.h"
#include "platform/ui/tool_window.h"
#include "qt/surface_widget.h"

namespace oxi {

// A tool window on the screen: a fixed-size window owned by the main window that shows
// one surface as its whole client area, with real edit fields on it. It turns Qt's events
// into the tool window's handlers through the shared input rules, in client coordinates.
class ToolWidget : public SurfaceWidget {
 public:
  ToolWidget(const ToolWindowForm& form, const Surface& surface, ToolWindowHandlers& handlers,
             QWidget* owner);

  QLineEdit& Edit(int field) { return *edits_.at(static_cast<std::size_t>(field)); }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // A scale other than the surface's (the first show, another screen) has the handlers draw
  // anew at it once this paint is done.
  void paintEvent(QPaintEvent* event) override;

 private:
  ToolInput input_;
  std::vector<QLineEdit*> edits_;
  bool scaleQueued_ = false;
};

// The tool window as the program holds it; the widget goes with it, or with the main
// window when that goes first.
class QtToolWindow : public ToolWindow {
 public:
  QtToolWindow(const ToolWindowForm& form, const Surface& surface, ToolWindowHandlers& handlers,
               QWidget* owner);
  ~QtToolWindow() override;
  QtToolWindow(const QtToolWindow&) = delete;
  QtToolWindow& operator=(const QtToolWindow&) = delete;

  void Show() override;
  void Hide() override;
  void SetTitle(const std::string& text) override;
  void Present() override;
  std::string EditText(int field) override;
  void SetEditText(int field, const std::string& text) override;
  void ShowMessageBox(const std::string& text, const std::string& caption) override;

  ToolWidget* Widget() const { return widget_.data(); }

 private:
  QPointer<ToolWidget> widget_;
};

}  // namespace oxi
