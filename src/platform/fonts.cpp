#include "platform/fonts.h"

#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

namespace qelvo
{

QFont uiGothicFont(int pointSize)
{
    // After the design face, the faces whose line comes nearest its 13 pixels
    // (IPAGothic 13, VL Gothic 12, IPAexGothic 13 with wider Latin letters),
    // then Noto Sans CJK JP (18), which the windows grow for. Droid Sans
    // Fallback's Latin letters are half as wide again as the others', so with
    // it the letters come from the desktop's usual sans face (DejaVu Sans) and
    // only the Japanese from Droid.
    QFont font;
    font.setFamilies(
        {QStringLiteral("MS UI Gothic"), QStringLiteral("IPAGothic"), QStringLiteral("VL Gothic"),
         QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
         QStringLiteral("DejaVu Sans"), QStringLiteral("Droid Sans Fallback"), QStringLiteral("Sans Serif")});
    font.setPointSize(pointSize);
    return font;
}

int lineHeight(const QFont &font)
{
    // Laid out, so that a line of Latin letters from one face and Japanese
    // from another counts the taller of the two.
    return QFontMetrics(font)
        .boundingRect(QRect(0, 0, 1000, 1000), Qt::AlignLeft | Qt::AlignTop, QStringLiteral(u"Aあ"))
        .height();
}

int extraLineHeight(const QFont &font)
{
    return std::max(0, lineHeight(font) - kDesignLineHeight);
}

QRect GrowingColumn::place(const QRect &design, int neededHeight)
{
    if (design.top() != m_rowTop) {
        m_shift += m_rowGrowth;
        m_rowGrowth = 0;
        m_rowTop = design.top();
    }
    const int height = std::max(design.height(), neededHeight);
    m_rowGrowth = std::max(m_rowGrowth, height - design.height());
    return {design.left(), design.top() + m_shift, design.width(), height};
}

} // namespace qelvo
