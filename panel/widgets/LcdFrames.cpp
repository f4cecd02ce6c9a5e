// The fixed frame each model's LCD draws under its indicators: headings, brackets, the DSP
// block, the offset scale, the boxes of the clarifier and sub receiver and the sub S-meter scale.
#include "panel/FTxFont.h"
#include "panel/PanelColors.h"
#include "panel/widgets/LcdPainter.h"

namespace lcd {
namespace {

const QColor Blue = BGRColor(clLabelBlue);
const QColor Grey = BGRColor(clSubGrey);
const QColor Red = BGRColor(clTransmitRed);
constexpr TTick Diag = TTick::Diagonal;

// The four DSP labels, always lit.
void DSPLabels(QPainter& p, int m)
{
    static const char* const texts[4] = {"CONTOUR", "NOTCH", "WIDTH", "SHIFT"};
    static const int offsets[4] = {2, 8, 9, 10};
    for (int i = 0; i < 4; ++i)
        FilledLabel(p, Position(214 + i, m), Blue, QString::fromLatin1(texts[i]), offsets[i]);
}

// Above each DSP graph row: a bracket line left and right of a red centre mark.
void DSPRowMarks(QPainter& p, int leftEnd, int leftFoot, int mark, int rightStart, int rightFoot)
{
    for (int y : {51, 60, 69, 78}) {
        Line(p, Blue, {{leftEnd, y}, {leftFoot, y}, {leftFoot, y + 7}});
        Line(p, Red, {{mark, y}, {mark + 4, y}, {mark + 3, y + 1}, {mark + 1, y + 1}, {mark, y}});
        Line(p, Blue, {{rightStart, y}, {rightFoot, y}, {rightFoot, y + 7}});
    }
}

// The offset bargraph's scale: two arms, five ticks each side and a red centre mark over the
// centre cell; y is the top of the arms' end marks, step the tick spacing.
void OffsetScale(QPainter& p, int left, int right, int y, int centre, int step)
{
    Line(p, Blue, {{centre - 2, y + 2}, {left, y + 2}, {left, y}, {left, y + 5}});
    Line(p, Blue, {{centre + 3, y + 2}, {right, y + 2}, {right, y}, {right, y + 5}});
    for (int i = 0; i < 5; ++i) {
        Line(p, Blue, {{left + i * step, y + 5}, {left + i * step, y + 7}});
        Line(p, Blue, {{right - i * step, y + 5}, {right - i * step, y + 7}});
    }
    Line(p, Red, {{centre - 1, y}, {centre + 2, y}, {centre + 2, y + 1}, {centre - 1, y + 1}, {centre - 1, y}});
    Line(p, Red, {{centre, y + 2}, {centre + 1, y + 2}, {centre + 1, y + 6}, {centre, y + 6}, {centre, y + 2}});
}

void FrameFT2000(QPainter& p)
{
    HeadingBox(p, 1, 1, 23, 9, QStringLiteral("ANT"), 3, Blue);
    LeftBracket(p, 3, 14, 41, {{28, Diag}}, Blue);
    RightBracket(p, 21, 14, 41, {{28, Diag}}, Blue);
    Triangle(p, 23, 27, Blue);

    HeadingBox(p, 27, 1, 51, 9, QStringLiteral("ATT"), 4, Blue);
    LeftBracket(p, 26, 14, 41, {{23}, {32}}, Blue);
    RightBracket(p, 52, 14, 41, {{23}, {32}}, Blue);
    Triangle(p, 54, 27, Blue);

    HeadingBox(p, 58, 1, 84, 9, QStringLiteral("FLT"), 5, Blue);
    LeftBracket(p, 57, 14, 41, {{28, Diag}}, Blue);
    RightBracket(p, 85, 14, 41, {{28, Diag}}, Blue);
    Triangle(p, 87, 27, Blue);

    HeadingBox(p, 91, 1, 115, 9, QStringLiteral("IPO"), 5, Blue);
    LeftBracket(p, 90, 14, 41, {{28, Diag}}, Blue);
    RightBracket(p, 116, 14, 41, {{28, Diag}}, Blue);
    Triangle(p, 118, 27, Blue);

    HeadingBox(p, 122, 1, 148, 9, QStringLiteral("R.FLT"), 2, Blue);
    LeftBracket(p, 121, 14, 41, {{23}, {32}}, Blue);
    RightBracket(p, 149, 14, 41, {{23}, {32}}, Blue);
    Triangle(p, 151, 27, Blue);

    HeadingBox(p, 155, 1, 181, 9, QStringLiteral("AGC"), 5, Blue);
    LeftBracket(p, 154, 14, 41, {{23}, {32}}, Blue);
    RightBracket(p, 182, 14, 41, {{23}, {32}}, Blue);

    HeadingBox(p, 4, 51, 24, 59, QStringLiteral("DSP"), 4, Blue);
    DSPLabels(p, 0);
    Line(p, Blue, {{27, 64}, {27, 83}});
    DSPRowMarks(p, 125, 77, 128, 135, 182);

    HeadingBox(p, 216, 56, 313, 75, QString(), 0, Blue);
    OffsetScale(p, 225, 304, 59, 264, 7);

    HeadingBox(p, 318, 56, 392, 75, QString(), 0, Blue);
    HeadingBox(p, 399, 56, 555, 79, QString(), 0, Grey);

    // Sub S-meter scale over SMeterB at (409, 13).
    for (int k = 0; k < 8; ++k)
        Block(p, 413 + 16 * k, 9, 2, 2, k < 5 ? Grey : Red);
    for (int k = 0; k < 30; ++k)
        Block(p, 409 + 4 * k, 11, 2, 1, k < 18 ? Grey : Red);
    Line(p, Grey, {{407, 4}, {406, 4}, {406, 3}, {404, 3}, {404, 4}, {403, 4}, {403, 6}, {405, 6}, {404, 7},
                   {406, 7}, {406, 8}, {407, 8}, {407, 10}, {406, 10}, {406, 11}, {404, 11}, {404, 10}, {402, 10}});
    DrawText(p, QStringLiteral("1"), 413, 2, Grey);
    DrawText(p, QStringLiteral("3"), 428, 2, Grey);
    DrawText(p, QStringLiteral("5"), 444, 1, Grey);
    DrawText(p, QStringLiteral("7"), 460, 1, Grey);
    DrawText(p, QStringLiteral("9"), 476, 1, Grey);
    DrawText(p, QStringLiteral("+20"), 488, 1, Red);
    DrawText(p, QStringLiteral("+40"), 504, 1, Red);
    DrawText(p, QStringLiteral("+60dB"), 520, 1, Red);
}

void FrameFT950(QPainter& p)
{
    HeadingBox(p, 164, 1, 186, 9, QStringLiteral("ANT"), 3, Blue);
    LeftBracket(p, 166, 21, 36, {}, Blue);
    RightBracket(p, 184, 21, 36, {}, Blue);
    Triangle(p, 186, 27, Blue);

    HeadingBox(p, 190, 1, 214, 9, QStringLiteral("ATT"), 4, Blue);
    LeftBracket(p, 189, 14, 41, {{23}, {32}}, Blue);
    RightBracket(p, 215, 14, 41, {{23}, {32}}, Blue);
    Triangle(p, 217, 31, Blue);

    HeadingBox(p, 221, 1, 247, 9, QStringLiteral("FLT"), 5, Blue);
    LeftBracket(p, 220, 21, 36, {}, Blue);
    RightBracket(p, 248, 21, 36, {}, Blue);
    Triangle(p, 250, 27, Blue);

    HeadingBox(p, 254, 1, 278, 9, QStringLiteral("IPO"), 5, Blue);
    LeftBracket(p, 253, 14, 41, {{28, Diag}}, Blue);
    RightBracket(p, 279, 14, 41, {{28, Diag}}, Blue);
    Triangle(p, 281, 27, Blue);

    HeadingBox(p, 285, 1, 311, 9, QStringLiteral("R.FLT"), 2, Blue);
    LeftBracket(p, 284, 14, 41, {{23}, {32}}, Blue);
    RightBracket(p, 312, 14, 41, {{23}, {32}}, Blue);
    Triangle(p, 314, 27, Blue);

    HeadingBox(p, 318, 1, 344, 9, QStringLiteral("AGC"), 5, Blue);
    LeftBracket(p, 317, 14, 41, {{23}, {32}}, Blue);
    RightBracket(p, 345, 14, 41, {{23}, {32}}, Blue);

    HeadingBox(p, 167, 51, 187, 59, QStringLiteral("DSP"), 4, Blue);
    DSPLabels(p, 1);
    Line(p, Blue, {{190, 64}, {190, 83}});
    DSPRowMarks(p, 288, 240, 291, 297, 345);

    HeadingBox(p, 349, 66, 446, 85, QString(), 0, Blue);
    OffsetScale(p, 358, 437, 69, 397, 7);

    HeadingBox(p, 486, 66, 560, 85, QString(), 0, Blue);
}

// The small figures of the FT DX 5000 sub S-meter scale: three pixels wide so that they fit
// between the scale marks.
void MiniGlyph(QPainter& p, QChar c, int x, int y)
{
    auto line = [&](std::initializer_list<QPoint> pts) {
        std::vector<QPoint> moved;
        for (const QPoint& pt : pts)
            moved.emplace_back(x + pt.x(), y + pt.y());
        DrawPolyline(p, moved);
    };
    switch (c.unicode()) {
    case '0': line({{0, 0}, {2, 0}, {2, 4}, {0, 4}, {0, 0}}); break;
    case '1': line({{0, 1}, {1, 0}, {1, 4}, {0, 4}, {3, 4}}); break;
    case '2': line({{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 4}, {3, 4}}); break;
    case '3': line({{0, 0}, {2, 0}, {2, 4}, {-1, 4}}); line({{1, 2}, {2, 2}}); break;
    case '4': line({{0, 0}, {0, 2}, {2, 2}}); line({{2, 0}, {2, 5}}); break;
    case '5': line({{2, 0}, {0, 0}, {0, 2}, {2, 2}, {2, 4}, {-1, 4}}); break;
    case '6': line({{2, 0}, {0, 0}, {0, 4}, {2, 4}, {2, 2}, {0, 2}}); break;
    case '7': line({{0, 0}, {2, 0}, {2, 2}, {1, 3}, {1, 5}}); break;
    case '9': line({{2, 2}, {0, 2}, {0, 0}, {2, 0}, {2, 4}, {-1, 4}}); break;
    case '+': line({{1, 1}, {1, 4}}); line({{0, 2}, {3, 2}}); break;
    case 'd': line({{2, 0}, {2, 4}, {0, 4}, {0, 2}, {2, 2}}); break;
    case 'B': line({{0, 0}, {1, 0}, {2, 1}, {1, 2}, {2, 3}, {1, 4}, {0, 4}, {0, 0}}); break;
    default: break;
    }
}

void MiniText(QPainter& p, const QString& text, int x, int y, const QColor& color)
{
    p.setPen(QPen(color, 1));
    for (QChar c : text) {
        MiniGlyph(p, c, x, y);
        x += 4;
    }
}

void FrameFTDX5000(QPainter& p)
{
    struct TColumn {
        const char* Heading;
        int L, T, R, B, Offset;
        int LeftX, RightX; // -1: no bracket on that side
        int MainY0, MainY1;
        std::initializer_list<TBracketTick> MainTicks;
        int SubY0, SubY1;
        std::initializer_list<TBracketTick> SubTicks;
        QPoint TriMain, TriSub; // x = -1: none
    };
    const TColumn columns[] = {
        {"ANT", 10, 2, 30, 10, 2, -1, 28, 15, 39, {{23}, {31}}, 64, 88, {{72}, {80}}, {30, 27}, {30, 74}},
        {"ATT", 35, 2, 56, 10, 3, 33, 57, 15, 39, {{23}, {31}}, 64, 88, {{72}, {80}}, {59, 27}, {59, 74}},
        {"FLT", 64, 2, 87, 10, 4, 62, 90, 15, 39, {{28}}, 68, 81, {}, {92, 27}, {92, 74}},
        {"IPO", 97, 2, 119, 10, 4, 95, 121, 15, 39, {{23}, {31}}, 64, 88, {{72}, {80}}, {123, 27}, {123, 74}},
        {"R.FLT", 124, 2, 150, 10, 2, 126, 147, 15, 39, {{21}, {27}, {33}}, 64, 80, {{72}}, {149, 25}, {149, 74}},
        {"AGC", 154, 2, 176, 10, 3, 152, -1, 15, 39, {{23}, {31}}, 64, 88, {{72}, {80}}, {-1, 0}, {-1, 0}},
    };
    for (const TColumn& c : columns) {
        HeadingBox(p, c.L, c.T, c.R, c.B, QString::fromLatin1(c.Heading), c.Offset, Blue);
        if (c.LeftX >= 0) {
            LeftBracket(p, c.LeftX, c.MainY0, c.MainY1, c.MainTicks, Blue);
            LeftBracket(p, c.LeftX, c.SubY0, c.SubY1, c.SubTicks, Blue);
        }
        if (c.RightX >= 0) {
            RightBracket(p, c.RightX, c.MainY0, c.MainY1, c.MainTicks, Blue);
            RightBracket(p, c.RightX, c.SubY0, c.SubY1, c.SubTicks, Blue);
        }
        if (c.TriMain.x() >= 0) {
            Triangle(p, c.TriMain.x(), c.TriMain.y(), Blue);
            Triangle(p, c.TriSub.x(), c.TriSub.y(), Blue);
        }
    }

    HeadingBox(p, 325, 66, 471, 92, QString(), 0, Blue);
    Line(p, Blue, {{367, 71}, {330, 71}, {330, 69}, {330, 74}});
    Line(p, Blue, {{372, 71}, {410, 71}, {410, 69}, {410, 74}});
    for (int x : {330, 338, 346, 354, 362, 378, 386, 394, 402, 410})
        Line(p, Blue, {{x, 74}, {x, 76}});
    Line(p, Red, {{368, 69}, {371, 69}, {371, 70}, {368, 70}, {368, 69}});
    Line(p, Red, {{369, 71}, {370, 71}, {370, 75}, {369, 75}, {369, 71}});

    Line(p, Blue, {{179, 3}, {179, 38}});
    Line(p, Grey, {{179, 55}, {179, 90}});

    HeadingBox(p, 2, 50, 255, 92, QString(), 0, Grey);
    FilledLabel(p, Position(218, 2), Blue, QStringLiteral("A"), 1);
    FilledLabel(p, Position(219, 2), Grey, QStringLiteral("B"), 1);
    for (int i = 0; i < 2; ++i) {
        const QColor color = i == 0 ? Blue : Grey;
        const int dy = 49 * i;
        if (i == 0)
            Line(p, color, {{5, 19}, {15, 19}, {15, 29}, {5, 29}, {5, 19}});
        else
            Line(p, color, {{5, 68}, {14, 68}, {14, 78}, {5, 78}, {5, 68}});
        Line(p, color, {{4, 13 + dy}, {4, 15 + dy}, {5, 16 + dy}, {6, 15 + dy}, {6, 12 + dy}});
        Line(p, color, {{10, 13 + dy}, {8, 13 + dy}, {8, 15 + dy}, {9, 15 + dy}, {8, 15 + dy}, {8, 17 + dy}});
        Line(p, color, {{14, 13 + dy}, {13, 13 + dy}, {12, 14 + dy}, {12, 15 + dy}, {13, 16 + dy}, {14, 16 + dy},
                        {15, 15 + dy}, {15, 14 + dy}, {14, 13 + dy}});
    }

    // Sub S-meter scale over SMeterB at (18, 58): grey up to S9, red beyond.
    Line(p, Grey, {{16, 52}, {14, 52}, {13, 53}, {14, 54}, {15, 54}, {16, 55}, {15, 56}, {12, 56}});
    for (int x : {18, 26, 30, 34, 42, 46, 50, 58, 62, 66, 74, 78, 82})
        Block(p, x, 54, 3, 2, Grey);
    for (int x : {90, 94, 110, 114, 130, 134})
        Block(p, x, 54, 3, 2, Red);
    MiniText(p, QStringLiteral("1"), 22, 52, Grey);
    MiniText(p, QStringLiteral("3"), 38, 52, Grey);
    MiniText(p, QStringLiteral("5"), 54, 52, Grey);
    MiniText(p, QStringLiteral("7"), 70, 52, Grey);
    MiniText(p, QStringLiteral("9"), 86, 52, Grey);
    MiniText(p, QStringLiteral("+20"), 98, 52, Red);
    MiniText(p, QStringLiteral("+40"), 118, 52, Red);
    MiniText(p, QStringLiteral("+60"), 138, 52, Red);
    MiniText(p, QStringLiteral("dB"), 150, 52, Red);
}

} // namespace

void DrawFrame(QPainter& p, int modelIndex)
{
    switch (modelIndex) {
    case 0: FrameFT2000(p); break;
    case 1: FrameFT950(p); break;
    case 2: FrameFTDX5000(p); break;
    default: break;
    }
}

} // namespace lcd
