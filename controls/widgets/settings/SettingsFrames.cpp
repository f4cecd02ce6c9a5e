#include "controls/widgets/settings/SettingsFrames.h"

#include "controls/widgets/FixedLayout.h"
#include "controls/widgets/RCPanel.h"
#include "controls/widgets/Shape.h"
#include "controls/widgets/UpperCaseValidator.h"
#include "platform/SerialPort.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTreeWidget>
#include <algorithm>

namespace {

constexpr int Margin = 8;
constexpr int ContentWidth = TSettingsFrame::FrameWidth - 2 * Margin;
constexpr int TitleHeight = 25;
constexpr int Top = TitleHeight + 8;

// A spin edit changed by its buttons only.
void ButtonsOnly(QSpinBox* spin)
{
    if (auto* edit = spin->findChild<QLineEdit*>())
        edit->setReadOnly(true);
}

QSpinBox* NewSpin(QWidget* parent, int x, int y, int width, int min, int max, int step, int value)
{
    auto* spin = new QSpinBox(parent);
    spin->setGeometry(x, y, width, 22);
    spin->setRange(min, max);
    spin->setSingleStep(step);
    spin->setValue(value);
    return spin;
}

const QStringList PinTypes = {QStringLiteral("Always OFF"), QStringLiteral("Always ON"), QStringLiteral("PTT")};

} // namespace

QStringList SettingsDeviceEntries(const QStringList& names)
{
    QStringList entries;
    for (int i = 0; i < names.size(); ++i)
        entries << QStringLiteral("%1 (%2)").arg(names[i]).arg(i);
    if (entries.isEmpty())
        entries << QStringLiteral("- none -");
    return entries;
}

QTreeWidget* NewSettingsTree(QWidget* dialog)
{
    auto* tree = new QTreeWidget(dialog);
    tree->setGeometry(8, 8, 220, 305);
    tree->setHeaderHidden(true);
    tree->setIndentation(19);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return tree;
}

void NewSettingsButtons(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel)
{
    ok = new QPushButton(QStringLiteral("&OK"), dialog);
    ok->setGeometry(234, 327, 75, 25);
    ok->setDefault(true);
    cancel = new QPushButton(QStringLiteral("&Cancel"), dialog);
    cancel->setGeometry(313, 327, 75, 25);
}

std::optional<int> SettingsPortNumber(const QLineEdit* edit, int min)
{
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    if (!ok || value < min || value > 65535)
        return std::nullopt;
    return value;
}

// --- Upper-case memo ------------------------------------------------------------------------

void TUpperCaseMemo::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (!text.isEmpty() && text != text.toUpper()) {
        QKeyEvent upper(event->type(), event->key(), event->modifiers(), text.toUpper(), event->isAutoRepeat(),
                        ushort(event->count()));
        QPlainTextEdit::keyPressEvent(&upper);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TUpperCaseMemo::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText())
        insertPlainText(source->text().toUpper());
}

// --- Base -----------------------------------------------------------------------------------

TSettingsFrame::TSettingsFrame(const QString& title, QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(FrameWidth, FrameHeight);
    TitlePanel = new TRCPanel(this);
    TitlePanel->setGeometry(0, 0, FrameWidth, TitleHeight);
    TitlePanel->SetCaption(QLatin1Char(' ') + title);
    TitlePanel->SetAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    TitlePanel->SetFontColor(QColor(235, 235, 235));
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(12);
    TitlePanel->setFont(bold);
}

QLabel* TSettingsFrame::NewLabel(QWidget* parent, const QString& text, int x, int y, int width)
{
    return vx::layout::Label(parent, text, x, y, width);
}

QLabel* TSettingsFrame::NewText(QWidget* parent, const QString& text, int x, int y, int width, int height)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(x, y, width, height);
    return label;
}

QLabel* TSettingsFrame::NewBuddyLabel(QWidget* parent, const QString& text, QWidget* buddy, int x, int y)
{
    QLabel* label = NewLabel(parent, text, x, y);
    label->setBuddy(buddy);
    // Sized again: only with a buddy does the "&" stop being drawn, and measured, as a letter.
    label->adjustSize();
    return label;
}

QCheckBox* TSettingsFrame::NewCheckBox(QWidget* parent, const QString& text, int x, int y)
{
    return vx::layout::CheckBox(parent, text, x, y);
}

QGroupBox* TSettingsFrame::NewGroupBox(const QString& text, int x, int y, int width, int height)
{
    auto* box = new QGroupBox(text, this);
    box->setGeometry(x, y, width, height);
    return box;
}

QLineEdit* TSettingsFrame::NewNumberEdit(QWidget* parent, int x, int y, int width, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(x, y, width, 22);
    edit->setMaxLength(maxLength);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

// --- Radio COM Port -------------------------------------------------------------------------

TSettingsCOMPortFrame::TSettingsCOMPortFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Radio COM Port"), parent)
{
    NewText(this,
            QStringLiteral("If this instance of the application is running local or as a remote server you need to "
                           "specify the COM Port connected to your transceiver and the baud rate."),
            Margin, Top, ContentWidth, 44);
    NewText(this,
            QStringLiteral("It is recommended to use the highest baud rate 38400 bps. Be sure to set it right in "
                           "the Transceiver Menu."),
            Margin, Top + 48, ContentWidth, 30);
    QGroupBox* box = NewGroupBox(QString(), Margin, Top + 88, ContentWidth, 104);
    ComPortComboBox = new TCOMPortComboBox(box);
    ComPortComboBox->SetCOMPortProperty(cpPort);
    ComPortComboBox->setGeometry(100, 12, 220, 22);
    NewBuddyLabel(box, QStringLiteral("Port"), ComPortComboBox, 12, 16);
    BaudrateComboBox = new TCOMPortComboBox(box);
    BaudrateComboBox->SetCOMPortProperty(cpBaudrate);
    BaudrateComboBox->setGeometry(100, 42, 100, 22);
    NewBuddyLabel(box, QStringLiteral("Baud rate"), BaudrateComboBox, 12, 46);
    NewLabel(box, QStringLiteral("Flow control"), 12, 76);
    RTSCheckBox = NewCheckBox(box, QStringLiteral("RTS"), 100, 74);
}

void TSettingsCOMPortFrame::Load(const vx::SerialPort& port)
{
    ComPortComboBox->SetCOMPort(port.port());
    BaudrateComboBox->SetCOMBaudrate(BaudRateOf(port.baudRate()).value_or(brCustom));
    RTSCheckBox->setChecked(port.rts());
}

int32_t TSettingsCOMPortFrame::Baudrate(const vx::SerialPort& port) const
{
    const int32_t chosen = BaudRateValue(BaudrateComboBox->COMBaudrate());
    return chosen > 0 ? chosen : port.baudRate();
}

bool TSettingsCOMPortFrame::Differs(const vx::SerialPort& port) const
{
    return ComPortComboBox->COMPort() != port.port() || Baudrate(port) != port.baudRate() ||
           RTSCheckBox->isChecked() != port.rts();
}

void TSettingsCOMPortFrame::Apply(vx::SerialPort& port) const
{
    if (!Differs(port))
        return;
    const QString name = ComPortComboBox->COMPort();
    const bool reopen = name != port.port() && port.connected();
    if (reopen)
        port.close();
    port.setPort(name);
    port.setBaudRate(Baudrate(port));
    port.setRts(RTSCheckBox->isChecked());
    if (reopen)
        port.open();
}

// --- Remote Server --------------------------------------------------------------------------

TSettingsServerFrame::TSettingsServerFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Remote Server"), parent)
{
    NewText(this,
            QStringLiteral("If this instance of the application is running as a Remote Base Server you need to "
                           "specify the Host Name and the Port of your Brindlex server."),
            Margin, Top, ContentWidth, 44);
    NewText(this, QStringLiteral("Be sure to open this TCP port in your firewall and DSL router!"), Margin, Top + 48,
            ContentWidth, 18);
    QGroupBox* box = NewGroupBox(QStringLiteral(" Server "), Margin, Top + 76, ContentWidth, 92);
    HostNameEdit = new QLineEdit(box);
    HostNameEdit->setGeometry(100, 26, 220, 22);
    HostNameEdit->setValidator(new TUpperCaseValidator(HostNameEdit));
    NewBuddyLabel(box, QStringLiteral("&Host Name"), HostNameEdit, 12, 30);
    PortEdit = NewNumberEdit(box, 100, 56, 60);
    PortEdit->setText(QStringLiteral("0"));
    NewBuddyLabel(box, QStringLiteral("&Port"), PortEdit, 12, 60);
    NewLabel(box, QStringLiteral("(max. 49151)"), 168, 60);
    ShutdownRadioCheckBox =
        NewCheckBox(this, QStringLiteral("Switch the radio &off when the desktop session ends"), Margin, Top + 180);
}

// --- Users ----------------------------------------------------------------------------------

TSettingsUsersFrame::TSettingsUsersFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Remote Users"), parent)
{
    NewText(this,
            QStringLiteral("Enter the list of user names who will have access to your server. Enter one user per "
                           "line. There is a common password for all users."),
            Margin, Top, ContentWidth, 44);
    UsersMemo = new TUpperCaseMemo(this);
    UsersMemo->setGeometry(Margin, Top + 72, 200, 180);
    UsersMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    UsersMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    NewBuddyLabel(this, QStringLiteral("&User names"), UsersMemo, Margin, Top + 54);
    PasswordEdit = new QLineEdit(this);
    PasswordEdit->setGeometry(228, Top + 72, 160, 22);
    PasswordEdit->setMaxLength(16);
    PasswordEdit->setEchoMode(QLineEdit::Password);
    NewBuddyLabel(this, QStringLiteral("&Password"), PasswordEdit, 228, Top + 54);
}

QStringList TSettingsUsersFrame::Users() const
{
    QStringList users;
    for (const QString& line : UsersMemo->toPlainText().split(QLatin1Char('\n'))) {
        const QString user = line.trimmed();
        if (user.isEmpty())
            continue;
        const bool known = std::any_of(users.cbegin(), users.cend(), [&user](const QString& u) {
            return u.compare(user, Qt::CaseInsensitive) == 0;
        });
        if (!known)
            users << user;
    }
    std::stable_sort(users.begin(), users.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return users;
}

// --- Audio server port ----------------------------------------------------------------------

TSettingsAudioServerPortFrame::TSettingsAudioServerPortFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Audio Server Port"), parent)
{
    NewText(this,
            QStringLiteral("You need to specify the TCP Port of your audio server. The audio server is listening on "
                           "this port for incoming connects."),
            Margin, Top, ContentWidth, 44);
    ActivateServerCheckBox = NewCheckBox(
        this, QStringLiteral("&Activate Remote Audio Server if this application is running as server"), Margin - 4,
        Top + 54);
    AudioPortEdit = NewNumberEdit(this, 80, Top + 86, 60);
    AudioPortEdit->setText(QStringLiteral("4000"));
    NewBuddyLabel(this, QStringLiteral("Audio &Port"), AudioPortEdit, Margin, Top + 90);
    NewLabel(this, QStringLiteral("(max. 49151)"), 148, Top + 90);
}

// --- PTT ------------------------------------------------------------------------------------

TSettingsPTTFrame::TSettingsPTTFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Audio Server Push-to-talk (PTT)"), parent)
{
    NewText(this,
            QStringLiteral("Optional: Select a serial port and the RTS/DTR switching type for transmit/receive "
                           "switching used by Vornix Audio Server and your radio interface to control your "
                           "transceiver."),
            Margin, Top, ContentWidth, 44);
    ComPortComboBox = new TCOMPortComboBox(this);
    ComPortComboBox->SetCOMPortProperty(cpPort);
    ComPortComboBox->setGeometry(100, Top + 54, 220, 22);
    NewBuddyLabel(this, QStringLiteral("COM &Port"), ComPortComboBox, Margin, Top + 58);
    RTSComboBox = new QComboBox(this);
    RTSComboBox->addItems(PinTypes);
    RTSComboBox->setGeometry(100, Top + 84, 120, 22);
    NewBuddyLabel(this, QStringLiteral("&RTS"), RTSComboBox, Margin, Top + 88);
    NewLabel(this, QStringLiteral("(pin 7)"), 228, Top + 88);
    DTRComboBox = new QComboBox(this);
    DTRComboBox->addItems(PinTypes);
    DTRComboBox->setGeometry(100, Top + 114, 120, 22);
    NewBuddyLabel(this, QStringLiteral("&DTR"), DTRComboBox, Margin, Top + 118);
    NewLabel(this, QStringLiteral("(pin 4)"), 228, Top + 118);
    TimeoutEdit = NewSpin(this, 100, Top + 144, 80, 0, 3000, 10, 300);
    NewBuddyLabel(this, QStringLiteral("PTT Timeout"), TimeoutEdit, Margin, Top + 148);
    NewLabel(this, QStringLiteral("(in seconds)"), 188, Top + 148);
    NewText(this,
            QStringLiteral("Hint: PTT must be enabled in Settings > Remote Audio Client > Client General to send a PTT "
                           "signal to the Audio Server on transmit."),
            Margin, Top + 184, ContentWidth, 44);
    connect(ComPortComboBox, &QComboBox::currentTextChanged, this, [this] { ComPortComboBoxChange(); });
    ComPortComboBoxChange();
}

void TSettingsPTTFrame::ComPortComboBoxChange()
{
    const bool port = !ComPortComboBox->COMPort().isEmpty();
    RTSComboBox->setEnabled(port);
    DTRComboBox->setEnabled(port);
    TimeoutEdit->setEnabled(port);
}

// --- Audio server devices -------------------------------------------------------------------

TSettingsAudioServerDevicesFrame::TSettingsAudioServerDevicesFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Audio Server Devices"), parent)
{
    InputDevicesComboBox = new QComboBox(this);
    InputDevicesComboBox->setGeometry(Margin, Top + 24, ContentWidth, 22);
    NewBuddyLabel(this, QStringLiteral("Choose &Wave In Device (connected to your radio audio output)"),
                  InputDevicesComboBox, Margin, Top + 6);
    OutputDevicesComboBox = new QComboBox(this);
    OutputDevicesComboBox->setGeometry(Margin, Top + 80, ContentWidth, 22);
    NewBuddyLabel(this, QStringLiteral("Choose W&ave Out Device (connected to your radio audio input)"),
                  OutputDevicesComboBox, Margin, Top + 62);
}

// --- Codecs ---------------------------------------------------------------------------------

TSettingsAudioCodecsFrame::TSettingsAudioCodecsFrame(const QString& title, QWidget* parent)
    : TSettingsFrame(title, parent)
{
    CodecRadioGroup = new TRadioGroup(
        QStringLiteral(" Co&dec "),
        {QStringLiteral("PCM uncompressed"), QStringLiteral("GSM 6.10 compressed (only mono)")}, this);
    CodecRadioGroup->setGeometry(Margin, Top, ContentWidth, 66);
    const int w = (ContentWidth - 2 * Margin) / 3;
    SampleRateRadioGroup = new TRadioGroup(
        QStringLiteral(" Sample &rate "), {QStringLiteral("8 kHz"), QStringLiteral("11 kHz"), QStringLiteral("22 kHz")},
        this);
    SampleRateRadioGroup->setGeometry(Margin, Top + 74, w, 86);
    BPSRadioGroup = new TRadioGroup(QStringLiteral(" &Bits per sample "),
                                    {QStringLiteral("8 bit"), QStringLiteral("16 bit")}, this);
    BPSRadioGroup->setGeometry(2 * Margin + w, Top + 74, w, 86);
    ChannelsRadioGroup =
        new TRadioGroup(QStringLiteral(" C&hannels "), {QStringLiteral("mono"), QStringLiteral("stereo")}, this);
    ChannelsRadioGroup->setGeometry(3 * Margin + 2 * w, Top + 74, ContentWidth - 2 * Margin - 2 * w, 86);
    TransferRateLabel = NewLabel(this, QStringLiteral("Transfer rate"), Margin, Top + 172, ContentWidth);

    CodecRadioGroup->OnClick = [this] {
        UpdateCodecControls();
        if (OnCodecChange)
            OnCodecChange();
    };
    for (TRadioGroup* group : {SampleRateRadioGroup, BPSRadioGroup, ChannelsRadioGroup})
        group->OnClick = [this] {
            if (OnCodecChange)
                OnCodecChange();
        };
}

void TSettingsAudioCodecsFrame::UpdateCodecControls()
{
    const bool pcm = CodecRadioGroup->ItemIndex() == 0;
    BPSRadioGroup->setEnabled(pcm);
    ChannelsRadioGroup->setEnabled(pcm);
}

TSettingsAudioServerCodecsFrame::TSettingsAudioServerCodecsFrame(QWidget* parent)
    : TSettingsAudioCodecsFrame(QStringLiteral("Audio Server Codecs"), parent)
{
    UserChosenCodecCheckBox = NewCheckBox(this, QStringLiteral("&Remote user may change Codec"), Margin, Top + 198);
}

// --- Buffers --------------------------------------------------------------------------------

TSettingsAudioBuffersFrame::TSettingsAudioBuffersFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("Audio Buffers"), parent)
{
    GroupBox1 = NewGroupBox(QStringLiteral(" Audio Input Device "), Margin, Top, ContentWidth, 110);
    NewText(GroupBox1,
            QStringLiteral("If you have audio stream drop-outs with your audio recording device, increase the Buffer "
                           "length. The higher the Buffer length, the higher the latency."),
            Margin, 22, ContentWidth - 2 * Margin, 44);
    BufferLengthEdit = NewSpin(GroupBox1, 100, 72, 70, 10, 1000, 10, 10);
    ButtonsOnly(BufferLengthEdit);
    NewBuddyLabel(GroupBox1, QStringLiteral("Buffer length"), BufferLengthEdit, Margin, 76);
    NewLabel(GroupBox1, QStringLiteral("in msec (10..1000)"), 178, 76);

    GroupBox2 = NewGroupBox(QStringLiteral(" Audio Output Device "), Margin, Top + 118, ContentWidth, 146);
    OverrunEdit = NewSpin(GroupBox2, 200, 22, 60, 0, 100, 1, 0);
    ButtonsOnly(OverrunEdit);
    NewBuddyLabel(GroupBox2, QStringLiteral("Limit Soundcard buffer overrun"), OverrunEdit, Margin, 26);
    NewText(GroupBox2, QStringLiteral("0 = no limitation, 6..10 recommended for low latency and few drop-outs."),
            Margin, 54, ContentWidth - 2 * Margin, 30);
    NewText(GroupBox2,
            QStringLiteral("If you experience high latency with Audio Output processing of your soundcard, limit the "
                           "soundcard buffer overrun by setting a value greater than 0."),
            Margin, 88, ContentWidth - 2 * Margin, 44);
}

// --- WinKeyer -------------------------------------------------------------------------------

TSettingsCWFrame::TSettingsCWFrame(QWidget* parent)
    : TSettingsFrame(Title, parent)
{
    NewText(this,
            QStringLiteral("If this instance of the application is running local or as a remote server you need to "
                           "specify the COM Port of your WinKey and the other keyer settings here."),
            Margin, Top, ContentWidth, 44);
    COMPortComboBox = new TCOMPortComboBox(this);
    COMPortComboBox->SetCOMPortProperty(cpPort);
    COMPortComboBox->setGeometry(96, Top + 48, 200, 22);
    NewBuddyLabel(this, QStringLiteral("COM &Port"), COMPortComboBox, Margin, Top + 52);
    WKActiveShape = new TShape(this);
    WKActiveShape->setGeometry(304, Top + 52, 14, 14);
    WKActiveShape->SetBrushColor(QColor(128, 128, 128));
    KeyerModeComboBox = new QComboBox(this);
    KeyerModeComboBox->addItems(
        {QStringLiteral("Iambic A"), QStringLiteral("Iambic B"), QStringLiteral("Ultimatic"), QStringLiteral("Bug")});
    KeyerModeComboBox->setGeometry(96, Top + 78, 110, 22);
    NewBuddyLabel(this, QStringLiteral("&Keyer Mode"), KeyerModeComboBox, Margin, Top + 82);
    MaxWPMEdit = NewSpin(this, 96, Top + 108, 60, 5, 99, 1, 40);
    NewBuddyLabel(this, QStringLiteral("Ma&x WPM"), MaxWPMEdit, Margin, Top + 112);
    MinWPMEdit = NewSpin(this, 96, Top + 138, 60, 5, 99, 1, 5);
    NewBuddyLabel(this, QStringLiteral("&Min WPM"), MinWPMEdit, Margin, Top + 142);
    SwapPaddlesCheckBox = NewCheckBox(this, QStringLiteral("&Swap Paddles"), 240, Top + 80);
    AutoSpaceCheckBox = NewCheckBox(this, QStringLiteral("&Auto Space"), 240, Top + 104);
    ContestSpaceCheckBox = NewCheckBox(this, QStringLiteral("C&ontest Space"), 240, Top + 128);
    SynchronizeRadioGroup = new TRadioGroup(
        QStringLiteral(" CW message speed and paddle speed "),
        {QStringLiteral("Independent"), QStringLiteral("Synchronized only by Vornix "),
         QStringLiteral("Synchronized only by the WinKey pot (not recommended for remote!)")},
        this);
    // The longest item needs the full page width.
    SynchronizeRadioGroup->setGeometry(Margin / 2, Top + 172, FrameWidth - Margin, 86);

    auto changed = [this] {
        if (OnWinKeyChanged)
            OnWinKeyChanged();
    };
    connect(COMPortComboBox, &QComboBox::currentTextChanged, this, changed);
    connect(KeyerModeComboBox, &QComboBox::currentIndexChanged, this, changed);
    connect(MaxWPMEdit, &QSpinBox::valueChanged, this, changed);
    connect(MinWPMEdit, &QSpinBox::valueChanged, this, changed);
    for (QCheckBox* box : {SwapPaddlesCheckBox, AutoSpaceCheckBox, ContestSpaceCheckBox})
        connect(box, &QCheckBox::clicked, this, changed);
    SynchronizeRadioGroup->OnClick = changed;
}

QList<QWidget*> TSettingsCWFrame::KeyerControls() const
{
    return {COMPortComboBox, KeyerModeComboBox, SwapPaddlesCheckBox, AutoSpaceCheckBox,
            ContestSpaceCheckBox, MaxWPMEdit, MinWPMEdit, SynchronizeRadioGroup};
}

// --- DVK ------------------------------------------------------------------------------------

TSettingsDVKFrame::TSettingsDVKFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("microHAM Router - Digital Voice Keyer"), parent)
{
    UseDVKCheckBox = NewCheckBox(this, QStringLiteral("&Use microHAM Router DVK"), Margin, Top);
    LocalGroupBox = NewGroupBox(QStringLiteral("Local/Server"), Margin, Top + 24, ContentWidth, 120);
    NewText(LocalGroupBox,
            QStringLiteral("If this instance of the application is running local or as server you can specify the "
                           "Control COM Port of your microHAM Keyer to use the Router DVK (Digital Voice Keyer)."),
            Margin, 20, ContentWidth - 2 * Margin, 44);
    NewText(LocalGroupBox,
            QStringLiteral("This is the Control Port in the Ports Tab of your microHAM Router software."), Margin, 64,
            ContentWidth - 2 * Margin, 18);
    ComPortComboBox = new TCOMPortComboBox(LocalGroupBox);
    ComPortComboBox->SetCOMPortProperty(cpPort);
    ComPortComboBox->setGeometry(80, 88, 220, 22);
    NewBuddyLabel(LocalGroupBox, QStringLiteral("COM &Port"), ComPortComboBox, Margin, 92);

    ClientGroupBox = NewGroupBox(QStringLiteral("Client"), Margin, Top + 150, ContentWidth, 114);
    NewText(ClientGroupBox,
            QStringLiteral("If this instance of the application is running as client you can play the sounds locally "
                           "if you set a message folder which contains the message WAV files (msg1.wav to msg9.wav)"),
            Margin, 20, ContentWidth - 2 * Margin, 44);
    PlayMessagesCheckBox = NewCheckBox(ClientGroupBox, QStringLiteral("Play message WAV files locally"), Margin, 64);
    PlayMessagesFolderEdit = new QLineEdit(ClientGroupBox);
    PlayMessagesFolderEdit->setGeometry(150, 86, 170, 22);
    NewBuddyLabel(ClientGroupBox, QStringLiteral("Message WAV file folder"), PlayMessagesFolderEdit, Margin, 90);
    BrowseButton = new QPushButton(QStringLiteral("..."), ClientGroupBox);
    BrowseButton->setGeometry(322, 86, 26, 22);
    TestButton = new QPushButton(QStringLiteral("Test"), ClientGroupBox);
    TestButton->setGeometry(356, 86, 53, 22);

    connect(UseDVKCheckBox, &QCheckBox::clicked, this, [this] { UseDVKCheckBoxClick(); });
    connect(PlayMessagesCheckBox, &QCheckBox::clicked, this, [this] { PlayMessagesCheckBoxClick(); });
    connect(BrowseButton, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Select Message WAV file folder"),
                                                                 PlayMessagesFolderEdit->text());
        if (!folder.isEmpty())
            PlayMessagesFolderEdit->setText(folder);
    });
}

void TSettingsDVKFrame::UseDVKCheckBoxClick()
{
    const bool use = UseDVKCheckBox->isChecked();
    ComPortComboBox->setEnabled(use);
    if (!use)
        ComPortComboBox->SetCOMPort(QString());
}

void TSettingsDVKFrame::PlayMessagesCheckBoxClick()
{
    const bool play = PlayMessagesCheckBox->isChecked();
    PlayMessagesFolderEdit->setEnabled(play);
    BrowseButton->setEnabled(play);
    TestButton->setEnabled(play);
}

// --- MMTTY ----------------------------------------------------------------------------------

TSettingsMMTTYFrame::TSettingsMMTTYFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("RTTY - MMTTY Engine"), parent)
{
    Label1 = NewText(this,
                     QStringLiteral("If this instance of the application is running as client you can run a local "
                                    "installation of MMTTY or use the MMTTY engine of your server."),
                     Margin, Top, ContentWidth, 30);
    NewText(this,
            QStringLiteral("If this instance of the application is running as server you need to specify the MMTTY "
                           "installation the remote clients will use."),
            Margin, Top + 32, ContentWidth, 30);
    MMTTYFolderEdit = new QLineEdit(this);
    MMTTYFolderEdit->setGeometry(Margin, Top + 86, ContentWidth - 34, 22);
    NewBuddyLabel(this, QStringLiteral("MMTTY.exe installation &folder"), MMTTYFolderEdit, Margin, Top + 68);
    BrowseButton = new QPushButton(QStringLiteral("..."), this);
    BrowseButton->setGeometry(Margin + ContentWidth - 30, Top + 86, 30, 22);
    UseMMTTYEngineCheckBox = NewCheckBox(this, QStringLiteral("&Use MMTTY Engine"), Margin, Top + 116);
    RunMMTTYLocalCheckBox = NewCheckBox(this, QStringLiteral("run local installation of &MMTTY"), 160, Top + 116);
    Label4 = NewLabel(this, QStringLiteral("(client only)"), 360, Top + 118);

    // Narrow enough to leave the signal level caption its room beside it.
    QGroupBox* options = NewGroupBox(QStringLiteral(" MMTTY Options "), Margin, Top + 142, 220, 118);
    MMTTYHiddenCheckBox = NewCheckBox(options, QStringLiteral("Start MMTTY hidden"), Margin, 22);
    MMTTYMenuCheckBox = NewCheckBox(options, QStringLiteral("Show MMTTY control menu"), Margin, 44);
    MMTTYButtonsCheckBox = NewCheckBox(options, QStringLiteral("Show MMTTY control buttons"), Margin, 66);
    MMTTYStayOnTopCheckBox = NewCheckBox(options, QStringLiteral("Stay-on-top"), Margin, 88);

    // Clear of the options box, whose frame the label would otherwise touch.
    const int right = options->geometry().right() + 1 + Margin;
    IntervalEdit = NewSpin(this, right, Top + 182, 70, 0, 2000, 250, 500);
    NewBuddyLabel(this, QStringLiteral("Send Signal Level to client every "), IntervalEdit, right, Top + 162);
    NewLabel(this, QStringLiteral("msec (or 0 for not)"), right + 76, Top + 186);

    // Hidden excludes the three others; the rule also holds while the page is filled.
    connect(MMTTYHiddenCheckBox, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            return;
        for (QCheckBox* box : {MMTTYMenuCheckBox, MMTTYButtonsCheckBox, MMTTYStayOnTopCheckBox})
            box->setChecked(false);
    });
    for (QCheckBox* box : {MMTTYMenuCheckBox, MMTTYButtonsCheckBox, MMTTYStayOnTopCheckBox})
        connect(box, &QCheckBox::toggled, this, [this](bool on) {
            if (on)
                MMTTYHiddenCheckBox->setChecked(false);
        });
    connect(BrowseButton, &QPushButton::clicked, this, [this] { BrowseButtonClick(); });
}

void TSettingsMMTTYFrame::BrowseButtonClick()
{
    // The program is proposed by name when no path was set yet.
    const QString current = MMTTYFolderEdit->text().trimmed();
    const QString file =
        QFileDialog::getOpenFileName(this, QString(), current.isEmpty() ? QStringLiteral("MMTTY.exe") : current,
                                     QStringLiteral("MMTTY.exe (MMTTY.exe);;All files (*)"));
    if (!file.isEmpty())
        MMTTYFolderEdit->setText(file);
}

// --- IPC ------------------------------------------------------------------------------------

TSettingsIPCFrame::TSettingsIPCFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("IPC - Inter-Process Communication"), parent)
{
    IPCServerCheckBox = NewCheckBox(this, QStringLiteral("Enable Vornix IPC Server"), Margin, Top);
    NewText(this,
            QStringLiteral("You can develop an IPC Client using the local message bus to receive relevant radio information "
                           "from Vornix. This information can for example be used to control a linear amplifier."),
            Margin, Top + 30, ContentWidth, 44);
    NewText(this,
            QStringLiteral("A RadioDataRecord is sent to a connected client application each time any of the "
                           "informations changes.  For example when you tune VFO A or when you change bands or when "
                           "you transmit. "),
            Margin, Top + 80, ContentWidth, 58);
    NewText(this,
            QStringLiteral("This information includes Frequency (in Hz) and Mode VFO A, Frequency (in Hz) and Mode VFO "
                           "B, Power Output Level (in W), Power Switch (on or off), Split and TX (receiving or "
                           "transmitting)."),
            Margin, Top + 144, ContentWidth, 58);
}

// --- WSJT-X ---------------------------------------------------------------------------------

TSettingsWSJTFrame::TSettingsWSJTFrame(QWidget* parent)
    : TSettingsFrame(QStringLiteral("WSJT-X Logging"), parent)
{
    QGroupBox* server = NewGroupBox(QStringLiteral("TCP Server"), Margin, Top, ContentWidth, 84);
    WSJTServerCheckBox =
        NewCheckBox(server, QStringLiteral("&Enable TCP Server for WSJT-X / JTDX QSO Logging"), Margin, 24);
    WSJTPortEdit = NewNumberEdit(server, 56, 50, 60);
    WSJTPortEdit->setText(QStringLiteral("52002"));
    NewBuddyLabel(server, QStringLiteral("&Port"), WSJTPortEdit, Margin, 54);
    QGroupBox* logging = NewGroupBox(QStringLiteral("Logging"), Margin, Top + 92, ContentWidth, 72);
    WSJTBandCheckBox = NewCheckBox(logging, QStringLiteral("Log WSJT-X band"), Margin, 24);
    WSJTFreqCheckBox = NewCheckBox(logging, QStringLiteral("Log WSJT-X frequency"), Margin, 46);
}
