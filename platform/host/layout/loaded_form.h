#pragma once
// A window built from a stored layout, owning its top-level widget and giving typed access to
// its controls by name and array index.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/host/font_desc.h"
#include "platform/host/layout/layout_error.h"
#include "platform/host/picture.h"

namespace kelvane::host::layout {

inline constexpr int kNoIndex = -1;

struct LoadedControl {
  QString name;
  int index = kNoIndex;  // kNoIndex unless the control is an element of a control array
  QString kind;          // as the layout names it: "Label", "Timer", "chameleonButton", ...
  QString container;     // the form's name or a container control's name
  int tabIndex = kNoIndex;
  QPointer<QObject> object;  // a QWidget for every kind but Timer

  QString displayName() const;  // "Label2(3)" or "Command1"
};

class LoadedForm {
 public:
  LoadedForm(std::unique_ptr<QWidget> window, QString name, FontDesc font, host::Picture icon);
  LoadedForm(LoadedForm&&) noexcept;
  LoadedForm& operator=(LoadedForm&&) noexcept;
  ~LoadedForm();

  QWidget* window() const { return window_.get(); }
  const QString& name() const { return name_; }
  const FontDesc& font() const { return font_; }
  const host::Picture& icon() const { return icon_; }
  const std::vector<LoadedControl>& controls() const { return controls_; }

  // The control called `name` (array element `index`), or nullptr. Names compare without case.
  QObject* find(const QString& name, int index = kNoIndex) const;

  // As find(), but a missing control or one of another class raises LayoutError.
  template <class T>
  T* control(const QString& name, int index = kNoIndex) const {
    QObject* o = find(name, index);
    T* typed = qobject_cast<T*>(o);
    if (!typed) throwMissing(name, index, o, T::staticMetaObject.className());
    return typed;
  }

  // Used by the loader while building the form.
  void add(LoadedControl entry);

 private:
  [[noreturn]] static void throwMissing(const QString& name, int index, const QObject* found,
                                        const char* wanted);

  std::unique_ptr<QWidget> window_;
  QString name_;
  FontDesc font_;
  host::Picture icon_;
  std::vector<LoadedControl> controls_;
};

}  // namespace kelvane::host::layout
