#pragma once
// The playback module: five channels that make the radio play one of its own messages.  In
// CW a channel starts one of the radio's contest keyer memories ("KY6" … "KY9", "KYA"), in
// the other modes one of its voice memories ("PB01" … "PB05").  The channels are named
// separately for CW and for phone; the actions carry the names of the radio's present mode
// type.  In CW the memory's text can also be played on the local CW sidetone, so the
// operator hears what the radio sends.
//
// The commands go through the CAT engine, so they reach the radio in every role (as "A0:"
// lines in the remote-client role).  GUI thread only.

#include "core/RCTypes.h"

#include <QList>
#include <QObject>
#include <QString>
#include <array>

class QAction;
class TCWModuleLink;
class TFTCATInterface;

class TDMPlayback : public QObject {
    Q_OBJECT
public:
    static constexpr int ChannelCount = 5;
    static inline const QString Section = QStringLiteral("Client\\Playback");
    static inline const QString SectionCW = QStringLiteral("Client\\Playback\\CW");
    static inline const QString SectionPhone = QStringLiteral("Client\\Playback\\Phone");

    explicit TDMPlayback(QObject* parent = nullptr);
    ~TDMPlayback() override;

    // Neighbours, handed in by the program's start-up (null while absent).
    TFTCATInterface* FTCATInterface() const { return FFTCATInterface; }
    void SetFTCATInterface(TFTCATInterface* value) { FFTCATInterface = value; }
    void SetCW(TCWModuleLink* value) { FCW = value; }

    // Play the keyer memory's text on the local CW sidetone as well.
    bool UseSidetone() const { return FUseSidetone; }
    void SetUseSidetone(bool value) { FUseSidetone = value; }

    // Channel names, Index 1 to 5; another index reads empty and writes nothing.
    QString GetPlaybackCaptionCW(int Index) const;
    QString GetPlaybackCaptionPhone(int Index) const;
    void SetPlaybackCaptionCW(int Index, const QString& Value);
    void SetPlaybackCaptionPhone(int Index, const QString& Value);

    // "Client\Playback" and its "CW" and "Phone" sections; both end with UpdatePlaybackActions.
    void IniRead();
    void IniWrite();
    // The actions take the CW names while the radio is in a CW mode, the phone names otherwise.
    void UpdatePlaybackActions();

    // Plays the channel of the action's tag.
    void PlaybackActionExecute(QAction* action);
    // Plays channel 1 to 5; another number does nothing.
    void Play(int Channel);

    QAction* Playback1Action = nullptr;
    QAction* Playback2Action = nullptr;
    QAction* Playback3Action = nullptr;
    QAction* Playback4Action = nullptr;
    QAction* Playback5Action = nullptr;
    // Channel 1 to 5's action; null for another number.
    QAction* PlaybackAction(int Channel) const;
    // The five actions; each carries its category in the property "Category" and its
    // channel (tag) as data().
    QList<QAction*> Actions() const;

private:
    static bool ValidChannel(int Index) { return Index >= 1 && Index <= ChannelCount; }
    bool CWModeType() const;

    TFTCATInterface* FFTCATInterface = nullptr;
    TCWModuleLink* FCW = nullptr;
    bool FUseSidetone = false;
    std::array<QString, ChannelCount> FPlaybackCaptionCW;
    std::array<QString, ChannelCount> FPlaybackCaptionPhone;
};

// The program's one playback module; set while one exists.
extern TDMPlayback* DMPlayback;
