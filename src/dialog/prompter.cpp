#include "dialog/prompter.h"

#include "platform/appidentity.h"

#include <QInputDialog>
#include <QMessageBox>

namespace qelvo::dialog
{

namespace
{
QMessageBox::Icon toQt(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Critical:
        return QMessageBox::Critical;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(Prompter::Buttons buttons)
{
    switch (buttons) {
    case Prompter::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompter::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompter::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompter::Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QString titleOf(const QString &title)
{
    return title.isEmpty() ? QString::fromLatin1(kAppTitle) : title;
}
} // namespace

Prompter::Answer QtPrompter::ask(const Message &message)
{
    QMessageBox box(toQt(message.icon), titleOf(message.title), message.text, toQt(message.buttons),
                    m_parent);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        break;
    }
    // Closed by its title-bar button or Escape.
    switch (message.buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString QtPrompter::input(const QString &prompt, const QString &title, const QString &initial)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, titleOf(title), prompt, QLineEdit::Normal, initial, &ok);
    return ok ? text : QString();
}

} // namespace qelvo::dialog
