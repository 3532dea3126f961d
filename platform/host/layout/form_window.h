#pragma once
// The top-level window a layout describes: its client area filled with the form's back colour.
#include <QWidget>
#include <cstdint>

namespace kelvane::host::layout {

class FormWindow : public QWidget {
  Q_OBJECT
 public:
  explicit FormWindow(QWidget* parent = nullptr);

  std::int32_t BackColor() const { return backColor_; }
  void setBackColor(std::int32_t color);

 protected:
  void paintEvent(QPaintEvent*) override;
  // Closing through the window manager ends the form: its controls get their terminate notice.
  void closeEvent(QCloseEvent*) override;

 private:
  std::int32_t backColor_;
};

}  // namespace kelvane::host::layout
