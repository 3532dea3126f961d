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
#include "recording_control.h"

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
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Form1Layout : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const char* kind : {"chameleonButton", "Xp_ProgressBar"})
      registerControlKind(kind, [](QWidget* c) { return std::make_unique<StandIn>(c); });
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
  // By display name: "Command1" or "Label2(3)".
  QWidget* widget(const QString& shown) const {
    for (const LoadedControl& c : form_->controls())
      if (c.displayName() == shown) return qobject_cast<QWidget*>(form_->find(c.name, c.index));
    return nullptr;
  }
  template <class T>
  T* control(const QString& shown) const { return dynamic_cast<T*>(widget(shown)); }
  std::unique_ptr<LoadedForm> form_;
};

TEST_F(Form1Layout, StoresEveryControlInOrderInTheFixedWhiteWindow) {
  const QStringList expected{
      "Command1",  "ProcessIndicator", "Picture1",  "Image1",    "Label3",       "Frame1",
      "ProgressBar1", "Label2(7)",     "Label2(6)", "Label2(5)", "Label2(4)",    "Label2(3)",
      "Label2(2)", "Label2(1)",        "Label2(0)", "Timer1",    "ProgressBar2", "chameleonButton1",
      "Shape2(0)", "lblavailableRAM",  "Label1",    "LblMaxPhyicalRam"};
  QStringList names;
  for (const LoadedControl& c : form_->controls()) names << c.displayName();
  EXPECT_EQ(names, expected);

  auto* window = qobject_cast<FormWindow*>(form_->window());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Kelvane");
  EXPECT_EQ(window->size(), QSize(kClientWidth, 305));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_EQ(window->BackColor(), 0xFFFFFF);
  EXPECT_EQ(form_->font(), kFontF);
  EXPECT_TRUE(form_->icon().isNull()) << "the application's icon is not linked into this test";
}

TEST_F(Form1Layout, TwipsBecomePixelsInTheirContainer) {
  const std::vector<std::tuple<const char*, const char*, QRect>> table{
      {"Command1", "Form1", {19, 199, 93, 26}},        {"ProcessIndicator", "Form1", {20, 236, 317, 10}},
      {"Picture1", "Form1", {0, 0, 359, 45}},          {"Image1", "Picture1", {13, 5, 32, 32}},
      {"Frame1", "Form1", {18, 54, 323, 134}},         {"ProgressBar1", "Frame1", {10, 111, 260, 12}},
      {"ProgressBar2", "Form1", {479, 105, 169, 17}},  {"chameleonButton1", "Form1", {274, 274, 76, 26}},
      {"Shape2(0)", "Form1", {0, 46, 358, 221}},       {"Label3", "Picture1", {49, 5, 0, 0}},
      {"lblavailableRAM", "Form1", {514, 67, 0, 0}},   {"LblMaxPhyicalRam", "Form1", {460, 42, 0, 0}}};
  for (const auto& [name, container, pixels] : table) {
    QWidget* w = widget(name);
    ASSERT_NE(w, nullptr) << name;
    EXPECT_EQ(w->parentWidget()->objectName(), container) << name;
    EXPECT_EQ(pixels.isEmpty() ? QRect(w->pos(), pixels.size()) : w->geometry(), pixels) << name;  // empty: place only
  }
  // The hidden controls lie wholly right of the client area.
  for (const char* name : {"lblavailableRAM", "LblMaxPhyicalRam", "Label1", "ProgressBar2"})
    EXPECT_GE(widget(name)->geometry().left(), kClientWidth) << name;
}

TEST_F(Form1Layout, Label2sSitInFrame1SizedToTheirTextInFontF) {
  const std::vector<std::tuple<int, QPoint, const char*>> table{
      {7, {275, 111}, "Total :"}, {6, {11, 87}, "Free Memory In Percent"}, {5, {53, 66}, "Total :"},
      {4, {53, 47}, "Total :"},   {3, {53, 28}, "Total :"},  {2, {9, 67}, "Free :"},
      {1, {9, 47}, "Used :"},     {0, {9, 28}, "Total :"}};
  for (const auto& [index, pos, caption] : table) {
    auto* label = form_->control<Label>("Label2", index);
    EXPECT_EQ(label->parentWidget(), form_->control<Frame>("Frame1")) << index;
    EXPECT_EQ(label->pos(), pos) << index;
    EXPECT_EQ(label->Caption(), caption) << index;
    EXPECT_EQ(label->Font(), kFontF) << index;
    EXPECT_TRUE(label->AutoSize()) << index;
    EXPECT_EQ(label->BackStyle(), BackStyle::Transparent) << index;
    EXPECT_EQ(label->size(), TextExtent(caption, kFontF.toQFont())) << index;
  }
}

TEST_F(Form1Layout, StockControlsKeepTheirStoredLook) {
  auto* title = form_->control<Label>("Label3");
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
  EXPECT_FALSE(form_->control<Label>("Label1")->Caption().isEmpty());

  auto* frame = form_->control<Frame>("Frame1");
  EXPECT_EQ(frame->Caption(), "Physical Memory");
  EXPECT_EQ(frame->BackColor(), 0xFAD8CB);
  EXPECT_EQ(frame->Font(), form_->font());
  auto* shape = form_->control<Shape>("Shape2", 0);
  EXPECT_EQ(shape->FillStyle(), FillStyle::Solid);
  EXPECT_EQ(shape->FillColor(), 0xFAD8CB);
  EXPECT_EQ(shape->BorderColor(), 0xEAACA2);

  EXPECT_FALSE(form_->control<StockProgressBar>("ProcessIndicator")->Visible());
  EXPECT_TRUE(form_->control<StockProgressBar>("ProgressBar2")->Visible());
  for (const char* name : {"ProcessIndicator", "ProgressBar2"}) {
    EXPECT_EQ(form_->control<StockProgressBar>(name)->Min(), 0.0f) << name;
    EXPECT_EQ(form_->control<StockProgressBar>(name)->Max(), 100.0f) << name;
  }
  EXPECT_EQ(form_->control<Timer>("Timer1")->Interval(), 100);
  EXPECT_TRUE(form_->control<Timer>("Timer1")->Enabled());
}

TEST_F(Form1Layout, GraphicalControlsLieBeneathEveryWindowedOne) {
  const std::set<QString> graphical{"Image1", "Label3", "Shape2(0)", "lblavailableRAM", "Label1", "LblMaxPhyicalRam",
                                    "Label2(0)", "Label2(1)", "Label2(2)", "Label2(3)", "Label2(4)", "Label2(5)",
                                    "Label2(6)", "Label2(7)"};
  for (QWidget* holder : {form_->window(), widget("Picture1"), widget("Frame1")}) {
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
  EXPECT_LT(top.indexOf(widget("Shape2(0)")), top.indexOf(widget("Frame1")));
  EXPECT_LT(top.indexOf(widget("Shape2(0)")), top.indexOf(widget("Command1")));
  EXPECT_TRUE(widget("Shape2(0)")->testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST_F(Form1Layout, TabFollowsTabIndex) {
  EXPECT_EQ(test::NextTabStop(widget("ProgressBar1")), widget("Command1"));
  EXPECT_EQ(test::NextTabStop(widget("Command1")), widget("chameleonButton1"));
  EXPECT_EQ(test::NextTabStop(widget("chameleonButton1")), widget("ProgressBar1"));
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
  auto bagOf = [this](const char* name) { return control<StandIn>(name)->bag.entries(); };
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
