#pragma once
// A push button drawn in one of fourteen styles (ButtonType 1 to 14) and four colour schemes, with
// hover colours, a check-box mode, pictures and shaped outlines.
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <memory>

#include <KelvaneWidgets/kelvanewidgets_export.h>

namespace Kelvane {

class KELVANEWIDGETS_EXPORT chameleonButton : public QWidget {
  Q_OBJECT
  // Colours: a plain colour, or, when its *SystemColor twin is not NoSystemColor, that system colour
  // (which then follows the palette). Reading a system colour gives its current value. While
  // designing (userMode false), BackColor and ForeColor also set their hover twins and ButtonType 5
  // makes Font bold. Each property's NOTIFY signal comes once for each change, whatever made it; an
  // assignment of the value it already has tells nothing. A colour's two views share one signal.
  Q_PROPERTY(int ButtonType READ ButtonType WRITE setButtonType NOTIFY ButtonTypeChanged)
  Q_PROPERTY(QString Caption READ Caption WRITE setCaption NOTIFY CaptionChanged)
  // QWidget's own state under the host's names: Enabled is isEnabled() (a disabled container
  // disables and greys the button), Font is font() (its own, or inherited from the container).
  Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled NOTIFY EnabledChanged)
  Q_PROPERTY(QFont Font READ font WRITE setFont NOTIFY FontChanged)
  Q_PROPERTY(int ColorScheme READ ColorScheme WRITE setColorScheme NOTIFY ColorSchemeChanged)
  Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE setShowFocusRect NOTIFY ShowFocusRectChanged)
  Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor NOTIFY BackColorChanged)
  Q_PROPERTY(
      SystemColor BackSystemColor READ BackSystemColor WRITE setBackSystemColor NOTIFY BackColorChanged)
  Q_PROPERTY(QColor BackOver READ BackOver WRITE setBackOver NOTIFY BackOverChanged)
  Q_PROPERTY(SystemColor BackOverSystemColor READ BackOverSystemColor WRITE setBackOverSystemColor NOTIFY
                 BackOverChanged)
  Q_PROPERTY(QColor ForeColor READ ForeColor WRITE setForeColor NOTIFY ForeColorChanged)
  Q_PROPERTY(
      SystemColor ForeSystemColor READ ForeSystemColor WRITE setForeSystemColor NOTIFY ForeColorChanged)
  Q_PROPERTY(QColor ForeOver READ ForeOver WRITE setForeOver NOTIFY ForeOverChanged)
  Q_PROPERTY(SystemColor ForeOverSystemColor READ ForeOverSystemColor WRITE setForeOverSystemColor NOTIFY
                 ForeOverChanged)
  Q_PROPERTY(QColor MaskColor READ MaskColor WRITE setMaskColor NOTIFY MaskColorChanged)
  Q_PROPERTY(
      SystemColor MaskSystemColor READ MaskSystemColor WRITE setMaskSystemColor NOTIFY MaskColorChanged)
  Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer NOTIFY MousePointerChanged)
  Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon NOTIFY MouseIconChanged)
  Q_PROPERTY(QPixmap PictureNormal READ PictureNormal WRITE setPictureNormal NOTIFY PictureNormalChanged)
  Q_PROPERTY(QPixmap PictureOver READ PictureOver WRITE setPictureOver NOTIFY PictureOverChanged)
  Q_PROPERTY(bool UseMaskColor READ UseMaskColor WRITE setUseMaskColor NOTIFY UseMaskColorChanged)
  Q_PROPERTY(bool SoftBevel READ SoftBevel WRITE setSoftBevel NOTIFY SoftBevelChanged)
  Q_PROPERTY(int PicturePosition READ PicturePosition WRITE setPicturePosition NOTIFY PicturePositionChanged)
  Q_PROPERTY(bool UseGreyscale READ UseGreyscale WRITE setUseGreyscale NOTIFY UseGreyscaleChanged)
  Q_PROPERTY(int SpecialEffect READ SpecialEffect WRITE setSpecialEffect NOTIFY SpecialEffectChanged)
  Q_PROPERTY(bool HandPointer READ HandPointer WRITE setHandPointer NOTIFY HandPointerChanged)
  Q_PROPERTY(bool CheckBoxBehaviour READ CheckBoxBehaviour WRITE setCheckBoxBehaviour NOTIFY
                 CheckBoxBehaviourChanged)
  Q_PROPERTY(bool Value READ Value WRITE setValue NOTIFY ValueChanged)
  // Parts of Font, for code; a form stores Font itself.
  Q_PROPERTY(bool FontBold READ FontBold WRITE setFontBold NOTIFY FontChanged DESIGNABLE false STORED false)
  Q_PROPERTY(
      bool FontItalic READ FontItalic WRITE setFontItalic NOTIFY FontChanged DESIGNABLE false STORED false)
  Q_PROPERTY(bool FontUnderline READ FontUnderline WRITE setFontUnderline NOTIFY FontChanged
                 DESIGNABLE false STORED false)
  Q_PROPERTY(int FontSize READ FontSize WRITE setFontSize NOTIFY FontChanged DESIGNABLE false STORED false)
  Q_PROPERTY(
      QString FontName READ FontName WRITE setFontName NOTIFY FontChanged DESIGNABLE false STORED false)
  Q_PROPERTY(QString Version READ Version STORED false CONSTANT)
  // The id of the native window the button draws in: its own if it was made native, else its
  // window's; 0 until that exists. Reading it never makes a native window (winId() would).
  Q_PROPERTY(qulonglong hwnd READ hwnd STORED false DESIGNABLE false)

 public:
  // The system colours a colour property can name instead of a plain colour.
  enum SystemColor {
    NoSystemColor = -1,
    ScrollBar = 0,
    Desktop = 1,
    ActiveCaption = 2,
    InactiveCaption = 3,
    Menu = 4,
    Window = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkspace = 12,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    GrayText = 17,
    ButtonText = 18,
    InactiveCaptionText = 19,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
    InfoText = 23,
    InfoBackground = 24,
    HotLight = 26,
    GradientActiveCaption = 27,
    GradientInactiveCaption = 28,
    MenuHighlight = 29,
    MenuBar = 30,
  };
  Q_ENUM(SystemColor)

  explicit chameleonButton(QWidget* parent = nullptr);
  ~chameleonButton() override;

  int ButtonType() const;
  void setButtonType(int type);
  QString Caption() const;
  bool FontBold() const;
  void setFontBold(bool bold);
  bool FontItalic() const;
  void setFontItalic(bool italic);
  bool FontUnderline() const;
  void setFontUnderline(bool underline);
  // Whole points, halves to even (8.25 reads 8).
  int FontSize() const;
  void setFontSize(int points);
  QString FontName() const;
  void setFontName(const QString& name);
  int ColorScheme() const;
  void setColorScheme(int scheme);
  bool ShowFocusRect() const;
  void setShowFocusRect(bool show);

  QColor BackColor() const;
  void setBackColor(const QColor& colour);
  SystemColor BackSystemColor() const;
  void setBackSystemColor(SystemColor colour);
  QColor BackOver() const;
  void setBackOver(const QColor& colour);
  SystemColor BackOverSystemColor() const;
  void setBackOverSystemColor(SystemColor colour);
  QColor ForeColor() const;
  void setForeColor(const QColor& colour);
  SystemColor ForeSystemColor() const;
  void setForeSystemColor(SystemColor colour);
  QColor ForeOver() const;
  void setForeOver(const QColor& colour);
  SystemColor ForeOverSystemColor() const;
  void setForeOverSystemColor(SystemColor colour);
  QColor MaskColor() const;
  void setMaskColor(const QColor& colour);
  SystemColor MaskSystemColor() const;
  void setMaskSystemColor(SystemColor colour);

  // 0 default, 1 arrow, ... 15 size all, 99 MouseIcon; any other code is refused with a warning.
  int MousePointer() const;
  void setMousePointer(int code);
  QPixmap MouseIcon() const;
  void setMouseIcon(const QPixmap& icon);
  // A pixmap with an alpha channel is drawn through it; one without, through MaskColor.
  QPixmap PictureNormal() const;
  void setPictureNormal(const QPixmap& picture);
  QPixmap PictureOver() const;
  void setPictureOver(const QPixmap& picture);
  bool UseMaskColor() const;
  void setUseMaskColor(bool use);
  bool SoftBevel() const;
  void setSoftBevel(bool soft);
  int PicturePosition() const;
  void setPicturePosition(int position);
  bool UseGreyscale() const;
  void setUseGreyscale(bool use);
  int SpecialEffect() const;
  void setSpecialEffect(int effect);
  bool HandPointer() const;
  void setHandPointer(bool hand);
  bool CheckBoxBehaviour() const;
  void setCheckBoxBehaviour(bool on);
  bool Value() const;
  static QString Version();

  // Hold off painting while several properties change; Refresh paints once.
  void DisableRefresh();

  // False while a form designer shows the button: BackColor and ForeColor then also set their
  // hover twins, and ButtonType 5 makes the font bold. True for a running program (the default).
  bool userMode() const;
  void setUserMode(bool on);

  qulonglong hwnd() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 public Q_SLOTS:
  // The setters a connection would drive; the others are plain methods, as QAbstractButton's are.
  void setCaption(const QString& caption);
  // The check box's state, as QAbstractButton::setChecked. Told through ValueChanged, never Click.
  void setValue(bool value);
  // As QAbstractButton::click(): a check box flips Value, then ValueChanged, Click and clicked are
  // told. Nothing while the button is disabled; the focus stays where it is.
  void click();
  // Recomputes the colours and the caption layout and paints once; style 11 also takes the
  // background behind it again, so a program whose background changed calls this.
  void Refresh();

 Q_SIGNALS:
  void Click();
  void MouseDown(qint16& Button, qint16& Shift, float& X, float& Y);
  void MouseMove(qint16& Button, qint16& Shift, float& X, float& Y);
  void MouseUp(qint16& Button, qint16& Shift, float& X, float& Y);
  // A handler may change the key (0 swallows it), as the button then acts on the changed value.
  void KeyPress(qint16& KeyAscii);
  void KeyDown(qint16& KeyCode, qint16& Shift);
  void KeyUp(qint16& KeyCode, qint16& Shift);
  void MouseOver();
  void MouseOut();
  void clicked();
  void ValueChanged(bool value);
  // The properties' NOTIFY signals; any handler may delete the button.
  void ButtonTypeChanged();
  void CaptionChanged();
  void ColorSchemeChanged();
  void ShowFocusRectChanged();
  void BackColorChanged();
  void ForeColorChanged();
  void MaskColorChanged();
  void MousePointerChanged();
  void MouseIconChanged();
  void PictureNormalChanged();
  void PictureOverChanged();
  void UseMaskColorChanged();
  void SoftBevelChanged();
  void PicturePositionChanged();
  void UseGreyscaleChanged();
  void SpecialEffectChanged();
  void HandPointerChanged();
  void CheckBoxBehaviourChanged();
  void BackOverChanged();
  void ForeOverChanged();
  void FontChanged();
  void EnabledChanged(bool enabled);

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
