#include "platform/host/services.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/host/errors.h"

namespace kelvane::host {

namespace {

constexpr int kButtonsMask = 0x7;
constexpr int kIconMask = 0x70;

QMessageBox::Icon IconForStyle(int style) {
  switch (style & kIconMask) {
    case kMsgBoxCritical: return QMessageBox::Critical;
    case kMsgBoxQuestion: return QMessageBox::Question;
    case kMsgBoxExclamation: return QMessageBox::Warning;
    case kMsgBoxInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

QMessageBox::StandardButtons ButtonsForStyle(int style) {
  switch (style & kButtonsMask) {
    case kMsgBoxOkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case kMsgBoxAbortRetryIgnore: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case kMsgBoxYesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case kMsgBoxYesNo: return QMessageBox::Yes | QMessageBox::No;
    case kMsgBoxRetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    default: return QMessageBox::Ok;
  }
}

int ResultForButton(int button) {
  switch (button) {
    case QMessageBox::Cancel: return kMsgBoxCancel;
    case QMessageBox::Abort: return kMsgBoxAbort;
    case QMessageBox::Retry: return kMsgBoxRetry;
    case QMessageBox::Ignore: return kMsgBoxIgnore;
    case QMessageBox::Yes: return kMsgBoxYes;
    case QMessageBox::No: return kMsgBoxNo;
    default: return kMsgBoxOk;
  }
}

RefusalHandler refusalHandler = nullptr;  // GUI thread only, as the box it stands for

class QtServices final : public HostServices {
 public:
  int MsgBox(const QString& text, int style, const QString& title) override {
    QMessageBox box(IconForStyle(style), title, text, ButtonsForStyle(style), QApplication::activeWindow());
    return ResultForButton(box.exec());
  }

  void RunPendingEvents() override { QCoreApplication::processEvents(); }

  void SendKeys(const QString& keys) override {
    const FocusStep step = ParseFocusKeys(keys);
    QWidget* target = QApplication::focusWidget();
    if (!target) target = QApplication::activeWindow();
    if (!target) return;
    // Queued like typed keys: the focus moves when the event loop next runs.
    const bool back = step == FocusStep::Previous;
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab,
                                                      back ? Qt::ShiftModifier : Qt::NoModifier));
  }

  [[noreturn]] void End(int status) override {
    std::fflush(nullptr);
    std::_Exit(status);
  }
};

}  // namespace

RefusalHandler installRefusalHandler(RefusalHandler h) { return std::exchange(refusalHandler, h); }

void Refuse(const QString& text) {
  const QString title = QStringLiteral("Error");
  if (refusalHandler) return refusalHandler(text, title);
  services().MsgBox(text, kMsgBoxCritical, title);
}

namespace {

QtServices& RealServices() {
  static QtServices real;
  return real;
}

HostServices* g_installed = nullptr;

}  // namespace

HostServices& services() { return g_installed ? *g_installed : RealServices(); }

HostServices* installServices(HostServices* s) {
  HostServices* previous = &services();
  g_installed = s;
  return previous;
}

FocusStep ParseFocusKeys(const QString& keys) {
  if (keys.compare(QLatin1String("{Tab}"), Qt::CaseInsensitive) == 0) return FocusStep::Next;
  if (keys.compare(QLatin1String("+{Tab}"), Qt::CaseInsensitive) == 0) return FocusStep::Previous;
  throw RuntimeError(kErrInvalidProcedureCall, "Invalid procedure call: the keystroke string \"" +
                                                   keys.toStdString() +
                                                   "\" is not supported (use \"{Tab}\" or \"+{Tab}\")");
}

}  // namespace kelvane::host
