#pragma once
// Text output in a rectangle with the DT_ format flags: prefixes, word breaks, alignment.
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gdi/dc.h"

namespace kelvane::gdi {

inline constexpr unsigned DT_TOP = 0x0;
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;
inline constexpr unsigned DT_BOTTOM = 0x8;
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_NOCLIP = 0x100;
inline constexpr unsigned DT_CALCRECT = 0x400;
inline constexpr unsigned DT_NOPREFIX = 0x800;
inline constexpr unsigned DT_HIDEPREFIX = 0x100000;

// The text as shown: "&&" becomes "&", "&x" becomes x marked for underlining, a final lone "&"
// is dropped. Without prefix processing the text is shown as it is.
struct ShownText {
  QString text;
  std::vector<qsizetype> underlined;  // indices into text
};
ShownText StripPrefixes(const QString& text);

// One line of shown text: text.mid(start, length), `width` pixels wide.
struct TextLine {
  qsizetype start = 0;
  qsizetype length = 0;
  int width = 0;
  friend bool operator==(const TextLine&, const TextLine&) = default;
};
using Measure = std::function<int(const QString&)>;

// Splits at CR, LF and CR LF (unless DT_SINGLELINE) and, with DT_WORDBREAK, between words so that
// each line fits maxWidth where it can; a word wider than that stays whole on its own line. The
// spaces at a wrap belong to no line. A final line break starts no further line; empty text has
// no lines.
std::vector<TextLine> BreakLines(const QString& shown, int maxWidth, unsigned format, const Measure& measure);

// Draws the text in the context's font and text colour, with no background, clipped to `rect`
// unless DT_NOCLIP. DT_VCENTER and DT_BOTTOM act only with DT_SINGLELINE. With DT_CALCRECT draws
// nothing and sets right = left + widest line, bottom = top + lines × line height. Returns the
// height of the text. The text arrives as Unicode, so no code page conversion is needed.
int DrawTextA(Dc& dc, const QString& text, Rect& rect, unsigned format);

// What DrawTextA draws (not DT_CALCRECT), through a painter of any resolution: on a scaled screen
// the text comes out at the screen's own pixels instead of the surface's, in the same place.
void DrawTextWith(QPainter& painter, const QFont& font, ColorRef colour, const QString& text,
                  const Rect& rect, unsigned format);

// Changes whenever the same text in the same font may come out differently: the screen's
// resolution or the installed fonts changed, or another application began.
std::uint64_t TextGeneration();

}  // namespace kelvane::gdi
