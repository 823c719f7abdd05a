#pragma once
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace controls_test {

// Where the screenshot tests put their pictures: COMPASS_SCREENSHOT_DIR when
// it is set (docs/screenshots/ for the documentation), else a scratch folder.
class ScreenshotDir {
public:
    ScreenshotDir()
    {
        const QString wanted = qEnvironmentVariable("COMPASS_SCREENSHOT_DIR");
        m_path = wanted.isEmpty() ? m_scratch.path() : wanted;
        QDir().mkpath(m_path);
    }

    // Saves the widget as it paints now and checks that the file reads back.
    void save(QWidget &widget, const QString &name) const
    {
        const QImage image = widget.grab().toImage();
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        const QString file = QDir(m_path).filePath(name + QStringLiteral(".png"));
        ASSERT_TRUE(image.save(file)) << "could not write " << file.toStdString();
        EXPECT_EQ(QImage(file).size(), image.size()) << file.toStdString();
    }

private:
    QTemporaryDir m_scratch;
    QString m_path;
};

} // namespace controls_test
