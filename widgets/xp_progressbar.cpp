#include <KelvaneWidgets/xp_progressbar.h>

#include <QResizeEvent>

#include "control_frame.h"
#include "controls/progressbar/xp_progressbar.h"

namespace Kelvane {

namespace internal = ::kelvane;

class Xp_ProgressBar::Private {
 public:
  internal::controls::Xp_ProgressBar* control = nullptr;
};

Xp_ProgressBar::Xp_ProgressBar(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>()) {
  d->control = new internal::controls::Xp_ProgressBar(this);
  detail::AdoptControl(*this, *d->control);
  resize(sizeHint());
}

Xp_ProgressBar::~Xp_ProgressBar() { detail::ReleaseControl(*d->control); }

QSize Xp_ProgressBar::sizeHint() const { return {150, 17}; }

void Xp_ProgressBar::resizeEvent(QResizeEvent* event) {
  d->control->setGeometry(QRect(QPoint(), event->size()));
}

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
