// What a form's author does in Qt Designer, in process: a button placed on a form, its BackColor and
// ButtonType set in the property editor's way, the form saved, and the saved form loaded back.
#include <gtest/gtest.h>

#include <KelvaneWidgets/chameleonbutton.h>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QUiLoader>
#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerWidgetFactoryInterface>
#include <memory>

namespace {

using Kelvane::chameleonButton;

constexpr char kForm[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Form</class>
 <widget class="QWidget" name="Form">
  <property name="geometry"><rect><x>0</x><y>0</y><width>200</width><height>60</height></rect></property>
  <widget class="Kelvane::chameleonButton" name="button">
   <property name="geometry"><rect><x>10</x><y>10</y><width>93</width><height>26</height></rect></property>
  </widget>
 </widget>
 <customwidgets>
  <customwidget>
   <class>Kelvane::chameleonButton</class>
   <extends>QWidget</extends>
   <header>KelvaneWidgets/chameleonbutton.h</header>
  </customwidget>
 </customwidgets>
</ui>)";

// Designer in process, with the plugin from the build.
struct Designer {
  Designer() {
    QDesignerComponents::initializePlugins(core.get());
    core->setIntegration(&integration);
  }
  std::unique_ptr<QDesignerFormWindowInterface> Open(const QString& contents) {
    std::unique_ptr<QDesignerFormWindowInterface> form(core->formWindowManager()->createFormWindow(nullptr));
    form->setContents(contents);
    QCoreApplication::processEvents();  // Designer's own loop would run before the first edit
    return form;
  }
  static bool Prepare() {
    QCoreApplication::addLibraryPath(
        QDir(QStringLiteral(KELVANE_DESIGNER_PLUGIN_DIR)).absoluteFilePath(QStringLiteral("..")));
    QDesignerComponents::initializeResources();
    return true;
  }
  const bool prepared = Prepare();  // before the editor is made: it looks for plugins then
  std::unique_ptr<QDesignerFormEditorInterface> core{QDesignerComponents::createFormEditor(nullptr)};
  QDesignerIntegration integration{core.get()};
};

TEST(KelvaneWidgetsDesigner, WhatTheButtonChangesOnItsOwnIsSavedAndComesBack) {
  const QString pluginDir = QStringLiteral(KELVANE_DESIGNER_PLUGIN_DIR);
  QByteArray saved;
  {  // Designer, until the form is saved; the plugin's widgets after it are a program's
    Designer designer;
    const auto form = designer.Open(QString::fromUtf8(kForm));
    ASSERT_TRUE(form);
    auto* designed = form->mainContainer()->findChild<chameleonButton*>(QStringLiteral("button"));
    ASSERT_NE(designed, nullptr);
    EXPECT_FALSE(designed->userMode());

    form->cursor()->setWidgetProperty(designed, QStringLiteral("BackColor"), QColor(0x12, 0x34, 0x56));
    form->cursor()->setWidgetProperty(designed, QStringLiteral("ButtonType"), 5);
    EXPECT_EQ(designed->BackOver(), QColor(0x12, 0x34, 0x56));
    EXPECT_TRUE(designed->FontBold());
    saved = form->contents().toUtf8();
  }

  QUiLoader loader;
  loader.clearPluginPaths();
  loader.addPluginPath(pluginDir);
  QBuffer buffer;
  buffer.setData(saved);
  std::unique_ptr<QWidget> loaded(loader.load(&buffer));
  ASSERT_TRUE(loaded) << saved.toStdString();
  auto* running = loaded->findChild<chameleonButton*>(QStringLiteral("button"));
  ASSERT_NE(running, nullptr) << saved.toStdString();
  EXPECT_TRUE(running->userMode());
  EXPECT_EQ(running->ButtonType(), 5);
  EXPECT_EQ(running->BackColor(), QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(running->BackOver(), QColor(0x12, 0x34, 0x56)) << saved.toStdString();
  EXPECT_TRUE(running->FontBold()) << saved.toStdString();
}

// Opening a form is no edit: a style-5 button whose author made the font regular again stays
// regular, and the form saves as it was read, whichever property the form lists first.
class OpeningAForm : public testing::TestWithParam<bool> {};

TEST_P(OpeningAForm, ChangesNothingInIt) {
  const QString type = QStringLiteral("   <property name=\"ButtonType\"><number>5</number></property>\n");
  const QString font = QStringLiteral(
      "   <property name=\"Font\"><font><pointsize>11</pointsize><bold>false</bold></font></property>\n");
  QString form = QString::fromUtf8(kForm);
  form.replace(QStringLiteral("</rect></property>\n  </widget>"),
               QStringLiteral("</rect></property>\n") + (GetParam() ? font + type : type + font) +
                   QStringLiteral("  </widget>"));
  ASSERT_TRUE(form.contains(QStringLiteral("<bold>false</bold>")));
  Designer designer;
  const auto opened = designer.Open(form);
  auto* button = opened->mainContainer()->findChild<chameleonButton*>(QStringLiteral("button"));
  ASSERT_NE(button, nullptr);
  EXPECT_FALSE(button->FontBold());
  EXPECT_EQ(button->FontSize(), 11);
  EXPECT_EQ(button->ButtonType(), 5);
  EXPECT_TRUE(opened->contents().contains(QStringLiteral("<bold>false</bold>")))
      << opened->contents().toStdString();
}

INSTANTIATE_TEST_SUITE_P(PropertyOrder, OpeningAForm, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& p) {
                           return p.param ? "FontFirst" : "TypeFirst";
                         });

}  // namespace

namespace {

// A button dropped from the widget box is captioned with its name and follows each new name, until
// its author gives it a caption of their own.
TEST(KelvaneWidgetsDesigner, ANewButtonIsCaptionedWithItsName) {
  Designer designer;
  const auto form = designer.Open(QString::fromUtf8(kForm));
  auto* dropped = qobject_cast<chameleonButton*>(designer.core->widgetFactory()->createWidget(
      QStringLiteral("Kelvane::chameleonButton"), form->mainContainer()));
  ASSERT_NE(dropped, nullptr);
  dropped->setCaption(QStringLiteral("chameleonButton"));  // the widget box's entry
  for (const char* name : {"chameleonButton_2", "okButton"}) {
    dropped->setObjectName(QString::fromLatin1(name));
    EXPECT_EQ(dropped->Caption(), QString::fromLatin1(name));
  }
  dropped->setCaption(QStringLiteral("&OK"));
  dropped->setObjectName(QStringLiteral("acceptButton"));
  EXPECT_EQ(dropped->Caption(), QStringLiteral("&OK"));
}

}  // namespace
