#include "platform/fonts.h"

#include <QStringList>

namespace qelvo
{

QFont uiGothicFont(int pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS UI Gothic"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Sans Serif")});
    font.setPointSize(pointSize);
    return font;
}

} // namespace qelvo
