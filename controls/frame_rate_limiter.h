#pragma once
#include <QHash>
#include <QObject>
#include <cstdint>
#include <functional>

namespace controls {

// Caps how often each window repaints. Readings may arrive a thousand times a
// second and every one marks labels, instruments and charts dirty; without a
// cap the window repaints on nearly every pass of the event loop. Installed on
// the application, it holds back a window's update request that comes sooner
// than one frame after its last one and lets a single request through when the
// frame is due, so everything marked dirty meanwhile is painted together.
// Repaints asked for by exposure or grab() are not affected.
class FrameRateLimiter : public QObject {
    Q_OBJECT

public:
    // Milliseconds from any fixed start.
    using Clock = std::function<std::int64_t()>;

    explicit FrameRateLimiter(int framesPerSecond, QObject *parent = nullptr);
    FrameRateLimiter(int framesPerSecond, Clock clock, QObject *parent = nullptr);

    int frameInterval() const { return m_intervalMs; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct WindowFrames {
        std::int64_t lastFrame = 0;
        bool seen = false;
        bool requestHeld = false;
    };

    void holdUntilDue(QObject *window, WindowFrames &frames, std::int64_t now);

    int m_intervalMs;
    Clock m_clock;
    QHash<QObject *, WindowFrames> m_windows;
};

} // namespace controls
