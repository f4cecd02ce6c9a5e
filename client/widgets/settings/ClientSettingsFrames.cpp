#include "client/widgets/settings/ClientSettingsFrames.h"

#include "controls/widgets/FixedLayout.h"
#include "controls/widgets/UpperCaseValidator.h"
#include "keying/widgets/SetCWMessageDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QSpinBox>

namespace {

constexpr int Margin = 8;
constexpr int ContentWidth = TSettingsFrame::FrameWidth - 2 * Margin;
constexpr int Top = 33;

QLineEdit* NewEdit(QWidget* parent, int x, int y, int width, int maxLength = 0, bool upper = false)
{
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(x, y, width, 21);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    if (upper)
        edit->setValidator(new TUpperCaseValidator(edit));
    return edit;
}

QLineEdit* NewDigitsEdit(QWidget* parent, int x, int y, int width)
{
    QLineEdit* edit = NewEdit(parent, x, y, width, 5);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

} // namespace

// --- CW Sidetone ----------------------------------------------------------------------------

TSettingsSidetoneFrame::TSettingsSidetoneFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("CW Sidetone"), parent)
{
    NewText(this,
            QStringLiteral("If your remote base server doesn't transfer a CW sidetone, or if you want to hear your "
                           "CW locally, let this application generate a sidetone on your soundcard."),
            Margin, Top - 2, ContentWidth, 40);
    UseSidetoneCheckBox =
        NewCheckBox(this, QStringLiteral("&Generate CW sidetone on your local soundcard"), Margin, Top + 40);
    EchoRadioGroup = new TRadioGroup(QString(),
                                     {QStringLiteral("&when sending characters (recommended)"),
                                      QStringLiteral("when an &echo is received from WinKey or Remote Base")},
                                     this);
    EchoRadioGroup->setGeometry(Margin, Top + 62, ContentWidth, 58);
    OutputDevicesComboBox = new QComboBox(this);
    OutputDevicesComboBox->setGeometry(Margin, Top + 144, ContentWidth, 22);
    NewBuddyLabel(this, QStringLiteral("Choose &Soundcard (Headset, Loudspeakers)"), OutputDevicesComboBox, Margin,
                  Top + 126);
    PitchEdit = new QSpinBox(this);
    PitchEdit->setGeometry(60, Top + 178, 70, 22);
    PitchEdit->setRange(600, 1000);
    PitchEdit->setSingleStep(10);
    PitchEdit->setValue(700);
    NewBuddyLabel(this, QStringLiteral("&Pitch"), PitchEdit, Margin, Top + 182);
    NewLabel(this, QStringLiteral("Hz"), 136, Top + 182);
    VolumeBar = new QSlider(Qt::Horizontal, this);
    VolumeBar->setGeometry(60, Top + 210, 150, 24);
    VolumeBar->setRange(0, 8);
    VolumeBar->setPageStep(1);
    VolumeBar->setTickPosition(QSlider::TicksBelow);
    VolumeBar->setValue(1);
    NewBuddyLabel(this, QStringLiteral("&Volume"), VolumeBar, Margin, Top + 214);
    TestButton = new QPushButton(QStringLiteral("Test"), this);
    TestButton->setGeometry(240, Top + 208, 80, 25);
    connect(UseSidetoneCheckBox, &QCheckBox::clicked, this, [this] { UseSidetoneCheckBoxClick(); });
}

void TSettingsSidetoneFrame::UseSidetoneCheckBoxClick()
{
    const bool use = UseSidetoneCheckBox->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{EchoRadioGroup, OutputDevicesComboBox, PitchEdit, VolumeBar,
                                                      TestButton})
        w->setEnabled(use);
    if (use && EchoRadioGroup->ItemIndex() < 0)
        EchoRadioGroup->SetItemIndex(0);
    if (!use)
        EchoRadioGroup->SetItemIndex(-1);
}

// --- Message tables -------------------------------------------------------------------------

TSettingsMessageTableFrame::TSettingsMessageTableFrame(const QString& title, QWidget* parent)
    : TSettingsFrame(title, parent)
{
    constexpr int rowHeight = 23;
    constexpr int capX = 44;
    constexpr int msgX = 160;
    NewLabel(this, QStringLiteral("Key"), Margin, Top);
    NewLabel(this, QStringLiteral("Caption"), capX, Top);
    NewLabel(this, QStringLiteral("Message"), msgX, Top);
    for (int n = 1; n <= Rows; ++n) {
        const int y = Top + 18 + (n - 1) * rowHeight;
        CapEdits[n - 1] = NewEdit(this, capX, y, msgX - capX - 6, 14);
        CapEdits[n - 1]->setText(QStringLiteral("Msg %1").arg(n));
        MessageEdits[n - 1] = NewEdit(this, msgX, y, FrameWidth - Margin - msgX, 0, true);
        NewBuddyLabel(this, QStringLiteral("F&%1").arg(n), MessageEdits[n - 1], Margin, y + 3);
    }
    NewText(this, QStringLiteral("Hint: you can change the messages any time by using the shortcuts Shift+F1 to Shift+F9"),
            Margin, Top + 18 + Rows * rowHeight + 4, ContentWidth, 30);
}

TSettingsCWMessagesFrame::TSettingsCWMessagesFrame(QWidget* parent)
    : TSettingsMessageTableFrame(QStringLiteral("CW Messages I"), parent)
{
}

TSettingsFSKMessagesFrame::TSettingsFSKMessagesFrame(QWidget* parent)
    : TSettingsMessageTableFrame(QStringLiteral("RTTY Messages"), parent)
{
}

TSettingsCWMessages2Frame::TSettingsCWMessages2Frame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("CW Messages II"), parent)
{
    CWEdit10 = NewEdit(this, Margin, Top + 18, ContentWidth, 80, true);
    NewBuddyLabel(this, QStringLiteral("Exchange after hitting INSERT key"), CWEdit10, Margin, Top);
    CWEdit11 = NewEdit(this, Margin, Top + 62, ContentWidth, 80, true);
    NewBuddyLabel(this, QStringLiteral("Exchange after logging a QSO using the ADD (+) key"), CWEdit11, Margin,
                  Top + 44);
    NewText(this, QStringLiteral("Hint: you can change the messages any time by using the shortcuts Shift+Insert and "
                                 "Shift+Add"),
            Margin, Top + 88, ContentWidth, 28);
    QGroupBox* box = NewGroupBox(QStringLiteral("Message variables:"), Margin, Top + 118, ContentWidth, 152);
    int y = 20;
    for (const auto& [name, text] : TSetCWMessageDlg::Variables()) {
        NewLabel(box, QLatin1String(name), Margin, y);
        NewLabel(box, QLatin1String(text), 90, y);
        y += 14;
    }
}

// --- FlexControl ----------------------------------------------------------------------------

TSettingsFlexControlFrame::TSettingsFlexControlFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("FlexControl Tuning Knob"), parent)
{
    NewText(this,
            QStringLiteral("If you are using FlexRadio Systems FlexControl USB Controlled Tuning Knob, specify the COM "
                           "Port your FlexControl is connected to. You will find the COM Port listed as /dev/ttyUSB* "
                           "or by its name in /dev/serial/by-id/."),
            Margin, Top, ContentWidth, 58);
    FlexControlCheckBox = NewCheckBox(this, QStringLiteral("Use FlexControl Tuning Knob"), Margin, Top + 66);
    FlexControlCombo = new TCOMPortComboBox(this);
    FlexControlCombo->SetCOMPortProperty(cpPort);
    FlexControlCombo->setGeometry(80, Top + 94, 220, 22);
    NewBuddyLabel(this, QStringLiteral("COM &Port"), FlexControlCombo, Margin, Top + 98);
    connect(FlexControlCheckBox, &QCheckBox::clicked, this, [this] { FlexControlCheckBoxClick(); });
}

void TSettingsFlexControlFrame::FlexControlCheckBoxClick()
{
    const bool use = FlexControlCheckBox->isChecked();
    FlexControlCombo->setEnabled(use);
    if (!use && FlexControlCombo->currentIndex() >= 0)
        FlexControlCombo->setCurrentIndex(0);
}

// --- Playback -------------------------------------------------------------------------------

TSettingsPlaybackFrame::TSettingsPlaybackFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("FT-2000 Playback Channel Captions"), parent)
{
    NewText(this,
            QStringLiteral("You can set captions for the five FT-2000 playback channels/messages - for CW and Voice "
                           "modes."),
            Margin, Top, ContentWidth, 30);
    constexpr int cwX = 40;
    constexpr int phoneX = 220;
    NewLabel(this, QStringLiteral("CW"), cwX, Top + 38);
    NewLabel(this, QStringLiteral("Voice"), phoneX, Top + 38);
    for (int i = 0; i < Channels; ++i) {
        const int y = Top + 56 + i * 26;
        NewLabel(this, QStringLiteral("#%1").arg(i + 1), Margin, y + 3);
        CWEdits[i] = NewEdit(this, cwX, y, 170, 18);
        PhoneEdits[i] = NewEdit(this, phoneX, y, 170, 18);
    }
    UseSidetoneCheckBox =
        NewCheckBox(this, QStringLiteral("&Play CW sidetone on your local soundcard"), Margin, Top + 56 + 5 * 26 + 8);
}

// --- Remote host dialog ---------------------------------------------------------------------

TSettingsNewHostForm::TSettingsNewHostForm(QWidget* owner)
    : TDPIForm(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(AddCaption);
    setFixedSize(330, 236);
    constexpr int editX = 140;
    int y = 12;
    auto row = [&](const QString& label, QLineEdit* edit, const QString& note = QString()) {
        edit->move(editX, y);
        auto* l = new QLabel(label, this);
        l->setBuddy(edit);
        l->adjustSize();
        l->move(12, y + 3);
        if (!note.isEmpty()) {
            auto* n = new QLabel(note, this);
            n->adjustSize();
            n->move(editX + edit->width() + 8, y + 3);
        }
        y += 30;
    };
    HostNameEdit = NewEdit(this, 0, 0, 170, 20);
    row(QStringLiteral("Host Nam&e"), HostNameEdit);
    IPEdit = NewEdit(this, 0, 0, 170);
    row(QStringLiteral("URL or &IP Address"), IPEdit);
    PortEdit = NewDigitsEdit(this, 0, 0, 60);
    PortEdit->setText(QStringLiteral("0"));
    row(QStringLiteral("&Port"), PortEdit, QStringLiteral("(max. 49151)"));
    UserNameEdit = NewEdit(this, 0, 0, 120, 16, true);
    row(QStringLiteral("&User Name (call sign)"), UserNameEdit);
    PasswordEdit = NewEdit(this, 0, 0, 120, 16);
    PasswordEdit->setEchoMode(QLineEdit::Password);
    row(QStringLiteral("Pass&word"), PasswordEdit);
    AudioPortEdit = NewDigitsEdit(this, 0, 0, 60);
    AudioPortEdit->setText(QStringLiteral("0"));
    row(QStringLiteral("&Audio Port"), AudioPortEdit, QStringLiteral("(max. 49151)"));

    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setGeometry(width() - 170, height() - 37, 75, 25);
    OKButton->setDefault(true);
    OKButton->setEnabled(false);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setGeometry(width() - 87, height() - 37, 75, 25);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    for (QLineEdit* edit : {HostNameEdit, IPEdit, PortEdit, UserNameEdit, PasswordEdit})
        connect(edit, &QLineEdit::textChanged, this, [this] { UpdateOK(); });
    connect(AudioPortEdit, &QLineEdit::textEdited, this, [this] { AudioPortEditChange(); });
    HostNameEdit->setFocus();
}

namespace {
std::optional<int> PortText(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}
} // namespace

void TSettingsNewHostForm::UpdateOK()
{
    // The server port must be a real port; the audio port may be empty or 0 (no audio).
    const std::optional<int> port = PortText(PortEdit->text());
    const QString audioText = AudioPortEdit->text().trimmed();
    const std::optional<int> audio = PortText(audioText);
    const bool audioOK = audioText.isEmpty() || (audio && *audio <= 65535);
    OKButton->setEnabled(!HostNameEdit->text().trimmed().isEmpty() && !IPEdit->text().trimmed().isEmpty() && port &&
                         *port >= 1 && *port <= 65535 && !UserNameEdit->text().isEmpty() &&
                         !PasswordEdit->text().isEmpty() && audioOK && AudioPortValid);
}

void TSettingsNewHostForm::AudioPortEditChange()
{
    if (FFilling)
        return;
    AudioPortValid = true;
    const QString text = AudioPortEdit->text().trimmed();
    if (text != QLatin1String("0") && !text.isEmpty() && PortText(text) == PortText(PortEdit->text())) {
        AudioPortValid = false;
        auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Error"),
                                    QStringLiteral("The audio port must be another than the server port!"),
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
    UpdateOK();
}

void TSettingsNewHostForm::SetEntry(const TRemoteBaseParameter& entry)
{
    FFilling = true;
    HostNameEdit->setText(entry.Hostname);
    IPEdit->setText(entry.Host);
    PortEdit->setText(entry.Port ? QString::number(entry.Port) : QString());
    UserNameEdit->setText(entry.Username);
    PasswordEdit->setText(entry.Password);
    AudioPortEdit->setText(entry.AudioPort ? QString::number(entry.AudioPort) : QString());
    FFilling = false;
    UpdateOK();
}

TRemoteBaseParameter TSettingsNewHostForm::Entry() const
{
    TRemoteBaseParameter e;
    e.Hostname = HostNameEdit->text().trimmed();
    e.Host = IPEdit->text().trimmed();
    e.Port = uint32_t(PortText(PortEdit->text()).value_or(0));
    e.Username = UserNameEdit->text();
    e.Password = PasswordEdit->text();
    e.AudioPort = uint32_t(PortText(AudioPortEdit->text()).value_or(0));
    return e;
}

// --- Remote Connections ---------------------------------------------------------------------

TSettingsClientFrame::TSettingsClientFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Remote Connections"), parent)
{
    NewText(this,
            QStringLiteral("If this instance of the application is running as Client enter the parameters here to be "
                           "able to connect to one (or more) Remote Base Server(s)."),
            Margin, Top, ContentWidth, 30);
    CheckListBox = new QListWidget(this);
    CheckListBox->setGeometry(Margin, Top + 36, 180, 110);
    NewHostButton = new QPushButton(QStringLiteral("&New Host"), this);
    NewHostButton->setGeometry(200, Top + 36, 80, 25);
    EditHostButton = new QPushButton(QStringLiteral("&Edit"), this);
    EditHostButton->setGeometry(200, Top + 66, 80, 25);
    RemoveHostButton = new QPushButton(QStringLiteral("Remove"), this);
    RemoveHostButton->setGeometry(200, Top + 96, 80, 25);

    QGroupBox* box = NewGroupBox(QString(), Margin, Top + 150, ContentWidth, 88);
    auto detail = [box](const QString& caption, int y) {
        vx::layout::Label(box, caption, Margin, y);
        return vx::layout::Label(box, QString(), 150, y, 260);
    };
    // Below the box's frame line, which the first row would touch.
    HostNameLabel = detail(QStringLiteral("Host Name"), 7);
    IPLabel = detail(QStringLiteral("URL or IP Address"), 23);
    PortLabel = detail(QStringLiteral("Port"), 39);
    UserNameLabel = detail(QStringLiteral("User Name (call sign)"), 55);
    AudioPortLabel = detail(QStringLiteral("Audio Port"), 71);
    NewText(this, QStringLiteral("Be sure to check one active Remote Connection if you have registered more than one"),
            Margin, Top + 242, ContentWidth, 28);

    connect(CheckListBox, &QListWidget::currentRowChanged, this, [this](int row) { Select(row); });
    connect(CheckListBox, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) { ItemChanged(item); });
    connect(NewHostButton, &QPushButton::clicked, this, [this] { NewHostButtonClick(); });
    connect(EditHostButton, &QPushButton::clicked, this, [this] { EditHostButtonClick(); });
    connect(RemoveHostButton, &QPushButton::clicked, this, [this] { RemoveHostButtonClick(); });
    UpdateButtons();
}

void TSettingsClientFrame::LoadBases(const std::array<TRemoteBaseParameter, MaxBases>& bases)
{
    FFilling = true;
    CheckListBox->clear();
    ARemoteBaseParameters = {};
    ARemoteBaseCount = 0;
    ARemoteBaseSelected = -1;
    ShowDetails(-1);
    for (const TRemoteBaseParameter& base : bases) {
        if (base.Hostname.isEmpty())
            continue;
        const int i = ARemoteBaseCount++;
        ARemoteBaseParameters[i] = base;
        auto* item = new QListWidgetItem(base.Hostname, CheckListBox);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(base.Active ? Qt::Checked : Qt::Unchecked);
        if (base.Active)
            ShowDetails(i);
    }
    FFilling = false;
    NewHostButton->setEnabled(ARemoteBaseCount < MaxBases);
    EditHostButton->setEnabled(false);
    RemoveHostButton->setEnabled(false);
}

void TSettingsClientFrame::ShowDetails(int index)
{
    if (index < 0 || index >= ARemoteBaseCount) {
        for (QLabel* l : {HostNameLabel, IPLabel, PortLabel, UserNameLabel, AudioPortLabel})
            l->clear();
        return;
    }
    const TRemoteBaseParameter& e = ARemoteBaseParameters[index];
    HostNameLabel->setText(e.Hostname);
    IPLabel->setText(e.Host);
    PortLabel->setText(QString::number(e.Port));
    UserNameLabel->setText(e.Username);
    AudioPortLabel->setText(QString::number(e.AudioPort));
}

void TSettingsClientFrame::UpdateButtons()
{
    NewHostButton->setEnabled(ARemoteBaseCount < MaxBases);
    const bool selected = ARemoteBaseSelected >= 0;
    EditHostButton->setEnabled(selected);
    RemoveHostButton->setEnabled(selected);
    if (!selected)
        ShowDetails(-1);
}

void TSettingsClientFrame::Select(int row)
{
    if (FFilling)
        return;
    ARemoteBaseSelected = row < ARemoteBaseCount ? row : -1;
    ShowDetails(ARemoteBaseSelected);
    UpdateButtons();
}

void TSettingsClientFrame::ItemChanged(QListWidgetItem* item)
{
    if (FFilling)
        return;
    const int row = CheckListBox->row(item);
    if (row < 0 || row >= ARemoteBaseCount)
        return;
    FFilling = true;
    if (item->checkState() == Qt::Checked) {
        // One active station: the one just checked.
        for (int i = 0; i < ARemoteBaseCount; ++i) {
            const bool active = i == row;
            ARemoteBaseParameters[i].Active = active;
            CheckListBox->item(i)->setCheckState(active ? Qt::Checked : Qt::Unchecked);
        }
    } else {
        // The list shows what applies: no check mark, no active station.
        ARemoteBaseParameters[row].Active = false;
    }
    FFilling = false;
    CheckListBox->setCurrentRow(row);
    Select(row);
}

void TSettingsClientFrame::NewHostButtonClick()
{
    if (ARemoteBaseCount >= MaxBases)
        return;
    TSettingsNewHostForm form(this);
    form.SetEntry({});
    if (form.exec() == QDialog::Accepted) {
        const int i = ARemoteBaseCount++;
        ARemoteBaseParameters[i] = form.Entry();
        FFilling = true;
        auto* item = new QListWidgetItem(ARemoteBaseParameters[i].Hostname, CheckListBox);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        if (ARemoteBaseCount == 1) {
            item->setCheckState(Qt::Checked);
            ARemoteBaseParameters[i].Active = true;
        }
        FFilling = false;
    }
    UpdateButtons();
}

void TSettingsClientFrame::EditHostButtonClick()
{
    const int i = ARemoteBaseSelected;
    if (i < 0 || i >= ARemoteBaseCount)
        return;
    TSettingsNewHostForm form(this);
    form.setWindowTitle(TSettingsNewHostForm::EditCaption);
    form.SetEntry(ARemoteBaseParameters[i]);
    if (form.exec() == QDialog::Accepted) {
        TRemoteBaseParameter e = form.Entry();
        e.Active = ARemoteBaseParameters[i].Active;
        ARemoteBaseParameters[i] = e;
        FFilling = true;
        CheckListBox->item(i)->setText(e.Hostname);
        if (ARemoteBaseCount == 1) {
            CheckListBox->item(i)->setCheckState(Qt::Checked);
            ARemoteBaseParameters[i].Active = true;
        }
        FFilling = false;
        ShowDetails(i);
    }
    UpdateButtons();
}

void TSettingsClientFrame::RemoveHostButtonClick()
{
    const int i = ARemoteBaseSelected;
    if (i < 0 || i >= ARemoteBaseCount)
        return;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), QStringLiteral("Are you sure to remove this entry?"),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    if (box.exec() != QMessageBox::Ok)
        return;
    for (int k = i; k < MaxBases - 1; ++k)
        ARemoteBaseParameters[k] = ARemoteBaseParameters[k + 1];
    ARemoteBaseParameters[MaxBases - 1] = {};
    --ARemoteBaseCount;
    FFilling = true;
    delete CheckListBox->takeItem(i);
    CheckListBox->setCurrentRow(-1);
    FFilling = false;
    ARemoteBaseSelected = -1;
    UpdateButtons();
}

// --- Audio client ---------------------------------------------------------------------------

TSettingsAudioClientGeneralFrame::TSettingsAudioClientGeneralFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Audio Client General"), parent)
{
    AutoConnectCheckBox = NewCheckBox(
        this, QStringLiteral("&Auto-connect to Remote Audio Server when connecting\nto Vornix Server"), Margin, Top);
    UsePTTCheckBox = NewCheckBox(
        this, QStringLiteral("Use &Push-to-talk (PTT) on transmit\n(must be enabled on Audio Server)"), Margin, Top + 40);
    TransmitOnMOXCheckBox = NewCheckBox(this, QStringLiteral("Send audio on MOX"), Margin, Top + 80);
    TransmitOnVOXCheckBox = NewCheckBox(this, QStringLiteral("Send audio on VOX"), Margin, Top + 106);
}

TSettingsAudioClientDevicesFrame::TSettingsAudioClientDevicesFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Audio Client Devices"), parent)
{
    OutputDevicesComboBox = new QComboBox(this);
    OutputDevicesComboBox->setGeometry(Margin, Top + 24, ContentWidth, 22);
    NewBuddyLabel(this, QStringLiteral("Choose &Wave Out Device (Loudspeakers, Headset)"), OutputDevicesComboBox,
                  Margin, Top + 6);
    InputDevicesComboBox = new QComboBox(this);
    InputDevicesComboBox->setGeometry(Margin, Top + 80, ContentWidth, 22);
    NewBuddyLabel(this, QStringLiteral("Choose Wave &In Device (Microphone, Headset)"), InputDevicesComboBox, Margin,
                  Top + 62);
}

TSettingsAudioClientCodecsFrame::TSettingsAudioClientCodecsFrame(QWidget* parent)
    : TSettingsAudioCodecsFrame(QStringLiteral("Audio Client Codecs"), parent)
{
}
