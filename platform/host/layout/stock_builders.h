#pragma once
// Makes one stock control from its layout entry.
#include <QObject>
#include <QString>
#include <QWidget>

#include "platform/host/font_desc.h"
#include "platform/host/layout/layout_fields.h"
#include "platform/host/units.h"

namespace kelvane::host::layout {

// The longest side a layout may give a control or the form's client area. Controls keep a
// surface of their full size, so a stored size must not turn into gigabytes.
inline constexpr int kMaxSidePixels = 8192;
inline constexpr int kMaxSideTwips = static_cast<int>(kMaxSidePixels * kTwipsPerPixel);
inline constexpr int kMaxSideHimetric = static_cast<int>(kMaxSidePixels * kHimetricPerPixel + 0.5);

struct StockKind {
  QString name;    // as a layout writes it
  bool graphical;  // drawn beneath the windowed controls of its container
  bool container;  // may hold other controls
  QObject* (*build)(const Fields& entry, QWidget* container, const FontDesc& formFont);
};

// The stock kind called `name` (without case), or nullptr.
const StockKind* FindStockKind(const QString& name);

// Sets the widget's geometry from the entry's twips.
void PlaceWidget(QWidget& widget, const Fields& entry);

}  // namespace kelvane::host::layout
