#pragma once

#include "slideshow/transition.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <memory>

namespace qelvo
{

// Picture1: shows one picture, stretched to fill the box, and the steps of a
// closing transition drawn over it. The picture itself (its stored content)
// is kept apart from the drawing over it, so clearing the transition shows the
// picture as it was painted. Hiding or showing the box does the same: a box
// shown again never brings back the transition that covered it before.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Drops any transition, then hides or shows the box.
    void setVisible(bool visible) override;

    // Decodes the file for a box of the given size (device pixels follow the
    // screen's pixel ratio) and keeps it, stretched to exactly that size.
    // False, and the box unchanged, when the file cannot be decoded.
    bool setPicture(const QString &path, QSize box);
    // Shows a picture already decoded at deviceSize() of the box.
    void showPicture(QImage image);
    // A box's size in the screen's device pixels.
    [[nodiscard]] QSize deviceSize(QSize box) const;
    // Black, no picture, no transition.
    void clearPicture();
    // Shows the picture again as it was painted, without the transition over it.
    void clearTransition();
    // Draws one transition step over what is on screen and brings only the
    // changed areas to the screen at once; returns their bounding box.
    QRect drawFade(const slideshow::FadeStep &step);

    // What the box shows now: the picture with any transition over it. Built
    // on each call while a transition is under way.
    [[nodiscard]] QImage shownImage() const;
    [[nodiscard]] const QImage &picture() const { return m_content; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    [[nodiscard]] qreal imageRatio() const;
    void dropTransition();
    // Copies the picture into the overlay where it holds nothing yet.
    void takeOver(const QRegion &deviceArea);
    QRegion combineRectangle(const QRect &deviceRect, const slideshow::DrawAttributes &attributes);

    QImage m_content; // the stretched picture, Format_RGB32
    // The picture with the transition drawn over it, valid only inside
    // m_drawn (device pixels): a transition copies just the areas it draws
    // on, never the whole picture at once.
    QImage m_overlay;
    QRegion m_drawn;
    // The overlay's memory, kept from one transition to the next: a page
    // written for the first time costs far more than a copy into it (a
    // curtain's first band writes one page per row), and an allocator
    // returns a screen-sized block to the system once freed.
    std::unique_ptr<uchar[]> m_overlayStore;
    qsizetype m_overlayBytes = 0;
    // Where a rectangle was combined in a mode that changes nothing when
    // repeated (black, or a mask of m_settledColour): a curtain draws over
    // its earlier areas at every step, and only its new band needs the work.
    QRegion m_settled;
    slideshow::RasterMode m_settledMode = slideshow::RasterMode::Copy;
    QRgb m_settledColour = 0;
};

} // namespace qelvo
