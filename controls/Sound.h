#ifndef VARNEL_CONTROLS_SOUND_H
#define VARNEL_CONTROLS_SOUND_H

#include <QObject>
#include <QString>
#include <functional>

// A component that plays wave sounds for the controls of its window, such as a text button's
// click. It waits until a sound has played unless Async is on.
class TsohoSound : public QObject {
    Q_OBJECT
public:
    explicit TsohoSound(QObject* owner);

    // Off: nothing plays and both calls give false.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Async() const { return async_; }
    void SetAsync(bool async) { async_ = async; }

    // Plays a wave file. A bare name is looked for in the "Sounds" folder beside the program,
    // and a name without an extension gets ".wav". False, silently, when there is no such file.
    bool PlayWaveFile(const QString& name);
    // Plays one of the program's raw-data resources. False, silently, when there is none of
    // that name; damaged wave data is reported in an error box, and gives false too.
    bool PlayWaveResource(const QString& name);

    // Raised after a sound was handed to the audio output.
    std::function<void(TsohoSound& sender)> OnSound;

private:
    bool Played(bool success);

    bool enabled_ = true;
    bool async_ = false;
};

#endif
