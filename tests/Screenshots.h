#ifndef VARNEL_TESTS_SCREENSHOTS_H
#define VARNEL_TESTS_SCREENSHOTS_H

#include <QCoreApplication>
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

// Pictures of what a test checked, for a person to look at: written to the folder
// VARNEL_SCREENSHOTS names, or beside the test program.
inline void SaveScreenshot(const QImage& shot, const QString& name) {
    QString folder = qEnvironmentVariable("VARNEL_SCREENSHOTS");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    EXPECT_TRUE(shot.save(folder + u'/' + name)) << name.toStdString();
}

#endif
