#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QSize>

#include <cstdint>
#include <functional>

class QWindow;

namespace qelvo
{

// A window a screen-saver host made for the show (a monitor's, or a preview
// pane), on the X display the application runs on. It is the host's: the
// show only puts its own window inside it and watches it, to follow its size
// and to end when it is gone.
class HostWindow final : public QObject, private QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    // Asks the server for the window's size and starts watching it; exists()
    // is false when the server knows no such window.
    explicit HostWindow(std::uint32_t id);
    ~HostWindow() override;

    [[nodiscard]] std::uint32_t id() const { return m_id; }
    [[nodiscard]] bool exists() const { return m_exists; }
    // The window's size in pixels.
    [[nodiscard]] QSize size() const { return m_size; }
    // The window as a parent for the show's own; it lives as long as this object.
    [[nodiscard]] QWindow *asParent();

    // The pictures the shows in this host's other windows have on screen for
    // more than half of [fromMs, untilMs) (milliseconds since the epoch) go
    // to choose; the picture it returns is claimed for that time on ownWindow
    // (the show's own window in this one), and what was claimed before for
    // the time until fromMs stays claimed. The X server serves no other
    // client meanwhile, so two shows never take the same picture at once.
    void pickBesideOthers(std::uint32_t ownWindow, qint64 fromMs, qint64 untilMs,
                          const std::function<QString(const QStringList &elsewhere)> &choose);

signals:
    void resized(QSize size);
    // The window was destroyed (the host ended, or its monitor went away).
    void gone();

private:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

    std::uint32_t m_id;
    bool m_exists = false;
    QSize m_size;
    QWindow *m_parent = nullptr;
    QByteArray m_claim; // this show's claim for its next picture: "from until path"
};

} // namespace qelvo
