#include "log/widgets/QRZInfoPanel.h"

#include "controls/widgets/ArtRegistry.h"
#include "controls/widgets/PanelLook.h"
#include "controls/widgets/RCPanel.h"
#include "log/QRZInterface.h"

#include <QBuffer>
#include <QDesktopServices>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString PlaceholderName = QStringLiteral("QRZ");
constexpr QSize PlaceholderSize(258, 169);
const QColor LinkGreen(0, 128, 0);

using vx::look::SetTextColor;

// "Arial" of the layout, in pixels.
QFont PanelFont(int pixels, bool bold = false)
{
    return vx::look::Font(pixels, bold);
}

QString LookupCaption()
{
    return QLatin1String(TQRZInterface::DomainName) + QLatin1String(" Callsign Lookup");
}

// The card of a station without a picture: a head-and-shoulders outline on a pale ground.
void PaintPlaceholder(QPainter& p, const QSize& s)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, s.width() - 1, s.height() - 1);
    p.fillRect(QRectF(0, 0, s.width(), s.height()), QColor(244, 246, 244));
    p.setPen(QPen(QColor(200, 208, 200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 6, 6);

    const qreal cx = s.width() / 2.0;
    const QColor figure(196, 206, 196);
    p.setPen(Qt::NoPen);
    p.setBrush(figure);
    p.drawEllipse(QPointF(cx, 52), 24, 26);
    QPainterPath shoulders;
    shoulders.moveTo(cx - 56, 126);
    shoulders.cubicTo(cx - 56, 92, cx - 30, 82, cx, 82);
    shoulders.cubicTo(cx + 30, 82, cx + 56, 92, cx + 56, 126);
    shoulders.closeSubpath();
    p.drawPath(shoulders);

    QFont f = vx::look::Font(12, true);
    p.setFont(f);
    p.setPen(QColor(0, 128, 0));
    p.drawText(QRectF(0, 132, s.width(), 16), Qt::AlignCenter, QLatin1String(TQRZInterface::DomainName));
    f.setBold(false);
    f.setPixelSize(10);
    p.setFont(f);
    p.setPen(QColor(128, 136, 128));
    p.drawText(QRectF(0, 148, s.width(), 14), Qt::AlignCenter, QStringLiteral("no picture"));
}

} // namespace

void RegisterCallbookArt()
{
    static const bool registered = [] {
        vx::art::Register(PlaceholderName, PlaceholderSize, PaintPlaceholder);
        return true;
    }();
    (void)registered;
}

bool OpenWebAddress(const QString& text)
{
    const QString trimmed = text.trimmed();
    QUrl url(trimmed, QUrl::StrictMode);
    // The shell opens "www." names in the browser as well.
    if (url.scheme().isEmpty() && trimmed.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        url = QUrl(QStringLiteral("http://") + trimmed, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty())
        return false;
    QDesktopServices::openUrl(url);
    return true;
}

// ---- TLinkLabel ----------------------------------------------------------------------------

TLinkLabel::TLinkLabel(QWidget* parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        OpenWebAddress(text());
    QLabel::mouseReleaseEvent(event);
}

// ---- TQRZImage -----------------------------------------------------------------------------

TQRZImage::TQRZImage(QWidget* parent)
    : QWidget(parent)
{
    RegisterCallbookArt();
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TQRZImage::SetPicture(const QImage& image)
{
    FPicture = image;
    update();
}

void TQRZImage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (FPicture.isNull()) {
        vx::art::DrawInto(p, QRectF(rect()), PlaceholderName);
        return;
    }
    QSizeF size = FPicture.size();
    size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(QPointF(0, 0), size), FPicture);
}

// ---- TQRZInfoPanel -------------------------------------------------------------------------

TQRZInfoPanel::TQRZInfoPanel(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("QRZInfoPanel"));
    resize(560, 210);

    RCPanel1 = new TRCPanel(this);
    RCPanel1->setObjectName(QStringLiteral("RCPanel1"));
    RCPanel1->SetBevelOuter(bvNone);
    RCPanel1->SetBevelInner(bvLowered);
    RCPanel1->SetColor(Qt::white);
    RCPanel1->SetShowCaption(false);
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(RCPanel1);

    CallLabel = new QLabel(QStringLiteral("Call"), RCPanel1);
    CallLabel->setObjectName(QStringLiteral("CallLabel"));
    CallLabel->setTextFormat(Qt::PlainText);
    CallLabel->setFont(PanelFont(16, true));
    SetTextColor(CallLabel, LinkGreen);
    CallLabel->setGeometry(8, 6, 29, 19);

    AddressLabel = new QLabel(QStringLiteral("Address"), RCPanel1);
    AddressLabel->setObjectName(QStringLiteral("AddressLabel"));
    AddressLabel->setTextFormat(Qt::PlainText);
    AddressLabel->setWordWrap(true);
    AddressLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    AddressLabel->setFont(PanelFont(11));
    SetTextColor(AddressLabel, Qt::black);
    AddressLabel->setGeometry(8, 27, 262, 149);

    QRZLinkLabel = new TLinkLabel(RCPanel1);
    QRZLinkLabel->setObjectName(QStringLiteral("QRZLinkLabel"));
    QRZLinkLabel->setText(QLatin1String(TQRZInterface::DomainName) + QLatin1String(" Link"));
    QRZLinkLabel->setFont(PanelFont(11));
    SetTextColor(QRZLinkLabel, LinkGreen);

    URLLabel = new TLinkLabel(RCPanel1);
    URLLabel->setObjectName(QStringLiteral("URLLabel"));
    URLLabel->setText(QStringLiteral("URL"));
    URLLabel->setFont(PanelFont(11));
    SetTextColor(URLLabel, LinkGreen);

    QRZImage = new TQRZImage(RCPanel1);
    QRZImage->setObjectName(QStringLiteral("QRZImage"));

    CreateWnd();
}

TQRZInfoPanel::~TQRZInfoPanel()
{
    // The callbook outlives the panel: its answers must not reach it any more.
    if (FQRZInterface) {
        FQRZInterface->OnInfoAvailable = nullptr;
        FQRZInterface->OnImage = nullptr;
    }
}

void TQRZInfoPanel::CreateWnd()
{
    QRZImage->setGeometry(276, 8, 258, 169);
    QRZLinkLabel->setGeometry(8, 180, 70, 14);
    URLLabel->setGeometry(276, 180, 20, 14);
    ClearRecord();
    SetAutoSizeText(CallLabel, LookupCaption());
}

void TQRZInfoPanel::SetAutoSizeText(QLabel* label, const QString& text)
{
    label->setText(text);
    // The labels but the address grow with their text (never below their layout size).
    label->resize(label->size().expandedTo(label->sizeHint()));
}

void TQRZInfoPanel::SetQRZInterface(TQRZInterface* v)
{
    if (v == FQRZInterface || !v)
        return;
    if (FQRZInterface) {
        FQRZInterface->OnInfoAvailable = nullptr;
        FQRZInterface->OnImage = nullptr;
    }
    FQRZInterface = v;
    v->OnInfoAvailable = [this](bool) { UpdateRecord(); };
    v->OnImage = [this](bool success) { DoImage(success); };
}

void TQRZInfoPanel::ClearRecord()
{
    for (QLabel* label : {CallLabel, AddressLabel, static_cast<QLabel*>(QRZLinkLabel), static_cast<QLabel*>(URLLabel)})
        label->clear();
    QRZImage->SetPicture({});
}

void TQRZInfoPanel::UpdateRecord()
{
    if (!FQRZInterface)
        return;
    ClearRecord();
    const TQRZRecord* record = FQRZInterface->QRZRecord();
    if (!record->Success()) {
        SetAutoSizeText(CallLabel, QStringLiteral("Not found: %1").arg(record->CallsignRequest()));
        return;
    }
    SetAutoSizeText(CallLabel, record->Call());
    AddressLabel->setText(QString(record->AllInfo()).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    SetAutoSizeText(QRZLinkLabel,
                    record->Call().isEmpty() ? QString() : QLatin1String(CallPageAddress) + record->Call());
    SetAutoSizeText(URLLabel, record->URL());
    // One picture per record: it is fetched once, and shown again on each refresh.
    if (record->ImageStream().isEmpty())
        FQRZInterface->DownloadImage();
    else
        DoImage(true);
}

QImage TQRZInfoPanel::ReadPicture(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxPictureSide || size.height() > MaxPictureSide)
        return {};
    return reader.read();
}

void TQRZInfoPanel::DoImage(bool success)
{
    if (!success || !FQRZInterface) {
        QRZImage->SetPicture({});
        return;
    }
    QRZImage->SetPicture(ReadPicture(FQRZInterface->QRZRecord()->ImageStream()));
}

// ---- TQRZInfoForm --------------------------------------------------------------------------

TQRZInfoForm::TQRZInfoForm(QWidget* owner)
    : TDPIForm(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("QRZInfoForm"));
    setWindowTitle(LookupCaption());
    setModal(false);
    resize(541, 199);
    QRZInfoPanel = new TQRZInfoPanel(this);
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(QRZInfoPanel);
}

void TQRZInfoForm::SetQRZInterface(TQRZInterface* v)
{
    FQRZInterface = v;
    QRZInfoPanel->SetQRZInterface(v);
}

void TQRZInfoForm::ClearRecord()
{
    QRZInfoPanel->ClearRecord();
}

void TQRZInfoForm::UpdateRecord()
{
    QRZInfoPanel->UpdateRecord();
}
