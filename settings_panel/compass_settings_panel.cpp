#include "settings_panel/compass_settings_panel.h"

#include "controls/xp_button.h"
#include "settings_panel/rate_unit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace settings_panel {

using protocol::Setting;

namespace {

QString indexed(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// "Baud Rate:" as a screen reader says it.
QString spoken(const char *caption)
{
    QString text = protocol::SettingText(caption);
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

int maxItemCount(protocol::Input input)
{
    int count = 0;
    for (const Setting &s : protocol::Settings())
        if (s.input == input)
            count = std::max(count, static_cast<int>(s.items.size()));
    return count;
}

constexpr int FieldWidth = 64;
constexpr int FieldHeight = 24;
constexpr int ListWidth = 140;
constexpr int CheckBoxColumns = 3;

} // namespace

const int CompassSettingsPanel::CommandCount = protocol::PanelButtonCount();
const int CompassSettingsPanel::ShowItemCount = maxItemCount(protocol::Input::CheckBoxes);

CompassSettingsPanel::CompassSettingsPanel(QWidget *parent) : QWidget(parent), m_cmdSet(CommandCount)
{
    setObjectName(QStringLiteral("frCompassSettings"));
    setAccessibleName(tr("Compass settings"));

    // The rows of each half in their order; a row may hold two settings.
    std::map<int, std::vector<const Setting *>> halves[2];
    for (const Setting &setting : protocol::Settings())
        if (setting.caption)
            halves[setting.column == protocol::PanelColumn::Left ? 0 : 1][setting.row].push_back(&setting);

    auto half = [this](const std::map<int, std::vector<const Setting *>> &rows) {
        auto *grid = new QGridLayout;
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(3);
        int gridRow = 0;
        for (const auto &[row, settings] : rows)
            addRow(grid, gridRow++, settings);
        grid->setRowStretch(gridRow, 1);
        return grid;
    };
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(half(halves[0]));
    layout->addSpacing(18);
    layout->addLayout(half(halves[1]));
    layout->addStretch();

    // Tab runs down the left half, then down the right, as the rows read.
    for (std::size_t i = 1; i < m_tabChain.size(); ++i)
        setTabOrder(m_tabChain[i - 1], m_tabChain[i]);
}

QRadioButton *CompassSettingsPanel::optSoftIron(int item) const
{
    return static_cast<QRadioButton *>(items("optSoftIron").at(item));
}

QRadioButton *CompassSettingsPanel::optCSQMode(int item) const
{
    return static_cast<QRadioButton *>(items("optCSQMode").at(item));
}

QCheckBox *CompassSettingsPanel::chkCSShowItem(int item) const
{
    return static_cast<QCheckBox *>(items("chkCSShowItem").at(item));
}

QLineEdit *CompassSettingsPanel::field(const std::string &inputName) const
{
    return m_fields.at(inputName);
}

QScrollBar *CompassSettingsPanel::scrollBar(const std::string &inputName) const
{
    return m_scrollBars.at(inputName);
}

QComboBox *CompassSettingsPanel::list(const std::string &inputName) const
{
    return m_lists.at(inputName);
}

const std::vector<QAbstractButton *> &CompassSettingsPanel::items(const std::string &inputName) const
{
    return m_items.at(inputName);
}

void CompassSettingsPanel::addToTabChain(QWidget *widget)
{
    if (widget->focusPolicy() & Qt::TabFocus)
        m_tabChain.push_back(widget);
    for (QWidget *child : widget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        addToTabChain(child);
}

void CompassSettingsPanel::addRow(QGridLayout *grid, int gridRow, const std::vector<const Setting *> &row)
{
    constexpr int column = 0;
    const Setting &first = *row.front();
    QWidget *input = makeInput(first);
    const bool twoButtons = row.size() > 1;
    // Tall inputs (the "Show:" boxes) keep caption and button on their first line.
    const Qt::Alignment alignment =
        input && input->sizeHint().height() > 2 * FieldHeight ? Qt::AlignTop : Qt::AlignVCenter;
    auto *caption = new QLabel(protocol::SettingText(first.caption), this);
    // A row without an input lends its caption the input's and hint's columns.
    grid->addWidget(caption, gridRow, column, 1, input ? 1 : 3, alignment);
    const QString hint = protocol::SettingText(first.hint);
    if (input) {
        caption->setBuddy(input);
        // Without a hint the input may use the hint's column too.
        const bool ownsHintColumn = hint.isEmpty() && !twoButtons;
        grid->addWidget(input, gridRow, column + 1, 1, ownsHintColumn ? 2 : 1, alignment | Qt::AlignLeft);
        addToTabChain(input);
        nameControls(input, spoken(first.caption));
    }
    if (!hint.isEmpty())
        grid->addWidget(new QLabel(hint, this), gridRow, column + 2);
    // A second setting on the line (Soft Iron's calibration) takes the button
    // column; the first one's button then stands beside its options.
    addButton(grid, gridRow, twoButtons ? column + 2 : column + 3, alignment, first);
    if (twoButtons)
        addButton(grid, gridRow, column + 3, alignment, *row.back());
}

void CompassSettingsPanel::addButton(QGridLayout *grid, int gridRow, int gridColumn, Qt::Alignment alignment,
                                     const Setting &setting)
{
    const int index = setting.button;
    auto *commands = new QWidget(this);
    auto *layout = new QHBoxLayout(commands);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    auto *key = new QLabel(QString(QChar::fromLatin1(setting.key)), commands);
    key->setObjectName(indexed("lblCSKey", index));
    key->setAlignment(Qt::AlignCenter);
    key->setFrameShape(QFrame::Box);
    key->setFixedWidth(16);
    key->setToolTip(tr("Menu key"));
    QFont small = key->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    key->setFont(small);

    const QString text = protocol::SettingText(setting.buttonCaption);
    auto *button = new controls::XPButton(text, commands);
    button->setObjectName(indexed("cmdSet", index));
    button->setProperty("index", index);
    // Two dozen buttons read "Set": the row tells them apart, whatever the caption becomes.
    button->setAccessibleNameSuffix(QLatin1Char(' ') + spoken(setting.caption));
    // At full height whatever the window's size: rows are never squeezed.
    button->setMinimumHeight(button->sizeHint().height());
    connect(button, &QAbstractButton::clicked, this, [this, index] { emit setPressed(index); });
    m_cmdSet[index] = button;
    layout->addWidget(key);
    layout->addWidget(button);
    layout->addStretch();
    m_tabChain.push_back(button);
    grid->addWidget(commands, gridRow, gridColumn, alignment);
}

QWidget *CompassSettingsPanel::makeInput(const Setting &setting)
{
    switch (setting.input) {
    case protocol::Input::None:
        return nullptr;
    case protocol::Input::Field:
        return makeField(setting.inputName);
    case protocol::Input::FieldWithScrollBar: {
        auto *box = new QWidget(this);
        auto *layout = new QHBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        layout->addWidget(makeField(setting.inputName));
        layout->addWidget(makeScrollBar(setting));
        if (setting.unitName) {
            m_lblCSOutRateUnit = new QLabel(OutRateUnit(0), box);
            m_lblCSOutRateUnit->setObjectName(QLatin1String(setting.unitName));
            m_lblCSOutRateUnit->setMinimumWidth(
                m_lblCSOutRateUnit->fontMetrics().horizontalAdvance(OutRateUnit(-1)) + 4);
            layout->addWidget(m_lblCSOutRateUnit);
        }
        layout->addStretch();
        return box;
    }
    case protocol::Input::List:
        return makeList(setting);
    case protocol::Input::OptionPair:
        return makeOptionPair(setting);
    case protocol::Input::CheckBoxes:
        return makeCheckBoxes(setting);
    }
    return nullptr;
}

QLineEdit *CompassSettingsPanel::makeField(const char *name)
{
    auto *field = new QLineEdit(this);
    field->setObjectName(QLatin1String(name));
    field->setFixedWidth(FieldWidth);
    m_fields[name] = field;
    return field;
}

QScrollBar *CompassSettingsPanel::makeScrollBar(const Setting &setting)
{
    const protocol::FieldCheck &range = *setting.check;
    auto *bar = new QScrollBar(Qt::Vertical, this);
    bar->setObjectName(QLatin1String(setting.scrollBarName));
    bar->setAccessibleName(protocol::SettingText(setting.scrollBarSpoken));
    bar->setRange(setting.scrollMirror - static_cast<int>(*range.high),
                  setting.scrollMirror - static_cast<int>(*range.low));
    bar->setPageStep(1);
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setFixedHeight(field(setting.inputName)->sizeHint().height());
    m_scrollBars[setting.inputName] = bar;
    return bar;
}

QWidget *CompassSettingsPanel::makeCheckBoxes(const Setting &setting)
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(0);
    std::vector<QAbstractButton *> &items = m_items[setting.inputName];
    for (const char *name : setting.items) {
        const int i = static_cast<int>(items.size());
        auto *item = new QCheckBox(protocol::SettingText(name), box);
        item->setObjectName(indexed(setting.inputName, i));
        items.push_back(item);
        grid->addWidget(item, i / CheckBoxColumns, i % CheckBoxColumns);
    }
    return box;
}

QWidget *CompassSettingsPanel::makeOptionPair(const Setting &setting)
{
    auto *box = new QWidget(this);
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *group = new QButtonGroup(box);
    std::vector<QAbstractButton *> &items = m_items[setting.inputName];
    for (const char *caption : setting.items) {
        const int i = static_cast<int>(items.size());
        auto *item = new QRadioButton(protocol::SettingText(caption), box);
        item->setObjectName(indexed(setting.inputName, i));
        group->addButton(item, i);
        layout->addWidget(item);
        items.push_back(item);
    }
    layout->addStretch();
    return box;
}

QComboBox *CompassSettingsPanel::makeList(const Setting &setting)
{
    auto *list = new QComboBox(this);
    list->setObjectName(QLatin1String(setting.inputName));
    for (const char *item : setting.items)
        list->addItem(protocol::SettingText(item));
    list->setFixedWidth(ListWidth);
    m_lists[setting.inputName] = list;
    return list;
}

} // namespace settings_panel
