#pragma once
// Plays a sound file (a WAV file) on the default output in the background: play() returns at
// once and the sound goes on while the program runs.  Underneath: Qt Multimedia.

#include <QObject>
#include <QString>

class QSoundEffect;

namespace vx {

class SoundFilePlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundFilePlayer(QObject* parent = nullptr);
    ~SoundFilePlayer() override;

    // Stops what is playing, then starts the file; false when there is no such file.
    bool play(const QString& fileName);
    void stop();
    // From the start until the end of the sound or stop().
    bool isPlaying() const;

private:
    QSoundEffect* effect_ = nullptr;
};

} // namespace vx
