#include "app/form1.h"

#include <gtest/gtest.h>

#include <KelvaneWidgets/xp_progressbar.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <set>

#include "app/memory_figures.h"
#include "app/window_icon.h"
#include "controls/button/chameleon_button.h"
#include "controls/progressbar/xp_progressbar.h"
#include "platform/host/layout/form_window.h"
#include "platform/host/stock/frame.h"
#include "platform/host/stock/image.h"
#include "platform/host/stock/label.h"
#include "platform/host/stock/picture_box.h"
#include "platform/host/stock/shape.h"
#include "platform/host/stock/stock_progress_bar.h"
#include "platform/host/stock/timer.h"
#include "tests/support/fake_memory_source.h"
#include "tests/support/hosted_control.h"
#include "tests/support/recording_services.h"
#include "tests/support/wait.h"

namespace kelvane::app {
namespace {

// The host control of the window's control `name`.
template <class C>
C* ControlNamed(const Form1& form, const char* name) {
  return host::ControlOf<C>(form.form().control<QWidget>(name));
}

class CountingAllocator : public mem::BlockAllocator {
 public:
  std::uint32_t GlobalAlloc(std::uint32_t, std::size_t) override {
    ++allocs;
    return allocs > limit ? 0 : static_cast<std::uint32_t>(allocs);
  }
  void GlobalFree(std::uint32_t h) override { frees += h != 0; }
  int allocs = 0, frees = 0, limit = 0;
};

const host::FontDesc kFontF{"Verdana", 8.25, 400, false, false, false, 0};

class Form1Test : public ::testing::Test {
 protected:
  test::RecordingServices services;
  test::ScopedServices scoped{services};
  test::FakeMemorySource memory{268435456, 100000000};
  CountingAllocator allocator;
};

QRect GeometryOf(const Form1& form, const char* name, int index = host::layout::kNoIndex) {
  return qobject_cast<QWidget*>(form.form().find(name, index))->geometry();
}

struct Placement {
  const char* name;
  int index;
  QRect pixels;  // in the container's client area
  const char* container = "Form1";
};

class Form1Layout : public Form1Test, public ::testing::WithParamInterface<Placement> {};

TEST_P(Form1Layout, ControlSitsAtItsStoredTwipsInPixels) {
  Form1 form(memory, allocator, QLocale::c());
  const Placement& p = GetParam();
  const QRect r = GeometryOf(form, p.name, p.index);
  EXPECT_EQ(qobject_cast<QWidget*>(form.form().find(p.name, p.index))->parentWidget()->objectName(),
            p.container);
  EXPECT_EQ(r.topLeft(), p.pixels.topLeft()) << p.name;
  if (p.pixels.width() > 0) {
    EXPECT_EQ(r.size(), p.pixels.size()) << p.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, Form1Layout,
    ::testing::Values(
        Placement{"Command1", -1, {19, 199, 93, 26}}, Placement{"chameleonButton1", -1, {274, 274, 76, 26}},
        Placement{"ProcessIndicator", -1, {20, 236, 317, 10}}, Placement{"Picture1", -1, {0, 0, 359, 45}},
        Placement{"Frame1", -1, {18, 54, 323, 134}},
        Placement{"ProgressBar1", -1, {10, 111, 260, 12}, "Frame1"},
        Placement{"Shape2", 0, {0, 46, 358, 221}}, Placement{"Image1", -1, {13, 5, 32, 32}, "Picture1"},
        Placement{"ProgressBar2", -1, {479, 105, 169, 17}},
        // Labels are sized to their text: only their places are fixed.
        Placement{"Label2", 0, {9, 28, 0, 0}, "Frame1"}, Placement{"Label2", 1, {9, 47, 0, 0}, "Frame1"},
        Placement{"Label2", 2, {9, 67, 0, 0}, "Frame1"}, Placement{"Label2", 3, {53, 28, 0, 0}, "Frame1"},
        Placement{"Label2", 4, {53, 47, 0, 0}, "Frame1"}, Placement{"Label2", 5, {53, 66, 0, 0}, "Frame1"},
        Placement{"Label2", 6, {11, 87, 0, 0}, "Frame1"}, Placement{"Label2", 7, {275, 111, 0, 0}, "Frame1"},
        Placement{"Label3", -1, {49, 5, 0, 0}, "Picture1"}, Placement{"lblavailableRAM", -1, {514, 67, 0, 0}},
        Placement{"LblMaxPhyicalRam", -1, {460, 42, 0, 0}}),
    [](const auto& test) {
      return std::string(test.param.name) + (test.param.index >= 0 ? std::to_string(test.param.index) : "");
    });

TEST_F(Form1Test, WindowIsKelvaneWithAFixedWhiteClientArea) {
  Form1 form(memory, allocator, QLocale::c());
  QWidget* w = form.window();
  EXPECT_EQ(w->windowTitle(), "Kelvane");
  EXPECT_EQ(w->size(), QSize(359, 305));
  EXPECT_EQ(w->minimumSize(), w->maximumSize());
  EXPECT_EQ(form.form().icon().widthPixels(), 32);
  EXPECT_EQ(qobject_cast<host::layout::FormWindow*>(w)->BackColor(), 0xFFFFFF);
  EXPECT_EQ(form.form().font(), kFontF);
}

// The window manager picks the size it shows from the window's icon; one given only at 32 px it
// would scale. The 32 px one must stay the picture Image1 shows.
TEST_F(Form1Test, WindowIconCarriesEveryDrawnSizeOnceTheFirstFrameShows) {
  Form1 form(memory, allocator, QLocale::c());
  form.Show();
  EXPECT_EQ(form.window()->windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)}) << "the layout's";
  ASSERT_TRUE(test::WaitUntil([&] { return form.window()->windowIcon().availableSizes().size() > 1; }));
  const QIcon icon = form.window()->windowIcon();
  QList<QSize> expected;
  for (int side : kWindowIconSides) {
    expected << QSize(side, side);
    EXPECT_EQ(QImage(WindowIconResource(side)).size(), QSize(side, side)) << side;
  }
  EXPECT_EQ(icon.availableSizes(), expected);
  EXPECT_EQ(icon.pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32),
            form.form().control<host::stock::Image>("Image1")->Picture().image().convertToFormat(
                QImage::Format_ARGB32));
}

TEST_F(Form1Test, WorkingControlsLieWhollyRightOfTheClientArea) {
  Form1 form(memory, allocator, QLocale::c());
  for (const char* name : {"lblavailableRAM", "LblMaxPhyicalRam", "Label1", "ProgressBar2"}) {
    EXPECT_GE(GeometryOf(form, name).left(), 359) << name;
  }
}

TEST_F(Form1Test, ValueLabelsShowPlaceholdersUntilTheFirstTick) {
  Form1 form(memory, allocator, QLocale::c());
  for (int i : {3, 4, 5, 7}) EXPECT_EQ(form.Label2(i).Caption(), "Total :");
  EXPECT_EQ(form.ProgressBar1().Value(), 0);
  EXPECT_EQ(form.Timer1().Interval(), 100);
  EXPECT_TRUE(form.Timer1().Enabled());
  EXPECT_TRUE(form.ProcessIndicator().isHidden());
}

struct TickTexts {
  const char* name;
  QLocale locale;
  const char *total, *used, *free, *percent;
};

class Form1Tick : public Form1Test, public ::testing::WithParamInterface<TickTexts> {};

TEST_P(Form1Tick, OneTickWritesEveryFigure) {
  const TickTexts& t = GetParam();
  Form1 form(memory, allocator, t.locale);
  form.Refresh();
  EXPECT_EQ(services.pendingEventRuns, 1) << "pending events run once before sampling";
  EXPECT_EQ(memory.sampleCount(), 1);
  EXPECT_EQ(form.Label2(3).Caption(), t.total);
  EXPECT_EQ(form.Label2(4).Caption(), t.used);
  EXPECT_EQ(form.Label2(5).Caption(), t.free);
  EXPECT_EQ(form.Label2(7).Caption(), t.percent);
  EXPECT_EQ(form.LblMaxPhyicalRam().Caption(), t.total);
  EXPECT_EQ(form.lblavailableRAM().Caption(), t.free);
  EXPECT_EQ(form.ProgressBar1().Value(), 37);
  EXPECT_EQ(form.ProgressBar2().Value(), 100.0f);
  EXPECT_TRUE(services.TakeMessages().empty());
}

INSTANTIATE_TEST_SUITE_P(Locales, Form1Tick,
                         ::testing::Values(TickTexts{"Period", QLocale::c(), "257.000 MB", "161.200 Mb",
                                                     "95.80 MB", "37 %"},
                                           TickTexts{"Comma", QLocale(QLocale::German, QLocale::Germany),
                                                     "257,000 MB", "162,000 Mb", "95,80 MB", "36 %"}),
                         [](const auto& test) { return std::string(test.param.name); });

// Each tick shows the figures of its own sample, whichever of the two working texts changed.
TEST_F(Form1Test, LaterTicksFollowTheFreeAndTheTotalFigures) {
  Form1 form(memory, allocator, QLocale::c());
  const std::pair<std::uint64_t, std::uint64_t> samples[] = {
      {268435456, 100000000}, {268435456, 134217728}, {536870912, 134217728}, {536870912, 134217728}};
  for (const auto& [total, avail] : samples) {
    memory.SetFigures(total, avail);
    form.Refresh();
    const ShownFigures expected =
        RefreshFigures(form.LblMaxPhyicalRam().Caption(), form.lblavailableRAM().Caption(), QLocale::c());
    EXPECT_EQ(form.Label2(3).Caption(), expected.total) << total << " " << avail;
    EXPECT_EQ(form.Label2(4).Caption(), expected.used) << total << " " << avail;
    EXPECT_EQ(form.Label2(5).Caption(), expected.free) << total << " " << avail;
    EXPECT_EQ(form.Label2(7).Caption(), expected.percent) << total << " " << avail;
  }
}

TEST_F(Form1Test, ZeroTotalShowsZerosWithoutAnyMessage) {
  memory.SetFigures(0, 0);
  Form1 form(memory, allocator, QLocale::c());
  form.Refresh();
  EXPECT_EQ(form.Label2(3).Caption(), "0.000 MB");
  EXPECT_EQ(form.Label2(4).Caption(), "0.000 Mb");
  EXPECT_EQ(form.Label2(5).Caption(), "0.00 MB");
  EXPECT_EQ(form.Label2(7).Caption(), "0 %");
  EXPECT_EQ(form.ProgressBar1().Value(), 0);
  EXPECT_TRUE(services.TakeMessages().empty());
}

// The running window follows /proc/meminfo: the total exactly, the free figure within the drift
// between two reads.
TEST_F(Form1Test, ShownWindowRefreshesFromProcMeminfo) {
  mem::ProcMeminfoSource real;
  Form1 form(real, allocator, QLocale::c());
  form.Show();
  ASSERT_TRUE(test::WaitUntil([&] { return form.Label2(3).Caption() != "Total :"; }));
  const mem::MemoryStatus now = mem::GlobalMemoryStatus(real);
  const SampledFigures expected = SampleFigures(now.totalPhys, now.availPhys, QLocale::c());
  EXPECT_EQ(form.Label2(3).Caption(), expected.totalText);
  EXPECT_NEAR(LeadingNumber(form.Label2(5).Caption()), expected.free, 64.0);
  EXPECT_NEAR(form.ProgressBar1().Value(), expected.barValue, 1);
}

TEST_F(Form1Test, EndEndsAtOnceWithStatusZero) {
  Form1 form(memory, allocator, QLocale::c());
  auto* end = ControlNamed<controls::chameleonButton>(form, "chameleonButton1");
  try {
    end->hostAccessKeyPress('e');
    FAIL() << "End did not end the program";
  } catch (const test::EndRequested& e) {
    EXPECT_EQ(e.status, 0);
  }
}

TEST_F(Form1Test, OptimizeReservesReleasesAndHidesTheIndicator) {
  allocator.limit = 2 * 3;  // three pairs, the fourth refused
  Form1 form(memory, allocator, QLocale::c());
  auto* optimize = ControlNamed<controls::chameleonButton>(form, "Command1");
  optimize->hostAccessKeyPress('o');
  EXPECT_EQ(allocator.frees, 6);
  EXPECT_EQ(services.pendingEventRuns, 4);
  EXPECT_TRUE(form.ProcessIndicator().isHidden());
  EXPECT_EQ(form.ProcessIndicator().Max(), 4.0f);
  EXPECT_EQ(form.ProcessIndicator().Value(), 3.0f);
}

TEST_F(Form1Test, MalformedLayoutNamesTheControlAndKey) {
  const QString path = QDir::temp().filePath("kelvane_bad_layout.json");
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  QFile good(kForm1Layout);
  Form1 warm(memory, allocator, QLocale::c());  // registers the resources
  ASSERT_TRUE(good.open(QIODevice::ReadOnly));
  QByteArray text = good.readAll();
  text.replace("\"tabIndex\": 17", "\"tabIndex\": \"x\"");
  f.write(text);
  f.close();
  try {
    Form1 form(memory, allocator, QLocale::c(), path);
    FAIL() << "a malformed layout was accepted";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("Command1"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("tabIndex"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace kelvane::app

namespace kelvane::app {
namespace {

// The free-share bar in the window: look 0, frame from the slice table, blocks up to the share.
TEST_F(Form1Test, FreeShareBarPaintsLookZeroBlocksUpToTheShare) {
  memory.SetFigures(1044032ull * 1000, 1044032ull * 500);  // 50 %
  Form1 form(memory, allocator, QLocale::c());
  form.Show();
  form.Refresh();
  controls::Xp_ProgressBar& bar = *ControlNamed<controls::Xp_ProgressBar>(form, "ProgressBar1");
  ASSERT_EQ(form.ProgressBar1().size(), QSize(260, 12));
  EXPECT_EQ(bar.Value(), 50);
  EXPECT_EQ(bar.State().NextBlockX, 134);
  const QImage& img = bar.surface().image();
  EXPECT_EQ(img.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu) << "top-left corner starts white";
  EXPECT_EQ(img.pixel(1, 0) & 0xFFFFFF, 0xADAAA5u);
  EXPECT_EQ(img.pixel(100, 0) & 0xFFFFFF, 0x6B696Bu) << "top edge outline";
  const auto isBlock = [&](int x) { return (img.pixel(x, 6) & 0xFFFFFF) != 0xFFFFFFu; };
  EXPECT_TRUE(isBlock(4));
  EXPECT_TRUE(isBlock(131)) << "the last block, at 124, is 8 pixels wide";
  EXPECT_FALSE(isBlock(132));
  EXPECT_FALSE(isBlock(134)) << "no block beyond half of the bar";
  // Look 0's block colour: green dominates.
  const QRgb block = img.pixel(8, 6);
  EXPECT_GT(qGreen(block), qRed(block) + 60);
  EXPECT_GT(qGreen(block), qBlue(block) + 60);
}

}  // namespace
}  // namespace kelvane::app

namespace kelvane::app {
namespace {

class TerminateProbe : public host::Control {
 public:
  using host::Control::Control;
  int terminated = 0;

 protected:
  void Terminate() override { ++terminated; }
};

// Closing the only window ends the program; its controls hear about it once.
TEST_F(Form1Test, ClosingTheWindowTerminatesItsControlsOnce) {
  Form1 form(memory, allocator, QLocale::c());
  auto* probe = &(new test::Hosted<TerminateProbe>(form.window()))->control();
  form.Show();
  EXPECT_TRUE(form.window()->close());
  form.window()->close();
  EXPECT_EQ(probe->terminated, 1);
}

}  // namespace
}  // namespace kelvane::app

namespace kelvane::app {
namespace {

using namespace host::stock;

TEST_F(Form1Test, StoresEveryControlInOrder) {
  Form1 form(memory, allocator, QLocale::c());
  QStringList names;
  for (const host::layout::LoadedControl& c : form.form().controls()) names << c.displayName();
  EXPECT_EQ(names,
            (QStringList{"Command1",  "ProcessIndicator", "Picture1",         "Image1",    "Label3",
                         "Frame1",    "ProgressBar1",     "Label2(7)",        "Label2(6)", "Label2(5)",
                         "Label2(4)", "Label2(3)",        "Label2(2)",        "Label2(1)", "Label2(0)",
                         "Timer1",    "ProgressBar2",     "chameleonButton1", "Shape2(0)", "lblavailableRAM",
                         "Label1",    "LblMaxPhyicalRam"}));
}

TEST_F(Form1Test, Label2sAreTransparentAndSizedToTheirCaptions) {
  Form1 form(memory, allocator, QLocale::c());
  const std::pair<int, const char*> table[] = {{0, "Total :"},
                                               {1, "Used :"},
                                               {2, "Free :"},
                                               {3, "Total :"},
                                               {4, "Total :"},
                                               {5, "Total :"},
                                               {6, "Free Memory In Percent"},
                                               {7, "Total :"}};
  for (const auto& [index, caption] : table) {
    Label& label = form.Label2(index);
    EXPECT_EQ(label.Caption(), caption) << index;
    EXPECT_EQ(label.Font(), kFontF) << index;
    EXPECT_TRUE(label.AutoSize()) << index;
    EXPECT_EQ(label.BackStyle(), BackStyle::Transparent) << index;
    EXPECT_EQ(label.size(), TextExtent(caption, kFontF.toQFont())) << index;
  }
}

TEST_F(Form1Test, StockControlsKeepTheirStoredLook) {
  Form1 form(memory, allocator, QLocale::c());
  const host::layout::LoadedForm& f = form.form();
  auto* title = f.control<Label>("Label3");
  EXPECT_EQ(title->Caption(), "Kelvane");
  EXPECT_EQ(title->Font(), (host::FontDesc{"Arial", 18, 700, false, false, false, 178}));
  EXPECT_EQ(title->BackStyle(), BackStyle::Transparent);
  EXPECT_EQ(f.control<PictureBox>("Picture1")->BackColor(), 0xFFFFFF);
  EXPECT_EQ(f.control<Image>("Image1")->Picture().widthPixels(), 32);
  for (const char* name : {"lblavailableRAM", "LblMaxPhyicalRam"}) {
    EXPECT_EQ(f.control<Label>(name)->ForeColor(), 0x800080) << name;
    EXPECT_EQ(f.control<Label>(name)->Font(), kFontF) << name;
  }
  EXPECT_FALSE(f.control<Label>("Label1")->Caption().isEmpty());
  auto* frame = f.control<Frame>("Frame1");
  EXPECT_EQ(frame->Caption(), "Physical Memory");
  EXPECT_EQ(frame->BackColor(), 0xFAD8CB);
  EXPECT_EQ(frame->Font(), kFontF);
  auto* shape = f.control<Shape>("Shape2", 0);
  EXPECT_EQ(shape->FillStyle(), FillStyle::Solid);
  EXPECT_EQ(shape->FillColor(), 0xFAD8CB);
  EXPECT_EQ(shape->BorderColor(), 0xEAACA2);
  EXPECT_TRUE(shape->testAttribute(Qt::WA_TransparentForMouseEvents));
  EXPECT_TRUE(form.ProgressBar2().Visible());
  for (StockProgressBar* bar : {&form.ProcessIndicator(), &form.ProgressBar2()}) {
    EXPECT_EQ(bar->Min(), 0.0f);
    EXPECT_EQ(bar->Max(), 100.0f);
  }
}

struct StoredButton {
  const char* name;
  const char* caption;
  int pictureSide;  // of the normal picture; 0 for none
};

class Form1Buttons : public Form1Test, public ::testing::WithParamInterface<StoredButton> {};

TEST_P(Form1Buttons, TakeTheirStoredProperties) {
  Form1 form(memory, allocator, QLocale::c());
  const StoredButton& b = GetParam();
  const auto* button = ControlNamed<controls::chameleonButton>(form, b.name);
  EXPECT_EQ(button->Caption(), b.caption);
  EXPECT_EQ(button->ButtonType(), 3);
  EXPECT_EQ(button->ColorScheme(), 2);
  EXPECT_EQ(button->Font(), kFontF);
  EXPECT_EQ(button->MousePointer(), 1);
  EXPECT_TRUE(button->Enabled() && button->ShowFocusRect() && button->UseMaskColor());
  EXPECT_FALSE(button->SoftBevel() || button->UseGreyscale() || button->HandPointer() ||
               button->CheckBoxBehaviour() || button->Value());
  for (std::int32_t colour : {button->BackColor(), button->BackOver(), button->MaskColor()})
    EXPECT_EQ(colour, 0xFFFFFF);
  EXPECT_EQ(button->ForeColor(), 0);
  EXPECT_EQ(button->ForeOver(), 0);
  EXPECT_EQ(button->PicturePosition(), 0);
  EXPECT_EQ(button->SpecialEffect(), 0);
  EXPECT_EQ(button->PictureNormal().widthPixels(), b.pictureSide);
  EXPECT_EQ(button->PictureNormal().heightPixels(), b.pictureSide);
  EXPECT_TRUE(button->PictureOver().isNull());
}

INSTANTIATE_TEST_SUITE_P(Stored, Form1Buttons,
                         ::testing::Values(StoredButton{"Command1", "Optimize", 0},
                                           StoredButton{"chameleonButton1", "End", 16}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(Form1Test, GraphicalControlsLieBeneathEveryWindowedOneAndTabMovesBetweenTheButtons) {
  Form1 form(memory, allocator, QLocale::c());
  const host::layout::LoadedForm& f = form.form();
  const auto widget = [&](const char* name) { return qobject_cast<QWidget*>(f.find(name)); };
  std::set<QObject*> graphical;
  for (const host::layout::LoadedControl& c : f.controls())
    if (c.kind == "Label" || c.kind == "Image" || c.kind == "Shape") graphical.insert(c.object.data());
  for (QWidget* holder : {f.window(), widget("Picture1"), widget("Frame1")}) {
    bool seenWindowed = false;
    for (QObject* child : holder->children()) {  // bottom of the stack first
      if (!child->isWidgetType()) continue;
      const bool isGraphical = graphical.count(child) > 0;
      EXPECT_FALSE(isGraphical && seenWindowed)
          << child->objectName().toStdString() << " above a windowed control";
      seenWindowed = seenWindowed || !isGraphical;
    }
  }
  const auto nextTabStop = [](QWidget* from) {
    QWidget* w = from->nextInFocusChain();
    while (w != from && !(w->focusPolicy() & Qt::TabFocus)) w = w->nextInFocusChain();
    return w;
  };
  EXPECT_EQ(nextTabStop(f.window()), widget("Command1"));
  EXPECT_EQ(nextTabStop(widget("Command1")), widget("chameleonButton1"));
  EXPECT_EQ(nextTabStop(widget("chameleonButton1")), widget("Command1")) << "the bars are no Tab stops";

  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(f.window()));
  EXPECT_EQ(QApplication::focusWidget(), widget("Frame1")) << "the figures' group holds the first focus";
  QTest::keyClick(widget("Frame1"), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), widget("Command1")) << "the first Tab";
  widget("Frame1")->setFocus();
  QTest::keyClick(widget("Frame1"), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), widget("chameleonButton1")) << "Shift+Tab from the group";
}

}  // namespace
}  // namespace kelvane::app
