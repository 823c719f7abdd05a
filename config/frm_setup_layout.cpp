// The controls of the setup dialog and where they sit.
#include "config/frm_setup.h"
#include "controls/xp_button.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace config {

namespace {

template <typename Widget>
Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QComboBox *listBox(const char *name, const QStringList &items, QWidget *parent)
{
    auto *box = named(new QComboBox(parent), name);
    box->addItems(items);
    return box;
}

QLabel *labelFor(const char *name, const QString &caption, QWidget *control, QWidget *parent)
{
    auto *label = named(new QLabel(caption, parent), name);
    label->setBuddy(control);
    control->setAccessibleName(caption.chopped(1));
    return label;
}

// A chart's two limits, upper box the minimum.
QGroupBox *chartFrame(const charts::ChartRangeRow &row, QLineEdit *&minBox, QLineEdit *&maxBox, QWidget *parent)
{
    const QString caption = charts::ChartText(row.frameCaption);
    auto *frame = named(new QGroupBox(caption, parent), row.frameName);
    minBox = named(new QLineEdit(frame), row.minBoxName);
    maxBox = named(new QLineEdit(frame), row.maxBoxName);
    minBox->setAccessibleName(frmSetup::tr("%1 minimum").arg(caption.trimmed()));
    maxBox->setAccessibleName(frmSetup::tr("%1 maximum").arg(caption.trimmed()));
    auto *form = new QFormLayout(frame);
    form->addRow(frmSetup::tr("Min.:"), minBox);
    form->addRow(frmSetup::tr("Max.:"), maxBox);
    return frame;
}

} // namespace

void frmSetup::buildControls()
{
    setWindowTitle(tr("Setup"));

    QFont serif(QStringLiteral("Times New Roman"), 14, QFont::Bold);
    serif.setStyleHint(QFont::Serif);
    auto *label8 = named(new QLabel(tr("Setup for"), this), "Label8");
    auto *label7 = named(new QLabel(tr("Orvex"), this), "Label7");
    label8->setFont(serif);
    label7->setFont(serif);
    auto *heading = new QHBoxLayout;
    heading->addWidget(label8);
    heading->addWidget(label7);
    heading->addStretch();

    auto *frame3 = named(new QGroupBox(tr(" Serial Com "), this), "Frame3");
    m_cmbCom = named(new QComboBox(frame3), "cmbCom");
    auto *portRow = new QHBoxLayout;
    portRow->addWidget(labelFor("Label1", tr("Input Port:"), m_cmbCom, frame3));
    portRow->addWidget(m_cmbCom, 1);

    auto *frame1 = named(new QGroupBox(tr(" Port Config "), frame3), "Frame1");
    m_cmbBaud = listBox("cmbBaud",
                        {"2400", "4800", "9600", "14400", "19200", "31250", "38400", "57600", "115200"}, frame1);
    m_cmbParity = listBox("cmbParity", {"None", "Even", "Odd"}, frame1);
    m_cmbDataBits = listBox("cmbDataBits", {"7", "8"}, frame1);
    m_cmbStop = listBox("cmbStop", {"1", "1.5", "2"}, frame1);
    auto *config = new QFormLayout(frame1);
    config->addRow(labelFor("Label3", tr("Baud Rate:"), m_cmbBaud, frame1), m_cmbBaud);
    config->addRow(labelFor("Label4", tr("Parity:"), m_cmbParity, frame1), m_cmbParity);
    config->addRow(labelFor("Label5", tr("Data Bits:"), m_cmbDataBits, frame1), m_cmbDataBits);
    config->addRow(labelFor("Label6", tr("Stop Bits:"), m_cmbStop, frame1), m_cmbStop);

    auto *serial = new QVBoxLayout(frame3);
    serial->addLayout(portRow);
    serial->addWidget(frame1);
    serial->addStretch();

    auto *frame2 = named(new QGroupBox(tr(" Graphic Charts "), this), "Frame2");
    auto *chartFrames = new QVBoxLayout(frame2);
    for (charts::ChartId id : charts::RangeOrder)
        chartFrames->addWidget(chartFrame(charts::Chart(id).range, m_minBoxes[id], m_maxBoxes[id], frame2));

    auto *groups = new QHBoxLayout;
    groups->addWidget(frame3);
    groups->addWidget(frame2);

    m_cmdOk = named(new controls::XPButton(tr("OK"), this), "cmdOk");
    m_cmdCancel = named(new controls::XPButton(tr("Cancel"), this), "cmdCancel");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdCancel);

    auto *main = new QVBoxLayout(this);
    main->addLayout(heading);
    main->addLayout(groups);
    main->addLayout(buttons);
}

} // namespace config
