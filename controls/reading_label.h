#pragma once
#include <QLabel>

namespace controls {

// A label that shows one reading's value, as "328.1°". Its visible text stays
// the bare value (the log reads it back); screen readers get the caption with
// the value, "Heading 328.1°", as the label's accessible name.
class ReadingLabel : public QLabel {
    Q_OBJECT
public:
    // `caption` is what the reading is called aloud, e.g. "Heading".
    explicit ReadingLabel(const QString &caption, QWidget *parent = nullptr);

    const QString &caption() const { return m_caption; }

private:
    QString m_caption;
};

} // namespace controls
