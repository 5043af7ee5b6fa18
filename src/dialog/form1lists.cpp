// Form1's list sets, file lists and sample preview.
#include "dialog/form1.h"

#include "dialog/form1internal.h"
#include "dialog/listops.h"
#include "platform/imagedecoder.h"
#include "platform/previewpixmap.h"
#include "platform/screens.h"
#include "settings/numbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPixmap>
#include <QStringListModel>

#include <cmath>

namespace qelvo
{

namespace
{
// One field of every entry, in list order.
QStringList column(const QVector<settings::FileEntry> &entries, QString settings::FileEntry::*field)
{
    QStringList values;
    values.reserve(entries.size());
    for (const auto &e : entries)
        values.append(e.*field);
    return values;
}

} // namespace

// ---- Shared pieces ----

int Form1::list1Row() const
{
    const QModelIndex current = List1->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void Form1::selectList1Row(int row)
{
    m_selectingRow = true;
    if (row >= 0 && row < m_list1Model->rowCount()) {
        const QModelIndex index = m_list1Model->index(row);
        List1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        List1->scrollTo(index);
    } else {
        List1->selectionModel()->clear();
    }
    m_selectingRow = false;
    // Selecting always previews, also when the row number stays the same and
    // now holds another entry.
    if (row >= 0)
        List1_Click();
}

void Form1::showEntries(const settings::SettingList &list)
{
    m_list1Model->setStringList(column(list.FileList, &settings::FileEntry::DispName));
    m_list2 = column(list.FileList, &settings::FileEntry::FullPath);
}

void Form1::clearEntries()
{
    m_list1Model->setStringList({});
    m_list2.clear();
}

void Form1::clearSample()
{
    Image1->clear();
}

void Form1::setCountLabels()
{
    Label1->setText(dialog::listsLabel(Combo1->count()));
    Label2->setText(dialog::filesLabel(m_list1Model->rowCount()));
}

// ---- List selection ----

void Form1::Combo1_Click()
{
    int cur = Combo1->currentIndex();
    if (cur < 0 || cur >= settings::kSlotCount)
        cur = 0;
    settings::SettingList &list = m_slots[cur];

    clearEntries();
    clearSample();
    if (list.FileList.size() >= settings::kMaxShownEntries) {
        say(tr8(t::kTooManyFiles));
        list.FileList.resize(settings::kMaxShownEntries);
    }
    showEntries(list);
    if (!list.FileList.isEmpty())
        selectList1Row(0);

    // Setting the controls runs their handlers, which write the same values back.
    Text1->setText(settings::formatFloat(list.ChgTime));
    Text2->setText(settings::formatFloat(list.ZoomMax));
    Check1->setChecked(list.RandomView != 0);
    Check2->setChecked(list.MouseDisable != 0);
    Check4->setChecked(list.Effect != 0);

    // The selection is what the slide show plays, so choosing a list is a change.
    m_dataChanged = true;
    setCountLabels();
}

// ---- List sets ----

QString Form1::askListName(const QString &prompt, const QString &title, const QString &initial)
{
    QString answer = initial;
    for (;;) {
        answer = m_prompter->input(prompt, title, answer);
        switch (dialog::checkListName(answer)) {
        case dialog::NameCheck::Empty:
            return {};
        case dialog::NameCheck::TooLong:
            say(tr8(t::kNameTooLong), Icon::Warning);
            continue;
        case dialog::NameCheck::LineBreak:
            say(tr8(t::kNameLineBreak), Icon::Warning);
            continue;
        case dialog::NameCheck::Ok:
            return answer;
        }
    }
}

void Form1::mnuFileNew_Click()
{
    if (Combo1->count() >= settings::kMaxLists) {
        say(tr8(t::kListLimit));
        return;
    }
    const QString name = askListName(tr8(t::kNewListPrompt), tr8(t::kNewListTitle), {});
    if (name.isEmpty())
        return;
    const int s = Combo1->count();
    m_slots[s] = dialog::newSettingList(name);
    Label2->setText(dialog::filesLabel(0));
    {
        const QSignalBlocker block(Combo1);
        Combo1->addItem(name);
        Combo1->setCurrentIndex(s);
    }
    Combo1_Click();
    Check3->setChecked(true);
    m_lastListIndex += 1;
}

void Form1::mnuFileRename_Click()
{
    const int c = currentList();
    if (c < 0)
        return;
    const QString name = askListName(tr8(t::kRenamePrompt), tr8(t::kRenameTitle), Combo1->itemText(c));
    if (name.isEmpty())
        return;
    Combo1->setItemText(c, name);
    m_slots[c].ListName = name;
    m_dataChanged = true;
}

void Form1::mnuFileDell_Click()
{
    const int c = currentList();
    if (c < 0)
        return;
    const int n = Combo1->count();
    if (say(tr8(t::kDeleteListText).arg(Combo1->itemText(c)), Icon::None, Buttons::OkCancel,
            tr8(t::kDeleteListTitle)) != Answer::Ok)
        return;
    dialog::deleteListSlot(m_slots, c, n);
    {
        const QSignalBlocker block(Combo1);
        Combo1->removeItem(c);
        Combo1->setCurrentIndex(Combo1->count() - 1);
    }
    if (Combo1->count() == 0) {
        clearEntries();
        clearSample();
        Label1->setText(dialog::listsLabel(0));
        Label2->setText(dialog::filesLabel(0));
        Label3->setText(dialog::sampleCaption(m_image1Size.width(), m_image1Size.height()));
    } else {
        // Whichever list went, the last list is current afterwards.
        Combo1_Click();
    }
    m_lastListIndex -= 1;
    m_dataChanged = true;
}

// ---- File list ----

void Form1::Command1_Click()
{
    if (Combo1->currentIndex() < 0) {
        if (say(tr8(t::kNoEditableList), Icon::Question, Buttons::YesNo) != Answer::Yes)
            return;
        mnuFileNew_Click();
    }
    const int c = currentList();
    // No list after all (the name was cancelled): a choice in the picker would
    // have nowhere to go, so the picker is not opened.
    if (c < 0)
        return;
    const picker::PickResult picked = m_hooks.openPicker ? m_hooks.openPicker(this) : picker::PickResult{};

    dialog::FormedEntries formed =
        dialog::formEntries(picked.folderMode, picked.count,
                            std::span<const QString>(picked.files.constData(), picked.files.size()));
    if (!formed.refused.isEmpty())
        say(tr8(t::kRefusedNames).arg(formed.refused.join(QLatin1Char('\n'))), Icon::Warning);

    QVector<settings::FileEntry> &entries = m_slots[c].FileList;
    const qsizetype room = std::max<qsizetype>(0, settings::kMaxShownEntries - entries.size());
    if (formed.entries.size() > room) {
        say(tr8(t::kTooManyFiles));
        formed.entries.resize(room);
    }
    if (!formed.entries.isEmpty()) {
        const int first = m_list1Model->rowCount();
        m_list1Model->insertRows(first, static_cast<int>(formed.entries.size()));
        for (int i = 0; i < formed.entries.size(); ++i) {
            const settings::FileEntry &entry = formed.entries[i];
            m_list1Model->setData(m_list1Model->index(first + i), entry.DispName);
            m_list2.append(entry.FullPath);
            entries.append(entry);
        }
    }
    setCountLabels();
    selectList1Row(m_list1Model->rowCount() - 1);
    if (!formed.entries.isEmpty())
        m_dataChanged = true;
}

void Form1::Command2_Click()
{
    const int c = currentList();
    const int r = list1Row();
    if (c < 0 || m_list1Model->rowCount() == 0 || r < 0)
        return;
    const int next = dialog::deleteEntry(m_slots[c].FileList, r);
    // The path list first: removing the row moves the view's current row,
    // which must not preview the entry that was just deleted.
    m_list2.removeAt(r);
    m_selectingRow = true;
    m_list1Model->removeRows(r, 1);
    m_selectingRow = false;
    selectList1Row(next);
    Label2->setText(dialog::filesLabel(m_list1Model->rowCount()));
    Label3->setText(dialog::sampleCaption(m_image1Size.width(), m_image1Size.height()));
    m_dataChanged = true;
}

void Form1::moveRow(int direction)
{
    const int c = currentList();
    const int r = list1Row();
    if (c < 0)
        return;
    const auto target = dialog::moveEntry(m_slots[c].FileList, r, direction);
    if (!target)
        return;
    const auto &entries = m_slots[c].FileList;
    for (int row : {r, *target}) {
        m_list1Model->setData(m_list1Model->index(row), entries[row].DispName);
        m_list2[row] = entries[row].FullPath;
    }
    selectList1Row(*target);
    m_dataChanged = true;
}

void Form1::Command3_Click()
{
    moveRow(-1);
}
void Form1::Command4_Click()
{
    moveRow(+1);
}

// ---- Sample ----

void Form1::List1_Click()
{
    if (Check3->isChecked())
        return;
    Image1->hide();
    const int row = list1Row();
    const QString path = row >= 0 && row < m_list2.size() ? m_list2[row] : QString();

    const QSize natural = path.isEmpty() ? QSize() : readNaturalSize(path);
    const QSizeF twips(pixelsToTwips(natural.width()), pixelsToTwips(natural.height()));
    const auto shown = natural.isValid() ? dialog::fitSample(twips) : std::nullopt;
    QSize target;
    QPixmap pixmap;
    if (shown) {
        Label3->setText(dialog::sampleCaption(twips.width(), twips.height()));
        target =
            QSize(std::max(1, twipsToPixels(shown->width())), std::max(1, twipsToPixels(shown->height())));
        pixmap = decodePreview(path, target, devicePixelRatioF());
    }
    if (pixmap.isNull()) {
        clearSample();
        Label3->setText(tr8(t::kUnsupportedFormat));
        return;
    }
    m_image1Size = *shown;
    Image1->resize(target);
    Image1->setPixmap(pixmap);
    Image1->show();
}

} // namespace qelvo
