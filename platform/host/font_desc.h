#pragma once
// A stored font: the fields a saved layout keeps.
#include <QFont>
#include <QString>

namespace kelvane::host {

// The application's font family; before the application exists, the generic sans serif family.
QString ApplicationFontFamily();

struct FontDesc {
  QString name = ApplicationFontFamily();
  double size = 8.25;  // points
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  int charset = 0;

  QFont toQFont() const;
  static FontDesc fromQFont(const QFont& f, int charset = 0);
  friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

}  // namespace kelvane::host
