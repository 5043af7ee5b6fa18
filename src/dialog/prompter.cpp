#include "dialog/prompter.h"

#include "dialog/texts.h"
#include "platform/appidentity.h"
#include "platform/standarderror.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>

#include <algorithm>

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

// The buttons speak the dialog's language, with its accelerators.
void nameButtons(QMessageBox &box)
{
    const std::pair<QMessageBox::StandardButton, const char *> names[] = {
        {QMessageBox::Ok, texts::kButtonOk},
        {QMessageBox::Cancel, texts::kButtonCancel},
        {QMessageBox::Yes, texts::kButtonYes},
        {QMessageBox::No, texts::kButtonNo}};
    for (const auto &[button, text] : names)
        if (QAbstractButton *b = box.button(button))
            b->setText(tr8(text));
}

QString titleOf(const QString &title)
{
    return title.isEmpty() ? QString::fromLatin1(kAppTitle) : title;
}

// A message box wraps its text at about 500 pixels, which leaves the last
// character or two of a long Japanese line alone on a line of its own. Lines
// that fit the screen are kept whole instead.
void keepLinesWhole(QMessageBox &box)
{
    constexpr int kUnbounded = 1 << 20;
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return;
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString &line : box.text().split(QLatin1Char('\n')))
        // Laid out as the label lays it out: a face's fractional advances
        // (at 2x, or Latin and Japanese from two faces) may round up.
        widest = std::max(
            widest,
            metrics.boundingRect(QRect(0, 0, kUnbounded, kUnbounded), Qt::AlignLeft | Qt::AlignTop, line)
                .width());
    const QScreen *screen = box.screen();
    const int room = screen ? screen->availableGeometry().width() * 3 / 4 : widest;
    label->setMinimumWidth(std::min(widest, room));
}

// Ctrl+C copies the whole box as text, title, message and buttons between
// rules, as message boxes do on other systems, so that a message can be passed
// on as the user read it.
void copyOnCtrlC(QMessageBox &box)
{
    auto *copy = new QShortcut(QKeySequence::Copy, &box);
    QObject::connect(copy, &QShortcut::activated, &box, [&box] {
        const QString rule = QStringLiteral("---------------------------\n");
        QStringList buttons;
        for (QAbstractButton *button : box.buttons())
            buttons << button->text().remove(QRegularExpression(QStringLiteral("&(?=[^&])")));
        QGuiApplication::clipboard()->setText(rule + box.windowTitle() + QLatin1Char('\n') + rule +
                                              box.text() + QLatin1Char('\n') + rule +
                                              buttons.join(QStringLiteral("   ")) + QLatin1Char('\n') + rule);
    });
}
} // namespace

std::unique_ptr<QMessageBox> QtPrompter::messageBox(const Message &message, QWidget *parent)
{
    auto box = std::make_unique<QMessageBox>(toQt(message.icon), titleOf(message.title), message.text,
                                             toQt(message.buttons), parent);
    nameButtons(*box);
    keepLinesWhole(*box);
    copyOnCtrlC(*box);
    return box;
}

Prompter::Answer QtPrompter::ask(const Message &message)
{
    const std::unique_ptr<QMessageBox> box = messageBox(message, m_parent);
    switch (box->exec()) {
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
    return closedAnswer(message.buttons);
}

QString QtPrompter::input(const QString &prompt, const QString &title, const QString &initial)
{
    QInputDialog box(m_parent);
    box.setWindowTitle(titleOf(title));
    box.setLabelText(prompt);
    box.setTextValue(initial);
    box.setOkButtonText(tr8(texts::kButtonOk));
    box.setCancelButtonText(tr8(texts::kButtonCancel));
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

Prompter::Answer StandardErrorPrompter::ask(const Message &message)
{
    tellStandardError(message.text);
    return closedAnswer(message.buttons);
}

QString StandardErrorPrompter::input(const QString &prompt, const QString &, const QString &)
{
    tellStandardError(prompt);
    return {};
}

} // namespace qelvo::dialog
