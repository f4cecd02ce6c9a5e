#include "client/widgets/TXAudioSettingsForm.h"

#include "client/MenuDefinitions.h"
#include "client/widgets/EqualizerPanel.h"
#include "client/widgets/PlotPanel.h"
#include "controls/widgets/RCSpeedButton.h"
#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/MicrophoneEqualizer.h"
#include "panel/PanelColors.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QColor Silver(0xC0, 0xC0, 0xC0);

// The radio's unsigned values, within an int.
bool IsSmallNumber(const QString& s)
{
    return s.size() <= 9 && IsMenuDigits(s);
}

QGroupBox* RadioGroup(QWidget* parent, const QString& title, const QStringList& items, QButtonGroup*& buttons,
                      const QRect& geometry)
{
    auto* box = new QGroupBox(title, parent);
    box->setGeometry(geometry);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(10, 4, 6, 4);
    layout->setSpacing(2);
    buttons = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], box);
        buttons->addButton(b, i);
        layout->addWidget(b);
    }
    buttons->button(0)->setChecked(true);
    return box;
}

} // namespace

TTXAudioSettingsForm::TTXAudioSettingsForm(TFTCATInterface* cat, QWidget* owner)
    : TDPIForm(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , FCAT(cat)
{
    // The values Restore would write for items the radio never reported: band off, gain 5,
    // bandwidth 10.
    for (int i = 0; i < 18; ++i)
        FRestore[i] = i % 3 == 0 ? 0 : i % 3 == 1 ? 5 : 10;
    setWindowTitle(QStringLiteral("Parametric Microphone Equalizer"));
    resize(798, 604);
    setMinimumSize(773, 462);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, BGRColor(0x414141));
    pal.setColor(QPalette::WindowText, Silver);
    pal.setColor(QPalette::Button, QColor(0x55, 0x55, 0x55));
    pal.setColor(QPalette::ButtonText, Qt::white);
    pal.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    pal.setColor(QPalette::Text, Silver);
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x90, 0x90, 0x90));
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    setPalette(pal);
    setAutoFillBackground(true);
    BuildControls();
}

TTXAudioSettingsForm::~TTXAudioSettingsForm()
{
    Unhook();
}

void TTXAudioSettingsForm::BuildControls()
{
    sBevel1 = new QFrame(this);
    sBevel1->setGeometry(8, 8, 781, 397);
    sBevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    PlotPanel = new TPlotPanel(this);
    PlotPanel->setGeometry(16, 19, 764, 377);
    PlotPanel->SetBevelOuter(false);
    PlotPanel->SetColor(Qt::black);
    PlotPanel->SetBackColor(Qt::black);
    PlotPanel->SetGridColor(BGRColor(0x4000));
    PlotPanel->SetBandwidthColor(BGRColor(0x8000));
    PlotPanel->SetBandwidthBackColor(BGRColor(0x2000));
    PlotPanel->SetBandwidthLow(300);
    PlotPanel->SetBandwidthHigh(2700);
    PlotPanel->SetMargin(18);
    PlotPanel->SetPlotMode(pmLine);
    PlotPanel->SetPlotPen(QPen(QColor(255, 0, 0), 2));
    PlotPanel->SetXMax(5000);
    PlotPanel->SetXMin(40);
    PlotPanel->SetXScaleLog(true);
    PlotPanel->SetXMarks(true);
    PlotPanel->SetYMax(23);
    PlotPanel->SetYMin(-23);
    PlotPanel->SetYInterval(5);
    PlotPanel->SetYMarks(true);
    PlotPanel->SetYTitle(QStringLiteral(" dB"));
    PlotPanel->SetXMarksFont(TDPIForm::FormFont());
    PlotPanel->SetYMarksFont(TDPIForm::FormFont());
    PlotPanel->SetXMarksColor(Silver);
    PlotPanel->SetYMarksColor(Silver);
    PlotPanel->SetLayerOption(false);

    PanelBW = new QFrame(this);
    PanelBW->setGeometry(8, 414, 105, 184);
    PanelBW->setFrameStyle(QFrame::Panel | QFrame::Raised);
    LabelTXBandwidth = new QLabel(QStringLiteral("SSB Bandwidth"), PanelBW);
    LabelTXBandwidth->setGeometry(0, 8, 105, 13);
    LabelTXBandwidth->setAlignment(Qt::AlignCenter);
    QFont bold = TDPIForm::FormFont();
    bold.setBold(true);
    LabelTXBandwidth->setFont(bold);
    const int tops[6] = {52, 77, 102, 127, 152, 27};
    for (int i = 0; i < 6; ++i) {
        auto* b = new TRCSpeedButton(PanelBW);
        b->setGeometry(13, tops[i], 81, 22);
        b->SetGroupIndex(1);
        b->SetCaption(QString::fromLatin1(TXBandwidths[i].Caption));
        b->SetTag(i);
        b->OnClick = [this, i] { BWButtonClick(i); };
        BWButtons[i] = b;
    }
    BWButtons[3]->SetDown(true);

    EqualizerPanel = new TEqualizerPanel(this);
    EqualizerPanel->move(120, 414);
    EqualizerPanel->SetFTCATInterface(FCAT);
    EqualizerPanel->SetPlotPanel(PlotPanel);
    EqualizerPanel->OnChanged = [this](QObject*) { EqualizerPanelChanged(); };

    PanelButtons = new QFrame(this);
    PanelButtons->setGeometry(120, 508, 670, 90);
    PanelButtons->setFrameStyle(QFrame::Panel | QFrame::Raised);
    MicOrProcRadioGroup = RadioGroup(PanelButtons, QStringLiteral(" Set Microphone Equalizer with ... "),
                                     {QStringLiteral("Speech Processor o&ff"), QStringLiteral("Speech Processor &on")},
                                     MicOrProcButtons, QRect(23, 8, 190, 69));
    connect(MicOrProcButtons, &QButtonGroup::idClicked, this, [this] { MicOrProcClick(); });
    PlotRadioGroup = RadioGroup(PanelButtons, QStringLiteral(" Plot ... "), {QStringLiteral("Lines"), QStringLiteral("Bars")},
                                PlotButtons, QRect(238, 8, 131, 69));
    connect(PlotButtons, &QButtonGroup::idClicked, this, [this] { PlotRadioGroupClick(); });
    RestoreButton = new QPushButton(QStringLiteral("&Restore old menu settings"), PanelButtons);
    RestoreButton->setGeometry(400, 47, 162, 25); // wide enough for its caption in the dialog font
    RestoreButton->setEnabled(false);
    connect(RestoreButton, &QPushButton::clicked, this, [this] { RestoreButtonClick(); });
    CloseButton = new QPushButton(QStringLiteral("&Close"), PanelButtons);
    CloseButton->setGeometry(568, 47, 73, 25);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    CloseButton->setDefault(true);
    CloseButton->setFocus();
}

void TTXAudioSettingsForm::showEvent(QShowEvent* event)
{
    TDPIForm::showEvent(event);
    if (!FInitalized)
        FirstShow();
}

void TTXAudioSettingsForm::FirstShow()
{
    EqualizerPanel->UpdatePlot();
    if (FCAT) {
        FCAT->OnMenuSettings = [this](int32_t no, const QString& parameter) { EqualizerSettingsReceived(no, parameter); };
        FHooked = true;
    }
    RequestEqualizerSettings();
    FInitalized = true;
}

void TTXAudioSettingsForm::Unhook()
{
    if (FHooked && FCAT)
        FCAT->OnMenuSettings = nullptr;
    FHooked = false;
}

void TTXAudioSettingsForm::done(int result)
{
    Unhook();
    TDPIForm::done(result);
}

void TTXAudioSettingsForm::RequestEqualizerSettings()
{
    if (FCAT)
        FCAT->MicrophoneEqualizer()->RequestMenuSettings();
}

void TTXAudioSettingsForm::EqualizerSettingsReceived(int MenuNo, const QString& MenuParameter)
{
    if (!FCAT)
        return;
    const TMicEQ item = FCAT->MicrophoneEqualizer()->GetMicEQType(MenuNo);
    if (item == meqNone)
        return;
    if (item == meqTXBandwidth) {
        if (!IsSmallNumber(MenuParameter) || MenuParameter.toInt() >= int(TXBandwidths.size()))
            return;
        FTXBW = uint8_t(MenuParameter.toInt());
        // The shaded band keeps its edges until a bandwidth button is clicked.
        ShowTXBandwidth();
        return;
    }
    // Gains carry a sign; frequencies and bandwidths are plain digits.
    std::optional<int32_t> v;
    if (TEqualizer::ItemParameter(item) == 1)
        v = DecimalTextToInt(MenuParameter);
    else if (IsSmallNumber(MenuParameter))
        v = MenuParameter.toInt();
    if (!v)
        return;
    EqualizerPanel->Equalizer()->SetValue(item, *v);
    // Restore writes back what the radio had when the dialog opened, not a later report.
    if (!FReceived[item]) {
        FRestore[item] = *v;
        FReceived[item] = true;
        UpdateRestoreButton();
    }
}

void TTXAudioSettingsForm::ShowTXBandwidth()
{
    if (FTXBW < BWButtons.size())
        BWButtons[FTXBW]->SetDown(true);
}

void TTXAudioSettingsForm::BWButtonClick(int Tag)
{
    if (Tag < 0 || Tag >= int(TXBandwidths.size()))
        return;
    FTXBW = uint8_t(Tag);
    PlotPanel->SetBandwidthLow(TXBandwidths[Tag].Low);
    PlotPanel->SetBandwidthHigh(TXBandwidths[Tag].High);
    if (FCAT)
        FCAT->MicrophoneEqualizer()->SaveBandwidthToMenu(Tag);
    EqualizerPanel->UpdatePlot();
}

void TTXAudioSettingsForm::MicOrProcClick()
{
    EqualizerPanel->Equalizer()->SetSpeechProcessor(uint8_t(qMax(0, MicOrProcButtons->checkedId())));
}

void TTXAudioSettingsForm::PlotRadioGroupClick()
{
    PlotPanel->SetPlotMode(PlotButtons->checkedId() == 1 ? pmBar : pmLine);
    EqualizerPanel->UpdatePlot();
}

void TTXAudioSettingsForm::UpdateRestoreButton()
{
    // Restore writes all 18 values: it waits until the radio has reported every one of them,
    // so it never replaces the radio's equalizer with values it never had.
    const bool all = std::all_of(FReceived.begin(), FReceived.end(), [](bool b) { return b; });
    RestoreButton->setEnabled(FEdited && all);
}

void TTXAudioSettingsForm::RestoreButtonClick()
{
    if (!std::all_of(FReceived.begin(), FReceived.end(), [](bool b) { return b; }))
        return;
    EqualizerPanel->SetPlotUpdate(false);
    for (int i = meqMicLowF; i <= meqProcHighQ; ++i)
        EqualizerPanel->Equalizer()->SetValue(TMicEQ(i), FRestore[i]);
    EqualizerPanel->SetPlotUpdate(true);
    EqualizerPanel->SaveAll();
    EqualizerPanel->UpdatePlot();
}

void TTXAudioSettingsForm::EqualizerPanelChanged()
{
    FEdited = true;
    UpdateRestoreButton();
}

void ShowTXAudioSettings(TFTCATInterface* cat, QWidget* owner)
{
    TTXAudioSettingsForm form(cat, owner);
    form.exec();
}
