#pragma once
#include "protocol/setting_table.h"

#include <QWidget>
#include <map>
#include <string>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;

namespace settings_panel {

// The compass-settings part of the settings frame `frCS`: one row per setting
// or action of the settings table, with its caption, input, hint, menu-key
// label and `cmdSet` button. It holds no logic: the controller reads and
// fills the controls.
class CompassSettingsPanel : public QWidget {
    Q_OBJECT
public:
    // The `cmdSet` buttons the program presses or handles apart, by index.
    enum Command : int {
        BaudRate = 0, OutputRate, ShowFields, Deguass, Deviation, Declination, LevelCalibration,
        ZCalibration, AvgSamples, MaxPressure, ZeroDepth, NullGyro, FactoryDefaults, DecimationFilter,
        SoftIron, SoftIronCalibration, OutputFormat, AccRange, Mounting, QuietMode, TempOffset, TrimRollPitch,
        EulerMath, SkipReadings,
    };
    static const int CommandCount;
    static const int ShowItemCount;

    explicit CompassSettingsPanel(QWidget *parent = nullptr);

    QLineEdit *txtCSDeguass() const { return field("txtCSDeguass"); }
    QLineEdit *txtCSSkipReadings() const { return field("txtCSSkipReadings"); }
    QLineEdit *txtCSEuler() const { return field("txtCSEuler"); }
    QLineEdit *txtCSAvgSamples() const { return field("txtCSAvgSamples"); }
    QLineEdit *txtCSDecimationFilter() const { return field("txtCSDecimationFilter"); }
    QLineEdit *txtCSDeviation() const { return field("txtCSDeviation"); }
    QLineEdit *txtCSDeclination() const { return field("txtCSDeclination"); }
    QLineEdit *txtCSTempOffset() const { return field("txtCSTempOffset"); }
    QLineEdit *txtCSAccRange() const { return field("txtCSAccRange"); }
    QLineEdit *txtCSMaxPressure() const { return field("txtCSMaxPressure"); }
    QLineEdit *txtCSOutFormat() const { return field("txtCSOutFormat"); }
    QLineEdit *txtCSOutRate() const { return field("txtCSOutRate"); }
    QScrollBar *vsCSSkipReadings() const { return scrollBar("txtCSSkipReadings"); }
    QScrollBar *vsCSOutRate() const { return scrollBar("txtCSOutRate"); }
    QLabel *lblCSOutRateUnit() const { return m_lblCSOutRateUnit; }
    QComboBox *cmbCSBaud() const { return list("cmbCSBaud"); }
    QComboBox *cmbCSMountPos() const { return list("cmbCSMountPos"); }
    // Item 0 "En.", item 1 "Disable".
    QRadioButton *optSoftIron(int item) const;
    // Item 0 "Enabled", item 1 "Disabled".
    QRadioButton *optCSQMode(int item) const;
    QCheckBox *chkCSShowItem(int item) const;
    QAbstractButton *cmdSet(int index) const { return m_cmdSet.at(index); }

    // A setting's input by the input's name: its field (with or without a
    // scroll bar), scroll bar, list, or options and check boxes.
    QLineEdit *field(const std::string &inputName) const;
    QScrollBar *scrollBar(const std::string &inputName) const;
    QComboBox *list(const std::string &inputName) const;
    const std::vector<QAbstractButton *> &items(const std::string &inputName) const;

signals:
    // `cmdSet` with this index was pressed.
    void setPressed(int index);

private:
    void addRow(QGridLayout *grid, int gridRow, const std::vector<const protocol::Setting *> &row);
    QWidget *makeInput(const protocol::Setting &setting);
    QLineEdit *makeField(const char *name);
    QScrollBar *makeScrollBar(const protocol::Setting &setting);
    QWidget *makeCheckBoxes(const protocol::Setting &setting);
    QWidget *makeOptionPair(const protocol::Setting &setting);
    QComboBox *makeList(const protocol::Setting &setting);
    void addButton(QGridLayout *grid, int gridRow, int gridColumn, Qt::Alignment alignment,
                   const protocol::Setting &setting);
    void addToTabChain(QWidget *widget);

    std::map<std::string, QLineEdit *> m_fields;
    std::map<std::string, QScrollBar *> m_scrollBars;
    std::map<std::string, QComboBox *> m_lists;
    std::map<std::string, std::vector<QAbstractButton *>> m_items;
    QLabel *m_lblCSOutRateUnit = nullptr;
    std::vector<QAbstractButton *> m_cmdSet;
    std::vector<QWidget *> m_tabChain;
};

} // namespace settings_panel
