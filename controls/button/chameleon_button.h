#pragma once
// The multi-style push button. This first form keeps every stored property, paints its caption on
// a plain face and raises its events; the styles, colour schemes and pictures build on it.
#include <QString>
#include <cstdint>

#include "platform/host/control.h"
#include "platform/host/events.h"
#include "platform/host/picture.h"

namespace kelvane::controls {

class chameleonButton : public host::Control {
  Q_OBJECT
 public:
  explicit chameleonButton(QWidget* parent = nullptr);

  // Events to the container.
  host::Event<> Click;
  using MouseEvent = host::Event<std::int16_t&, std::int16_t&, float&, float&>;  // Button, Shift, X, Y
  MouseEvent MouseDown;
  MouseEvent MouseMove;
  MouseEvent MouseUp;

  std::int32_t ButtonType() const { return buttonType_; }
  QString Caption() const { return caption_; }
  void setCaption(const QString& caption);
  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  std::int32_t ColorScheme() const { return colorScheme_; }
  bool ShowFocusRect() const { return showFocusRect_; }
  std::int32_t BackColor() const { return backColor_; }
  std::int32_t BackOver() const { return backOver_; }
  std::int32_t ForeColor() const { return foreColor_; }
  std::int32_t ForeOver() const { return foreOver_; }
  std::int32_t MaskColor() const { return maskColor_; }
  bool UseMaskColor() const { return useMaskColor_; }
  bool SoftBevel() const { return softBevel_; }
  std::int32_t PicturePosition() const { return picturePosition_; }
  bool UseGreyscale() const { return useGreyscale_; }
  std::int32_t SpecialEffect() const { return specialEffect_; }
  bool HandPointer() const { return handPointer_; }
  bool CheckBoxBehaviour() const { return checkBoxBehaviour_; }
  bool Value() const { return value_; }
  const host::Picture& PictureNormal() const { return pictureNormal_; }
  const host::Picture& PictureOver() const { return pictureOver_; }
  static QString Version() { return QStringLiteral("2.0.6"); }

 protected:
  void InitProperties() override;
  void ReadProperties(const host::PropertyBag& bag) override;
  void WriteProperties(host::PropertyBag& bag) override;
  void OnShow() override;
  void OnResize() override;
  void OnMouseDown(int button, int shift, float x, float y) override;
  void OnMouseMove(int button, int shift, float x, float y) override;
  void OnMouseUp(int button, int shift, float x, float y) override;
  void OnClick() override;
  void OnAccessKeyPress(int keyAscii) override;

 private:
  void applyHandPointer(bool hand);
  void PaintButton(int state);

  std::int32_t buttonType_ = 2;
  QString caption_;
  bool enabled_ = true;
  std::int32_t colorScheme_ = 1;
  bool showFocusRect_ = true;
  std::int32_t backColor_ = 0, backOver_ = 0, foreColor_ = 0, foreOver_ = 0;
  std::int32_t maskColor_ = 0xC0C0C0;
  bool useMaskColor_ = true;
  bool softBevel_ = false;
  std::int32_t picturePosition_ = 0;
  bool useGreyscale_ = false;
  std::int32_t specialEffect_ = 0;
  bool handPointer_ = false;
  bool checkBoxBehaviour_ = false;
  bool value_ = false;
  host::Picture pictureNormal_, pictureOver_;
  std::uint8_t lastMouseButton_ = 0;
  int lastState_ = 0;
};

}  // namespace kelvane::controls
