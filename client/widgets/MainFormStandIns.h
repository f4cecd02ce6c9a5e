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

// The settings dialog of this version: it has no pages yet and changes nothing.
class TSettingsDlgStandIn : public QDialog, public TSettingsDlgLink {
    Q_OBJECT
public:
    explicit TSettingsDlgStandIn(QWidget* owner = nullptr);
    QString LastSetting() const override { return FLastSetting; }
    void SetLastSetting(const QString& value) override { FLastSetting = value; }
    void FindLastSetting() override {}
    int Execute() override { return exec(); }
    bool ChangedApplicationType() const override { return false; }
    bool ChangedDXCluster() const override { return false; }
    bool ChangedCodec() const override { return false; }

private:
    QString FLastSetting;
};

// The About box of this version.
void ShowAboutBox(QWidget* owner);

// The names the main window uses; each becomes the real class when it is there.
using TMainLogStatisticsPanel = TLogStatisticsPanelV2;

// The statistics page the window shows.
TMainLogStatisticsPanel* CreateMainLogStatisticsPanel();
