#include <KelvaneWidgets/xp_progressbar.h>

#include "control_setup.h"
#include "controls/progressbar/xp_progressbar.h"

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
}

Xp_ProgressBar::~Xp_ProgressBar() { d->control->hostTerminate(); }

QSize Xp_ProgressBar::sizeHint() const { return {150, 17}; }

KELVANE_CONTROL_EVENTS(Xp_ProgressBar, d->control)

int Xp_ProgressBar::Value() const { return d->control->Value(); }
void Xp_ProgressBar::setValue(int value) { d->control->setValue(value); }
int Xp_ProgressBar::Min() const { return d->control->Min(); }
void Xp_ProgressBar::setMin(int min) { d->control->setMin(min); }
int Xp_ProgressBar::Max() const { return d->control->Max(); }
void Xp_ProgressBar::setMax(int max) { d->control->setMax(max); }
int Xp_ProgressBar::Style() const { return d->control->Style(); }
void Xp_ProgressBar::setStyle(int style) { d->control->setStyle(style); }
int Xp_ProgressBar::ProgressLook() const { return d->control->ProgressLook(); }
void Xp_ProgressBar::setProgressLook(int look) { d->control->setProgressLook(look); }

}  // namespace Kelvane
