#include "controls/Sound.h"
#include "controls/TextButton.h"
#include "runtime/ModalPrompts.h"
#include "runtime/Resources.h"
#include "runtime/WavePlayer.h"
#include "tests/Mouse.h"
#include "tests/TestDir.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace {

// The sounds that reach the audio output, instead of the speaker.
class SoundTest : public ::testing::Test {
protected:
    SoundTest() {
        TWavePlayer::SetOutput([this](const TWaveSound& sound) {
            played.append(sound);
            return true;
        });
        sound.setObjectName(QStringLiteral("sohoSound1"));
        sound.OnSound = [this](TsohoSound&) { ++notices; };
    }
    ~SoundTest() override {
        TWavePlayer::SetOutput({});
        QDir(SoundsFolder()).removeRecursively();
    }
    static QString SoundsFolder() {
        return QCoreApplication::applicationDirPath() + QStringLiteral("/Sounds");
    }
    static QByteArray Click() { return *FindResource(TResourceKind::RawData, "click"); }

    TsohoSound sound{nullptr};
    QList<TWaveSound> played;
    int notices = 0;
};

TEST_F(SoundTest, ABareNameComesFromTheSoundsFolderBesideTheProgram) {
    QDir().mkpath(SoundsFolder());
    QFile file(SoundsFolder() + QStringLiteral("/ding.wav"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Click());
    file.close();

    EXPECT_TRUE(sound.PlayWaveFile(QStringLiteral("ding")));
    EXPECT_TRUE(sound.PlayWaveFile(QStringLiteral("ding.wav")));
    sound.SetAsync(true);
    EXPECT_TRUE(sound.PlayWaveFile(file.fileName()));
    ASSERT_EQ(played.size(), 3);
    for (const TWaveSound& sound : played)
        EXPECT_EQ(QFileInfo(sound.source), QFileInfo(file));
    EXPECT_TRUE(played[0].wait);
    EXPECT_FALSE(played[2].wait);
    EXPECT_EQ(played[0].wave.sampleRate, 22050);
    EXPECT_EQ(notices, 3);
}

TEST_F(SoundTest, MissingSoundsAndASwitchedOffComponentPlayNothingAndSayNothing) {
    int asked = 0;
    TModalPrompts::SetResponder([&](const TPrompt&) {
        ++asked;
        return TPromptAnswer{};
    });
    EXPECT_FALSE(sound.PlayWaveFile(QStringLiteral("nowhere")));
    EXPECT_FALSE(sound.PlayWaveResource(QStringLiteral("NOSUCHSOUND")));
    sound.SetEnabled(false);
    EXPECT_FALSE(sound.PlayWaveResource(QStringLiteral("CLICK")));
    TModalPrompts::SetResponder({});
    EXPECT_TRUE(played.isEmpty());
    EXPECT_EQ(notices, 0);
    EXPECT_EQ(asked, 0);
}

TEST_F(SoundTest, AResourceIsFoundWhateverItsCase) {
    EXPECT_TRUE(sound.PlayWaveResource(QStringLiteral("Click")));
    ASSERT_EQ(played.size(), 1);
    EXPECT_EQ(played[0].source, QStringLiteral("Click"));
    EXPECT_EQ(played[0].wave.samples.size(), 22050 * 45 / 1000 * 2);
    EXPECT_EQ(notices, 1);
}

// Damaged data among the program's own resources is told in readable Russian, and the caller
// goes on.
TEST_F(SoundTest, DamagedResourceDataShowsTheErrorBox) {
    TestDir extra;
    extra.Write(QStringLiteral("BROKEN.wav"), "RIFF\x04\x00\x00\x00WAVE");
    QDir::addSearchPath(QStringLiteral("rcdata"), extra.Path(QStringLiteral(".")));
    QList<TPrompt> asked;
    TModalPrompts::SetResponder([&](const TPrompt& prompt) {
        asked.append(prompt);
        return TPromptAnswer{};
    });
    EXPECT_FALSE(sound.PlayWaveResource(QStringLiteral("broken")));
    TModalPrompts::SetResponder({});
    QDir::setSearchPaths(QStringLiteral("rcdata"), {});
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].kind, TPromptKind::pkError);
    EXPECT_EQ(asked[0].caption, QStringLiteral("Ошибка"));
    EXPECT_EQ(asked[0].texts, QStringList{QStringLiteral(
                                  "Ошибка при проигрывании resource WAV-data!: sohoSound1")});
    EXPECT_TRUE(played.isEmpty());
}

// A button takes the window's sound component when it is made, and loses it with it.
TEST_F(SoundTest, AClickAsksForTheButtonsSound) {
    QWidget window;
    window.resize(200, 60);
    auto* windowSound = new TsohoSound(&window);
    auto* button = new TsohoTextButton(&window);
    button->SetBounds(10, 10, 75, 24);
    int clicks = 0;
    button->OnClick = [&](TControl&) { ++clicks; };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(button->Sound(), windowSound);

    button->SetClickSound(QStringLiteral("#click"));
    mouse::Click(*button, QPoint(20, 12));
    ASSERT_EQ(played.size(), 1);
    EXPECT_EQ(played[0].source, QStringLiteral("click"));

    mouse::Click(*button, QPoint(20, 12), Qt::RightButton);
    EXPECT_EQ(played.size(), 1) << "only a click sounds";

    delete windowSound;
    EXPECT_EQ(button->Sound(), nullptr);
    mouse::Click(*button, QPoint(20, 12));
    EXPECT_EQ(played.size(), 1) << "without a sound component a click is silent";
    EXPECT_EQ(clicks, 2);
}

} // namespace
