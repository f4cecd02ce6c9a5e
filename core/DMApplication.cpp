#include "core/DMApplication.h"

#include <QStandardPaths>

TDMApplication* DMApplication = nullptr;

namespace {

const QString SectionApplication = QStringLiteral("Client\\Application");
const QString SectionPlayback = QStringLiteral("Client\\Playback");

// A stored size or position that cannot be one keeps the present value.
int32_t ReadNonNegative(TIniStore& ini, const QString& Section, const QString& Ident, int32_t current)
{
    const int32_t v = ini.ReadInteger(Section, Ident, current);
    return v >= 0 ? v : current;
}

} // namespace

TDMApplication::TDMApplication(QObject* parent)
    : QObject(parent)
{
    DMApplication = this;
}

TDMApplication::~TDMApplication()
{
    // The programs close the store themselves before they go; whoever listened may be gone
    // by now, so a failure here is only logged (by the store).
    OnError = nullptr;
    Close();
    if (DMApplication == this)
        DMApplication = nullptr;
}

QString TDMApplication::SettingsFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Zemro/Vornix.ini");
}

TIniStore* TDMApplication::IniRegistry()
{
    if (!FIniRegistry)
        FIniRegistry = std::make_unique<TIniStore>(SettingsFileName());
    return FIniRegistry.get();
}

void TDMApplication::Close()
{
    if (!FIniRegistry)
        return;
    const bool saved = FIniRegistry->UpdateFile();
    const QString reason = FIniRegistry->ErrorString();
    FIniRegistry.reset();
    if (!saved)
        Fire(OnError, QStringLiteral("The settings could not be saved: %1").arg(reason));
}

void TDMApplication::ReadPanel(TIniStore& ini, const QString& Section, TPanelPosition& p)
{
    p.Visible = ini.ReadBool(Section, QStringLiteral("Visible"), p.Visible);
    p.ControlIndex = ReadNonNegative(ini, Section, QStringLiteral("Index"), p.ControlIndex);
    p.Height = ReadNonNegative(ini, Section, QStringLiteral("Height"), p.Height);
    p.Width = ReadNonNegative(ini, Section, QStringLiteral("Width"), p.Width);
}

void TDMApplication::WritePanel(TIniStore& ini, const QString& Section, const TPanelPosition& p)
{
    ini.WriteBool(Section, QStringLiteral("Visible"), p.Visible);
    ini.WriteInteger(Section, QStringLiteral("Index"), p.ControlIndex);
    ini.WriteInteger(Section, QStringLiteral("Height"), p.Height);
    ini.WriteInteger(Section, QStringLiteral("Width"), p.Width);
}

void TDMApplication::IniRead()
{
    TIniStore& ini = *IniRegistry();

    TApplicationType role = FDM ? FDM->ApplicationType() : isLocal;
    const int32_t stored = ini.ReadInteger(SectionApplication, QStringLiteral("ApplicationType"), 0);
    if (stored >= isLocal && stored <= isRemoteClient) {
        role = TApplicationType(stored);
        if (FDM)
            FDM->SetApplicationType(role);
    }
    if (FDM) {
        FDM->SetLastSetting(ini.ReadString(SectionApplication, QStringLiteral("LastSetting"), FDM->LastSetting()));
        FDM->SetLastMenuNo(ini.ReadInteger(SectionApplication, QStringLiteral("LastMenuNo"), FDM->LastMenuNo()));
    }
    // Only the three view modes exist.
    const int32_t view = ini.ReadInteger(SectionApplication, QStringLiteral("CompactView"), FCompactView);
    if (view >= 0 && view <= 2)
        FCompactView = uint8_t(view);
    const int32_t width = ini.ReadInteger(SectionApplication, QStringLiteral("NormalWidth"), FNormalWidth);
    if (width > 0)
        FNormalWidth = width;
    FRotorPushAndHold = ini.ReadBool(SectionUserInterface, QStringLiteral("RotorPushAndHold"), FRotorPushAndHold);

    // The remote server alone shows no message, CW or log panel.
    FPositionMessages.Use = true;
    ReadPanel(ini, QStringLiteral("Client\\Panels\\Messages"), FPositionMessages);
    if (role == isRemoteServer)
        FPositionMessages.Use = false;

    FPositionCW.Use = ini.ReadBool(QStringLiteral("Client\\WinKey"), QStringLiteral("UseWinKey"), true);
    ReadPanel(ini, QStringLiteral("Client\\Panels\\CW"), FPositionCW);
    if (!FPositionCW.Use)
        FPositionCW.Visible = false;
    if (FPositionCW.Use && role == isRemoteServer)
        FPositionCW.Use = false;

    FPositionLog.Use = true;
    ReadPanel(ini, QStringLiteral("Client\\Panels\\Log"), FPositionLog);
    if (role == isRemoteServer)
        FPositionLog.Use = false;

    ReadPanel(ini, QStringLiteral("Client\\Panels\\RTTY"), FPositionRTTY);
    ReadPanel(ini, QStringLiteral("Client\\Panels\\RCM"), FPositionRCM);
    ReadPanel(ini, QStringLiteral("Client\\Panels\\Rotator"), FPositionRotator);

    // Window coordinates may be negative on a screen left of or above the primary one.
    FPositionPlayBack.Visible = ini.ReadBool(SectionPlayback, QStringLiteral("Visible"), FPositionPlayBack.Visible);
    FPositionPlayBack.Height = ini.ReadInteger(SectionPlayback, QStringLiteral("Top"), FPositionPlayBack.Height);
    FPositionPlayBack.Width = ini.ReadInteger(SectionPlayback, QStringLiteral("Left"), FPositionPlayBack.Width);
}

void TDMApplication::IniWrite()
{
    TIniStore& ini = *IniRegistry();

    if (FDM) {
        ini.WriteInteger(SectionApplication, QStringLiteral("ApplicationType"), FDM->ApplicationType());
        ini.WriteString(SectionApplication, QStringLiteral("LastSetting"), FDM->LastSetting());
        ini.WriteInteger(SectionApplication, QStringLiteral("LastMenuNo"), FDM->LastMenuNo());
    }
    ini.WriteInteger(SectionApplication, QStringLiteral("CompactView"), FCompactView);
    ini.WriteInteger(SectionApplication, QStringLiteral("NormalWidth"), FNormalWidth);
    ini.WriteBool(SectionUserInterface, QStringLiteral("RotorPushAndHold"), FRotorPushAndHold);

    WritePanel(ini, QStringLiteral("Client\\Panels\\Messages"), FPositionMessages);
    WritePanel(ini, QStringLiteral("Client\\Panels\\CW"), FPositionCW);
    WritePanel(ini, QStringLiteral("Client\\Panels\\Log"), FPositionLog);
    WritePanel(ini, QStringLiteral("Client\\Panels\\RTTY"), FPositionRTTY);
    WritePanel(ini, QStringLiteral("Client\\Panels\\RCM"), FPositionRCM);
    WritePanel(ini, QStringLiteral("Client\\Panels\\Rotator"), FPositionRotator);

    ini.WriteBool(SectionPlayback, QStringLiteral("Visible"), FPositionPlayBack.Visible);
    ini.WriteInteger(SectionPlayback, QStringLiteral("Top"), FPositionPlayBack.Height);
    ini.WriteInteger(SectionPlayback, QStringLiteral("Left"), FPositionPlayBack.Width);
}
