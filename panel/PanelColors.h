#pragma once
// Colours of the panel drawings, written 0x00BBGGRR (red in the low byte).

#include <QColor>
#include <cstdint>

inline QColor BGRColor(uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

namespace lcd {
constexpr uint32_t clBlack = 0x000000;
constexpr uint32_t clDim = 0x212121;       // every unlit label, cell or line
constexpr uint32_t clLabelBlue = 0xFCDB83; // headings, frame lines, main-side labels
constexpr uint32_t clLitGreen = 0x33CC99;  // main receiver states, graph cells
constexpr uint32_t clSubGrey = 0xDFDFDF;   // sub receiver labels and frame
constexpr uint32_t clTransmitRed = 0x0033CC;
} // namespace lcd
