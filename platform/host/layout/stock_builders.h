#pragma once
// Makes one stock control from its layout entry.
#include <QObject>
#include <QString>
#include <QWidget>

#include "platform/host/font_desc.h"
#include "platform/host/layout/layout_fields.h"

namespace kelvane::host::layout {

struct StockKind {
  QString name;     // as a layout writes it
  bool graphical;   // drawn beneath the windowed controls of its container
  bool container;   // may hold other controls
  QObject* (*build)(const Fields& entry, QWidget* container, const FontDesc& formFont);
};

// The stock kind called `name` (without case), or nullptr.
const StockKind* FindStockKind(const QString& name);

// Sets the widget's geometry from the entry's twips.
void PlaceWidget(QWidget& widget, const Fields& entry);

}  // namespace kelvane::host::layout
