#include "panel/widgets/TuningPanel3.h"

#include "dx/DXSpots.h"
#include "panel/TuningLogic.h"

#include <QApplication>
#include <QPainter>

namespace {

TSplitButton* MakeButton(QWidget* parent, QRect geometry, const QString& caption, const QString& hint, bool blur)
{
    auto* b = new TSplitButton(parent);
    b->setGeometry(geometry);
    b->SetCaption(caption);
    b->setToolTip(hint);
    b->SetBlur(blur);
    return b;
}

TBandmapLabel* MakeLabel(QWidget* parent, QRect geometry, TAlignment alignment, const QString& caption)
{
    auto* l = new TBandmapLabel(parent);
    l->setGeometry(geometry);
    l->SetAlignment(alignment);
    l->SetCaption(caption);
    return l;
}

TArrowButton* MakeArrow(QWidget* parent, QPoint at, int tag, const QString& hint, TArrowType type)
{
    auto* a = new TArrowButton(parent);
    a->move(at);
    a->SetTag(tag);
    a->setToolTip(hint);
    a->SetArrowType(type);
    return a;
}

} // namespace

TTuningPanel3::TTuningPanel3(QWidget* parent) : QWidget(parent)
{
    resize(400, StripHeight);
    setMinimumSize(MinStripWidth, StripHeight);
    setMaximumHeight(StripHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);

    VFOButton = MakeButton(this, QRect(4, 0, 43, 19), QStringLiteral("VFO B"), QStringLiteral("Tune VFO B"), false);
    VFOButton->OnClick = [this] { VFOButtonClick(); };
    SplitButton = MakeButton(this, QRect(100, 0, 43, 19), QStringLiteral("SPLIT"), QStringLiteral("Toggle Split"), false);
    SplitButton->OnClick = [this] {
        Fire(OnSplit);
        SetIsFocused(true);
    };
    // The frame of the QSX field: down, transparent, no click.
    QSXButton = MakeButton(this, QRect(SplitButton->x() + SplitButton->width() + 4, 0, 82, 19), QString(), QString(), false);
    QSXButton->SetDown(true);
    QSXButton->SetTransparent(true);
    QSXLabel1 = MakeLabel(this, QRect(QSXButton->x() + 4, 2, 26, 16), taLeftJustify, QStringLiteral("QSX"));
    QSXLabel2 = MakeLabel(this, QRect(QSXButton->x() + QSXButton->width() - 50, 2, 46, 16), taRightJustify,
                          QStringLiteral("0.00"));
    BandWidthLabel = MakeLabel(this, QRect(278, 3, 46, 16), taRightJustify, QStringLiteral("3 kHz"));
    BandWidthLabel->SetFont(bandmap::TahomaFont(8));
    BandWidthLabel->SetFontColor(bandmap::clDim);
    BandwidthDownButton = MakeArrow(this, QPoint(329, 3), -1, QStringLiteral("Decrease display bandwidth"), atDown);
    BandwidthDownButton->OnClick = [this] {
        ChangeBandwidth(-1);
        SetIsFocused(true);
    };
    BandwidthUpButton = MakeArrow(this, QPoint(344, 3), 1, QStringLiteral("Increase display bandwidth"), atUp);
    BandwidthUpButton->OnClick = [this] {
        ChangeBandwidth(1);
        SetIsFocused(true);
    };

    Slider = new TTuningPanelSlider(this);
    Slider->move(0, 26);
    Slider->OnFrequencyChange = [this](TVFO vfo, int32_t frequency) {
        FFrequencyB = Slider->FrequencyB();
        ShowQSX();
        Fire(OnFrequencyChange, vfo, frequency);
    };
    Slider->OnFrequencyRequest = [this] { Fire(OnFrequencyRequest); };
    Slider->OnSliderClick = [this] { Fire(OnSliderClick); };
    Clarifier = new TTuningPanelClarifier(this);
    Clarifier->move(0, 26);
    Clarifier->hide();
    Clarifier->OnClarifierChange = [this](int32_t d) { Fire(OnClarifierChange, d); };
    Clarifier->OnSliderClick = [this] { Fire(OnSliderClick); };

    struct SplitRow {
        TSplitButton* TTuningPanel3::*Field;
        int Left;
        int Width;
        const char* Caption;
        const char* Hint;
        int Tag;
    };
    static const SplitRow rows[] = {
        {&TTuningPanel3::SplitDown, 4, 37, "down", "down 1kHz", -1000},
        {&TTuningPanel3::SplitDown10, 43, 23, "10", "down 10", -10},
        {&TTuningPanel3::SplitDown5, 68, 23, "5", "down 5", -5},
        {&TTuningPanel3::SplitDown3, 93, 23, "3", "down 3", -3},
        {&TTuningPanel3::SplitDown2, 118, 23, "2", "down 2", -2},
        {&TTuningPanel3::SplitDown1, 143, 23, "1", "down 1", -1},
        {&TTuningPanel3::SplitTransceive, 168, 23, "0", "transceive", 0},
        {&TTuningPanel3::SplitUp1, 193, 23, "1", "up 1", 1},
        {&TTuningPanel3::SplitUp2, 218, 23, "2", "up 2", 2},
        {&TTuningPanel3::SplitUp3, 243, 23, "3", "up 3", 3},
        {&TTuningPanel3::SplitUp5, 268, 23, "5", "up 5", 5},
        {&TTuningPanel3::SplitUp10, 293, 23, "10", "up 10", 10},
        {&TTuningPanel3::SplitUp, 318, 37, "up", "up 1kHz", 1000},
    };
    for (const SplitRow& r : rows) {
        TSplitButton* b = MakeButton(this, QRect(r.Left, 77, r.Width, 18), QString::fromLatin1(r.Caption),
                                     QString::fromLatin1(r.Hint), true);
        b->SetTag(r.Tag);
        b->OnClick = [this, b] {
            Fire(OnSplitClick, b->Tag());
            SetIsFocused(true);
        };
        this->*r.Field = b;
    }

    FFocusConnection = connect(qApp, &QApplication::focusChanged, this,
                               [this](QWidget* old, QWidget* now) { FocusChanged(old, now); });
}

TTuningPanel3::~TTuningPanel3()
{
    // Children going away move the focus; this half-destroyed strip must not hear of it.
    disconnect(FFocusConnection);
}

void TTuningPanel3::FocusChanged(QWidget* old, QWidget* now)
{
    const bool wasInside = old && (old == this || isAncestorOf(old));
    const bool isInside = now && (now == this || isAncestorOf(now));
    if (isInside && !wasInside)
        SetIsFocused(true);
    else if (wasInside && !isInside)
        SetIsFocused(false);
}

void TTuningPanel3::SetBandB(TBand value)
{
    if (value == FBandB)
        return;
    FBandB = value;
    ApplyBandSegment();
}

void TTuningPanel3::SetDXSpots(TDXSpots* value)
{
    FDXSpots = value;
    ApplyBandSegment();
}

void TTuningPanel3::ApplyBandSegment()
{
    // The band plan has nothing for "all bands": the ruler keeps what it shows.
    if (FDXSpots && FBandB != bdAll)
        Slider->SetBandSegment(FDXSpots->DXBandplan().GetBandSegment(FBandB));
}

void TTuningPanel3::SetClarifierOffset(int32_t value)
{
    if (value == FClarifierOffset)
        return;
    FClarifierOffset = value;
    Clarifier->SetClarifierOffset(value);
}

void TTuningPanel3::SetFrequencyA(int32_t value)
{
    if (value == FFrequencyA)
        return;
    FFrequencyA = value;
    ShowQSX();
    Slider->SetFrequencyA(value);
}

void TTuningPanel3::SetFrequencyB(int32_t value)
{
    if (value == FFrequencyB)
        return;
    FFrequencyB = value;
    ShowQSX();
    Slider->SetFrequencyB(value);
}

void TTuningPanel3::ShowQSX()
{
    QSXLabel2->SetCaption(tuning::QSXText(FFrequencyA, FFrequencyB));
}

void TTuningPanel3::SetIsFocused(bool value)
{
    if (value == FIsFocused)
        return;
    FIsFocused = value;
    VFOButton->SetDown(value);
    BandWidthLabel->SetFontColor(value ? bandmap::clBright : bandmap::clDim);
    BandwidthDownButton->SetIsFocused(value);
    BandwidthUpButton->SetIsFocused(value);
    if (value) {
        if (FTuningControl == tcClarifier)
            Clarifier->setFocus(Qt::OtherFocusReason);
        else
            Slider->setFocus(Qt::OtherFocusReason);
    }
}

void TTuningPanel3::SetSplit(bool value)
{
    if (value == FSplit)
        return;
    FSplit = value;
    SplitButton->SetDown(value);
    Slider->SetSplit(value);
}

void TTuningPanel3::SetTuningControl(TTuningControlType value)
{
    if (value == FTuningControl)
        return;
    FTuningControl = value;
    switch (value) {
    case tcVFOA:
    case tcVFOB: {
        const bool a = value == tcVFOA;
        VFOButton->SetCaption(a ? QStringLiteral("VFO A") : QStringLiteral("VFO B"));
        VFOButton->setToolTip(a ? QStringLiteral("Tune VFO A") : QStringLiteral("Tune VFO B"));
        Clarifier->hide();
        Slider->show();
        Slider->SetVFO(a ? vfoA : vfoB);
        break;
    }
    case tcClarifier:
        VFOButton->SetCaption(QStringLiteral("CLAR"));
        VFOButton->setToolTip(QStringLiteral("Tune Clarifier"));
        Clarifier->show();
        Slider->hide();
        break;
    }
}

void TTuningPanel3::VFOButtonClick()
{
    // The clarifier is reached only through the property; a click leaves it for VFO A.
    SetTuningControl(FTuningControl == tcVFOA ? tcVFOB : tcVFOA);
    SetIsFocused(true);
}

void TTuningPanel3::BandwidthUp()
{
    ChangeBandwidth(1);
}

void TTuningPanel3::BandwidthDown()
{
    ChangeBandwidth(-1);
}

void TTuningPanel3::ChangeBandwidth(int step)
{
    if (step > 0 && FResolutionIndex < tuning::ResolutionIndexMax)
        ++FResolutionIndex;
    else if (step < 0 && FResolutionIndex > tuning::ResolutionIndexMin)
        --FResolutionIndex;
    const int resolution = tuning::ResolutionAt(FResolutionIndex);
    Slider->SetResolution(resolution);
    // Re-place the ruler on VFO B at the new scale: a write that differs, then the value.
    Slider->SetFrequencyB(FFrequencyB < INT32_MAX ? FFrequencyB + 1 : FFrequencyB - 1);
    Slider->SetFrequencyB(FFrequencyB);
    FBandwidth = resolution * (width() - tuning::ScaleMargin);
    BandWidthLabel->SetCaption(tuning::BandwidthText(FBandwidth));
}

void TTuningPanel3::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Slider->resize(width(), Slider->height());
    Clarifier->resize(width(), Clarifier->height());
}

void TTuningPanel3::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
}
