#pragma once

#include <QLabel>

namespace qelvo::slideshow {

// A borderless read-only text line of the show. It keeps its text exactly as
// given (CR LF line breaks included) and shows the line breaks as such.
class TextBox : public QLabel {
    Q_OBJECT
public:
    TextBox(const QColor &color, int pointSize, QWidget *parent);

    void setBoxText(const QString &text);
    [[nodiscard]] const QString &boxText() const { return m_text; }

private:
    QString m_text;
};

} // namespace qelvo::slideshow
