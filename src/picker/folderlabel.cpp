#include "picker/folderlabel.h"

#include <QFontMetrics>
#include <QPainter>

namespace qelvo::picker
{

namespace
{
constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere;
}

FolderLabel::FolderLabel(QWidget *parent) : QWidget(parent) {}

void FolderLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
}

bool FolderLabel::fits(const QString &text) const
{
    const QRect box = rect();
    const QRect needed = fontMetrics().boundingRect(QRect(0, 0, box.width(), 1 << 20), kFlags, text);
    return needed.height() <= box.height();
}

QString FolderLabel::shownText() const
{
    if (fits(m_text))
        return m_text;
    const QString dots = QStringLiteral("...");
    // The longest end of the path that fits behind the dots; whole code points
    // only, so a character outside the BMP is never cut in half.
    const QList<uint> codePoints = m_text.toUcs4();
    qsizetype low = 0;
    qsizetype high = codePoints.size();
    const auto tail = [&codePoints](qsizetype n) {
        return QString::fromUcs4(
            reinterpret_cast<const char32_t *>(codePoints.constData() + codePoints.size() - n), n);
    };
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (fits(dots + tail(mid)))
            low = mid;
        else
            high = mid - 1;
    }
    return dots + tail(low);
}

void FolderLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), kFlags, shownText());
}

} // namespace qelvo::picker
