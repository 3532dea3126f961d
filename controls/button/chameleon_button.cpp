#include "controls/button/chameleon_button.h"

#include <QPainter>

#include "controls/button/access_key.h"
#include "platform/gdi/colorref.h"
#include "platform/gdi/syscolor.h"
#include "platform/host/errors.h"

namespace kelvane::controls {
namespace {

constexpr std::int32_t kDefaultMaskColor = 0xC0C0C0;
constexpr int kStateUp = 0;
constexpr int kStateDown = 2;
constexpr QRgb kFrameColor = 0xFF808080;
constexpr QRgb kDisabledTextColor = 0xFFA0A0A0;

// Plain and system colours alike; an untranslatable value draws black.
QColor ResolveColor(std::int32_t value) {
  std::int32_t plain = 0;
  gdi::OleTranslateColor(static_cast<std::uint32_t>(value), 0, plain);
  return QColor::fromRgb(gdi::toQRgb(static_cast<gdi::ColorRef>(plain)));
}

std::int32_t SystemFace() { return static_cast<std::int32_t>(gdi::GetSysColor(gdi::COLOR_BTNFACE)); }
std::int32_t SystemText() { return static_cast<std::int32_t>(gdi::GetSysColor(gdi::COLOR_BTNTEXT)); }

// The container's handler may change the arguments; false when it destroyed the button.
bool RaiseMouse(chameleonButton::MouseEvent& event, int button, int shift, float x, float y) {
  auto b = static_cast<std::int16_t>(button);
  auto s = static_cast<std::int16_t>(shift);
  return event.raise(b, s, x, y);
}

}  // namespace

chameleonButton::chameleonButton(QWidget* parent) : host::Control(parent) {
  setScaleMode(host::ScaleUnit::Pixels);
  setFocusPolicy(Qt::StrongFocus);
}

void chameleonButton::setCaption(const QString& caption) {
  caption_ = caption;
  setAccessKeys(ParseAccessKey(caption_));
  PaintButton(kStateUp);
  PropertyChanged("TX");
}

void chameleonButton::setEnabled(bool enabled) {
  enabled_ = enabled;
  PaintButton(kStateUp);
  QWidget::setEnabled(enabled);
  PropertyChanged("ENAB");
}

void chameleonButton::InitProperties() {
  enabled_ = showFocusRect_ = useMaskColor_ = true;
  caption_ = Ambient().displayName;
  setFont(Ambient().font);
  buttonType_ = 2;
  colorScheme_ = 1;
  backColor_ = backOver_ = SystemFace();
  maskColor_ = kDefaultMaskColor;
  foreColor_ = foreOver_ = SystemText();
}

void chameleonButton::ReadProperties(const host::PropertyBag& bag) {
  buttonType_ = bag.ReadInt("BTYPE", 2);
  caption_ = bag.ReadString("TX", QString());
  enabled_ = bag.ReadBool("ENAB", true);
  setFont(bag.ReadFont("FONT", Font()));
  colorScheme_ = bag.ReadInt("COLTYPE", 1);
  showFocusRect_ = bag.ReadBool("FOCUSR", true);
  backColor_ = bag.ReadColor("BCOL", SystemFace());
  backOver_ = bag.ReadColor("BCOLO", backColor_);
  foreColor_ = bag.ReadColor("FCOL", SystemText());
  foreOver_ = bag.ReadColor("FCOLO", foreColor_);
  maskColor_ = bag.ReadColor("MCOL", kDefaultMaskColor);
  setMousePointer(host::CInt(bag.ReadInt("MPTR", 0)));
  setMouseIcon(bag.ReadPicture("MICON"));
  pictureNormal_ = bag.ReadPicture("PICN");
  pictureOver_ = bag.ReadPicture("PICH");
  useMaskColor_ = bag.ReadBool("UMCOL", true);
  softBevel_ = bag.ReadBool("SOFT", false);
  picturePosition_ = bag.ReadInt("PICPOS", 0);
  useGreyscale_ = bag.ReadBool("NGREY", false);
  specialEffect_ = bag.ReadInt("FX", 0);
  applyHandPointer(bag.ReadBool("HAND", false));
  checkBoxBehaviour_ = bag.ReadBool("CHECK", false);
  value_ = bag.ReadBool("VALUE", false);
  QWidget::setEnabled(enabled_);
  setAccessKeys(ParseAccessKey(caption_));
}

void chameleonButton::WriteProperties(host::PropertyBag& bag) {
  bag.Write("BTYPE", buttonType_);
  bag.Write("TX", caption_);
  bag.Write("ENAB", enabled_);
  bag.Write("FONT", Font());
  bag.Write("COLTYPE", colorScheme_);
  bag.Write("FOCUSR", showFocusRect_);
  bag.Write("BCOL", backColor_);
  bag.Write("BCOLO", backOver_);
  bag.Write("FCOL", foreColor_);
  bag.Write("FCOLO", foreOver_);
  bag.Write("MCOL", maskColor_);
  bag.Write("MPTR", static_cast<std::int32_t>(MousePointer()));
  bag.Write("MICON", MouseIcon());
  bag.Write("PICN", pictureNormal_);
  bag.Write("PICH", pictureOver_);
  bag.Write("UMCOL", useMaskColor_);
  bag.Write("SOFT", softBevel_);
  bag.Write("PICPOS", picturePosition_);
  bag.Write("NGREY", useGreyscale_);
  bag.Write("FX", specialEffect_);
  bag.Write("HAND", handPointer_);
  bag.Write("CHECK", checkBoxBehaviour_);
  bag.Write("VALUE", value_);
}

void chameleonButton::applyHandPointer(bool hand) {
  handPointer_ = hand;
  setMouseIcon(host::Picture());
  setMousePointer(hand ? host::kPointerCustom : host::kPointerArrow);
  if (hand) setCursor(Qt::PointingHandCursor);
}

void chameleonButton::OnShow() { PaintButton(lastState_); }
void chameleonButton::OnResize() { PaintButton(lastState_); }

void chameleonButton::OnMouseDown(int button, int shift, float x, float y) {
  if (!RaiseMouse(MouseDown, button, shift, x, y)) return;
  lastMouseButton_ = static_cast<std::uint8_t>(button);
  if (button == host::kLeftButton) PaintButton(kStateDown);
}

void chameleonButton::OnMouseMove(int button, int shift, float x, float y) {
  RaiseMouse(MouseMove, button, shift, x, y);
}

void chameleonButton::OnMouseUp(int button, int shift, float x, float y) {
  if (!RaiseMouse(MouseUp, button, shift, x, y)) return;
  if (button != host::kRightButton) PaintButton(kStateUp);
}

void chameleonButton::OnClick() {
  if (lastMouseButton_ != host::kLeftButton || !enabled_) return;
  if (checkBoxBehaviour_) value_ = !value_;
  PaintButton(kStateUp);
  RefreshNow();
  Click.raise();
}

void chameleonButton::OnAccessKeyPress(int /*keyAscii*/) {
  lastMouseButton_ = host::kLeftButton;
  OnClick();
}

void chameleonButton::PaintButton(int state) {
  lastState_ = state;
  QImage& img = surface().image();
  QPainter p(&img);
  const QRect r(0, 0, img.width(), img.height());
  p.fillRect(r, ResolveColor(backColor_));
  p.setPen(QColor::fromRgb(kFrameColor));
  p.drawRect(r.adjusted(0, 0, -1, -1));
  p.setFont(Font().toQFont());
  p.setPen(enabled_ ? ResolveColor(foreColor_) : QColor::fromRgb(kDisabledTextColor));
  const int shift = state == kStateDown ? 1 : 0;
  p.drawText(r.translated(shift, shift), Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextWordWrap, caption_);
  p.end();
  surfaceChanged();
}

}  // namespace kelvane::controls
