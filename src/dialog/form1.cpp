#include "dialog/form1.h"

#include "dialog/form1internal.h"
#include "dialog/listops.h"
#include "dialog/settingsload.h"
#include "platform/clock.h"
#include "platform/filesystem.h"
#include "platform/fonts.h"
#include "platform/screens.h"
#include "qelvo/version.h"
#include "settings/numbers.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QTimer>

#include <algorithm>

namespace qelvo
{

namespace
{

constexpr int kEscape = 27;
// The client area: 4575 x 5025 twips.
constexpr int kClientWidth = twipsToPixels(4575);
constexpr int kClientHeight = twipsToPixels(5025);
// The sample area's top-left corner and design size, in twips.
constexpr int kImage1Left = 2880;
constexpr int kImage1Top = 420;
constexpr int kImage1Width = 1500;
constexpr int kImage1Height = 996;

// Where every control sits, in pixels, for the design's line height (taller
// faces grow the rows, see buildControls). Each caption must
// show whole at that size: the sample caption and the entry count take two
// lines when their numbers grow ("サンプル(60000x45000)" is wider than the
// picture), the number boxes sit under their captions so that a value such as
// 1.234568E+07 shows in full, and the sample switch has a row of its own.
namespace place
{
// The caption sits above the picture and reaches the window's edge; two lines
// end at the picture's top.
constexpr QRect kLabel3(twipsToPixels(kImage1Left), 0, kClientWidth - twipsToPixels(kImage1Left),
                        twipsToPixels(kImage1Top));
constexpr QRect kImage1(twipsToPixels(kImage1Left), twipsToPixels(kImage1Top), twipsToPixels(kImage1Width),
                        twipsToPixels(kImage1Height));
// Left column.
constexpr QRect kLabel1(8, 4, 180, 16);
constexpr QRect kCombo1(8, 20, 176, 22);
constexpr QRect kLabel2(8, 42, 180, 30); // two lines, the lower one just above the list
constexpr QRect kList1(8, 72, 176, 112);
constexpr QRect kCheck1(8, 185, 94, 19);
constexpr QRect kCheck2(104, 185, 82, 19);
constexpr QRect kCheck4(8, 204, 94, 19);
constexpr QRect kCheck3(8, 223, 176, 19);
// Right column, below the largest picture (1000 twips high) with a gap.
constexpr QRect kCommand1(192, 100, 51, 22);
constexpr QRect kCommand2(246, 100, 51, 22);
constexpr QRect kCommand3(192, 124, 51, 22);
constexpr QRect kCommand4(246, 124, 51, 22);
constexpr QRect kCommand5(192, 148, 105, 22);
constexpr QRect kLabel4(192, 172, 105, 14);
constexpr QRect kText1(192, 186, 105, 20);
constexpr QRect kLabel5(192, 208, 105, 14);
constexpr QRect kText2(192, 222, 105, 20);
// The wallpaper modes across the bottom.
constexpr QRect kFrame1(8, 244, 289, 86);
constexpr int kOptionLeft = 10;
constexpr int kOptionTop = 18;
constexpr int kOptionPitch = 16;
constexpr int kOptionWidth = 270;
constexpr int kOptionRows = 4;
} // namespace place

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

Form1::Form1(const AppIdentity &identity, Hooks hooks, QWidget *parent)
    : QMainWindow(parent), m_identity(identity), m_prompter(std::make_unique<dialog::QtPrompter>(this)),
      m_clock(&systemClock()), m_hooks(std::move(hooks)), m_image1Size(kImage1Width, kImage1Height)
{
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(uiGothicFont(kUiPointSize));
    buildControls();
    buildMenus();
    connectHandlers();
}

Form1::~Form1() = default;

void Form1::setPrompter(std::unique_ptr<dialog::Prompter> prompter)
{
    m_prompter = std::move(prompter);
}
void Form1::setClock(const Clock &clock)
{
    m_clock = &clock;
}

void Form1::buildControls()
{
    // A face with a taller line than the design's grows every text row by the
    // difference (per line), and the rows below move down with it.
    const int extra = extraLineHeight(font());
    // The control's place in its column, n lines of text taller by extra each.
    const auto grown = [extra](GrowingColumn &column, const QRect &design, int n) {
        return column.place(design, design.height() + n * extra);
    };
    GrowingColumn left;
    GrowingColumn right;

    auto *client = new QWidget(this);
    setCentralWidget(client);

    // Left column: lists; right column: sample, buttons, numbers; frame below.
    Label1 = named(new QLabel(tr8(t::kLabel1), client), "Label1");
    Label1->setGeometry(grown(left, place::kLabel1, 1));
    Combo1 = named(new QComboBox(client), "Combo1");
    Combo1->setGeometry(grown(left, place::kCombo1, 1));
    Combo1->setToolTip(tr8(t::kCombo1Tip));
    Label2 = named(new QLabel(tr8(t::kLabel2), client), "Label2");
    Label2->setGeometry(grown(left, place::kLabel2, 2));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    Label2->setWordWrap(true);
    List1 = named(new QListView(client), "List1");
    List1->setGeometry(left.place(place::kList1));
    List1->setToolTip(tr8(t::kList1Tip));
    List1->setUniformItemSizes(true);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list1Model = new QStringListModel(this);
    List1->setModel(m_list1Model);

    Check1 = named(new QCheckBox(tr8(t::kCheck1), client), "Check1");
    Check1->setGeometry(grown(left, place::kCheck1, 1));
    Check1->setToolTip(tr8(t::kCheck1Tip));
    Check2 = named(new QCheckBox(tr8(t::kCheck2), client), "Check2");
    Check2->setGeometry(grown(left, place::kCheck2, 1));
    Check2->setToolTip(tr8(t::kCheck2Tip));
    Check2->setChecked(true);
    Check4 = named(new QCheckBox(tr8(t::kCheck4), client), "Check4");
    Check4->setGeometry(grown(left, place::kCheck4, 1));
    Check4->setToolTip(tr8(t::kCheck4Tip));
    Check4->setChecked(true);
    Check3 = named(new QCheckBox(tr8(t::kCheck3), client), "Check3");
    Check3->setGeometry(grown(left, place::kCheck3, 1));
    Check3->setToolTip(tr8(t::kCheck3Tip));
    Check3->setChecked(true);

    Label3 = named(new QLabel(tr8(t::kSample), client), "Label3");
    Label3->setGeometry(grown(right, place::kLabel3, 2));
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    Label3->setWordWrap(true);
    Image1 = named(new QLabel(client), "Image1");
    Image1->setGeometry(right.place(place::kImage1));
    Image1->setToolTip(tr8(t::kImage1Tip));
    Image1->setScaledContents(true);

    const auto button = [&](const char *name, const char *text, const char *tip, QRect where) {
        auto *b = named(new QPushButton(tr8(text), client), name);
        b->setGeometry(grown(right, where, 1));
        b->setToolTip(tr8(tip));
        b->setAutoDefault(false);
        return b;
    };
    Command1 = button("Command1", t::kCommand1, t::kCommand1Tip, place::kCommand1);
    Command2 = button("Command2", t::kCommand2, t::kCommand2Tip, place::kCommand2);
    Command3 = button("Command3", t::kCommand3, t::kCommand3Tip, place::kCommand3);
    Command4 = button("Command4", t::kCommand4, t::kCommand4Tip, place::kCommand4);
    Command5 = button("Command5", t::kCommand5, t::kCommand5Tip, place::kCommand5);

    Label4 = named(new QLabel(tr8(t::kLabel4), client), "Label4");
    Label4->setGeometry(grown(right, place::kLabel4, 1));
    Text1 = named(new QLineEdit(tr8(t::kText1Initial), client), "Text1");
    Text1->setGeometry(grown(right, place::kText1, 1));
    Text1->setToolTip(tr8(t::kText1Tip));
    Label5 = named(new QLabel(tr8(t::kLabel5), client), "Label5");
    Label5->setGeometry(grown(right, place::kLabel5, 1));
    Text2 = named(new QLineEdit(tr8(t::kText2Initial), client), "Text2");
    Text2->setGeometry(grown(right, place::kText2, 1));
    Text2->setToolTip(tr8(t::kText2Tip));

    // The frame's title and its four rows grow a line each.
    GrowingColumn bottom(std::max(left.growth(), right.growth()));
    Frame1 = named(new QGroupBox(tr8(t::kFrame1), client), "Frame1");
    Frame1->setGeometry(grown(bottom, place::kFrame1, 1 + place::kOptionRows));
    const int optionTop = place::kOptionTop + extra;
    const int optionPitch = place::kOptionPitch + extra;
    for (int i = 0; i < static_cast<int>(Option1.size()); ++i) {
        Option1[i] = new QRadioButton(tr8(t::kOption1[i]), Frame1);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        Option1[i]->setToolTip(tr8(t::kOption1Tip[i]));
        Option1[i]->setGeometry(place::kOptionLeft, optionTop + optionPitch * i, place::kOptionWidth,
                                optionPitch);
    }
    Option1[settings::kChangerOff]->setChecked(true);
    client->setFixedSize(kClientWidth, kClientHeight + bottom.growth());

    // The dialog sees key presses before its controls (Escape closes it).
    for (QWidget *w : client->findChildren<QWidget *>())
        w->installEventFilter(this);
    for (QLineEdit *box : {Text1, Text2})
        box->installEventFilter(this);
}

void Form1::buildMenus()
{
    QMenu *file = menuBar()->addMenu(tr8(t::kMnuFile));
    file->setObjectName(QStringLiteral("mnuFile"));
    const auto item = [this](QMenu *menu, const char *name, const char *text, QKeySequence keys, bool enabled,
                             void (Form1::*handler)()) {
        QAction *action = menu->addAction(tr8(text));
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        action->setEnabled(enabled);
        if (handler)
            connect(action, &QAction::triggered, this, [this, handler] {
                if (handler == &Form1::mnuFileExit_Click || !refusedNumber())
                    (this->*handler)();
            });
        return action;
    };
    item(file, "mnuFileNew", t::kMnuFileNew, QKeySequence(Qt::CTRL | Qt::Key_N), true,
         &Form1::mnuFileNew_Click);
    item(file, "mnuFileRename", t::kMnuFileRename, QKeySequence(Qt::CTRL | Qt::Key_M), true,
         &Form1::mnuFileRename_Click);
    item(file, "mnuFileDell", t::kMnuFileDell, {}, true, &Form1::mnuFileDell_Click);
    file->addSeparator();
    item(file, "mnuFileOpen", t::kMnuFileOpen, QKeySequence(Qt::CTRL | Qt::Key_O), false, nullptr);
    item(file, "mnuFileOut", t::kMnuFileOut, {}, false, nullptr);
    file->addSeparator();
    QAction *save =
        item(file, "mnuFileSave", t::kMnuFileSave, QKeySequence(Qt::CTRL | Qt::Key_S), true, nullptr);
    connect(save, &QAction::triggered, this, [this] {
        if (!refusedNumber())
            (void)mnuFileSave_Click();
    });
    file->addSeparator();
    item(file, "mnuFileExit", t::kMnuFileExit, {}, true, &Form1::mnuFileExit_Click);

    QMenu *help = menuBar()->addMenu(tr8(t::kMnuHelp));
    help->setObjectName(QStringLiteral("mnuHelp"));
    item(help, "mnuHelpContents", t::kMnuHelpContents, {}, false, nullptr);
    item(help, "mnuHelpSearch", t::kMnuHelpSearch, {}, false, nullptr);
    help->addSeparator();
    item(help, "mnuHelpAbout", t::kMnuHelpAbout, {}, true, &Form1::mnuHelpAbout_Click);
}

void Form1::connectHandlers()
{
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(List1->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!m_selectingRow)
            List1_Click();
    });
    // A click on the row already selected shows it again when the sample is
    // empty, as after switching the sample back on.
    connect(List1, &QListView::clicked, this, [this] {
        if (Image1->pixmap().isNull())
            List1_Click();
    });
    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
    connect(Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });
    connect(Check3, &QCheckBox::toggled, this, [this] { Check3_Click(); });
    connect(Check4, &QCheckBox::toggled, this, [this] { Check4_Click(); });
    for (int i = 0; i < static_cast<int>(Option1.size()); ++i) {
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Option1_Click(i);
        });
    }
    const std::pair<QPushButton *, void (Form1::*)()> commands[] = {{Command1, &Form1::Command1_Click},
                                                                    {Command2, &Form1::Command2_Click},
                                                                    {Command3, &Form1::Command3_Click},
                                                                    {Command4, &Form1::Command4_Click},
                                                                    {Command5, &Form1::Command5_Click}};
    for (const auto &[button, handler] : commands) {
        // A copy: clang before 16 cannot capture a structured binding.
        connect(button, &QPushButton::clicked, this, [this, handler = handler] {
            if (!refusedNumber())
                (this->*handler)();
        });
    }
}

dialog::Prompter::Answer Form1::say(const QString &text, Icon icon, Buttons buttons, const QString &title)
{
    return m_prompter->ask({title, text, icon, buttons});
}

int Form1::currentList() const
{
    const int c = Combo1->currentIndex();
    return c >= 0 && c < settings::kSlotCount ? c : -1;
}

// ---- Start-up ----

void Form1::Form_Load()
{
    m_lastListIndex = -1;
    setWindowTitle(tr8(t::kCaptionPrefix) + QString::number(version::kMajor));
    setFixedSize(sizeHint());
    const QRect screen = primaryScreenGeometry();
    move(screen.center() - rect().center());

    const bool existed = m_settingsFile.isFile();
    bool restored = false;
    const auto setFolder = [this, &restored](const QString &folder) {
        restored = m_hooks.setPickerFolder && m_hooks.setPickerFolder(folder);
        return restored;
    };
    const dialog::PickerPlace place{setFolder, m_hooks.setPickerDrive, m_hooks.pickerDriveOf};
    const dialog::LoadedSettings loaded = dialog::loadDialogSettings(m_settingsFile.readText(), place);
    // Saving destroys the picker; the next one must open at the restored
    // folder too, or a second save would store another folder.
    if (restored && m_hooks.rememberPickerPlace)
        m_hooks.rememberPickerPlace();

    // What was read before an error stays in the dialog, as it was read.
    if (loaded.WPChanger)
        Option1[*loaded.WPChanger]->setChecked(true);
    if (loaded.WPIndex)
        m_wpIndex = *loaded.WPIndex;
    m_slots = loaded.listSlots;
    m_lastListIndex = loaded.LastListIndex;
    {
        const QSignalBlocker block(Combo1);
        Combo1->addItems(loaded.comboItems);
        Combo1->setCurrentIndex(-1);
    }
    if (!loaded.ok) {
        m_settingsFile.setKeepBeforeSave(existed);
        say(tr8(t::kReadError), Icon::Information);
        return;
    }
    Combo1->setCurrentIndex(loaded.selection);
    Combo1_Click();
    m_dataChanged = false;
}

// ---- Saving and leaving ----

bool Form1::mnuFileSave_Click()
{
    if (const auto failed = m_settingsFile.keepBeforeSave()) {
        say(tr8(t::kBackupFailed).arg(failed->file, failureReason(*failed)), Icon::Critical);
        return false;
    }
    const settings::DialogState state{m_hooks.pickerFolder(), Combo1->currentIndex(), m_wpChanger, m_wpIndex,
                                      m_clock->now()};
    const int lists = std::clamp(m_lastListIndex + 1, 0, settings::kSlotCount);
    const auto failed =
        m_settingsFile.save(state, std::span<const settings::SettingList>(m_slots.data(), lists));
    m_hooks.destroyPicker();
    if (failed) {
        // Unlike a silent failure, this keeps the changes marked unsaved, so the
        // close guard still asks.
        say(tr8(t::kSaveFailed).arg(QDir::toNativeSeparators(failed->file), failureReason(*failed)),
            Icon::Critical);
        return false;
    }
    m_dataChanged = false;
    return true;
}

QString Form1::failureReason(const settings::SaveFailure &failure) const
{
    switch (failure.problem) {
    case WriteProblem::NoPermission:
        return tr8(t::kWriteNoPermission);
    case WriteProblem::DiskFull:
        return tr8(t::kWriteDiskFull);
    case WriteProblem::ReadOnly:
        return tr8(t::kWriteReadOnly);
    case WriteProblem::FolderInPlace:
        return tr8(t::kWriteFolderInPlace);
    case WriteProblem::Missing:
        return tr8(t::kWriteMissing);
    case WriteProblem::Other:
        break;
    }
    return failure.systemText;
}

bool Form1::Form_QueryUnload()
{
    if (m_dataChanged) {
        switch (say(tr8(t::kSaveConfirm), Icon::Question, Buttons::YesNoCancel, tr8(t::kSaveConfirmTitle))) {
        case Answer::Yes:
            // A save that failed has told the user why; staying open keeps the data.
            if (!mnuFileSave_Click())
                return false;
            break;
        case Answer::No:
            break;
        default:
            return false;
        }
    }
    m_hooks.destroyPicker();
    return true;
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (Form_QueryUnload())
        event->accept();
    else
        event->ignore();
}

void Form1::mnuFileExit_Click()
{
    const auto quit = m_hooks.quit;
    if (close() && quit)
        quit();
}

void Form1::Command5_Click()
{
    if (m_dataChanged) {
        if (say(tr8(t::kPreviewSave), Icon::None, Buttons::YesNo) != Answer::Yes)
            return;
        (void)mnuFileSave_Click();
    }
    if (m_hooks.showPreview)
        m_hooks.showPreview();
}

// ---- Option controls ----

void Form1::textChanged(QLineEdit *box, float settings::SettingList::*field)
{
    const int c = currentList();
    if (const auto value = dialog::readNumber(box->text()); value && c >= 0)
        m_slots[c].*field = *value;
    m_dataChanged = true;
}

void Form1::Text1_Change()
{
    textChanged(Text1, &settings::SettingList::ChgTime);
}
void Form1::Text2_Change()
{
    textChanged(Text2, &settings::SettingList::ZoomMax);
}

void Form1::Text1_GotFocus()
{
    Text1->selectAll();
}
void Form1::Text2_GotFocus()
{
    Text2->selectAll();
}

void Form1::lostFocus(QLineEdit *box)
{
    // The same test as the change handler's, so that whatever passes here is stored.
    m_noticePending = false;
    if (dialog::readNumber(box->text()))
        return;
    // While the notice is up and the focus goes back, the other box losing the
    // focus must not raise its own notice (two empty boxes would ping-pong).
    m_inLostFocus = true;
    say(tr8(dialog::numberTooLarge(box->text()) ? t::kNumberTooLarge : t::kNotNumeric));
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    m_inLostFocus = false;
}

// A command must not run behind a refused number: when a box holds text it
// cannot take, its notice shows (unless it is already on its way) and the
// focus goes back to it instead.
bool Form1::refusedNumber()
{
    for (QLineEdit *box : {Text1, Text2}) {
        if (dialog::readNumber(box->text()))
            continue;
        if (!m_noticePending && !m_inLostFocus)
            lostFocus(box);
        return true;
    }
    return false;
}

void Form1::Text1_LostFocus()
{
    lostFocus(Text1);
}
void Form1::Text2_LostFocus()
{
    lostFocus(Text2);
}

void Form1::checkClicked(QCheckBox *box, std::uint8_t settings::SettingList::*field)
{
    if (const int c = currentList(); c >= 0)
        m_slots[c].*field = box->isChecked() ? 1 : 0;
    m_dataChanged = true;
}

void Form1::Check1_Click()
{
    checkClicked(Check1, &settings::SettingList::RandomView);
}
void Form1::Check2_Click()
{
    checkClicked(Check2, &settings::SettingList::MouseDisable);
}
void Form1::Check4_Click()
{
    checkClicked(Check4, &settings::SettingList::Effect);
}

void Form1::Check3_Click()
{
    if (Check3->isChecked()) {
        clearSample();
        Label3->setText(tr8(t::kSampleOff));
    } else {
        Label3->setText(tr8(t::kSample));
    }
}

void Form1::Option1_Click(int index)
{
    m_wpChanger = index;
    m_dataChanged = true;
}

void Form1::Form_KeyPress(int keyAscii)
{
    if (keyAscii == kEscape)
        close();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            Form_KeyPress(kEscape);
            return true;
        }
        break;
    case QEvent::FocusIn:
        if (watched == Text1 || watched == Text2) {
            // After the click that gave the focus has placed the cursor.
            const bool first = watched == Text1;
            QTimer::singleShot(0, this, [this, first] { first ? Text1_GotFocus() : Text2_GotFocus(); });
        }
        break;
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // Another window or a menu taking the focus is not leaving the box.
        if ((watched == Text1 || watched == Text2) && !m_inLostFocus &&
            reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            const bool first = watched == Text1;
            // Known at once, so that the click that took the focus can be refused.
            if (!dialog::readNumber(static_cast<QLineEdit *>(watched)->text()))
                m_noticePending = true;
            QTimer::singleShot(0, this, [this, first] { first ? Text1_LostFocus() : Text2_LostFocus(); });
        }
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- About box ----

void Form1::mnuHelpAbout_Click()
{
    say(dialog::aboutText(m_identity.baseName, versionText(), QString::fromUtf8(version::kLegalNotice)));
}

} // namespace qelvo
