#pragma once
// What the galleries share: their command line, the offscreen platform, the label font, and the
// sheet written enlarged without smoothing, so each control pixel stays a sharp block.
#include <QFont>
#include <QImage>
#include <QString>
#include <cstdio>

namespace kelvane::tools {

// Checks for the one argument, the output PNG, and picks the offscreen platform unless one is set.
// Call before creating the application.
inline bool StartGallery(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: %s <output.png>\n", argv[0]);
    return false;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  return true;
}

inline QFont GalleryLabelFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(9);
  return font;
}

// The program's exit status: 0 when written.
inline int SaveGallery(const QImage& sheet, int zoom, const char* path) {
  const QImage zoomed = sheet.scaled(sheet.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  if (zoomed.save(QString::fromLocal8Bit(path), "PNG")) return 0;
  std::fprintf(stderr, "Could not write %s; check the folder exists and is writable.\n", path);
  return 1;
}

}  // namespace kelvane::tools
