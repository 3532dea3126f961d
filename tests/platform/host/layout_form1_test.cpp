#include <gtest/gtest.h>

#include <QFile>
#include <set>

#include "platform/host/layout/control_kinds.h"
#include "platform/host/layout/form_loader.h"
#include "platform/host/layout/form_window.h"
#include "platform/host/stock/frame.h"
#include "platform/host/stock/image.h"
#include "platform/host/stock/label.h"
#include "platform/host/stock/picture_box.h"
#include "platform/host/stock/shape.h"
#include "platform/host/stock/stock_progress_bar.h"
#include "platform/host/stock/timer.h"

namespace kelvane::host::layout {
namespace {

using namespace kelvane::host::stock;

// Stands in for the two user controls, keeping the bag it was loaded from.
class StandIn : public host::Control {
 public:
  using host::Control::Control;
  PropertyBag bag;

 protected:
  void ReadProperties(const PropertyBag& b) override { bag = b; }
};

const FontDesc kFontF{"Verdana", 8.25, 400, false, false, false, 0};
constexpr int kClientWidth = 359;

QByteArray Form1Json() {
  QFile file(QStringLiteral(KELVANE_SOURCE_DIR "/app/layout/form1.json"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

class Form1Layout : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const char* kind : {"chameleonButton", "Xp_ProgressBar"}) {
      registerControlKind(kind, [](QWidget* c) { return std::make_unique<StandIn>(c); });
    }
  }
  static void TearDownTestSuite() {
    unregisterControlKind("chameleonButton");
    unregisterControlKind("Xp_ProgressBar");
  }
  void SetUp() override {
    const QByteArray json = Form1Json();
    ASSERT_FALSE(json.isEmpty()) << "form1.json not found under " KELVANE_SOURCE_DIR;
    // Its pictures are resources of the application, absent here: they must load as empty pictures.
    form_ = std::make_unique<LoadedForm>(loadForm(json));
  }
  QWidget* widget(const char* name, int index = kNoIndex) const {
    return qobject_cast<QWidget*>(form_->find(name, index));
  }
  std::unique_ptr<LoadedForm> form_;
};

TEST_F(Form1Layout, StoresEveryControlInOrder) {
  const std::vector<QString> expected{
      "Command1",  "ProcessIndicator", "Picture1",  "Image1",    "Label3",       "Frame1",
      "ProgressBar1", "Label2(7)",     "Label2(6)", "Label2(5)", "Label2(4)",    "Label2(3)",
      "Label2(2)", "Label2(1)",        "Label2(0)", "Timer1",    "ProgressBar2", "chameleonButton1",
      "Shape2(0)", "lblavailableRAM",  "Label1",    "LblMaxPhyicalRam"};
  std::vector<QString> names;
  for (const LoadedControl& c : form_->controls()) names.push_back(c.displayName());
  EXPECT_EQ(names, expected);
}

TEST_F(Form1Layout, WindowIsTheFixedWhiteClientArea) {
  auto* window = qobject_cast<FormWindow*>(form_->window());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Kelvane");
  EXPECT_EQ(window->size(), QSize(kClientWidth, 305));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_EQ(window->BackColor(), 0xFFFFFF);
  EXPECT_EQ(form_->font(), kFontF);
  EXPECT_TRUE(form_->icon().isNull()) << "the application's icon is not linked into this test";
}

struct Placed {
  const char* name;
  int index;
  const char* container;
  QRect pixels;
};

class Form1Geometry : public Form1Layout, public ::testing::WithParamInterface<Placed> {};

TEST_P(Form1Geometry, TwipsBecomePixelsInTheirContainer) {
  const Placed& p = GetParam();
  QWidget* w = widget(p.name, p.index);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->parentWidget()->objectName(), p.container);
  EXPECT_EQ(w->geometry(), p.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Form1Geometry,
    ::testing::Values(Placed{"Command1", kNoIndex, "Form1", {19, 199, 93, 26}},
                      Placed{"ProcessIndicator", kNoIndex, "Form1", {20, 236, 317, 10}},
                      Placed{"Picture1", kNoIndex, "Form1", {0, 0, 359, 45}},
                      Placed{"Image1", kNoIndex, "Picture1", {13, 5, 32, 32}},
                      Placed{"Frame1", kNoIndex, "Form1", {18, 54, 323, 134}},
                      Placed{"ProgressBar1", kNoIndex, "Frame1", {10, 111, 260, 12}},
                      Placed{"ProgressBar2", kNoIndex, "Form1", {479, 105, 169, 17}},
                      Placed{"chameleonButton1", kNoIndex, "Form1", {274, 274, 76, 26}},
                      Placed{"Shape2", 0, "Form1", {0, 46, 358, 221}}),
    [](const auto& info) { return std::string(info.param.name); });

struct LabelRow {
  int index;
  QPoint pos;
  const char* caption;
};

class Form1Labels : public Form1Layout, public ::testing::WithParamInterface<LabelRow> {};

TEST_P(Form1Labels, SitInFrame1SizedToTheirTextInFontF) {
  const LabelRow& row = GetParam();
  auto* label = form_->control<Label>("Label2", row.index);
  EXPECT_EQ(label->parentWidget(), form_->control<Frame>("Frame1"));
  EXPECT_EQ(label->pos(), row.pos);
  EXPECT_EQ(label->Caption(), row.caption);
  EXPECT_EQ(label->Font(), kFontF);
  EXPECT_TRUE(label->AutoSize());
  EXPECT_EQ(label->BackStyle(), BackStyle::Transparent);
  EXPECT_EQ(label->size(), TextExtent(row.caption, kFontF.toQFont()));
}

INSTANTIATE_TEST_SUITE_P(Table, Form1Labels,
                         ::testing::Values(LabelRow{7, {275, 111}, "Total :"},
                                           LabelRow{6, {11, 87}, "Free Memory In Percent"},
                                           LabelRow{5, {53, 66}, "Total :"}, LabelRow{4, {53, 47}, "Total :"},
                                           LabelRow{3, {53, 28}, "Total :"}, LabelRow{2, {9, 67}, "Free :"},
                                           LabelRow{1, {9, 47}, "Used :"}, LabelRow{0, {9, 28}, "Total :"}));

TEST_F(Form1Layout, BannerAndWorkingLabels) {
  auto* title = form_->control<Label>("Label3");
  EXPECT_EQ(title->pos(), QPoint(49, 5));
  EXPECT_EQ(title->Caption(), "Kelvane");
  EXPECT_EQ(title->Font(), (FontDesc{"Arial", 18, 700, false, false, false, 178}));
  EXPECT_EQ(title->BackStyle(), BackStyle::Transparent);
  EXPECT_EQ(form_->control<PictureBox>("Picture1")->BackColor(), 0xFFFFFF);

  for (const char* name : {"lblavailableRAM", "LblMaxPhyicalRam"}) {
    auto* label = form_->control<Label>(name);
    EXPECT_EQ(label->Caption(), "Label2") << name;
    EXPECT_EQ(label->ForeColor(), 0x800080) << name;
    EXPECT_EQ(label->Font(), kFontF) << name << " takes the window's font";
  }
  EXPECT_EQ(form_->control<Label>("lblavailableRAM")->pos(), QPoint(514, 67));
  EXPECT_EQ(form_->control<Label>("LblMaxPhyicalRam")->pos(), QPoint(460, 42));
  EXPECT_FALSE(form_->control<Label>("Label1")->Caption().isEmpty());
}

TEST_F(Form1Layout, HiddenControlsLieWhollyRightOfTheClientArea) {
  for (const char* name : {"lblavailableRAM", "LblMaxPhyicalRam", "Label1", "ProgressBar2"}) {
    EXPECT_GE(widget(name)->geometry().left(), kClientWidth) << name;
  }
}

TEST_F(Form1Layout, PanelColours) {
  auto* frame = form_->control<Frame>("Frame1");
  EXPECT_EQ(frame->Caption(), "Physical Memory");
  EXPECT_EQ(frame->BackColor(), 0xFAD8CB);
  EXPECT_EQ(frame->Font(), form_->font());
  auto* shape = form_->control<Shape>("Shape2", 0);
  EXPECT_EQ(shape->FillStyle(), FillStyle::Solid);
  EXPECT_EQ(shape->FillColor(), 0xFAD8CB);
  EXPECT_EQ(shape->BorderColor(), 0xEAACA2);
}

TEST_F(Form1Layout, StockBarsAndTimer) {
  auto* indicator = form_->control<StockProgressBar>("ProcessIndicator");
  auto* hidden = form_->control<StockProgressBar>("ProgressBar2");
  EXPECT_FALSE(indicator->Visible());
  EXPECT_TRUE(hidden->Visible());
  for (auto* bar : {indicator, hidden}) {
    EXPECT_EQ(bar->Min(), 0.0f);
    EXPECT_EQ(bar->Max(), 100.0f);
  }
  auto* timer = form_->control<Timer>("Timer1");
  EXPECT_EQ(timer->Interval(), 100);
  EXPECT_TRUE(timer->Enabled());
}

TEST_F(Form1Layout, GraphicalControlsLieBeneathEveryWindowedOne) {
  const std::set<QString> graphical{"Image1", "Label3", "Shape2(0)", "lblavailableRAM", "Label1", "LblMaxPhyicalRam",
                                    "Label2(0)", "Label2(1)", "Label2(2)", "Label2(3)", "Label2(4)", "Label2(5)",
                                    "Label2(6)", "Label2(7)"};
  for (const char* container : {"Form1", "Picture1", "Frame1"}) {
    QWidget* holder = QString(container) == "Form1" ? form_->window() : widget(container);
    bool seenWindowed = false;
    // Children run from the bottom of the stacking order to the top.
    for (QObject* child : holder->children()) {
      auto* w = qobject_cast<QWidget*>(child);
      if (!w) continue;
      const bool isGraphical = graphical.count(w->objectName()) > 0;
      EXPECT_FALSE(isGraphical && seenWindowed) << w->objectName().toStdString() << " above a windowed control";
      seenWindowed = seenWindowed || !isGraphical;
    }
  }
  // The panel's shape is stored after Frame1 and Command1 but must not cover them.
  const QObjectList& top = form_->window()->children();
  EXPECT_LT(top.indexOf(widget("Shape2", 0)), top.indexOf(widget("Frame1")));
  EXPECT_LT(top.indexOf(widget("Shape2", 0)), top.indexOf(widget("Command1")));
  EXPECT_TRUE(widget("Shape2", 0)->testAttribute(Qt::WA_TransparentForMouseEvents));
}

// The next widget Tab would reach: the focus chain, skipping what takes no Tab focus.
QWidget* NextTabStop(QWidget* from) {
  for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain()) {
    if (w->focusPolicy() & Qt::TabFocus) return w;
  }
  return from;
}

TEST_F(Form1Layout, TabFollowsTabIndex) {
  EXPECT_EQ(NextTabStop(widget("ProgressBar1")), widget("Command1"));
  EXPECT_EQ(NextTabStop(widget("Command1")), widget("chameleonButton1"));
  EXPECT_EQ(NextTabStop(widget("chameleonButton1")), widget("ProgressBar1"));
}

std::map<QString, PropertyValue> ButtonProperties(const char* caption, int extentX) {
  return {{"_extentx", extentX}, {"_extenty", 688}, {"btype", 3},     {"tx", QString(caption)},
          {"enab", true},        {"font", kFontF},   {"coltype", 2},   {"focusr", true},
          {"bcol", 0xFFFFFF},    {"bcolo", 0xFFFFFF}, {"fcol", 0},     {"fcolo", 0},
          {"mcol", 0xFFFFFF},    {"mptr", 1},        {"umcol", true},  {"soft", false},
          {"picpos", 0},         {"ngrey", false},   {"fx", 0},        {"hand", false},
          {"check", false},      {"value", false}};
}

TEST_F(Form1Layout, UserControlsGetTheirStoredProperties) {
  auto bagOf = [this](const char* name) { return dynamic_cast<StandIn&>(*form_->find(name)).bag.entries(); };
  EXPECT_EQ(bagOf("Command1"), ButtonProperties("Optimize", 2461));
  // Its "picn" names an application resource that is absent here, so nothing is stored for it.
  EXPECT_EQ(bagOf("chameleonButton1"), ButtonProperties("End", 2011));
  const std::map<QString, PropertyValue> bar{{"_extentx", 6879}, {"_extenty", 318}};
  EXPECT_EQ(bagOf("ProgressBar1"), bar);
}

TEST_F(Form1Layout, PicturesComeFromTheApplicationsResources) {
  // Point the resource paths at the files in the source tree to see what the application gets.
  QByteArray json = Form1Json();
  json.replace(":/app/", KELVANE_SOURCE_DIR "/app/resources/");
  const LoadedForm form = loadForm(json);
  EXPECT_EQ(form.icon().widthPixels(), 32);
  EXPECT_EQ(form.icon().heightPixels(), 32);
  EXPECT_EQ(form.control<Image>("Image1")->Picture().widthPixels(), 32);

  const auto& end = dynamic_cast<StandIn&>(*form.find("chameleonButton1")).bag;
  const Picture picn = end.ReadPicture("picn");
  EXPECT_EQ(picn.type(), PictureType::Icon);
  EXPECT_EQ(picn.widthPixels(), 16);
  EXPECT_EQ(picn.heightPixels(), 16);
  EXPECT_FALSE(end.contains("pich"));
  EXPECT_FALSE(dynamic_cast<StandIn&>(*form.find("Command1")).bag.contains("picn"));
}

}  // namespace
}  // namespace kelvane::host::layout
