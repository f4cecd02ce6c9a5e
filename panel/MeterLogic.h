#pragma once
// The segment bars and the needle of the LCD and the main meter, without widgets: how a raw
// 0..255 reading becomes lit segments or a needle, and which cells the offset bargraph text lights.

#include <QLine>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>

#include "core/FTCATTypes.h"

enum TBargraphType : uint8_t { btSMeterA, btSMeterB, btSMeterB5K, btMeter, btBargraph };

// Fixed size of a bargraph of that kind.
QSize BargraphSize(TBargraphType kind);
// Number of segments drawn (21 cells for btBargraph).
int BargraphSegmentCount(TBargraphType kind);
// Lit segments for a raw reading; btBargraph always 0 (it is driven by its text).
uint8_t BargraphBars(TBargraphType kind, uint8_t value);

constexpr int BargraphCellCount = 21;
constexpr uint32_t BargraphCellGreen = 0x33CC99;
constexpr uint32_t BargraphCellRed = 0x0000FF;
// Cell colours (0x00BBGGRR) of the offset bargraph, cells 1..21 at index 0..20; 0 = dim.
// Any text that is not a display-mode digit followed by a two-digit position in range leaves
// every cell dim.
std::array<uint32_t, BargraphCellCount> BargraphCells(const QString& text);

// The main meter.
// S-meter bar segments (0..31) for a raw reading.
uint8_t SMeterBars(uint8_t value);
// Meter bar segments for a raw reading; with mtVDD the count can pass the 31 segments.
uint8_t MeterBars(uint8_t value, TMeterSwitch meterSwitch);
// The needle of the analog face for a reading on a face of the given client size.
QLine NeedleLine(uint8_t value, int width, int height);
