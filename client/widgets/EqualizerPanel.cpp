#include "client/widgets/EqualizerPanel.h"

#include "client/widgets/PlotPanel.h"
#include "controls/widgets/DPIForm.h"
#include "core/cat/FTCATInterface.h"
#include "core/cat/MicrophoneEqualizer.h"
#include "panel/PanelColors.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QSpinBox>

namespace {

const char* const LowFrequencies[] = {"- off -", "100", "200", "300", "400", "500", "600", "700"};
const char* const MidFrequencies[] = {"- off -", "700", "800", "900", "1000", "1100", "1200", "1300", "1400", "1500"};
const char* const HighFrequencies[] = {"- off -", "1500", "1600", "1700", "1800", "1900", "2000", "2100", "2200", "2300",
                                       "2400", "2500", "2600", "2700", "2800", "2900", "3000", "3100", "3200"};

const QColor Silver(0xC0, 0xC0, 0xC0);

// Black fields with silver text, as on the radio's own display.
void DarkField(QWidget* w)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, Silver);
    pal.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
    pal.setColor(QPalette::ButtonText, Silver);
    pal.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    pal.setColor(QPalette::WindowText, Silver);
    pal.setColor(QPalette::Highlight, QColor(0x40, 0x40, 0x40));
    pal.setColor(QPalette::HighlightedText, Qt::white);
    w->setPalette(pal);
    w->setFont(TDPIForm::FormFont());
}

} // namespace

TEqualizerPanel::TEqualizerPanel(QWidget* parent)
    : QWidget(parent)
    , FEqualizer(std::make_unique<TEqualizer>())
{
    setFixedSize(PanelWidth, PanelHeight);
    setFont(TDPIForm::FormFont());

    const int left[3] = {22, 240, 454};
    const char* const titles[3] = {"Low Range", "Mid Range", "High Range"};
    QFrame** shapes[3] = {&ShapeLow, &ShapeMid, &ShapeHigh};
    QLabel** labels[3] = {&LabelLow, &LabelMid, &LabelHigh};
    QComboBox** boxes[3] = {&FLowBox, &FMidBox, &FHighBox};
    QSpinBox** gains[3] = {&GLowBar, &GMidBar, &GHighBar};
    QSpinBox** qs[3] = {&QLowBar, &QMidBar, &QHighBar};
    QWidget* previous = nullptr;
    for (int b = 0; b < 3; ++b) {
        const QColor colour = BGRColor(BandColor[b]);
        QFrame* shape = new QFrame(this);
        shape->setGeometry(left[b], 27, 192, 3);
        shape->setAutoFillBackground(true);
        QPalette sp = shape->palette();
        sp.setColor(QPalette::Window, colour);
        shape->setPalette(sp);
        *shapes[b] = shape;

        QLabel* title = new QLabel(QString::fromLatin1(titles[b]), this);
        title->setGeometry(left[b] + 51, 8, 92, 13);
        title->setAlignment(Qt::AlignCenter);
        QFont bold = TDPIForm::FormFont();
        bold.setBold(true);
        title->setFont(bold);
        QPalette tp = title->palette();
        tp.setColor(QPalette::WindowText, colour);
        title->setPalette(tp);
        *labels[b] = title;

        QComboBox* box = new QComboBox(this);
        box->setGeometry(left[b], 52, 68, 21);
        DarkField(box);
        const auto fill = [box](const auto& items) {
            for (const char* item : items)
                box->addItem(QString::fromLatin1(item));
        };
        if (b == 0)
            fill(LowFrequencies);
        else if (b == 1)
            fill(MidFrequencies);
        else
            fill(HighFrequencies);
        box->setCurrentIndex(0);
        const int frequencyTag = b * 3 + 1;
        connect(box, &QComboBox::activated, this, [this, frequencyTag] { FrequencyBoxClick(frequencyTag); });
        *boxes[b] = box;

        QSpinBox* gain = new QSpinBox(this);
        gain->setGeometry(left[b] + 72, 52, 56, 21);
        gain->setRange(-20, 10);
        gain->setValue(5);
        QSpinBox* q = new QSpinBox(this);
        q->setGeometry(left[b] + 134, 52, 56, 21);
        q->setRange(1, 10);
        q->setValue(10);
        for (QSpinBox* spin : {gain, q}) {
            DarkField(spin);
            spin->setAlignment(Qt::AlignCenter);
            // A typed value counts once it is confirmed, not at every keystroke.
            spin->setKeyboardTracking(false);
        }
        const int gainTag = b * 3 + 2;
        const int qTag = b * 3 + 3;
        connect(gain, &QSpinBox::valueChanged, this, [this, gainTag] {
            if (!FLoading)
                UpDownClick(gainTag);
        });
        connect(q, &QSpinBox::valueChanged, this, [this, qTag] {
            if (!FLoading)
                UpDownClick(qTag);
        });
        *gains[b] = gain;
        *qs[b] = q;

        const struct {
            const char* text;
            int x;
        } captions[] = {{"Frequency", left[b] + 2}, {"Gain", left[b] + 74}, {"Bandwidth", left[b] + 136}};
        for (const auto& c : captions) {
            QLabel* l = new QLabel(QString::fromLatin1(c.text), this);
            l->move(c.x, 35);
            l->adjustSize();
        }

        for (QWidget* w : {static_cast<QWidget*>(box), static_cast<QWidget*>(gain), static_cast<QWidget*>(q)}) {
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }
    }

    FEqualizer->OnChange = [this](TMicEQ item) { ShowItem(item); };
    FEqualizer->OnSpeechProcessor = [this] {
        LoadControls();
        UpdatePlot();
    };
}

TEqualizerPanel::~TEqualizerPanel()
{
    FEqualizer->OnChange = nullptr;
    FEqualizer->OnSpeechProcessor = nullptr;
}

QComboBox* TEqualizerPanel::FrequencyBox(TEqualizerBand band) const
{
    return band == ebLow ? FLowBox : band == ebMid ? FMidBox : FHighBox;
}

QSpinBox* TEqualizerPanel::GainBar(TEqualizerBand band) const
{
    return band == ebLow ? GLowBar : band == ebMid ? GMidBar : GHighBar;
}

QSpinBox* TEqualizerPanel::QBar(TEqualizerBand band) const
{
    return band == ebLow ? QLowBar : band == ebMid ? QMidBar : QHighBar;
}

QWidget* TEqualizerPanel::ControlOfTag(int tag) const
{
    const TEqualizerBand band = TEqualizerBand((tag - 1) / 3);
    switch ((tag - 1) % 3) {
    case 0: return FrequencyBox(band);
    case 1: return GainBar(band);
    default: return QBar(band);
    }
}

void TEqualizerPanel::SetFTCATInterface(TFTCATInterface* value)
{
    FFTCATInterface = value;
    if (!value)
        return;
    const int floor = value->Transceiver() == FT950 || value->Transceiver() == FTDX5000 ? -10 : -20;
    FLoading = true;
    for (QSpinBox* gain : {GLowBar, GMidBar, GHighBar})
        gain->setMinimum(floor);
    FLoading = false;
}

void TEqualizerPanel::SetPlotPanel(TPlotPanel* value)
{
    FPlotPanel = value;
}

void TEqualizerPanel::ShowItem(TMicEQ item)
{
    if (TEqualizer::ItemSet(item) != FEqualizer->SpeechProcessor())
        return;
    const TEqualizerBand band = TEqualizer::ItemBand(item);
    const int value = FEqualizer->Value(item);
    FLoading = true;
    switch (TEqualizer::ItemParameter(item)) {
    case 0: FrequencyBox(band)->setCurrentIndex(value); break;
    case 1: GainBar(band)->setValue(value); break;
    default: QBar(band)->setValue(value); break;
    }
    FLoading = false;
    UpdatePlot();
}

void TEqualizerPanel::LoadControls()
{
    const int set = FEqualizer->SpeechProcessor();
    FLoading = true;
    for (int b = 0; b < 3; ++b) {
        const TEqualizerBand band = TEqualizerBand(b);
        FrequencyBox(band)->setCurrentIndex(FEqualizer->Value(TEqualizer::Item(set, band, 0)));
        GainBar(band)->setValue(FEqualizer->Value(TEqualizer::Item(set, band, 1)));
        QBar(band)->setValue(FEqualizer->Value(TEqualizer::Item(set, band, 2)));
    }
    FLoading = false;
}

void TEqualizerPanel::FrequencyBoxClick(int Tag)
{
    if (Tag < 1 || Tag > 9)
        return;
    const auto* box = static_cast<QComboBox*>(ControlOfTag(Tag));
    UserEdit(Tag, box->currentIndex(), ControlOfTag(Tag));
}

void TEqualizerPanel::UpDownClick(int Tag)
{
    if (Tag < 1 || Tag > 9)
        return;
    const auto* spin = static_cast<QSpinBox*>(ControlOfTag(Tag));
    UserEdit(Tag, spin->value(), ControlOfTag(Tag));
}

void TEqualizerPanel::UserEdit(int tag, int value, QObject* sender)
{
    const TMicEQ item = TEqualizer::Item(FEqualizer->SpeechProcessor(), TEqualizerBand((tag - 1) / 3), (tag - 1) % 3);
    const bool changed = FEqualizer->Value(item) != value;
    FEqualizer->SetValue(item, value);
    if (!changed)
        UpdatePlot(); // the control moved although the model already held its value
    if (FFTCATInterface)
        FFTCATInterface->MicrophoneEqualizer()->SaveToMenu(item, value);
    if (OnChanged)
        OnChanged(sender);
}

int TEqualizerPanel::BandFrequency(const QComboBox* list)
{
    if (!list || list->currentIndex() < 1)
        return 0;
    return list->currentText().toInt();
}

void TEqualizerPanel::ComputeCoefficients()
{
    for (int b = 0; b < 3; ++b) {
        const TEqualizerBand band = TEqualizerBand(b);
        FCoefficients[b] = PeakingFilter(BandFrequency(FrequencyBox(band)), QBar(band)->value(), GainBar(band)->value());
    }
}

double TEqualizerPanel::BandResponse(double f, TEqualizerBand band) const
{
    return PeakingResponse(FCoefficients[band], f);
}

void TEqualizerPanel::UpdatePlot()
{
    TPlotPanel* plot = FPlotPanel;
    if (!plot || !FPlotUpdate)
        return;
    FCoordMapping.SetXScalingType(stLogarithmic);
    FCoordMapping.SetScreenRect({0, 0, plot->width() - plot->Margin(), plot->height() - plot->Margin()});
    FCoordMapping.SetXValueMin(plot->XMin());
    FCoordMapping.SetXValueMax(plot->XMax());
    bool active[3];
    int n = 0;
    for (int b = 0; b < 3; ++b) {
        active[b] = BandFrequency(FrequencyBox(TEqualizerBand(b))) > 0;
        n += active[b] ? 1 : 0;
    }
    ComputeCoefficients();
    plot->Freeze(true);
    plot->ClearData();
    QPen pen = plot->PlotPen();
    pen.setColor(BGRColor(0x0000FF));
    plot->SetPlotPen(pen);
    const bool lines = plot->PlotMode() == pmLine;
    const QColor sum = BGRColor(SumColor);
    for (int x = 0; x <= 2000; ++x) {
        const double f = FCoordMapping.ScreenXToValueX(x);
        double total = 0;
        for (int b = 0; b < 3; ++b) {
            if (!active[b] || f < plot->XMin() || f > plot->XMax())
                continue;
            const double r = BandResponse(f, TEqualizerBand(b));
            total += r;
            plot->AddXY(f, r, lines ? BGRColor(BandColor[b]) : sum, b);
        }
        if (n == 0)
            plot->AddXY(f, 0, sum, 3);
        else if (lines && n > 1)
            plot->AddXY(f, total + 0.3, sum, 3); // just above the true sum, so it stays visible
    }
    plot->Freeze(false);
}

void TEqualizerPanel::SaveAll()
{
    if (!FFTCATInterface)
        return;
    for (int i = meqMicLowF; i <= meqProcHighQ; ++i)
        FFTCATInterface->MicrophoneEqualizer()->SaveToMenu(TMicEQ(i), FEqualizer->Value(TMicEQ(i)));
}
