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

TEST(KelvaneWidgetsDesigner, WhatTheButtonChangesOnItsOwnIsSavedAndComesBack) {
  const QString pluginDir = QStringLiteral(KELVANE_DESIGNER_PLUGIN_DIR);
  QByteArray saved;
  {  // Designer, until the form is saved; the plugin's widgets after it are a program's
    QCoreApplication::addLibraryPath(QDir(pluginDir).absoluteFilePath(QStringLiteral("..")));
    QDesignerComponents::initializeResources();
    std::unique_ptr<QDesignerFormEditorInterface> core(QDesignerComponents::createFormEditor(nullptr));
    QDesignerComponents::initializePlugins(core.get());
    QDesignerIntegration integration(core.get());
    core->setIntegration(&integration);
    std::unique_ptr<QDesignerFormWindowInterface> form(core->formWindowManager()->createFormWindow(nullptr));
    ASSERT_TRUE(form);
    form->setContents(QString::fromUtf8(kForm));
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

}  // namespace
