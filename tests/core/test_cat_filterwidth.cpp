// The width shown for every width code, model, mode and narrow state, checked against the
// radio tables written out as code ranges.

#include "core/cat/RX.h"
#include "tests/core/CATFixture.h"

#include <QRegularExpression>
#include <array>
#include <optional>
#include <vector>

namespace {

using Widths = std::array<int, 32>;

// "0-1: 200, 2: 400, ..." into a width per code.  Without a fill every code must be listed
// exactly once.
Widths parseRuns(const char* text, std::optional<int> fill = std::nullopt)
{
    Widths w;
    w.fill(-1);
    static const QRegularExpression item(QStringLiteral("^(\\d+)(?:-(\\d+))?: (\\d+)$"));
    for (const QString& part : QString::fromLatin1(text).split(QStringLiteral(", "))) {
        const auto m = item.match(part);
        EXPECT_TRUE(m.hasMatch()) << part.toStdString();
        const int from = m.captured(1).toInt();
        const int to = m.captured(2).isEmpty() ? from : m.captured(2).toInt();
        for (int c = from; c <= to; ++c) {
            EXPECT_EQ(w[c], -1) << "code " << c << " twice in " << text;
            w[c] = m.captured(3).toInt();
        }
    }
    for (int c = 0; c < 32; ++c) {
        if (w[c] == -1) {
            EXPECT_TRUE(fill.has_value()) << "code " << c << " missing in " << text;
            w[c] = fill.value_or(0);
        }
    }
    return w;
}

Widths constant(int hz)
{
    Widths w;
    w.fill(hz);
    return w;
}

const char* const CWRows[12] = {
    "0-17: 25, 18-19: 50, 20-21: 100, 22: 200, 23: 300, 24: 400, 25: 500, 26: 800, 27: 1200, 28: 1400, 29: 1700, 30-31: 2000",
    "0-14: 25, 15-17: 50, 18-19: 100, 20-21: 200, 22-23: 300, 24: 400, 25: 500, 26: 800, 27: 1200, 28: 1400, 29: 1700, 30-31: 2000",
    "0-12: 25, 13-14: 50, 15-17: 100, 18-19: 200, 20-21: 300, 22-23: 400, 24-25: 500, 26: 800, 27: 1200, 28: 1400, 29: 1700, 30-31: 2000",
    "0-10: 25, 11-12: 50, 13-14: 100, 15-17: 200, 18-19: 300, 20-21: 400, 22-23: 500, 24-25: 800, 26-27: 1200, 28: 1400, 29: 1700, 30-31: 2000",
    "0-8: 25, 9-10: 50, 11-12: 100, 13-14: 200, 15-17: 300, 18-19: 400, 20-21: 500, 22-23: 800, 24-25: 1200, 26-27: 1400, 28-29: 1700, 30-31: 2000",
    "0-6: 25, 7-8: 50, 9-10: 100, 11-12: 200, 13-14: 300, 15-17: 400, 18-19: 500, 20-21: 800, 22-23: 1200, 24-25: 1400, 26-27: 1700, 28-31: 2000",
    "0-4: 25, 5-6: 50, 7-8: 100, 9-10: 200, 11-12: 300, 13-14: 400, 15-17: 500, 18-19: 800, 20-21: 1200, 22-23: 1400, 24-25: 1700, 26-31: 2000",
    "0-2: 25, 3-4: 50, 5-6: 100, 7-8: 200, 9-10: 300, 11-12: 400, 13-14: 500, 15-17: 800, 18-19: 1200, 20-21: 1400, 22-23: 1700, 24-31: 2000",
    "0-1: 25, 2: 50, 3-4: 100, 5-6: 200, 7-8: 300, 9-10: 400, 11-12: 500, 13-14: 800, 15-17: 1200, 18-19: 1400, 20-21: 1700, 22-31: 2000",
    "0-1: 25, 2: 50, 3: 100, 4: 200, 5-6: 300, 7-8: 400, 9-10: 500, 11-12: 800, 13-14: 1200, 15-17: 1400, 18-19: 1700, 20-31: 2000",
    "0-1: 25, 2: 50, 3: 100, 4: 200, 5: 300, 6: 400, 7-8: 500, 9-10: 800, 11-12: 1200, 13-14: 1400, 15-17: 1700, 18-31: 2000",
    "0-1: 25, 2: 50, 3: 100, 4: 200, 5: 300, 6: 400, 7: 500, 8: 800, 9-10: 1200, 11-12: 1400, 13-14: 1700, 15-31: 2000",
};

enum class Narrow { Off, On, Either };

// One row of the radio tables: the situations it covers and its widths.  A CW narrow row
// of the FT-2000 family is chosen by the menu value, so those rows carry it.
struct Row {
    std::vector<TTransceiver> models;
    std::vector<TMode> modes;
    Narrow narrow;
    int min, max;
    Widths widths;
    int cwRow = -1;
};

const std::vector<TTransceiver> FT2000Family = {FT2000, FT2000D};
const std::vector<TMode> SSB = {mdLSB, mdUSB};
const std::vector<TMode> CW = {mdCW, mdCW_R};
const std::vector<TMode> RTTY = {mdFSK, mdFSK_R};
const std::vector<TMode> Packet = {mdPKT_L, mdPKT_U};
const std::vector<TMode> Data = {mdFSK, mdFSK_R, mdPKT_L, mdPKT_U};
const std::vector<TMode> NotSSB = {mdCW, mdFM, mdAM, mdFSK, mdCW_R, mdPKT_L, mdFSK_R, mdPKT_FM, mdFM_N, mdPKT_U};

// Narrow defaults other than the initial ones, so that the test sees where they are used.
constexpr int SSBNarrow = 1650, RTTYNarrow = 100, PacketNarrow = 50;

std::vector<Row> tables()
{
    std::vector<Row> rows = {
        {FT2000Family, SSB, Narrow::Off, 1, 31,
         parseRuns("0-1: 200, 2: 400, 3: 600, 4: 850, 5: 1100, 6: 1350, 7: 1500, 8: 1650, 9: 1800, 10: 1950, "
                   "11-12: 2100, 13-14: 2250, 15-17: 2400, 18-19: 2450, 20: 2500, 21: 2600, 22: 2700, 23: 2800, "
                   "24: 2900, 25: 3000, 26: 3200, 27: 3400, 28: 3600, 29: 3800, 30-31: 4000")},
        {FT2000Family, SSB, Narrow::On, 1, 31, constant(SSBNarrow)},
        {FT2000Family, CW, Narrow::Off, 1, 31,
         parseRuns("0: 200, 1: 25, 2: 50, 3: 100, 4: 200, 5: 300, 6: 400, 7: 500, 8: 800, 9: 1200, 10: 1400, "
                   "11-12: 1700, 13-14: 2000, 15-31: 2400")},
        {FT2000Family, Data, Narrow::Off, 1, 31,
         parseRuns("0: 200, 1: 25, 2-3: 50, 4-5: 100, 6-8: 200, 9-11: 300, 12-14: 400, 15-17: 500, 18-20: 800, "
                   "21-23: 1200, 24-25: 1400, 26-27: 1700, 28-29: 2000, 30-31: 2400")},
        {FT2000Family, RTTY, Narrow::On, 1, 31, constant(RTTYNarrow)},
        {FT2000Family, Packet, Narrow::On, 1, 31, constant(PacketNarrow)},
        {FT2000Family, {mdAM}, Narrow::Either, 1, 31, constant(9000)},
        {FT2000Family, {mdFM, mdPKT_FM, mdFM_N}, Narrow::Either, 1, 31, constant(16000)},

        {{FT950}, SSB, Narrow::Off, 1, 31,
         parseRuns("0-9: 1800, 10: 1950, 11: 2100, 12: 2250, 13: 2400, 14: 2450, 15: 2500, 16: 2600, 17: 2700, "
                   "18: 2800, 19: 2900, 20-31: 3000")},
        {{FT950}, SSB, Narrow::On, 1, 31,
         parseRuns("0: 1800, 1: 200, 2: 400, 3: 600, 4: 850, 5: 1100, 6: 1350, 7: 1500, 8: 1650, 9-31: 1800")},
        {{FT950}, {mdCW, mdCW_R, mdFSK, mdFSK_R, mdPKT_L, mdPKT_U}, Narrow::Off, 1, 31,
         parseRuns("0: 2400, 1-7: 500, 8: 800, 9: 1200, 10: 1400, 11: 1700, 12: 2000, 13-31: 2400")},
        {{FT950}, CW, Narrow::On, 1, 31, parseRuns("0: 500, 1-3: 100, 4: 200, 5: 300, 6: 400, 7-31: 500")},
        {{FT950}, Data, Narrow::On, 1, 31, parseRuns("0: 300, 1-3: 100, 4: 200, 5: 300, 6: 400, 7-31: 500")},
        {{FT950}, {mdAM, mdFM, mdPKT_FM, mdFM_N}, Narrow::Either, 1, 31, constant(200)},

        {{FTDX5000}, SSB, Narrow::Off, 7, 25,
         parseRuns("7: 1500, 8: 1650, 9: 1800, 10: 1950, 11: 2100, 12: 2250, 13-14: 2400, 15: 2500, 16: 2600, "
                   "17: 2700, 18: 2800, 19: 2900, 20: 3000, 21: 3200, 22: 3400, 23: 3600, 24: 3800, 25: 4000",
                   200)},
        {{FTDX5000}, SSB, Narrow::On, 1, 7, parseRuns("2: 400, 3: 600, 4: 850, 5: 1100, 6: 1350, 7: 1500", 200)},
        {{FTDX5000}, NotSSB, Narrow::Off, 10, 16,
         parseRuns("10: 500, 11: 800, 12: 1200, 13: 1400, 14: 1700, 15: 2000, 16: 2400", 200)},
        {{FTDX5000}, NotSSB, Narrow::On, 1, 10,
         parseRuns("1: 50, 2: 100, 3: 150, 5: 250, 6: 300, 7: 350, 8: 400, 9: 450, 10: 500, 4: 200", 200)},
    };
    for (int r = 0; r < 12; ++r)
        rows.push_back({FT2000Family, CW, Narrow::On, 1, 31, parseRuns(CWRows[r]), r});
    return rows;
}

template <typename T>
bool contains(const std::vector<T>& v, T x)
{
    return std::find(v.begin(), v.end(), x) != v.end();
}

} // namespace

TEST(FilterWidth, EveryCodeOfEveryModelModeAndNarrowState)
{
    const std::vector<Row> rows = tables();
    int checked = 0;
    for (TTransceiver model : {FT2000, FT2000D, FT950, FTDX5000}) {
        for (int m = mdLSB; m <= mdPKT_U; ++m) {
            const TMode mode = TMode(m);
            for (bool narrow : {false, true}) {
                for (int cwRow = 0; cwRow < 12; ++cwRow) {
                    const std::array<int32_t, 4> defaults = {cwRow, SSBNarrow, RTTYNarrow, PacketNarrow};
                    std::vector<const Row*> match;
                    for (const Row& row : rows) {
                        const bool narrowFits = row.narrow == Narrow::Either || (row.narrow == Narrow::On) == narrow;
                        if (contains(row.models, model) && contains(row.modes, mode) && narrowFits &&
                            (row.cwRow < 0 || row.cwRow == cwRow))
                            match.push_back(&row);
                    }
                    ASSERT_EQ(match.size(), 1u) << "model " << int(model) << " mode " << m << " narrow " << narrow;
                    const Row& row = *match.front();
                    for (int code = 0; code < 32; ++code) {
                        const auto info = TRX::FilterWidthInfo(model, mode, narrow, code, 0, defaults);
                        EXPECT_EQ(info.Width, row.widths[code])
                            << "model " << int(model) << " mode " << m << " narrow " << narrow << " code " << code
                            << " CW row " << cwRow;
                        EXPECT_EQ(info.Min, row.min);
                        EXPECT_EQ(info.Max, row.max);
                        ++checked;
                    }
                }
            }
        }
    }
    EXPECT_EQ(checked, 4 * 12 * 2 * 12 * 32);
}

TEST(FilterWidth, CodesFifteenToSeventeenOfACWNarrowRowGiveTheRowsMenuWidth)
{
    const int menuWidths[12] = {25, 50, 100, 200, 300, 400, 500, 800, 1200, 1400, 1700, 2000};
    for (int row = 0; row < 12; ++row) {
        for (int code : {15, 16, 17})
            EXPECT_EQ(TRX::CWNarrowWidth(row, code), menuWidths[row]) << row << " " << code;
    }
}

TEST(FilterWidth, BarsOfTheMainReceiver)
{
    struct Case {
        TTransceiver model;
        TMode mode;
        bool narrow;
        int code;
        int width;
        int bars;
    };
    const std::array<int32_t, 4> d = {6, 1800, 300, 300};
    const Case cases[] = {
        // SSB bands of widths.
        {FT2000, mdUSB, false, 0, 200, 1},    {FT2000, mdUSB, false, 3, 600, 1},
        {FT2000, mdUSB, false, 4, 850, 3},    {FT2000, mdLSB, false, 6, 1350, 3},
        {FT2000, mdUSB, false, 7, 1500, 5},   {FT2000, mdUSB, false, 9, 1800, 5},
        {FT2000, mdUSB, false, 10, 1950, 7},  {FT2000, mdUSB, false, 20, 2500, 7},
        {FT2000, mdUSB, false, 21, 2600, 7},  {FT2000, mdUSB, false, 22, 2700, 9},
        {FT2000, mdUSB, false, 24, 2900, 9},  {FT2000, mdUSB, false, 25, 3000, 11},
        {FTDX5000, mdUSB, false, 25, 4000, 11},
        // CW and data: exact widths only.
        {FT2000, mdCW, false, 1, 25, 1},      {FT2000, mdCW, false, 2, 50, 1},
        {FT2000, mdCW_R, false, 3, 100, 3},   {FT2000, mdCW, false, 4, 200, 3},
        {FT2000, mdCW, false, 5, 300, 5},     {FT2000, mdFSK, false, 12, 400, 5},
        {FT2000, mdCW, false, 7, 500, 7},     {FT2000, mdPKT_U, false, 18, 800, 9},
        {FT2000, mdCW, false, 9, 1200, 9},    {FT2000, mdCW, false, 10, 1400, 11},
        {FT2000, mdCW, false, 31, 2400, 11},  {FTDX5000, mdCW, true, 3, 150, 11},
        {FTDX5000, mdFSK, true, 5, 250, 11},  {FTDX5000, mdPKT_L, true, 9, 450, 11},
        // FM and AM by the narrow state.
        {FT2000, mdFM, false, 5, 16000, 7},   {FT2000, mdAM, true, 5, 9000, 5},
        {FT950, mdFM_N, true, 5, 200, 5},     {FTDX5000, mdAM, false, 12, 1200, 7},
    };
    for (const auto& c : cases) {
        const auto info = TRX::FilterWidthInfo(c.model, c.mode, c.narrow, c.code, 0, d);
        EXPECT_EQ(info.Width, c.width) << int(c.model) << " " << int(c.mode) << " " << c.code;
        EXPECT_EQ(info.Bars, c.bars) << int(c.model) << " " << int(c.mode) << " " << c.code;
        EXPECT_EQ(TRX::FilterWidthInfo(c.model, c.mode, c.narrow, c.code, 1, d).Bars, 5);
    }
}
