#include "wizard/step_labels.h"

namespace wizard {

QLabel *MakeLabel(const QString &text, const char *objectName, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(objectName));
    return label;
}

QLabel *MakeColouredLabel(const QString &text, const char *objectName, const QColor &colour, QWidget *parent)
{
    QLabel *label = MakeLabel(text, objectName, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace wizard
