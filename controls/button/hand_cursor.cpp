#include "controls/button/hand_cursor.h"

#include <QImage>
#include <array>

namespace kelvane::controls {

namespace {

// '#' outline, '.' palm, ' ' transparent. The fingertip is column 4 of row 0.
constexpr std::array<const char*, 18> kHand{{
    "    ##          ",  //
    "   #..#         ",  //
    "   #..#         ",  //
    "   #..#         ",  //
    "   #..###       ",  //
    "   #..#..###    ",  //
    "   #..#..#..### ",  //
    "## #..#..#..#..#",  //
    "#..##..........#",  //
    "#...#..........#",  //
    " #.............#",  //
    "  #............#",  //
    "  #...........# ",  //
    "   #..........# ",  //
    "   #.........#  ",  //
    "    #........#  ",  //
    "    #........#  ",  //
    "    ##########  ",  //
}};

// A mouse icon's hot spot is the middle of the picture, so the fingertip is put there.
constexpr int kSide = 36;
constexpr int kTipColumn = 4;
constexpr int kOffsetX = kSide / 2 - kTipColumn;
constexpr int kOffsetY = kSide / 2;

QImage DrawHand() {
  QImage img(kSide, kSide, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  for (int row = 0; row < static_cast<int>(kHand.size()); ++row) {
    for (int col = 0; kHand[row][col] != '\0'; ++col) {
      const char c = kHand[row][col];
      if (c == ' ') continue;
      img.setPixel(kOffsetX + col, kOffsetY + row, c == '#' ? 0xFF000000u : 0xFFFFFFFFu);
    }
  }
  return img;
}

}  // namespace

const host::Picture& HandCursorPicture() {
  static const host::Picture hand = host::Picture::fromIcon(DrawHand());
  return hand;
}

}  // namespace kelvane::controls
