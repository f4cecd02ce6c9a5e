// The LCD's stroke font: advances, the pixels a glyph paints and text layout.
#include "PanelTestUtils.h"
#include "panel/FTxFont.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <set>

namespace {

// Draws with the font on a black image and returns the set of lit pixels.
std::set<std::pair<int, int>> Painted(const std::function<void(QPainter&)>& draw, QSize size = {60, 20})
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        draw(p);
    }
    std::set<std::pair<int, int>> lit;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != QColor(Qt::black).rgb())
                lit.insert({x, y});
    return lit;
}

} // namespace

TEST(StrokeFont, EveryGlyphAdvancesByItsWidthPlusTwo)
{
    const std::pair<char, int> table[] = {
        {'0', 5}, {'1', 3}, {'2', 5}, {'3', 5}, {'4', 5}, {'5', 5}, {'6', 5}, {'7', 5}, {'8', 5}, {'9', 5},
        {'A', 6}, {'B', 5}, {'C', 6}, {'D', 6}, {'E', 6}, {'F', 6}, {'G', 6}, {'H', 6}, {'I', 4}, {'J', 5},
        {'K', 6}, {'L', 5}, {'M', 6}, {'N', 6}, {'O', 6}, {'P', 5}, {'Q', 6}, {'R', 6}, {'S', 4}, {'T', 6},
        {'U', 6}, {'V', 6}, {'W', 6}, {'X', 6}, {'Y', 6}, {'Z', 4}, {'d', 4}, {'k', 4}, {'z', 5}, {'u', 4},
        {'-', 3}, {'+', 4}, {'.', 2}, {' ', 4},
    };
    int glyphs = 0;
    for (const auto& [c, advance] : table) {
        EXPECT_EQ(lcd::CharAdvance(QChar(c)), advance) << c;
        EXPECT_FALSE(lcd::Glyph(QChar(c)).empty()) << c;
        ++glyphs;
    }
    EXPECT_EQ(glyphs, 44);
    // Lower-case letters other than d, k, u, z and other symbols have no glyph.
    for (char c : {'a', 'b', 'x', '#', '/', '%'}) {
        EXPECT_TRUE(lcd::Glyph(QChar(c)).empty()) << c;
        EXPECT_EQ(lcd::CharAdvance(QChar(c)), 6) << c;
    }
}

TEST(StrokeFont, PolylinesLeaveTheirLastPointUnpainted)
{
    const QPoint line[] = {{0, 0}, {3, 0}};
    EXPECT_EQ(lcd::PolylinePixels(line), (std::vector<QPoint>{{0, 0}, {1, 0}, {2, 0}}));
    const QPoint corner[] = {{0, 0}, {0, 2}, {2, 2}};
    EXPECT_EQ(lcd::PolylinePixels(corner), (std::vector<QPoint>{{0, 0}, {0, 1}, {0, 2}, {1, 2}}));
    const QPoint single[] = {{5, 5}};
    EXPECT_TRUE(lcd::PolylinePixels(single).empty());
}

TEST(StrokeFont, DrawCharPaintsTheGlyphAtItsOrigin)
{
    uint8_t advance = 0;
    const auto one = Painted([&](QPainter& p) {
        p.setPen(Qt::white);
        advance = lcd::DrawChar(p, u'1', 10, 3);
    });
    // (1,4) up to (1,0), then the flag towards (-1,2) without its end.
    const std::set<std::pair<int, int>> expected = {{11, 7}, {11, 6}, {11, 5}, {11, 4}, {11, 3}, {10, 4}};
    EXPECT_EQ(one, expected);
    EXPECT_EQ(advance, 3);

    const auto dot = Painted([](QPainter& p) {
        p.setPen(Qt::white);
        lcd::DrawChar(p, u'.', 0, 0);
    });
    EXPECT_EQ(dot, (std::set<std::pair<int, int>>{{0, 4}}));
}

TEST(StrokeFont, DrawTextAdvancesCharacterByCharacter)
{
    // "+60dB": each character starts where the previous one's advance ends (4, 5, 5, 4, 5).
    const QString text = QStringLiteral("+60dB");
    const auto whole = Painted([&](QPainter& p) { lcd::DrawText(p, text, 2, 1, Qt::white); });
    std::set<std::pair<int, int>> pieces;
    int x = 2;
    const int advances[] = {4, 5, 5, 4, 5};
    for (int i = 0; i < text.size(); ++i) {
        const auto part = Painted([&](QPainter& p) {
            p.setPen(Qt::white);
            EXPECT_EQ(lcd::DrawChar(p, text[i], x, 1), advances[i]) << i;
        });
        pieces.insert(part.begin(), part.end());
        x += advances[i];
    }
    EXPECT_EQ(whole, pieces);
    EXPECT_EQ(lcd::TextAdvance(text), 23);

    // A character without a glyph paints nothing and moves on by 6.
    const auto hashDot = Painted([](QPainter& p) { lcd::DrawText(p, QStringLiteral("#."), 0, 0, Qt::white); });
    EXPECT_EQ(hashDot, (std::set<std::pair<int, int>>{{6, 4}}));
    // The space moves on by 4 and leaves the LCD unchanged.
    const auto spaceDot = Painted([](QPainter& p) { lcd::DrawText(p, QStringLiteral(" ."), 0, 0, Qt::white); });
    EXPECT_EQ(spaceDot, (std::set<std::pair<int, int>>{{4, 4}}));
    EXPECT_TRUE(Painted([](QPainter& p) { lcd::DrawText(p, QString(), 0, 0, Qt::white); }).empty());
}

TEST(StrokeFont, DrawTextUsesTheGivenColour)
{
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    lcd::DrawText(p, QStringLiteral("."), 0, 0, BGRColor(lcd::clLitGreen));
    p.end();
    EXPECT_EQ(PixelName(img, 0, 4), BGRName(lcd::clLitGreen));
    EXPECT_EQ(BGRName(lcd::clLitGreen), QStringLiteral("#99cc33"));
}
