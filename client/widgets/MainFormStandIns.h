#pragma once
// Dialogs of the main window that this version does not have yet, reached through one alias or
// one factory, so the real one takes its place in one line.

#include "log/widgets/LogStatisticsPanel.h"

#include <QDialog>

// The settings dialog as the main window drives it.
class TSettingsDlgLink {
public:
    virtual ~TSettingsDlgLink() = default;
    virtual QString LastSetting() const = 0;
    virtual void SetLastSetting(const QString& value) = 0;
    // Shows the page named by LastSetting.
    virtual void FindLastSetting() = 0;
    // Modal; QDialog::Accepted for OK.
    virtual int Execute() = 0;
    virtual bool ChangedApplicationType() const = 0;
    virtual bool ChangedDXCluster() const = 0;
    virtual bool ChangedCodec() const = 0;
};

// The About box of this version.
void ShowAboutBox(QWidget* owner);

// The names the main window uses; each becomes the real class when it is there.
using TMainLogStatisticsPanel = TLogStatisticsPanelV2;

// The statistics page the window shows.
TMainLogStatisticsPanel* CreateMainLogStatisticsPanel();
