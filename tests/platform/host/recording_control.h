#pragma once
// A control that writes every notification it receives into a log, for the host's tests.
#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>

#include "platform/host/control.h"

namespace kelvane::test {

class RecordingControl : public host::Control {
 public:
  using host::Control::Control;

  QStringList log;
  std::function<void(host::PropertyBag&)> onWrite;
  std::function<void(const host::PropertyBag&)> onRead;
  std::function<void()> onClick;

 protected:
  void Initialize() override { log << "Initialize"; }
  void InitProperties() override { log << "InitProperties"; }
  void ReadProperties(const host::PropertyBag& bag) override {
    log << "ReadProperties";
    if (onRead) onRead(bag);
  }
  void WriteProperties(host::PropertyBag& bag) override {
    log << "WriteProperties";
    if (onWrite) onWrite(bag);
  }
  void OnShow() override { log << "Show"; }
  void OnHide() override { log << "Hide"; }
  void Terminate() override { log << "Terminate"; }
  void OnResize() override { log << "Resize"; }
  void OnGotFocus() override { log << "GotFocus"; }
  void OnLostFocus() override { log << "LostFocus"; }
  void OnKeyDown(int& k, int s) override { log << QString("KeyDown %1 %2").arg(k).arg(s); }
  void OnKeyPress(int& a) override { log << QString("KeyPress %1").arg(a); }
  void OnKeyUp(int& k, int s) override { log << QString("KeyUp %1 %2").arg(k).arg(s); }
  void OnMouseDown(int b, int s, float x, float y) override { log << Mouse("MouseDown", b, s, x, y); }
  void OnMouseMove(int b, int s, float x, float y) override { log << Mouse("MouseMove", b, s, x, y); }
  void OnMouseUp(int b, int s, float x, float y) override { log << Mouse("MouseUp", b, s, x, y); }
  void OnClick() override {
    log << "Click";
    if (onClick) onClick();
  }
  void OnDblClick() override { log << "DblClick"; }
  void OnAccessKeyPress(int a) override { log << QString("AccessKeyPress %1").arg(a); }
  void OnAmbientChanged(const QString& name) override { log << "AmbientChanged " + name; }

 private:
  static QString Mouse(const char* what, int b, int s, float x, float y) {
    return QString("%1 %2 %3 %4 %5").arg(what).arg(b).arg(s).arg(x).arg(y);
  }
};

// Only the entries of `log` that start with one of `prefixes`.
inline QStringList Only(const QStringList& log, const QStringList& prefixes) {
  QStringList out;
  for (const QString& e : log)
    if (std::any_of(prefixes.begin(), prefixes.end(), [&](const QString& p) { return e.startsWith(p); }))
      out << e;
  return out;
}

// The next widget Tab would reach: the focus chain, skipping what takes no Tab focus.
inline QWidget* NextTabStop(QWidget* from) {
  QWidget* w = from->nextInFocusChain();
  while (w != from && !(w->focusPolicy() & Qt::TabFocus)) w = w->nextInFocusChain();
  return w;
}

}  // namespace kelvane::test

// Readable failure output for string lists.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QStringList& l, std::ostream* os) {
  *os << "{" << l.join(" | ").toStdString() << "}";
}
QT_END_NAMESPACE
