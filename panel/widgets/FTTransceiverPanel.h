#pragma once
// The front panel on the main window's transceiver page.  It holds exactly one model face at a
// time, chosen by the radio model, hands it the engine and the views it talks to, takes its
// size, and points six main-window actions at controls of the face.  Until a model is set it
// shows a grey area with a prompt.  It owns only its face; engine, views and actions belong to
// the main window and the data modules.

#include "panel/widgets/FTTransceiverPanelBase.h"

#include <QAction>
#include <QPointer>
#include <QTabWidget>

// The face of a model, built with the host as owner: the one place that knows which face class
// serves which model.
TFTTransceiverPanelBase* CreateModelPanel(TTransceiver model, QWidget* owner);

class TFTTransceiverPanel : public TFTTransceiverPanelHost {
    Q_OBJECT
public:
    static constexpr int PromptWidth = 1019;
    static constexpr int PromptHeight = 454;

    explicit TFTTransceiverPanel(QWidget* parent = nullptr);
    ~TFTTransceiverPanel() override;

    // The current face; null until the first model is set.
    TFTTransceiverPanelBase* FTPanel() const { return FFTPanel; }

    TTransceiver Transceiver() const { return FTransceiver; }
    // Builds the face of the model: FT2000 and FT2000D share one, so switching between them
    // keeps it; any other change replaces it, binds the engine to the new face (which starts
    // from the engine's present state), opens the engine and polls the radio in full.
    void SetTransceiver(TTransceiver value);

    TFTCATInterface* FTCATInterface() const { return FFTCATInterface.data(); }
    // Stored and given to the current face, which binds the engine's events and shows its
    // present state; nothing is opened.
    void SetFTCATInterface(TFTCATInterface* value);

    // The views a face talks to: stored, and given to the current face as well.
    TBandmapLink* Bandmap() const { return FBandmap.Get(); }
    void SetBandmap(TBandmapLink* value);
    TDXSpots* DXSpots() const { return FDXSpots.data(); }
    void SetDXSpots(TDXSpots* value);
    TLogPanelLink* LogPanel() const { return FLogPanel.Get(); }
    void SetLogPanel(TLogPanelLink* value);

    QTabWidget* PageControl() const { return FPageControl.data(); }
    void SetPageControl(QTabWidget* value) { FPageControl = value; }
    QWidget* TabSheetTransceiver() const { return FTabSheetTransceiver.data(); }
    void SetTabSheetTransceiver(QWidget* value) { FTabSheetTransceiver = value; }

    // Main-window actions; each one that is assigned is pointed at the host when a face is built.
    QPointer<QAction> ActionClarifier;
    QPointer<QAction> ActionFilterWidth;
    QPointer<QAction> ActionIFShift;
    QPointer<QAction> ActionMicGain;
    QPointer<QAction> ActionPowerControl;
    QPointer<QAction> ActionVFOB;

    // Shows the transceiver tab; false without a face, page control or tab sheet.
    bool ActivateTransceiverTab();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // A view that may be an object: one that has gone is no view, so a later face never gets it.
    template <typename T>
    class TViewRef {
    public:
        void Set(T* value)
        {
            FView = value;
            FObject = dynamic_cast<QObject*>(value);
            FIsObject = !FObject.isNull();
        }
        T* Get() const { return FIsObject && FObject.isNull() ? nullptr : FView; }

    private:
        T* FView = nullptr;
        QPointer<QObject> FObject;
        bool FIsObject = false;
    };

    void WireActions();
    void FocusControl(QWidget* (*control)(TFTTransceiverPanelBase&));

    TFTTransceiverPanelBase* FFTPanel = nullptr;
    TTransceiver FTransceiver = FT2000;
    QPointer<TFTCATInterface> FFTCATInterface;
    TViewRef<TBandmapLink> FBandmap;
    QPointer<TDXSpots> FDXSpots;
    TViewRef<TLogPanelLink> FLogPanel;
    QPointer<QTabWidget> FPageControl;
    QPointer<QWidget> FTabSheetTransceiver;
};
