#include "core/cat/CTCSS.h"

#include "core/RCUtils.h"
#include "core/cat/FTCATInterface.h"

TCTCSS::TCTCSS(TFTCATInterface* owner)
    : FOwner(owner)
{
}

void TCTCSS::SendEncoder(const char* command, int32_t AValue)
{
    FOwner->SendCATCommand(QString::fromLatin1(command) + IntToZeroPadded(2, ClampInt(AValue, 1, 99)));
}

void TCTCSS::EncoderADown(int32_t AValue)
{
    SendEncoder("ED0", AValue);
}

void TCTCSS::EncoderBDown(int32_t AValue)
{
    SendEncoder("ED1", AValue);
}

void TCTCSS::EncoderAUp(int32_t AValue)
{
    SendEncoder("EU0", AValue);
}

void TCTCSS::EncoderBUp(int32_t AValue)
{
    SendEncoder("EU1", AValue);
}
