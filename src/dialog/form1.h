#pragma once

#include "dialog/prompter.h"
#include "picker/pickresult.h"
#include "platform/appidentity.h"
#include "settings/settinglist.h"
#include "settings/settingsfile.h"
#include "settings/wallpapermode.h"

#include <QMainWindow>
#include <QSizeF>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;
class QStringListModel;

namespace qelvo
{

class Clock;

// The settings dialog: up to nine named setting lists with their options and
// file lists, the wallpaper-changer mode, the sample preview, load and save.
// The handlers keep the names of the dialog's events; the work they share with
// nothing on screen lives in dialog/settingsload.h and dialog/listops.h.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    // What the dialog reaches outside itself: startup hands in the real picker,
    // show and program end; tests build their own so that nothing blocks.
    struct Hooks {
        std::function<picker::PickResult(QWidget *owner)> openPicker; // modal, the choice as it closed
        std::function<bool(const QString &)> setPickerFolder;
        std::function<bool(const QString &)> setPickerDrive;
        std::function<QString(const QString &)> pickerDriveOf;
        std::function<QString()> pickerFolder;
        std::function<void()> destroyPicker;
        std::function<void()> rememberPickerPlace; // the restored folder counts as the last choice
        std::function<void()> showPreview;         // the slide show, not blocking the dialog
        std::function<void()> quit;                // ends the program
    };

    Form1(const AppIdentity &identity, Hooks hooks, QWidget *parent = nullptr);
    ~Form1() override;

    // Replace before Form_Load.
    void setPrompter(std::unique_ptr<dialog::Prompter> prompter);
    void setClock(const Clock &clock);
    [[nodiscard]] Hooks &hooks() { return m_hooks; }

    // Start-up and list selection.
    void Form_Load();
    void Combo1_Click();
    // Saving and leaving. The save returns whether the file was written; the
    // guard returns whether the dialog may close.
    bool mnuFileSave_Click();
    bool Form_QueryUnload();
    void mnuFileExit_Click();
    void Command5_Click();
    // Option controls.
    void Text1_Change();
    void Text2_Change();
    void Text1_GotFocus();
    void Text2_GotFocus();
    void Text1_LostFocus();
    void Text2_LostFocus();
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Option1_Click(int index);
    void Form_KeyPress(int keyAscii);
    // List sets.
    void mnuFileNew_Click();
    void mnuFileRename_Click();
    void mnuFileDell_Click();
    // File list and sample.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void List1_Click();
    // About box.
    void mnuHelpAbout_Click();

    // The dialog's data, for its callers and tests.
    [[nodiscard]] bool DataChanged() const { return m_dataChanged; }
    [[nodiscard]] int LastListIndex() const { return m_lastListIndex; }
    [[nodiscard]] int WPChanger() const { return m_wpChanger; }
    [[nodiscard]] int WPIndex() const { return m_wpIndex; }
    [[nodiscard]] const settings::SettingList &slot(int i) const { return m_slots.at(i); }
    // The hidden list of full paths, row by row with List1.
    [[nodiscard]] const QStringList &List2() const { return m_list2; }
    // The sample picture's displayed size in twips.
    [[nodiscard]] QSizeF image1Size() const { return m_image1Size; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void connectHandlers();

    [[nodiscard]] int currentList() const;
    [[nodiscard]] int list1Row() const;
    void selectList1Row(int row);
    void showEntries(const settings::SettingList &list);
    void clearEntries();
    void clearSample();
    void setCountLabels();
    void textChanged(QLineEdit *box, float settings::SettingList::*field);
    void lostFocus(QLineEdit *box);
    [[nodiscard]] bool refusedNumber();
    // Why a save failed, in the dialog's words.
    [[nodiscard]] QString failureReason(const settings::SaveFailure &failure) const;
    void checkClicked(QCheckBox *box, std::uint8_t settings::SettingList::*field);
    void moveRow(int direction);
    [[nodiscard]] QString askListName(const QString &prompt, const QString &title, const QString &initial);
    dialog::Prompter::Answer say(const QString &text,
                                 dialog::Prompter::Icon icon = dialog::Prompter::Icon::None,
                                 dialog::Prompter::Buttons buttons = dialog::Prompter::Buttons::Ok,
                                 const QString &title = {});

    AppIdentity m_identity;
    settings::SettingsFile m_settingsFile{m_identity};
    std::unique_ptr<dialog::Prompter> m_prompter;
    const Clock *m_clock;
    Hooks m_hooks;

    settings::SettingSlots m_slots{};
    bool m_dataChanged = false;
    int m_lastListIndex = -1;
    int m_wpChanger = settings::kChangerOff;
    int m_wpIndex = 0;
    QStringList m_list2;
    QSizeF m_image1Size;
    bool m_selectingRow = false;
    bool m_inLostFocus = false;
    bool m_noticePending = false; // a box was left with text it refuses; its notice is on the way

    QComboBox *Combo1 = nullptr;
    QListView *List1 = nullptr;
    QStringListModel *m_list1Model = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QCheckBox *Check1 = nullptr;
    QCheckBox *Check2 = nullptr;
    QCheckBox *Check3 = nullptr;
    QCheckBox *Check4 = nullptr;
    QGroupBox *Frame1 = nullptr;
    std::array<QRadioButton *, settings::kWallpaperModes> Option1{};
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command5 = nullptr;
    QLabel *Image1 = nullptr;
};

} // namespace qelvo
