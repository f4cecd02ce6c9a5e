#include "remote/widgets/AudioServerPages.h"

#include "controls/widgets/settings/SettingsFrames.h"
#include "remote/DMAudioServer.h"
#include "remote/PTTPort.h"
#include "remote/RAAudio.h"
#include "remote/RAServer.h"
#include "remote/widgets/CodecPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <algorithm>

void LoadAudioServerPages(const TAudioServerPages& pages, TDMAudioServer& server)
{
    pages.Port->ActivateServerCheckBox->setChecked(server.ActivateServer());
    pages.Port->AudioPortEdit->setText(QString::number(server.RAServer()->AudioPort()));
    pages.PTT->ComPortComboBox->SetCOMPort(server.PTTComPort()->Port());
    pages.PTT->RTSComboBox->setCurrentIndex(server.PinTypeRTS());
    pages.PTT->DTRComboBox->setCurrentIndex(server.PinTypeDTR());
    pages.PTT->TimeoutEdit->setValue(server.PTTTimeout());
    pages.PTT->ComPortComboBoxChange();
    const TRACodec& in = server.RAAudioIn()->Codec();
    LoadCodecPage(*pages.Codecs, in);
    pages.Codecs->UserChosenCodecCheckBox->setChecked(in.UserChosenCodec());
    pages.Buffers->BufferLengthEdit->setValue(in.BufferLength());
    pages.Buffers->GroupBox2->setVisible(false);
}

void ApplyAudioServerPages(const TAudioServerPages& pages, TDMAudioServer& server)
{
    server.SetActivateServer(pages.Port->ActivateServerCheckBox->isChecked());
    // The dialog checked every port before applying: a field here is a number or empty (off).
    server.RAServer()->SetAudioPort(uint16_t(pages.Port->AudioPortEdit->text().trimmed().toInt()));
    TPTTPort* ptt = server.PTTComPort();
    if (ptt->Connected())
        ptt->Close();
    ptt->SetPort(pages.PTT->ComPortComboBox->COMPort());
    server.SetPinTypeRTS(TPinType(std::max(0, pages.PTT->RTSComboBox->currentIndex())));
    server.SetPinTypeDTR(TPinType(std::max(0, pages.PTT->DTRComboBox->currentIndex())));
    server.SetPTTTimeout(pages.PTT->TimeoutEdit->value());
    TRACodec& in = server.RAAudioIn()->Codec();
    TRACodec& out = server.RAAudioOut()->Codec();
    if (pages.Devices->InputDevicesComboBox->currentIndex() >= 0)
        in.SetDeviceID(uint32_t(pages.Devices->InputDevicesComboBox->currentIndex()));
    if (pages.Devices->OutputDevicesComboBox->currentIndex() >= 0)
        out.SetDeviceID(uint32_t(pages.Devices->OutputDevicesComboBox->currentIndex()));
    // The captured stream's codec; the played one follows in mono.  A codec the page cannot
    // show (PCM44) stays while the page names none.
    ApplyCodecPage(*pages.Codecs, in, out);
    in.SetUserChosenCodec(pages.Codecs->UserChosenCodecCheckBox->isChecked());
    in.SetBufferLength(uint16_t(pages.Buffers->BufferLengthEdit->value()));
}
