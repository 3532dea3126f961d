// Lifecycle, persistence, notices, ambient and extender properties, surface services of Control.
#include <gtest/gtest.h>

#include <QApplication>
#include <QVBoxLayout>
#include <functional>
#include <memory>

#include "platform/host/errors.h"
#include "recording_control.h"
#include "tests/support/hosted_control.h"

namespace kelvane::test {
namespace {

using host::AmbientProperties;
using host::FontDesc;
using host::PropertyBag;

TEST(ControlLifecycle, CreateNewRunsInitializeThenInitProperties) {
  Hosted<RecordingControl> cWidget;
  RecordingControl& c = cWidget.control();
  AmbientProperties a;
  a.displayName = "Command1";
  c.hostCreateNew(a);
  EXPECT_EQ(c.log, QStringList({"Initialize", "InitProperties"}));
  EXPECT_EQ(c.Ambient().displayName, "Command1");
}

TEST(ControlLifecycle, LoadReadsPropertiesThenTakesTheStoredExtent) {
  Hosted<RecordingControl> cWidget;
  RecordingControl& c = cWidget.control();
  PropertyBag bag;
  bag.Write("_ExtentX", 2540);  // one inch: 96 pixels
  bag.Write("_ExtentY", 529);   // 19.99 pixels
  bag.Write("BTYPE", 7);
  int readBType = 0;
  c.onRead = [&](const PropertyBag& b) { readBType = b.ReadInt("btype", 2); };
  c.hostLoad(bag, {});
  EXPECT_EQ(c.log.mid(0, 2), QStringList({"Initialize", "ReadProperties"}));
  EXPECT_EQ(readBType, 7);
  EXPECT_EQ(cWidget.size(), QSize(96, 20));
}

// The extent is a pair: a layout with only one of the two keeps the control's size.
TEST(ControlLifecycle, LoadTakesTheExtentOnlyWhenBothSidesAreStored) {
  for (const char* only : {"_ExtentX", "_ExtentY"}) {
    Hosted<RecordingControl> w;
    w.resize(30, 12);
    PropertyBag bag;
    bag.Write(only, 2540);
    w->hostLoad(bag, {});
    EXPECT_EQ(w.size(), QSize(30, 12)) << only;
  }
}

TEST(ControlNotice, AChangeMarksTheControlModifiedAndNamesTheProperty) {
  Hosted<RecordingControl> w;
  RecordingControl& c = w.control();
  QStringList noticed;
  QObject::connect(&c, &host::Control::PropertyNoticed, [&](const QString& key) { noticed << key; });
  EXPECT_FALSE(c.isModified());
  c.PropertyChanged("Caption");
  EXPECT_TRUE(c.isModified());
  EXPECT_EQ(noticed, QStringList{"Caption"});
  c.clearModified();
  EXPECT_FALSE(c.isModified());
}

TEST(ControlLifecycle, SaveWritesPropertiesThenTheExtentInHimetric) {
  Hosted<RecordingControl> cWidget;
  RecordingControl& c = cWidget.control();
  cWidget.resize(10, 20);
  c.onWrite = [](PropertyBag& b) {
    EXPECT_FALSE(b.contains("_extentx"));  // the host adds the extent after the control's keys
    b.Write("Max", 50, 100);
  };
  PropertyBag bag;
  c.hostSave(bag);
  EXPECT_EQ(bag.ReadInt("max", 0), 50);
  EXPECT_EQ(bag.ReadInt("_extentx", 0), 265);  // 264.58
  EXPECT_EQ(bag.ReadInt("_extenty", 0), 529);  // 529.17
  for (int px : {1, 7, 31, 89, 240}) {         // and every size loads back unchanged
    Hosted<RecordingControl> aWidget;
    RecordingControl& a = aWidget.control();
    Hosted<RecordingControl> bWidget;
    RecordingControl& b = bWidget.control();
    aWidget.resize(px, px + 3);
    PropertyBag saved;
    a.hostSave(saved);
    b.hostLoad(saved, {});
    EXPECT_EQ(bWidget.size(), aWidget.size()) << px;
  }
}

TEST(ControlLifecycle, ClosingAWindowTerminatesEachControlOnce) {
  Hosted<RecordingControl> rootWidget;
  RecordingControl& root = rootWidget.control();
  auto* child = &(new Hosted<RecordingControl>(&rootWidget))->control();
  child->hostTerminate();
  host::TerminateControls(&rootWidget);
  host::TerminateControls(&rootWidget);
  EXPECT_EQ(root.log.count("Terminate"), 1);
  EXPECT_EQ(child->log.count("Terminate"), 1);
}

TEST(ControlLifecycle, ResizeBeforeShowThenShowAndHide) {
  Hosted<RecordingControl> cWidget;
  RecordingControl& c = cWidget.control();
  cWidget.resize(30, 12);
  c.log.clear();
  cWidget.show();
  cWidget.hide();
  EXPECT_EQ(Only(c.log, {"Resize", "Show", "Hide"}), QStringList({"Resize", "Show", "Hide"}));
}

TEST(ControlSurface, FollowsTheSizeEvenWhileHiddenAndKeepsItsPixels) {
  Hosted<RecordingControl> cWidget;
  RecordingControl& c = cWidget.control();
  cWidget.resize(4, 4);
  c.surface().image().setPixel(1, 1, 0xFF123456);
  cWidget.resize(40, 10);
  ASSERT_EQ(c.surface().size(), QSize(40, 10));
  EXPECT_EQ(c.surface().pixel(1, 1), 0xFF123456u);
}

// A control made without a parent has Qt's 640 x 480 until it is sized or shown, also after a
// layout adopts it; its surface must not take that size.
TEST(ControlSurface, NeverLargerThanASizeTheControlWasGiven) {
  struct Case {
    const char* what;
    std::function<QSize(QWidget& window, Hosted<RecordingControl>& c)> place;  // the size to expect
  };
  const Case cases[] = {
      {"made alone, untouched", [](QWidget&, Hosted<RecordingControl>&) { return QSize(1, 1); }},
      {"adopted by a hidden window's layout",
       [](QWidget& window, Hosted<RecordingControl>& c) {
         (new QVBoxLayout(&window))->addWidget(&c);
         return QSize(1, 1);
       }},
      {"sized alone",
       [](QWidget&, Hosted<RecordingControl>& c) {
         c.resize(93, 26);
         return QSize(93, 26);
       }},
      {"shown alone",
       [](QWidget&, Hosted<RecordingControl>& c) {
         c.show();
         return c.size();
       }},
      {"laid out and shown",
       [](QWidget& window, Hosted<RecordingControl>& c) {
         (new QVBoxLayout(&window))->addWidget(&c);
         window.resize(120, 50);
         window.show();
         return c.size();
       }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    QWidget window;
    const auto c = std::make_unique<Hosted<RecordingControl>>();  // goes before the window
    const QSize expected = k.place(window, *c);
    EXPECT_EQ(c->control().surface().size(), expected);
  }
  // A child starts at Qt's 100 x 30, which is its size.
  QWidget parent;
  Hosted<RecordingControl> child(&parent);
  EXPECT_EQ(child.control().surface().size(), child.size());
}

TEST(ControlSurface, ClsPaintsTheBackColourAndPaintShowsIt) {
  Hosted<RecordingControl> cWidget;
  RecordingControl& c = cWidget.control();
  cWidget.resize(3, 2);
  c.surface().image().fill(0xFF000000);
  c.setSurfaceBackColor(qRgb(10, 20, 30));
  c.Cls();
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(c.surface().pixel(x, y), qRgb(10, 20, 30));
  cWidget.show();
  EXPECT_EQ(cWidget.grab().toImage().pixel(2, 1) | 0xFF000000u, qRgb(10, 20, 30));
}

TEST(ControlAmbient, ChangeNotifiesEachChangedProperty) {
  Hosted<RecordingControl> cWidget;
  RecordingControl& c = cWidget.control();
  AmbientProperties a;
  c.hostCreateNew(a);
  c.log.clear();
  a.font.name = "Arial";
  a.userMode = false;
  c.setAmbient(a);
  EXPECT_EQ(c.log, QStringList({"AmbientChanged Font", "AmbientChanged UserMode"}));
  EXPECT_FALSE(c.Ambient().userMode);
  c.log.clear();
  c.setAmbient(a);
  EXPECT_TRUE(c.log.isEmpty());
  c.setAmbient(a, "BackColor");
  EXPECT_EQ(c.log, QStringList({"AmbientChanged BackColor"}));
}

TEST(ControlFont, DescriptionBecomesTheWidgetFont) {
  Hosted<RecordingControl> cWidget;
  RecordingControl& c = cWidget.control();
  const FontDesc f{"Verdana", 10.5, 700, true, true, true, 0};
  c.setFont(f);
  EXPECT_DOUBLE_EQ(cWidget.font().pointSizeF(), 10.5);
  EXPECT_TRUE(cWidget.font().bold() && cWidget.font().italic() && cWidget.font().underline() &&
              cWidget.font().strikeOut());
  EXPECT_EQ(FontDesc::fromQFont(f.toQFont()), f);
}

TEST(ControlPointer, ZeroOrAMissingIconLeavesTheCursorToTheContainer) {
  QWidget container;
  auto* w = new Hosted<RecordingControl>(&container);
  RecordingControl* c = &w->control();
  container.setCursor(Qt::CrossCursor);
  c->setMousePointer(3);
  c->setMousePointer(0);
  EXPECT_FALSE(w->testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(w->cursor().shape(), Qt::CrossCursor);
  QImage icon(16, 16, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  c->setMouseIcon(host::Picture::fromIcon(icon));
  c->setMousePointer(host::kPointerCustom);
  EXPECT_EQ(w->cursor().shape(), Qt::BitmapCursor);
  c->setMouseIcon({});
  EXPECT_FALSE(w->testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(c->MousePointer(), host::kPointerCustom);
}

TEST(ControlPointer, UnknownCodeIsAnInvalidPropertyValue) {
  Hosted<RecordingControl> cWidget;
  RecordingControl& c = cWidget.control();
  c.setMousePointer(2);
  for (std::int16_t bad : {-1, 16, 98, 100}) {
    try {
      c.setMousePointer(bad);
      ADD_FAILURE() << bad;
    } catch (const host::RuntimeError& e) {
      EXPECT_EQ(e.number(), host::kErrInvalidPropertyValue);
    }
  }
  EXPECT_EQ(c.MousePointer(), 2);
}

}  // namespace
}  // namespace kelvane::test
