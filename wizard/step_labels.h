#pragma once
#include <QColor>
#include <QLabel>

namespace wizard {

// A label with its object name.
QLabel *MakeLabel(const QString &text, const char *objectName, QWidget *parent);
// A label in one of the fixed colours of the wait steps.
QLabel *MakeColouredLabel(const QString &text, const char *objectName, const QColor &colour, QWidget *parent);

} // namespace wizard
