#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace qelvo
{

// A sample picture for a preview box of shown size (device-independent
// pixels) on a screen of the given device pixel ratio: decoded and scaled to
// shown times the ratio, so that it stays sharp at 2x, and marked with the
// ratio, so that it takes up shown on screen. Null when the file does not
// decode.
[[nodiscard]] QPixmap decodePreview(const QString &path, QSize shown, qreal ratio);

} // namespace qelvo
