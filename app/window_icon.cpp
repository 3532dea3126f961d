#include "app/window_icon.h"

namespace kelvane::app {

QString WindowIconResource(int side) { return QStringLiteral(":/app/kelvane%1.png").arg(side); }

QIcon WindowIcon() {
  QIcon icon;
  for (int side : kWindowIconSides) icon.addFile(WindowIconResource(side), QSize(side, side));
  return icon;
}

}  // namespace kelvane::app
