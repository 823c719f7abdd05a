#include "app/frm_main.h"

#include "app/escape_search.h"
#include "app/live_display.h"
#include "app/terminal_frame.h"
#include "charts/chart_windows.h"
#include "config/cls_config.h"
#include "config/frm_setup.h"
#include "controls/attitude_indicator.h"
#include "controls/busy_pointer.h"
#include "controls/heading_indicator.h"
#include "controls/xp_button.h"
#include "device/cls_compass.h"
#include "logging/log_frame.h"
#include "mag_check/frm_mag_check.h"
#include "platform/port_failure.h"
#include "platform/wait.h"
#include "protocol/menu_exchange_gate.h"
#include "settings_panel/profile_tools.h"
#include "settings_panel/settings_panel_controller.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace app {

QString frmMain::Caption()
{
    return tr("Quorvane Orvex Demo Utility V2.6%1(Nov 5, 2010)").arg(QString(31, QLatin1Char(' ')));
}

namespace {

QLabel *makeNotice(const QString &text, const char *name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setStyleSheet(QStringLiteral("color: blue; font-weight: bold;"));
    label->setAlignment(Qt::AlignCenter);
    // Its line stays reserved, so showing it moves nothing.
    QSizePolicy keepRoom = label->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    label->setSizePolicy(keepRoom);
    label->hide();
    return label;
}

} // namespace

frmMain::frmMain(platform::Platform &platform, QWidget *parent)
    : QWidget(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Caption());
    m_com = m_platform.ports.createPort();
    m_comTest = m_platform.ports.createPort();
    m_com->setLostHandler([this](const std::string &reason) { onPortLost(reason); });
    m_link = std::make_unique<protocol::LinkSupervisor>(m_platform, m_state, *m_com);
    m_gate = std::make_unique<protocol::MenuExchangeGate>(m_platform.timers);
}

frmMain::~frmMain()
{
    m_com->setReceiveHandler({});
    m_com->setLostHandler({});
}

void frmMain::Form_Load()
{
    m_gCompass = std::make_unique<device::clsCompass>(m_platform);

    m_config = std::make_unique<config::clsConfig>(m_platform.appPath);
    tellConfigLoad(m_config->LoadSettings());

    m_charts = std::make_unique<charts::ChartWindows>(m_platform.files, m_platform.messages);
    m_frmMagCheck = std::make_unique<mag_check::frmMagCheck>(m_platform.timers, m_charts->magGraph(),
                                                             m_charts->chart(charts::ChartId::Acc));

    buildWindow();

    m_live->ClearReadings();
    ApplySettings();
    m_panelController->FillDefaults();
    m_terminal->chkShowCompassData()->setChecked(m_config->ShowCompassData());
    m_link->start();
}

// One message for whatever went wrong with the file, so a bad start is told once.
void frmMain::tellConfigLoad(std::int32_t loaded)
{
    QStringList told;
    if (loaded == config::clsConfig::NotFound || loaded == config::clsConfig::WrongVersion)
        told << tr("Configuration file not found or bad version, default loaded.");
    else if (loaded == config::clsConfig::ReadError)
        told << tr("The configuration file %1 %2. The settings not read from it have their default values; check "
                   "them with Configure.")
                    .arg(m_config->FilePath(), m_config->LastLoadProblem());
    if (!m_config->LastSaveSucceeded())
        told << tr("The settings could not be saved to %1: %2\nThe program goes on with these settings.")
                    .arg(m_config->FilePath(), m_config->LastSaveError());
    if (told.isEmpty())
        return;
    const bool onlyDefaults = loaded != config::clsConfig::ReadError && m_config->LastSaveSucceeded();
    m_platform.messages.show(told.join(QStringLiteral("\n\n")),
                             onlyDefaults ? platform::MessageIcon::Information : platform::MessageIcon::Exclamation);
}

void frmMain::buildWindow()
{
    // Made top to bottom, so Tab goes down the column as the user sees it.
    auto *buttons = new QWidget(this);
    m_cmdOpen = new controls::XPButton(tr("Open Port"), "cmdOpen", buttons);
    m_cmdClose = new controls::XPButton(tr("Close Port"), "cmdClose", buttons);
    m_cmdConfigure = new controls::XPButton(tr("Configure"), "cmdConfigure", buttons);
    m_cmdShowCSetup = new controls::XPButton(tr("Program"), "cmdShowCSetup", buttons);
    m_cmdShowCmpData = new controls::XPButton(tr("Show Compass Data"), "cmdShowCmpData", buttons);
    m_cmdExit = new controls::XPButton(tr("Quit"), "cmdExit", buttons);
    m_cmdClose->setEnabled(false);

    buttons->setObjectName(QStringLiteral("frButtons"));
    auto *buttonColumn = new QVBoxLayout(buttons);
    for (QAbstractButton *b : {m_cmdOpen, m_cmdClose, m_cmdConfigure, m_cmdShowCSetup, m_cmdShowCmpData, m_cmdExit})
        buttonColumn->addWidget(b);
    buttonColumn->addStretch();

    // Data view: live reading, the log and the two notices.
    m_frViewData = new QWidget(this);
    m_frViewData->setObjectName(QStringLiteral("frViewData"));
    auto *horizon = new controls::AttitudeIndicator;
    auto *air1 = new controls::HeadingIndicator;
    m_live = new LiveDisplay(m_platform.separators.Monetary, m_platform.timers, InstrumentWidget(horizon),
                             InstrumentWidget(air1),
                             [](const QString &caption, QWidget *parent) -> QAbstractButton * {
                                 return new controls::XPButton(caption, parent);
                             },
                             m_frViewData);
    m_logFrame = new logging::LogFrame(m_platform, m_live->Horizon(),
                                       [this](int value) { return m_live->LabelText(protocol::ReadingValue(value)); },
                                       m_frViewData);
    m_lblPresent = makeNotice(tr("- Compass Not Connected -"), "lblPresent", m_frViewData);
    m_lblFormat16 = makeNotice(tr("NO DATA DISPLAY, FORMAT SET TO 16. CHANGE FOR DATA DISPLAY"), "lblFormat16",
                               m_frViewData);
    auto *viewLayout = new QVBoxLayout(m_frViewData);
    viewLayout->addWidget(m_lblPresent);
    viewLayout->addWidget(m_lblFormat16);
    viewLayout->addWidget(m_live, 1);
    viewLayout->addWidget(m_logFrame);
    m_logFrame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);

    // Settings panel: the compass settings above the terminal with its tools.
    m_frCS = new QWidget(this);
    m_frCS->setObjectName(QStringLiteral("frCS"));
    m_frCS->setAutoFillBackground(true);
    m_settingsPanel = new settings_panel::CompassSettingsPanel(m_frCS);
    m_panelController = new settings_panel::SettingsPanelController(*this, m_state, *m_gate, *m_settingsPanel, this);
    m_terminal = new TerminalFrame(m_frCS);
    auto *profileTools = new settings_panel::ProfileTools(m_terminal);
    m_terminal->addTools(profileTools);
    m_panelController->offerProfiles(*profileTools);
    auto *csLayout = new QVBoxLayout(m_frCS);
    csLayout->setContentsMargins(0, 0, 0, 0);
    csLayout->addWidget(m_settingsPanel);
    csLayout->addWidget(m_terminal, 1);
    m_frCS->hide();

    m_lbl1004 = makeNotice(tr("TOO MANY FRAMING ERRORS - MAYBE BAUD RATE CONFIGURATION IS WRONG"), "lbl1004", this);
    m_lbl1004->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(buttons, 0, 0, 2, 1);
    grid->addWidget(m_frViewData, 0, 1);
    grid->addWidget(m_frCS, 0, 1);
    grid->addWidget(m_lbl1004, 1, 1);
    grid->setColumnStretch(1, 1);

    connectReceivePath();

    connect(m_cmdOpen, &QAbstractButton::clicked, this, &frmMain::cmdOpen_Click);
    connect(m_cmdClose, &QAbstractButton::clicked, this, &frmMain::cmdClose_Click);
    connect(m_cmdConfigure, &QAbstractButton::clicked, this, &frmMain::cmdConfigure_Click);
    connect(m_cmdExit, &QAbstractButton::clicked, this, &frmMain::cmdExit_Click);
    connect(m_cmdShowCSetup, &QAbstractButton::clicked, this, &frmMain::cmdShowCSetup_Click);
    connect(m_cmdShowCmpData, &QAbstractButton::clicked, this, [this] { m_panelController->ShowCompassData(); });
    connect(m_live, &LiveDisplay::showGraphClicked, this, [this](charts::ChartId id) { m_charts->show(id); });
    connect(m_terminal->cmdIDEsc(), &QAbstractButton::clicked, this, [this] { m_escapeSearch->run(); });
    connect(m_terminal->cmdHighTemp(), &QAbstractButton::clicked, this, &frmMain::cmdHighTemp_Click);
    // Like the original check box, a change of state from code runs the handler too.
    connect(m_terminal->chkShiftMode(), &QCheckBox::toggled, this, &frmMain::chkShiftMode_Click);
    connect(m_terminal->chkShowCompassData(), &QCheckBox::clicked, this, [this](bool checked) {
        m_config->setShowCompassData(checked);
        m_config->SaveConfig();
    });
}

void frmMain::connectReceivePath()
{
    protocol::LinkOutlets link;
    link.alive = [button = m_cmdShowCmpData, notice = m_lblPresent](bool alive) {
        button->setEnabled(alive);
        notice->setVisible(!alive);
    };
    link.format16Notice = [notice = m_lblFormat16](bool shown) { notice->setVisible(shown); };
    link.readSettings = [panel = m_panelController] { panel->RequestSettings(false); };
    m_link->setOutlets(std::move(link));

    ChartTargets fed;
    for (const charts::ChartRow &row : charts::ChartTable)
        fed[row.id] = &m_charts->chart(row.id);
    // The calibration check collects the field and the acceleration on their way to their charts.
    fed[charts::ChartId::Mag] = &m_frmMagCheck->magneticChart();
    fed[charts::ChartId::Acc] = &m_frmMagCheck->accelerationChart();
    m_parser = std::make_unique<SentenceParser>(m_platform.separators.monetaryByte(),
                                                SentenceTargets{*m_live, fed, *m_logFrame});
    ReceiveOutlets out;
    out.dumpLine = [panel = m_panelController](const std::string &line) { panel->ParseSettingsLine(line); };
    out.terminal = [terminal = m_terminal](const std::string &text) { terminal->append(text); };
    out.signOfLife = [link = m_link.get()] { link->signOfLife(); };
    out.echoData = [box = m_terminal->chkShowCompassData()] { return box->isChecked(); };
    out.settingsWanted = [panel = m_panelController] { panel->RequestSettings(true); };
    out.framingWarning = [label = m_lbl1004](bool shown) { label->setVisible(shown); };
    out.compassEvent = [&compass = m_gCompass] { compass->OnCom(); };
    m_receive = std::make_unique<ReceivePath>(m_platform.clock, m_state, *m_parser, std::move(out));
    m_com->setReceiveHandler([receive = m_receive.get(), com = m_com.get()] { receive->OnComm(*com); });
    m_escapeSearch = std::make_unique<EscapeSearch>(m_platform, *m_com, *m_receive, *m_link, *m_gate, *m_terminal);
}

void frmMain::ApplySettings()
{
    if (m_com->isOpen())
        m_com->close();
    bool numeric = false;
    const int number = m_config->SerialPort().toShort(&numeric);
    // A port number that is not numeric selects no port; opening then fails with a message.
    m_com->setPortNumber(numeric ? number : 0);
    m_com->setSettings((m_config->SerialBauds() + ',' + m_config->SerialParity() + ',' + m_config->SerialDataBits()
                        + ',' + m_config->SerialStopBits())
                           .toStdString());
    for (charts::ChartId id : charts::RangeOrder) {
        const config::ChartRange range = m_config->Range(id);
        m_charts->chart(id).setRange(range.max, range.min);
    }
}

bool frmMain::TryToOpenPort()
{
    if (m_com->isOpen())
        m_com->close();
    for (int attempt = 1; attempt <= OpenAttempts; ++attempt) {
        if (m_com->open())
            break;
        platform::Wait(m_platform, 100);
        m_platform.pump.processEvents();
    }
    if (!m_com->isOpen())
        return false;
    // Only what arrives from now on is live: neither what the device kept, nor
    // the head of a line cut by the last close, nor the tail of one the module
    // began before the open is read as a sentence.
    m_com->discardInput();
    m_receive->startAfterOpen(*m_com);
    return true;
}

void frmMain::setPortButtons(bool open)
{
    QAbstractButton *now = open ? m_cmdClose : m_cmdOpen;
    QAbstractButton *before = open ? m_cmdOpen : m_cmdClose;
    now->setEnabled(true);
    // The pressed button goes grey: its partner takes the focus, not the next
    // button in the column, which may be Quit.
    if (before->hasFocus())
        now->setFocus(Qt::OtherFocusReason);
    before->setEnabled(false);
}

void frmMain::cmdOpen_Click()
{
    m_receive->resetFramingErrors();
    controls::BusyPointer busy;
    if (TryToOpenPort()) {
        m_state.SettingsKnown = false;
        m_state.DumpReceived = false;
        setPortButtons(true);
    } else {
        m_platform.messages.show(tr("Can't open the communication port after %1 tries.").arg(OpenAttempts),
                                 platform::MessageIcon::Exclamation, platform::MessageButtons::Ok,
                                 platform::PortFailureDetail(*m_com));
    }
}

void frmMain::cmdClose_Click()
{
    if (m_com->isOpen())
        m_com->close();
    setPortButtons(false);
    m_receive->resetFramingErrors();
}

void frmMain::cmdConfigure_Click()
{
    config::frmSetup setup(m_platform, *m_config, *m_comTest, this);
    setup.exec();
    DialogResult = setup.DialogResult();
    if (DialogResult != 1)
        return;
    ApplySettings();
    // The old port is closed by now: a failure leaves none open.
    if (!TryToOpenPort()) {
        setPortButtons(false);
        m_platform.messages.show(tr("The Comm Port COM%1 couldn't be opened after %2 tries. Check if the device "
                                    "is avaible")
                                     .arg(m_config->SerialPort(), QString::number(OpenAttempts)),
                                 platform::MessageIcon::Exclamation, platform::MessageButtons::Ok,
                                 platform::PortFailureDetail(*m_com));
        return;
    }
    setPortButtons(true);
}

void frmMain::cmdExit_Click()
{
    ExitProgram();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    ExitProgram();
}

void frmMain::ExitProgram()
{
    m_charts.reset();
    if (m_com->isOpen())
        m_com->close();
    m_logFrame->CloseLog();
    emit exitRequested();
}

void frmMain::cmdShowCSetup_Click()
{
    const bool settingsShown = !m_frCS->isHidden();
    if (settingsShown) {
        m_frViewData->show();
        m_frCS->hide();
        m_cmdShowCSetup->setText(tr("Program"));
    } else {
        m_frCS->show();
        m_frViewData->hide();
        m_cmdShowCSetup->setText(tr("Output"));
    }
    // Each view at its own size: the panel's width does not stay with the data
    // view. A maximised window stays as it is and takes that size when restored.
    if (followsScreen())
        m_fitWhenRestored = true;
    else
        fitToScreen(sizeHint());
}

void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Qt would open a window at two thirds of the screen at most.
    if (!event->spontaneous() && !followsScreen())
        fitToScreen(sizeHint());
}

bool frmMain::followsScreen() const
{
    return (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0;
}

bool frmMain::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    // Frames that appear make the view ask for more: grow to it; frames that go
    // give it back, unless the user sized the window. The user's own resizing
    // changes no hint and is left alone.
    if (event->type() == QEvent::LayoutRequest && isVisible() && !followsScreen()) {
        const QSize hint = sizeHint();
        if (hint != m_askedFor) {
            if (size() == m_fitted)
                fitToScreen(hint);
            else if (hint.width() > m_askedFor.width() || hint.height() > m_askedFor.height())
                fitToScreen(size().expandedTo(hint));
        }
        m_askedFor = hint;
    }
    return handled;
}

void frmMain::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || followsScreen() || !m_fitWhenRestored)
        return;
    // The view changed while maximised: the size it was restored to belongs to the other view.
    m_fitWhenRestored = false;
    QMetaObject::invokeMethod(this, [this] { fitToScreen(sizeHint()); }, Qt::QueuedConnection);
}

void frmMain::fitToScreen(QSize wanted)
{
    // The minimum of the view just hidden must not hold the window.
    layout()->activate();
    const QRect screen = this->screen()->availableGeometry();
    const QSize frame = frameGeometry().size() - size();
    wanted = wanted.boundedTo(screen.size() - frame).expandedTo(minimumSizeHint());
    resize(wanted);
    QRect placed(frameGeometry().topLeft(), wanted + frame);
    placed.moveRight(std::min(placed.right(), screen.right()));
    placed.moveBottom(std::min(placed.bottom(), screen.bottom()));
    placed.moveLeft(std::max(placed.left(), screen.left()));
    placed.moveTop(std::max(placed.top(), screen.top()));
    if (placed.topLeft() != pos())
        move(placed.topLeft());
    m_askedFor = sizeHint();
    m_fitted = size();
}

void frmMain::onPortLost(const std::string &reason)
{
    setPortButtons(false);
    m_receive->resetFramingErrors();
    m_platform.messages.show(QString::fromStdString(reason)
                                 + tr("\n\nThe port has been closed. Reconnect the device, then press Open Port."),
                             platform::MessageIcon::Exclamation);
}

void frmMain::appendTerminal(const std::string &text)
{
    m_terminal->append(text);
}

void frmMain::runModal(QDialog &dialog)
{
    dialog.exec();
}

} // namespace app
