#include "wizard/delayer.h"

#include <QFrame>
#include <QLabel>
#include <algorithm>
#include <cmath>

namespace wizard {

namespace {
// Design sizes, in pixels at 96 dots per inch.
constexpr int ControlWidth = 80;
constexpr int ControlHeight = 31;
constexpr int BarTop = 16;
constexpr int BarWidth = 73;
constexpr int BarHeight = 9;
const QColor Blue(0, 0, 255);
} // namespace

Delayer::Delayer(platform::Platform &platform, QWidget *parent)
    : QWidget(parent), m_platform(platform), m_tmrAnim(platform.timers.createTimer())
{
    setObjectName(QStringLiteral("Delayer"));
    setFixedSize(ControlWidth, ControlHeight);

    m_label1 = new QLabel(tr("Please wait..."), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
    m_label1->setGeometry(0, 0, ControlWidth, BarTop);

    m_shpContainer = new QFrame(this);
    m_shpContainer->setObjectName(QStringLiteral("shpContainer"));
    m_shpContainer->setFrameShape(QFrame::Box);
    m_shpContainer->setGeometry(0, BarTop, BarWidth, BarHeight);

    m_shpTime = new QWidget(this);
    m_shpTime->setObjectName(QStringLiteral("shpTime"));
    m_shpTime->setAutoFillBackground(true);
    QPalette fill = m_shpTime->palette();
    fill.setColor(QPalette::Window, Blue);
    m_shpTime->setPalette(fill);
    m_shpTime->setGeometry(0, BarTop, 0, BarHeight);
    m_shpTime->hide();

    setAccessibleName(tr("Please wait"));
    m_tmrAnim->setInterval(TickMs);
    m_tmrAnim->setEnabled(false);
    m_tmrAnim->setTickHandler([this] { tmrAnim_Timer(); });
}

Delayer::~Delayer() = default;

void Delayer::Reset()
{
    m_tmrAnim->setEnabled(false);
    m_running = false;
}

void Delayer::Start()
{
    m_startTick = m_platform.clock.tickCount();
    m_tmrAnim->setEnabled(true);
    m_running = true;
    redraw();
}

int Delayer::progressWidth() const
{
    return m_shpTime->isHidden() ? 0 : m_shpTime->width();
}

std::uint32_t Delayer::elapsed() const
{
    return platform::ticksSince(m_platform.clock.tickCount(), m_startTick);
}

void Delayer::redraw()
{
    const int full = m_shpContainer->width();
    // Halves round to the even neighbour (the default rounding mode).
    const double share = std::nearbyint(double(full) * double(elapsed()) / double(m_delay));
    const int width = static_cast<int>(std::min(share, double(full)));
    m_shpTime->setGeometry(0, BarTop, width, BarHeight);
    m_shpTime->setVisible(width > 0);
    setAccessibleDescription(tr("%1 of %2 ms").arg(std::min<std::int64_t>(elapsed(), m_delay)).arg(m_delay));
}

void Delayer::tmrAnim_Timer()
{
    redraw();
    if (std::int64_t(elapsed()) > m_delay) {
        // A handler that restarts the span has that restart undone here.
        emit TimeElapsed();
        m_tmrAnim->setEnabled(false);
        m_running = false;
    }
}

} // namespace wizard
