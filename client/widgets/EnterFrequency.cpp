#include "client/widgets/EnterFrequency.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

namespace {

// The width a line edit has for its text: inside its frame and the margins it keeps.
int TextWidth(const QLineEdit* edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = QRect(QPoint(0, 0), edit->size());
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QRect text = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const QMargins margins = edit->textMargins();
    // Qt keeps two pixels each side inside the contents for the cursor.
    return text.width() - margins.left() - margins.right() - 4;
}

} // namespace

TEnterFrequencyForm::TEnterFrequencyForm(QWidget* owner)
    : TDPIForm(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("EnterFrequencyForm"));
    setWindowTitle(QStringLiteral("Enter Frequency"));
    setFixedSize(173, 69);

    VFORadioGroup = new QGroupBox(this);
    VFORadioGroup->setObjectName(QStringLiteral("VFORadioGroup"));
    VFORadioGroup->setGeometry(4, 2, 81, 57);
    auto* column = new QVBoxLayout(VFORadioGroup);
    column->setContentsMargins(8, 4, 4, 4);
    column->setSpacing(2);
    VFOARadio = new QRadioButton(QStringLiteral("VFO A"), VFORadioGroup);
    VFOBRadio = new QRadioButton(QStringLiteral("VFO B"), VFORadioGroup);
    column->addWidget(VFOARadio);
    column->addWidget(VFOBRadio);
    VFOARadio->setChecked(true);

    MaskEdit = new QLineEdit(this);
    MaskEdit->setObjectName(QStringLiteral("MaskEdit"));
    MaskEdit->setGeometry(91, 8, 59, 21);
    // Two megahertz places, the point, six fraction places; blanks where nothing is typed.
    MaskEdit->setInputMask(QStringLiteral("##.######; "));
    MaskEdit->setMaxLength(9);
    // The box keeps its size: the font is made small enough for the widest text it takes.
    QFont font = MaskEdit->font();
    for (int pixels = font.pixelSize() > 0 ? font.pixelSize() : 11; pixels > 7; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(QStringLiteral("88.888888")) <= TextWidth(MaskEdit))
            break;
    }
    MaskEdit->setFont(font);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(91, 35, 75, 25);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    MaskEdit->setFocus();
}

bool TEnterFrequencyForm::VFOB() const
{
    return VFOBRadio->isChecked();
}

QString TEnterFrequencyForm::FrequencyText(int32_t Hz)
{
    QString text = QString::number(Hz / 1000000.0, 'f', 6);
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    if (text.size() <= 8)
        text.prepend(QLatin1Char(' '));
    return text;
}

std::optional<int32_t> TEnterFrequencyForm::TextToFrequency(const QString& Text)
{
    QString text = Text;
    text.remove(QLatin1Char(' '));
    text = text.trimmed();
    const int point = text.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? text : text.left(point);
    QString fraction = point < 0 ? QString() : text.mid(point + 1);
    const auto digits = [](const QString& s) {
        for (const QChar c : s) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        }
        return true;
    };
    // The mask holds two megahertz and six fraction places; anything else is no frequency.
    if (whole.isEmpty() || whole.size() > 2 || fraction.size() > 6 || !digits(whole) || !digits(fraction))
        return std::nullopt;
    fraction = fraction.leftJustified(6, QLatin1Char('0'));
    return whole.toInt() * 1000000 + fraction.toInt();
}
