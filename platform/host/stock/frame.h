#pragma once
// A frame: a container with an etched border whose caption sits in the top edge.
#include <QString>
#include <QWidget>
#include <cstdint>

#include "platform/host/font_desc.h"
#include "platform/host/stock/color.h"

namespace kelvane::host::stock {

class Frame : public QWidget {
  Q_OBJECT
 public:
  explicit Frame(QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void setCaption(const QString& text);
  FontDesc Font() const { return font_; }
  void setFont(const FontDesc& font);
  std::int32_t BackColor() const { return backColor_; }
  void setBackColor(std::int32_t color);
  std::int32_t ForeColor() const { return foreColor_; }
  void setForeColor(std::int32_t color);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QString caption_;
  QString measuredCaption_;  // what captionWidth_ was measured for
  QFont measuredFont_;
  int captionWidth_ = 0;
  FontDesc font_;
  std::int32_t backColor_ = kColorButtonFace;
  std::int32_t foreColor_ = kColorButtonText;
};

}  // namespace kelvane::host::stock
