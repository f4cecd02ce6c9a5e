#pragma once
// What the main window reaches through a seam of its own: the settings dialog as it drives it
// (tests put a double in its place), the About box and the statistics page.

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

using TMainLogStatisticsPanel = TLogStatisticsPanelV2;

// The statistics page the window shows.
TMainLogStatisticsPanel* CreateMainLogStatisticsPanel();
