#pragma once

#include <QWidget>

namespace qelvo::picker
{

// A label for folder paths: they have no blanks, so the text wraps at any
// character instead of running out of the box.
class FolderLabel : public QWidget
{
    Q_OBJECT
public:
    explicit FolderLabel(QWidget *parent = nullptr);

    [[nodiscard]] QString text() const { return m_text; }
    void setText(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
};

} // namespace qelvo::picker
