#include "remote/DMPlayback.h"

#include "core/DMApplication.h"
#include "core/KeyingLinks.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/Keyer.h"

#include <QAction>
#include <QKeySequence>

TDMPlayback* DMPlayback = nullptr;

namespace {

QString DefaultCaption(int n)
{
    return QStringLiteral("Playback Channel %1").arg(n);
}

QString MessageKey(int n)
{
    return QStringLiteral("Message%1").arg(n);
}

// The radio's contest keyer memories 1 to 5 as the "KY" command names them.
const char KeyerMemoryCharacters[TDMPlayback::ChannelCount] = {'6', '7', '8', '9', 'A'};

} // namespace

TDMPlayback::TDMPlayback(QObject* parent)
    : QObject(parent)
{
    DMPlayback = this;
    QAction** actions[ChannelCount] = {&Playback1Action, &Playback2Action, &Playback3Action, &Playback4Action,
                                       &Playback5Action};
    for (int n = 1; n <= ChannelCount; ++n) {
        FPlaybackCaptionCW[n - 1] = DefaultCaption(n);
        FPlaybackCaptionPhone[n - 1] = DefaultCaption(n);
        auto* a = new QAction(DefaultCaption(n), this);
        a->setObjectName(QStringLiteral("Playback%1Action").arg(n));
        a->setProperty("Category", QStringLiteral("Playback"));
        a->setToolTip(DefaultCaption(n));
        a->setData(n);
        a->setShortcut(QKeySequence(QStringLiteral("Ctrl+F%1").arg(n)));
        connect(a, &QAction::triggered, this, [this, a] { PlaybackActionExecute(a); });
        *actions[n - 1] = a;
    }
}

TDMPlayback::~TDMPlayback()
{
    if (DMPlayback == this)
        DMPlayback = nullptr;
}

QAction* TDMPlayback::PlaybackAction(int Channel) const
{
    switch (Channel) {
    case 1: return Playback1Action;
    case 2: return Playback2Action;
    case 3: return Playback3Action;
    case 4: return Playback4Action;
    case 5: return Playback5Action;
    default: return nullptr;
    }
}

QList<QAction*> TDMPlayback::Actions() const
{
    return {Playback1Action, Playback2Action, Playback3Action, Playback4Action, Playback5Action};
}

QString TDMPlayback::GetPlaybackCaptionCW(int Index) const
{
    return ValidChannel(Index) ? FPlaybackCaptionCW[Index - 1] : QString();
}

QString TDMPlayback::GetPlaybackCaptionPhone(int Index) const
{
    return ValidChannel(Index) ? FPlaybackCaptionPhone[Index - 1] : QString();
}

void TDMPlayback::SetPlaybackCaptionCW(int Index, const QString& Value)
{
    if (ValidChannel(Index))
        FPlaybackCaptionCW[Index - 1] = Value;
}

void TDMPlayback::SetPlaybackCaptionPhone(int Index, const QString& Value)
{
    if (ValidChannel(Index))
        FPlaybackCaptionPhone[Index - 1] = Value;
}

void TDMPlayback::IniRead()
{
    if (DMApplication) {
        TIniStore& ini = *DMApplication->IniRegistry();
        FUseSidetone = ini.ReadBool(Section, QStringLiteral("UseSidetone"), FUseSidetone);
        for (int n = 1; n <= ChannelCount; ++n) {
            FPlaybackCaptionCW[n - 1] = ini.ReadString(SectionCW, MessageKey(n), FPlaybackCaptionCW[n - 1]);
            FPlaybackCaptionPhone[n - 1] = ini.ReadString(SectionPhone, MessageKey(n), FPlaybackCaptionPhone[n - 1]);
        }
    }
    UpdatePlaybackActions();
}

void TDMPlayback::IniWrite()
{
    if (DMApplication) {
        TIniStore& ini = *DMApplication->IniRegistry();
        ini.WriteBool(Section, QStringLiteral("UseSidetone"), FUseSidetone);
        for (int n = 1; n <= ChannelCount; ++n) {
            ini.WriteString(SectionCW, MessageKey(n), FPlaybackCaptionCW[n - 1]);
            ini.WriteString(SectionPhone, MessageKey(n), FPlaybackCaptionPhone[n - 1]);
        }
    }
    UpdatePlaybackActions();
}

bool TDMPlayback::CWModeType() const
{
    return FFTCATInterface && FFTCATInterface->ModeType() == mtCW;
}

void TDMPlayback::UpdatePlaybackActions()
{
    const auto& captions = CWModeType() ? FPlaybackCaptionCW : FPlaybackCaptionPhone;
    for (int n = 1; n <= ChannelCount; ++n)
        PlaybackAction(n)->setText(captions[n - 1]);
}

void TDMPlayback::PlaybackActionExecute(QAction* action)
{
    if (action)
        Play(action->data().toInt());
}

void TDMPlayback::Play(int Channel)
{
    if (!ValidChannel(Channel) || !FFTCATInterface)
        return;
    TFTCATInterface* cat = FFTCATInterface;
    if (!CWModeType()) {
        cat->PlaybackMemory(QString::number(Channel));
        return;
    }
    cat->KeyerMemory(QString(QLatin1Char(KeyerMemoryCharacters[Channel - 1])));
    // The operator hears the memory only when both the playback option and the CW sidetone
    // are on.
    if (!FUseSidetone || !FCW || !FCW->UseSidetone() || !FCW->CWSidetone())
        return;
    QString text = cat->Keyer()->KeyerMemory(Channel);
    // "}" ends a memory on the radio; it is not sent.
    if (text.endsWith(QLatin1Char('}')))
        text.chop(1);
    if (text.isEmpty())
        return;
    TCWSidetoneLink* sidetone = FCW->CWSidetone();
    sidetone->SetSpeed(uint8_t(qBound(0, cat->Keyer()->KeySpeed(), 255)));
    sidetone->Send(text);
}
