#include "client/widgets/MainFormStandIns.h"

#include "controls/widgets/DPIForm.h"
#include "core/DMApplication.h"
#include "core/IniStore.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <array>
#include <optional>

namespace {

const QColor FieldText{192, 192, 192};

QPalette DarkField(const QWidget* w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, Qt::black);
    p.setColor(QPalette::Text, FieldText);
    return p;
}

template <typename T>
T* Field(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* f = new T(parent);
    f->setObjectName(QLatin1String(name));
    f->setGeometry(geometry);
    f->setPalette(DarkField(f));
    return f;
}

QString Bit(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

TStandInPanel::TStandInPanel(const QString& Caption, int Width, int Height, QWidget* parent)
    : TRCPanel(parent)
{
    SetCaption(Caption);
    SetAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    SetFontColor(QColor(128, 128, 128));
    setFixedSize(Width, Height);
}

TLogPanelStandIn::TLogPanelStandIn(QWidget* parent)
    : TStandInPanel(QStringLiteral("QSO Entry"), 352, 251, parent)
{
    setObjectName(QStringLiteral("LogPanel"));
    CallEdit = Field<QLineEdit>(this, "CallEdit", QRect(8, 18, 162, 21));
    CallEdit->setMaxLength(16);
}

void TLogPanelStandIn::Open()
{
    Calls << QStringLiteral("Open");
}

bool TLogPanelStandIn::IsTextCommand(bool ExeceuteCommand)
{
    Calls << QStringLiteral("IsTextCommand(%1)").arg(Bit(ExeceuteCommand));
    return false;
}

void TLogPanelStandIn::LogQSOActionExecute()
{
    Calls << QStringLiteral("LogQSOActionExecute");
}

void TLogPanelStandIn::ClearControls(bool FocusToCallEdit, bool ClearLogMessage)
{
    Calls << QStringLiteral("ClearControls(%1,%2)").arg(Bit(FocusToCallEdit), Bit(ClearLogMessage));
    CallEdit->clear();
    if (FocusToCallEdit)
        CallEdit->setFocus();
}

void TLogPanelStandIn::DoSendSpot()
{
    Calls << QStringLiteral("DoSendSpot");
}

void TLogPanelStandIn::DoQRZButtonClick()
{
    Calls << QStringLiteral("DoQRZButtonClick");
}

void TLogPanelStandIn::SetCallsign(const QString& Value)
{
    Calls << QStringLiteral("SetCallsign(%1)").arg(Value);
    CallEdit->setText(Value);
}

void TLogPanelStandIn::SetHisName(const QString& Value)
{
    Calls << QStringLiteral("SetHisName(%1)").arg(Value);
}

TLogStatisticsPanelStandIn::TLogStatisticsPanelStandIn(QWidget* parent)
    : TStandInPanel(QStringLiteral("Log Statistics"), 500, 455, parent)
{
    setObjectName(QStringLiteral("LogStatisticsPanel"));
    // It fills its page.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    SetAlignment(Qt::AlignCenter);
    StatisticsTypeComboBox = new QComboBox(this);
    StatisticsTypeComboBox->setObjectName(QStringLiteral("StatisticsTypeComboBox"));
    StatisticsTypeComboBox->setGeometry(8, 8, 160, 21);
    StatisticsTypeComboBox->setEnabled(false);
}

void ShowAboutBox(QWidget* owner)
{
    QDialog box(owner);
    box.setWindowTitle(QStringLiteral("About Vornix"));
    box.setFont(TDPIForm::FormFont());
    auto* layout = new QVBoxLayout(&box);
    for (const QString& line : {QStringLiteral("Remote and CAT Control for YAESU FT DX 5000, FT-2000 and FT-950"),
                                QStringLiteral("Version 3.3, December 2021")}) {
        auto* label = new QLabel(line, &box);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(buttons);
    box.exec();
}

bool MenuEditorAvailable()
{
    return false;
}

void ExecuteMenuEditor(QWidget*, int32_t&) {}

bool TXAudioSettingsAvailable()
{
    return false;
}

void ExecuteTXAudioSettings(QWidget*) {}

bool SettingsFileAvailable()
{
    return false;
}

void ExecuteSettingsExport(QWidget*) {}

bool ExecuteSettingsImport(QWidget*)
{
    return false;
}

TMainLogPanel* CreateMainLogPanel(QWidget* parent)
{
    return new TLogPanelStandIn(parent);
}

TMainLogStatisticsPanel* CreateMainLogStatisticsPanel()
{
    return new TLogStatisticsPanelStandIn;
}
