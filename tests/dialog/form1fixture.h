#pragma once

#include "dialog/form1.h"
#include "dialog/listops.h"
#include "dialog/texts.h"
#include "fakeprompter.h"
#include "fakes/fakes.h"
#include "picker/pickresult.h"
#include "settings/textcodec.h"
#include "settings/writer.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace qelvo::testing
{

inline QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

// A Form1 over a private folder, with scripted boxes, a fixed clock and
// counted hooks in place of the picker, the slide show and the program's end.
class Form1Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        identity.folder = dir.path();
        identity.baseName = "qelvo";
    }

    Form1 &make()
    {
        Form1::Hooks h;
        h.openPicker = [this](QWidget *) {
            ++pickerOpens;
            return onPicker ? onPicker() : picker::PickResult{};
        };
        h.setPickerFolder = [](const QString &) { return true; };
        h.setPickerDrive = [](const QString &) { return true; };
        h.pickerFolder = [] { return QStringLiteral("/home/u/Pictures"); };
        h.destroyPicker = [this] { ++pickerDestroys; };
        h.showPreview = [this] { ++previews; };
        h.quit = [this] { ++quits; };
        form = std::make_unique<Form1>(identity, std::move(h));
        auto p = std::make_unique<fakes::FakePrompter>();
        prompter = p.get();
        form->setPrompter(std::move(p));
        form->setClock(clock);
        return *form;
    }

    Form1 &open()
    {
        make().Form_Load();
        return *form;
    }

    void writeSettings(const QString &text) const { writeBytes(settings::encodeSettingsText(text)); }
    void writeBytes(const QByteArray &bytes) const
    {
        QFile f(identity.settingsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    [[nodiscard]] QByteArray readBytes(const QString &path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    [[nodiscard]] QByteArray readSettings() const { return readBytes(identity.settingsPath()); }

    // A settings file with these lists, list `selected` chosen.
    void writeLists(const std::vector<settings::SettingList> &lists, int selected = 0) const
    {
        settings::SettingsHead head;
        head.appName = "qelvo";
        head.appVersion = versionText();
        head.appLastAccPath = "/home/u/Pictures";
        head.executeNumber = QString::number(selected);
        head.wpChanger = 2;
        head.wpIndex = 5;
        head.lastExecute = QDateTime(QDate(2026, 1, 1), QTime(8, 0, 0));
        writeSettings(settings::formatSettingsFile(head, lists));
    }

public:
    static settings::SettingList makeList(const QString &name, int entries)
    {
        settings::SettingList l = dialog::newSettingList(name);
        for (int i = 0; i < entries; ++i)
            l.FileList.append({QStringLiteral("%1%2.jpg").arg(name.toLower()).arg(i),
                               QStringLiteral("/p/%1%2.jpg").arg(name).arg(i)});
        return l;
    }

protected:
    static picker::PickResult pick(const QString &folder, const QStringList &names)
    {
        return {false, static_cast<std::uint8_t>(names.size()), QStringList{folder} + names};
    }
    static picker::PickResult pickFolder(const QString &folder) { return {true, 1, {folder, folder}}; }

    template <typename T> T *child(const char *name) const
    {
        T *w = form->findChild<T *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // The user picks list i in the combo box.
    void choose(int i) const
    {
        combo()->setCurrentIndex(i);
        emit combo()->activated(i);
    }
    QComboBox *combo() const { return child<QComboBox>("Combo1"); }
    QListView *list1() const { return child<QListView>("List1"); }
    QLabel *label(const char *name) const { return child<QLabel>(name); }
    QLineEdit *text(const char *name) const { return child<QLineEdit>(name); }
    QCheckBox *check(const char *name) const { return child<QCheckBox>(name); }
    // Check1 to Check4 as "0"/"1".
    [[nodiscard]] QString checks() const
    {
        QString out;
        for (const char *name : {"Check1", "Check2", "Check3", "Check4"})
            out += check(name)->isChecked() ? '1' : '0';
        return out;
    }

    [[nodiscard]] QStringList list1Rows() const
    {
        QStringList rows;
        const QAbstractItemModel *m = list1()->model();
        for (int i = 0; i < m->rowCount(); ++i)
            rows << m->data(m->index(i, 0)).toString();
        return rows;
    }
    void selectRow(int row) const { list1()->setCurrentIndex(list1()->model()->index(row, 0)); }
    [[nodiscard]] int list1Selected() const
    {
        const QModelIndex i = list1()->currentIndex();
        return i.isValid() && list1()->selectionModel()->isSelected(i) ? i.row() : -1;
    }

    // List1, the hidden path list and the current list's entries agree row by row.
    void expectInvariant() const
    {
        const int c = combo()->currentIndex();
        ASSERT_GE(c, 0);
        const auto &entries = form->slot(c).FileList;
        QStringList names, paths;
        for (const auto &e : entries) {
            names << e.DispName;
            paths << e.FullPath;
        }
        EXPECT_EQ(list1Rows(), names);
        EXPECT_EQ(form->List2(), paths);
        EXPECT_EQ(form->slot(c).LastFileIndex(), list1Rows().size() - 1);
    }

    QTemporaryDir dir;
    AppIdentity identity;
    fakes::FixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0))};
    fakes::FakePrompter *prompter = nullptr;
    std::unique_ptr<Form1> form;
    std::function<picker::PickResult()> onPicker; // what the picker hands back
    int pickerOpens = 0;
    int pickerDestroys = 0;
    int previews = 0;
    int quits = 0;
};

} // namespace qelvo::testing
