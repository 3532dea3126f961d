#include "platform/host/layout/loaded_form.h"

namespace kelvane::host::layout {

QString LoadedControl::displayName() const {
  return index == kNoIndex ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

LoadedForm::LoadedForm(std::unique_ptr<QWidget> window, QString name, FontDesc font, host::Picture icon)
    : window_(std::move(window)), name_(std::move(name)), font_(std::move(font)), icon_(std::move(icon)) {}

LoadedForm::LoadedForm(LoadedForm&&) noexcept = default;
LoadedForm& LoadedForm::operator=(LoadedForm&&) noexcept = default;

LoadedForm::~LoadedForm() {
  // The entries only watch the widgets; dropping them first keeps the order obvious.
  controls_.clear();
}

QObject* LoadedForm::find(const QString& name, int index) const {
  for (const LoadedControl& c : controls_) {
    if (c.index == index && c.name.compare(name, Qt::CaseInsensitive) == 0) return c.object.data();
  }
  return nullptr;
}

void LoadedForm::add(LoadedControl entry) { controls_.push_back(std::move(entry)); }

void LoadedForm::throwMissing(const QString& name, int index, const QObject* found, const char* wanted) {
  LoadedControl probe;
  probe.name = name;
  probe.index = index;
  const std::string who = MessageText(probe.displayName());
  if (!found) throw LayoutError(who + ": no such control in the layout");
  throw LayoutError(who + ": is a " + found->metaObject()->className() + ", not a " + wanted);
}

}  // namespace kelvane::host::layout
