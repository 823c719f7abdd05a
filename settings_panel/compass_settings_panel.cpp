#include "settings_panel/compass_settings_panel.h"

#include "controls/xp_button.h"
#include "protocol/menu_protocol.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <optional>

namespace settings_panel {

namespace Key = protocol::Key;

namespace {

QString indexed(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// "Baud Rate:" as a screen reader says it.
QString spoken(const char *caption)
{
    QString text = QString::fromUtf8(caption);
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

// Names every keyboard control of a row's input after the row: the field
// "Output Rate", the option "Soft Iron En.", the check box "Show Pitch".
void nameControls(QWidget *input, const QString &caption)
{
    QList<QWidget *> widgets = input->findChildren<QWidget *>();
    widgets.prepend(input);
    for (QWidget *widget : widgets) {
        if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->accessibleName().isEmpty())
            continue;
        auto *button = qobject_cast<QAbstractButton *>(widget);
        widget->setAccessibleName(button ? caption + QLatin1Char(' ') + button->text() : caption);
    }
}

constexpr int FieldWidth = 64;
constexpr int FieldHeight = 24;
constexpr int ListWidth = 140;

} // namespace

struct CompassSettingsPanel::Row {
    const char *caption;
    QWidget *input;
    const char *hint;
    char key;
    Command button;
    const char *buttonCaption = "Set";
    // The soft-iron row has a second button.
    std::optional<Command> secondButton;
    const char *secondCaption = nullptr;
};

CompassSettingsPanel::CompassSettingsPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frCompassSettings"));
    setAccessibleName(tr("Compass settings"));

    m_txtCSDeguass = makeField("txtCSDeguass");
    m_txtCSSkipReadings = makeField("txtCSSkipReadings");
    m_txtCSEuler = makeField("txtCSEuler");
    m_txtCSAvgSamples = makeField("txtCSAvgSamples");
    m_txtCSDecimationFilter = makeField("txtCSDecimationFilter");
    m_txtCSDeviation = makeField("txtCSDeviation");
    m_txtCSDeclination = makeField("txtCSDeclination");
    m_txtCSTempOffset = makeField("txtCSTempOffset");
    m_txtCSAccRange = makeField("txtCSAccRange");
    m_txtCSMaxPressure = makeField("txtCSMaxPressure");
    m_txtCSOutFormat = makeField("txtCSOutFormat");
    m_txtCSOutRate = makeField("txtCSOutRate");
    m_vsCSSkipReadings = makeScrollBar("vsCSSkipReadings", tr("Adjust skip count"), 0, 20);
    m_vsCSOutRate = makeScrollBar("vsCSOutRate", tr("Adjust output rate"), -50, 40);
    m_lblCSOutRateUnit = new QLabel(QStringLiteral("samples/s"), this);
    m_lblCSOutRateUnit->setObjectName(QStringLiteral("lblCSOutRateUnit"));
    m_lblCSOutRateUnit->setMinimumWidth(m_lblCSOutRateUnit->fontMetrics().horizontalAdvance("s/samples") + 4);

    auto withScrollBar = [this](QLineEdit *field, QScrollBar *bar, QLabel *unit) {
        auto *box = new QWidget(this);
        auto *layout = new QHBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        layout->addWidget(field);
        layout->addWidget(bar);
        if (unit)
            layout->addWidget(unit);
        layout->addStretch();
        return box;
    };
    QWidget *skipInput = withScrollBar(m_txtCSSkipReadings, m_vsCSSkipReadings, nullptr);
    QWidget *rateInput = withScrollBar(m_txtCSOutRate, m_vsCSOutRate, m_lblCSOutRateUnit);

    QStringList bauds;
    for (const char *baud : protocol::BaudRates)
        bauds << QLatin1String(baud);
    m_cmbCSBaud = makeList("cmbCSBaud", bauds);
    m_cmbCSMountPos = makeList("cmbCSMountPos", {"Standard Flat = 1", "Front = 2", "Port = 3", "Roof = 4",
                                                 "Back = 5", "Starboard = 6"});
    QWidget *softIron = makeOptionPair(m_optSoftIron, "optSoftIron", "En.", "Disable");
    QWidget *quietMode = makeOptionPair(m_optCSQMode, "optCSQMode", "Enabled", "Disabled");
    QWidget *showItems = makeShowItems();

    const Row left[] = {
        {"Deguass every:", m_txtCSDeguass, "sentences", Key::SetResetRate, Deguass},
        {"Skip n first readings:", skipInput, "Range (0~20)", Key::SkipReadings, SkipReadings},
        {"Change Euler Math:", m_txtCSEuler, "1=v1.4; 2=v1.8; 3=v2.2; 4=v2.4", Key::EulerMath, EulerMath},
        {"Average Samples:", m_txtCSAvgSamples, "", Key::Averaging, AvgSamples},
        {"AD Decimation Filter:", m_txtCSDecimationFilter, "(Range: 1 to 6)", Key::DecimationFilter,
         DecimationFilter},
        {"Deviation:", m_txtCSDeviation, "Range (-180.0~180.0)", Key::Deviation, Deviation},
        {"Declination:", m_txtCSDeclination, "Range (-180.0~180.0)", Key::Declination, Declination},
        {"Temperature Offset:", m_txtCSTempOffset, "", Key::TemperatureOffset, TempOffset},
        {"Accelerator Range:", m_txtCSAccRange, "(0..1) 0 = 2G", Key::AccelerometerRange, AccRange},
        {"Max Pressure [PSI]:", m_txtCSMaxPressure, "", Key::MaxPressure, MaxPressure},
        {"Zero Depth (at surface):", nullptr, "", Key::ZeroDepth, ZeroDepth},
        {"Null Gyro (no rotation):", nullptr, "", Key::NullGyro, NullGyro},
        {"Restore FACTORY Defaults:", nullptr, "", Key::FactoryDefaults, FactoryDefaults},
    };
    const Row right[] = {
        {"Calibration X,Y Compass Level:", nullptr, "", Key::LevelCalibration, LevelCalibration, "Start"},
        {"Calibrate Z; Compass @90 Degrees:", nullptr, "", Key::ZCalibration, ZCalibration, "Start"},
        {"Soft Iron:", softIron, "", Key::SoftIron, SoftIron, "Set", SoftIronCalibration, "Calibrate"},
        {"Show:", showItems, "", Key::DisplayFields, ShowFields},
        {"Quiet Mode:", quietMode, "", Key::QuietMode, QuietMode},
        {"Output Format:", m_txtCSOutFormat, "(1,2,4,8 or 16)", Key::OutputFormat, OutputFormat},
        {"Baud Rate:", m_cmbCSBaud, "", Key::BaudRate, BaudRate},
        {"Output Rate:", rateInput, "Range (-50~40)", Key::OutputRate, OutputRate},
        {"Mounting:", m_cmbCSMountPos, "(Range: 1 to 6)", Key::Mounting, Mounting},
        {"Trim Roll and Pitch (Tilt on <3\u00b0):", nullptr, "", Key::TrimRollPitch, TrimRollPitch},
    };

    auto half = [this](const Row *rows, std::size_t count) {
        auto *grid = new QGridLayout;
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(3);
        for (std::size_t row = 0; row < count; ++row)
            addRow(grid, static_cast<int>(row), rows[row]);
        grid->setRowStretch(static_cast<int>(count), 1);
        return grid;
    };
    auto *halves = new QHBoxLayout(this);
    halves->setContentsMargins(0, 0, 0, 0);
    halves->addLayout(half(left, std::size(left)));
    halves->addSpacing(18);
    halves->addLayout(half(right, std::size(right)));
    halves->addStretch();

    // Tab runs down the left half, then down the right, as the rows read.
    for (std::size_t i = 1; i < m_tabChain.size(); ++i)
        setTabOrder(m_tabChain[i - 1], m_tabChain[i]);
}

void CompassSettingsPanel::addToTabChain(QWidget *widget)
{
    if (widget->focusPolicy() & Qt::TabFocus)
        m_tabChain.push_back(widget);
    for (QWidget *child : widget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        addToTabChain(child);
}

void CompassSettingsPanel::addRow(QGridLayout *grid, int gridRow, const Row &row)
{
    constexpr int column = 0;
    // Tall inputs (the "Show:" boxes) keep caption and button on their first line.
    const Qt::Alignment alignment = row.input && row.input->sizeHint().height() > 2 * FieldHeight
                                        ? Qt::AlignTop
                                        : Qt::AlignVCenter;
    auto *caption = new QLabel(QString::fromUtf8(row.caption), this);
    // A row without an input lends its caption the input's and hint's columns.
    grid->addWidget(caption, gridRow, column, 1, row.input ? 1 : 3, alignment);
    const QString hint = QString::fromUtf8(row.hint);
    if (row.input) {
        caption->setBuddy(row.input);
        // Without a hint the input may use the hint's column too.
        const bool ownsHintColumn = hint.isEmpty() && !row.secondButton;
        grid->addWidget(row.input, gridRow, column + 1, 1, ownsHintColumn ? 2 : 1, alignment | Qt::AlignLeft);
        addToTabChain(row.input);
        nameControls(row.input, spoken(row.caption));
    }
    if (!hint.isEmpty())
        grid->addWidget(new QLabel(hint, this), gridRow, column + 2);

    auto addButton = [&](int index, const char *text, int gridColumn) {
        auto *commands = new QWidget(this);
        auto *layout = new QHBoxLayout(commands);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(3);
        auto *key = new QLabel(QString(QChar::fromLatin1(row.key)), commands);
        key->setObjectName(indexed("lblCSKey", index));
        key->setAlignment(Qt::AlignCenter);
        key->setFrameShape(QFrame::Box);
        key->setFixedWidth(16);
        key->setToolTip(tr("Menu key"));
        QFont small = key->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        key->setFont(small);
        m_keyLabel[index] = key;

        auto *button = new controls::XPButton(QString::fromUtf8(text), commands);
        button->setObjectName(indexed("cmdSet", index));
        button->setProperty("index", index);
        // Two dozen buttons read "Set": the row tells them apart, whatever the caption becomes.
        button->setAccessibleNameSuffix(QLatin1Char(' ') + spoken(row.caption));
        // At full height whatever the window's size: rows are never squeezed.
        button->setMinimumHeight(button->sizeHint().height());
        connect(button, &QAbstractButton::clicked, this, [this, index] { emit setPressed(index); });
        m_cmdSet[index] = button;
        layout->addWidget(key);
        layout->addWidget(button);
        layout->addStretch();
        m_tabChain.push_back(button);
        grid->addWidget(commands, gridRow, gridColumn, alignment);
    };
    // Soft Iron sets beside its options, in the hint's place, and calibrates
    // in the button column under the other calibrations.
    if (row.secondButton) {
        addButton(row.button, row.buttonCaption, column + 2);
        addButton(*row.secondButton, row.secondCaption, column + 3);
    } else {
        addButton(row.button, row.buttonCaption, column + 3);
    }
}

QLineEdit *CompassSettingsPanel::makeField(const char *name)
{
    auto *field = new QLineEdit(this);
    field->setObjectName(QLatin1String(name));
    field->setFixedWidth(FieldWidth);
    return field;
}

QScrollBar *CompassSettingsPanel::makeScrollBar(const char *name, const QString &accessibleName, int minimum,
                                               int maximum)
{
    auto *bar = new QScrollBar(Qt::Vertical, this);
    bar->setObjectName(QLatin1String(name));
    bar->setAccessibleName(accessibleName);
    bar->setRange(minimum, maximum);
    bar->setPageStep(1);
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setFixedHeight(m_txtCSDeguass->sizeHint().height());
    return bar;
}

QWidget *CompassSettingsPanel::makeShowItems()
{
    static const char *const names[ShowItemCount] = {"Azimuth", "Pitch",   "Roll",      "Temp",
                                                     "Depth",   "Mag. S.", "M. Vect",   "Acc. S.",
                                                     "Acc. Vect", "Gyro S.", "Gyro Vect", "Life Count",
                                                     "SPI Err"};
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(0);
    constexpr int Columns = 3;
    for (int i = 0; i < ShowItemCount; ++i) {
        auto *item = new QCheckBox(QLatin1String(names[i]), box);
        item->setObjectName(indexed("chkCSShowItem", i));
        m_chkCSShowItem[i] = item;
        grid->addWidget(item, i / Columns, i % Columns);
    }
    return box;
}

QWidget *CompassSettingsPanel::makeOptionPair(std::array<QRadioButton *, 2> &items, const char *name,
                                              const char *first, const char *second)
{
    auto *box = new QWidget(this);
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *group = new QButtonGroup(box);
    const char *captions[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        items[i] = new QRadioButton(QLatin1String(captions[i]), box);
        items[i]->setObjectName(indexed(name, i));
        group->addButton(items[i], i);
        layout->addWidget(items[i]);
    }
    layout->addStretch();
    return box;
}

QComboBox *CompassSettingsPanel::makeList(const char *name, const QStringList &items)
{
    auto *list = new QComboBox(this);
    list->setObjectName(QLatin1String(name));
    list->addItems(items);
    list->setFixedWidth(ListWidth);
    return list;
}

} // namespace settings_panel
