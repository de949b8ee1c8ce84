#ifndef VARNEL_TESTS_MODAL_H
#define VARNEL_TESTS_MODAL_H

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

// A person at a modal window: runs `open`, which is to show one, and `answer` on it once it is
// up. When none comes up, or the answer leaves it open, this test fails and the window is
// closed, so the program goes on to the next test.
namespace modal {

template <typename Opening, typename Answering> void Answer(Opening&& open, Answering&& answer) {
    bool answered = false;
    QTimer look;
    look.setSingleShot(true);
    QObject::connect(&look, &QTimer::timeout, [&] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window) {
            look.start(0); // `open` runs the event loop before its window shows
            return;
        }
        answered = true;
        answer(*window);
        if (QApplication::activeModalWidget() == window) {
            ADD_FAILURE() << "the answer left " << window->windowTitle().toStdString() << " open";
            window->close();
        }
    });
    look.start(0);
    open();
    EXPECT_TRUE(answered) << "no modal window came up";
}

} // namespace modal

#endif
