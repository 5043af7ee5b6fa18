#pragma once

#include "platform/appidentity.h"

#include <QDialog>

namespace qelvo {

// The full-screen slide-show window.
class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(const AppIdentity &identity, QWidget *parent = nullptr);

    void Form_Load();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    AppIdentity m_identity;
};

} // namespace qelvo
