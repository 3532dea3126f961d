#pragma once
// Collects the property-changed notices of one control, in order.
#include <QObject>
#include <QStringList>

#include "platform/host/control.h"

namespace kelvane::test {

class NoticeRecorder {
 public:
  NoticeRecorder() = default;
  explicit NoticeRecorder(host::Control& control) { watch(control); }
  ~NoticeRecorder() { QObject::disconnect(connection_); }
  NoticeRecorder(const NoticeRecorder&) = delete;
  NoticeRecorder& operator=(const NoticeRecorder&) = delete;

  void watch(host::Control& control) {
    QObject::disconnect(connection_);
    connection_ = QObject::connect(&control, &host::Control::PropertyNoticed,
                                   [this](const QString& key) { keys.append(key); });
  }

  QStringList keys;

 private:
  QMetaObject::Connection connection_;
};

}  // namespace kelvane::test
