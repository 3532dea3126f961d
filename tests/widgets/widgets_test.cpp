// The controls as another Qt program meets them: the public classes, a .ui form compiled by uic and
// loaded by QUiLoader through the Designer plugin, and the plugin itself.
#include <gtest/gtest.h>

#include <KelvaneWidgets/chameleonbutton.h>
#include <KelvaneWidgets/xp_progressbar.h>
#include <QAccessible>
#include <QFile>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QSignalSpy>
#include <QTest>
#include <QUiLoader>
#include <QVBoxLayout>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <functional>
#include <memory>

#include "ui_form.h"

namespace {

using Kelvane::chameleonButton;
using Kelvane::Xp_ProgressBar;

const QString kPluginDir = QStringLiteral(KELVANE_DESIGNER_PLUGIN_DIR);

QList<QDesignerCustomWidgetInterface*> PluginEntries(QPluginLoader& loader) {
  auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
  return collection ? collection->customWidgets() : QList<QDesignerCustomWidgetInterface*>{};
}

QDesignerCustomWidgetInterface* Entry(QPluginLoader& loader, const QString& name) {
  for (auto* e : PluginEntries(loader)) {
    if (e->name() == name) return e;
  }
  return nullptr;
}

QPluginLoader& Plugin() {
  static QPluginLoader loader(kPluginDir + QStringLiteral("/libkelvanewidgets_designer.so"));
  return loader;
}

std::unique_ptr<QWidget> LoadForm() {
  QUiLoader loader;
  loader.clearPluginPaths();
  loader.addPluginPath(kPluginDir);
  QFile file(QStringLiteral(KELVANE_TEST_FORM));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  std::unique_ptr<QWidget> form(loader.load(&file));
  EXPECT_TRUE(form) << loader.errorString().toStdString();
  return form;
}

// Every property a form can store, read as a form would have written it.
std::map<QString, QVariant> StoredProperties(const QObject& widget) {
  std::map<QString, QVariant> out;
  const QMetaObject* meta = widget.metaObject();
  for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
    const QMetaProperty p = meta->property(i);
    if (!p.isStored()) continue;
    QVariant v = p.read(&widget);
    if (v.canConvert<QPixmap>() && p.metaType() == QMetaType::fromType<QPixmap>()) {
      v = v.value<QPixmap>().toImage();
    }
    out[QString::fromLatin1(p.name())] = v;
  }
  return out;
}

TEST(KelvaneWidgetsPlugin, NamesBothWidgetsInTheirGroupWithTheirSizes) {
  ASSERT_TRUE(Plugin().load()) << Plugin().errorString().toStdString();
  struct Expected {
    const char* name;
    const char* include;
    const char* size;
    QSize made;  // what a widget made in code is, and asks to be
  };
  for (const Expected& e : {Expected{"Kelvane::chameleonButton",
                                     "KelvaneWidgets/chameleonbutton.h",
                                     "<width>93</width><height>26</height>",
                                     {93, 26}},
                            Expected{"Kelvane::Xp_ProgressBar",
                                     "KelvaneWidgets/xp_progressbar.h",
                                     "<width>150</width><height>17</height>",
                                     {150, 17}}}) {
    SCOPED_TRACE(e.name);
    QDesignerCustomWidgetInterface* entry = Entry(Plugin(), QString::fromLatin1(e.name));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->group(), QStringLiteral("Kelvane Widgets"));
    EXPECT_EQ(entry->includeFile(), QString::fromLatin1(e.include));
    EXPECT_FALSE(entry->icon().isNull());
    EXPECT_FALSE(entry->toolTip().isEmpty());
    EXPECT_FALSE(entry->isContainer());
    EXPECT_TRUE(entry->domXml().contains(QString::fromLatin1(e.size)));
    EXPECT_TRUE(entry->domXml().contains(QStringLiteral("class=\"%1\"").arg(entry->name())));
    const std::unique_ptr<QWidget> made(entry->createWidget(nullptr));
    EXPECT_EQ(made->size(), e.made);
    EXPECT_EQ(made->sizeHint(), e.made);
  }
  EXPECT_EQ(PluginEntries(Plugin()).size(), 2);
}

// Designer initialises the plugin before it makes widgets; QUiLoader does not, and its widgets
// belong to a running program.
TEST(KelvaneWidgetsPlugin, DesignTimeRulesHoldOnlyForWhatDesignerMakes) {
  ASSERT_TRUE(Plugin().load());
  QDesignerCustomWidgetInterface* entry = Entry(Plugin(), QStringLiteral("Kelvane::chameleonButton"));
  ASSERT_NE(entry, nullptr);
  QWidget window;
  std::unique_ptr<chameleonButton> program(qobject_cast<chameleonButton*>(entry->createWidget(&window)));
  ASSERT_TRUE(program);
  QDesignerFormEditorInterface core;
  entry->initialize(&core);
  std::unique_ptr<chameleonButton> designed(qobject_cast<chameleonButton*>(entry->createWidget(&window)));
  ASSERT_TRUE(designed);
  chameleonButton coded(&window);
  QCoreApplication::processEvents();  // Designer's widgets design from its loop on

  for (chameleonButton* b : {program.get(), designed.get(), &coded}) {
    QSignalSpy backOver(b, &chameleonButton::BackOverChanged);
    QSignalSpy font(b, &chameleonButton::FontChanged);
    const QColor over = b->BackOver(), foreOver = b->ForeOver();
    b->setBackColor(QColor(0x12, 0x34, 0x56));
    b->setForeColor(QColor(0xAB, 0xCD, 0xEF));
    b->setButtonType(5);
    const bool designing = b == designed.get();
    SCOPED_TRACE(designing ? "designed" : "program");
    EXPECT_EQ(b->userMode(), !designing);
    EXPECT_EQ(b->BackOver(), designing ? QColor(0x12, 0x34, 0x56) : over);
    EXPECT_EQ(b->ForeOver(), designing ? QColor(0xAB, 0xCD, 0xEF) : foreOver);
    EXPECT_EQ(b->FontBold(), designing);
    EXPECT_EQ(backOver.count(), designing ? 1 : 0);
    EXPECT_EQ(font.count(), designing ? 1 : 0);
  }
}

TEST(KelvaneWidgetsForm, UicAndQUiLoaderBuildTheSameWidgetsWithTheFormsProperties) {
  QWidget compiled;
  Ui::WidgetsForm ui;
  ui.setupUi(&compiled);
  const std::unique_ptr<QWidget> loaded = LoadForm();
  ASSERT_TRUE(loaded);

  EXPECT_EQ(ui.optimize->ButtonType(), 3);
  EXPECT_EQ(ui.optimize->Caption(), QStringLiteral("Optimize"));
  EXPECT_EQ(ui.optimize->FontName(), QStringLiteral("Verdana"));
  EXPECT_EQ(ui.optimize->BackColor(), QColor(Qt::white));
  EXPECT_EQ(ui.optimize->BackSystemColor(), chameleonButton::NoSystemColor);
  EXPECT_EQ(ui.system->BackSystemColor(), chameleonButton::Highlight);
  EXPECT_EQ(ui.system->BackColor(), compiled.palette().color(QPalette::Active, QPalette::Highlight));
  EXPECT_EQ(ui.system->BackOverSystemColor(), chameleonButton::NoSystemColor);  // a program's button
  EXPECT_EQ(ui.system->ForeOverSystemColor(), chameleonButton::HighlightText);
  EXPECT_EQ(ui.check->Value(), true);
  EXPECT_EQ(ui.check->MousePointer(), 99);  // the hand
  EXPECT_EQ(ui.blocks->Min(), 50);
  EXPECT_EQ(ui.blocks->Max(), 200);
  EXPECT_EQ(ui.blocks->Value(), 120);
  EXPECT_EQ(ui.marquee->Style(), 1);

  for (const char* name : {"optimize", "system", "check", "blocks", "marquee"}) {
    SCOPED_TRACE(name);
    QWidget* a = compiled.findChild<QWidget*>(QString::fromLatin1(name));
    QWidget* b = loaded->findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(b->metaObject()->className(), a->metaObject()->className());
    EXPECT_EQ(StoredProperties(*a), StoredProperties(*b));
  }
}

TEST(KelvaneWidgetsButton, EveryStoredPropertyIsDesignableAndComesBackAsWritten) {
  chameleonButton b;
  int stored = 0;
  const QMetaObject* meta = b.metaObject();
  for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
    const QMetaProperty p = meta->property(i);
    if (!p.isStored() || !p.isDesignable()) continue;
    ++stored;
    EXPECT_TRUE(p.isWritable()) << p.name();
  }
  EXPECT_EQ(stored, 28);  // 23 stored in the host's layout, and a system-colour twin per colour

  // QWidget's font property reads and writes the font the caption is drawn with.
  QFont serif(QStringLiteral("DejaVu Serif"));
  serif.setPointSize(13);
  b.setProperty("font", serif);
  EXPECT_EQ(b.FontName(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(b.property("font").value<QFont>().family(), QStringLiteral("DejaVu Serif"));
}

TEST(KelvaneWidgetsButton, ClicksValueAndRefusalsReachTheProgram) {
  QWidget window;
  window.resize(200, 100);
  chameleonButton b(&window);
  b.setCheckBoxBehaviour(true);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QSignalSpy click(&b, &chameleonButton::Click), clicked(&b, &chameleonButton::clicked),
      value(&b, &chameleonButton::ValueChanged);
  bool valueToldFirst = false;  // a Click handler reading Value has heard of the change
  QObject::connect(&b, &chameleonButton::Click, [&] { valueToldFirst = value.count() == 1; });
  QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(valueToldFirst);
  EXPECT_EQ(click.count(), 1);
  EXPECT_EQ(clicked.count(), 1);
  ASSERT_EQ(value.count(), 1);
  EXPECT_EQ(value.at(0).at(0).toBool(), true);
  EXPECT_TRUE(b.Value());

  // What the host cannot hold is refused and leaves the property as it was.
  b.setMousePointer(1);
  b.setMousePointer(42);
  EXPECT_EQ(b.MousePointer(), 1);
  b.setFontSize(12);
  b.setFontSize(40000);
  EXPECT_EQ(b.FontSize(), 12);
}

TEST(KelvaneWidgetsButton, SystemColourTwinsReadTheOneStoredColour) {
  chameleonButton b;
  b.setMaskSystemColor(chameleonButton::ButtonFace);
  EXPECT_EQ(b.MaskSystemColor(), chameleonButton::ButtonFace);
  EXPECT_EQ(b.MaskColor(), b.palette().color(QPalette::Active, QPalette::Button));
  b.setMaskColor(QColor(1, 2, 3));
  EXPECT_EQ(b.MaskSystemColor(), chameleonButton::NoSystemColor);
  EXPECT_EQ(b.MaskColor(), QColor(1, 2, 3));
  b.setMaskSystemColor(chameleonButton::NoSystemColor);  // names nothing: the colour stays
  EXPECT_EQ(b.MaskColor(), QColor(1, 2, 3));
}

// Every system colour reads back through each twin; a value outside the table names nothing either.
TEST(KelvaneWidgetsButton, EverySystemColourReadsBackAndOthersChangeNothing) {
  chameleonButton b;
  for (const char* twin : {"BackSystemColor", "BackOverSystemColor", "ForeSystemColor", "ForeOverSystemColor",
                           "MaskSystemColor"}) {
    for (int index = -2; index <= 31; ++index) {
      b.setProperty(twin, int(chameleonButton::Window));
      b.setProperty(twin, index);
      const int expected = index >= 0 && index < 31 ? index : int(chameleonButton::Window);
      EXPECT_EQ(b.property(twin).toInt(), expected) << twin << " " << index;
    }
  }
}

// While designing, a system colour reaches the hover twin as a plain one does, and says so.
TEST(KelvaneWidgetsButton, InDesignModeSystemColoursReachTheHoverTwins) {
  chameleonButton b;
  b.setUserMode(false);
  QSignalSpy backOver(&b, &chameleonButton::BackOverChanged), foreOver(&b, &chameleonButton::ForeOverChanged);
  b.setBackSystemColor(chameleonButton::Highlight);
  b.setForeSystemColor(chameleonButton::HighlightText);
  EXPECT_EQ(b.BackOverSystemColor(), chameleonButton::Highlight);
  EXPECT_EQ(b.ForeOverSystemColor(), chameleonButton::HighlightText);
  EXPECT_EQ(backOver.count(), 1);
  EXPECT_EQ(foreOver.count(), 1);
}

}  // namespace

namespace {

// The transparent style shows what lies behind it: the program's window.
TEST(KelvaneWidgetsButton, TransparentStyleShowsTheWindowBehindIt) {
  QWidget window;
  window.resize(200, 80);
  QPalette red = window.palette();
  red.setColor(QPalette::Window, QColor(200, 0, 0));
  window.setPalette(red);
  window.setAutoFillBackground(true);
  chameleonButton b(&window);
  b.move(20, 20);
  b.setCaption(QString());
  b.setButtonType(11);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QImage shown = b.grab().toImage();
  EXPECT_EQ(QColor(shown.pixel(shown.width() / 2, shown.height() / 2)), QColor(200, 0, 0));
}

}  // namespace

namespace {

// Pictures are ordinary pixmaps: what is set reads back, with its transparency where it had one.
TEST(KelvaneWidgetsButton, PicturesReadBackAsTheyWereSet) {
  QImage opaque(3, 2, QImage::Format_RGB32);
  opaque.fill(QColor(10, 20, 30));
  QImage clear(3, 2, QImage::Format_ARGB32);
  clear.fill(Qt::transparent);
  clear.setPixel(1, 1, qRgba(200, 100, 50, 255));
  chameleonButton b;
  b.setPictureNormal(QPixmap::fromImage(opaque));
  b.setPictureOver(QPixmap::fromImage(clear));
  EXPECT_EQ(b.PictureNormal().toImage().convertToFormat(QImage::Format_RGB32), opaque);
  EXPECT_FALSE(b.PictureNormal().hasAlphaChannel());
  EXPECT_EQ(b.PictureOver().toImage().convertToFormat(QImage::Format_ARGB32), clear);
  b.setPictureNormal(QPixmap());
  EXPECT_TRUE(b.PictureNormal().isNull());
}

}  // namespace

namespace {

// Each control is one widget: what Qt finds at its place, gives the focus to and reads to a screen
// reader is the control itself, with nothing inside it.
struct OneWidgetCase {
  const char* name;
  std::function<QWidget*(QWidget* parent)> make;
  QAccessible::Role role;
};

class OneWidget : public testing::TestWithParam<OneWidgetCase> {};

TEST_P(OneWidget, QtFindsTheControlItself) {
  QWidget window;
  window.resize(200, 60);
  QWidget* control = GetParam().make(&window);
  control->setGeometry(10, 10, 150, 26);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_TRUE(control->findChildren<QWidget*>().isEmpty());
  EXPECT_EQ(window.childAt(QPoint(85, 23)), control);
  control->setFocus();
  EXPECT_EQ(window.focusWidget(), control);
  QAccessibleInterface* form = QAccessible::queryAccessibleInterface(&window);
  ASSERT_NE(form, nullptr);
  ASSERT_EQ(form->childCount(), 1);
  QAccessibleInterface* own = form->child(0);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->object(), control);
  EXPECT_EQ(own->role(), GetParam().role);
  EXPECT_EQ(own->childCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, OneWidget,
    testing::Values(OneWidgetCase{"button",
                                  [](QWidget* parent) -> QWidget* {
                                    auto* b = new chameleonButton(parent);
                                    b->setCaption(QStringLiteral("Go"));
                                    return b;
                                  },
                                  QAccessible::Button},
                    OneWidgetCase{"bar",
                                  [](QWidget* parent) -> QWidget* { return new Xp_ProgressBar(parent); },
                                  QAccessible::ProgressBar}),
    [](const testing::TestParamInfo<OneWidgetCase>& p) { return std::string(p.param.name); });

}  // namespace

namespace {

// The bar hears of its size when it is sized, not when Qt hands a hidden widget its first size at
// show: a Value assigned before the first show is on screen then, however the bar was made or laid
// out, while a real change of size still leaves the empty frame until the next assignment.
struct ShowCase {
  const char* name;
  std::function<Xp_ProgressBar*(QWidget& window)> make;  // a bar with a Value above Min
  std::function<void(Xp_ProgressBar&)> then;             // once the window is shown
  bool blocks;
};

Xp_ProgressBar* InCode(QWidget& window) {
  auto* bar = new Xp_ProgressBar(&window);
  bar->setGeometry(10, 10, 200, 17);
  bar->setValue(40);
  return bar;
}

class FirstShow : public testing::TestWithParam<ShowCase> {};

TEST_P(FirstShow, ShowsWhatWasAssignedUnlessTheSizeChanged) {
  QWidget window;
  window.resize(360, 120);
  Xp_ProgressBar* bar = GetParam().make(window);
  ASSERT_NE(bar, nullptr);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  GetParam().then(*bar);
  const QRgb firstBlock = bar->grab().toImage().pixel(6, bar->height() / 2);  // white when empty
  EXPECT_EQ((firstBlock & 0xFFFFFFu) != 0xFFFFFFu, GetParam().blocks);
}

const auto kNothing = [](Xp_ProgressBar&) {};

INSTANTIATE_TEST_SUITE_P(Forms, FirstShow,
                         testing::Values(ShowCase{"code", InCode, kNothing, true},
                                         ShowCase{"codeAtTheDefaultSize",
                                                  [](QWidget& window) {
                                                    auto* bar = new Xp_ProgressBar(&window);
                                                    bar->setValue(40);
                                                    return bar;
                                                  },
                                                  kNothing, true},
                                         ShowCase{"inALayout",
                                                  [](QWidget& window) {
                                                    auto* bar = new Xp_ProgressBar(&window);
                                                    (new QVBoxLayout(&window))->addWidget(bar);
                                                    bar->setValue(40);
                                                    return bar;
                                                  },
                                                  kNothing, true},
                                         ShowCase{"uic",
                                                  [](QWidget& window) {
                                                    Ui::WidgetsForm ui;
                                                    ui.setupUi(&window);
                                                    return ui.blocks;
                                                  },
                                                  kNothing, true},
                                         ShowCase{"QUiLoader",
                                                  [](QWidget& window) {
                                                    QWidget* form = LoadForm().release();
                                                    form->setParent(&window);
                                                    return form->findChild<Xp_ProgressBar*>(
                                                        QStringLiteral("blocks"));
                                                  },
                                                  kNothing, true},
                                         ShowCase{"hiddenAndShownAgain", InCode,
                                                  [](Xp_ProgressBar& bar) {
                                                    bar.hide();
                                                    bar.show();
                                                  },
                                                  true},
                                         ShowCase{"resizedWhileShown", InCode,
                                                  [](Xp_ProgressBar& bar) { bar.resize(220, 17); }, false},
                                         ShowCase{"resizedWhileHidden", InCode,
                                                  [](Xp_ProgressBar& bar) {
                                                    bar.hide();
                                                    bar.resize(220, 17);
                                                    bar.show();
                                                  },
                                                  false},
                                         ShowCase{"resizedThenAssigned", InCode,
                                                  [](Xp_ProgressBar& bar) {
                                                    bar.resize(220, 17);
                                                    bar.setValue(41);
                                                  },
                                                  true}),
                         [](const testing::TestParamInfo<ShowCase>& p) { return std::string(p.param.name); });

}  // namespace
