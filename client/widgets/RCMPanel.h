#pragma once
// The remote connection monitor of the client role: the latency of the remote control link
// as a strip chart with its average, the latest, smallest, average and largest latency, the
// time of the login and how long the connection has run.  The numbers come from the remote
// client's statistics (RCM) through its OnRCM and OnRCMConnected events, taken only while
// the panel is visible.  The panel takes those two events back when it is destroyed, so it
// may go before or after the client.

#include "controls/widgets/RCPanel.h"

#include <QPointer>

class QFrame;
class QLabel;
class TEdgeSizer;
class TRemoteClientInterface;
class TScope;
class TShape;

// Chart settings kept with the panel; a changed value goes to the chart.
class TRCMPanelOptions {
public:
    explicit TRCMPanelOptions(TScope* scope)
        : FScope(scope)
    {
    }
    bool Active() const { return FActive; }
    void SetActive(bool value);
    int Average() const { return FAverage; }
    void SetAverage(int value);
    int Position() const { return FPosition; }
    void SetPosition(int value);

private:
    TScope* FScope;
    bool FActive = false;
    int FAverage = 0;
    int FPosition = 0;
};

class TRCMPanel : public TRCPanel {
    Q_OBJECT
public:
    explicit TRCMPanel(QWidget* parent = nullptr);
    ~TRCMPanel() override;

    // May be null; a client that is destroyed is forgotten.
    TRemoteClientInterface* RemoteClient() const;
    void SetRemoteClient(TRemoteClientInterface* value);
    TRCMPanelOptions* RCMPanelOptions() { return &FRCMPanelOptions; }

    // After each latency sample.
    void DoRCM();
    // When the link connects (true) or goes (false).
    void DoRCMConnected(bool Value);

    QLabel* LabelRCM;
    QLabel* LabelPosition;
    QFrame* Bevel1;
    TScope* Scope;
    QFrame* Bevel2;
    QLabel* LabelLatency;
    QLabel* LabelLatencyValue;
    QLabel* LabelMin;
    QLabel* LabelMinValue;
    QLabel* LabelAverage;
    QLabel* LabelAverageValue;
    QLabel* LabelMax;
    QLabel* LabelMaxValue;
    QLabel* LabelLogon;
    QLabel* LabelLogonValue;
    QLabel* LabelRuntime;
    QLabel* LabelRuntimeValue;
    TShape* ShapeScope;
    QLabel* LabelAverage2;
    TShape* ShapeAverage;
    QLabel* LabelLatency2;
    TShape* ShapeLatency;
    TEdgeSizer* EdgeSizer;

private:
    void Unhook();

    QPointer<TRemoteClientInterface> FRemoteClient;
    TRCMPanelOptions FRCMPanelOptions;
};
