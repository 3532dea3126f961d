#pragma once
// A progress bar painted from small pictures inside a rounded frame: a row of blocks growing with
// Value (Style 0) or a marker that steps right on every assignment (any other Style), in one of
// eight looks (ProgressLook 0 to 7).
#include <QWidget>
#include <memory>

#include <KelvaneWidgets/kelvanewidgets_export.h>

namespace Kelvane {

class KELVANEWIDGETS_EXPORT Xp_ProgressBar : public QWidget {
  Q_OBJECT
  // Max before Min before Value: a form sets them in this order, so a range moved wholly above the
  // default one is accepted.
  Q_PROPERTY(int Max READ Max WRITE setMax NOTIFY MaxChanged)
  Q_PROPERTY(int Min READ Min WRITE setMin NOTIFY MinChanged)
  Q_PROPERTY(int Value READ Value WRITE setValue NOTIFY valueChanged)
  Q_PROPERTY(int Style READ Style WRITE setStyleIndex NOTIFY StyleChanged)
  Q_PROPERTY(int ProgressLook READ ProgressLook WRITE setProgressLook NOTIFY ProgressLookChanged)

 public:
  explicit Xp_ProgressBar(QWidget* parent = nullptr);
  ~Xp_ProgressBar() override;

  int Value() const;
  int Min() const;
  int Max() const;
  // 0 blocks, any other value the marker.
  int Style() const;
  // The spelling uic writes for a form's Style; QWidget::setStyle(QStyle*) stays in reach.
  void setStyle(int style) { setStyleIndex(style); }
  using QWidget::setStyle;
  int ProgressLook() const;

  // Takes a refusal's text in place of the box, for every bar of the program (GUI thread only);
  // nullptr brings the box back. Returns the previous handler, as qInstallMessageHandler does.
  using RefusalHandler = void (*)(const QString& message, const QString& title);
  static RefusalHandler installRefusalHandler(RefusalHandler handler);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 public Q_SLOTS:
  // A value outside Min..Max, a Min above Max or below 0, or a Max below Min is refused and leaves
  // the bar as it was: the refusal's text goes to the refusal handler, by default a modal "Error"
  // box with a stop icon. A Max below the current Value is kept. The refusal handler, and any
  // handler of the signals below, may delete the bar.
  void setValue(int value);
  void setMin(int min);
  void setMax(int max);
  // Both bounds, in the order that lets the new range in (Max first when it rises above the old).
  void setRange(int min, int max);
  // Value back to Min and the bar empty, in either Style.
  void reset();
  void setStyleIndex(int style);
  void setProgressLook(int look);

 Q_SIGNALS:
  // Each told when an assignment changed the property.
  void valueChanged(int value);
  void MinChanged(int min);
  void MaxChanged(int max);
  void StyleChanged(int style);
  void ProgressLookChanged(int look);

 protected:
  // The control's own input and drawing; an override that calls these keeps them.
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  class Private;
  std::unique_ptr<Private> d;
};

}  // namespace Kelvane
