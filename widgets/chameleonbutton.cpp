#include <KelvaneWidgets/chameleonbutton.h>

#include <QEvent>
#include <QFontMetrics>
#include <QPointer>
#include <QtDebug>
#include <algorithm>

#include "colour_value.h"
#include "control_setup.h"
#include "controls/button/chameleon_button.h"
#include "platform/host/errors.h"
#include "platform/host/picture.h"

namespace Kelvane {

namespace internal = ::kelvane;
using detail::ColorFromStored;
using detail::StoredFromColor;
using detail::StoredFromSystemColor;
using detail::SystemColorOfStored;

namespace {

// A pixmap with an alpha channel keeps its transparency as an icon's mask; one without is a bitmap
// that MaskColor can cut.
internal::host::Picture PictureFrom(const QPixmap& pixmap) {
  if (pixmap.isNull()) return {};
  const QImage image = pixmap.toImage();
  return pixmap.hasAlphaChannel() ? internal::host::Picture::fromIcon(image)
                                  : internal::host::Picture::fromBitmap(image);
}

QPixmap PixmapFrom(const internal::host::Picture& picture) {
  return picture.isNull() ? QPixmap() : QPixmap::fromImage(picture.image());
}

// The stored setters refuse what the host cannot hold by raising its error; a property write has
// nowhere to raise it to, so it is reported and the value stays as it was.
template <typename F>
void Refusing(const char* property, F&& set) {
  try {
    set();
  } catch (const internal::host::RuntimeError& e) {
    qWarning("chameleonButton: %s refused: %s", property, e.what());
  }
}

// Which signal tells of a change to which stored value. Value and Enabled are not here: a click flips
// Value without a setter, and Qt changes the enabled state.
using Properties = internal::controls::ButtonProperties;
using Fields = internal::controls::ButtonFields;
using SurfaceSettings = internal::controls::SurfaceSettings;
struct Told {
  bool (*differs)(const Properties&, const Properties&);
  void (chameleonButton::*signal)();
};
template <auto Field>
bool FieldDiffers(const Properties& a, const Properties& b) {
  return !(a.fields.*Field == b.fields.*Field);
}
template <auto Setting>
bool SettingDiffers(const Properties& a, const Properties& b) {
  return !(a.surface.*Setting == b.surface.*Setting);
}
// A picture assigned again is a new picture of the same pixels: no change.
bool SamePicture(const internal::host::Picture& a, const internal::host::Picture& b) {
  return a.type() == b.type() && a.image() == b.image();
}
template <auto Field>
bool PictureDiffers(const Properties& a, const Properties& b) {
  return !SamePicture(a.fields.*Field, b.fields.*Field);
}
bool MouseIconDiffers(const Properties& a, const Properties& b) {
  return !SamePicture(a.surface.MouseIcon, b.surface.MouseIcon);
}
constexpr Told kTold[] = {
    {FieldDiffers<&Fields::ButtonType>, &chameleonButton::ButtonTypeChanged},
    {FieldDiffers<&Fields::Caption>, &chameleonButton::CaptionChanged},
    {FieldDiffers<&Fields::ColorScheme>, &chameleonButton::ColorSchemeChanged},
    {FieldDiffers<&Fields::ShowFocusRect>, &chameleonButton::ShowFocusRectChanged},
    {FieldDiffers<&Fields::BackColor>, &chameleonButton::BackColorChanged},
    {FieldDiffers<&Fields::BackOver>, &chameleonButton::BackOverChanged},
    {FieldDiffers<&Fields::ForeColor>, &chameleonButton::ForeColorChanged},
    {FieldDiffers<&Fields::ForeOver>, &chameleonButton::ForeOverChanged},
    {FieldDiffers<&Fields::MaskColor>, &chameleonButton::MaskColorChanged},
    {PictureDiffers<&Fields::PictureNormal>, &chameleonButton::PictureNormalChanged},
    {PictureDiffers<&Fields::PictureOver>, &chameleonButton::PictureOverChanged},
    {FieldDiffers<&Fields::UseMaskColor>, &chameleonButton::UseMaskColorChanged},
    {FieldDiffers<&Fields::SoftBevel>, &chameleonButton::SoftBevelChanged},
    {FieldDiffers<&Fields::PicturePosition>, &chameleonButton::PicturePositionChanged},
    {FieldDiffers<&Fields::UseGreyscale>, &chameleonButton::UseGreyscaleChanged},
    {FieldDiffers<&Fields::SpecialEffect>, &chameleonButton::SpecialEffectChanged},
    {FieldDiffers<&Fields::HandPointer>, &chameleonButton::HandPointerChanged},
    {FieldDiffers<&Fields::CheckBoxBehaviour>, &chameleonButton::CheckBoxBehaviourChanged},
    {SettingDiffers<&SurfaceSettings::Font>, &chameleonButton::FontChanged},
    {SettingDiffers<&SurfaceSettings::MousePointer>, &chameleonButton::MousePointerChanged},
    {MouseIconDiffers, &chameleonButton::MouseIconChanged},
};

// Runs a setter and tells of every stored value it changed: its own, and those that change with it
// (a style's bold font, the hover twins while designing, HandPointer's pointer). A handler may
// delete the button: nothing is read or told after that.
template <typename F>
void Telling(chameleonButton& button, const internal::controls::chameleonButton& c, F&& set) {
  const Properties before = c.StoredProperties();
  const QPointer<chameleonButton> alive(&button);
  set();  // the transparent style's capture runs pending events
  if (!alive) return;
  const Properties after = c.StoredProperties();
  for (const Told& told : kTold) {
    if (!told.differs(before, after)) continue;
    emit(button.*told.signal)();
    if (!alive) return;
  }
}

}  // namespace

class chameleonButton::Private {
 public:
  // The button's state and drawing: a child object of the widget, so it outlasts Qt's own ending of
  // the widget (focus, hiding), which screen readers may still ask about.
  internal::controls::chameleonButton* control = nullptr;
  bool toldValue = false;  // the Value last told of through ValueChanged
};

chameleonButton::chameleonButton(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>()) {
  detail::InstallControlServices();
  const internal::host::AmbientProperties ambient = detail::NewControlAmbient(*this, sizeHint());
  d->control = new internal::controls::chameleonButton(*this);
  if (!internal::host::Control::BeingMadeForLoading()) d->control->hostCreateNew(ambient);
  // As QPushButton in a layout: at least its hint wide, as high as its hint.
  setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
  auto& c = *d->control;
  // A click flips a check box's Value without the setter's notice; it is told before Click. Any
  // handler may delete the button, so each emission is the last unless the button survived it.
  const auto tellValue = [this] {
    if (Value() == d->toldValue) return true;
    d->toldValue = Value();
    const QPointer<chameleonButton> alive(this);
    emit ValueChanged(d->toldValue);
    return !alive.isNull();
  };
  c.Click.connect([this, tellValue] {
    const QPointer<chameleonButton> alive(this);
    if (!tellValue()) return;
    emit Click();
    if (alive) emit clicked();
  });
  c.MouseDown.connect([this](qint16& b, qint16& s, float& x, float& y) { emit MouseDown(b, s, x, y); });
  c.MouseMove.connect([this](qint16& b, qint16& s, float& x, float& y) { emit MouseMove(b, s, x, y); });
  c.MouseUp.connect([this](qint16& b, qint16& s, float& x, float& y) { emit MouseUp(b, s, x, y); });
  c.KeyPress.connect([this](qint16& key) { emit KeyPress(key); });
  c.KeyDown.connect([this](qint16& key, qint16& shift) { emit KeyDown(key, shift); });
  c.KeyUp.connect([this](qint16& key, qint16& shift) { emit KeyUp(key, shift); });
  c.MouseOver.connect([this] { emit MouseOver(); });
  c.MouseOut.connect([this] { emit MouseOut(); });
  connect(&c, &internal::host::Control::PropertyNoticed, this, [tellValue](const QString& key) {
    if (key.compare(QLatin1String("VALUE"), Qt::CaseInsensitive) == 0) tellValue();
  });
}

chameleonButton::~chameleonButton() { d->control->hostTerminate(); }

namespace {

// The stored default size, the least a button asks for.
constexpr QSize kDefaultSize(93, 26);
constexpr int kTextMarginX = 12, kTextMarginY = 6, kPictureGap = 4;

}  // namespace

// As QPushButton: the caption in the widget's font with the picture beside, above, below or behind
// it, and the margins the faces draw in.
QSize chameleonButton::minimumSizeHint() const {
  if (!d->control) return kDefaultSize;  // asked for the first size while the control is made
  const QFontMetrics metrics(font());
  QString shown = Caption();
  shown.replace(QLatin1String("&&"), QLatin1String("\x01")).remove(QLatin1Char('&'));
  shown.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  QSize text(metrics.horizontalAdvance(shown), metrics.height());
  const QPixmap picture = PictureNormal();
  if (!picture.isNull()) {
    const QSize p = picture.deviceIndependentSize().toSize();
    switch (PicturePosition()) {
      case 0:
      case 1: text = {text.width() + kPictureGap + p.width(), std::max(text.height(), p.height())}; break;
      case 2:
      case 3: text = {std::max(text.width(), p.width()), text.height() + kPictureGap + p.height()}; break;
      default: text = text.expandedTo(p); break;
    }
  }
  return text + QSize(2 * kTextMarginX, 2 * kTextMarginY);
}

QSize chameleonButton::sizeHint() const { return minimumSizeHint().expandedTo(kDefaultSize); }

KELVANE_CONTROL_EVENTS(chameleonButton, d->control)

// What Qt changed (setEnabled, setFont, a parent's) is told from the event loop: Qt is still at
// work on the widget here, and a handler may delete it. The button's own font setters tell at once.
void chameleonButton::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (!d->control) return;
  const bool ownFont = d->control->SettingFont();
  d->control->changeEvent(e);
  if (e->type() == QEvent::EnabledChange) {
    const auto tell = [this, on = isEnabled()] { emit EnabledChanged(on); };
    QMetaObject::invokeMethod(this, tell, Qt::QueuedConnection);
  } else if (e->type() == QEvent::FontChange) {
    updateGeometry();
    const auto tell = [this] { emit FontChanged(); };
    if (!ownFont) QMetaObject::invokeMethod(this, tell, Qt::QueuedConnection);
  }
}

int chameleonButton::ButtonType() const { return d->control->ButtonType(); }
void chameleonButton::setButtonType(int type) {
  Telling(*this, *d->control, [&] { d->control->setButtonType(type); });
}
QString chameleonButton::Caption() const { return d->control->Caption(); }
void chameleonButton::setCaption(const QString& caption) {
  // The new size is asked for before anyone is told: a handler may delete the button.
  Telling(*this, *d->control, [&] {
    d->control->setCaption(caption);
    updateGeometry();
  });
}
bool chameleonButton::FontBold() const { return d->control->FontBold(); }
void chameleonButton::setFontBold(bool bold) {
  Telling(*this, *d->control, [&] { d->control->setFontBold(bold); });
}
bool chameleonButton::FontItalic() const { return d->control->FontItalic(); }
void chameleonButton::setFontItalic(bool italic) {
  Telling(*this, *d->control, [&] { d->control->setFontItalic(italic); });
}
bool chameleonButton::FontUnderline() const { return d->control->FontUnderline(); }
void chameleonButton::setFontUnderline(bool underline) {
  Telling(*this, *d->control, [&] { d->control->setFontUnderline(underline); });
}
int chameleonButton::FontSize() const { return d->control->FontSize(); }
void chameleonButton::setFontSize(int points) {
  Telling(*this, *d->control, [&] { Refusing("FontSize", [&] { d->control->setFontSize(points); }); });
}
QString chameleonButton::FontName() const { return d->control->FontName(); }
void chameleonButton::setFontName(const QString& name) {
  Telling(*this, *d->control, [&] { d->control->setFontName(name); });
}

int chameleonButton::ColorScheme() const { return d->control->ColorScheme(); }
void chameleonButton::setColorScheme(int scheme) {
  Telling(*this, *d->control, [&] { d->control->setColorScheme(scheme); });
}
bool chameleonButton::ShowFocusRect() const { return d->control->ShowFocusRect(); }
void chameleonButton::setShowFocusRect(bool show) {
  Telling(*this, *d->control, [&] { d->control->setShowFocusRect(show); });
}

// Each colour reads and writes one stored value; the two properties of a colour are two views of it.
#define KELVANE_COLOUR_PROPERTY(Name, SystemName)                                                 \
  QColor chameleonButton::Name() const { return ColorFromStored(d->control->Name(), palette()); } \
  void chameleonButton::set##Name(const QColor& colour) {                                         \
    Telling(*this, *d->control, [&] { d->control->set##Name(StoredFromColor(colour)); });         \
  }                                                                                               \
  chameleonButton::SystemColor chameleonButton::SystemName() const {                              \
    return static_cast<SystemColor>(SystemColorOfStored(d->control->Name()));                     \
  }                                                                                               \
  void chameleonButton::set##SystemName(SystemColor colour) {                                     \
    if (const auto stored = StoredFromSystemColor(colour))                                        \
      Telling(*this, *d->control, [&] { d->control->set##Name(*stored); });                       \
  }
KELVANE_COLOUR_PROPERTY(BackColor, BackSystemColor)
KELVANE_COLOUR_PROPERTY(BackOver, BackOverSystemColor)
KELVANE_COLOUR_PROPERTY(ForeColor, ForeSystemColor)
KELVANE_COLOUR_PROPERTY(ForeOver, ForeOverSystemColor)
KELVANE_COLOUR_PROPERTY(MaskColor, MaskSystemColor)
#undef KELVANE_COLOUR_PROPERTY

int chameleonButton::MousePointer() const { return d->control->MousePointer(); }
void chameleonButton::setMousePointer(int code) {
  Telling(*this, *d->control, [&] { Refusing("MousePointer", [&] { d->control->setMousePointer(code); }); });
}
QPixmap chameleonButton::MouseIcon() const { return PixmapFrom(d->control->MouseIcon()); }
void chameleonButton::setMouseIcon(const QPixmap& icon) {
  Telling(*this, *d->control, [&] { d->control->setMouseIcon(PictureFrom(icon)); });
}
QPixmap chameleonButton::PictureNormal() const { return PixmapFrom(d->control->PictureNormal()); }
void chameleonButton::setPictureNormal(const QPixmap& picture) {
  Telling(*this, *d->control, [&] {
    d->control->setPictureNormal(PictureFrom(picture));
    updateGeometry();
  });
}
QPixmap chameleonButton::PictureOver() const { return PixmapFrom(d->control->PictureOver()); }
void chameleonButton::setPictureOver(const QPixmap& picture) {
  Telling(*this, *d->control, [&] { d->control->setPictureOver(PictureFrom(picture)); });
}
bool chameleonButton::UseMaskColor() const { return d->control->UseMaskColor(); }
void chameleonButton::setUseMaskColor(bool use) {
  Telling(*this, *d->control, [&] { d->control->setUseMaskColor(use); });
}
bool chameleonButton::SoftBevel() const { return d->control->SoftBevel(); }
void chameleonButton::setSoftBevel(bool soft) {
  Telling(*this, *d->control, [&] { d->control->setSoftBevel(soft); });
}
int chameleonButton::PicturePosition() const { return d->control->PicturePosition(); }
void chameleonButton::setPicturePosition(int position) {
  Telling(*this, *d->control, [&] {
    d->control->setPicturePosition(position);
    updateGeometry();
  });
}
bool chameleonButton::UseGreyscale() const { return d->control->UseGreyscale(); }
void chameleonButton::setUseGreyscale(bool use) {
  Telling(*this, *d->control, [&] { d->control->setUseGreyscale(use); });
}
int chameleonButton::SpecialEffect() const { return d->control->SpecialEffect(); }
void chameleonButton::setSpecialEffect(int effect) {
  Telling(*this, *d->control, [&] { d->control->setSpecialEffect(effect); });
}
bool chameleonButton::HandPointer() const { return d->control->HandPointer(); }
void chameleonButton::setHandPointer(bool hand) {
  Telling(*this, *d->control, [&] { Refusing("HandPointer", [&] { d->control->setHandPointer(hand); }); });
}
bool chameleonButton::CheckBoxBehaviour() const { return d->control->CheckBoxBehaviour(); }
void chameleonButton::setCheckBoxBehaviour(bool on) {
  Telling(*this, *d->control, [&] { d->control->setCheckBoxBehaviour(on); });
}
bool chameleonButton::Value() const { return d->control->Value(); }
void chameleonButton::setValue(bool value) { d->control->setValue(value); }
QString chameleonButton::Version() { return internal::controls::chameleonButton::Version(); }

qulonglong chameleonButton::hwnd() const { return static_cast<qulonglong>(effectiveWinId()); }
void chameleonButton::click() { d->control->PerformClick(); }

void chameleonButton::DisableRefresh() { d->control->DisableRefresh(); }
void chameleonButton::Refresh() { d->control->Refresh(); }

bool chameleonButton::userMode() const { return d->control->Ambient().userMode; }
void chameleonButton::setUserMode(bool on) {
  internal::host::AmbientProperties ambient = d->control->Ambient();
  ambient.userMode = on;
  d->control->setAmbient(ambient, QString::fromLatin1(internal::host::kAmbientUserMode));
}

}  // namespace Kelvane
