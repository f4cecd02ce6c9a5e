#pragma once
// The message memories: eleven CW and eleven RTTY messages with their button captions and the
// captions of the nine voice messages, kept in "Client\Messages\CW" and "Client\Messages\FSK",
// and the actions that play (F1 ... F9, Ins, the "+" message), edit, abort and clear them.
// ModeType picks the set the actions show and how a message is played: as CW through the CW
// module or as one of the radio's voice memories in a sideband mode (mtCW), on the router's
// voice keyer or the radio's voice memories (mtPhone), as RTTY text (mtDigital).
//
// Lives on the GUI thread; the remote server's handler of a client's "WC:" line calls
// ClearActionExecute there too.

#include "core/ApplicationRole.h"
#include "core/KeyingLinks.h"
#include "core/RCTypes.h"

#include <QList>
#include <QObject>
#include <QString>
#include <array>

class QAction;
class TDMCW;
class TDMDVK;
class TDMRadio;
class TDMRTTY;
class TMessageDlgFactory;

class TDMMessages : public QObject, public TMessagesLink {
    Q_OBJECT
public:
    static constexpr int MessageCount = 11;
    static constexpr int VoiceMessageCount = 9;
    // Captions of the radio's own voice memories: it has five.
    static constexpr int RadioVoiceMemories = 5;
    static inline const QString SectionCW = QStringLiteral("Client\\Messages\\CW");
    static inline const QString SectionFSK = QStringLiteral("Client\\Messages\\FSK");
    static inline const QString EmptyCaption = QStringLiteral("<empty>");

    explicit TDMMessages(QObject* parent = nullptr);
    ~TDMMessages() override;

    // Neighbouring modules, handed in by the program's start-up (null while absent).
    void SetDM(TApplicationRole* value) { FDM = value; }
    TApplicationType ApplicationType() const { return FDM ? FDM->ApplicationType() : isLocal; }
    void SetRadio(TDMRadio* value) { FRadio = value; }
    void SetCW(TDMCW* value) { FCW = value; }
    void SetDVK(TDMDVK* value) { FDVK = value; }
    void SetRTTY(TDMRTTY* value) { FRTTY = value; }
    // Makes the dialogs of the set-message actions.
    void SetDlgFactory(TMessageDlgFactory* value) { FDlgFactory = value; }

    // Index 1..11 (1..9 for the voice captions); any other index reads empty and stores
    // nothing.
    QString GetMessage(TModeType ModeType, int Index) const;
    void SetMessage(TModeType ModeType, int Index, const QString& Text);
    QString GetMessageCaption(TModeType ModeType, int Index) const;
    // An empty caption is kept as "<empty>".
    void SetMessageCaption(TModeType ModeType, int Index, const QString& Caption);

    TModeType ModeType() const { return FModeType; }
    // Applied also when the value is unchanged, so that edited messages show.
    void SetModeType(TModeType value);
    void Update() { SetModeType(FModeType); }

    void IniRead();
    void IniWrite();

    // Actions; the tag of each (the message number, 0 for the others) is its data(), its
    // category the property "Category".  Message n is MessageAction(n), n = 1..11.
    QAction* MessageAction(int n) const;
    QAction* SetMessageAction(int n) const;
    QAction* SetMessagesAction = nullptr;
    QAction* EscapeAction = nullptr;
    QAction* ClearAction = nullptr;
    // Every action: the message actions, the set-message actions, then the three others.
    QList<QAction*> Actions() const { return FActions; }

    void MessageActionExecute(QAction* Sender);
    void EscapeActionExecute();
    // Clears the keyer's send buffer in every mode type.
    void ClearActionExecute() override;
    void SetCWMessageActionExecute(QAction* Sender);

private:
    QAction* NewAction(const QString& name, const char* category, const QString& caption, int tag);
    void CreateActions();
    bool MessagesUse() const;
    // One of the radio's voice memories; the radio has only five.
    void PlaybackMemory(int n);

    std::array<QString, MessageCount> FCWMessages;
    std::array<QString, MessageCount> FCWMessageCaptions;
    std::array<QString, VoiceMessageCount> FDVKMessageCaptions;
    std::array<QString, MessageCount> FFSKMessages;
    std::array<QString, MessageCount> FFSKMessageCaptions;
    TModeType FModeType = mtCW;

    std::array<QAction*, MessageCount> FMessageActions{};
    std::array<QAction*, MessageCount> FSetMessageActions{};
    QList<QAction*> FActions;

    TApplicationRole* FDM = nullptr;
    TDMRadio* FRadio = nullptr;
    TDMCW* FCW = nullptr;
    TDMDVK* FDVK = nullptr;
    TDMRTTY* FRTTY = nullptr;
    TMessageDlgFactory* FDlgFactory = nullptr;
};

// The program's one message module; set while one exists.
extern TDMMessages* DMMessages;
