#include "config/frm_setup.h"

#include "config/chart_range.h"
#include "config/setup_rules.h"
#include "controls/xp_button.h"
#include "numbers/number_reader.h"
#include "numbers/number_text.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include <tuple>

namespace config {

namespace {

// A limit as typed: white space around it, the user's separator (whatever
// character it is) or "." as the point.
std::optional<double> readLimit(const QString &text, QChar separator)
{
    QString plain = text.trimmed();
    plain.replace(separator, QLatin1Char('.'));
    return numbers::ReadNumber(plain.toStdString());
}

void setIfSelected(clsConfig &config, void (clsConfig::*setter)(const QString &), const QComboBox *box)
{
    if (box->currentIndex() >= 0)
        (config.*setter)(box->currentText());
}

} // namespace

frmSetup::frmSetup(platform::Platform &platform, clsConfig &config, platform::SerialPort &comTest, QWidget *parent)
    : QDialog(parent),
      m_platform(platform),
      m_config(config),
      m_comTest(comTest),
      m_decimalSeparator(platform.separators.Number),
      m_portMap(config.AppPath() + QStringLiteral("ports")),
      m_tmrPortPoll(platform.timers.createTimer())
{
    setObjectName(QStringLiteral("frmSetup"));
    buildControls();
    for (charts::ChartId id : charts::RangeOrder) {
        m_minBoxes[id]->installEventFilter(this);
        m_maxBoxes[id]->installEventFilter(this);
    }
    connect(m_cmdOk, &QAbstractButton::clicked, this, &frmSetup::cmdOk_Click);
    connect(m_cmdCancel, &QAbstractButton::clicked, this, &frmSetup::cmdCancel_Click);
    LoadValues();
    connect(m_cmbCom, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_chosenPort = index < 0 ? std::nullopt : modSerialPort::PortNumberOfEntry(m_cmbCom->itemText(index));
    });
    m_chosenPort = modSerialPort::PortNumberOfEntry(m_cmbCom->currentText());
    m_tmrPortPoll->setTickHandler([this] { RefreshPortList(); });
    m_tmrPortPoll->setInterval(PortPollMs);
    m_tmrPortPoll->setEnabled(true);
}

void frmSetup::LoadValues()
{
    m_cmbCom->addItems(modSerialPort::FillPortList(m_platform.devices, m_portMap, m_comTest));

    // A value the list doesn't offer leaves the list unselected, and OK then keeps it.
    m_cmbBaud->setCurrentIndex(m_cmbBaud->findText(m_config.SerialBauds()));
    m_cmbDataBits->setCurrentIndex(m_cmbDataBits->findText(m_config.SerialDataBits()));
    m_cmbStop->setCurrentIndex(m_cmbStop->findText(m_config.SerialStopBits()));
    const QString parity = ParityName(m_config.SerialParity());
    m_cmbParity->setCurrentIndex(parity.isEmpty() ? -1 : m_cmbParity->findText(parity));

    for (charts::ChartId id : charts::RangeOrder) {
        m_maxBoxes[id]->setText(numbers::FormatNumber(m_config.Range(id).max, m_decimalSeparator));
        m_minBoxes[id]->setText(numbers::FormatNumber(m_config.Range(id).min, m_decimalSeparator));
    }

    SelectPort();
}

void frmSetup::SelectPort()
{
    QStringList entries;
    for (int i = 0; i < m_cmbCom->count(); ++i)
        entries << m_cmbCom->itemText(i);
    const int entry = PortEntryFor(entries, m_config.SerialPort());
    if (entry >= 0) {
        m_cmbCom->setCurrentIndex(entry);
        return;
    }
    m_platform.messages.show(tr("The previously selected COM port isn't installed on the computer, "
                                "please select another COM port"),
                             platform::MessageIcon::Information);
    m_cmbCom->setCurrentIndex(entries.isEmpty() ? -1 : 0);
}

void frmSetup::RefreshPortList()
{
    QStringList ports;
    // Only the system's list is followed: the probe would open every port twice a second.
    if (!modSerialPort::GetComPorts(ports, m_platform.devices, m_portMap))
        return;
    QStringList shown;
    for (int i = 0; i < m_cmbCom->count(); ++i)
        shown << m_cmbCom->itemText(i);
    if (ports == shown)
        return;
    const QSignalBlocker keepChoice(m_cmbCom);
    m_cmbCom->clear();
    m_cmbCom->addItems(ports);
    m_cmbCom->setCurrentIndex(m_chosenPort ? EntryNumbered(ports, *m_chosenPort) : -1);
    // An open list keeps its size unless shown again; the new entry would hide behind a scroll arrow.
    if (m_cmbCom->view()->isVisible())
        m_cmbCom->showPopup();
}

bool frmSetup::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // Leaving the window or opening a menu is not leaving the box; nor is Cancel.
        const bool leavesBox = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        if (leavesBox && QApplication::focusWidget() != m_cmdCancel)
            ValidateChartBox(static_cast<QLineEdit *>(watched));
    }
    return QDialog::eventFilter(watched, event);
}

void frmSetup::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier)) {
        QDialog::keyPressEvent(event);
        return;
    }
    // A held Enter presses once.
    if (event->isAutoRepeat())
        return;
    auto *box = qobject_cast<QLineEdit *>(focusWidget());
    if (box && !ValidateChartBox(box))
        return;
    m_cmdOk->click();
}

bool frmSetup::ValidateChartBox(QLineEdit *box)
{
    if (readLimit(box->text(), m_decimalSeparator))
        return true;
    m_platform.messages.show(tr("Please enter a valid numeric value."), platform::MessageIcon::Exclamation,
                             platform::MessageButtons::Ok,
                             tr("%1: \"%2\" is not a number.").arg(box->accessibleName(), box->text()));
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    return false;
}

ChartRange frmSetup::boxedRange(charts::ChartId id) const
{
    // A box without a number leaves its limit as it is.
    const ChartRange stored = m_config.Range(id);
    return {readLimit(m_minBoxes[id]->text(), m_decimalSeparator).value_or(stored.min),
            readLimit(m_maxBoxes[id]->text(), m_decimalSeparator).value_or(stored.max)};
}

bool frmSetup::ValidateChartRanges()
{
    for (charts::ChartId id : charts::RangeOrder) {
        QLineEdit *minBox = m_minBoxes[id];
        QLineEdit *maxBox = m_maxBoxes[id];
        const auto [min, max] = boxedRange(id);
        if (IsUsableChartRange(min, max))
            continue;
        m_platform.messages.show(tr("The %1 (%2) must be below the %3 (%4).")
                                     .arg(minBox->accessibleName(), numbers::FormatNumber(min, m_decimalSeparator),
                                          maxBox->accessibleName(), numbers::FormatNumber(max, m_decimalSeparator)),
                                 platform::MessageIcon::Exclamation, platform::MessageButtons::Ok,
                                 tr("Enter a smaller minimum or a larger maximum: the chart shows the "
                                    "values between them."));
        minBox->setFocus(Qt::OtherFocusReason);
        minBox->selectAll();
        return false;
    }
    return true;
}

void frmSetup::cmdOk_Click()
{
    if (!ValidateChartRanges())
        return;
    // Each value that can't be taken is left as it was; the rest still apply.
    for (charts::ChartId id : charts::RangeOrder)
        m_config.setRange(id, boxedRange(id));
    setIfSelected(m_config, &clsConfig::setSerialBauds, m_cmbBaud);
    setIfSelected(m_config, &clsConfig::setSerialDataBits, m_cmbDataBits);
    if (m_cmbParity->currentIndex() >= 0)
        m_config.setSerialParity(m_cmbParity->currentText().left(1));
    if (m_cmbCom->currentIndex() >= 0) {
        if (const auto number = modSerialPort::PortNumberOfEntry(m_cmbCom->currentText()))
            m_config.setSerialPort(*number);
    }
    setIfSelected(m_config, &clsConfig::setSerialStopBits, m_cmbStop);

    if (!m_config.SaveConfig())
        m_platform.messages.show(tr("The settings could not be saved to %1: %2\nThey apply until the "
                                    "program ends.")
                                     .arg(m_config.FilePath(), m_config.LastSaveError()),
                                 platform::MessageIcon::Exclamation);
    m_dialogResult = ResultOk;
    accept();
}

void frmSetup::cmdCancel_Click()
{
    m_dialogResult = ResultCancel;
    reject();
}

} // namespace config
