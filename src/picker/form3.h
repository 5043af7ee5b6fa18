#pragma once

#include "picker/driveroots.h"
#include "picker/picker.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qelvo
{

class FileSystem;

namespace picker
{
class FolderLabel;
class FolderTree;
} // namespace picker

// The file picker: browses drives, folders and image files and leaves the
// choice in the picker's module-level result. Created, shown and destroyed
// through the operations in picker.h; the controls carry their names
// (Drive1, Dir1, File1, ...) as object names.
class Form3 : public QDialog
{
    Q_OBJECT
public:
    Form3(const FileSystem &fs, picker::DriveSource drives, picker::DriveFolders &driveFolders,
          picker::MessageHook message, QWidget *parent = nullptr);

    void Form_Load();
    void Drive1_Change();
    void Dir1_Change();
    void Combo1_Click();
    void File1_Click();
    void Check1_Click();
    void Command1_Click();
    void Command2_Click();

    // The drive box's drive (a root path) and the folder list's path.
    [[nodiscard]] QString drive() const { return m_drive; }
    [[nodiscard]] QString dirPath() const { return m_dirPath; }
    [[nodiscard]] QString fileFolder() const { return m_fileFolder; }
    // Each runs its change handler when the place changes; false, with
    // nothing changed, when the place does not exist or is not a drive.
    bool setDrive(const QString &root);
    bool setDirPath(const QString &path);

public slots:
    // Escape and the title bar's close button.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void fillDriveBox();
    void setFileFolder(const QString &folder);
    void refreshFiles();
    void showDirTree();
    void onDirChosen(const QString &path);
    void onDriveChosen(int index);
    [[nodiscard]] bool showPreview(const QString &path);
    void report(const QString &text);

    const FileSystem &m_fs;
    picker::DriveSource m_drives;
    picker::DriveFolders &m_driveFolders;
    picker::MessageHook m_message;

    QStringList m_roots;
    QString m_drive;
    QString m_dirPath;
    QString m_fileFolder;
    QString m_pattern;

    QLineEdit *Text1 = nullptr;
    QListWidget *File1 = nullptr;
    QComboBox *Combo1 = nullptr;
    picker::FolderLabel *Label3 = nullptr;
    picker::FolderTree *Dir1 = nullptr;
    QCheckBox *Check1 = nullptr;
    QComboBox *Drive1 = nullptr;
    QLabel *Image1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
};

} // namespace qelvo
