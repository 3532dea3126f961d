// The window as a screen reader reads it, through Qt's accessibility interfaces on a real Form1.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <functional>
#include <set>

#include <KelvaneWidgets/chameleonbutton.h>
#include "app/form1.h"

#include "controls/button/chameleon_button.h"
#include "platform/host/host_accessible.h"
#include "platform/host/stock/stock_progress_bar.h"
#include "tests/support/fake_memory_source.h"
#include "tests/support/recording_services.h"
#include "tests/support/wait.h"

namespace kelvane::app {
namespace {

// Refuses every block, so a run ends at once; counts the asks, so a test sees when a run starts.
class NoBlocks : public mem::BlockAllocator {
 public:
  std::uint32_t GlobalAlloc(std::uint32_t, std::size_t) override {
    ++asked;
    if (onAsk) onAsk();
    return 0;
  }
  void GlobalFree(std::uint32_t) override {}
  int asked = 0;
  std::function<void()> onAsk;
};

class Form1Reader : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Timer1().setEnabled(false);  // the figures below are those of one tick
    form.Refresh();
    form.Show();
    ASSERT_TRUE(test::WaitUntil([&] { return form.window()->isVisible(); }));
  }
  QAccessibleInterface* Of(const char* name, int index = host::layout::kNoIndex) const {
    QObject* o = index == host::layout::kNoIndex && QLatin1String(name) == QLatin1String("Form1")
                     ? form.window()
                     : form.form().find(name, index);
    return o ? QAccessible::queryAccessibleInterface(o) : nullptr;
  }

  test::RecordingServices services;
  test::ScopedServices scoped{services};
  test::FakeMemorySource memory{268435456, 100000000};
  NoBlocks allocator;
  Form1 form{memory, allocator, QLocale::c()};
};

struct Readout {
  const char* control;
  int index;
  QAccessible::Role role;
  const char* name;
  bool seen;  // showing on screen, not out of the client area or hidden
};

const Readout kReadouts[] = {
    {"Form1", -1, QAccessible::Window, "Kelvane", true},
    {"Image1", -1, QAccessible::Graphic, "", true},  // decoration beside the title
    {"Label3", -1, QAccessible::StaticText, "Kelvane", true},
    {"Frame1", -1, QAccessible::Grouping, "Physical Memory", true},
    {"Label2", 0, QAccessible::StaticText, "Total :", true},
    {"Label2", 3, QAccessible::StaticText, "Total : 257.000 MB", true},
    {"Label2", 1, QAccessible::StaticText, "Used :", true},
    {"Label2", 4, QAccessible::StaticText, "Used : 161.200 Mb", true},
    {"Label2", 2, QAccessible::StaticText, "Free :", true},
    {"Label2", 5, QAccessible::StaticText, "Free : 95.80 MB", true},
    {"Label2", 6, QAccessible::StaticText, "Free Memory In Percent", true},
    {"Label2", 7, QAccessible::StaticText, "37 %", true},
    {"ProgressBar1", -1, QAccessible::ProgressBar, "Free Memory In Percent", true},
    {"Command1", -1, QAccessible::Button, "Optimize", true},
    {"chameleonButton1", -1, QAccessible::Button, "End", true},
    {"ProcessIndicator", -1, QAccessible::ProgressBar, "Optimize", false},  // hidden until a run
    // The working copies and the credit lie right of the client area.
    {"lblavailableRAM", -1, QAccessible::StaticText, "95.80 MB", false},
    {"LblMaxPhyicalRam", -1, QAccessible::StaticText, "257.000 MB", false},
    {"Label1", -1, QAccessible::StaticText, "Kelvane developers", false},
    {"ProgressBar2", -1, QAccessible::ProgressBar, "", false},
};

class Form1ReadoutTest : public Form1Reader, public ::testing::WithParamInterface<Readout> {};

TEST_P(Form1ReadoutTest, RoleNameAndWhetherItIsSeen) {
  const Readout& r = GetParam();
  QAccessibleInterface* iface = Of(r.control, r.index);
  ASSERT_NE(iface, nullptr);
  EXPECT_EQ(iface->role(), r.role);
  EXPECT_EQ(iface->text(QAccessible::Name), QString::fromUtf8(r.name));
  EXPECT_EQ(!iface->state().invisible, r.seen);
}

INSTANTIATE_TEST_SUITE_P(Window, Form1ReadoutTest, ::testing::ValuesIn(kReadouts), [](const auto& test) {
  return std::string(test.param.control) + (test.param.index >= 0 ? std::to_string(test.param.index) : "");
});

// Walks the tree from the window: each child names its parent back, and nothing a reader can reach
// is an unnamed filler; the banner's background and the shape are not there at all.
TEST_F(Form1Reader, TreeIsConsistentAndHoldsNoFillers) {
  std::set<QObject*> reached;
  std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
    reached.insert(node->object());
    for (int i = 0; i < node->childCount(); ++i) {
      QAccessibleInterface* child = node->child(i);
      ASSERT_NE(child, nullptr);
      EXPECT_EQ(child->parent(), node) << child->object()->objectName().toStdString();
      EXPECT_EQ(node->indexOfChild(child), i);
      EXPECT_NE(child->role(), QAccessible::Client) << child->object()->objectName().toStdString();
      walk(child);
    }
  };
  walk(Of("Form1"));
  // Decoration, the captions read with their figures, and whatever lies outside the client area.
  const std::pair<const char*, int> leftOut[] = {
      {"Image1", -1},           {"Label2", 0},  {"Label2", 1},       {"Label2", 2}, {"lblavailableRAM", -1},
      {"LblMaxPhyicalRam", -1}, {"Label1", -1}, {"ProgressBar2", -1}};
  EXPECT_EQ(reached.size(), std::size(kReadouts) - std::size(leftOut));
  for (const auto& [name, index] : leftOut)
    EXPECT_FALSE(reached.count(form.form().find(name, index))) << name << index;
  EXPECT_FALSE(reached.count(form.form().find("Picture1")));
  EXPECT_FALSE(reached.count(form.form().find("Shape2", 0)));
}

TEST_F(Form1Reader, BarsReadTheirRangeAndValueAndCannotBeSetOrActedOn) {
  form.ProcessIndicator().setMax(40.0f);
  form.ProcessIndicator().setValue(10.0f);
  struct Bar {
    const char* name;
    double min, max, value;
    const char* text;
  };
  for (const Bar& b : {Bar{"ProgressBar1", 0, 100, 37, "37%"}, Bar{"ProcessIndicator", 0, 40, 10, "25%"}}) {
    SCOPED_TRACE(b.name);
    QAccessibleInterface* iface = Of(b.name);
    QAccessibleValueInterface* v = iface->valueInterface();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->minimumValue().toDouble(), b.min);
    EXPECT_EQ(v->maximumValue().toDouble(), b.max);
    EXPECT_EQ(v->currentValue().toDouble(), b.value);
    EXPECT_EQ(iface->text(QAccessible::Value), b.text);
    v->setCurrentValue(b.max);
    EXPECT_EQ(v->currentValue().toDouble(), b.value) << "a reader cannot move the bar";
    EXPECT_EQ(iface->actionInterface()->actionNames(), QStringList());
  }
}

// Optimize runs for seconds; the reader's Press must come back first.
TEST_F(Form1Reader, PressOnOptimizeReturnsBeforeTheRun) {
  QAccessibleInterface* optimize = Of("Command1");
  optimize->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(allocator.asked, 0) << "the run started inside the Press";
  EXPECT_TRUE(test::WaitUntil([&] { return allocator.asked > 0; })) << "the run never started";
}

// Whatever is outside the reader's tree sends it nothing either: the events ask the same question.
TEST_F(Form1Reader, OnlyWhatIsInTheTreeSpeaks) {
  struct Speaker {
    const char* name;
    int index;
    bool speaks;
  };
  const Speaker speakers[] = {
      {"ProgressBar1", -1, true},      {"Label2", 3, true},         {"Label2", 0, false},
      {"ProcessIndicator", -1, true},  {"ProgressBar2", -1, false}, {"lblavailableRAM", -1, false},
      {"LblMaxPhyicalRam", -1, false}, {"Image1", -1, false},
  };
  for (const Speaker& s : speakers) {
    auto* w = qobject_cast<QWidget*>(form.form().find(s.name, s.index));
    ASSERT_NE(w, nullptr) << s.name;
    EXPECT_EQ(host::InReadersTree(*w), s.speaks) << s.name;
  }
}

TEST_F(Form1Reader, OptimizeSaysWhenItsRunStartsAndWhatItDid) {
  Kelvane::chameleonButton& optimize = form.OptimizeButton();
  EXPECT_EQ(optimize.accessibleDescription(), QString());
  QString during;
  allocator.onAsk = [&] { during = optimize.accessibleDescription(); };
  form.Optimize();
  EXPECT_EQ(during, kRunningDescription);
  ASSERT_TRUE(form.lastRun());
  EXPECT_EQ(optimize.accessibleDescription(), RunSummaryText(*form.lastRun(), QLocale::c()));
  EXPECT_EQ(optimize.toolTip(), optimize.accessibleDescription());
}

}  // namespace
}  // namespace kelvane::app
