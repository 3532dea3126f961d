#include "platform/host/layout/form_loader.h"

#include <QFile>
#include <QIcon>
#include <QJsonDocument>
#include <QPixmap>
#include <algorithm>
#include <map>

#include "platform/host/errors.h"
#include "platform/host/layout/control_kinds.h"
#include "platform/host/layout/form_window.h"
#include "platform/host/layout/layout_fields.h"
#include "platform/host/layout/placement.h"
#include "platform/host/layout/stock_builders.h"

namespace kelvane::host::layout {

namespace {

constexpr int kMaxArrayIndex = 32767;
constexpr int kMaxTabIndex = 32767;

const QString kName = QStringLiteral("name");
const QString kIndex = QStringLiteral("index");
const QString kKind = QStringLiteral("kind");
const QString kContainer = QStringLiteral("container");
const QString kProperties = QStringLiteral("properties");

[[noreturn]] void Fail(const QString& message) { throw LayoutError(message); }

// The stored extents size the control's surface before the layout's own size is applied.
// Whole numbers are already checked by ReadPropertyBag.
void CheckExtents(const QJsonObject& properties, const QString& who) {
  for (auto it = properties.begin(); it != properties.end(); ++it) {
    const QString key = it.key().toLower();
    if (key != QStringLiteral("_extentx") && key != QStringLiteral("_extenty")) continue;
    const double extent = it.value().toDouble(-1);
    if (it.value().isDouble() && extent >= 0 && extent <= kMaxSideHimetric) continue;
    Fail(QStringLiteral("%1: property \"%2\" must be a whole number from 0 to %3 (%4 pixels)")
             .arg(who, it.key())
             .arg(kMaxSideHimetric)
             .arg(kMaxSidePixels));
  }
}

struct Built {
  QObject* object = nullptr;
  bool graphical = false;
  bool container = false;
};

class Loader {
 public:
  LoadedForm load(const QJsonObject& root);

 private:
  std::unique_ptr<FormWindow> buildWindow(const Fields& form);
  void addControl(LoadedForm& result, const QJsonValue& value, int position);
  // Name, index, kind, container and tab place, checked against the controls stored before.
  LoadedControl readIdentity(Fields& entry) const;
  Built buildControl(const Fields& entry, const LoadedControl& id, QWidget* container);
  Built buildUserControl(const QString& kind, const Fields& entry, const LoadedControl& id,
                         QWidget* container);
  void stackGraphicalBeneath() const;
  static void orderTabs(const LoadedForm& result);

  QString formName_;
  FontDesc formFont_;
  std::map<QString, QWidget*> containers_;  // keyed by lower-case name
  std::map<QString, bool> names_;           // lower-case name -> is an array
  std::vector<std::pair<QString, int>> used_;
  std::vector<QObject*> graphical_;
};

LoadedForm Loader::load(const QJsonObject& root) {
  const Fields top(root, QStringLiteral("layout"));
  Fields form(top.object(QStringLiteral("form")), QStringLiteral("form"));
  formName_ = form.string(kName);
  if (formName_.trimmed().isEmpty()) form.fail(kName, QStringLiteral("must not be empty"));
  form.setWho(formName_);

  auto window = buildWindow(form);
  const QString iconPath = form.optionalString(QStringLiteral("icon")).value_or(QString());
  const host::Picture icon =
      iconPath.isEmpty() ? host::Picture() : host::Picture::load(iconPath, PictureType::Icon);
  if (!icon.isNull()) window->setWindowIcon(QIcon(QPixmap::fromImage(icon.image())));
  form.rejectUnknown();

  QWidget* windowWidget = window.get();
  LoadedForm result(std::move(window), formName_, formFont_, icon);
  containers_[formName_.toLower()] = windowWidget;

  const QJsonArray controls = top.array(QStringLiteral("controls"));
  top.rejectUnknown();
  for (int i = 0; i < controls.size(); ++i) addControl(result, controls[i], i);

  stackGraphicalBeneath();
  orderTabs(result);
  return result;
}

std::unique_ptr<FormWindow> Loader::buildWindow(const Fields& form) {
  auto window = std::make_unique<FormWindow>();
  window->setObjectName(formName_);
  window->setWindowTitle(form.optionalString(QStringLiteral("caption")).value_or(formName_));
  formFont_ = form.font(QStringLiteral("font"), FontDesc{});
  window->setFont(formFont_.toQFont());
  window->setBackColor(form.color(QStringLiteral("backColor"), window->BackColor()));
  const QString kWidth = QStringLiteral("clientWidth"), kHeight = QStringLiteral("clientHeight");
  const int width = TwipsToPixel(form.whole(kWidth, 0, kMaxSideTwips));
  const int height = TwipsToPixel(form.whole(kHeight, 0, kMaxSideTwips));
  if (form.boolean(QStringLiteral("fixedSize"), false)) {
    window->setFixedSize(width, height);
  } else {
    window->resize(width, height);
  }
  return window;
}

void Loader::addControl(LoadedForm& result, const QJsonValue& value, int position) {
  const QString where = QStringLiteral("control %1").arg(position + 1);
  if (!value.isObject()) Fail(where + QStringLiteral(": must be an object"));
  Fields entry(value.toObject(), where);

  LoadedControl id = readIdentity(entry);
  QWidget* container = containers_.at(id.container.toLower());
  const Built built = buildControl(entry, id, container);
  entry.rejectUnknown();

  const QString key = id.name.toLower();
  names_[key] = id.index != kNoIndex;
  used_.emplace_back(key, id.index);
  if (built.container) containers_[key] = qobject_cast<QWidget*>(built.object);
  if (built.graphical) graphical_.push_back(built.object);
  id.object = built.object;
  result.add(std::move(id));
}

LoadedControl Loader::readIdentity(Fields& entry) const {
  LoadedControl id;
  id.name = entry.string(kName);
  if (id.name.trimmed().isEmpty()) entry.fail(kName, QStringLiteral("must not be empty"));
  entry.setWho(id.name);
  id.index = entry.optionalWhole(kIndex, 0, kMaxArrayIndex).value_or(kNoIndex);
  entry.setWho(id.displayName());

  const QString key = id.name.toLower();
  if (key == formName_.toLower()) entry.fail(kName, QStringLiteral("is the form's own name"));
  const auto known = names_.find(key);
  const bool isArray = id.index != kNoIndex;
  if (known != names_.end() && known->second != isArray) {
    entry.fail(kIndex, isArray ? QStringLiteral("is given, but another control of this name has none")
                               : QStringLiteral("is missing, but this name is a control array"));
  }
  if (std::find(used_.begin(), used_.end(), std::make_pair(key, id.index)) != used_.end()) {
    entry.fail(isArray ? kIndex : kName, QStringLiteral("is already used by another control"));
  }

  id.kind = entry.string(kKind);
  id.container = entry.string(kContainer);
  if (!containers_.contains(id.container.toLower())) {
    entry.fail(kContainer, QStringLiteral("names no form, frame or picture box stored before this control"));
  }
  id.tabIndex = entry.optionalWhole(QStringLiteral("tabIndex"), 0, kMaxTabIndex).value_or(kNoIndex);
  return id;
}

Built Loader::buildControl(const Fields& entry, const LoadedControl& id, QWidget* container) {
  Built built;
  if (const StockKind* stock = FindStockKind(id.kind)) {
    try {
      built = {stock->build(entry, container, formFont_), stock->graphical, stock->container};
    } catch (const RuntimeError& e) {
      Fail(id.displayName() + QStringLiteral(": ") + QString::fromStdString(e.what()));
    }
  } else {
    built = buildUserControl(id.kind, entry, id, container);
  }
  if (auto* widget = qobject_cast<QWidget*>(built.object)) {
    widget->setObjectName(id.displayName());
    if (!entry.boolean(QStringLiteral("visible"), true)) widget->hide();
  }
  return built;
}

Built Loader::buildUserControl(const QString& kind, const Fields& entry, const LoadedControl& id,
                               QWidget* container) {
  const ControlFactory factory = controlKind(kind);
  if (!factory) entry.fail(kKind, QStringLiteral("names no known kind of control (\"%1\")").arg(kind));
  const QJsonObject properties = entry.optionalObject(kProperties).value_or(QJsonObject());
  const PropertyBag bag = ReadPropertyBag(properties, id.displayName());
  CheckExtents(properties, id.displayName());

  QWidget* made = nullptr;
  {
    const Control::MadeForLoading loading;
    made = factory(container);
  }
  host::Control* control = ControlOf(made);
  if (!control) {
    delete made;
    entry.fail(kKind, QStringLiteral("could not be created"));
  }
  if (made->parentWidget() != container) made->setParent(container);

  AmbientProperties ambient;
  ambient.displayName = id.displayName();
  ambient.font = formFont_;
  ambient.userMode = true;
  try {
    control->hostLoad(bag, ambient);
  } catch (const RuntimeError& e) {
    Fail(id.displayName() + QStringLiteral(": ") + QString::fromStdString(e.what()));
  }
  // Sized after the properties are read, so the resize notification sees them.
  PlaceWidget(*made, entry);
  return {made, false, false};
}

void Loader::stackGraphicalBeneath() const {
  // Lowering the last first keeps the graphical controls in their stored order among themselves.
  for (auto it = graphical_.rbegin(); it != graphical_.rend(); ++it) {
    if (auto* w = qobject_cast<QWidget*>(*it)) w->lower();
  }
}

void Loader::orderTabs(const LoadedForm& result) {
  std::vector<std::pair<int, QWidget*>> chain;
  for (const LoadedControl& c : result.controls()) {
    auto* w = qobject_cast<QWidget*>(c.object.data());
    if (w && c.tabIndex != kNoIndex && (w->focusPolicy() & Qt::TabFocus)) chain.emplace_back(c.tabIndex, w);
  }
  std::stable_sort(chain.begin(), chain.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1].second, chain[i].second);
}

}  // namespace

LoadedForm loadForm(const QByteArray& json) {
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
  if (error.error != QJsonParseError::NoError) {
    Fail(
        QStringLiteral("layout: not valid JSON: %1 at offset %2").arg(error.errorString()).arg(error.offset));
  }
  if (!doc.isObject()) Fail(QStringLiteral("layout: must be a JSON object"));
  return Loader().load(doc.object());
}

LoadedForm loadFormFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    Fail(QStringLiteral("layout: cannot read \"%1\": %2").arg(path, file.errorString()));
  }
  return loadForm(file.readAll());
}

}  // namespace kelvane::host::layout
