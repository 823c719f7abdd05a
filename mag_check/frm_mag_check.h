#pragma once
#include "mag_check/calibration_check.h"
#include "mag_check/chart_tap.h"
#include "mag_check/sample_collector.h"
#include "platform/timer.h"

#include <QWidget>
#include <array>
#include <memory>

class QLabel;
class QLayout;
namespace controls { class XPButton; }

namespace charts { class frmMagGraph; }

namespace mag_check {

class CoverageView;
class ProjectionView;

// "Magnetic Calibration Check": fits the magnetic field the module reported
// while it was turned and says how well it is calibrated. Opened by the
// magnetic chart window's Calibration Check button. Like the charts it collects
// while hidden: the parser feeds it through magneticChart() and
// accelerationChart(), which pass every point on to the real charts. While
// shown it checks again every RefreshMs while new samples come, and sleeps
// while none do; closing it hides it.
class frmMagCheck : public QWidget {
    Q_OBJECT

public:
    static constexpr int RefreshMs = 250;

    frmMagCheck(platform::TimerFactory &timers, charts::frmMagGraph &magGraph, platform::StripChart &accelerationChart,
                QWidget *parent = nullptr);

    platform::StripChart &magneticChart() { return m_magneticTap; }
    platform::StripChart &accelerationChart() { return m_accelerationTap; }
    SampleCollector &collector() { return m_collector; }
    const CheckResult &result() const { return m_result; }

    // Checks what has been collected, now.
    void refresh();
    // Forgets every sample.
    void clear();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QLayout *buildProjections();
    QLayout *buildCoverage();
    QLayout *buildResults();
    QLayout *buildButtons();
    void refreshIfNew();
    // Starts the checks again when a field value comes to a shown window.
    void wakeRefresh();
    void showResult();

    SampleCollector m_collector;
    ChartTap m_magneticTap;
    ChartTap m_accelerationTap;
    CheckResult m_result;
    std::uint64_t m_checkedTaken = 0;
    std::unique_ptr<platform::Timer> m_refresh;

    std::array<ProjectionView *, 3> m_projections{};
    CoverageView *m_coverage;
    QLabel *m_lblTurnHint;
    QWidget *m_readings;
    QLabel *m_lblVerdict;
    QLabel *m_lblFinding;
    controls::XPButton *m_cmdClear;
    controls::XPButton *m_cmdClose;
};

} // namespace mag_check
