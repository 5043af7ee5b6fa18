// How long the settings dialog takes for list operations on a list of 32,767
// entries (the most it shows), including the list view's layout and paint.
#include "dialog/form1.h"
#include "dialog/listops.h"
#include "picker/pickresult.h"
#include "settings/textcodec.h"
#include "settings/writer.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace qelvo;

namespace
{

constexpr int kRows = settings::kMaxShownEntries;

class SilentPrompter final : public dialog::Prompter
{
public:
    Answer ask(const Message &) override { return Answer::Ok; }
    QString input(const QString &, const QString &, const QString &) override { return {}; }
};

settings::SettingList bigList(const QString &name, int rows)
{
    settings::SettingList l = dialog::newSettingList(name);
    l.FileList.reserve(rows);
    for (int i = 0; i < rows; ++i)
        l.FileList.append({QStringLiteral("img_%1.jpg").arg(i),
                           QStringLiteral("/home/u/Pictures/%1/IMG_%2.jpg").arg(name).arg(i)});
    return l;
}

// A shown dialog over a private settings file holding the given lists.
struct Dialog {
    explicit Dialog(const std::vector<settings::SettingList> &lists)
    {
        settings::SettingsHead head;
        head.appName = "qelvo";
        head.executeNumber = "0";
        head.lastExecute = QDateTime::currentDateTime();
        QFile f(dir.filePath("Qelvo.ini"));
        f.open(QIODevice::WriteOnly);
        f.write(settings::encodeSettingsText(settings::formatSettingsFile(head, lists)));
        f.close();
        AppIdentity id{dir.path(), "qelvo"};
        Form1::Hooks h;
        h.setPickerFolder = [](const QString &) { return true; };
        h.setPickerDrive = [](const QString &) { return true; };
        h.pickerFolder = [] { return QString(); };
        h.destroyPicker = [] {};
        h.openPicker = [](QWidget *) { return picker::PickResult{}; };
        form = std::make_unique<Form1>(id, std::move(h));
        form->setPrompter(std::make_unique<SilentPrompter>());
        form->Form_Load();
        form->show();
        QApplication::processEvents();
    }
    [[nodiscard]] double rows() const { return form->findChild<QListView *>("List1")->model()->rowCount(); }
    void selectRow(int row) const
    {
        auto *view = form->findChild<QListView *>("List1");
        view->setCurrentIndex(view->model()->index(row, 0));
    }
    QTemporaryDir dir;
    std::unique_ptr<Form1> form;
};

void BM_SelectList(benchmark::State &state)
{
    Dialog d({bigList("A", kRows), bigList("B", kRows)});
    auto *combo = d.form->findChild<QComboBox *>("Combo1");
    int next = 1;
    for (auto _ : state) {
        combo->setCurrentIndex(next);
        d.form->Combo1_Click();
        QApplication::processEvents();
        next = 1 - next;
    }
    state.counters["rows"] = d.rows();
}
BENCHMARK(BM_SelectList)->Unit(benchmark::kMillisecond);

void BM_DeleteFirstRow(benchmark::State &state)
{
    Dialog d({bigList("A", kRows)});
    d.selectRow(0);
    for (auto _ : state) {
        d.form->Command2_Click();
        QApplication::processEvents();
    }
    state.counters["rows"] = d.rows();
}
BENCHMARK(BM_DeleteFirstRow)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_MoveUpAndDown(benchmark::State &state)
{
    Dialog d({bigList("A", kRows)});
    d.selectRow(kRows / 2);
    bool up = true;
    for (auto _ : state) {
        up ? d.form->Command3_Click() : d.form->Command4_Click();
        QApplication::processEvents();
        up = !up;
    }
    state.counters["rows"] = d.rows();
}
BENCHMARK(BM_MoveUpAndDown)->Unit(benchmark::kMillisecond);

void BM_Add255Files(benchmark::State &state)
{
    constexpr int kAdds = 20;
    Dialog d({bigList("A", kRows - 255 * kAdds)});
    picker::PickResult picked{false, 255, {"/home/u/New"}};
    for (int i = 1; i <= 255; ++i)
        picked.files << QStringLiteral("New_%1.JPG").arg(i);
    d.form->hooks().openPicker = [picked](QWidget *) { return picked; };
    for (auto _ : state) {
        d.form->Command1_Click();
        QApplication::processEvents();
    }
    state.counters["rows"] = d.rows();
}
BENCHMARK(BM_Add255Files)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
