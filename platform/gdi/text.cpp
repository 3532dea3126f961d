#include "platform/gdi/text.h"

#include <QCache>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QScreen>
#include <QTextLayout>
#include <algorithm>
#include <memory>

namespace kelvane::gdi {

namespace {

constexpr QChar kPrefix = u'&';
constexpr double kInchesPerMeter = 100.0 / 2.54;
constexpr double kFallbackDpi = 96.0;
// Wide enough that a single layout line never wraps by itself.
constexpr qreal kUnwrappedWidth = 1e7;

bool isBreak(QChar c) { return c == u'\r' || c == u'\n'; }

// Appends the lines of one paragraph [begin, end) of the shown text.
void breakParagraph(const QString& s, qsizetype begin, qsizetype end, int maxWidth, bool wrap,
                    const Measure& measure, std::vector<TextLine>& out) {
  const auto lineOf = [&](qsizetype from, qsizetype to) {
    return TextLine{from, to - from, measure(s.mid(from, to - from))};
  };
  if (!wrap || begin == end) {
    out.push_back(lineOf(begin, end));
    return;
  }
  // Most captions fit on one line: one measure instead of one for each word.
  if (TextLine whole = lineOf(begin, end); whole.width <= maxWidth) {
    out.push_back(whole);
    return;
  }
  const auto wordEnd = [&](qsizetype i) {
    while (i < end && s[i] == u' ') ++i;
    while (i < end && s[i] != u' ') ++i;
    return i;
  };
  qsizetype pos = begin;
  while (pos < end) {
    qsizetype lineEnd = wordEnd(pos);  // the first word stays on the line however wide
    for (qsizetype next = wordEnd(lineEnd); next > lineEnd && measure(s.mid(pos, next - pos)) <= maxWidth;
         next = wordEnd(lineEnd))
      lineEnd = next;
    qsizetype after = lineEnd;
    while (after < end && s[after] == u' ') ++after;
    // Spaces that end the paragraph stay on its last line.
    out.push_back(lineOf(pos, after == end ? end : lineEnd));
    pos = after;
  }
}

double screenDpi() {
  const QScreen* screen = qApp ? QGuiApplication::primaryScreen() : nullptr;
  return screen ? screen->logicalDotsPerInchX() : kFallbackDpi;
}

// Fonts on the image come out at the size the screen shows them.
void matchScreenDpi(QImage& img) {
  const int dpm = qRound(screenDpi() * kInchesPerMeter);
  if (img.dotsPerMeterX() != dpm) img.setDotsPerMeterX(dpm);
  if (img.dotsPerMeterY() != dpm) img.setDotsPerMeterY(dpm);
}

// The text broken into lines in a font, before anything is placed or drawn.
struct LaidOutText {
  ShownText shown;
  std::vector<TextLine> lines;
  int lineHeight = 0;

  int height() const { return static_cast<int>(lines.size()) * lineHeight; }
  int widest() const {
    int widest = 0;
    for (const TextLine& l : lines) widest = std::max(widest, l.width);
    return widest;
  }
};

QList<int> underlinedIn(const ShownText& shown, const TextLine& line) {
  QList<int> at;
  for (qsizetype i : shown.underlined)
    if (i >= line.start && i < line.start + line.length) at.push_back(static_cast<int>(i - line.start));
  return at;
}

std::unique_ptr<QTextLayout> makeLineLayout(const QString& text, const QFont& font,
                                            const QPaintDevice* device, const QList<int>& underlined,
                                            bool underline) {
  auto layout = std::make_unique<QTextLayout>(text, font, device);
  // A kept layout keeps its glyphs too, or every draw shapes the text again.
  layout->setCacheEnabled(true);
  if (underline) {
    QList<QTextLayout::FormatRange> ranges;
    for (int i : underlined) {
      QTextLayout::FormatRange r;
      r.start = i;
      r.length = 1;
      r.format.setFontUnderline(true);
      ranges.push_back(r);
    }
    layout->setFormats(ranges);
  }
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  layout->setTextOption(option);
  layout->beginLayout();
  QTextLine tl = layout->createLine();
  if (tl.isValid()) tl.setLineWidth(kUnwrappedWidth);
  layout->endLayout();
  return layout;
}

// Shaping text costs far more than drawing it, and a window of buttons measures and draws the same
// few captions over and over (made, sized, shown, hovered). What a font makes of a text is kept for
// as long as the screen's resolution and the installed fonts stay as they were, and never past the
// application: the shaped text holds Qt's font engines.
class ShapedText {
 public:
  struct LayOutKey {
    QString text;
    QFont font;
    int maxWidth;
    unsigned format;
    friend bool operator==(const LayOutKey&, const LayOutKey&) = default;
    friend size_t qHash(const LayOutKey& k, size_t seed) noexcept {
      return qHashMulti(seed, k.text, k.font, k.maxWidth, k.format);
    }
  };
  struct WidthKey {
    QString text;
    QFont font;
    friend bool operator==(const WidthKey&, const WidthKey&) = default;
    friend size_t qHash(const WidthKey& k, size_t seed) noexcept { return qHashMulti(seed, k.text, k.font); }
  };
  struct LineKey {
    QString text;
    QFont font;
    int dpiX, dpiY;
    QList<int> underlined;  // empty unless underlining
    bool underline;
    friend bool operator==(const LineKey&, const LineKey&) = default;
    friend size_t qHash(const LineKey& k, size_t seed) noexcept {
      return qHashMulti(seed, k.text, k.font, k.dpiX, k.dpiY, k.underlined, k.underline);
    }
  };

  // The cache for this moment, or none without a GUI application to outlive.
  static ShapedText* current() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!qobject_cast<QGuiApplication*>(app)) return nullptr;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSizeF dpi =
        screen ? QSizeF(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()) : QSizeF();
    if (instance_ && (instance_->app_ != app || instance_->dpi_ != dpi || instance_->stale_)) drop();
    if (!instance_) instance_ = new ShapedText(app, dpi);
    if (!dropsAtExit_) {
      qAddPostRoutine([] {
        drop();
        dropsAtExit_ = false;  // the application's routines run once
      });
      dropsAtExit_ = true;
    }
    return instance_;
  }

  QCache<LayOutKey, LaidOutText> laidOut{kLaidOutTexts};
  QCache<LineKey, QTextLayout> lines{kLines};

  // A caption is laid out again for every width its button is given, from the same few words.
  int width(const QFontMetrics& fm, const QFont& font, const QString& text) {
    WidthKey key{text, font};
    if (const int* known = widths.object(key)) return *known;
    const int w = fm.horizontalAdvance(text);
    widths.insert(std::move(key), new int(w));
    return w;
  }

 private:
  // A few hundred captions: a large window's worth.
  static constexpr int kLaidOutTexts = 256;
  static constexpr int kLines = 256;
  static constexpr int kWidths = 1024;
  QCache<WidthKey, int> widths{kWidths};

  ShapedText(QCoreApplication* app, QSizeF dpi) : app_(app), dpi_(dpi) {
    QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, &guard_, [this] { stale_ = true; });
  }
  static void drop() {
    if (instance_) ++generation_;
    delete instance_;
    instance_ = nullptr;
  }

  static inline ShapedText* instance_ = nullptr;
  static inline bool dropsAtExit_ = false;

 public:
  static inline std::uint64_t generation_ = 0;

 private:
  QCoreApplication* app_;
  QSizeF dpi_;
  bool stale_ = false;
  QObject guard_;  // ends the font database connection with the cache
};

void drawLine(QPainter& p, const QFont& font, const ShownText& shown, const TextLine& line, QPointF at,
              bool underline) {
  const QString text = shown.text.mid(line.start, line.length);
  QList<int> underlined;
  if (underline) underlined = underlinedIn(shown, line);
  ShapedText* cache = ShapedText::current();
  if (!cache) {
    makeLineLayout(text, font, p.device(), underlined, underline)->draw(&p, at);
    return;
  }
  ShapedText::LineKey key{
      text, font, p.device()->logicalDpiX(), p.device()->logicalDpiY(), std::move(underlined), underline};
  QTextLayout* layout = cache->lines.object(key);
  if (!layout) {
    layout = makeLineLayout(key.text, font, p.device(), key.underlined, underline).release();
    cache->lines.insert(key, layout);
  }
  layout->draw(&p, at);
}

}  // namespace

ShownText StripPrefixes(const QString& text) {
  ShownText out;
  out.text.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != kPrefix) {
      out.text += text[i];
      continue;
    }
    if (++i >= text.size()) break;
    if (text[i] != kPrefix) out.underlined.push_back(out.text.size());
    out.text += text[i];
  }
  return out;
}

std::vector<TextLine> BreakLines(const QString& shown, int maxWidth, unsigned format,
                                 const Measure& measure) {
  std::vector<TextLine> out;
  if (shown.isEmpty()) return out;
  if (format & DT_SINGLELINE) {
    out.push_back({0, shown.size(), measure(shown)});
    return out;
  }
  const bool wrap = (format & DT_WORDBREAK) != 0;
  qsizetype begin = 0;
  while (begin < shown.size()) {
    qsizetype end = begin;
    while (end < shown.size() && !isBreak(shown[end])) ++end;
    breakParagraph(shown, begin, end, maxWidth, wrap, measure, out);
    if (end == shown.size()) break;
    // CR LF is one break.
    begin = end + ((shown[end] == u'\r' && end + 1 < shown.size() && shown[end + 1] == u'\n') ? 2 : 1);
  }
  return out;
}

namespace {

LaidOutText measureText(const QString& text, const QFont& font, int maxWidth, unsigned format,
                        ShapedText* cache) {
  ShownText shown = (format & DT_NOPREFIX) ? ShownText{text, {}} : StripPrefixes(text);
  if (format & DT_SINGLELINE) {
    // One line: line breaks show as spaces.
    for (QChar& c : shown.text)
      if (isBreak(c)) c = u' ';
  }
  const QFontMetrics fm(font);
  const auto measure = [&](const QString& s) {
    return cache ? cache->width(fm, font, s) : fm.horizontalAdvance(s);
  };
  std::vector<TextLine> lines = BreakLines(shown.text, maxWidth, format, measure);
  return {std::move(shown), std::move(lines), fm.height()};
}

LaidOutText layOut(const QString& text, const QFont& font, const Rect& rect, unsigned format) {
  const int maxWidth = static_cast<int>(std::clamp<std::int64_t>(RectWidth(rect), 0, INT32_MAX));
  format &= DT_NOPREFIX | DT_SINGLELINE | DT_WORDBREAK;  // all that changes the lines
  ShapedText* cache = ShapedText::current();
  if (!cache) return measureText(text, font, maxWidth, format, nullptr);
  ShapedText::LayOutKey key{text, font, maxWidth, format};
  if (const LaidOutText* known = cache->laidOut.object(key)) return *known;
  LaidOutText out = measureText(text, font, maxWidth, format, cache);
  cache->laidOut.insert(std::move(key), new LaidOutText(out));
  return out;
}

// The first line's top: vertical placement acts only on a single line.
std::int64_t firstLineTop(const Rect& rect, unsigned format, int lineHeight) {
  if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
    return rect.top + (RectHeight(rect) - lineHeight) / 2;
  if ((format & DT_SINGLELINE) && (format & DT_BOTTOM)) return rect.bottom - std::int64_t{lineHeight};
  return rect.top;
}

void paintLinesWith(QPainter& p, const QFont& font, ColorRef colour, const LaidOutText& text,
                    const Rect& rect, std::int64_t y, unsigned format) {
  if (!(format & DT_NOCLIP)) {
    if (IsRectEmpty(rect)) return;
    p.setClipRect(QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1)),
                  Qt::IntersectClip);
  }
  p.setPen(QColor::fromRgb(toQRgb(colour)));
  const bool underline = !(format & (DT_NOPREFIX | DT_HIDEPREFIX));
  for (const TextLine& line : text.lines) {
    std::int64_t x = rect.left;
    if (format & DT_CENTER)
      x += (RectWidth(rect) - line.width) / 2;
    else if (format & DT_RIGHT)
      x = rect.right - std::int64_t{line.width};
    drawLine(p, font, text.shown, line, QPointF(static_cast<qreal>(x), static_cast<qreal>(y)), underline);
    y += text.lineHeight;
  }
}

void paintLines(Dc& dc, const QFont& font, const LaidOutText& text, const Rect& rect, std::int64_t y,
                unsigned format) {
  QImage& img = dc.target();
  if (text.lines.empty() || img.isNull()) return;
  QPainter p(&img);
  if (!p.isActive()) return;
  ApplyClip(p, dc);
  paintLinesWith(p, font, dc.textColor(), text, rect, y, format);
}

}  // namespace

std::uint64_t TextGeneration() {
  ShapedText::current();  // what it keeps goes as soon as it is out of date
  return ShapedText::generation_;
}

int DrawTextA(Dc& dc, const QString& text, Rect& rect, unsigned format) {
  QImage& img = dc.target();
  if (!img.isNull()) matchScreenDpi(img);
  const QFont font = dc.qfont();
  const LaidOutText laidOut = layOut(text, font, rect, format);
  if (format & DT_CALCRECT) {
    rect.right = wrapAdd(rect.left, laidOut.widest());
    rect.bottom = wrapAdd(rect.top, laidOut.height());
    return laidOut.height();
  }
  const std::int64_t top = firstLineTop(rect, format, laidOut.lineHeight);
  paintLines(dc, font, laidOut, rect, top, format);
  return static_cast<int>(top - rect.top) + laidOut.height();
}

void DrawTextWith(QPainter& painter, const QFont& font, ColorRef colour, const QString& text,
                  const Rect& rect, unsigned format) {
  const LaidOutText laidOut = layOut(text, font, rect, format);
  if (laidOut.lines.empty()) return;
  painter.save();
  paintLinesWith(painter, font, colour, laidOut, rect, firstLineTop(rect, format, laidOut.lineHeight),
                 format);
  painter.restore();
}

}  // namespace kelvane::gdi
