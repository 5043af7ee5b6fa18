#pragma once

#include "platform/appidentity.h"

#include <QMainWindow>

namespace qelvo {

// The settings dialog.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(const AppIdentity &identity, QWidget *parent = nullptr);

    void Form_Load();

private:
    AppIdentity m_identity;
};

} // namespace qelvo
