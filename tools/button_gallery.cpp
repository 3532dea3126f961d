// Renders every style of the push button in every colour scheme, up, hovered, down, disabled and
// focused, each with the "End" picture beside its caption, on the window's panel so the shapes show,
// into one PNG.
// Usage: button_gallery <output.png>
#include <KelvaneWidgets/chameleonbutton.h>
#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QFont>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>
#include <cstdio>

#include "controls/button/chameleon_button.h"
#include "controls/button/style_traits.h"
#include "tools/gallery_sheet.h"

namespace {

using kelvane::controls::chameleonButton;
namespace host = kelvane::host;

constexpr int kButtonWidth = 93, kButtonHeight = 26;
constexpr int kStyles = kelvane::controls::kStyleCount, kSchemes = 4;
constexpr int kLabelWidth = 24;
constexpr int kGap = 6, kSchemeGap = 14;
constexpr int kHeaderHeight = 14;
constexpr int kZoom = 2;
const char* const kLooks[] = {"up", "hover", "down", "disabled", "focused"};
constexpr int kLookCount = 5;
enum Look { kUp, kHover, kDown, kDisabled, kFocused };
const QColor kPanel(203, 216, 250);  // what the window's buttons stand on
constexpr int kMargin = 10;

// The window's own buttons: white face and hover face, black caption, the "End" picture.
void SetUp(chameleonButton& b, int style, int scheme) {
  b.hostCreateNew({});
  b.setFont(host::FontDesc{"Verdana", 8.25, 400, false, false, false, 0});
  b.setCaption(QStringLiteral("Optimize"));
  b.setBackColor(0xFFFFFF);
  b.setBackOver(0xFFFFFF);
  b.setForeColor(0x000000);
  b.setMaskColor(0xFFFFFF);
  b.setPictureNormal(host::Picture::loadResource(QStringLiteral(":/app/end16.png"), host::PictureType::Icon));
  b.setButtonType(style);
  b.setColorScheme(scheme);
}

void SendMouse(QWidget& b, QEvent::Type type, Qt::MouseButtons held) {
  const QPointF at(kButtonWidth / 2.0, kButtonHeight / 2.0);
  QMouseEvent ev(type, at, b.mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                 Qt::NoModifier);
  QCoreApplication::sendEvent(&b, &ev);
}

// The button in a shown window on the panel, as the window system would show it: hovering and focus
// need a shown window, the transparent style captures what lies behind it, and the grab leaves out
// what the shape cuts away.
QImage Render(int style, int scheme, Look look) {
  QWidget window;
  QPalette palette;
  palette.setColor(QPalette::Window, kPanel);
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  window.resize(kButtonWidth + 2 * kMargin, kButtonHeight + 2 * kMargin);
  auto* b = new Kelvane::chameleonButton(&window);
  chameleonButton& control = *host::ControlOf<chameleonButton>(b);
  SetUp(control, style, scheme);
  control.setShowFocusRect(look == kFocused);
  b->setGeometry(kMargin, kMargin, kButtonWidth, kButtonHeight);
  window.show();
  for (int i = 0; i < 100 && !window.windowHandle()->isExposed(); ++i)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  switch (look) {
    case kUp: break;
    case kHover:
      QCursor::setPos(b->mapToGlobal(QPoint(kButtonWidth / 2, kButtonHeight / 2)));
      QCoreApplication::processEvents();
      SendMouse(*b, QEvent::MouseMove, Qt::NoButton);
      break;
    case kDown: SendMouse(*b, QEvent::MouseButtonPress, Qt::LeftButton); break;
    case kDisabled: control.setEnabled(false); break;
    case kFocused:
      // Focus shows only in an active window; the window system answers an activation through the
      // event loop and need not grant the first request, so ask until the focus holds.
      b->setFocus();
      for (int i = 0; i < 100 && !b->hasFocus(); ++i) {
        window.activateWindow();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
      }
      QCoreApplication::processEvents();
      if (!b->hasFocus()) std::fprintf(stderr, "style %d scheme %d: no focus\n", style, scheme);
      control.Refresh();
      break;
  }
  const QImage shown = window.grab(b->geometry()).toImage();
  if (look == kDown) SendMouse(*b, QEvent::MouseButtonRelease, Qt::NoButton);
  QCursor::setPos(0, 0);
  return shown;
}

int CellX(int scheme, int look) {
  return kLabelWidth + (scheme - 1) * (kLookCount * (kButtonWidth + kGap) + kSchemeGap) +
         look * (kButtonWidth + kGap);
}

}  // namespace

int main(int argc, char** argv) {
  if (!kelvane::tools::StartGallery(argc, argv)) return 2;
  QApplication app(argc, argv);
  Q_INIT_RESOURCE(app);

  const int width = CellX(kSchemes + 1, 0);
  const int rowsTop = 2 * kHeaderHeight;
  const int rowPitch = kButtonHeight + kGap;
  QImage sheet(width, rowsTop + kStyles * rowPitch, QImage::Format_RGB32);
  sheet.fill(kPanel);
  {
    QPainter p(&sheet);
    p.setFont(kelvane::tools::GalleryLabelFont());
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
          p.drawImage(CellX(scheme, look), y, Render(style, scheme, static_cast<Look>(look)));
    }
  }
  return kelvane::tools::SaveGallery(sheet, kZoom, argv[1]);
}
