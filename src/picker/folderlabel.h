#pragma once

#include <QWidget>

namespace qelvo::picker
{

// A label for folder paths: they have no blanks, so the text wraps at any
// character instead of running out of the box. A path that needs more lines
// than the box holds loses its beginning ("..." stands for it), so that the
// folder's own name at its end stays in view; the tooltip has the whole path.
class FolderLabel : public QWidget
{
    Q_OBJECT
public:
    explicit FolderLabel(QWidget *parent = nullptr);

    [[nodiscard]] QString text() const { return m_text; }
    void setText(const QString &text);
    // What the box shows at its present size and font.
    [[nodiscard]] QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    [[nodiscard]] bool fits(const QString &text) const;

    QString m_text;
};

} // namespace qelvo::picker
