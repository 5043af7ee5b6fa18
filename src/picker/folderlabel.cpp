#include "picker/folderlabel.h"

#include <QPainter>
#include <QTextOption>

namespace qelvo::picker
{

FolderLabel::FolderLabel(QWidget *parent) : QWidget(parent) {}

void FolderLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
}

void FolderLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    painter.drawText(QRectF(rect()), m_text, option);
}

} // namespace qelvo::picker
