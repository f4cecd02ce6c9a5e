#include "remote/widgets/CodecPage.h"

#include "controls/widgets/settings/SettingsFrames.h"

#include <QLabel>
#include <optional>

namespace {

std::optional<TCodec> PageCodec(const TSettingsAudioCodecsFrame& page)
{
    static const TCodec table[2][3] = {{PCM8, PCM11, PCM22}, {GSM610_8, GSM610_11, GSM610_22}};
    const int codec = page.CodecRadioGroup->ItemIndex();
    const int rate = page.SampleRateRadioGroup->ItemIndex();
    if (codec < 0 || codec > 1 || rate < 0 || rate > 2)
        return std::nullopt;
    return table[codec][rate];
}

uint8_t PageBits(const TSettingsAudioCodecsFrame& page, uint8_t current)
{
    const int item = page.BPSRadioGroup->ItemIndex();
    return item < 0 ? current : item == 0 ? 8 : 16;
}

uint8_t PageChannels(const TSettingsAudioCodecsFrame& page, uint8_t current)
{
    const int item = page.ChannelsRadioGroup->ItemIndex();
    return item < 0 ? current : uint8_t(item + 1);
}

} // namespace

void LoadCodecPage(TSettingsAudioCodecsFrame& page, const TRACodec& codec)
{
    int codecItem = -1;
    int rateItem = -1;
    switch (codec.Codec()) {
    case PCM8: codecItem = 0; rateItem = 0; break;
    case PCM11: codecItem = 0; rateItem = 1; break;
    case PCM22: codecItem = 0; rateItem = 2; break;
    case GSM610_8: codecItem = 1; rateItem = 0; break;
    case GSM610_11: codecItem = 1; rateItem = 1; break;
    case GSM610_22: codecItem = 1; rateItem = 2; break;
    default: break; // PCM44: the page offers no item for it
    }
    page.CodecRadioGroup->SetItemIndex(codecItem);
    page.SampleRateRadioGroup->SetItemIndex(rateItem);
    page.BPSRadioGroup->SetItemIndex(codec.BitsPerSample() == 16 ? 1 : 0);
    page.ChannelsRadioGroup->SetItemIndex(codec.Channels() - 1);
    page.UpdateCodecControls();
    page.TransferRateLabel->setText(TRACodec::GetTransferRate(codec.Codec(), codec.BitsPerSample(), codec.Channels()));
}

void ApplyCodecPage(const TSettingsAudioCodecsFrame& page, TRACodec& main, TRACodec& other)
{
    if (const std::optional<TCodec> codec = PageCodec(page))
        main.SetCodec(*codec);
    main.SetBitsPerSample(PageBits(page, main.BitsPerSample()));
    main.SetChannels(PageChannels(page, main.Channels()));
    other.SetCodec(main.Codec());
    other.SetBitsPerSample(main.BitsPerSample());
    other.SetChannels(1);
}

void ShowTransferRate(TSettingsAudioCodecsFrame& page, const TRACodec& codec)
{
    page.TransferRateLabel->setText(TRACodec::GetTransferRate(PageCodec(page).value_or(codec.Codec()),
                                                              PageBits(page, codec.BitsPerSample()),
                                                              PageChannels(page, codec.Channels())));
}
