#include "platform/SoundFilePlayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace vx {

SoundFilePlayer::SoundFilePlayer(QObject* parent)
    : QObject(parent)
    , effect_(new QSoundEffect(this))
{
    // A file that turns out not to be playable sound ends the play quietly.
    connect(effect_, &QSoundEffect::statusChanged, this, [this] {
        if (effect_->status() == QSoundEffect::Error)
            effect_->stop();
    });
}

SoundFilePlayer::~SoundFilePlayer()
{
    effect_->stop();
}

bool SoundFilePlayer::play(const QString& fileName)
{
    effect_->stop();
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.isFile())
        return false;
    // The file is loaded in the background; the sound starts once it is read.
    effect_->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    effect_->play();
    return true;
}

void SoundFilePlayer::stop()
{
    effect_->stop();
}

bool SoundFilePlayer::isPlaying() const
{
    return effect_->isPlaying();
}

} // namespace vx
