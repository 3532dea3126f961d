#pragma once
// A label: one or more lines of text, left-aligned, drawn beneath the windowed controls of its
// container and deaf to the mouse.
#include <QSize>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "platform/host/font_desc.h"
#include "platform/host/stock/color.h"

namespace kelvane::host::stock {

enum class BackStyle { Transparent = 0, Opaque = 1 };

// The size a label needs for `text` in `font`: widest line by the number of lines ("\r\n" or "\n"
// break lines). An empty text still takes one line's height.
QSize TextExtent(const QString& text, const QFont& font);

class Label : public QWidget {
  Q_OBJECT
 public:
  explicit Label(QWidget* parent = nullptr);

  QString Caption() const { return caption_; }
  void setCaption(const QString& text);
  FontDesc Font() const { return font_; }
  void setFont(const FontDesc& font);
  std::int32_t ForeColor() const { return foreColor_; }
  void setForeColor(std::int32_t color);
  std::int32_t BackColor() const { return backColor_; }
  void setBackColor(std::int32_t color);
  stock::BackStyle BackStyle() const { return backStyle_; }
  void setBackStyle(stock::BackStyle style);
  bool AutoSize() const { return autoSize_; }
  void setAutoSize(bool on);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  void fitToText();

  QString caption_;
  FontDesc font_;
  std::int32_t foreColor_ = kColorButtonText;
  std::int32_t backColor_ = kColorButtonFace;
  stock::BackStyle backStyle_ = stock::BackStyle::Opaque;
  bool autoSize_ = false;
};

}  // namespace kelvane::host::stock
