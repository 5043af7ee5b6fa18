#include "slideshow/textbox.h"

#include "platform/fonts.h"

namespace qelvo::slideshow {

TextBox::TextBox(const QColor &color, int pointSize, QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFont(uiGothicFont(pointSize));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void TextBox::setBoxText(const QString &text)
{
    m_text = text;
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setText(shown);
}

} // namespace qelvo::slideshow
