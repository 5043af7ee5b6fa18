#include "picker/form3.h"

#include "picker/folderbrowse.h"
#include "picker/folderlabel.h"
#include "picker/foldertree.h"
#include "picker/pickrules.h"
#include "picker/texts.h"
#include "platform/appidentity.h"
#include "platform/filesystem.h"
#include "platform/fonts.h"
#include "platform/imagedecoder.h"
#include "platform/pathbytes.h"
#include "platform/previewpixmap.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <limits>

namespace qelvo
{

namespace
{

constexpr int kFolderLabelLines = 3;

using picker::tr8;

// A control's place, given in twips like the rest of the layout.
QRect twips(int left, int top, int width, int height)
{
    return {picker::visiblePixels(left), picker::visiblePixels(top), picker::visiblePixels(width),
            picker::visiblePixels(height)};
}

// The drive box reads the mounted roots again whenever it opens, so media
// plugged in while the picker is open can be chosen.
class DriveBox : public QComboBox
{
public:
    DriveBox(std::function<void()> beforePopup, QWidget *parent)
        : QComboBox(parent), m_beforePopup(std::move(beforePopup))
    {
    }
    void showPopup() override
    {
        m_beforePopup();
        QComboBox::showPopup();
    }

private:
    std::function<void()> m_beforePopup;
};

} // namespace

Form3::Form3(const FileSystem &fs, picker::DriveSource drives, picker::DriveFolders &driveFolders,
             picker::MessageHook message, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_fs(fs), m_drives(std::move(drives)), m_driveFolders(driveFolders), m_message(std::move(message))
{
    buildControls();

    // Until a remembered place is set, the picker starts at the process's
    // current folder and the drive that holds it.
    const QString start = picker::startFolder(m_fs, QDir::currentPath(), QDir::homePath());
    fillDriveBox();
    m_drive = picker::driveOf(start, m_roots);
    if (m_drive.isEmpty())
        m_drive = QStringLiteral("/");
    fillDriveBox(); // selects the drive, adding it when the source lacks it
    m_dirPath = start;
    m_fileFolder = start;
    // The folder a user last showed on this drive wins over the start folder.
    if (!m_driveFolders.knows(m_drive))
        m_driveFolders.remember(m_drive, start);
    showDirTree();
}

void Form3::buildControls()
{
    setWindowTitle(tr8(picker::texts::kCaption));
    setFont(uiGothicFont(kUiPointSize));
    setSizeGripEnabled(false);
    // A face with a taller line than the design's grows each text row by the
    // difference; the rows below move down and the window grows with them.
    const int line = lineHeight(font());
    const int extra = extraLineHeight(font());
    const auto textRow = [extra](GrowingColumn &column, const QRect &design) {
        return column.place(design, design.height() + extra);
    };
    GrowingColumn left;
    GrowingColumn right;

    auto *label1 = new QLabel(tr8(picker::texts::kFileName), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(textRow(left, twips(120, 120, 2052, 252)));

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(textRow(left, twips(120, 360, 2412, 264)));
    // It only shows the chosen names; what is typed there would be ignored.
    Text1->setReadOnly(true);

    File1 = new QListWidget(this);
    File1->setObjectName(QStringLiteral("File1"));
    const QRect file1 = left.place(twips(120, 720, 2412, 1350));
    File1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    File1->setUniformItemSizes(true);
    connect(File1, &QListWidget::itemSelectionChanged, this, &Form3::File1_Click);

    auto *label4 = new QLabel(tr8(picker::texts::kFileType), this);
    label4->setObjectName(QStringLiteral("Label4"));

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    for (const char *type : picker::texts::kFileTypes)
        Combo1->addItem(tr8(type));
    connect(Combo1, &QComboBox::currentIndexChanged, this, &Form3::Combo1_Click);

    auto *label2 = new QLabel(tr8(picker::texts::kFolder), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(right.place(twips(2640, 120, 2292, 192), line));

    Label3 = new picker::FolderLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    // The folder list starts at 720 twips and would cover all but the first
    // line of the label's design height, so the label begins right under its
    // caption and the list moves down below it. Three lines hold the longest
    // shortened path (38 characters, all of them wide) in any face.
    Label3->setGeometry(right.place(twips(2640, 312, 2592, 408), kFolderLabelLines * line));

    Dir1 = new picker::FolderTree(m_fs, this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setGeometry(right.place(twips(2640, 720, 2472, 1500)));
    connect(Dir1, &picker::FolderTree::folderChosen, this, &Form3::onDirChosen);

    Check1 = new QCheckBox(tr8(picker::texts::kUseFolder), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(textRow(right, twips(2640, 2220, 2472, 312)));
    connect(Check1, &QCheckBox::toggled, this, &Form3::Check1_Click);

    // The type and drive rows stay side by side below the lower of the two
    // columns; the file list takes the room the left column has to spare.
    GrowingColumn lower(std::max(left.growth(), right.growth()));
    File1->setGeometry(file1.adjusted(0, 0, 0, lower.growth() - left.growth()));
    label4->setGeometry(textRow(lower, twips(120, 2640, 1932, 252)));

    auto *label5 = new QLabel(tr8(picker::texts::kDrive), this);
    label5->setObjectName(QStringLiteral("Label5"));
    label5->setGeometry(textRow(lower, twips(2640, 2640, 1932, 252)));
    Combo1->setGeometry(textRow(lower, twips(120, 2880, 2412, 276)));

    Drive1 = new DriveBox([this] { fillDriveBox(); }, this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setGeometry(textRow(lower, twips(2640, 2880, 2472, 276)));
    setFixedSize(picker::visiblePixels(6585), picker::visiblePixels(3315) + lower.growth());
    connect(Drive1, &QComboBox::activated, this, &Form3::onDriveChosen);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twips(5340, 1200, 996, 996));
    Image1->hide();

    Command1 = new QPushButton(tr8(picker::texts::kOk), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twips(5280, 120, 1092, 372));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);

    Command2 = new QPushButton(tr8(picker::texts::kCancel), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(twips(5280, 600, 1092, 372));
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);

    setTabOrder(File1, Combo1);
    setTabOrder(Combo1, Dir1);
    setTabOrder(Dir1, Check1);
    setTabOrder(Check1, Drive1);
    setTabOrder(Drive1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Text1);
    File1->setFocus();
}

void Form3::fillDriveBox()
{
    const QSignalBlocker blocker(Drive1);
    QStringList roots = m_drives ? m_drives() : QStringList{};
    // The drive on show stays choosable even when it is no longer mounted.
    if (!m_drive.isEmpty() && !roots.contains(m_drive))
        roots << m_drive;
    m_roots = roots;
    Drive1->clear();
    Drive1->addItems(m_roots);
    Drive1->setCurrentIndex(static_cast<int>(m_roots.indexOf(m_drive)));
}

void Form3::Form_Load()
{
    picker::PickedFiles.fill(QString());
    if (!picker::LastPickDrive.isEmpty())
        setDrive(picker::LastPickDrive);
    if (!picker::LastPickFolder.isEmpty()) {
        // A remembered folder that has gone since: its nearest existing parent.
        const QString folder = picker::nearestExistingFolder(m_fs, picker::LastPickFolder);
        if (!folder.isEmpty())
            setDirPath(folder);
    }
    m_pattern.clear();
    {
        const QSignalBlocker blocker(Combo1);
        Combo1->setCurrentIndex(0);
    }
    Combo1_Click();
    Label3->setText(m_dirPath);
    Label3->setToolTip(m_dirPath);
}

bool Form3::setDrive(const QString &root)
{
    if (root.isEmpty() || !m_fs.folderExists(root))
        return false;
    if (!m_roots.contains(root)) {
        fillDriveBox();
        if (!m_roots.contains(root))
            return false;
    }
    if (root == m_drive)
        return true;
    m_drive = root;
    {
        const QSignalBlocker blocker(Drive1);
        Drive1->setCurrentIndex(static_cast<int>(m_roots.indexOf(root)));
    }
    Drive1_Change();
    return true;
}

bool Form3::setDirPath(const QString &path)
{
    const QString folder = picker::cleanFolderPath(path);
    if (folder.isEmpty() || !m_fs.folderExists(folder))
        return false;
    // The folder becomes the current folder of the drive that holds it and,
    // when it lies on it, of the drive in the box ("/" holds the home drive).
    m_driveFolders.remember(picker::driveOf(folder, m_roots), folder);
    if (picker::isInside(folder, m_drive))
        m_driveFolders.remember(m_drive, folder);
    if (folder == m_dirPath)
        return true;
    m_dirPath = folder;
    showDirTree();
    Dir1_Change();
    return true;
}

void Form3::Drive1_Change()
{
    // The drive's own current folder; the tree is re-rooted even when that
    // folder is the one already shown.
    setDirPath(
        m_driveFolders.folderFor(m_drive, [this](const QString &path) { return m_fs.folderExists(path); }));
    showDirTree();
    setFileFolder(m_dirPath);
}

void Form3::Dir1_Change()
{
    setFileFolder(m_dirPath);
    Label3->setText(picker::shortenFolderLabel(m_dirPath));
    Label3->setToolTip(m_dirPath);
}

void Form3::Combo1_Click()
{
    const int index = Combo1->currentIndex();
    if (index < 0 || index >= static_cast<int>(picker::kFilePatterns.size()))
        return;
    m_pattern = QString::fromLatin1(picker::kFilePatterns[static_cast<std::size_t>(index)]);
    refreshFiles();
}

void Form3::setFileFolder(const QString &folder)
{
    if (folder == m_fileFolder)
        return;
    m_fileFolder = folder;
    refreshFiles();
}

void Form3::refreshFiles()
{
    {
        const QSignalBlocker blocker(File1);
        File1->clear();
        File1->addItems(picker::matchingFileNames(m_fs, m_fileFolder, m_pattern));
    }
    // A new listing has nothing selected, so the files chosen from the old one
    // are no longer the result: OK must never hand back names from another
    // folder. The folder choice is left alone.
    if (!Check1->isChecked()) {
        picker::PickedCount = 0;
        Text1->clear();
        Image1->hide();
    }
}

void Form3::File1_Click()
{
    QList<int> rows;
    for (const QModelIndex &index : File1->selectionModel()->selectedIndexes())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    QStringList names;
    names.reserve(rows.size());
    for (int row : rows)
        names << File1->item(row)->text();

    picker::PickedCount = 0;
    const picker::Collected chosen = picker::collectPicked(names, picker::PickedFiles);
    picker::PickedCount = chosen.count;
    if (chosen.tooMany) {
        report(tr8(picker::texts::kUnsupported));
        return;
    }
    Text1->setText(chosen.display);
    if (chosen.count == 0) {
        // Nothing selected is not an error; there is just nothing to preview.
        Image1->hide();
        return;
    }
    if (!showPreview(joinPath(m_dirPath, picker::PickedFiles[chosen.count])))
        report(tr8(picker::texts::kUnsupported));
}

bool Form3::showPreview(const QString &path)
{
    Image1->hide();
    const QSize natural = readNaturalSize(path);
    constexpr int kLargestSide = std::numeric_limits<int>::max() / kTwipsPerPixel;
    if (natural.isEmpty() || natural.width() > kLargestSide || natural.height() > kLargestSide)
        return false;
    const QSize fitted = picker::previewSizeTwips(natural * kTwipsPerPixel);
    if (!fitted.isValid())
        return false;
    const QSize pixels(picker::visiblePixels(fitted.width()), picker::visiblePixels(fitted.height()));
    const QPixmap pixmap = decodePreview(path, pixels, devicePixelRatioF());
    if (pixmap.isNull())
        return false;
    Image1->setPixmap(pixmap);
    Image1->setGeometry(QRect(twips(5340, 1200, 0, 0).topLeft(), pixels));
    Image1->show();
    return true;
}

void Form3::Check1_Click()
{
    const bool folderMode = Check1->isChecked();
    Text1->setEnabled(!folderMode);
    Combo1->setEnabled(!folderMode);
    picker::PickFolderMode = folderMode;
    if (folderMode) {
        picker::PickedFiles[1] = m_dirPath;
        picker::PickedCount = 1;
    } else {
        picker::PickedCount = 0;
    }
}

void Form3::Command1_Click()
{
    // A name whose bytes are not text (an old disk's CP932 name, say) would be
    // stored broken in the settings file and never found again: refuse it.
    QStringList chosen{Check1->isChecked() ? m_dirPath : m_fileFolder};
    for (int i = 1; !Check1->isChecked() && i <= picker::PickedCount; ++i)
        chosen << picker::PickedFiles[static_cast<std::size_t>(i)];
    for (const QString &name : chosen) {
        if (!isTextPath(name)) {
            report(tr8(picker::texts::kNameNotText) + name);
            return;
        }
    }
    picker::PickedFiles[0] = m_fileFolder;
    picker::LastPickDrive = m_drive;
    picker::LastPickFolder = m_dirPath;
    if (Check1->isChecked()) {
        picker::PickFolderMode = true;
        picker::PickedFiles[1] = m_dirPath;
        picker::PickedCount = 1;
    } else {
        picker::PickFolderMode = false;
    }
    picker::Destroy();
}

void Form3::Command2_Click()
{
    picker::PickedFiles.fill(QString());
    picker::PickedCount = 0;
    picker::Destroy();
}

void Form3::reject()
{
    Command2_Click();
}

void Form3::report(const QString &text)
{
    if (m_message)
        m_message(this, text);
}

void Form3::onDriveChosen(int index)
{
    const QString root = Drive1->itemText(index);
    if (setDrive(root))
        return;
    // The drive has gone: back to the one shown, with a fresh list.
    fillDriveBox();
}

void Form3::onDirChosen(const QString &path)
{
    if (!setDirPath(path))
        showDirTree(); // the folder has gone; show the tree as it is now
}

void Form3::showDirTree()
{
    // The tree shows the drive in the drive box when the folder lies on it,
    // else the drive that holds the folder.
    QString top = picker::isInside(m_dirPath, m_drive) ? m_drive : picker::driveOf(m_dirPath, m_roots);
    if (top.isEmpty())
        top = QStringLiteral("/");
    Dir1->showFolder(top, m_dirPath);
}

void Form3::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Dir1->revealCurrent();
}

} // namespace qelvo
