#include "controls/button/access_key.h"

namespace kelvane::controls {

QString ParseAccessKey(const QString& caption) {
  if (caption.size() <= 1) return {};
  const qsizetype p = caption.indexOf(u'&');
  if (p < 0 || p == caption.size() - 1) return {};
  if (caption[p + 1] != u'&') return caption.mid(p + 1, 1).toLower();
  const qsizetype q = caption.indexOf(u'&', p + 2);
  if (q < 0) return {};
  if (q + 1 < caption.size() && caption[q + 1] == u'&') return {};
  return caption.mid(q + 1, 1).toLower();  // empty when the ampersand ends the caption
}

}  // namespace kelvane::controls
