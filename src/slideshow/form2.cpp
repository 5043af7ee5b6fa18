#include "slideshow/form2.h"

#include "platform/screens.h"
#include "startup/module1.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace qelvo {

Form2::Form2(const AppIdentity &identity, QWidget *parent) : QDialog(parent), m_identity(identity)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setStyleSheet(QStringLiteral("background-color: black;"));
}

void Form2::Form_Load()
{
    setGeometry(primaryScreenGeometry());
}

void Form2::keyPressEvent(QKeyEvent *)
{
    RestoreCursor();
    QCoreApplication::exit(0);
}

void Form2::mousePressEvent(QMouseEvent *)
{
    RestoreCursor();
    close();
}

} // namespace qelvo
