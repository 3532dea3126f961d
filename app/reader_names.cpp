#include "app/reader_names.h"

#include <KelvaneWidgets/chameleonbutton.h>
#include <KelvaneWidgets/xp_progressbar.h>
#include <QWidget>

#include "controls/button/button_accessible.h"
#include "platform/host/stock/image.h"
#include "platform/host/stock/label.h"
#include "platform/host/stock/stock_progress_bar.h"

namespace kelvane::app {

void NameForScreenReaders(const host::layout::LoadedForm& form) {
  const auto& heading = *form.control<host::stock::Label>("Label2", 6);
  form.control<Kelvane::Xp_ProgressBar>("ProgressBar1")->setAccessibleName(heading.Caption());
  form.control<host::stock::Image>("Image1")->setAccessibleName(form.window()->windowTitle());
  const auto& optimize = *form.control<Kelvane::chameleonButton>("Command1");
  form.control<host::stock::StockProgressBar>("ProcessIndicator")
      ->setAccessibleName(controls::AccessibleButtonName(optimize.Caption()));
}

}  // namespace kelvane::app
