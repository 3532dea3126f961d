// Renders every style of the push button in every colour scheme, up, down, disabled and focused, into
// one PNG.
// Usage: button_gallery <output.png>
#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWidget>
#include <cstdio>

#include "controls/button/chameleon_button.h"

namespace {

using kelvane::controls::chameleonButton;
namespace host = kelvane::host;

constexpr int kButtonWidth = 93, kButtonHeight = 26;
constexpr int kStyles = 14, kSchemes = 4;
constexpr int kLabelWidth = 24;
constexpr int kGap = 6, kSchemeGap = 14;
constexpr int kHeaderHeight = 14;
constexpr int kZoom = 2;
const char* const kLooks[] = {"up", "down", "disabled", "focused"};
constexpr int kLookCount = 4;

// The window's own buttons: white face and hover face, black caption.
void SetUp(chameleonButton& b, int style, int scheme) {
  b.hostCreateNew({});
  b.setFont(host::FontDesc{"Verdana", 8.25, 400, false, false, false, 0});
  b.setCaption(QStringLiteral("Optimize"));
  b.setBackColor(0xFFFFFF);
  b.setBackOver(0xFFFFFF);
  b.setForeColor(0x000000);
  b.setButtonType(style);
  b.setColorScheme(scheme);
}

// An unshown button gets no resize notification from Qt, and the button paints on that.
void Resize(chameleonButton& b) {
  const QSize old = b.size();
  b.resize(kButtonWidth, kButtonHeight);
  QResizeEvent ev(b.size(), old);
  QCoreApplication::sendEvent(&b, &ev);
}

void SendMouse(chameleonButton& b, QEvent::Type type, Qt::MouseButtons held) {
  const QPointF at(kButtonWidth / 2.0, kButtonHeight / 2.0);
  QMouseEvent ev(type, at, b.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
  QCoreApplication::sendEvent(&b, &ev);
}

QImage Render(int style, int scheme, int look) {
  if (look == 3) {
    // Focus needs a shown, active top-level window.
    QWidget window;
    window.resize(kButtonWidth + 20, kButtonHeight + 20);
    auto* b = new chameleonButton(&window);
    SetUp(*b, style, scheme);
    b->setGeometry(10, 10, kButtonWidth, kButtonHeight);
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    b->setFocus();
    QCoreApplication::processEvents();
    if (!b->hasFocus()) std::fprintf(stderr, "style %d scheme %d: no focus\n", style, scheme);
    b->Refresh();
    return b->surface().image().copy();
  }
  chameleonButton b;
  SetUp(b, style, scheme);
  Resize(b);
  if (look == 2) b.setEnabled(false);
  if (look != 1) return b.surface().image().copy();
  SendMouse(b, QEvent::MouseButtonPress, Qt::LeftButton);
  QImage down = b.surface().image().copy();
  SendMouse(b, QEvent::MouseButtonRelease, Qt::NoButton);
  return down;
}

int CellX(int scheme, int look) {
  return kLabelWidth + (scheme - 1) * (kLookCount * (kButtonWidth + kGap) + kSchemeGap) +
         look * (kButtonWidth + kGap);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: %s <output.png>\n", argv[0]);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  const int width = CellX(kSchemes + 1, 0);
  const int rowsTop = 2 * kHeaderHeight;
  const int rowPitch = kButtonHeight + kGap;
  QImage sheet(width, rowsTop + kStyles * rowPitch + kHeaderHeight, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  {
    QPainter p(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(9);
    p.setFont(font);
    p.setPen(QColor(0x40, 0x40, 0x40));
    for (int scheme = 1; scheme <= kSchemes; ++scheme) {
      p.drawText(QRect(CellX(scheme, 0), 0, kLookCount * kButtonWidth, kHeaderHeight),
                 Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("scheme %1").arg(scheme));
      for (int look = 0; look < kLookCount; ++look)
        p.drawText(QRect(CellX(scheme, look), kHeaderHeight, kButtonWidth, kHeaderHeight),
                   Qt::AlignVCenter | Qt::AlignLeft, QString::fromLatin1(kLooks[look]));
    }
    for (int style = 1; style <= kStyles; ++style) {
      const int y = rowsTop + (style - 1) * rowPitch;
      p.drawText(QRect(0, y, kLabelWidth - 4, kButtonHeight), Qt::AlignVCenter | Qt::AlignRight,
                 QString::number(style));
      for (int scheme = 1; scheme <= kSchemes; ++scheme)
        for (int look = 0; look < kLookCount; ++look)
          p.drawImage(CellX(scheme, look), y, Render(style, scheme, look));
    }
    // The hover flag is set only by mouse input the button does not handle yet.
    p.drawText(QRect(kLabelWidth, rowsTop + kStyles * rowPitch, width, kHeaderHeight),
               Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("hover: not available yet"));
  }
  const QImage zoomed = sheet.scaled(sheet.size() * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  if (!zoomed.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "Could not write %s; check the folder exists and is writable.\n", argv[1]);
    return 1;
  }
  return 0;
}
