// The stored window layout: any text either builds a window whose controls can all be found by
// name, or raises LayoutError with a message; nothing else escapes and nothing leaks.
#include <QApplication>
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "app/control_kinds.h"
#include "fuzz/check.h"
#include "platform/host/layout/form_loader.h"

using kelvane::host::layout::LayoutError;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication app(*argc, *argv);
  kelvane::app::RegisterKelvaneControls();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  try {
    const auto form = kelvane::host::layout::loadForm(json);
    FUZZ_CHECK(form.window() != nullptr);
    for (const auto& control : form.controls()) {
      FUZZ_CHECK(control.object != nullptr);
      FUZZ_CHECK(form.find(control.name, control.index) == control.object);
    }
  } catch (const LayoutError& e) {
    FUZZ_CHECK(Readable(e.what()));
  }
  // What the controls left for the event loop (deferred deletes, posted updates) goes now, so
  // it is neither mistaken for a leak nor left to pile up.
  QCoreApplication::sendPostedEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  // Qt lists every widget, so the leak checker would call a lost one reachable; count them instead.
  FUZZ_CHECK(QApplication::allWidgets().isEmpty());
  return 0;
}
