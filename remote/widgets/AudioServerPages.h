#pragma once
// The audio server's settings pages as both programs' settings dialogs show them: its port,
// the PTT port, the sound devices, the codec and the buffers, loaded from and applied to the
// audio server module.  The device lists themselves are each dialog's own.

class TDMAudioServer;
class TSettingsAudioServerPortFrame;
class TSettingsPTTFrame;
class TSettingsAudioServerDevicesFrame;
class TSettingsAudioServerCodecsFrame;
class TSettingsAudioBuffersFrame;

struct TAudioServerPages {
    TSettingsAudioServerPortFrame* Port;
    TSettingsPTTFrame* PTT;
    TSettingsAudioServerDevicesFrame* Devices;
    TSettingsAudioServerCodecsFrame* Codecs;
    TSettingsAudioBuffersFrame* Buffers;
};

// Everything but the device lists, which the dialog fills from its own device names.
void LoadAudioServerPages(const TAudioServerPages& pages, TDMAudioServer& server);
// The pages into the module; the PTT port is closed here and opened again with the server.
void ApplyAudioServerPages(const TAudioServerPages& pages, TDMAudioServer& server);
