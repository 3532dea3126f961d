#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScreen>
#include <functional>

#include "platform/host/errors.h"
#include "platform/host/layout/control_kinds.h"
#include "platform/host/layout/form_loader.h"
#include "platform/host/layout/form_window.h"
#include "platform/host/layout/placement.h"
#include "platform/host/stock/frame.h"
#include "platform/host/stock/label.h"
#include "platform/host/stock/picture_box.h"
#include "platform/host/stock/shape.h"
#include "platform/host/stock/stock_progress_bar.h"
#include "platform/host/stock/timer.h"
#include "recording_control.h"
#include "tests/support/hosted_control.h"

namespace kelvane::host::layout {
namespace {

// A user control that remembers what the loader handed it.
class ProbeControl : public host::Control {
  Q_OBJECT
 public:
  using host::Control::Control;
  PropertyBag bag;
  AmbientProperties ambient;
  const bool madeForLoading = BeingMadeForLoading();  // so its widget leaves out hostCreateNew
  static inline bool failRead = false;

 protected:
  void ReadProperties(const PropertyBag& b) override {
    bag = b;
    ambient = Ambient();
    if (failRead) throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value");
  }
};

const char* const kProbeKind = "TestButton";

class LayoutLoader : public ::testing::Test {
 protected:
  void SetUp() override {
    ProbeControl::failRead = false;
    registerControlKind(kProbeKind, [](QWidget* c) -> QWidget* { return new test::Hosted<ProbeControl>(c); });
  }
  void TearDown() override { unregisterControlKind(kProbeKind); }
};

QJsonObject Font(const char* name, double size) { return {{"name", name}, {"size", size}}; }

QJsonObject Placed(const char* name, const char* kind, int top, int tabIndex) {
  return {{"name", name}, {"kind", kind}, {"container", "Form1"}, {"left", 0},
          {"top", top},   {"width", 300}, {"height", 150},        {"tabIndex", tabIndex}};
}

// A small valid layout: a frame holding an array label, a timer, a bar and a user control.
QJsonObject BaseLayout() {
  const QJsonObject form{{"name", "Form1"},     {"caption", "Test"},       {"clientWidth", 1500},
                         {"clientHeight", 750}, {"backColor", "0xFFFFFF"}, {"font", Font("Verdana", 8.25)},
                         {"fixedSize", true}};
  QJsonObject button = Placed("Button1", kProbeKind, 0, 1);
  button["properties"] = QJsonObject{{"btype", 3}, {"tx", "Go"}, {"enab", true}};
  const QJsonArray controls{
      QJsonObject{{"name", "Frame1"},
                  {"kind", "Frame"},
                  {"container", "Form1"},
                  {"left", 150},
                  {"top", 150},
                  {"width", 900},
                  {"height", 450},
                  {"caption", "Panel"},
                  {"tabIndex", 3}},
      QJsonObject{{"name", "Label2"},
                  {"index", 5},
                  {"kind", "Label"},
                  {"container", "Frame1"},
                  {"left", 15},
                  {"top", 30},
                  {"width", 300},
                  {"height", 195},
                  {"caption", "x"}},
      QJsonObject{{"name", "Timer1"}, {"kind", "Timer"}, {"container", "Form1"}, {"interval", 100}},
      QJsonObject{{"name", "Bar"},
                  {"kind", "ProgressBar"},
                  {"container", "Form1"},
                  {"left", 0},
                  {"top", 600},
                  {"width", 1500},
                  {"height", 150},
                  {"min", 0},
                  {"max", 100}},
      button,
  };
  return {{"form", form}, {"controls", controls}};
}

QByteArray Json(const QJsonObject& o) { return QJsonDocument(o).toJson(); }

// The loader's error message, or "loaded".
std::string LoadError(const QByteArray& json) {
  try {
    loadForm(json);
  } catch (const LayoutError& e) {
    return e.what();
  }
  return "loaded";
}

using Edit = std::function<void(QJsonObject&)>;
constexpr int kForm = -1, kFrame = 0, kLabel = 1, kTimer = 2, kBar = 3, kButton = 4;

// Sets `key` of entry `i` of "controls" (the form when kForm, the button's properties when `props`);
// an undefined value removes it.
Edit Set(int i, const char* key, const QJsonValue& v, bool props = false) {
  return [=](QJsonObject& root) {
    QJsonArray controls = root["controls"].toArray();
    QJsonObject o = i == kForm ? root["form"].toObject() : controls[i].toObject();
    QJsonObject target = props ? o["properties"].toObject() : o;
    if (v.isUndefined())
      target.remove(key);
    else
      target[key] = v;
    if (props)
      o["properties"] = target;
    else
      o = target;
    if (i == kForm)
      root["form"] = o;
    else
      controls[i] = o;
    if (i != kForm) root["controls"] = controls;
  };
}
Edit Remove(int i, const char* key) { return Set(i, key, QJsonValue(QJsonValue::Undefined)); }
Edit Property(const char* key, const QJsonValue& v) { return Set(kButton, key, v, true); }
Edit Append(const QJsonValue& v) {
  return [=](QJsonObject& root) {
    QJsonArray controls = root["controls"].toArray();
    controls.append(v);
    root["controls"] = controls;
  };
}

struct Malformed {
  const char* name;
  Edit edit;
  std::string message;
};

class LayoutMalformed : public LayoutLoader, public ::testing::WithParamInterface<Malformed> {};

TEST_P(LayoutMalformed, NamesTheControlAndTheKey) {
  QJsonObject root = BaseLayout();
  GetParam().edit(root);
  EXPECT_EQ(LoadError(Json(root)), GetParam().message);
}

const QJsonObject kSecondTimer{{"name", "timer1"}, {"kind", "Timer"}, {"container", "Form1"}};
const QJsonObject kSecondLabel{{"name", "Label2"}, {"index", 5}, {"kind", "Label"}, {"container", "Form1"},
                               {"left", 0},        {"top", 0},   {"width", 1},      {"height", 1}};
const QJsonObject kPlainLabel2{{"name", "Label2"}, {"kind", "Label"}, {"container", "Form1"}, {"left", 0},
                               {"top", 0},         {"width", 1},      {"height", 1}};
constexpr const char* kNoContainer =
    R"("container" names no form, frame or picture box stored before this control)";
constexpr const char* kBadColour =
    R"(Frame1: "backColor" must be a colour 0xBBGGRR or a system colour 0x800000NN)";

INSTANTIATE_TEST_SUITE_P(
    Table, LayoutMalformed,
    ::testing::Values(
        Malformed{"TopNotNumber", Set(kLabel, "top", "30"), R"(Label2(5): "top" must be a number)"},
        Malformed{"TopMissing", Remove(kLabel, "top"), R"(Label2(5): "top" is missing)"},
        Malformed{"UnknownKind", Set(kLabel, "kind", "Labell"),
                  R"(Label2(5): "kind" names no known kind of control ("Labell"))"},
        Malformed{"UnknownContainer", Set(kLabel, "container", "Frame9"),
                  std::string("Label2(5): ") + kNoContainer},
        Malformed{"ContainerNotAContainer", Set(kBar, "container", "Timer1"),
                  std::string("Bar: ") + kNoContainer},
        Malformed{"DuplicateName", Append(kSecondTimer),
                  R"(timer1: "name" is already used by another control)"},
        Malformed{"DuplicateIndex", Append(kSecondLabel),
                  R"(Label2(5): "index" is already used by another control)"},
        Malformed{"ArrayWithoutIndex", Append(kPlainLabel2),
                  R"(Label2: "index" is missing, but this name is a control array)"},
        Malformed{"NegativeWidth", Set(kFrame, "width", -15), R"(Frame1: "width" must not be negative)"},
        Malformed{"HugeLeft", Set(kFrame, "left", 1e12),
                  R"(Frame1: "left" must lie within 1000000 twips of the container)"},
        Malformed{"WidthPastLargestSide", Set(kFrame, "width", 122881),
                  R"(Frame1: "width" must be at most 122880 twips (8192 pixels))"},
        Malformed{"HeightOfAMillionTwips", Set(kLabel, "height", 1e6),
                  R"(Label2(5): "height" must be at most 122880 twips (8192 pixels))"},
        Malformed{"ClientWidthPastLargestSide", Set(kForm, "clientWidth", 122881),
                  R"(Form1: "clientWidth" must be a whole number from 0 to 122880)"},
        Malformed{"ClientHeightOfAMillionTwips", Set(kForm, "clientHeight", 1000000),
                  R"(Form1: "clientHeight" must be a whole number from 0 to 122880)"},
        Malformed{"ExtentPastLargestSide", Property("_extentx", 216748),
                  R"(Button1: property "_extentx" must be a whole number from 0 to 216747 (8192 pixels))"},
        Malformed{"ExtentNegative", Property("_ExtentY", -1),
                  R"(Button1: property "_ExtentY" must be a whole number from 0 to 216747 (8192 pixels))"},
        Malformed{"ExtentAsText", Property("_extenty", "5000000"),
                  R"(Button1: property "_extenty" must be a whole number from 0 to 216747 (8192 pixels))"},
        Malformed{"CaptionNotString", Set(kFrame, "caption", 5), R"(Frame1: "caption" must be a string)"},
        Malformed{"UnknownKey", Set(kFrame, "captoin", "x"), R"(Frame1: unknown key "captoin")"},
        Malformed{"VisibleNotBool", Set(kBar, "visible", 0), R"(Bar: "visible" must be true or false)"},
        Malformed{"BadColourName", Set(kFrame, "backColor", "red"), kBadColour},
        Malformed{"BadColourBits", Set(kFrame, "backColor", 0x01000000), kBadColour},
        Malformed{"FontSizeZero", Set(kLabel, "font", Font("Arial", 0)),
                  R"(Label2(5): "font": "size" must be a positive number)"},
        Malformed{"NameMissing", Remove(kTimer, "name"), R"(control 3: "name" is missing)"},
        Malformed{"NameIsForm", Set(kTimer, "name", "form1"), R"(form1: "name" is the form's own name)"},
        Malformed{"IndexNegative", Set(kLabel, "index", -1),
                  R"(Label2: "index" must be a whole number from 0 to 32767)"},
        Malformed{"IntervalTooLong", Set(kTimer, "interval", 70000),
                  R"(Timer1: "interval" must be a whole number from 0 to 65535)"},
        Malformed{"TimerPlaced", Set(kTimer, "left", 0), R"(Timer1: unknown key "left")"},
        Malformed{"BarMaxAtMin", Set(kBar, "max", 0), R"(Bar: "max" must be greater than "min")"},
        Malformed{"BarValueAboveMax", Set(kBar, "value", 101),
                  R"(Bar: "value" must lie from "min" to "max")"},
        Malformed{"PropertyFraction", Property("btype", 3.5),
                  R"(Button1: property "btype" must be a whole number in the 32-bit range)"},
        Malformed{"PropertyTooBig", Property("btype", 4294967296.0),
                  R"(Button1: property "btype" must be a whole number in the 32-bit range)"},
        Malformed{"PropertyNull", Property("tx", QJsonValue::Null),
                  R"(Button1: property "tx" must be a number, true/false, a string, a font or a picture)"},
        Malformed{"PropertyTwiceByCase", Property("BTYPE", 2),
                  R"(Button1: property "btype" is stored twice (keys ignore case))"},
        Malformed{"PropertyBadPictureType",
                  Property("picn", QJsonObject{{"picture", "x.png"}, {"type", "cursor"}}),
                  R"(Button1: property "picn": "type" must be one of "bitmap", "icon")"},
        Malformed{"ControlNotObject", Append(5), R"(control 6: must be an object)"},
        // Control characters from the stored text are escaped: a NUL would end the message early.
        Malformed{"ControlCharactersEscaped",
                  Append(QJsonObject{{"name", QString::fromLatin1("\0T\n", 3)},
                                     {"kind", "Timer"},
                                     {"container", "Form1"},
                                     {"interval", -1}}),
                  R"(\u0000T\u000a: "interval" must be a whole number from 0 to 65535)"},
        Malformed{"ClientWidthMissing", Remove(kForm, "clientWidth"), R"(Form1: "clientWidth" is missing)"},
        Malformed{"FormFontNotObject", Set(kForm, "font", "Verdana"),
                  R"(Form1: "font" must be a font object)"},
        Malformed{"ControlsMissing", [](QJsonObject& r) { r.remove("controls"); },
                  R"(layout: "controls" is missing)"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(LayoutLoader, RejectsWhatIsNotALayoutObject) {
  EXPECT_EQ(LoadError("{\"form\": ").rfind("layout: not valid JSON: ", 0), 0u);
  EXPECT_EQ(LoadError("{nope}").rfind("layout: not valid JSON: ", 0), 0u);
  EXPECT_NE(LoadError("[1, 2]"), "loaded");
  try {
    loadFormFile("/nonexistent/form.json");
    FAIL();
  } catch (const LayoutError& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent/form.json"), std::string::npos) << e.what();
  }
}

TEST_F(LayoutLoader, GivesTypedControlsByNameAndIndex) {
  const LoadedForm form = loadForm(Json(BaseLayout()));
  EXPECT_EQ(form.window()->windowTitle(), "Test");
  EXPECT_EQ(form.window()->size(), QSize(100, 50));
  EXPECT_EQ(form.window()->minimumSize(), form.window()->maximumSize()) << "fixed size";

  auto* frame = form.control<stock::Frame>("Frame1");
  EXPECT_EQ(frame->geometry(), QRect(10, 10, 60, 30));
  EXPECT_EQ(frame->Font().name, "Verdana") << "no stored font: the form's";
  auto* label = form.control<stock::Label>("label2", 5);
  EXPECT_EQ(label->parentWidget(), frame);
  EXPECT_EQ(label->geometry(), QRect(1, 2, 20, 13));

  ASSERT_EQ(form.controls().size(), 5u);
  EXPECT_EQ(form.controls()[1].displayName(), "Label2(5)");
  EXPECT_EQ(form.find("Label2"), nullptr) << "the array needs its index";
  EXPECT_EQ(form.find("Label2", 4), nullptr);
  EXPECT_THROW(form.control<stock::Label>("Label9"), LayoutError);
  try {
    form.control<stock::Label>("Timer1");
    FAIL();
  } catch (const LayoutError& e) {
    EXPECT_STREQ(e.what(), "Timer1: is a kelvane::host::stock::Timer, not a kelvane::host::stock::Label");
  }
}

TEST_F(LayoutLoader, LoadsUserControlsWithAmbientAndTypedProperties) {
  QJsonObject root = BaseLayout();
  Property(
      "font",
      QJsonObject{
          {"font",
           QJsonObject{
               {"name", "Arial"}, {"size", 12}, {"weight", 700}, {"italic", true}, {"charset", 178}}}})(root);
  Property("pich", QJsonObject{{"picture", ":/no/such/picture.png"}, {"type", "icon"}})(root);
  const LoadedForm form = loadForm(Json(root));
  auto* widget = qobject_cast<QWidget*>(form.find("Button1"));
  auto* probe = ControlOf<ProbeControl>(widget);
  ASSERT_NE(probe, nullptr);
  EXPECT_EQ(widget->geometry(), QRect(0, 0, 20, 10));
  EXPECT_TRUE(probe->madeForLoading);
  EXPECT_EQ(probe->ambient.displayName, "Button1");
  EXPECT_EQ(probe->ambient.font.name, "Verdana");
  EXPECT_TRUE(probe->ambient.userMode);
  EXPECT_EQ(probe->bag.ReadFont("font", {}), (FontDesc{"Arial", 12, 700, true, false, false, 178}));
  EXPECT_EQ(probe->bag.ReadString("tx", {}), "Go");
  EXPECT_TRUE(probe->bag.ReadPicture("pich").isNull()) << "a missing resource is an empty picture";
}

TEST_F(LayoutLoader, TakesTheLargestSides) {
  QJsonObject root = BaseLayout();
  Set(kForm, "clientWidth", 122880)(root);
  Set(kBar, "width", 122880)(root);
  Property("_extentx", 216747)(root);
  Property("_extenty", 0)(root);
  const LoadedForm form = loadForm(Json(root));
  EXPECT_EQ(form.window()->width(), 8192);
  EXPECT_EQ(form.control<stock::StockProgressBar>("Bar")->width(), 8192);
}

TEST_F(LayoutLoader, ReportsAUserControlsReadErrorAgainstIt) {
  ProbeControl::failRead = true;
  EXPECT_EQ(LoadError(Json(BaseLayout())), "Button1: Invalid property value");
}

TEST_F(LayoutLoader, FollowsTabIndexNotStoredOrder) {
  QJsonObject root = BaseLayout();
  Append(Placed("Button0", kProbeKind, 300, 0))(root);
  Append(Placed("Button2", kProbeKind, 450, 2))(root);
  const LoadedForm form = loadForm(Json(root));
  auto* b0 = qobject_cast<QWidget*>(form.find("Button0"));
  auto* b1 = qobject_cast<QWidget*>(form.find("Button1"));
  auto* b2 = qobject_cast<QWidget*>(form.find("Button2"));
  EXPECT_EQ(test::NextTabStop(b0), b1);
  EXPECT_EQ(test::NextTabStop(b1), b2);
  EXPECT_EQ(test::NextTabStop(b2), b0);
}

TEST_F(LayoutLoader, HiddenControlsStayHiddenWhenTheWindowShows) {
  QJsonObject root = BaseLayout();
  Set(kBar, "visible", false)(root);
  const LoadedForm form = loadForm(Json(root));
  auto* bar = form.control<stock::StockProgressBar>("Bar");
  form.window()->show();
  EXPECT_FALSE(bar->isVisible());
  EXPECT_TRUE(form.control<stock::Frame>("Frame1")->isVisible());
}

// What a layout leaves out takes the control's own default; what it names (without case) is taken.
// Each row loads a form with one control "C" (none for the form's own rows) and reads back one line.
struct ChoiceRow {
  const char* name;
  QJsonObject form, control;  // added to a bare form and, with a kind, to C's place
  const char* expected;
};

QString Hex(std::int32_t v) { return QString::number(static_cast<std::uint32_t>(v), 16); }

QString Described(const LoadedForm& f) {
  QObject* o = f.find("C");
  auto* w = qobject_cast<QWidget*>(o);
  const QString shown = w && w->isHidden() ? " hidden" : "";
  if (!o) {
    auto* window = static_cast<FormWindow*>(f.window());
    return QString("form '%1' back %2 %3")
        .arg(window->windowTitle(), Hex(window->BackColor()),
             window->minimumSize() == window->maximumSize() ? "fixed" : "sizable");
  }
  if (auto* l = qobject_cast<stock::Label*>(o)) {
    const bool fits = l->size() == stock::TextExtent(l->Caption(), l->QWidget::font());
    return QString("label %1 fore %2 back %3 %4 '%5'%6")
        .arg(l->BackStyle() == stock::BackStyle::Opaque ? "opaque" : "transparent", Hex(l->ForeColor()),
             Hex(l->BackColor()), fits ? "fits" : "placed", l->Caption(), shown);
  }
  if (auto* s = qobject_cast<stock::Shape*>(o))
    return QString("shape %1 fill %2 border %3")
        .arg(s->FillStyle() == stock::FillStyle::Solid ? "solid" : "transparent", Hex(s->FillColor()),
             Hex(s->BorderColor()));
  if (auto* b = qobject_cast<stock::StockProgressBar*>(o))
    return QString("bar %1..%2 at %3%4").arg(b->Min()).arg(b->Max()).arg(b->Value()).arg(shown);
  if (auto* t = qobject_cast<stock::Timer*>(o))
    return QString("timer %1 every %2").arg(t->Enabled() ? "on" : "off").arg(t->Interval());
  if (auto* fr = qobject_cast<stock::Frame*>(o))
    return QString("frame fore %1 back %2 '%3'")
        .arg(Hex(fr->ForeColor()), Hex(fr->BackColor()), fr->Caption());
  if (auto* p = qobject_cast<stock::PictureBox*>(o))
    return QString("box back %1%2").arg(Hex(p->BackColor()), shown);
  return "unknown";
}

class LayoutChoices : public LayoutLoader, public ::testing::WithParamInterface<ChoiceRow> {};

TEST_P(LayoutChoices, DefaultOrStoredValue) {
  QJsonObject form{{"name", "Form1"}, {"clientWidth", 900}, {"clientHeight", 600}};
  for (auto it = GetParam().form.begin(); it != GetParam().form.end(); ++it) form[it.key()] = it.value();
  QJsonArray controls;
  if (!GetParam().control.isEmpty()) {
    QJsonObject c{{"name", "C"}, {"container", "Form1"}};
    const bool placed = GetParam().control["kind"].toString() != "Timer";
    if (placed) c = Placed("C", "", 30, kNoIndex);
    c.remove("tabIndex");
    for (auto it = GetParam().control.begin(); it != GetParam().control.end(); ++it) c[it.key()] = it.value();
    controls.append(c);
  }
  EXPECT_EQ(Described(loadForm(Json({{"form", form}, {"controls", controls}}))), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LayoutChoices,
    ::testing::Values(
        ChoiceRow{"FormBare", {}, {}, "form 'Form1' back 8000000f sizable"},
        ChoiceRow{"FormStored",
                  {{"caption", "K"}, {"backColor", 0xFFFFFF}, {"fixedSize", true}},
                  {},
                  "form 'K' back ffffff fixed"},
        ChoiceRow{"LabelBare", {}, {{"kind", "Label"}}, "label opaque fore 80000012 back 8000000f placed ''"},
        ChoiceRow{"LabelStored",
                  {},
                  {{"kind", "label"},
                   {"backStyle", "Transparent"},
                   {"foreColor", "0x800080"},
                   {"backColor", 255},
                   {"autoSize", true},
                   {"caption", "Free :"},
                   {"visible", false}},
                  "label transparent fore 800080 back ff fits 'Free :' hidden"},
        ChoiceRow{"LabelOpaque",
                  {},
                  {{"kind", "Label"}, {"backStyle", "opaque"}},
                  "label opaque fore 80000012 back 8000000f placed ''"},
        ChoiceRow{"ShapeBare", {}, {{"kind", "Shape"}}, "shape transparent fill 0 border 80000008"},
        ChoiceRow{"ShapeStored",
                  {},
                  {{"kind", "Shape"},
                   {"shape", "Rectangle"},
                   {"fillStyle", "SOLID"},
                   {"fillColor", 0xFAD8CB},
                   {"borderColor", 0xEAACA2}},
                  "shape solid fill fad8cb border eaaca2"},
        ChoiceRow{"TimerBare", {}, {{"kind", "Timer"}}, "timer on every 0"},
        ChoiceRow{"TimerStored",
                  {},
                  {{"kind", "Timer"}, {"enabled", false}, {"interval", 100}},
                  "timer off every 100"},
        ChoiceRow{"BarBare", {}, {{"kind", "ProgressBar"}}, "bar 0..100 at 0"},
        ChoiceRow{"BarValueStartsAtMin",
                  {},
                  {{"kind", "ProgressBar"}, {"min", 10}, {"max", 20}},
                  "bar 10..20 at 10"},
        ChoiceRow{"BarRangeAboveTheDefault",
                  {},
                  {{"kind", "ProgressBar"}, {"min", 200}, {"max", 300}, {"value", 300}, {"visible", false}},
                  "bar 200..300 at 300 hidden"},
        ChoiceRow{"BarNegativeRange",
                  {},
                  {{"kind", "ProgressBar"}, {"min", -50}, {"max", -10}, {"value", -20}},
                  "bar -50..-10 at -20"},
        ChoiceRow{"FrameBare", {}, {{"kind", "Frame"}}, "frame fore 80000012 back 8000000f ''"},
        ChoiceRow{"FrameStored",
                  {},
                  {{"kind", "Frame"}, {"foreColor", 1}, {"backColor", 2}, {"caption", "P"}},
                  "frame fore 1 back 2 'P'"},
        ChoiceRow{"PictureBoxBare", {}, {{"kind", "PictureBox"}}, "box back 8000000f"}),
    [](const auto& test) { return std::string(test.param.name); });

// Graphical controls lie beneath every windowed one of their container, whatever the stored order;
// among themselves, each kind keeps the stored order, the later above.
struct StackRow {
  const char* name;
  std::vector<std::pair<const char*, const char*>> controls;  // name, kind; "in P" puts it in P
  const char* expected;                                       // each container's children, bottom first
};

class LayoutStacking : public LayoutLoader, public ::testing::WithParamInterface<StackRow> {};

TEST_P(LayoutStacking, PutsGraphicalControlsBeneath) {
  QJsonArray controls;
  for (const auto& [name, kind] : GetParam().controls) {
    const QString n(name);
    QJsonObject c = Placed(qPrintable(n.section(QLatin1Char(' '), 0, 0)), kind, 0, kNoIndex);
    c.remove("tabIndex");
    if (n.endsWith(" in P")) c["container"] = "P";
    controls.append(c);
  }
  const QJsonObject form{{"name", "Form1"}, {"clientWidth", 900}, {"clientHeight", 600}};
  const LoadedForm f = loadForm(Json({{"form", form}, {"controls", controls}}));
  QStringList stacks;
  for (QWidget* container : {f.window(), qobject_cast<QWidget*>(f.find("P"))}) {
    if (!container) continue;
    QStringList names;
    for (QObject* child : container->children())
      if (child->isWidgetType()) names << child->objectName();
    stacks << container->objectName() + ": " + names.join(' ');
  }
  EXPECT_EQ(stacks.join("; "), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LayoutStacking,
    ::testing::Values(
        StackRow{"GraphicalBeneathWindowed",
                 {{"A", "ProgressBar"}, {"B", "Label"}, {"C", kProbeKind}, {"D", "Shape"}, {"E", "Image"}},
                 "Form1: B D E A C"},
        StackRow{"EachKindInStoredOrder",
                 {{"A", "Label"}, {"B", "Label"}, {"C", "PictureBox"}, {"D", "Frame"}, {"E", "Shape"}},
                 "Form1: A B E C D"},
        StackRow{"InsideAContainer",
                 {{"P", "PictureBox"},
                  {"Q in P", "ProgressBar"},
                  {"R in P", "Image"},
                  {"S", "Label"},
                  {"T in P", "Label"}},
                 "Form1: S P; P: R T Q"}),
    [](const auto& test) { return std::string(test.param.name); });

struct Rounding {
  double twips;
  int pixels;
};

class LayoutTwipsToPixel : public ::testing::TestWithParam<Rounding> {};

TEST_P(LayoutTwipsToPixel, RoundsToTheNearestPixel) {
  EXPECT_EQ(TwipsToPixel(GetParam().twips), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Table, LayoutTwipsToPixel,
                         ::testing::Values(Rounding{0, 0}, Rounding{7, 0}, Rounding{8, 1}, Rounding{22.5, 2},
                                           Rounding{-8, -1}, Rounding{-22.5, -2}, Rounding{5385, 359},
                                           Rounding{7185, 479}));

TEST(LayoutPlacement, WorksInTwipsAndPlacesUnroundedValuesLate) {
  QWidget window;
  window.setFixedSize(359, 305);
  const TwipsSize outer = OuterSizeTwips(window);
  EXPECT_EQ(outer.width, 5385.0f);
  EXPECT_EQ(outer.height, 4575.0f);
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  const TwipsSize s = ScreenSizeTwips(window);
  EXPECT_EQ(s.width, screen.width() * 15.0f);
  EXPECT_EQ(s.height, screen.height() * 15.0f);
  MoveTwips(window, 1234.5f, -157.5f);  // a screen smaller than the window gives negative places
  EXPECT_EQ(window.pos(), QPoint(82, -11));
}

}  // namespace
}  // namespace kelvane::host::layout

#include "layout_loader_test.moc"
