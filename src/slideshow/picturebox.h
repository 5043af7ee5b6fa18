#pragma once

#include "slideshow/transition.h"

#include <QImage>
#include <QWidget>

namespace qelvo::slideshow {

// The visible picture box. Its stored content is the scaled image; the
// transition draws over what is on screen without touching that content.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent);

    // An empty (black) box.
    void clearPicture();
    // image is already at the box's size (times the screen's pixel ratio).
    void setPicture(QImage image);
    [[nodiscard]] const QImage &picture() const { return m_stored; }
    [[nodiscard]] const QImage &onScreen() const { return m_visible; }

    // Draws one transition step over the picture on screen and presents the
    // changed area at once, so that each step is a frame of its own.
    void drawStep(const TransitionStep &step);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void ensureVisibleBuffer();

    QImage m_stored;
    QImage m_visible;
};

} // namespace qelvo::slideshow
