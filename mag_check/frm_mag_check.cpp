#include "mag_check/frm_mag_check.h"

#include "charts/chart_windows.h"
#include "controls/xp_button.h"
#include "mag_check/check_texts.h"
#include "mag_check/coverage_view.h"
#include "mag_check/projection_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace mag_check {

namespace {

// Chart traces 1, 2 and 3 carry X, Y and Z; trace 0 the magnitude.
constexpr int FirstAxisTrace = 1;

QColor verdictColour(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Good: return {0, 150, 0};
    case Verdict::Recalibrate: return {210, 0, 0};
    case Verdict::RotateMore: return {230, 120, 0};
    case Verdict::Undecided: break;
    }
    return {110, 110, 110};
}

QLabel *wrappedLabel(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

frmMagCheck::frmMagCheck(platform::TimerFactory &timers, charts::frmMagGraph &magGraph,
                         platform::StripChart &accelerationChart, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_magneticTap(magGraph.graphMag(),
                    [this](int trace, double x, double y) {
                        m_collector.addField(trace - FirstAxisTrace, x, y);
                        wakeRefresh();
                    }),
      m_accelerationTap(accelerationChart,
                        [this](int trace, double x, double y) {
                            m_collector.addGravity(trace - FirstAxisTrace, x, y);
                        }),
      m_refresh(timers.createTimer())
{
    setObjectName(QStringLiteral("frmMagCheck"));
    setWindowTitle(tr("Magnetic Calibration Check"));
    // Hidden or shown, it never keeps the program running.
    setAttribute(Qt::WA_QuitOnClose, false);

    // Made top to bottom, so Tab goes through them as the user sees them.
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buildProjections(), 3);
    auto *lower = new QHBoxLayout;
    layout->addLayout(lower, 2);
    lower->addLayout(buildCoverage(), 1);
    lower->addSpacing(10);
    lower->addLayout(buildResults(), 1);
    layout->addLayout(buildButtons());
    resize(1000, 720);
    m_cmdClear->setFocus();

    connect(m_cmdClear, &controls::XPButton::clicked, this, &frmMagCheck::clear);
    connect(m_cmdClose, &controls::XPButton::clicked, this, &QWidget::hide);
    connect(&magGraph.cmdCalCheck(), &controls::XPButton::clicked, this, [this] {
        show();
        raise();
        activateWindow();
    });
    m_refresh->setInterval(RefreshMs);
    m_refresh->setTickHandler([this] { refreshIfNew(); });
    showResult();
}

QLayout *frmMagCheck::buildProjections()
{
    auto *pictures = new QHBoxLayout;
    const char *const names[] = {"picXY", "picYZ", "picXZ"};
    const std::pair<int, int> axes[] = {{0, 1}, {1, 2}, {0, 2}};
    for (std::size_t i = 0; i < m_projections.size(); ++i) {
        m_projections[i] = new ProjectionView(axes[i].first, axes[i].second, this);
        m_projections[i]->setObjectName(QLatin1String(names[i]));
        pictures->addWidget(m_projections[i]);
    }
    return pictures;
}

QLayout *frmMagCheck::buildCoverage()
{
    m_coverage = new CoverageView(this);
    m_coverage->setObjectName(QStringLiteral("picCoverage"));
    m_lblTurnHint = wrappedLabel("lblTurnHint", this);
    auto *column = new QVBoxLayout;
    column->addWidget(new QLabel(tr("Field directions seen, in %1 sectors of equal area:").arg(SectorCount), this));
    column->addWidget(m_coverage, 1);
    column->addWidget(m_lblTurnHint);
    return column;
}

QLayout *frmMagCheck::buildResults()
{
    m_readings = new QWidget(this);
    auto *grid = new QGridLayout(m_readings);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    for (const Reading &reading : readingsOf(m_result, m_collector.capacity())) {
        grid->addWidget(new QLabel(reading.caption + QLatin1Char(':'), m_readings), row, 0, Qt::AlignTop);
        grid->addWidget(wrappedLabel(reading.name.toLatin1().constData(), m_readings), row++, 1);
    }
    grid->setColumnStretch(1, 1);

    m_lblVerdict = new QLabel(this);
    m_lblVerdict->setObjectName(QStringLiteral("lblVerdict"));
    m_lblVerdict->setAlignment(Qt::AlignCenter);
    m_lblVerdict->setMinimumHeight(fontMetrics().height() * 2);
    QFont verdictFont = font();
    verdictFont.setPointSizeF(verdictFont.pointSizeF() * 1.6);
    verdictFont.setBold(true);
    m_lblVerdict->setFont(verdictFont);
    m_lblFinding = wrappedLabel("lblFinding", this);
    auto *lblLimits = wrappedLabel("lblLimits", this);
    lblLimits->setText(limitsText());
    lblLimits->setAccessibleName(tr("Limits: %1").arg(limitsText()));
    lblLimits->setForegroundRole(QPalette::PlaceholderText);

    auto *column = new QVBoxLayout;
    column->addWidget(m_readings);
    column->addSpacing(6);
    column->addWidget(m_lblVerdict);
    column->addWidget(m_lblFinding);
    column->addStretch();
    column->addWidget(lblLimits);
    return column;
}

QLayout *frmMagCheck::buildButtons()
{
    m_cmdClear = new controls::XPButton(tr("Clear"), "cmdClear", this);
    m_cmdClear->setAccessibleName(tr("Clear the collected points"));
    m_cmdClose = new controls::XPButton(tr("Close"), "cmdClose", this);
    m_cmdClose->setAccessibleName(tr("Close the calibration check"));
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (controls::XPButton *button : {m_cmdClear, m_cmdClose}) {
        button->setFont(QFont(QStringLiteral("Verdana")));
        row->addWidget(button);
    }
    return row;
}

void frmMagCheck::refresh()
{
    m_collector.flush();
    m_checkedTaken = m_collector.taken();
    m_result = checkCalibration(m_collector.samples());
    showResult();
}

void frmMagCheck::clear()
{
    m_collector.clear();
    refresh();
}

void frmMagCheck::refreshIfNew()
{
    // Sentences in progress are taken at the check; counting them first would miss the last.
    m_collector.flush();
    if (m_collector.taken() != m_checkedTaken)
        refresh();
    else
        m_refresh->setEnabled(false);
}

void frmMagCheck::wakeRefresh()
{
    if (!m_refresh->isEnabled() && isVisible())
        m_refresh->setEnabled(true);
}

void frmMagCheck::showResult()
{
    const std::span<const FieldSample> samples = m_collector.samples();
    const ViewBox box = viewBoxOf(samples, m_result.fit);
    for (ProjectionView *view : m_projections) {
        view->setPicture(samples, m_result.fit, box);
        QString name = tr("%1 of %2 points").arg(view->title()).arg(m_result.points);
        if (m_result.fit)
            name += tr(", with the fitted ellipsoid");
        view->setAccessibleName(name);
    }

    m_coverage->setCoverage(samples, m_result);
    QStringList missing;
    for (int sector = 0; sector < SectorCount; ++sector)
        if (m_result.sectorPoints[static_cast<std::size_t>(sector)] < Limits::MinSectorPoints)
            missing << sectorName(sector);
    m_coverage->setAccessibleName(tr("Field directions seen: %1 of %2 sectors; missing: %3")
                                      .arg(m_result.coveredSectors)
                                      .arg(SectorCount)
                                      .arg(missing.isEmpty() ? tr("none") : missing.join(QStringLiteral(", "))));
    m_lblTurnHint->setText(turnHint(m_result));
    m_lblTurnHint->setAccessibleName(m_lblTurnHint->text());

    for (const Reading &reading : readingsOf(m_result, m_collector.capacity())) {
        auto *label = m_readings->findChild<QLabel *>(reading.name);
        label->setText(reading.value);
        label->setAccessibleName(reading.caption + QStringLiteral(": ") + reading.value);
    }
    const QString verdict = verdictText(m_result.verdict);
    m_lblVerdict->setText(verdict);
    m_lblVerdict->setAccessibleName(tr("Verdict: %1").arg(verdict));
    m_lblVerdict->setStyleSheet(QStringLiteral("color: white; background: %1; border-radius: 4px;")
                                    .arg(verdictColour(m_result.verdict).name()));
    m_lblFinding->setText(findingText(m_result));
    m_lblFinding->setAccessibleName(m_lblFinding->text());
}

void frmMagCheck::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

void frmMagCheck::hideEvent(QHideEvent *event)
{
    m_refresh->setEnabled(false);
    QWidget::hideEvent(event);
}

} // namespace mag_check
