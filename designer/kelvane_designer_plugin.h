#pragma once
// Qt Designer's view of the two controls: the widget box entries, and a button made for a form
// runs in design mode, whose side effects Designer is told of so that the form saves them.
#include <QObject>
#include <QPointer>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace Kelvane::designer {

// One widget box entry: what Designer shows and how it makes the widget.
struct EntryText {
  const char* className;
  const char* includeFile;
  const char* iconPath;
  const char* toolTip;
  const char* whatsThis;
  const char* domXml;
};

class WidgetEntry : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_INTERFACES(QDesignerCustomWidgetInterface)
 public:
  WidgetEntry(const EntryText& text, QWidget* (*create)(QWidget*, QDesignerFormEditorInterface*),
              QObject* parent);

  QString name() const override;
  QString group() const override;
  QIcon icon() const override;
  QString toolTip() const override;
  QString whatsThis() const override;
  QString includeFile() const override;
  QString domXml() const override;
  bool isContainer() const override { return false; }
  bool isInitialized() const override { return core_ != nullptr; }
  void initialize(QDesignerFormEditorInterface* core) override;
  QWidget* createWidget(QWidget* parent) override;

 private:
  EntryText text_;
  QWidget* (*create_)(QWidget*, QDesignerFormEditorInterface*);
  QPointer<QDesignerFormEditorInterface> core_;  // Designer's, while it lasts
};

class WidgetCollection : public QObject, public QDesignerCustomWidgetCollectionInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
  Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)
 public:
  explicit WidgetCollection(QObject* parent = nullptr);
  QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return entries_; }

 private:
  QList<QDesignerCustomWidgetInterface*> entries_;
};

}  // namespace Kelvane::designer
