// A button made from a .ui form and the same button from Kelvane's stored layout paint alike.
#include <gtest/gtest.h>

#include <KelvaneWidgets/chameleonbutton.h>
#include <QTest>

#include "app/control_kinds.h"
#include "platform/host/layout/form_loader.h"
#include "ui_form.h"

// Q_INIT_RESOURCE declares its function in the namespace it is used in: here, the global one.
static void InitLayoutResource() { Q_INIT_RESOURCE(layout); }

namespace {

TEST(KelvaneWidgetsPixels, FormButtonPaintsAsTheStoredLayoutsOptimizeButton) {
  InitLayoutResource();
  kelvane::app::RegisterKelvaneControls();
  kelvane::host::layout::LoadedForm stored =
      kelvane::host::layout::loadFormFile(QStringLiteral(":/layout/form1.json"));
  auto* command1 = stored.control<Kelvane::chameleonButton>(QStringLiteral("Command1"));
  stored.window()->show();

  QWidget form;
  Ui::WidgetsForm ui;
  ui.setupUi(&form);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(stored.window()));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

  // The form's first button takes the focus when its window shows; compare both without it.
  for (QWidget* w : {static_cast<QWidget*>(ui.optimize), static_cast<QWidget*>(command1)}) {
    if (QWidget* focused = w->window()->focusWidget()) focused->clearFocus();
  }
  QCoreApplication::processEvents();
  ASSERT_EQ(ui.optimize->size(), command1->size());
  // The same shape; outside it each shows its own container.
  const QRegion shape = command1->mask();
  ASSERT_FALSE(shape.isEmpty());
  ASSERT_EQ(ui.optimize->mask(), shape);
  QImage fromLayout = command1->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QImage fromForm = ui.optimize->grab().toImage().convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < fromForm.height(); ++y) {
    for (int x = 0; x < fromForm.width(); ++x) {
      if (shape.contains(QPoint(x, y))) continue;
      fromForm.setPixel(x, y, 0);
      fromLayout.setPixel(x, y, 0);
    }
  }
  EXPECT_EQ(fromForm, fromLayout);
  if (fromForm != fromLayout) {
    fromForm.save(QStringLiteral("/tmp/fromForm.png"));
    fromLayout.save(QStringLiteral("/tmp/fromLayout.png"));
  }
}

}  // namespace
