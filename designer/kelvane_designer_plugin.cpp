#include "kelvane_designer_plugin.h"

#include <KelvaneWidgets/chameleonbutton.h>
#include <KelvaneWidgets/xp_progressbar.h>
#include <QIcon>
#include <QTimer>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionManager>
#include <memory>

namespace Kelvane::designer {

namespace {

// A property the button changed on its own while designing is marked as set, so the form keeps it
// (a form stores only what was set).
void MarkSet(const QPointer<QDesignerFormEditorInterface>& core, QWidget* widget, const char* name) {
  QExtensionManager* extensions = core ? core->extensionManager() : nullptr;
  if (!extensions) return;
  auto* sheet = qt_extension<QDesignerPropertySheetExtension*>(extensions, widget);
  if (!sheet) return;
  const int index = sheet->indexOf(QString::fromLatin1(name));
  if (index >= 0) sheet->setChanged(index, true);
}

// QUiLoader makes widgets through the plugin too, without a core: those belong to a running
// program and keep the run-time rules.
QWidget* CreateButton(QWidget* parent, QDesignerFormEditorInterface* core) {
  auto* button = new chameleonButton(parent);
  if (!core) return button;
  // Designing starts once the widget is made: what a form being opened assigns is what its author
  // saved, not an edit (ButtonType 5 read after a regular Font must not make it bold).
  QTimer::singleShot(0, button, [button] { button->setUserMode(false); });
  const QPointer<QDesignerFormEditorInterface> designer(core);
  QObject::connect(button, &chameleonButton::BackOverChanged, button, [designer, button] {
    MarkSet(designer, button, "BackOver");
    MarkSet(designer, button, "BackOverSystemColor");
  });
  QObject::connect(button, &chameleonButton::ForeOverChanged, button, [designer, button] {
    MarkSet(designer, button, "ForeOver");
    MarkSet(designer, button, "ForeOverSystemColor");
  });
  QObject::connect(button, &chameleonButton::FontChanged, button,
                   [designer, button] { MarkSet(designer, button, "Font"); });
  // A new button is captioned with its name: the widget box's caption is the class's first name,
  // and a caption still equal to the name it last took follows a new one. A loaded form's own
  // caption (or none) is left alone.
  auto captionFromName = std::make_shared<QString>(QStringLiteral("chameleonButton"));
  QObject::connect(button, &QObject::objectNameChanged, button,
                   [designer, button, captionFromName](const QString& name) {
                     if (button->Caption() != *captionFromName) return;
                     *captionFromName = name;
                     button->setCaption(name);
                     MarkSet(designer, button, "Caption");
                   });
  return button;
}

QWidget* CreateBar(QWidget* parent, QDesignerFormEditorInterface*) { return new Xp_ProgressBar(parent); }

constexpr EntryText kButton{
    "Kelvane::chameleonButton",
    "KelvaneWidgets/chameleonbutton.h",
    ":/kelvane-designer/icons/chameleonbutton.png",
    "Push button in fourteen styles and four colour schemes",
    "A push button drawn in one of fourteen styles (ButtonType 1 to 14), with hover colours, a "
    "check-box mode (CheckBoxBehaviour), pictures and shaped outlines.",
    R"(<ui language="c++" displayname="chameleonButton">
 <widget class="Kelvane::chameleonButton" name="chameleonButton">
  <property name="geometry"><rect><x>0</x><y>0</y><width>93</width><height>26</height></rect></property>
  <property name="Caption"><string>chameleonButton</string></property>
 </widget>
</ui>)"};

constexpr EntryText kBar{
    "Kelvane::Xp_ProgressBar",
    "KelvaneWidgets/xp_progressbar.h",
    ":/kelvane-designer/icons/xp_progressbar.png",
    "Progress bar painted from pictures, in blocks or as a marquee",
    "A progress bar in eight looks (ProgressLook 0 to 7) that fills with blocks as Value grows "
    "(Style 0) or moves a marker on every change of Value (any other Style).",
    R"(<ui language="c++" displayname="Xp_ProgressBar">
 <widget class="Kelvane::Xp_ProgressBar" name="Xp_ProgressBar">
  <property name="geometry"><rect><x>0</x><y>0</y><width>150</width><height>17</height></rect></property>
 </widget>
</ui>)"};

}  // namespace

WidgetEntry::WidgetEntry(const EntryText& text, QWidget* (*create)(QWidget*, QDesignerFormEditorInterface*),
                         QObject* parent)
    : QObject(parent), text_(text), create_(create) {}

QString WidgetEntry::name() const { return QString::fromLatin1(text_.className); }
QString WidgetEntry::group() const { return QStringLiteral("Kelvane Widgets"); }
QIcon WidgetEntry::icon() const { return QIcon(QString::fromLatin1(text_.iconPath)); }
QString WidgetEntry::toolTip() const { return QString::fromUtf8(text_.toolTip); }
QString WidgetEntry::whatsThis() const { return QString::fromUtf8(text_.whatsThis); }
QString WidgetEntry::includeFile() const { return QString::fromLatin1(text_.includeFile); }
QString WidgetEntry::domXml() const { return QString::fromUtf8(text_.domXml); }
void WidgetEntry::initialize(QDesignerFormEditorInterface* core) { core_ = core; }
QWidget* WidgetEntry::createWidget(QWidget* parent) { return create_(parent, core_); }

WidgetCollection::WidgetCollection(QObject* parent) : QObject(parent) {
  entries_ << new WidgetEntry(kButton, CreateButton, this) << new WidgetEntry(kBar, CreateBar, this);
}

}  // namespace Kelvane::designer
