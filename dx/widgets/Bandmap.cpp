#include "dx/widgets/Bandmap.h"

#include "core/cat/FTCATInterface.h"
#include "core/cat/GUISettings.h"
#include "dx/DXSpots.h"
#include "dx/widgets/BandmapPaint.h"
#include "platform/Clock.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <limits>

bool TBandmap::FUserIsTuning = false;

namespace {

int32_t ClampFrequency(int64_t f)
{
    return int32_t(std::clamp<int64_t>(f, TBandmap::MinFrequency, TBandmap::MaxFrequency));
}

int ClampToInt(int64_t v)
{
    return int(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Into [lo, hi] without assuming lo <= hi (a band map only a few pixels high has none).
int Bound(int v, int lo, int hi)
{
    return std::max(lo, std::min(v, hi));
}

} // namespace

TBandmap::TBandmap(QWidget* parent)
    : QWidget(parent)
{
    resize(400, 800);
    setFocusPolicy(Qt::StrongFocus);
    // The image covers every pixel: nothing is erased before a paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    FFont = bandmapdraw::Font();
    FUserIsTuning = false;
    FSpotDataList.reserve(300);
    FLast20SpotsDataList.reserve(LastSpotsCount);

    auto label = [this](int width, TAlignment alignment, const QString& caption, const QString& hint) {
        auto* l = new TBandmapLabel(this);
        l->resize(width, 16);
        l->SetAlignment(alignment);
        l->SetFont(FFont);
        l->SetCaption(caption);
        l->setToolTip(hint);
        return l;
    };
    FrequencyLabel = label(60, taRightJustify, QString(), QString());
    VFOLabel = label(49, taLeftJustify, QStringLiteral("[ VFO A ]"), QStringLiteral("Tune VFO A or B"));
    SplitLabel = label(46, taLeftJustify, QStringLiteral("[ SPLIT ]"), QString());
    LockLabel = label(45, taLeftJustify, QStringLiteral("[ LOCK ]"), QString());
    AToBLabel = label(45, taLeftJustify, QStringLiteral("[ A > B ]"), QStringLiteral("VFO A to B"));
    BToALabel = label(45, taLeftJustify, QStringLiteral("[ A < B ]"), QStringLiteral("VFO B to A"));
    BandwidthLabel = label(72, taRightJustify, QString(), QString());

    VFOLabel->OnClick = [this] {
        SetVFO(FVFO == vfoA ? vfoB : vfoA);
        SetIsFocused(true);
    };
    SplitLabel->OnClick = [this] {
        if (!FFTCATInterface)
            return;
        FFTCATInterface->PrepareTX();
        FFTCATInterface->SetFunctionTX(FFTCATInterface->FunctionTX() == vfoA ? vfoB : vfoA);
    };
    LockLabel->OnClick = [this] {
        if (!FFTCATInterface || FVFO != vfoA)
            return;
        FFTCATInterface->PrepareTX();
        FFTCATInterface->SetLockA(!FFTCATInterface->LockA());
    };
    AToBLabel->OnClick = [this] {
        if (!FFTCATInterface)
            return;
        FFTCATInterface->PrepareTX();
        FFTCATInterface->FrequencyAToB();
    };
    BToALabel->OnClick = [this] {
        if (!FFTCATInterface)
            return;
        FFTCATInterface->PrepareTX();
        FFTCATInterface->FrequencyBToA();
    };

    BandwidthDownButton = new TArrowButton(this);
    BandwidthDownButton->SetTag(-1);
    BandwidthDownButton->setToolTip(QStringLiteral("Decrease display bandwidth"));
    BandwidthDownButton->SetArrowType(atDown);
    BandwidthDownButton->OnClick = [this] {
        ChangeResolution(false);
        SetIsFocused(true);
    };
    BandwidthUpButton = new TArrowButton(this);
    BandwidthUpButton->SetTag(1);
    BandwidthUpButton->setToolTip(QStringLiteral("Increase display bandwidth"));
    BandwidthUpButton->OnClick = [this] {
        ChangeResolution(true);
        SetIsFocused(true);
    };

    BandmapScope = new TBandmapScope(this);
    BandmapScope->hide();

    MouseDownTimer = new vx::Timer(MouseDownInterval, false, this);
    MouseDownTimer->OnTimer = [this] { MouseDownTick(); };
    UserIsTuningTimer = new vx::Timer(UserIsTuningInterval, false, this);
    UserIsTuningTimer->OnTimer = [this] { UserIsTuningTick(); };
    RefreshTimer = new vx::Timer(100, false, this);
    RefreshTimer->OnTimer = [this] { RefreshChanged(); };
    FSpotPaintTimer = new vx::Timer(SpotPaintInterval, false, this);
    FSpotPaintTimer->setSingleShot(true);
    FSpotPaintTimer->OnTimer = [this] { PaintSpotsNow(); };

    FResolution = Resolutions[size_t(FResolutionIndex)];
    FStepHzPerY = FResolution / 10;
    FPositionY = ScaleBottom();
    LayoutChildren();
    UpdateLabelColors();
    FullPaint();
}

TBandmap::~TBandmap()
{
    // The engines outlive the view: their hooks must not reach it any more.
    if (FDXSpots) {
        FDXSpots->OnBandmapChange = nullptr;
        FDXSpots->OnBandmapRefreshTime = nullptr;
    }
    if (FFTCATInterface)
        FFTCATInterface->OnBandmapVFO = nullptr;
}

// ---- Properties --------------------------------------------------------------------------

void TBandmap::SetDXSpots(TDXSpots* value)
{
    if (FDXSpots && FDXSpots != value) {
        FDXSpots->OnBandmapChange = nullptr;
        FDXSpots->OnBandmapRefreshTime = nullptr;
    }
    FDXSpots = value;
    if (!value)
        return;
    FBandSegment = value->DXBandplan().GetBandSegment(FBandA);
    value->OnBandmapChange = [this] { Changed(); };
    value->OnBandmapRefreshTime = [this](uint16_t time) { SetRefreshTime(time); };
    SetRefreshTime(value->BandmapRefreshTime());
    // Spots the engine already holds are shown at once, not at its next change.
    Changed();
}

void TBandmap::SetFTCATInterface(TFTCATInterface* value)
{
    if (value == FFTCATInterface)
        return;
    if (FFTCATInterface)
        FFTCATInterface->OnBandmapVFO = nullptr;
    FFTCATInterface = value;
    if (!value)
        return;
    value->OnBandmapVFO = [this](TVFO vfo) {
        FVFO = vfo;
        VFOLabel->SetCaption(vfo == vfoA ? QStringLiteral("[ VFO A ]") : QStringLiteral("[ VFO B ]"));
    };
}

void TBandmap::SetBandA(TBand value)
{
    if (value == bdAll || value > bd70c)
        return;
    FBandA = value;
    if (FDXSpots)
        FBandSegment = FDXSpots->DXBandplan().GetBandSegment(value);
    BandmapScope->Clear();
    FullPaint();
}

void TBandmap::SetBandB(TBand value)
{
    if (value == bdAll || value > bd70c)
        return;
    FBandB = value;
    BandmapScope->Clear();
    FullPaint();
}

void TBandmap::SetFrequencyA(int32_t value)
{
    SetFrequency(vfoA, value, false);
}

void TBandmap::SetFrequencyB(int32_t value)
{
    SetFrequency(vfoB, value, false);
}

void TBandmap::SetSplit(bool value)
{
    if (value == FSplit)
        return;
    FSplit = value;
    UpdateLabelColors();
    MarkChanged(1);
    RefreshChanged();
}

void TBandmap::SetLock(bool value)
{
    if (value == FLock)
        return;
    FLock = value;
    UpdateLabelColors();
}

void TBandmap::Changed()
{
    // A flood of spots would repaint the spot area for every block of lines: at most one
    // paint per interval, the last change painted when the interval is up.
    const qint64 now = vx::Clock::monotonicMs();
    if (!FSpotsPainted || now - FLastSpotPaintMs >= SpotPaintInterval) {
        PaintSpotsNow();
        return;
    }
    if (!FSpotPaintTimer->enabled()) {
        FSpotPaintTimer->setInterval(int(SpotPaintInterval - (now - FLastSpotPaintMs)));
        FSpotPaintTimer->start();
    }
}

// ---- Geometry ------------------------------------------------------------------------------

int TBandmap::FrequencyToY(int64_t frequency) const
{
    return ClampToInt(int64_t(H()) - (frequency - FBaseFrequency) * 10 / FResolution - ScaleBottomMargin);
}

int32_t TBandmap::YToFrequency(int y) const
{
    const int64_t f = (int64_t(H()) - y - ScaleBottomMargin) * FStepHzPerY + FBaseFrequency;
    return int32_t(std::clamp<int64_t>(f, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t TBandmap::SnapToStep(int32_t frequency) const
{
    const int64_t step = FStepHzPerY;
    int64_t q = frequency / step;
    int64_t r = frequency % step;
    if (r < 0) {
        r += step;
        --q;
    }
    if (2 * r >= step)
        ++q;
    return int32_t(std::clamp<int64_t>(q * step, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// ---- Tuning ----------------------------------------------------------------------------------

void TBandmap::SetFrequency(TVFO vfo, int32_t value, bool force)
{
    value = ClampFrequency(value);
    if (!force && value == FFrequency[vfo])
        return;
    MarkChanged(1);
    if (vfo != FVFO) {
        FFrequency[vfo] = value;
    } else if (FUserIsTuning) {
        // The operator's own tuning wins until the gesture ends.
        return;
    } else {
        FFrequency[vfo] = value;
        const int y = FrequencyToY(value);
        if (y >= ScaleTop && y <= ScaleBottom()) {
            FPositionY = y;
        } else {
            FBaseFrequency = int32_t(std::clamp<int64_t>(
                value - (int64_t(H()) - FPositionY - ScaleBottomMargin) * FResolution / 10,
                std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
            KeepInRange(false);
            MarkChanged(2);
        }
    }
    if (!RefreshTimer->enabled())
        RefreshChanged();
}

void TBandmap::KeepInRange(bool tunedClamped)
{
    int64_t base = FBaseFrequency;
    if (tunedClamped)
        base = int64_t(TunedFrequency()) - (int64_t(H()) - FPositionY - ScaleBottomMargin) * FStepHzPerY;
    if (base < MinFrequency || base > MaxFrequency) {
        base = std::clamp<int64_t>(base, MinFrequency, MaxFrequency);
        FBaseFrequency = int32_t(base);
        FPositionY = Bound(FrequencyToY(TunedFrequency()), ScaleTop, ScaleBottom());
        return;
    }
    FBaseFrequency = int32_t(base);
}

void TBandmap::TuneToY(int y)
{
    if (y == FPositionY)
        return;
    const int64_t step = FStepHzPerY;
    const int64_t delta = (int64_t(FPositionY) - y) * step;
    const int32_t oldBase = FBaseFrequency;
    int64_t base = FBaseFrequency;
    if (y < ScaleTop) {
        FPositionY = ScaleTop;
        base += (int64_t(ScaleTop) - y) * step;
    } else if (y > ScaleBottom()) {
        FPositionY = ScaleBottom();
        base += (int64_t(ScaleBottom()) - y) * step;
    } else {
        FPositionY = y;
    }
    int64_t f = (TunedFrequency() + delta) / step * step;
    base = base / step * step;
    const bool tunedClamped = f < MinFrequency || f > MaxFrequency;
    Tuned() = ClampFrequency(f);
    FBaseFrequency = int32_t(std::clamp<int64_t>(base, std::numeric_limits<int32_t>::min(),
                                                 std::numeric_limits<int32_t>::max()));
    KeepInRange(tunedClamped);
    if (FBaseFrequency != oldBase) {
        MarkChanged(2);
        ClearScope();
    } else {
        MarkChanged(1);
    }
    RefreshChanged();
    Fire(OnFrequencyChange, FVFO, TunedFrequency());
    UpdateFrequencyLabel(y);
}

void TBandmap::ChangeResolution(bool up)
{
    if (up && FResolutionIndex < MaxResolutionIndex)
        ++FResolutionIndex;
    else if (!up && FResolutionIndex > MinResolutionIndex)
        --FResolutionIndex;
    SetResolution(Resolutions[size_t(FResolutionIndex)]);
}

void TBandmap::SetResolution(int32_t resolution)
{
    // Below 10 Hz per 10 pixels there is no whole step per pixel.
    if (resolution == FResolution || resolution < 10)
        return;
    FBaseFrequency = int32_t(std::clamp<int64_t>(
        TunedFrequency() - int64_t(resolution) * (int64_t(H()) - FPositionY - ScaleBottomMargin) / 10,
        std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    FResolution = resolution;
    FStepHzPerY = resolution / 10;
    KeepInRange(false);
    FFrequencyChanged = 2;
    RefreshChanged();
    ClearScope();
    UpdateBandwidthLabel();
}

void TBandmap::SetVFO(TVFO value)
{
    if (value == FVFO)
        return;
    FVFO = value;
    VFOLabel->SetCaption(value == vfoA ? QStringLiteral("[ VFO A ]") : QStringLiteral("[ VFO B ]"));
    // Centre on that VFO as if its frequency had just arrived.
    SetFrequency(value, FFrequency[value], true);
    if (FFTCATInterface && FFTCATInterface->GUISettings())
        FFTCATInterface->GUISettings()->SetBandmapVFO(value);
    UpdateLabelColors();
}

// ---- Repaint control -------------------------------------------------------------------------

void TBandmap::MarkChanged(uint8_t what)
{
    FFrequencyChanged = std::max(FFrequencyChanged, what);
}

void TBandmap::SetRefreshTime(uint16_t value)
{
    if (value == FRefreshTime)
        return;
    FRefreshTime = value;
    if (value > 0)
        RefreshTimer->setInterval(value);
    RefreshTimer->setEnabled(value > 0);
}

void TBandmap::CopyToScreen()
{
    if (!FInPaintEvent)
        update();
}

bool TBandmap::EnsureBitmap(qreal dpr)
{
    if (dpr <= 0)
        dpr = 1.0;
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    if (width() <= 0 || height() <= 0) {
        FBitmap = QImage();
        FBitmapValid = false;
        return false;
    }
    if (FBitmap.size() == pixels && qFuzzyCompare(FBitmap.devicePixelRatio(), dpr))
        return false;
    FBitmap = QImage(pixels, QImage::Format_RGB32);
    FBitmap.setDevicePixelRatio(dpr);
    FBitmap.fill(Qt::black);
    FBitmapValid = false;
    return true;
}

void TBandmap::FullPaint()
{
    if (FBitmap.isNull() || FBitmap.size() != (QSizeF(size()) * FBitmap.devicePixelRatio()).toSize())
        EnsureBitmap(devicePixelRatioF());
    if (!FBitmap.isNull()) {
        QPainter p(&FBitmap);
        p.fillRect(QRect(0, 0, W(), H()), Qt::black);
        PaintScaleLines(p);
        PaintScale(p, true);
        PaintMarkers(p);
        PaintSpots(p, true);
        FBitmapValid = true;
    }
    FFrequencyChanged = 0;
    CopyToScreen();
    ++FDebugCount;
    Fire(OnDebugCount, FDebugCount);
}

void TBandmap::RefreshChanged()
{
    if (FFrequencyChanged == 0)
        return;
    if (!FBitmapValid) {
        FullPaint();
        return;
    }
    {
        QPainter p(&FBitmap);
        if (FFrequencyChanged == 1) {
            PaintMarkers(p);
        } else {
            PaintScaleLines(p);
            PaintScale(p, true);
            PaintMarkers(p);
            PaintSpots(p, true);
        }
    }
    CopyToScreen();
    FFrequencyChanged = 0;
}

void TBandmap::PaintSpotsNow()
{
    if (!FBitmapValid) {
        FullPaint();
        return;
    }
    {
        QPainter p(&FBitmap);
        PaintSpots(p, true);
    }
    CopyToScreen();
}

void TBandmap::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // The ratio of what is painted on: the screen, or an image the widget is rendered into.
    const QPaintDevice* device = p.paintEngine() ? p.paintEngine()->paintDevice() : nullptr;
    const qreal dpr = device ? device->devicePixelRatioF() : devicePixelRatioF();
    if (EnsureBitmap(dpr) || !FBitmapValid) {
        FInPaintEvent = true;
        FullPaint();
        FInPaintEvent = false;
    }
    if (!FBitmap.isNull())
        p.drawImage(QPointF(0, 0), FBitmap);
}

void TBandmap::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FPositionY = FrequencyToY(TunedFrequency());
    EnsureBitmap(devicePixelRatioF());
    FullPaint();
    LayoutChildren();
}

void TBandmap::LayoutChildren()
{
    const int top = H() - 16;
    FrequencyLabel->move(9, top);
    VFOLabel->move(92, top);
    SplitLabel->move(VFOLabel->x() + VFOLabel->width(), top);
    LockLabel->move(SplitLabel->x() + SplitLabel->width(), top);
    AToBLabel->move(LockLabel->x() + LockLabel->width(), top);
    BToALabel->move(AToBLabel->x() + AToBLabel->width(), top);
    BandwidthLabel->move(W() - 104, top);
    BandwidthDownButton->move(W() - 30, H() - 15);
    BandwidthUpButton->move(W() - 17, H() - 15);
    BandmapScope->setGeometry(110, ScaleTop, TBandmapScope::ScopeWidth, std::max(0, H() - 50));
    FLastSpotsRect = QRect(QPoint(W() - 128, H() - 363), QPoint(W() - 4 - 1, H() - 40 - 1));
    UpdateBandwidthLabel();
}

void TBandmap::ClearScope()
{
    if (!BandmapScope->isHidden())
        BandmapScope->Clear();
}

int TBandmap::LabelColumn() const
{
    return BandmapScope->isHidden() ? 102 : BandmapScope->width() + 110;
}

// ---- Labels and focus ------------------------------------------------------------------------

QColor TBandmap::LabelColor() const
{
    return FIsFocused ? bandmap::clBright : bandmap::clDim;
}

void TBandmap::UpdateBandwidthLabel()
{
    const int64_t bandwidth = (int64_t(H()) - 50) * FResolution / 10;
    BandwidthLabel->SetCaption(bandwidth >= 1000 ? QStringLiteral("[ BW %1 kHz ]").arg(bandwidth / 1000)
                                                 : QStringLiteral("[ BW %1 Hz ]").arg(bandwidth));
}

void TBandmap::UpdateFrequencyLabel(int y)
{
    const int32_t f = y >= 0 && y <= H() ? YToFrequency(y) : YToFrequency(FPositionY);
    // The radio's display to 10 Hz: thousands separated, the last digit dropped.
    QString text = QLocale().toString(qlonglong(f));
    text.chop(1);
    FrequencyLabel->SetCaption(text);
}

void TBandmap::UpdateLabelColors()
{
    const QColor c = LabelColor();
    for (TBandmapLabel* l : {FrequencyLabel, VFOLabel, AToBLabel, BToALabel, BandwidthLabel})
        l->SetFontColor(c);
    SplitLabel->SetFontColor(FIsFocused && FSplit ? bandmap::clBright : bandmap::clDim);
    LockLabel->SetFontColor(FIsFocused && FVFO == vfoA && FLock ? bandmap::clBright : bandmap::clDim);
}

void TBandmap::SetIsFocused(bool value)
{
    if (value == FIsFocused)
        return;
    FIsFocused = value;
    if (value) {
        if (!hasFocus())
            setFocus(Qt::MouseFocusReason);
    } else if (UserIsTuningTimer->enabled()) {
        UserIsTuningTick();
    }
    UpdateBandwidthLabel();
    CopyToScreen();
    UpdateLabelColors();
    BandwidthDownButton->SetIsFocused(value);
    BandwidthUpButton->SetIsFocused(value);
}

void TBandmap::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    SetIsFocused(true);
}

void TBandmap::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    SetIsFocused(false);
}

// ---- Timers ---------------------------------------------------------------------------------

void TBandmap::StopTuningTimers()
{
    MouseDownTimer->stop();
    UserIsTuningTimer->stop();
}

void TBandmap::UserIsTuningTick()
{
    UserIsTuningTimer->stop();
    FUserIsTuning = false;
    Fire(OnFrequencyRequest);
}

void TBandmap::MouseDownTick()
{
    if (Locked())
        return;
    if (FPositionY >= ScaleBottom())
        TuneToY(FPositionY + 10);
    else if (FPositionY <= ScaleTop)
        TuneToY(FPositionY - 10);
}

// ---- Mouse and keys ---------------------------------------------------------------------------

void TBandmap::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    const QPoint p = event->position().toPoint();
    FLastMousePos = p;
    SetIsFocused(true);
    UpdateFrequencyLabel(p.y());
    if (!Locked() && event->button() == Qt::LeftButton && p.x() < SpotAreaLeft) {
        TuneToY(p.y());
        FUserIsTuning = true;
    }
}

void TBandmap::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    const QPoint p = event->position().toPoint();
    FLastMousePos = p;
    if (Locked())
        return;
    UpdateFrequencyLabel(p.y());
    if (p.x() >= SpotAreaLeft)
        setCursor(ShowSpotInfoAt(p) ? Qt::PointingHandCursor : Qt::CrossCursor);
    else
        setCursor(Qt::CrossCursor);
    if (event->buttons() & Qt::LeftButton) {
        TuneToY(p.y());
        FUserIsTuning = true;
        // Keeps running while the button is held; it scrolls only at an edge.
        MouseDownTimer->setEnabled(true);
    }
    CopyToScreen();
}

void TBandmap::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    const QPoint p = event->position().toPoint();
    FLastMousePos = p;
    UpdateFrequencyLabel(p.y());
    MouseDownTimer->stop();
    if (!Locked()) {
        UserIsTuningTimer->start();
        CopyToScreen();
    }
}

void TBandmap::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    FLastMousePos = p;
    if (p.x() >= SpotAreaLeft) {
        const int32_t id = SpotIDAt(p);
        if (id > 0) {
            if (FDXSpots)
                FDXSpots->SendSpotToTransceiver(id, true, true);
            FUserIsTuning = false;
        }
    }
    CopyToScreen();
    // The second press of a double click is a press as well.
    mousePressEvent(event);
}

void TBandmap::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    UpdateFrequencyLabel(FPositionY);
    CopyToScreen();
}

void TBandmap::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    bool handled = false;
    if (!Locked() && key != Qt::Key_Space) {
        int y = FPositionY;
        handled = true;
        switch (key) {
        case Qt::Key_PageUp: y -= 10; break;
        case Qt::Key_PageDown: y += 10; break;
        case Qt::Key_Up: y -= 1; break;
        case Qt::Key_Down: y += 1; break;
        case Qt::Key_End:
            StopTuningTimers();
            FUserIsTuning = false;
            y = ScaleBottom();
            break;
        case Qt::Key_Home:
            StopTuningTimers();
            FUserIsTuning = false;
            y = ScaleTop;
            break;
        case Qt::Key_Left: ChangeResolution(false); break;
        case Qt::Key_Right: ChangeResolution(true); break;
        default: handled = false; break;
        }
        if (y != FPositionY)
            TuneToY(y);
    }
    // Any key pauses incoming frequencies of the tuned VFO until 2 s after its release.
    FUserIsTuning = true;
    CopyToScreen();
    if (event->text() == QLatin1String("0")) {
        StopTuningTimers();
        FUserIsTuning = false;
        if (FVFO == vfoA) {
            SetFrequencyB(FFrequency[vfoA]);
            Fire(OnFrequencyChange, vfoB, FFrequency[vfoB]);
        } else {
            SetFrequencyA(FFrequency[vfoB]);
            Fire(OnFrequencyChange, vfoA, FFrequency[vfoA]);
        }
        handled = true;
    }
    if (handled)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void TBandmap::keyReleaseEvent(QKeyEvent* event)
{
    UserIsTuningTimer->start();
    CopyToScreen();
    QWidget::keyReleaseEvent(event);
}

// ---- Spot information and hit tests -----------------------------------------------------------

bool TBandmap::ShowSpotInfoAt(QPoint p)
{
    ShowSpotInfo(QString());
    for (const TBandmapSpotData& d : FSpotDataList) {
        if (d.SpotRect.contains(p)) {
            if (FDXSpots)
                ShowSpotInfo(FDXSpots->BandmapSpotLookup(d.SpotID));
            return true;
        }
    }
    for (const TBandmapSpotData& d : FLast20SpotsDataList) {
        if (d.SpotRect.contains(p)) {
            if (FDXSpots)
                ShowSpotInfo(FDXSpots->BandmapSpotLookup(d.SpotID));
            break;
        }
    }
    return false;
}

int32_t TBandmap::SpotIDAt(QPoint p) const
{
    for (const TBandmapSpotData& d : FSpotDataList)
        if (d.SpotRect.contains(p))
            return d.SpotID;
    for (const TBandmapSpotData& d : FLast20SpotsDataList)
        if (d.SpotRect.contains(p))
            return d.SpotID;
    return 0;
}
