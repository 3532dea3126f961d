#include "app/reader_names.h"

#include <QWidget>

#include "controls/button/button_accessible.h"
#include "controls/button/chameleon_button.h"
#include "controls/progressbar/xp_progressbar.h"
#include "platform/host/stock/image.h"
#include "platform/host/stock/label.h"
#include "platform/host/stock/stock_progress_bar.h"

namespace kelvane::app {

void NameForScreenReaders(const host::layout::LoadedForm& form) {
  const auto& heading = *form.control<host::stock::Label>("Label2", 6);
  form.control<controls::Xp_ProgressBar>("ProgressBar1")->setAccessibleName(heading.Caption());
  form.control<host::stock::Image>("Image1")->setAccessibleName(form.window()->windowTitle());
  const auto& optimize = *form.control<controls::chameleonButton>("Command1");
  form.control<host::stock::StockProgressBar>("ProcessIndicator")
      ->setAccessibleName(controls::AccessibleButtonName(optimize.Caption()));
}

}  // namespace kelvane::app
