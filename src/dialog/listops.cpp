#include "dialog/listops.h"

#include "dialog/texts.h"
#include "platform/appidentity.h"
#include "settings/numbers.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace qelvo::dialog
{

namespace
{
constexpr float kNewChgTime = 10.0f;
constexpr float kNewZoomMax = 1.0f;

bool storable(const QString &path, const QString &name)
{
    const auto breaks = [](const QString &s) {
        return s.contains(QLatin1Char(',')) || s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
    };
    if (breaks(path) || breaks(name))
        return false;
    return !(name.startsWith(QLatin1Char('"')) || name.startsWith(QLatin1Char(' ')));
}
} // namespace

settings::SettingList newSettingList(const QString &name)
{
    settings::SettingList list;
    list.ListName = name;
    list.ChgTime = kNewChgTime;
    list.ZoomMax = kNewZoomMax;
    list.RandomView = 0;
    list.MouseDisable = 1;
    return list;
}

void deleteListSlot(settings::SettingSlots &listSlots, int c, int count)
{
    const int n = static_cast<int>(listSlots.size());
    if (c < 0 || c >= count || count > n)
        return;
    for (int i = c; i + 1 < count; ++i)
        listSlots[i] = std::move(listSlots[i + 1]);
    listSlots[count - 1] = settings::SettingList{};
}

NameCheck checkListName(const QString &name)
{
    if (name.isEmpty())
        return NameCheck::Empty;
    // Characters, not UTF-16 units: the readers count code points.
    if (name.toUcs4().size() > settings::kValueMaxLength)
        return NameCheck::TooLong;
    // A pasted line break would start a new line in the settings file and
    // break the record (and every list after it) on the next load.
    if (name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r')))
        return NameCheck::LineBreak;
    return NameCheck::Ok;
}

FormedEntries formEntries(bool folderMode, int pickedCount, std::span<const QString> pickedFiles)
{
    FormedEntries out;
    const int available = static_cast<int>(pickedFiles.size());
    if (folderMode) {
        if (pickedCount < 1 || available < 2)
            return out;
        const QString &folder = pickedFiles[1];
        const QString name = folder.mid(folder.lastIndexOf(QLatin1Char('/')) + 1);
        if (!storable(folder, name)) {
            out.refused.append(folder);
            return out;
        }
        out.entries.append({QLatin1Char('(') + name.toLower() + QLatin1Char(')'), folder});
        return out;
    }
    const int last = std::min(pickedCount, available - 1);
    for (int n = 1; n <= last; ++n) {
        const QString &name = pickedFiles[n];
        const QString path = joinPath(pickedFiles[0], name);
        if (!storable(path, name)) {
            out.refused.append(path);
            continue;
        }
        out.entries.append({name.toLower(), path});
    }
    return out;
}

int deleteEntry(QVector<settings::FileEntry> &entries, int r)
{
    if (r >= 0 && r < entries.size())
        entries.removeAt(r);
    const int rows = static_cast<int>(entries.size());
    return r >= rows || r < 0 ? rows - 1 : r;
}

std::optional<int> moveEntry(QVector<settings::FileEntry> &entries, int r, int d)
{
    const int target = r + d;
    if (r < 0 || r >= entries.size() || target < 0 || target >= entries.size())
        return std::nullopt;
    std::swap(entries[r], entries[target]);
    return target;
}

std::optional<QSizeF> fitSample(QSizeF natural)
{
    const float w = static_cast<float>(natural.width());
    const float h = static_cast<float>(natural.height());
    const float byWidth = w / kSampleBoxWidth;
    const float byHeight = h / kSampleBoxHeight;
    const float k = byHeight > byWidth ? byHeight : byWidth;
    if (!(k > 0.0f))
        return std::nullopt;
    return QSizeF(w / k, h / k);
}

namespace
{
// The full-width forms U+FF01..U+FF5E mirror ASCII '!'..'~' at a fixed distance.
QString asciiNumberText(const QString &text)
{
    constexpr char16_t kFullWidthFirst = 0xFF01, kFullWidthLast = 0xFF5E, kFullWidthOffset = 0xFEE0;
    constexpr char16_t kIdeographicSpace = 0x3000;
    QString ascii = text;
    for (QChar &c : ascii) {
        if (c.unicode() >= kFullWidthFirst && c.unicode() <= kFullWidthLast)
            c = QChar(static_cast<char16_t>(c.unicode() - kFullWidthOffset));
        else if (c.unicode() == kIdeographicSpace)
            c = QLatin1Char(' ');
    }
    return ascii;
}
} // namespace

std::optional<float> readNumber(const QString &text)
{
    return settings::toFloat32(asciiNumberText(text));
}

bool numberTooLarge(const QString &text)
{
    // Written as a number (no "inf" or "nan"), but beyond what a float holds;
    // the conversion gives an infinity for what even a double cannot hold.
    static const QRegularExpression numberForm(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    const QString ascii = asciiNumberText(text);
    if (!numberForm.match(ascii).hasMatch())
        return false;
    const double value = QLocale::c().toDouble(ascii.trimmed());
    return std::fabs(value) > std::numeric_limits<float>::max();
}

QString listsLabel(int lists)
{
    return tr8(texts::kListsPrefix) + QString::number(lists) + tr8(texts::kListsSuffix);
}

QString filesLabel(int files)
{
    return tr8(texts::kFilesPrefix) + QString::number(files) + tr8(texts::kFilesSuffix);
}

QString sampleCaption(double width, double height)
{
    return tr8(texts::kSample) + QLatin1Char('(') + settings::formatFloat(static_cast<float>(width)) +
           QLatin1Char('x') + settings::formatFloat(static_cast<float>(height)) + QLatin1Char(')');
}

QString aboutText(const QString &baseName, const QString &version, const QString &legalNotice)
{
    const QChar br = QLatin1Char('\n');
    QString text;
    text += baseName + tr8(texts::kAboutVersion) + version + br;
    text += legalNotice + br;
    text += br;
    text += (baseName.toLower() == QLatin1String(texts::kAboutOwnName) ? tr8(texts::kAboutUsageReadme)
                                                                       : tr8(texts::kAboutUsageIntuition)) +
            br;
    text += tr8(texts::kAboutDisclaimer1) + br;
    text += tr8(texts::kAboutDisclaimer2) + br;
    return text;
}

} // namespace qelvo::dialog
