#include "controls/frame_rate_limiter.h"

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Counts the update requests that reach it and its child.
class CountingWindow : public QWidget {
public:
    CountingWindow() : child(new Child(this)) { resize(120, 80), child->setGeometry(10, 10, 50, 30); }

    struct Child : QWidget {
        using QWidget::QWidget;
        bool event(QEvent *event) override
        {
            if (event->type() == QEvent::UpdateRequest)
                ++updateRequests;
            return QWidget::event(event);
        }
        int updateRequests = 0;
    };

    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::UpdateRequest)
            ++updateRequests;
        return QWidget::event(event);
    }

    Child *child;
    int updateRequests = 0;
};

class FrameRateLimiterTest : public ::testing::Test {
protected:
    FrameRateLimiterTest() { window.installEventFilter(&limiter); }

    void request(QWidget &target)
    {
        QEvent event(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(&target, &event);
    }

    std::int64_t now = 1000;
    controls::FrameRateLimiter limiter{25, [this] { return now; }};
    CountingWindow window;
};

TEST_F(FrameRateLimiterTest, HoldsRequestsWithinAFrameAndLetsOneThroughWhenDue)
{
    // 25 frames a second: one every 40 ms.
    request(window);
    now += 40;
    request(window);
    EXPECT_EQ(window.updateRequests, 2);
    now += 10;
    request(window);
    request(window);
    EXPECT_EQ(window.updateRequests, 2);
    now += 30;
    // The held request comes back by itself once the frame is due.
    QTRY_COMPARE(window.updateRequests, 3);
}

TEST(FrameRateLimiter, OnTheApplicationHoldsOnlyWindows)
{
    std::int64_t now = 0;
    controls::FrameRateLimiter limiter(25, [&] { return now; });
    qApp->installEventFilter(&limiter);
    CountingWindow window;
    for (int i = 0; i < 3; ++i) {
        for (QWidget *target : {static_cast<QWidget *>(&window), static_cast<QWidget *>(window.child)}) {
            QEvent event(QEvent::UpdateRequest);
            QCoreApplication::sendEvent(target, &event);
        }
    }
    qApp->removeEventFilter(&limiter);
    EXPECT_EQ(window.updateRequests, 1);
    EXPECT_EQ(window.child->updateRequests, 3);
}

} // namespace
