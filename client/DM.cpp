#include "client/DM.h"

#include <exception>

TDM* DM = nullptr;

namespace {

using M = TDMModule;
using O = TDMOperation;

} // namespace

QString ModuleName(TDMModule module)
{
    switch (module) {
    case M::None: return QString();
    case M::Application: return QStringLiteral("DMApplication");
    case M::Radio: return QStringLiteral("DMRadio");
    case M::DX: return QStringLiteral("DMDX");
    case M::CW: return QStringLiteral("DMCW");
    case M::AudioClient: return QStringLiteral("DMAudioClient");
    case M::AudioServer: return QStringLiteral("DMAudioServer");
    case M::DVK: return QStringLiteral("DMDVK");
    case M::FlexControl: return QStringLiteral("DMFlexControl");
    case M::Log: return QStringLiteral("DMLog");
    case M::Messages: return QStringLiteral("DMMessages");
    case M::Playback: return QStringLiteral("DMPlayback");
    case M::Client: return QStringLiteral("DMClient");
    case M::Server: return QStringLiteral("DMServer");
    case M::RTTY: return QStringLiteral("DMRTTY");
    case M::IPCServer: return QStringLiteral("DMRadio.IPCServer");
    }
    return QString();
}

QString StepName(const TDMStep& step)
{
    QString what;
    switch (step.Operation) {
    case O::IniRead: what = QStringLiteral("IniRead"); break;
    case O::IniWrite: what = QStringLiteral("IniWrite"); break;
    case O::Open: what = QStringLiteral("Open"); break;
    case O::Close: what = QStringLiteral("Close"); break;
    case O::Update: what = QStringLiteral("Update"); break;
    case O::WireLog: what = QStringLiteral("LogInterface"); break;
    case O::OpenCATPort:
    case O::OpenCATRemote: what = QStringLiteral("FTCATInterface.Open"); break;
    case O::ClosePort: what = QStringLiteral("RadioComPort.Close"); break;
    case O::CloseCAT: what = QStringLiteral("FTCATInterface.Close"); break;
    case O::OpenSidetone: what = QStringLiteral("CWSidetoneOpen"); break;
    case O::CloseSidetone: what = QStringLiteral("CWSidetone.Close"); break;
    case O::CloseWinKeyer: what = QStringLiteral("WinKey.WKClose"); break;
    case O::DisableConnect: what = QStringLiteral("ClientConnectAction"); break;
    case O::OpenActive: what = QStringLiteral("Open"); break;
    case O::CloseMicroHam: what = QStringLiteral("MicroHamInterface.Close"); break;
    case O::ProcessMessages: what = QStringLiteral("ProcessMessages"); break;
    }
    const QString module = ModuleName(step.Module);
    return module.isEmpty() ? what : module + QLatin1Char('.') + what;
}

TDM::TDM(TDMModules* modules, QObject* parent)
    : QObject(parent)
    , FModules(modules)
{
    DM = this;
}

TDM::~TDM()
{
    if (DM == this)
        DM = nullptr;
}

void TDM::DataModuleCreate()
{
    SetApplicationType(isLocal);
    SetLastSetting(QString());
    SetLastMenuNo(0);
    RunStep({M::Application, O::IniRead});
}

QList<TDMStep> TDM::StartSettingsSteps()
{
    return {
        {M::Application, O::IniRead}, {M::AudioClient, O::IniRead}, {M::AudioServer, O::IniRead},
        {M::Client, O::IniRead},      {M::CW, O::IniRead},          {M::DVK, O::IniRead},
        {M::DX, O::IniRead},          {M::FlexControl, O::IniRead}, {M::Radio, O::IniRead},
        {M::Messages, O::IniRead},    {M::Log, O::IniRead},         {M::Playback, O::IniRead},
        {M::RTTY, O::IniRead},        {M::Server, O::IniRead},      {M::Client, O::Update},
        {M::Log, O::WireLog},
    };
}

QList<TDMStep> TDM::StartRoleSteps(TApplicationType role)
{
    switch (role) {
    case isLocal:
        return {
            {M::Radio, O::OpenCATPort},     {M::CW, O::Open},         {M::CW, O::OpenSidetone},
            {M::Client, O::DisableConnect}, {M::DX, O::Open},         {M::FlexControl, O::Open},
            {M::DVK, O::Open},              {M::Log, O::Open},        {M::IPCServer, O::Open},
            {M::Server, O::Open},
        };
    case isLocalAndRemoteServer:
        return {
            {M::Radio, O::OpenCATPort},  {M::CW, O::Open},          {M::CW, O::OpenSidetone},
            {M::Server, O::Open},        {M::Client, O::DisableConnect}, {M::DX, O::Open},
            {M::FlexControl, O::Open},   {M::AudioServer, O::Open}, {M::DVK, O::Open},
            {M::Log, O::Open},           {M::IPCServer, O::Open},
        };
    case isRemoteServer:
        return {
            {M::Radio, O::OpenCATPort},     {M::CW, O::Open},  {M::Server, O::Open},
            {M::Client, O::DisableConnect}, {M::AudioServer, O::Open}, {M::DVK, O::Open},
            {M::IPCServer, O::Open},
        };
    case isRemoteClient:
        return {
            {M::Radio, O::OpenCATRemote}, {M::Radio, O::ClosePort},       {M::CW, O::Open},
            {M::CW, O::OpenSidetone},     {M::DX, O::Open},               {M::FlexControl, O::Open},
            {M::AudioClient, O::OpenActive}, {M::DVK, O::Open},           {M::Log, O::Open},
            {M::IPCServer, O::Open},      {M::Server, O::Open},
        };
    }
    return {};
}

QList<TDMStep> TDM::StopSteps()
{
    return {
        {M::Radio, O::CloseCAT},       {M::Radio, O::IniWrite},         {M::DX, O::Close},
        {M::DX, O::IniWrite},          {M::Log, O::Close},              {M::Log, O::IniWrite},
        {M::Playback, O::IniWrite},    {M::Server, O::Close},           {M::Server, O::IniWrite},
        {M::None, O::ProcessMessages}, {M::Client, O::Close},           {M::Client, O::IniWrite},
        {M::CW, O::CloseWinKeyer},     {M::CW, O::CloseSidetone},       {M::CW, O::IniWrite},
        {M::None, O::ProcessMessages}, {M::FlexControl, O::Close},      {M::FlexControl, O::IniWrite},
        {M::AudioClient, O::Close},    {M::AudioClient, O::IniWrite},   {M::AudioServer, O::Close},
        {M::AudioServer, O::IniWrite}, {M::DVK, O::CloseMicroHam},      {M::DVK, O::IniWrite},
        {M::Messages, O::IniWrite},    {M::RTTY, O::Close},             {M::RTTY, O::IniWrite},
        {M::IPCServer, O::Close},      {M::Application, O::IniWrite},   {M::Application, O::Close},
        {M::None, O::ProcessMessages},
    };
}

void TDM::RunStep(const TDMStep& step)
{
    if (!FModules)
        return;
    QString error;
    try {
        error = FModules->Run(step);
    } catch (const std::exception& e) {
        error = QString::fromLocal8Bit(e.what());
        if (error.isEmpty())
            error = QStringLiteral("unexpected error");
    } catch (...) {
        error = QStringLiteral("unexpected error");
    }
    if (!error.isEmpty())
        Fire(OnStepError, StepName(step), error);
}

void TDM::Start()
{
    for (const TDMStep& step : StartSettingsSteps())
        RunStep(step);
    // The role is the one just read.
    for (const TDMStep& step : StartRoleSteps(ApplicationType()))
        RunStep(step);
    RunStep({M::Application, O::Close});
}

void TDM::Stop()
{
    for (const TDMStep& step : StopSteps())
        RunStep(step);
}

void TDM::Restart()
{
    Stop();
    Start();
}
