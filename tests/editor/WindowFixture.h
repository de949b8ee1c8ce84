#ifndef VARNEL_TESTS_EDITOR_WINDOWFIXTURE_H
#define VARNEL_TESTS_EDITOR_WINDOWFIXTURE_H

#include "controls/ColorGrid.h"
#include "controls/TextButton.h"
#include "editor/Main.h"
#include "gif/GIFImage.h"
#include "pictures/Icon.h"
#include "pictures/Metafile.h"
#include "runtime/ModalPrompts.h"
#include "tests/Mouse.h"
#include "tests/TestDir.h"

#include <QList>
#include <functional>
#include <gtest/gtest.h>

// The editor window shown offscreen in a private current directory, with the picture kinds the
// program registers. Prompts are answered from `answers` in turn (OK with no text once they run
// out) and recorded in `asked`; `watch`, when set, sees each one before it is answered.
class WindowFixture : public ::testing::Test {
protected:
    WindowFixture() : previous_(QDir::currentPath()) {
        QDir::setCurrent(dir.Path("."));
        TModalPrompts::SetResponder([this](const TPrompt& prompt) {
            asked.append(prompt);
            if (watch)
                watch(prompt);
            return answers.isEmpty() ? TPromptAnswer{mrOk, {}} : answers.takeFirst();
        });
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }
    ~WindowFixture() override {
        TModalPrompts::SetResponder({});
        QDir::setCurrent(previous_);
    }
    static void SetUpTestSuite() {
        RegisterGIFImage();
        RegisterIcon();
        RegisterMetafile();
    }

    void Press(TsohoTextButton* button) { mouse::Click(*button, QPoint(30, 12)); }
    // Answers the next prompts with these results and texts, then runs the button's command.
    void Run(TsohoTextButton* button, QList<TPromptAnswer> script) {
        answers = std::move(script);
        asked.clear();
        Press(button);
    }
    // Answers the next prompts with these, then presses `key` where the focus is.
    void Type(Qt::Key key, Qt::KeyboardModifiers modifiers, QList<TPromptAnswer> script) {
        answers = std::move(script);
        asked.clear();
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QCoreApplication::processEvents();
    }
    // The kinds of the prompts asked since the last Run or Type, in turn.
    QList<TPromptKind> Kinds() const {
        QList<TPromptKind> kinds;
        for (const TPrompt& prompt : asked)
            kinds.append(prompt.kind);
        return kinds;
    }
    // The messages of the error boxes shown since the last Run.
    QStringList Errors() const {
        QStringList errors;
        for (const TPrompt& prompt : asked)
            if (prompt.kind == TPromptKind::pkError)
                errors.append(prompt.texts.join(' '));
        return errors;
    }
    // Picks grid index `index` with a left click on its cell (4 × 4 cells of 25 pixels).
    void PickColour(int index) {
        mouse::Click(*form.ColorGrid1, QPoint(index % 4 * 25 + 12, index / 4 * 25 + 12));
    }

    TestDir dir;
    TMainForm form;
    QList<TPromptAnswer> answers;
    QList<TPrompt> asked;
    std::function<void(const TPrompt&)> watch;

private:
    QString previous_;
};

#endif
