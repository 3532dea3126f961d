#include "controls/progressbar/xp_progressbar.h"

#include <QAccessible>

#include "controls/accessibility.h"
#include "controls/progressbar/bar_pictures.h"
#include "platform/host/services.h"

namespace kelvane::controls {

namespace {

constexpr std::int32_t kDefaultMin = 0;
constexpr std::int32_t kDefaultMax = 100;
constexpr std::int32_t kDefaultValue = 0;
constexpr std::int32_t kDefaultStyle = 0;
constexpr std::int32_t kDefaultLook = 0;
constexpr std::int32_t kLowestMin = 0;

constexpr const char* kValueTooHigh = "Value can NOT be higher than Maximum !";
constexpr const char* kValueTooLow = "Value can NOT be smaller than minimum !";
constexpr const char* kMinAboveMax = "Minimum can NOT be biger than maximum !";
constexpr const char* kMinBelowZero = "Minimum can NOT be smaller then 0 !";
constexpr const char* kMaxBelowMin = "Maximum can NOT be smaller than minimum !";

const QString kKeyMin = QStringLiteral("Min");
const QString kKeyMax = QStringLiteral("Max");
const QString kKeyValue = QStringLiteral("Value");
const QString kKeyStyle = QStringLiteral("Style");
const QString kKeyLook = QStringLiteral("ProgressLook");

}  // namespace

Xp_ProgressBar::Xp_ProgressBar(QWidget& widget)
    : host::Control(widget), img_(FramePicture()), blank_(BlankPicture()) {
  // Nothing to type into: as QProgressBar, never a Tab stop.
  widget.setFocusPolicy(Qt::NoFocus);
  // Usable without the host's notifications too (factories, tools): start as a new instance.
  SetDefaults();
  InstallAccessibility();
}

Xp_ProgressBar::~Xp_ProgressBar() = default;

void Xp_ProgressBar::SetDefaults() {
  max_ = kDefaultMax;
  min_ = kDefaultMin;
  value_ = kDefaultValue;
  style_ = kDefaultStyle;
  progressLook_ = kDefaultLook;
  // A new instance paints in look 0 until another look is chosen, rather than painting nothing.
  // ApplyProgressLook itself is not the route: it must stay tied to the ProgressLook setter.
  if (const auto look = LookPicturesFor(kDefaultLook)) pc_ = *look;
}

void Xp_ProgressBar::ShowError(const char* message) const { host::Refuse(QString::fromLatin1(message)); }

void Xp_ProgressBar::setValue(std::int32_t New_Value) {
  if (New_Value > max_) return ShowError(kValueTooHigh);
  if (New_Value < min_) return ShowError(kValueTooLow);
  value_ = New_Value;
  const QPointer<Xp_ProgressBar> alive(this);
  PropertyChanged(kKeyValue);
  if (!alive) return;  // an observer of the notice deleted the bar
  // The refresh timer sets Value ten times a second: build no event while no reader listens.
  if (QAccessible::isActive()) {
    QAccessibleValueChangeEvent changed(&widget(), value_);
    QAccessible::updateAccessibility(&changed);
  }
  // A fall in Value redraws the whole bar on every later tick, mostly to the same picture.
  const HeldRepaint held(*this);
  NoticeSize();
  if (style_ == 0) {
    const AdvanceInputs before = CurrentAdvanceInputs();
    if (steadyAdvance_ == before) return;
    AdvanceBlocks();
    if (state_ == before.state) {
      steadyAdvance_ = before;
    } else {
      steadyAdvance_.reset();
    }
  } else if (value_ == max_) {
    RepaintBar();
  } else {
    StepMarquee();
  }
}

void Xp_ProgressBar::setMin(std::int32_t New_Mini) {
  if (New_Mini > max_) return ShowError(kMinAboveMax);
  if (New_Mini < kLowestMin) return ShowError(kMinBelowZero);
  min_ = New_Mini;
  PropertyChanged(kKeyMin);
}

void Xp_ProgressBar::setMax(std::int32_t New_Maxi) {
  if (New_Maxi < min_) return ShowError(kMaxBelowMin);
  max_ = New_Maxi;
  PropertyChanged(kKeyMax);
}

void Xp_ProgressBar::setRange(std::int32_t New_Mini, std::int32_t New_Maxi) {
  if (New_Mini > New_Maxi) return ShowError(kMinAboveMax);
  // Max first when the range moves up past the old Max, so neither step meets the other's bound.
  // Only the first step can be refused (a Min below 0), and then the second is left out.
  const QPointer<Xp_ProgressBar> alive(this);
  if (New_Mini > max_) {
    setMax(New_Maxi);
    if (alive) setMin(New_Mini);
  } else {
    setMin(New_Mini);
    if (alive && min_ == New_Mini) setMax(New_Maxi);
  }
}

void Xp_ProgressBar::Reset() {
  const bool changed = value_ != min_;
  value_ = min_;
  const QPointer<Xp_ProgressBar> alive(this);
  if (changed) PropertyChanged(kKeyValue);
  if (!alive) return;
  steadyAdvance_.reset();
  const HeldRepaint held(*this);
  NoticeSize();
  RepaintBar();
}

void Xp_ProgressBar::setStyle(std::int32_t New_Style) {
  style_ = New_Style;
  // The marker draws over the blocks: the next block-mode assignment must draw, even a repeated one.
  steadyAdvance_.reset();
  PropertyChanged(kKeyStyle);
}

void Xp_ProgressBar::setProgressLook(std::int32_t New_ProgressLook) {
  progressLook_ = New_ProgressLook;
  PropertyChanged(kKeyLook);
  ApplyProgressLook();
}

void Xp_ProgressBar::Initialize() { SetDefaults(); }

void Xp_ProgressBar::ReadProperties(const host::PropertyBag& bag) {
  // Stored values are trusted as they were saved: no validation, no notices, no painting.
  min_ = bag.ReadInt(kKeyMin, kDefaultMin);
  max_ = bag.ReadInt(kKeyMax, kDefaultMax);
  value_ = bag.ReadInt(kKeyValue, kDefaultValue);
  style_ = bag.ReadInt(kKeyStyle, kDefaultStyle);
  setProgressLook(bag.ReadInt(kKeyLook, kDefaultLook));
}

void Xp_ProgressBar::WriteProperties(host::PropertyBag& bag) {
  bag.Write(kKeyMin, min_, kDefaultMin);
  bag.Write(kKeyMax, max_, kDefaultMax);
  bag.Write(kKeyValue, value_, kDefaultValue);
  bag.Write(kKeyStyle, style_, kDefaultStyle);
  bag.Write(kKeyLook, progressLook_, kDefaultLook);
}

void Xp_ProgressBar::OnResize() {
  steadyAdvance_.reset();
  RepaintBar();
  // A layout sizes the bar as it first shows: nobody saw the blocks go, so what was assigned stays.
  if (!shown_ && style_ == 0 && value_ > min_) AdvanceBlocks();
}

Xp_ProgressBar::AdvanceInputs Xp_ProgressBar::CurrentAdvanceInputs() const {
  return {state_,
          value_,
          min_,
          max_,
          widget().width(),
          widget().height(),
          {img_.handle(), pc_[kTailSlot].handle(), pc_[kMiddleSlot].handle(), pc_[kBlockSlot].handle()}};
}

}  // namespace kelvane::controls
