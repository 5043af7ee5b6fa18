#include "dialog/form1.h"

#include "dialog/texts.h"
#include "qelvo/version.h"

namespace qelvo {

Form1::Form1(const AppIdentity &identity, QWidget *parent) : QMainWindow(parent), m_identity(identity) {}

void Form1::Form_Load()
{
    setWindowTitle(QString::fromUtf8(dialog::texts::kCaptionPrefix) + QString::number(version::kMajor));
    resize(305, 335);
}

} // namespace qelvo
