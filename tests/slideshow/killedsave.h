#pragma once

#include "settings/settingsfile.h"
#include "settings/textcodec.h"
#include "settings/writer.h"
#include "slideshow/writeback.h"

#include <vector>

// The content of round n of the killed-save test, made the same way by the
// driver that saves it and by the test that checks what the file holds.
namespace qelvo::killedsave
{

inline settings::SettingsHead head(int round)
{
    settings::SettingsHead h;
    h.appName = "qelvo";
    h.appVersion = "1.0.0";
    h.appLastAccPath = "/home/u";
    h.executeNumber = "0";
    h.wpChanger = 3;
    h.wpIndex = round;
    h.lastExecute = QDateTime(QDate(2026, 12, 8), QTime(0, 0)).addSecs(round);
    return h;
}

// A dialog's save of two lists, long enough (about 150 kB) for a kill to
// land inside the write.
inline QByteArray dialogSave(int round)
{
    std::vector<settings::SettingList> lists(2);
    for (int l = 0; l < 2; ++l) {
        lists[l].ListName = QString("list %1 of round %2").arg(l).arg(round);
        lists[l].ChgTime = 10;
        lists[l].ZoomMax = 1;
        for (int e = 0; e < 2000; ++e)
            lists[l].FileList.push_back({QString("[%1] picture.jpg").arg(e),
                                         QString("/home/u/Pictures/%1/[%2] picture.jpg").arg(round).arg(e)});
    }
    return settings::encodeSettingsText(settings::formatSettingsFile(head(round), lists));
}

inline QByteArray changerRewrite(const QByteArray &old, int round)
{
    return slideshow::rewriteSettingsBytes(head(round), old).value_or(QByteArray());
}

} // namespace qelvo::killedsave
