#include "panel/widgets/SmallControls.h"

#include "controls/widgets/ArtRegistry.h"
#include "core/RCUtils.h"
#include "core/cat/MemoryChannel.h"
#include "panel/PanelColors.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>

namespace {

// A lamp key: a dark rounded key whose window glows green (receive) or red (transmit) when lit.
void PaintLamp(QPainter& p, const QSize& s, bool transmit, bool lit)
{
    const QRectF body(0.5, 0.5, s.width() - 1.0, s.height() - 1.0);
    const qreal radius = s.height() >= 12 ? 2.5 : 1.8;
    QLinearGradient face(0, 0, 0, s.height());
    face.setColorAt(0.0, QColor(0x50, 0x50, 0x50));
    face.setColorAt(0.5, QColor(0x33, 0x33, 0x33));
    face.setColorAt(1.0, QColor(0x22, 0x22, 0x22));
    p.setPen(QPen(QColor(0x0e, 0x0e, 0x0e), 1.0));
    p.setBrush(face);
    p.drawRoundedRect(body, radius, radius);
    p.setPen(QPen(QColor(0x74, 0x74, 0x74), 0.8));
    p.drawLine(QPointF(radius + 1, 1.2), QPointF(s.width() - radius - 1, 1.2));

    // The lamp window across the middle of the key.
    const qreal mx = s.width() >= 30 ? 5.0 : 3.0;
    const qreal wh = s.height() >= 12 ? 4.0 : 3.0;
    const QRectF window(mx, (s.height() - wh) / 2.0, s.width() - 2 * mx, wh);
    const QColor litColor = transmit ? QColor(0xff, 0x3a, 0x2a) : QColor(0x4c, 0xff, 0x5c);
    const QColor darkColor = transmit ? QColor(0x3a, 0x12, 0x10) : QColor(0x12, 0x34, 0x16);
    if (lit) {
        QRadialGradient glow(body.center(), s.width() / 2.0);
        QColor halo = litColor;
        halo.setAlpha(110);
        glow.setColorAt(0.0, halo);
        halo.setAlpha(0);
        glow.setColorAt(1.0, halo);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawRoundedRect(body, radius, radius);
        QLinearGradient bar(0, window.top(), 0, window.bottom());
        bar.setColorAt(0.0, litColor.lighter(150));
        bar.setColorAt(1.0, litColor);
        p.setBrush(bar);
    } else {
        p.setPen(QPen(QColor(0x0a, 0x0a, 0x0a), 0.8));
        p.setBrush(darkColor);
    }
    p.drawRoundedRect(window, 1.0, 1.0);
}

// The plain face of a two-half key without a picture strip.
void PaintPlainKey(QPainter& p, const QRectF& r, bool pressed, bool enabled, const QString& caption)
{
    QLinearGradient face(0, r.top(), 0, r.bottom());
    face.setColorAt(0.0, pressed ? QColor(0x26, 0x26, 0x26) : QColor(0x4a, 0x4a, 0x4a));
    face.setColorAt(1.0, pressed ? QColor(0x33, 0x33, 0x33) : QColor(0x24, 0x24, 0x24));
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 1.0));
    p.setBrush(face);
    p.drawRoundedRect(r, 2.5, 2.5);
    const QColor legend = enabled ? QColor(0xd0, 0xd0, 0xd0) : QColor(0x70, 0x70, 0x70);
    // The halves: a hairline between them and a small triangle in each.
    const qreal mid = r.top() + int(r.height()) / 2;
    const qreal cx = caption.isEmpty() ? r.center().x() : r.right() - 6;
    p.setPen(QPen(QColor(0x15, 0x15, 0x15), 1.0));
    p.drawLine(QPointF(caption.isEmpty() ? r.left() + 2 : cx - 5, mid), QPointF(r.right() - 2, mid));
    p.setPen(Qt::NoPen);
    p.setBrush(legend);
    const qreal up = r.top() + (mid - r.top()) / 2;
    const qreal down = mid + (r.bottom() - mid) / 2;
    p.drawPolygon(QPolygonF({QPointF(cx - 3, up + 1.5), QPointF(cx + 3, up + 1.5), QPointF(cx, up - 1.5)}));
    p.drawPolygon(QPolygonF({QPointF(cx - 3, down - 1.5), QPointF(cx + 3, down - 1.5), QPointF(cx, down + 1.5)}));
    if (!caption.isEmpty()) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(9);
        p.setFont(font);
        p.setPen(legend);
        p.drawText(r.adjusted(3, 0, -10, 0), Qt::AlignVCenter | Qt::AlignLeft, caption);
    }
}

} // namespace

void RegisterPanelSmallControlArt()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    for (TTransceiver model : {FT2000, FT950, FTDX5000}) {
        for (TVFOButtonType type : {vfoARX, vfoATX, vfoBRX, vfoBTX}) {
            const auto names = smallcontrols::LampPictureNames(model, type);
            const bool transmit = type == vfoATX || type == vfoBTX;
            for (int lit = 0; lit < 2; ++lit) {
                vx::art::Register(names[size_t(lit)], smallcontrols::LampSize(model),
                                  [transmit, lit](QPainter& p, const QSize& s) { PaintLamp(p, s, transmit, lit != 0); });
            }
        }
    }
}

// ---- TRCButton ----

TRCButton::TRCButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { Fire(OnClick); });
}

void TRCButton::SetGlyph(const QString& name)
{
    FGlyph = name;
    update();
}

void TRCButton::SetNumGlyphs(int value)
{
    FNumGlyphs = std::clamp(value, 1, 4);
    update();
}

void TRCButton::SetFlat(bool value)
{
    FFlat = value;
    update();
}

int TRCButton::GlyphFrame() const
{
    int frame = 0;
    if (!isEnabled())
        frame = 1;
    else if (isDown())
        frame = 2;
    else if (isChecked())
        frame = 3;
    return frame < FNumGlyphs ? frame : 0;
}

void TRCButton::mouseReleaseEvent(QMouseEvent* event)
{
    // Which half was released decides, wherever the pointer went meanwhile.
    if (event->position().y() < height() / 2)
        Fire(OnClickUp);
    else
        Fire(OnClickDown);
    QAbstractButton::mouseReleaseEvent(event);
}

void TRCButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!FGlyph.isEmpty()) {
        vx::art::DrawInto(p, QRectF(rect()), FGlyph, FNumGlyphs > 1 ? GlyphFrame() : -1);
        return;
    }
    PaintPlainKey(p, QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), isDown(), isEnabled(), text());
}

// ---- TVFOABButton ----

TVFOABButton::TVFOABButton(QWidget* parent) : TOwnerDrawnControl(parent), MuteTimer(400, false)
{
    RegisterPanelSmallControlArt();
    resize(smallcontrols::LampSize(FTransceiver));
    MuteTimer.OnTimer = [this] {
        FBitmap ^= 1;
        LoadPicture(FBitmapName[FBitmap]);
    };
    RebuildNames();
    LoadPicture(FBitmapName[0]);
    RebuildHint();
}

void TVFOABButton::RebuildNames()
{
    FTransceiverString = smallcontrols::ModelWord(FTransceiver);
    FBitmapName = smallcontrols::LampPictureNames(FTransceiver, FVFOButtonType);
}

void TVFOABButton::LoadPicture(const QString& name)
{
    FPicture = name;
    update();
}

void TVFOABButton::RebuildHint()
{
    setToolTip(smallcontrols::LampHint(FVFOButtonType, FVFOState));
}

void TVFOABButton::SetTransceiver(TTransceiver value)
{
    if (value == FTransceiver)
        return;
    FTransceiver = value;
    resize(smallcontrols::LampSize(value));
    RebuildNames();
    LoadPicture(FBitmapName[FVFOState == vfoOn ? 1 : 0]);
}

void TVFOABButton::SetVFOButtonType(TVFOButtonType value)
{
    if (value == FVFOButtonType)
        return;
    FVFOButtonType = value;
    RebuildNames();
    LoadPicture(FBitmapName[FVFOState == vfoOn ? 1 : 0]);
    RebuildHint();
}

void TVFOABButton::SetVFOState(TVFOState value)
{
    if (value == FVFOState)
        return;
    FVFOState = value;
    if (value == vfoMute)
        MuteTimer.setEnabled(true);
    else
        MuteTimer.stop();
    RebuildNames();
    LoadPicture(FBitmapName[value == vfoOn ? 1 : 0]);
    RebuildHint();
}

void TVFOABButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    vx::art::DrawInto(p, QRectF(rect()), FPicture);
}

// ---- TMemoryChannelPanel ----

TMemoryChannelPanel::TMemoryChannelPanel(QWidget* parent) : QWidget(parent)
{
    resize(362, 101);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // "Tahoma" 13 pixels; DejaVu is wider, so one pixel less keeps "Memory Channel:" clear of
    // the values at x 122.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, BGRColor(0xFCDB83));
    setPalette(pal);
    const auto label = [this](QPoint at, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setAutoFillBackground(false);
        l->move(at);
        l->adjustSize();
        return l;
    };
    ChannelNoLabe1 = label(QPoint(8, 8), QStringLiteral("Memory Channel:"));
    ChannelNoLabel2 = label(QPoint(122, 8), QStringLiteral("001"));
    FrequencyLabel1 = label(QPoint(8, 27), QStringLiteral("Frequency:"));
    FrequencyLabel2 = label(QPoint(122, 27), QString());
    ModeLabel1 = label(QPoint(8, 46), QStringLiteral("Mode:"));
    ModeLabel2 = label(QPoint(122, 49), QString());
}

void TMemoryChannelPanel::SetMemoryChannel(TMemoryChannel* value)
{
    FMemoryChannel = value;
    if (!value)
        return;
    const auto set = [](QLabel* l, const QString& text) {
        l->setText(text);
        l->adjustSize();
    };
    set(ChannelNoLabel2, QString::number(value->ChannelNo()));
    set(FrequencyLabel2, smallcontrols::MemoryFrequencyText(value->Frequency()));
    set(ModeLabel2, ModeToString(value->Mode()));
}

void TMemoryChannelPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
}
