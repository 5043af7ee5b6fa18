#pragma once

#include <QFont>
#include <QRect>

namespace qelvo
{

// The dialogs' face: "MS UI Gothic" where it exists, else a Japanese-capable
// sans face at the same point size.
[[nodiscard]] QFont uiGothicFont(int pointSize);

// The point size the windows' texts share: the dialogs and the show's status lines.
inline constexpr int kUiPointSize = 9;

// The windows are laid out for a line of this many pixels, what IPAGothic
// takes at 9 points, about what "MS UI Gothic" takes. Taller faces (Noto Sans
// CJK JP takes 18) grow every text row by the difference.
inline constexpr int kDesignLineHeight = 13;

// The pixels a line of text takes in font, rounded up (Noto Sans CJK JP's
// 17.4 takes 18), and how many more that is than the design's line, 0 or more.
[[nodiscard]] int lineHeight(const QFont &font);
[[nodiscard]] int extraLineHeight(const QFont &font);

// Places a column's controls from top to bottom: each keeps its design place,
// moved down by what the rows above it grew, and takes the height it needs
// where that is more than its design height. Controls of one row share a top;
// place them in the order of their design tops.
class GrowingColumn
{
public:
    explicit GrowingColumn(int shift = 0) : m_shift(shift) {}
    QRect place(const QRect &design, int neededHeight = 0);
    // How far the next row down moves.
    [[nodiscard]] int growth() const { return m_shift + m_rowGrowth; }

private:
    int m_shift = 0;
    int m_rowTop = -1;
    int m_rowGrowth = 0;
};

} // namespace qelvo
