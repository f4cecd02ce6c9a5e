#include "controls/widgets/AboutForm.h"

#include "controls/widgets/ArtRegistry.h"
#include "controls/widgets/RCPanel.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QtMath>

namespace {

constexpr QSize PictureSize(364, 230);

// The program picture: the name over a small front panel with its lit display and main dial.
void PaintPicture(QPainter& p, const QSize& s)
{
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, s.height());
    sky.setColorAt(0.0, QColor(24, 30, 44));
    sky.setColorAt(1.0, QColor(8, 10, 14));
    p.fillRect(QRect(QPoint(0, 0), s), sky);

    // Name and subtitle.
    QFont name(QStringLiteral("DejaVu Sans"));
    name.setPixelSize(44);
    name.setBold(true);
    p.setFont(name);
    p.setPen(QColor(225, 228, 235));
    p.drawText(QRect(0, 10, s.width(), 56), Qt::AlignCenter, QStringLiteral("Vornix"));
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(12);
    p.setFont(sub);
    p.setPen(QColor(150, 160, 178));
    p.drawText(QRect(0, 64, s.width(), 18), Qt::AlignCenter, QStringLiteral("CAT & Remote Control"));

    // The panel.
    const QRectF panel(14, 96, s.width() - 28, 120);
    QLinearGradient face(panel.topLeft(), panel.bottomLeft());
    face.setColorAt(0.0, QColor(70, 72, 76));
    face.setColorAt(1.0, QColor(38, 39, 42));
    p.setPen(QPen(QColor(100, 102, 108), 1.0));
    p.setBrush(face);
    p.drawRoundedRect(panel, 6, 6);

    // The display behind its bezel.
    const QRectF bezel(panel.left() + 12, panel.top() + 14, 170, 54);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(16, 16, 18));
    p.drawRoundedRect(bezel, 3, 3);
    const QRectF lcd = bezel.adjusted(4, 4, -4, -4);
    QLinearGradient glow(lcd.topLeft(), lcd.bottomLeft());
    glow.setColorAt(0.0, QColor(255, 178, 64));
    glow.setColorAt(1.0, QColor(226, 136, 28));
    p.setBrush(glow);
    p.drawRect(lcd);
    QFont digits(QStringLiteral("DejaVu Sans Mono"));
    digits.setPixelSize(26);
    digits.setBold(true);
    p.setFont(digits);
    p.setPen(QColor(40, 22, 4));
    p.drawText(lcd.adjusted(0, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("14.074.00"));

    // A row of keys with light legends.
    QFont legend(QStringLiteral("DejaVu Sans"));
    legend.setPixelSize(8);
    p.setFont(legend);
    const char* const keys[] = {"MOX", "VOX", "SPLIT", "A/B"};
    for (int i = 0; i < 4; ++i) {
        const QRectF key(panel.left() + 12 + i * 44, panel.top() + 82, 36, 16);
        QLinearGradient k(key.topLeft(), key.bottomLeft());
        k.setColorAt(0.0, QColor(62, 63, 66));
        k.setColorAt(1.0, QColor(28, 28, 30));
        p.setPen(QPen(QColor(110, 112, 116), 1.0));
        p.setBrush(k);
        p.drawRoundedRect(key, 3, 3);
        p.setPen(QColor(205, 205, 205));
        p.drawText(key, Qt::AlignCenter, QLatin1String(keys[i]));
    }

    // The main dial: a black wheel with a fine-knurled rim, a light skirt and its dimple.
    const QPointF c(panel.right() - 70, panel.center().y());
    const qreal r = 50;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 152, 158));
    p.drawEllipse(c, r + 4, r + 4);
    p.setPen(QPen(QColor(58, 58, 60), 1.0));
    for (int i = 0; i < 120; ++i) {
        const qreal a = i * 2 * M_PI / 120;
        p.drawLine(c + QPointF(qCos(a), qSin(a)) * (r - 4), c + QPointF(qCos(a), qSin(a)) * r);
    }
    QRadialGradient wheel(c - QPointF(12, 14), r);
    wheel.setColorAt(0.0, QColor(46, 46, 48));
    wheel.setColorAt(1.0, QColor(6, 6, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(wheel);
    p.drawEllipse(c, r - 4, r - 4);
    QRadialGradient dimple(c + QPointF(20, -18), 9);
    dimple.setColorAt(0.0, QColor(4, 4, 4));
    dimple.setColorAt(1.0, QColor(40, 40, 42));
    p.setBrush(dimple);
    p.drawEllipse(c + QPointF(20, -18), 8, 8);
}

} // namespace

void RegisterAboutArt()
{
    static const bool registered = [] {
        vx::art::Register(QStringLiteral("ABOUT_PICTURE"), PictureSize, PaintPicture);
        return true;
    }();
    (void)registered;
}

namespace {

// The picture at its size.
class TAboutPicture : public QWidget {
public:
    explicit TAboutPicture(QWidget* parent)
        : QWidget(parent)
    {
        setFixedSize(PictureSize);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        vx::art::Draw(p, QPointF(0, 0), QStringLiteral("ABOUT_PICTURE"));
    }
};

QLabel* CentredLine(QWidget* parent, const QString& text, int y, int width)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(0, y, width, 18);
    return label;
}

} // namespace

TAboutForm::TAboutForm(TAboutProgram program, QWidget* owner)
    : TDPIForm(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    RegisterAboutArt();
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About Vornix"));
    setFixedSize(ClientWidth, ClientHeight);

    Panel = new TRCPanel(this);
    Panel->SetBevelOuter(bvLowered);
    Panel->SetColor(QColor(32, 32, 34));
    Panel->setGeometry(8, 8, ClientWidth - 16, 342);
    auto* picture = new TAboutPicture(Panel);
    picture->move((Panel->width() - PictureSize.width()) / 2, 8);

    QPalette light = Panel->palette();
    light.setColor(QPalette::WindowText, QColor(225, 225, 225));
    Panel->setPalette(light);
    const int w = Panel->width();
    ProductLabel = CentredLine(Panel, ProductLine, 250, w);
    // The longest line: a size smaller keeps it clear of the panel's edges.
    QFont product = ProductLabel->font();
    product.setPixelSize(FontPixelSize - 1);
    ProductLabel->setFont(product);
    VersionLabel = CentredLine(Panel, program == TAboutProgram::Server ? ServerVersion : ClientVersion, 272, w);
    AuthorLabel = CentredLine(Panel, AuthorLine, 294, w);
    LinkLabel = CentredLine(Panel,
                            QStringLiteral("<a href=\"%1\" style=\"color:#8cc4ff; text-decoration:none\">%1</a>")
                                .arg(WebAddress),
                            316, w);
    LinkLabel->setTextFormat(Qt::RichText);
    LinkLabel->setOpenExternalLinks(true);
    LinkLabel->setCursor(Qt::PointingHandCursor);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setGeometry((ClientWidth - 75) / 2, 362, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}
