#include <KelvaneWidgets/xp_progressbar.h>

#include <QEvent>
#include <QPointer>

#include "control_setup.h"
#include "controls/progressbar/bar_state.h"
#include "controls/progressbar/xp_progressbar.h"
#include "platform/host/services.h"

namespace Kelvane {

namespace internal = ::kelvane;

class Xp_ProgressBar::Private {
 public:
  // The bar's state and drawing: a child object of the widget, so it outlasts Qt's own ending of
  // the widget (focus, hiding), which screen readers may still ask about.
  internal::controls::Xp_ProgressBar* control = nullptr;
};

Xp_ProgressBar::Xp_ProgressBar(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>()) {
  detail::InstallControlServices();
  const internal::host::AmbientProperties ambient = detail::NewControlAmbient(*this, sizeHint());
  d->control = new internal::controls::Xp_ProgressBar(*this);
  if (!internal::host::Control::BeingMadeForLoading()) d->control->hostCreateNew(ambient);
  // As QProgressBar in a layout: as wide as there is room, as high as its frame.
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

Xp_ProgressBar::~Xp_ProgressBar() { d->control->hostTerminate(); }

QSize Xp_ProgressBar::sizeHint() const { return {150, 17}; }

// The frame and one block: narrower, the corners would overlap.
QSize Xp_ProgressBar::minimumSizeHint() const { return {2 * internal::controls::kBorder + 8, 17}; }

Xp_ProgressBar::RefusalHandler Xp_ProgressBar::installRefusalHandler(RefusalHandler handler) {
  return internal::host::installRefusalHandler(handler);
}

KELVANE_CONTROL_EVENTS(Xp_ProgressBar, d->control)

void Xp_ProgressBar::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (d->control) d->control->changeEvent(e);
}

namespace {

// Runs a setter and tells of the change once the control is done with it; a refused or repeated
// assignment tells nothing. The refusal handler may have deleted the bar (or run an event loop
// that did): then nothing is told.
using Reader = int (Xp_ProgressBar::*)() const;
using Teller = void (Xp_ProgressBar::*)(int);
template <typename Set>
void Telling(Xp_ProgressBar* bar, Reader read, Teller told, Set&& set) {
  const QPointer<Xp_ProgressBar> alive(bar);
  const int before = (bar->*read)();
  set();
  if (!alive) return;
  const int after = (bar->*read)();
  if (after != before) Q_EMIT(bar->*told)(after);
}

}  // namespace

int Xp_ProgressBar::Value() const { return d->control->Value(); }
void Xp_ProgressBar::setValue(int value) {
  Telling(this, &Xp_ProgressBar::Value, &Xp_ProgressBar::valueChanged, [&] { d->control->setValue(value); });
}
int Xp_ProgressBar::Min() const { return d->control->Min(); }
void Xp_ProgressBar::setMin(int min) {
  Telling(this, &Xp_ProgressBar::Min, &Xp_ProgressBar::MinChanged, [&] { d->control->setMin(min); });
}
int Xp_ProgressBar::Max() const { return d->control->Max(); }
void Xp_ProgressBar::setMax(int max) {
  Telling(this, &Xp_ProgressBar::Max, &Xp_ProgressBar::MaxChanged, [&] { d->control->setMax(max); });
}
void Xp_ProgressBar::setRange(int min, int max) {
  const QPointer<Xp_ProgressBar> alive(this);
  const int minBefore = Min(), maxBefore = Max();
  d->control->setRange(min, max);
  if (alive && Min() != minBefore) Q_EMIT MinChanged(Min());
  if (alive && Max() != maxBefore) Q_EMIT MaxChanged(Max());
}
void Xp_ProgressBar::reset() {
  Telling(this, &Xp_ProgressBar::Value, &Xp_ProgressBar::valueChanged, [&] { d->control->Reset(); });
}
int Xp_ProgressBar::Style() const { return d->control->Style(); }
void Xp_ProgressBar::setStyleIndex(int style) {
  Telling(this, &Xp_ProgressBar::Style, &Xp_ProgressBar::StyleChanged, [&] { d->control->setStyle(style); });
}
int Xp_ProgressBar::ProgressLook() const { return d->control->ProgressLook(); }
void Xp_ProgressBar::setProgressLook(int look) {
  Telling(this, &Xp_ProgressBar::ProgressLook, &Xp_ProgressBar::ProgressLookChanged,
          [&] { d->control->setProgressLook(look); });
}

}  // namespace Kelvane
