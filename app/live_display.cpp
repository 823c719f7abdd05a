#include "app/live_display.h"

#include "controls/reading_label.h"
#include "numbers/number_text.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

namespace {

using protocol::indexOf;
using protocol::ReadingValue;
using protocol::ReadingValueCount;
using V = ReadingValue;

struct Item {
    const char *name;
    const char *captionName;
    const char *caption;
};

// In ReadingValue order.
constexpr Item items[ReadingValueCount] = {
    {"lblHeading", "lblHeadingL", "Heading: "},
    {"lblPitch", "lblPitchL", "Pitch:"},
    {"lblRoll", "lblRollL", "Roll:"},
    {"lblTemp", "lblTempL", "Temp:"},
    {"lblDepth", "lblDepthL", "Depth:"},
    {"lblMag", "lblMagL", "M ="},
    {"lblMagX", "lblMagXL", "Mx = "},
    {"lblMagY", "lblMagYL", "My = "},
    {"lblMagZ", "lblMagZL", "Mz = "},
    {"lblAcc", "lblAccL", "A = "},
    {"lblAccX", "lblAccXL", "Ax = "},
    {"lblAccY", "lblAccYL", "Ay = "},
    {"lblAccZ", "lblAccZL", "Az = "},
    {"lblGyro", "lblGyroL", "G = "},
    {"lblGyroX", "lblGyroXL", "Gx ="},
    {"lblGyroY", "lblGyroYL", "Gy ="},
    {"lblLifeCnt", "lblLifeCountL", "Life Count:"},
    {"lblSPIErr", "lblSPIErrL", "SPI Err:"},
};

// The caption without its "=" or ":", for screen readers.
QString spokenName(const char *caption)
{
    QString name = QString::fromLatin1(caption);
    name.remove(QLatin1Char('=')).remove(QLatin1Char(':'));
    return name.trimmed();
}

} // namespace

QAbstractButton *LiveDisplay::graphButton(ReadingValue first, QWidget *parent, const ButtonFactory &makeButton)
{
    for (const charts::ChartRow &row : charts::ChartTable) {
        if (row.traces.front().value != first)
            continue;
        const QString caption = tr("Show Graph");
        QAbstractButton *button = makeButton ? makeButton(caption, parent) : new QPushButton(caption, parent);
        button->setObjectName(QLatin1String(row.showButtonName));
        // Every chart's button reads "Show Graph": the name says which.
        button->setAccessibleName(tr("%1 of %2").arg(caption, charts::ChartText(row.showButtonOf)));
        connect(button, &QAbstractButton::clicked, this, [this, id = row.id] { emit showGraphClicked(id); });
        return button;
    }
    return nullptr;
}

LiveDisplay::LiveDisplay(QChar decimalSeparator, platform::TimerFactory &timers, InstrumentWidget horizon, InstrumentWidget air1,
                         const ButtonFactory &makeButton, QWidget *parent)
    : QWidget(parent),
      m_decimalSeparator(decimalSeparator),
      m_horizon(horizon.instrument),
      m_air1(air1.instrument),
      m_refresh(timers.createTimer()),
      m_frMag(new QGroupBox(tr("Magnetic Field"), this)),
      m_frAcc(new QGroupBox(tr("Acceleration"), this)),
      m_frGyro(new QGroupBox(tr("Gyro"), this))
{
    m_refresh->setInterval(LabelRefreshMs);
    m_refresh->setTickHandler([this] { endFrame(); });
    horizon.widget->setObjectName(QStringLiteral("Horizon"));
    air1.widget->setObjectName(QStringLiteral("Air1"));
    m_air1->setBackgroundColor(0xFFFFFF);
    m_frMag->setObjectName(QStringLiteral("frMag"));
    m_frAcc->setObjectName(QStringLiteral("frAcc"));
    m_frGyro->setObjectName(QStringLiteral("frGyro"));

    // Never below their size hints: the window grows for them instead.
    horizon.widget->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    air1.widget->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    for (QGroupBox *frame : {m_frMag, m_frAcc, m_frGyro})
        frame->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    auto *instruments = new QHBoxLayout;
    instruments->addWidget(horizon.widget);
    instruments->addWidget(air1.widget);

    auto *attitude = new QGridLayout;
    const std::initializer_list<ReadingValue> rows[] = {{V::Heading, V::Pitch, V::Roll, V::Temperature},
                                                        {V::Depth, V::LifeCount, V::SPIErr}};
    for (int row = 0; row < 2; ++row) {
        int column = 0;
        for (ReadingValue value : rows[row]) {
            attitude->addWidget(addValue(value, this), row, column + 1);
            attitude->addWidget(m_captions[indexOf(value)], row, column);
            column += 2;
        }
    }
    // A chart's button stands with the readings of its first trace.
    if (QAbstractButton *showCompass = graphButton(V::Heading, this, makeButton))
        attitude->addWidget(showCompass, 0, 8);

    auto *frames = new QHBoxLayout;
    QAbstractButton *showMag = graphButton(V::MagVector, m_frMag, makeButton);
    QAbstractButton *showAcc = graphButton(V::AccVector, m_frAcc, makeButton);
    QAbstractButton *showGyro = graphButton(V::GyroVect, m_frGyro, makeButton);
    frames->addWidget(buildFrame(m_frMag, {V::MagVector, V::MagX, V::MagY, V::MagZ}, showMag));
    frames->addWidget(buildFrame(m_frAcc, {V::AccVector, V::AccX, V::AccY, V::AccZ}, showAcc));
    frames->addWidget(buildFrame(m_frGyro, {V::GyroVect, V::GyroX, V::GyroY}, showGyro));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(instruments);
    layout->addLayout(attitude);
    layout->addLayout(frames);

    for (ReadingValue hidden : {V::Temperature, V::Depth, V::LifeCount, V::SPIErr})
        setItemVisible(hidden, false);
    m_frAcc->hide();
    m_frMag->hide();
    m_frGyro->hide();
}

QLabel *LiveDisplay::addValue(ReadingValue value, QWidget *parent)
{
    const Item &item = items[indexOf(value)];
    auto *captionLabel = new QLabel(QString::fromLatin1(item.caption), parent);
    captionLabel->setObjectName(QLatin1String(item.captionName));
    auto *valueLabel = new controls::ReadingLabel(spokenName(item.caption), parent);
    valueLabel->setObjectName(QLatin1String(item.name));
    m_captions[indexOf(value)] = captionLabel;
    m_values[indexOf(value)] = valueLabel;
    return valueLabel;
}

QWidget *LiveDisplay::buildFrame(QGroupBox *frame, std::initializer_list<ReadingValue> values,
                                 QAbstractButton *button)
{
    auto *grid = new QGridLayout(frame);
    int row = 0;
    for (ReadingValue value : values) {
        grid->addWidget(addValue(value, frame), row, 1);
        grid->addWidget(m_captions[indexOf(value)], row, 0);
        ++row;
    }
    if (button)
        grid->addWidget(button, row, 0, 1, 2);
    return frame;
}

void LiveDisplay::ShowValue(ReadingValue value, double number)
{
    switch (value) {
    case V::Heading:
        m_horizon->setValue(platform::Instrument::Heading, number);
        m_air1->setValue(platform::Instrument::Heading, number);
        m_air1->setValue(platform::Instrument::HeadingBug, number);
        m_air1->setValue(platform::Instrument::HeadingSelect, number);
        break;
    case V::Pitch:
        m_horizon->setValue(platform::Instrument::Pitch, number);
        break;
    case V::Roll:
        m_horizon->setValue(platform::Instrument::Roll, number);
        break;
    default:
        break;
    }
    m_pending[indexOf(value)] = number;
    watchWindow();
    // No label was shown in the last frame: show this value now and start a frame.
    if (!m_refresh->isEnabled()) {
        m_refresh->setEnabled(true);
        refreshLabels();
    }
}

void LiveDisplay::endFrame()
{
    if (!refreshLabels())
        m_refresh->setEnabled(false);
}

void LiveDisplay::watchWindow()
{
    if (window() == m_window)
        return;
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = window();
    m_window->installEventFilter(this);
}

bool LiveDisplay::eventFilter(QObject *watched, QEvent *event)
{
    // The window is about to repaint: what it paints may as well be the latest.
    if (watched == m_window && event->type() == QEvent::UpdateRequest)
        refreshLabels();
    return false;
}

QString LiveDisplay::textOf(ReadingValue value, double number) const
{
    return numbers::FormatNumber(number, m_decimalSeparator) + QString::fromUtf8(protocol::ReadingUnit(value));
}

bool LiveDisplay::refreshLabels()
{
    bool any = false;
    for (int i = 0; i < ReadingValueCount; ++i) {
        if (m_pending[i]) {
            // QLabel leaves an unchanged text alone: no layout, no repaint.
            m_values[i]->setText(textOf(ReadingValue(i), *m_pending[i]));
            m_pending[i].reset();
            any = true;
        }
    }
    return any;
}

void LiveDisplay::ShowItems(const protocol::CompassReading &r)
{
    setItemVisible(V::Pitch, r.PitchPresent);
    setItemVisible(V::Roll, r.RollPresent);
    setItemVisible(V::Heading, r.HeadingPresent);
    m_frAcc->setVisible(r.AccVectorPresent || r.AccXPresent || r.AccYPresent || r.AccZPresent);
    m_frMag->setVisible(r.MagVectorPresent || r.MagXPresent || r.MagYPresent || r.MagZPresent);
    m_frGyro->setVisible(r.GyroVectPresent || r.GyroXPresent || r.GyroYPresent);
    setItemVisible(V::Temperature, r.TemperaturePresent);
    setItemVisible(V::SPIErr, r.SpiErrPresent);
    setItemVisible(V::Depth, r.DepthPresent);
    setItemVisible(V::LifeCount, r.LifeCountPresent);
}

void LiveDisplay::ClearReadings()
{
    for (ReadingValue value : {V::Heading, V::Pitch, V::Roll, V::Temperature, V::AccVector, V::AccX, V::AccY,
                               V::AccZ, V::MagVector, V::MagX, V::MagY, V::MagZ, V::LifeCount, V::Depth}) {
        m_pending[indexOf(value)].reset();
        m_values[indexOf(value)]->setText(QStringLiteral("?"));
    }
}

QString LiveDisplay::LabelText(ReadingValue value) const
{
    const std::optional<double> &pending = m_pending[indexOf(value)];
    return pending ? textOf(value, *pending) : m_values[indexOf(value)]->text();
}

void LiveDisplay::setItemVisible(ReadingValue value, bool visible)
{
    m_values[indexOf(value)]->setVisible(visible);
    m_captions[indexOf(value)]->setVisible(visible);
}

} // namespace app
