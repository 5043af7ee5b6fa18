#include "picker/pickrules.h"

#include <QStringView>

#include <cmath>

namespace qelvo::picker
{

namespace
{

bool sameChar(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

// Greedy wildcard match with one back-tracking point: linear in practice and
// never recursive, whatever the name or pattern holds.
bool matchesOne(QStringView name, QStringView pattern)
{
    qsizetype n = 0, p = 0;
    qsizetype starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == QLatin1Char('?') || sameChar(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

} // namespace

bool matchesPattern(const QString &name, const QString &patterns)
{
    for (QStringView pattern : QStringView(patterns).split(QLatin1Char(';'))) {
        pattern = pattern.trimmed();
        if (pattern.isEmpty())
            continue;
        if (pattern == QLatin1String("*.*") || matchesOne(name, pattern))
            return true;
    }
    return false;
}

QString shortenFolderLabel(const QString &path)
{
    const QList<uint> codePoints = path.toUcs4();
    if (codePoints.size() < kLabelShortenFrom)
        return path;
    const auto head =
        QString::fromUcs4(reinterpret_cast<const char32_t *>(codePoints.constData()), kLabelHead);
    const auto tail = QString::fromUcs4(
        reinterpret_cast<const char32_t *>(codePoints.constData() + codePoints.size() - kLabelTail),
        kLabelTail);
    return head + QStringLiteral("...") + tail;
}

QSize previewSizeTwips(QSize naturalTwips)
{
    if (naturalTwips.width() <= 0 || naturalTwips.height() <= 0)
        return {};
    // Single precision on purpose: ties and roundings come out as they always have.
    const float byHeight = static_cast<float>(naturalTwips.height()) / kPreviewTwips;
    const float byWidth = static_cast<float>(naturalTwips.width()) / kPreviewTwips;
    const float k = byHeight > byWidth ? byHeight : byWidth;
    const float w = static_cast<float>(naturalTwips.width()) / k;
    const float h = static_cast<float>(naturalTwips.height()) / k;
    return {std::max(1, static_cast<int>(std::lround(w))), std::max(1, static_cast<int>(std::lround(h)))};
}

int visiblePixels(int twips)
{
    if (twips <= 0)
        return 0;
    return std::max(1, twipsToPixels(twips));
}

namespace
{
// Only ASCII digits form number runs: other scripts' digits (full-width ０-９)
// sit between letters in code-point order, and treating them as numbers would
// make the order inconsistent, which a sort must never see.
bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

bool naturalLess(const QString &a, const QString &b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isAsciiDigit(a[i]) && isAsciiDigit(b[j])) {
            // Compare the digit runs by value: skip leading zeros, then the
            // longer run is the larger number, else the first differing digit.
            qsizetype ei = i, ej = j;
            while (ei < a.size() && isAsciiDigit(a[ei]))
                ++ei;
            while (ej < b.size() && isAsciiDigit(b[ej]))
                ++ej;
            qsizetype si = i, sj = j;
            while (si < ei - 1 && a[si] == QLatin1Char('0'))
                ++si;
            while (sj < ej - 1 && b[sj] == QLatin1Char('0'))
                ++sj;
            if (ei - si != ej - sj)
                return ei - si < ej - sj;
            for (; si < ei; ++si, ++sj) {
                if (a[si] != b[sj])
                    return a[si] < b[sj];
            }
            i = ei;
            j = ej;
            continue;
        }
        const QChar ca = a[i].toCaseFolded();
        const QChar cb = b[j].toCaseFolded();
        if (ca != cb)
            return ca < cb;
        ++i;
        ++j;
    }
    if ((i < a.size()) != (j < b.size()))
        return j < b.size();
    return a < b;
}

Collected collectPicked(const QStringList &selectedInListOrder, std::array<QString, kPickedSlots> &picked)
{
    Collected result;
    for (const QString &name : selectedInListOrder) {
        if (result.count == kMaxPicked) {
            result.tooMany = true;
            return result;
        }
        ++result.count;
        picked[result.count] = name;
        result.display += QLatin1Char(' ') + name;
    }
    return result;
}

} // namespace qelvo::picker
