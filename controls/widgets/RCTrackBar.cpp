#include "controls/widgets/RCTrackBar.h"

#include "controls/widgets/ArtRegistry.h"
#include "controls/widgets/ControlArt.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QColor GrooveBlue(102, 153, 255);

QFont SmallFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(10);
    return f;
}

int Saturate(int64_t v)
{
    return int(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

QColor Blend(const QColor& a, const QColor& b, int k, int n)
{
    const auto ch = [&](int x, int y) { return int(std::lround(x + double(k) * (y - x) / n)); };
    return QColor(ch(a.red(), b.red()), ch(a.green(), b.green()), ch(a.blue(), b.blue()));
}

// Fills one part of the groove: a banded gradient when both colours are set, the first colour
// alone when only it is set, nothing otherwise.
void FillPart(QPainter& p, const QRect& r, const QColor& from, const QColor& to, int steps, TGradientDirection dir)
{
    if (r.isEmpty() || !from.isValid())
        return;
    if (!to.isValid()) {
        p.fillRect(r, from);
        return;
    }
    const int n = steps > 0 ? steps : 1;
    const bool vertical = dir == gddVertical;
    const int length = vertical ? r.height() : r.width();
    p.save();
    p.setClipRect(r);
    for (int k = 0; k < n; ++k) {
        const int at = int(std::lround(double(k) * length / n));
        const int band = int(std::lround(double(length) / n)) + 1;
        const QRect strip = vertical ? QRect(r.left(), r.top() + at, r.width(), band)
                                     : QRect(r.left() + at, r.top(), band, r.height());
        p.fillRect(strip, Blend(from, to, k, n));
    }
    p.restore();
}

// "%d" becomes the value and "%%" a percent sign; everything else is kept as written.
QString FormatPosition(const QString& format, int value)
{
    QString out;
    for (int i = 0; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('%') && i + 1 < format.size()) {
            if (format[i + 1] == QLatin1Char('d')) {
                out += QString::number(value);
                ++i;
                continue;
            }
            if (format[i + 1] == QLatin1Char('%')) {
                out += QLatin1Char('%');
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

} // namespace

// ---- Groove -------------------------------------------------------------------------------

TRCTrackBarSlider::TRCTrackBarSlider()
    : FColor(GrooveBlue)
    , FColorTo(Qt::black)
    , FColorCompleted(255, 0, 0)
    , FColorCompletedTo(146, 0, 0)
    , FBorderColor(Qt::black)
    , FColorDisabled(72, 72, 72)
    , FColorDisabledTo(72, 72, 72)
    , FBorderColorDisabled(Qt::black)
{
}

void TRCTrackBarSlider::Assign(const TRCTrackBarSlider& other)
{
    Copy(*this, other);
}

void TRCTrackBarSlider::SetColorStyle(TColorStyle v)
{
    if (v == FColorStyle)
        return;
    FColorStyle = v;
    if (v == scsRed || v == scsGreen) {
        FBorderColor = Qt::black;
        FBorderColorDisabled = Qt::black;
        FColor = GrooveBlue;
        if (v == scsRed) {
            FColorCompleted = QColor(255, 0, 0);
            FColorCompletedTo = QColor(146, 0, 0);
        } else {
            FColorCompleted = QColor(0, 128, 0);
            FColorCompletedTo = QColor(0, 255, 0);
        }
    }
    Fire(OnChange);
}

// ---- Thumb --------------------------------------------------------------------------------

void TRCTrackBarThumb::Assign(const TRCTrackBarThumb& other)
{
    Copy(*this, other);
}

void TRCTrackBarThumb::SetPicture(const QString& name)
{
    if (name == FPicture)
        return;
    FPicture = name;
    if (!name.isEmpty() && vx::art::Has(name)) {
        const QSize s = vx::art::Size(name);
        FSize = s.width();
        FWidth = s.height();
    }
    Fire(OnChange);
}

void TRCTrackBarThumb::SetPictureDisabled(const QString& name)
{
    Set(FPictureDisabled, name);
}

void TRCTrackBarThumb::SetSize(int v)
{
    if (FPicture.isEmpty())
        Set(FSize, v);
}

void TRCTrackBarThumb::SetWidth(int v)
{
    if (FPicture.isEmpty())
        Set(FWidth, v);
}

// ---- Ticks and label ----------------------------------------------------------------------

TRCTrackBarTick::TRCTrackBarTick()
    : FColor(GrooveBlue)
    , FColorDisabled(Qt::black)
    , FFont(SmallFont())
    , FFontColor(GrooveBlue)
{
}

void TRCTrackBarTick::Assign(const TRCTrackBarTick& other)
{
    Copy(*this, other);
}

TRCTrackBarLabel::TRCTrackBarLabel()
    : FFormat(QStringLiteral("Pos: %d"))
    , FFont(SmallFont())
    , FFontColor(GrooveBlue)
{
}

void TRCTrackBarLabel::Assign(const TRCTrackBarLabel& other)
{
    Copy(*this, other);
}

// ---- Drag hint ----------------------------------------------------------------------------

TRCTrackHintWindow::TRCTrackHintWindow(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void TRCTrackHintWindow::ActivateHint(const QPoint& globalPos, const QString& text)
{
    FText = text;
    const QFontMetrics fm(font());
    const QSize size(fm.horizontalAdvance(text) + 16, fm.height() + 4);
    QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    QPoint at = globalPos;
    if (screen) {
        const QRect s = screen->geometry();
        if (at.x() + size.width() > s.x() + s.width() - 2)
            at.setX(s.x() + s.width() - 2 - size.width());
        if (at.y() + size.height() > s.y() + s.height() - 2)
            at.setY(s.y() + s.height() - 2 - size.height());
    }
    setGeometry(QRect(at, size));
    show();
    raise();
    update();
}

void TRCTrackHintWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, palette().color(QPalette::ToolTipBase));
    const QColor light = palette().color(QPalette::Midlight);
    const QColor dark = palette().color(QPalette::Shadow);
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), light);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), light);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), dark);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), dark);
    p.setPen(palette().color(QPalette::ToolTipText));
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, FText);
}

// ---- Bar ----------------------------------------------------------------------------------

TRCTrackBar::TRCTrackBar(QWidget* parent)
    : QWidget(parent)
{
    RegisterControlArt();
    FThumb.SetPicture(QStringLiteral("HTHUMB"));
    FThumb.SetPictureDisabled(QStringLiteral("THUMB_DISABLED"));
    FHintWindow = new TRCTrackHintWindow(this);
    FHintWindow->hide();

    const auto repaint = [this] { update(); };
    FSlider.OnChange = repaint;
    FThumb.OnChange = repaint;
    FTickMark.OnChange = repaint;
    FTrackLabel.OnChange = repaint;
    FRules.OnMoved = [this](int old) { Moved(old); };
    FRules.OnChange = [this] { Fire(OnChange); };

    // Transparent over the parent: nothing fills the background, so the parent's painting
    // (the panel picture on the front panels) shows through.
    setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    resize(sizeHint());
}

void TRCTrackBar::SetMin(int value)
{
    FRules.SetMin(value);
    update();
}

void TRCTrackBar::SetMax(int value)
{
    FRules.SetMax(value);
    update();
}

void TRCTrackBar::SetPosition(int value)
{
    FRules.SetPosition(value);
}

void TRCTrackBar::SetPositionExp(int value)
{
    FRules.SetPositionExp(value);
}

void TRCTrackBar::SetColorStyle(TColorStyle value)
{
    if (value == FColorStyle)
        return;
    FColorStyle = value;
    FSlider.SetColorStyle(value);
    static const char* const thumbs[] = {"HTHUMB", "THUMB_RED", "THUMB_GREEN"};
    FThumb.SetPicture(QLatin1String(thumbs[value]));
    update();
}

void TRCTrackBar::SetShowFocus(bool value)
{
    if (value == FShowFocus)
        return;
    FShowFocus = value;
    update();
}

QString TRCTrackBar::LabelText() const
{
    return FormatPosition(FTrackLabel.Format(), Position());
}

// ---- Geometry -----------------------------------------------------------------------------

int TRCTrackBar::LabelWidth() const
{
    return QFontMetrics(FTrackLabel.Font()).height() + FTrackLabel.Spacing();
}

static bool IsTopLabel(TLabelPosition p)
{
    return p == lpTopCenter || p == lpTopLeft || p == lpTopRight;
}

QRect TRCTrackBar::ClientArea() const
{
    // Inner border 1 and inner offset 2 on every side.
    return rect().adjusted(3, 3, -3, -3);
}

QRect TRCTrackBar::TrackArea() const
{
    QRect r = ClientArea();
    int indent = FSlider.Offset();
    if (FTrackLabel.Visible() && IsTopLabel(FTrackLabel.Position()))
        indent += LabelWidth() + 1;
    r.setLeft(r.left() + indent);
    return r;
}

namespace {

int ThumbHalf(const TRCTrackBarThumb& t)
{
    return t.Width() > 0 ? t.Width() / 2 : 0;
}

bool HasLeftBand(const TRCTrackBarTick& t)
{
    return t.Style() != tsNone && (t.Position() == tmTopLeft || t.Position() == tmBoth);
}

bool HasRightBand(const TRCTrackBarTick& t)
{
    return t.Style() != tsNone && (t.Position() == tmBottomRight || t.Position() == tmBoth);
}

QRect Band(const QRect& track, int left, int width, int half)
{
    const int top = track.top() + half;
    const int bottom = track.top() + track.height() - half; // exclusive
    return QRect(left, top, width, bottom - top);
}

} // namespace

QRect TRCTrackBar::LeftTickBand() const
{
    if (!HasLeftBand(FTickMark))
        return QRect();
    const QRect track = TrackArea();
    return Band(track, track.left(), FTickMark.Size(), ThumbHalf(FThumb));
}

QRect TRCTrackBar::Groove() const
{
    if (!FSlider.Visible() || FSlider.Size() <= 0)
        return QRect();
    const QRect track = TrackArea();
    const QRect left = LeftTickBand();
    const int x = left.isNull() ? track.left() : left.left() + left.width() + FTickMark.Spacing();
    return QRect(x, track.top(), FSlider.Size(), track.height());
}

QRect TRCTrackBar::RightTickBand() const
{
    if (!HasRightBand(FTickMark))
        return QRect();
    const QRect track = TrackArea();
    const QRect groove = Groove();
    const QRect left = LeftTickBand();
    int x = track.left();
    if (!groove.isNull())
        x = groove.left() + groove.width() + FTickMark.Spacing();
    else if (!left.isNull())
        x = left.left() + left.width() + 2 * FTickMark.Spacing();
    return Band(track, x, FTickMark.Size(), ThumbHalf(FThumb));
}

QRect TRCTrackBar::ThumbRect() const
{
    return ThumbRectAt(Position());
}

QRect TRCTrackBar::ThumbRectAt(int position) const
{
    const QRect track = TrackArea();
    const QRect groove = Groove();
    const QRect left = LeftTickBand();
    const QRect right = RightTickBand();
    const int size = FThumb.Size();
    int x = track.left();
    if (!groove.isNull())
        x = groove.left() + groove.width() / 2 - size / 2;
    else if (!left.isNull())
        x = left.left() + FTickMark.Spacing() - size / 2;
    else if (!right.isNull())
        x = right.left();

    const int trackBottom = track.top() + track.height(); // exclusive
    int bottom = trackBottom;
    const int64_t range = int64_t(Max()) - Min();
    if (range > 0)
        bottom = int(trackBottom - int64_t(track.height() - FThumb.Width()) * (int64_t(position) - Min()) / range);
    return QRect(x, bottom - FThumb.Width(), size, FThumb.Width());
}

QRect TRCTrackBar::LabelRect() const
{
    if (!FTrackLabel.Visible())
        return QRect();
    const QRect client = ClientArea();
    const int width = LabelWidth();
    if (IsTopLabel(FTrackLabel.Position()))
        return QRect(client.left() + FSlider.Offset(), client.top(), width, client.height());
    QRect after = RightTickBand();
    if (after.isNull())
        after = Groove();
    const int x = after.isNull() ? TrackArea().left() : after.left() + after.width() + 1;
    return QRect(x, client.top(), width, client.height());
}

void TRCTrackBar::Moved(int oldPosition)
{
    // Only what a move changes: both thumb places, the groove split and the label.
    QRegion dirty = QRegion(ThumbRectAt(oldPosition).adjusted(-1, -1, 1, 1))
                        .united(ThumbRectAt(Position()).adjusted(-1, -1, 1, 1));
    dirty = dirty.united(Groove()).united(LabelRect());
    update(dirty);
}

// ---- Painting -----------------------------------------------------------------------------

void TRCTrackBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    DrawLabel(p);
    DrawSlider(p);
    DrawTicks(p);
    DrawThumb(p);
    DrawFocus(p);
}

void TRCTrackBar::DrawLabel(QPainter& p)
{
    const QRect r = LabelRect();
    if (r.isNull())
        return;
    // Written upwards along the bar, so a narrow column holds it.
    p.save();
    p.setFont(FTrackLabel.Font());
    p.setPen(FTrackLabel.FontColor());
    p.translate(r.left(), r.top() + r.height());
    p.rotate(-90);
    Qt::Alignment along = Qt::AlignHCenter;
    const TLabelPosition pos = FTrackLabel.Position();
    if (pos == lpTopLeft || pos == lpBottomLeft)
        along = Qt::AlignLeft;
    else if (pos == lpTopRight || pos == lpBottomRight)
        along = Qt::AlignRight;
    p.drawText(QRect(0, 0, r.height(), r.width()), along | Qt::AlignVCenter | Qt::TextSingleLine, LabelText());
    p.restore();
}

void TRCTrackBar::DrawSlider(QPainter& p)
{
    const QRect g = Groove();
    if (g.isNull())
        return;
    const bool enabled = isEnabled();
    const TRCTrackBarSlider& s = FSlider;
    const QColor upper = enabled ? s.Color() : s.ColorDisabled();
    const QColor upperTo = enabled ? s.ColorTo() : s.ColorDisabledTo();
    const QColor lower = enabled ? s.ColorCompleted() : s.ColorCompletedDisabled();
    const QColor lowerTo = enabled ? s.ColorCompletedTo() : s.ColorCompletedDisabledTo();
    const QColor border = enabled ? s.BorderColor() : s.BorderColorDisabled();

    if (lower.isValid()) {
        const int bottom = g.top() + g.height(); // exclusive
        const int centre = ThumbRect().top() + FThumb.Width() / 2;
        QRect upperPart(g.left(), g.top(), g.width(), centre + 1 - g.top());
        QRect lowerPart(g.left(), centre, g.width(), bottom - centre);
        if (Position() <= Min())
            lowerPart = QRect();
        else if (Position() >= Max())
            upperPart = QRect();
        // Lower first, so the shared centre row takes the upper colours.
        FillPart(p, lowerPart.intersected(g), lower, lowerTo, s.Steps(), s.Direction());
        FillPart(p, upperPart.intersected(g), upper, upperTo, s.Steps(), s.Direction());
    }
    if (border.isValid()) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(border, 0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(g.adjusted(0, 0, -1, -1));
        p.restore();
    }
}

void TRCTrackBar::DrawTicks(QPainter& p)
{
    const TRCTrackBarTick& t = FTickMark;
    if (t.Size() <= 0 || t.Style() != tsAuto)
        return;
    const QRect left = LeftTickBand();
    const QRect right = RightTickBand();
    if (left.isNull() && right.isNull())
        return;
    const int64_t min = Min();
    const int64_t max = Max();
    if (max < min)
        return;
    const double step = max > min ? double(TrackArea().height() - FThumb.Width()) / double(max - min) : 0.0;
    const QColor color = isEnabled() ? t.Color() : t.ColorDisabled();
    const int every = t.ShowImageAtSteps();
    const auto marked = [every](int64_t i) { return every <= 1 || i % every == 0; };

    // Without a handler or numbers only the marked values draw anything: visit just those.
    int64_t first = min;
    int64_t increment = 1;
    if (!OnDrawTick && !t.ShowText() && every > 1) {
        const int64_t r = ((min % every) + every) % every;
        first = r == 0 ? min : min + (every - r);
        increment = every;
    }

    const QFontMetrics textMetrics(FTrackLabel.Font());
    const int textHeight = textMetrics.boundingRect(QStringLiteral("gh")).height() + 4;
    p.setFont(t.Font());

    for (int64_t i = first; i <= max; i += increment) {
        const int c = int(step * double(i - min));
        if (!left.isNull()) {
            const int y = left.top() + left.height() - c;
            int length = t.Size();
            QColor lineColor = color;
            QColor textColor = t.FontColor();
            QString text;
            bool defaultDraw = true;
            if (OnDrawTick)
                OnDrawTick(p, QPoint(left.left(), y), int(i), tmTopLeft, length, lineColor, textColor, text, defaultDraw);
            else if (t.ShowText())
                text = QString::number(i);
            if (defaultDraw && marked(i) && length > 0 && lineColor.isValid())
                p.fillRect(QRect(left.left(), y, length, 1), lineColor);
            if (t.ShowText() && !text.isEmpty() && (i == min || i == max || i % 10 == 0)) {
                p.setPen(textColor);
                const int x = left.left() + left.width() + length + 14;
                const int top = y - textHeight / 2 + 2;
                p.drawText(QPointF(x, top + textMetrics.ascent()), text);
            }
        }
        if (!right.isNull() && marked(i) && color.isValid()) {
            const int y = right.top() + right.height() - c;
            p.fillRect(QRect(right.left() + right.width() - t.Size(), y, t.Size(), 1), color);
        }
    }
}

void TRCTrackBar::DrawThumb(QPainter& p)
{
    if (FThumb.Size() <= 0)
        return;
    const QString picture = isEnabled() ? FThumb.Picture() : FThumb.PictureDisabled();
    if (!picture.isEmpty())
        vx::art::Draw(p, ThumbRect().topLeft(), picture);
}

void TRCTrackBar::DrawFocus(QPainter& p)
{
    if (!FShowFocus || !hasFocus())
        return;
    // Every other pixel around the bar, less one pixel on the right and bottom.
    const QColor c(255, 255, 176);
    const int right = width() - 2;
    const int bottom = height() - 2;
    if (right < 0 || bottom < 0)
        return;
    int n = 0;
    const auto dot = [&](int x, int y) {
        if (n++ % 2 == 0)
            p.fillRect(QRect(x, y, 1, 1), c);
    };
    for (int x = 0; x < right; ++x)
        dot(x, 0);
    for (int y = 0; y < bottom; ++y)
        dot(right, y);
    for (int x = right; x > 0; --x)
        dot(x, bottom);
    for (int y = bottom; y > 0; --y)
        dot(0, y);
}

// ---- Input --------------------------------------------------------------------------------

void TRCTrackBar::mousePressEvent(QMouseEvent* event)
{
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pt = event->position().toPoint();
    if (ThumbRect().contains(pt)) {
        FRules.BeginSliding();
        update(ThumbRect());
        return;
    }
    const QRect track = TrackArea();
    if (!track.contains(pt))
        return;
    // Above the thumb's lower edge pages up, below it pages down.
    const int64_t range = int64_t(Max()) - Min();
    int offset = 0;
    if (range > 0)
        offset = int(double(track.height() - FThumb.Width()) / double(range) * double(int64_t(Position()) - Min()));
    const int64_t step = pt.y() < track.top() + track.height() - offset ? PageSize() : -int64_t(PageSize());
    SetPosition(Saturate(int64_t(Position()) + step));
}

void TRCTrackBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click acts as a second single click.
    mousePressEvent(event);
}

void TRCTrackBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!FRules.Sliding())
        return;
    const QRect track = TrackArea();
    const int f = track.height() - FThumb.Width() / 2;
    if (f <= 0)
        return;
    const double y = event->position().y();
    const double v = (f + track.top() - y) / f * (double(Max()) - Min()) + Min();
    const int value = int(std::clamp<int64_t>(std::llround(v), Min(), std::max(Min(), Max())));
    if (FTrackHint && value != Position() && value != FLastHinted) {
        QString hint = QString::number(value);
        Fire(OnGetTrackHint, value, hint);
        FHintWindow->ActivateHint(event->globalPosition().toPoint() + QPoint(10, 0), hint);
        FLastHinted = value;
    }
    SetPosition(value);
}

void TRCTrackBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        EndDrag();
}

void TRCTrackBar::EndDrag()
{
    FHintWindow->hide();
    if (!FRules.Sliding())
        return;
    FRules.EndSliding();
    update(ThumbRect().adjusted(-1, -1, 1, 1));
}

void TRCTrackBar::wheelEvent(QWheelEvent* event)
{
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (delta == 0) {
        event->ignore();
        return;
    }
    FRules.Wheel(delta);
    event->accept();
}

void TRCTrackBar::keyPressEvent(QKeyEvent* event)
{
    if (!(event->modifiers() & Qt::ShiftModifier)) {
        bool handled = true;
        switch (event->key()) {
        case Qt::Key_PageUp:
            FRules.Key(tbkPageUp);
            break;
        case Qt::Key_PageDown:
            FRules.Key(tbkPageDown);
            break;
        case Qt::Key_Home:
            FRules.Key(tbkHome);
            break;
        case Qt::Key_End:
            FRules.Key(tbkEnd);
            break;
        case Qt::Key_Up:
        case Qt::Key_Right:
            FRules.Key(tbkUp);
            break;
        case Qt::Key_Down:
        case Qt::Key_Left:
            FRules.Key(tbkDown);
            break;
        default:
            handled = false;
        }
        if (handled) {
            event->accept();
            return;
        }
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint()) {
        Fire(OnKeyPress, text.at(0));
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TRCTrackBar::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    Fire(OnEnter);
    update();
}

void TRCTrackBar::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    Fire(OnExit);
    update();
}

void TRCTrackBar::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        // A disabled bar gets no release: end the hold so held-back values are shown.
        if (!isEnabled())
            EndDrag();
        update();
    }
}

void TRCTrackBar::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    EndDrag();
}
