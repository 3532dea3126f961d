#pragma once
// The multi-style push button: every stored property with its setter's effects, the styles of the
// style table (style_traits.cpp) in four colour schemes, and its events. Painting lives in
// button_painting.cpp.
#include <QString>
#include <cstdint>
#include <optional>
#include <utility>

#include "controls/button/button_properties.h"
#include "controls/button/caption.h"
#include "controls/button/colors.h"
#include "platform/gdi/dc.h"
#include "platform/host/control.h"
#include "platform/host/events.h"
#include "platform/host/picture.h"
#include "platform/host/stock/timer.h"

namespace kelvane::controls {

class ButtonCanvas;

class chameleonButton : public host::Control {
  Q_OBJECT
 public:
  explicit chameleonButton(QWidget& widget);

  // Events to the container.
  host::Event<> Click;
  using MouseEvent = host::Event<std::int16_t&, std::int16_t&, float&, float&>;  // Button, Shift, X, Y
  MouseEvent MouseDown;
  MouseEvent MouseMove;
  MouseEvent MouseUp;
  host::Event<std::int16_t&> KeyPress;                         // KeyAscii
  using KeyEvent = host::Event<std::int16_t&, std::int16_t&>;  // KeyCode, Shift
  KeyEvent KeyDown;
  KeyEvent KeyUp;
  host::Event<> MouseOver;
  host::Event<> MouseOut;

  // Colours are in the host's form (0x00BBGGRR, or a system colour with the top bit set). While
  // designing, BackColor and ForeColor carry their hover twins along.
  std::int32_t BackColor() const { return Stored.BackColor; }
  void setBackColor(std::int32_t colour);
  std::int32_t BackOver() const { return Stored.BackOver; }
  void setBackOver(std::int32_t colour);
  std::int32_t ForeColor() const { return Stored.ForeColor; }
  void setForeColor(std::int32_t colour);
  std::int32_t ForeOver() const { return Stored.ForeOver; }
  void setForeOver(std::int32_t colour);
  std::int32_t MaskColor() const { return Stored.MaskColor; }
  void setMaskColor(std::int32_t colour);

  std::int32_t ButtonType() const { return Stored.ButtonType; }
  void setButtonType(std::int32_t type);
  QString Caption() const { return Stored.Caption; }
  void setCaption(const QString& caption);
  // A click from code: a check box flips, Click is raised; nothing while disabled, no focus taken.
  void PerformClick();

  // The window's own enabled state (a disabled container does not change it). QWidget::setEnabled
  // reaches the same state and repaints too; only this setter gives the change notice.
  bool Enabled() const;
  void setEnabled(bool enabled);

  // The font lives on the surface (Control::Font). Through the base class the font changes without
  // re-measuring or repainting; these setters do both.
  using host::Control::setFont;
  void setFont(const host::FontDesc& font);
  bool FontBold() const;
  void setFontBold(bool bold);
  bool FontItalic() const { return Font().italic; }
  void setFontItalic(bool italic);
  bool FontUnderline() const { return Font().underline; }
  void setFontUnderline(bool underline);
  // Whole points, halves to even (8.25 reads 8). Raises host::RuntimeError Overflow for a value
  // outside 16 bits, before anything changes.
  std::int16_t FontSize() const;
  void setFontSize(double points);
  QString FontName() const { return Font().name; }
  void setFontName(const QString& name);

  std::int32_t ColorScheme() const { return Stored.ColorScheme; }
  void setColorScheme(std::int32_t scheme);
  bool ShowFocusRect() const { return Stored.ShowFocusRect; }
  void setShowFocusRect(bool show);

  // The surface keeps the pointer in 16 bits: a wider value raises Overflow, an unknown code 380,
  // and either leaves the pointer as it was.
  void setMousePointer(std::int32_t code);
  void setMouseIcon(const host::Picture& icon);
  bool HandPointer() const { return Stored.HandPointer; }
  void setHandPointer(bool hand);

  bool SoftBevel() const { return Stored.SoftBevel; }
  void setSoftBevel(bool soft);
  const host::Picture& PictureNormal() const { return Stored.PictureNormal; }
  void setPictureNormal(const host::Picture& picture);
  const host::Picture& PictureOver() const { return Stored.PictureOver; }
  void setPictureOver(const host::Picture& picture);
  std::int32_t PicturePosition() const { return Stored.PicturePosition; }
  void setPicturePosition(std::int32_t position);
  bool UseMaskColor() const { return Stored.UseMaskColor; }
  void setUseMaskColor(bool use);
  bool UseGreyscale() const { return Stored.UseGreyscale; }
  void setUseGreyscale(bool use);
  std::int32_t SpecialEffect() const { return Stored.SpecialEffect; }
  void setSpecialEffect(std::int32_t effect);
  bool CheckBoxBehaviour() const { return Stored.CheckBoxBehaviour; }
  void setCheckBoxBehaviour(bool on);
  bool Value() const { return Stored.Value; }
  void setValue(bool value);
  static QString Version() { return QStringLiteral("2.0.6"); }

  // True while the button shows its down look: held by the mouse or the space bar, or a checked
  // check box. DownChanged follows every change.
  bool IsDown() const { return LastState == kStateDown; }

  // Qt's word that the pointer left: the hover ends (button_input.cpp).
  void leaveEvent(QEvent* e) override;

  // Every stored property as the store sees it.
  ButtonProperties StoredProperties() const;

  // Painting can be held off while a caller changes several properties; Refresh recomputes the
  // colours and the caption layout and paints once.
  void Refresh();
  void DisableRefresh();

 signals:
  void DownChanged(bool down);

 protected:
  void Initialize() override;
  void InitProperties() override;
  void ReadProperties(const host::PropertyBag& bag) override;
  void WriteProperties(host::PropertyBag& bag) override;
  void OnShow() override;
  void OnHide() override;
  void Terminate() override;
  void OnResize() override;
  // Input: button_input.cpp.
  void OnMouseDown(int button, int shift, float x, float y) override;
  void OnMouseMove(int button, int shift, float x, float y) override;
  void OnMouseUp(int button, int shift, float x, float y) override;
  void OnClick() override;
  void OnDblClick() override;
  void OnAccessKeyPress(int keyAscii) override;
  void OnKeyDown(int& keyCode, int shift) override;
  void OnKeyPress(int& keyAscii) override;
  void OnKeyUp(int& keyCode, int shift) override;
  void OnGotFocus() override;
  void OnLostFocus() override;
  void OnAmbientChanged(const QString& name) override;
  bool UsesKey(int keyCode) const override;

 public:
  void changeEvent(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

 private:
  // The paint states the handlers ask for.
  static constexpr std::uint8_t kStateUp = 0;
  static constexpr std::uint8_t kStateDown = 2;

  void ApplyHandPointer(bool hand);
  void ApplyFont(const host::FontDesc& font);
  using ColourField = std::int32_t ButtonFields::*;
  void SetColour(ColourField field, std::int32_t colour, const char* key, ColourField designTwin = nullptr);
  void SetWindowEnabled(bool enabled);
  friend class ButtonCanvas;
  SchemeInputs CurrentSchemeInputs() const;
  void ComputeSchemeColors();
  void MeasureCaption();
  // The caption's layout in `font`, from the layout before it.
  CaptionLayout MeasureCaptionIn(const host::FontDesc& font, const CaptionLayout& previous) const;
  host::FontDesc BoldFont() const;  // the button's font at the weight setFontBold(true) gives
  QFont QtFont(const host::FontDesc& font) const;
  mutable std::pair<host::FontDesc, QFont> LastFont;
  void MeasurePicture();
  void ApplyShape();  // shape.cpp
  // Transparent style: the container's pixels behind the button (button_background.cpp).
  void CreateBackgroundSurface();
  // False when the button was deleted while pending events ran: the caller must not touch it.
  [[nodiscard]] bool CaptureParentBackground(bool runPendingEvents = true);
  void CaptureParentBackgroundSoon();
  bool CapturePending = false;
  void OnLookChanged();  // a new palette or style
  void PaintButton(std::uint8_t state, bool force);
  void Render(std::uint8_t state);  // the drawing part of PaintButton, every pixel afresh
  // What the last drawing was drawn from and what it left the caption as. The same inputs over the
  // surface that drawing left, untouched since, would draw the same pixels again.
  struct DrawnFrom {
    PaintOptions Options;
    bool Usable = false;
    host::FontDesc Font;
    bool DefaultButton = false;
    std::int32_t PicturePosition = 0;
    std::uint8_t CaptionModeBefore = 0;
    QRgb Background = 0;
    std::uint64_t TextGeneration = 0;
    bool TextOver = false;
    bool operator==(const DrawnFrom&) const = default;
  };
  struct Drawn {
    DrawnFrom From;
    qint64 SurfaceKey = 0;
    std::uint8_t CaptionModeAfter = 0;
    CaptionLayout LayoutAfter;
  };
  std::optional<Drawn> LastDrawn;
  // On a scaled screen the caption's text is drawn over the surface at the screen's pixels.
  bool DrawsTextOver() const;
  CaptionOverlay CaptionText;
  bool CaptionTextOver = false;  // how the last drawing placed it
  void PaintPutOff() override;
  PaintOptions CurrentPaintOptions(std::uint8_t state) const;
  void PaintPictures(ButtonCanvas& canvas, std::uint8_t pictureState);
  bool Designing() const { return !Ambient().userMode; }

  ButtonFields Stored;
  SchemeColors WorkingColors;  // the working colours; written only by ComputeSchemeColors
  CaptionLayout CaptionGeometry;
  std::uint8_t LastCaptionMode = 0;
  bool RefreshOn = true;
  bool IsOver = false;
  std::uint8_t LastState = 0;
  QString LastCaption;
  int PictureWidth = 0, PictureHeight = 0;
  // Made at the first show as the transparent style, with that show's size, and kept until termination.
  std::optional<gdi::Dc> BackgroundDC;
  gdi::Bitmap BackgroundBitmap;
  gdi::Bitmap BackgroundSavedBitmap;
  bool IsCapturing = false;  // the height is 0 for a moment; resizes are not ours
  // The height the button last heard of: a capture's moment at 0 does not stop painting.
  int ClientHeight = 0;
  bool SettingEnabled = false;  // our own change of the window state repaints once, not twice
  bool NoticedEnabled = true;   // Enabled as the host last heard of it

  // Hover: the timer runs only while the button believes the mouse is over it.
  static constexpr int kOverTimerIntervalMs = 3;
  void SetUpOverTimer();
  bool IsCursorOverButton() const;
  bool IsReportOverButton(QPointF local);  // a move's own place; remembered for the timer
  void OnOverTimerTick();
  void EndHover();
  // Where the last move that found the pointer over the button said it was, and where the cursor
  // was then. While the cursor stays there (a test's made-up moves, a Wayland pointer gone from
  // our windows), that report is the pointer's place.
  gdi::Point ReportedAt;
  gdi::Point CursorAtReport;
  bool LeavePending = false;  // Qt said the pointer left, and no move has said otherwise since
  void RunOverTimer(bool on);
  host::stock::Timer OverTimer;
  bool OverTimerAsleep = false;  // on, but waiting for the pointer to move before it ticks again
  bool HasFocus = false;
  std::uint8_t LastMouseButton = 0;  // 1 left, 2 right, 4 middle, as the last mouse-down reported it
  std::uint8_t LastKeyCode = 0;
};

}  // namespace kelvane::controls
