#include "controls/button/chameleon_button.h"

#include <QEvent>
#include <string>
#include <utility>

#include "controls/button/access_key.h"
#include "controls/button/compositing.h"
#include "controls/button/hand_cursor.h"
#include "controls/button/style_traits.h"
#include "platform/gdi/colorref.h"
#include "platform/host/errors.h"
#include "platform/host/window_system.h"

namespace kelvane::controls {
namespace {

constexpr std::int32_t kContainerScheme = 4;
constexpr int kBoldWeight = 700;
constexpr int kNormalWeight = 400;
constexpr int kBoldThreshold = 550;  // heavier than this reads as bold
std::int16_t ToShort(double v, const char* property) {
  try {
    return host::CInt(v);
  } catch (const host::RuntimeError&) {
    throw host::RuntimeError(host::kErrOverflow, std::string("Overflow: ") + property + " " +
                                                     std::to_string(v) + " does not fit in a 16-bit integer");
  }
}

}  // namespace

chameleonButton::chameleonButton(QWidget& widget) : host::Control(widget) {
  setScaleMode(host::ScaleUnit::Pixels);
  widget.setFocusPolicy(Qt::StrongFocus);
  // A window may hold hundreds of buttons, and Qt takes each opaque sibling out of the region it
  // paints one by one: painting such a window took longer than making its buttons. Its own pixels
  // still cover the widget, so what shows is the same.
  widget.setAttribute(Qt::WA_OpaquePaintEvent, false);
  Stored = NewButtonProperties().fields;
  // Until the first resize notice, which Qt holds back while the button is unshown.
  ClientHeight = widget.height();
  SetUpOverTimer();
}

// ---- properties ------------------------------------------------------------------------------------

// While designing, BackColor and ForeColor set their hover twins too.
void chameleonButton::SetColour(ColourField field, std::int32_t colour, const char* key,
                                ColourField designTwin) {
  Stored.*field = colour;
  if (designTwin && Designing()) Stored.*designTwin = colour;
  ComputeSchemeColors();
  PaintButton(LastState, true);
  PropertyChanged(key);
}

void chameleonButton::setBackColor(std::int32_t colour) {
  SetColour(&ButtonFields::BackColor, colour, keys::BackColor, &ButtonFields::BackOver);
}
void chameleonButton::setBackOver(std::int32_t colour) {
  SetColour(&ButtonFields::BackOver, colour, keys::BackOver);
}
void chameleonButton::setForeColor(std::int32_t colour) {
  SetColour(&ButtonFields::ForeColor, colour, keys::ForeColor, &ButtonFields::ForeOver);
}
void chameleonButton::setForeOver(std::int32_t colour) {
  SetColour(&ButtonFields::ForeOver, colour, keys::ForeOver);
}
void chameleonButton::setMaskColor(std::int32_t colour) {
  SetColour(&ButtonFields::MaskColor, colour, keys::MaskColor);
}

void chameleonButton::setButtonType(std::int32_t type) {
  Stored.ButtonType = type;
  const StyleTraits& style = TraitsOf(type);
  if (style.BoldWhileDesigning && Designing()) {
    host::FontDesc font = Font();
    font.weight = kBoldWeight;
    Control::setFont(font);
  } else if (style.Transparent && RefreshOn) {
    if (!CaptureParentBackground()) return;
  }
  OnResize();
  PropertyChanged(keys::ButtonType);
}

void chameleonButton::setCaption(const QString& caption) {
  Stored.Caption = caption;
  setAccessKeys(ParseAccessKey(Stored.Caption));
  MeasureCaption();
  PaintButton(kStateUp, true);
  PropertyChanged(keys::Caption);
}

bool chameleonButton::Enabled() const { return !widget().testAttribute(Qt::WA_ForceDisabled); }

void chameleonButton::setEnabled(bool enabled) {
  // The window state is the property's only home, so it changes before the repaint reads it.
  SetWindowEnabled(enabled);
  PaintButton(kStateUp, true);
  PropertyChanged(keys::Enabled);
}

void chameleonButton::SetWindowEnabled(bool enabled) {
  SettingEnabled = true;
  widget().setEnabled(enabled);
  SettingEnabled = false;
  NoticedEnabled = Enabled();
}

void chameleonButton::changeEvent(QEvent* e) {
  host::Control::changeEvent(e);
  switch (e->type()) {
    case QEvent::EnabledChange:
      if (SettingEnabled) break;
      PaintButton(kStateUp, true);
      // QWidget::setEnabled on the button changes the property as the setter does (a parent's
      // change leaves it as it was).
      if (Enabled() != NoticedEnabled) {
        NoticedEnabled = Enabled();
        PropertyChanged(keys::Enabled);
      }
      break;
    case QEvent::FontChange:
      // Qt's font (set on the widget or inherited) is the button's: it is taken as it is, so a
      // container's later change still reaches a button that never set its own.
      if (!SettingFont()) {
        const host::FontDesc font = host::FontDesc::fromQFont(widget().font(), Font().charset);
        if (!(font == Font())) {
          TakeFont(font);
          MeasureCaption();
          PaintButton(kStateUp, true);
          PropertyChanged(keys::Font);
        }
      }
      break;
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
    case QEvent::StyleChange: OnLookChanged(); break;
    default: break;
  }
}

void chameleonButton::setFont(const host::FontDesc& font) {
  ApplyFont(font);
  PropertyChanged(keys::Font);
}

void chameleonButton::ApplyFont(const host::FontDesc& font) {
  Control::setFont(font);
  MeasureCaption();
  PaintButton(kStateUp, true);
}

bool chameleonButton::FontBold() const { return Font().weight > kBoldThreshold; }

host::FontDesc chameleonButton::BoldFont() const {
  host::FontDesc font = Font();
  font.weight = kBoldWeight;
  return font;
}

void chameleonButton::setFontBold(bool bold) {
  host::FontDesc font = Font();
  font.weight = bold ? kBoldWeight : kNormalWeight;
  ApplyFont(font);
}

void chameleonButton::setFontItalic(bool italic) {
  host::FontDesc font = Font();
  font.italic = italic;
  ApplyFont(font);
}

void chameleonButton::setFontUnderline(bool underline) {
  host::FontDesc font = Font();
  font.underline = underline;
  ApplyFont(font);
}

std::int16_t chameleonButton::FontSize() const { return ToShort(Font().size, "FontSize"); }

void chameleonButton::setFontSize(double points) {
  host::FontDesc font = Font();
  font.size = ToShort(points, "FontSize");
  ApplyFont(font);
}

void chameleonButton::setFontName(const QString& name) {
  host::FontDesc font = Font();
  font.name = name;
  ApplyFont(font);
}

void chameleonButton::setColorScheme(std::int32_t scheme) {
  Stored.ColorScheme = scheme;
  ComputeSchemeColors();
  PaintButton(kStateUp, true);
  PropertyChanged(keys::ColorScheme);
}

void chameleonButton::setShowFocusRect(bool show) {
  Stored.ShowFocusRect = show;
  PaintButton(LastState, true);
  PropertyChanged(keys::ShowFocusRect);
}

void chameleonButton::setMousePointer(std::int32_t code) {
  Control::setMousePointer(ToShort(code, "MousePointer"));
  PropertyChanged(keys::MousePointer);
}

void chameleonButton::setMouseIcon(const host::Picture& icon) {
  try {
    Control::setMouseIcon(icon);
  } catch (const host::RuntimeError&) {
    // A picture the surface refuses leaves the old icon; the property has no field to undo.
  }
  PropertyChanged(keys::MouseIcon);
}

void chameleonButton::setHandPointer(bool hand) {
  Stored.HandPointer = hand;
  ApplyHandPointer(hand);
  PropertyChanged(keys::HandPointer);
}

void chameleonButton::ApplyHandPointer(bool hand) {
  Control::setMouseIcon(hand ? HandCursorPicture() : host::Picture());
  Control::setMousePointer(hand ? host::kPointerCustom : host::kPointerArrow);
}

void chameleonButton::setSoftBevel(bool soft) {
  Stored.SoftBevel = soft;
  ComputeSchemeColors();
  PaintButton(LastState, true);
  PropertyChanged(keys::SoftBevel);
}

void chameleonButton::setPictureNormal(const host::Picture& picture) {
  Stored.PictureNormal = picture;
  MeasurePicture();
  MeasureCaption();
  PaintButton(LastState, true);
  PropertyChanged(keys::PictureNormal);
}

void chameleonButton::setPictureOver(const host::Picture& picture) {
  Stored.PictureOver = picture;
  if (IsOver) PaintButton(LastState, true);
  PropertyChanged(kPictureOverNotice);
}

void chameleonButton::setPicturePosition(std::int32_t position) {
  Stored.PicturePosition = position;
  PropertyChanged(keys::PicturePosition);
  MeasureCaption();
  PaintButton(LastState, true);
}

void chameleonButton::setUseMaskColor(bool use) {
  Stored.UseMaskColor = use;
  if (!Stored.PictureNormal.isNull()) PaintButton(LastState, true);
  PropertyChanged(keys::UseMaskColor);
}

void chameleonButton::setUseGreyscale(bool use) {
  Stored.UseGreyscale = use;
  if (!Stored.PictureNormal.isNull()) PaintButton(LastState, true);
  PropertyChanged(keys::UseGreyscale);
}

void chameleonButton::setSpecialEffect(std::int32_t effect) {
  Stored.SpecialEffect = effect;
  PaintButton(LastState, true);
  PropertyChanged(keys::SpecialEffect);
}

void chameleonButton::setCheckBoxBehaviour(bool on) {
  Stored.CheckBoxBehaviour = on;
  // A checked check box was drawn down for its Value alone; no longer one, it comes up.
  PaintButton(!on && Stored.Value ? kStateUp : LastState, true);
  PropertyChanged(keys::CheckBoxBehaviour);
}

void chameleonButton::setValue(bool value) {
  Stored.Value = value;
  if (Stored.CheckBoxBehaviour) PaintButton(kStateUp, true);
  PropertyChanged(keys::Value);
}

ButtonProperties chameleonButton::StoredProperties() const {
  return {Stored, {Enabled(), Font(), MousePointer(), MouseIcon()}};
}

// ---- host notifications ----------------------------------------------------------------------------

void chameleonButton::Initialize() { RefreshOn = true; }

void chameleonButton::InitProperties() {
  // Fields only: no setter runs, nothing is painted and no notice is given.
  Stored = NewButtonProperties().fields;
  SetWindowEnabled(true);
  Stored.Caption = Ambient().displayName;
  // The container's font, still inherited: the button follows it until it is given its own. A
  // host that names another font gives the widget that one.
  if (host::FontDesc::fromQFont(widget().font(), Ambient().font.charset) == Ambient().font) {
    TakeFont(Ambient().font);
  } else {
    Control::setFont(Ambient().font);
  }
  ComputeSchemeColors();
  Stored.BackColor = Stored.BackOver = WorkingColors.FaceColor;
  Stored.ForeColor = Stored.ForeOver = WorkingColors.TextColor;
  MeasureCaption();
}

void chameleonButton::ReadProperties(const host::PropertyBag& bag) {
  // Everything is read before anything changes, and the one value the surface may refuse (an
  // unknown mouse pointer) goes first, so a layout that fails to load leaves the button as it was.
  const ButtonProperties stored = ReadButtonProperties(bag, AbsentButtonProperties(Font()));
  Control::setMousePointer(stored.surface.MousePointer);
  Stored = stored.fields;
  Control::setFont(stored.surface.Font);
  Control::setMouseIcon(stored.surface.MouseIcon);
  // Through the setter, notice included; it overrides the stored pointer and icon.
  setHandPointer(stored.fields.HandPointer);
  SetWindowEnabled(stored.surface.Enabled);
  MeasurePicture();
  MeasureCaption();
  setAccessKeys(ParseAccessKey(Stored.Caption));
}

void chameleonButton::WriteProperties(host::PropertyBag& bag) {
  WriteButtonProperties(bag, StoredProperties());
}

void chameleonButton::OnResize() {
  if (IsCapturing) return;
  ClientHeight = widget().height();
  MeasureCaption();
  ApplyShape();
  PaintButton(kStateUp, true);
}

// ---- working colours, measuring, painting ----------------------------------------------------------

SchemeInputs chameleonButton::CurrentSchemeInputs() const {
  SchemeInputs in;
  in.ColorScheme = Stored.ColorScheme;
  in.ButtonType = Stored.ButtonType;
  in.BackColor = Stored.BackColor;
  in.ForeColor = Stored.ForeColor;
  in.ForeOver = Stored.ForeOver;
  in.MaskColor = Stored.MaskColor;
  in.SoftBevel = Stored.SoftBevel;
  in.Palette = &widget().palette();
  if (Stored.ColorScheme == kContainerScheme) {
    QWidget* container = host::GetParent(&widget());
    gdi::Dc dc = host::GetDC(container);
    in.ContainerBackColor = static_cast<std::int32_t>(gdi::GetBkColor(dc));
    in.ContainerTextColor = static_cast<std::int32_t>(gdi::GetTextColor(dc));
    host::ReleaseDC(container, std::move(dc));
  }
  return in;
}

void chameleonButton::ComputeSchemeColors() {
  WorkingColors = controls::ComputeSchemeColors(CurrentSchemeInputs());
}

// The stored size is in HIMETRIC; a 16-pixel icon comes back as 16.
void chameleonButton::MeasurePicture() {
  const auto toPixels = [this](int himetric) {
    return static_cast<int>(
        host::RoundHalfEven(ScaleConvert(himetric, host::ScaleUnit::Himetric, ScaleMode())));
  };
  PictureWidth = Stored.PictureNormal.isNull() ? 0 : toPixels(Stored.PictureNormal.widthHimetric());
  PictureHeight = Stored.PictureNormal.isNull() ? 0 : toPixels(Stored.PictureNormal.heightHimetric());
}

}  // namespace kelvane::controls
