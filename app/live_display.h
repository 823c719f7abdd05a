#pragma once
#include "app/sentence_parser.h"
#include "charts/chart_table.h"
#include "platform/instrument.h"
#include "platform/timer.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <concepts>
#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;
class QGroupBox;
class QLabel;

namespace app {

// An instrument as the display holds it: a widget to place, written through
// the instrument interface.
struct InstrumentWidget {
    template <class W>
        requires std::derived_from<W, QWidget> && std::derived_from<W, platform::Instrument>
    InstrumentWidget(W *instrumentWidget) : widget(instrumentWidget), instrument(instrumentWidget)
    {
    }

    QWidget *widget;
    platform::Instrument *instrument;
};

// The data view's live reading: a label per value, the attitude instrument
// `Horizon` and the heading instrument `Air1`, and the "Show Graph" buttons.
// The sentence parser writes each value here as it reads it. Instruments take
// each value at once. Setting a label's text costs a layout pass and a module
// can send thousands of values a second, so a label shows a value at once
// only when no label was refreshed in the last LabelRefreshMs; values that
// follow wait for that frame to end, and for the window's next repaint if it
// comes sooner.
class LiveDisplay : public QWidget, public ReadingSink {
    Q_OBJECT

public:
    using ButtonFactory = std::function<QAbstractButton *(const QString &caption, QWidget *parent)>;

    static constexpr int LabelRefreshMs = 40;

    // Takes ownership of both instrument widgets; `timers` makes the label refresh. `makeButton` builds the
    // "Show Graph" buttons (plain push buttons when empty). Starts as the window
    // loads: heading, pitch and roll shown, every other item hidden.
    LiveDisplay(QChar decimalSeparator, platform::TimerFactory &timers, InstrumentWidget horizon, InstrumentWidget air1,
                const ButtonFactory &makeButton = {}, QWidget *parent = nullptr);

    void ShowValue(protocol::ReadingValue value, double number) override;
    void ShowItems(const protocol::CompassReading &reading) override;
    // "?" on the labels that have a value before any sentence; the gyro and SPI
    // error labels stay hidden until their first value anyway.
    void ClearReadings();

    // The text a label shows, or shows at its next refresh; what the log reads back.
    QString LabelText(protocol::ReadingValue value) const;
    const platform::Instrument &Horizon() const { return *m_horizon; }

signals:
    // A chart's "Show Graph" button was pressed.
    void showGraphClicked(charts::ChartId id);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *addValue(protocol::ReadingValue value, QWidget *parent);
    // The "Show Graph" button of the chart whose first trace is `first`, on
    // `parent`; none when no chart starts with it.
    QAbstractButton *graphButton(protocol::ReadingValue first, QWidget *parent, const ButtonFactory &makeButton);
    QWidget *buildFrame(QGroupBox *frame, std::initializer_list<protocol::ReadingValue> values,
                        QAbstractButton *button);
    void setItemVisible(protocol::ReadingValue value, bool visible);
    QString textOf(protocol::ReadingValue value, double number) const;
    // Shows the values written since the last refresh; false when there were none.
    bool refreshLabels();
    void endFrame();
    void watchWindow();

    QChar m_decimalSeparator;
    platform::Instrument *m_horizon;
    platform::Instrument *m_air1;
    std::array<QLabel *, protocol::ReadingValueCount> m_values{};
    std::array<QLabel *, protocol::ReadingValueCount> m_captions{};
    // Values written since the last refresh.
    std::array<std::optional<double>, protocol::ReadingValueCount> m_pending{};
    // Runs while the labels were refreshed within the last LabelRefreshMs.
    std::unique_ptr<platform::Timer> m_refresh;
    // The window whose repaints also show the values written meanwhile.
    QPointer<QWidget> m_window;
    QGroupBox *m_frMag;
    QGroupBox *m_frAcc;
    QGroupBox *m_frGyro;
};

} // namespace app
