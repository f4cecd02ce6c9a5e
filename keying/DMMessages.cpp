#include "keying/DMMessages.h"

#include "core/DMApplication.h"
#include "core/DMRadio.h"
#include "core/MicroHamInterface.h"
#include "core/cat/FTCATInterface.h"
#include "keying/DMCW.h"
#include "keying/DMDVK.h"
#include "keying/DMRTTY.h"
#include "keying/MessageDlgLink.h"

#include <QAction>
#include <QKeySequence>

TDMMessages* DMMessages = nullptr;

namespace {

bool InRange(int index, int count)
{
    return index >= 1 && index <= count;
}

QString NumberedCaption(int n)
{
    return QStringLiteral("Msg %1").arg(n);
}

} // namespace

TDMMessages::TDMMessages(QObject* parent)
    : QObject(parent)
{
    DMMessages = this;
    for (int n = 1; n <= MessageCount; ++n)
        FCWMessageCaptions[n - 1] = NumberedCaption(n);
    FCWMessages[9] = QStringLiteral("<CALL> TU <RST> BK");
    FCWMessages[10] = QStringLiteral("TU <CALL>");
    FCWMessageCaptions[9] = QStringLiteral("INS Msg");
    FCWMessageCaptions[10] = QStringLiteral("+ Msg");
    for (int n = 1; n <= VoiceMessageCount; ++n)
        FDVKMessageCaptions[n - 1] = NumberedCaption(n);
    FFSKMessages = FCWMessages;
    FFSKMessageCaptions = FCWMessageCaptions;
    CreateActions();
}

TDMMessages::~TDMMessages()
{
    if (DMMessages == this)
        DMMessages = nullptr;
}

// --- Actions --------------------------------------------------------------------------------

QAction* TDMMessages::NewAction(const QString& name, const char* category, const QString& caption, int tag)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    a->setProperty("Category", QLatin1String(category));
    a->setData(tag);
    FActions << a;
    return a;
}

void TDMMessages::CreateActions()
{
    for (int n = 1; n <= MessageCount; ++n) {
        QString caption = EmptyCaption;
        if (n == 10)
            caption = QStringLiteral("Message after INS key");
        else if (n == 11)
            caption = QStringLiteral("Message after + key");
        QAction* a = NewAction(QStringLiteral("Message%1Action").arg(n), "Messages", caption, n);
        if (n <= 9) {
            a->setToolTip(NumberedCaption(n));
            a->setShortcut(QKeySequence(Qt::Key_F1 + (n - 1)));
        } else if (n == 10) {
            a->setShortcut(QKeySequence(Qt::Key_Insert));
        }
        // The "+" message has no key of its own: the main window runs it on the keypad plus.
        connect(a, &QAction::triggered, this, [this, a] { MessageActionExecute(a); });
        FMessageActions[n - 1] = a;
    }
    for (int n = 1; n <= MessageCount; ++n) {
        QString caption = QStringLiteral("Set Message %1").arg(n);
        QKeySequence key(Qt::SHIFT | Qt::Key(Qt::Key_F1 + (n - 1)));
        if (n == 10) {
            caption = QStringLiteral("Set Message after INS key");
            key = QKeySequence(Qt::SHIFT | Qt::Key_Insert);
        } else if (n == 11) {
            caption = QStringLiteral("Set Message after + key");
            // The main keyboard's plus with Shift; the keypad's plus carries KeypadModifier.
            key = QKeySequence(Qt::SHIFT | Qt::Key_Plus);
        }
        QAction* a = NewAction(QStringLiteral("SetMessage%1Action").arg(n), "SetMessages", caption, n);
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, [this, a] { SetCWMessageActionExecute(a); });
        FSetMessageActions[n - 1] = a;
    }
    // It heads the menu of the set-message actions and does nothing itself.
    SetMessagesAction = NewAction(QStringLiteral("SetMessagesAction"), "SetMessages", QStringLiteral("Set CW Messages..."), 0);
    EscapeAction = NewAction(QStringLiteral("EscapeAction"), "Abort", QStringLiteral("&Abort Transmission"), 0);
    EscapeAction->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(EscapeAction, &QAction::triggered, this, [this] { EscapeActionExecute(); });
    ClearAction = NewAction(QStringLiteral("ClearAction"), "Abort", QStringLiteral("Clear &Buffer"), 0);
    ClearAction->setToolTip(QStringLiteral("Clear buffer and stop sending"));
    connect(ClearAction, &QAction::triggered, this, [this] { ClearActionExecute(); });
}

QAction* TDMMessages::MessageAction(int n) const
{
    return InRange(n, MessageCount) ? FMessageActions[n - 1] : nullptr;
}

QAction* TDMMessages::SetMessageAction(int n) const
{
    return InRange(n, MessageCount) ? FSetMessageActions[n - 1] : nullptr;
}

// --- Memories -------------------------------------------------------------------------------

QString TDMMessages::GetMessage(TModeType ModeType, int Index) const
{
    if (!InRange(Index, MessageCount))
        return {};
    switch (ModeType) {
    case mtCW: return FCWMessages[Index - 1];
    case mtDigital: return FFSKMessages[Index - 1];
    default: return {};
    }
}

void TDMMessages::SetMessage(TModeType ModeType, int Index, const QString& Text)
{
    if (!InRange(Index, MessageCount))
        return;
    if (ModeType == mtCW)
        FCWMessages[Index - 1] = Text;
    else if (ModeType == mtDigital)
        FFSKMessages[Index - 1] = Text;
}

QString TDMMessages::GetMessageCaption(TModeType ModeType, int Index) const
{
    switch (ModeType) {
    case mtCW: return InRange(Index, MessageCount) ? FCWMessageCaptions[Index - 1] : QString();
    case mtPhone: return InRange(Index, VoiceMessageCount) ? FDVKMessageCaptions[Index - 1] : QString();
    case mtDigital: return InRange(Index, MessageCount) ? FFSKMessageCaptions[Index - 1] : QString();
    default: return {};
    }
}

void TDMMessages::SetMessageCaption(TModeType ModeType, int Index, const QString& Caption)
{
    const QString caption = Caption.isEmpty() ? EmptyCaption : Caption;
    if (ModeType == mtCW && InRange(Index, MessageCount))
        FCWMessageCaptions[Index - 1] = caption;
    else if (ModeType == mtPhone && InRange(Index, VoiceMessageCount))
        FDVKMessageCaptions[Index - 1] = caption;
    else if (ModeType == mtDigital && InRange(Index, MessageCount))
        FFSKMessageCaptions[Index - 1] = caption;
}

void TDMMessages::SetModeType(TModeType value)
{
    FModeType = value;
    const auto enable = [this](bool messages, bool setMessages, bool clear) {
        FMessageActions[9]->setEnabled(messages);
        FMessageActions[10]->setEnabled(messages);
        SetMessagesAction->setEnabled(setMessages);
        EscapeAction->setEnabled(true);
        ClearAction->setEnabled(clear);
    };
    switch (value) {
    case mtCW:
        enable(true, true, true);
        SetMessagesAction->setText(QStringLiteral("Set CW Messages..."));
        break;
    case mtPhone:
        enable(false, false, false);
        SetMessagesAction->setText(QStringLiteral("Set Messages..."));
        break;
    case mtDigital:
        enable(true, true, true);
        SetMessagesAction->setText(QStringLiteral("Set RTTY Messages..."));
        break;
    case mtAll:
        break;
    }
    for (int n = 1; n <= 9; ++n) {
        QAction* a = FMessageActions[n - 1];
        if (value != mtAll)
            a->setText(GetMessageCaption(value, n));
        if (value == mtCW || value == mtDigital) {
            const QString text = GetMessage(value, n);
            a->setToolTip(text.isEmpty() ? EmptyCaption : text);
        } else {
            a->setToolTip(NumberedCaption(n));
        }
    }
}

// --- Settings -------------------------------------------------------------------------------

void TDMMessages::IniRead()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    for (const auto& [section, mode] : {std::pair{SectionCW, mtCW}, std::pair{SectionFSK, mtDigital}}) {
        for (int n = 1; n <= MessageCount; ++n)
            SetMessage(mode, n, ini.ReadString(section, QStringLiteral("Message%1").arg(n), QString()));
        for (int n = 1; n <= 9; ++n)
            SetMessageCaption(mode, n, ini.ReadString(section, QStringLiteral("Caption%1").arg(n), QString()));
    }
}

void TDMMessages::IniWrite()
{
    if (!DMApplication)
        return;
    TIniStore& ini = *DMApplication->IniRegistry();
    for (const auto& [section, mode] : {std::pair{SectionCW, mtCW}, std::pair{SectionFSK, mtDigital}}) {
        for (int n = 1; n <= MessageCount; ++n)
            ini.WriteString(section, QStringLiteral("Message%1").arg(n), GetMessage(mode, n));
        for (int n = 1; n <= 9; ++n)
            ini.WriteString(section, QStringLiteral("Caption%1").arg(n), GetMessageCaption(mode, n));
    }
}

// --- Dispatch -------------------------------------------------------------------------------

bool TDMMessages::MessagesUse() const
{
    return DMApplication && DMApplication->PositionMessages().Use;
}

void TDMMessages::PlaybackMemory(int n)
{
    // A memory the radio does not have would be a malformed command ("PB010;").
    if (FRadio && FRadio->FTCATInterface() && InRange(n, RadioVoiceMemories))
        FRadio->FTCATInterface()->PlaybackMemory(QString::number(n));
}

void TDMMessages::MessageActionExecute(QAction* Sender)
{
    if (!Sender)
        return;
    const int n = Sender->data().toInt();
    switch (FModeType) {
    case mtCW: {
        if (!FRadio || !FRadio->FTCATInterface())
            return;
        const TMode mode = FRadio->FTCATInterface()->ModeA();
        if (mode == mdLSB || mode == mdUSB)
            PlaybackMemory(n);
        else if ((mode == mdCW || mode == mdCW_R) && FCW)
            FCW->CWSendText(GetMessage(mtCW, n));
        break;
    }
    case mtPhone:
        if (MessagesUse()) {
            if (!FDVK)
                return;
            FDVK->MicroHamInterface()->PlayMessage(n);
            if (FDVK->PlayMessages() && ApplicationType() == isRemoteClient)
                FDVK->PlayMessageFile(n);
        } else {
            PlaybackMemory(n);
        }
        break;
    case mtDigital:
        if (FRTTY && FRTTY->UseMMTTYEngine())
            FRTTY->SendMessage(GetMessage(mtDigital, n));
        break;
    case mtAll:
        break;
    }
}

void TDMMessages::EscapeActionExecute()
{
    switch (FModeType) {
    case mtCW:
        if (FCW)
            FCW->WinKey()->WKEscape();
        break;
    case mtPhone:
        if (FDVK) {
            FDVK->MicroHamInterface()->AbortMessage();
            // Whatever this program plays along stops with the router's message.
            FDVK->StopMessageFile();
        }
        break;
    case mtDigital:
        if (FDVK)
            FDVK->MicroHamInterface()->AbortMessage();
        if (FRTTY)
            FRTTY->Clear();
        break;
    case mtAll:
        break;
    }
}

void TDMMessages::ClearActionExecute()
{
    if (FCW)
        FCW->WinKey()->WKClear();
}

void TDMMessages::SetCWMessageActionExecute(QAction* Sender)
{
    if (!Sender || !FDlgFactory)
        return;
    const int n = Sender->data().toInt();
    const TModeType mode = FModeType;
    std::unique_ptr<TMessageDlgLink> dlg;
    QString kind;
    if (mode == mtCW) {
        dlg = FDlgFactory->CreateCWMessageDlg();
        kind = QStringLiteral("CW");
    } else if (mode == mtDigital) {
        dlg = FDlgFactory->CreateRTTYMessageDlg();
        kind = QStringLiteral("RTTY");
    }
    if (!dlg || !InRange(n, MessageCount))
        return;
    dlg->SetMessage(GetMessage(mode, n));
    dlg->SetMessageCaption(GetMessageCaption(mode, n));
    dlg->SetMessageCaptionEnabled(n < 10);
    if (n == 10)
        dlg->SetCaption(QStringLiteral("Set %1 Message INS key").arg(kind));
    else if (n == 11)
        dlg->SetCaption(QStringLiteral("Set %1 Message + key").arg(kind));
    else
        dlg->SetCaption(QStringLiteral("Set %1 Message #%2").arg(kind).arg(n));
    if (!dlg->Execute())
        return;
    SetMessage(mode, n, dlg->Message());
    SetMessageCaption(mode, n, dlg->MessageCaption());
    SetModeType(FModeType);
}
