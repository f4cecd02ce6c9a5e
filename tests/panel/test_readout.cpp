// The frequency readout: digits, glyphs, clarifier and memory display, per-digit tuning, and
// an offscreen render of every display type.
#include "ControlTestUtils.h"
#include "panel/ReadoutLogic.h"
#include "panel/widgets/FTPanelFrequency.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

// One row of readouts of one model family (the digit positions are shared, so a family at a time).
QImage ReadoutRow(bool ft2000, qreal dpr)
{
    ctl::Scene scene(QSize(430, 95));
    // As on the panel: every readout exists before the types are set, since a new readout
    // writes the FT-2000 positions.
    TFTPanelFrequency* a = new TFTPanelFrequency;
    TFTPanelFrequency* b = new TFTPanelFrequency;
    TFTPanelFrequency* clar = new TFTPanelFrequency;
    TFTPanelFrequency* mem = new TFTPanelFrequency;
    a->SetDisplayType(ft2000 ? dtFT2K_A : dtFT5K_A);
    b->SetDisplayType(ft2000 ? dtFT2K_B : dtFT5K_B);
    clar->SetDisplayType(ft2000 ? dtFT2K_Clarifier : dtFT5K_Clarifier);
    mem->SetDisplayType(ft2000 ? dtFT2K_Clarifier : dtFT5K_Clarifier);
    scene.Add(a, {8, 8}, QString::fromLatin1(ft2000 ? "FT2K_A, tuning" : "FT5K_A"));
    scene.Add(b, {196, 11}, QString::fromLatin1(ft2000 ? "FT2K_B" : "FT5K_B, 10 Hz"));
    scene.Add(clar, {345, 8}, QString::fromLatin1(ft2000 ? "FT2K_Clarifier" : "FT5K_Clarifier"));
    scene.Add(mem, {345, 55}, QString::fromLatin1(ft2000 ? "memory 07" : "QMB C-3"));
    if (ft2000) {
        a->SetFrequency(14250000);
        a->SetIsTuning(true);
        a->SetResolution(10);
        b->SetFrequency(7012345);
        clar->SetClarifierOffset(-120);
        clar->SetClarifierRX(true);
        clar->SetClarifierTX(true);
        mem->SetVFOMemoryMode(vmMemoryMode);
        mem->SetMemoryChannel(7);
    } else {
        a->SetFrequency(500000);
        ctl::Hover(*a, QPoint(a->DigitPositions().A[4] + 3, 10)); // the 1 kHz digit under the pointer
        b->SetFrequency(28074000);
        b->SetResolution(10);
        clar->SetClarifierOffset(2500);
        clar->SetClarifierRX(true);
        mem->SetVFOMemoryMode(vmQMB);
        mem->SetMemoryChannel(3);
    }
    return scene.Render(dpr);
}

} // namespace

TEST(ReadoutRender, SavesEveryDisplayType)
{
    for (const qreal dpr : {1.0, 2.0}) {
        const QImage ft2000 = ReadoutRow(true, dpr);
        const QImage ftdx5000 = ReadoutRow(false, dpr);
        QImage img(QSize(ft2000.width(), ft2000.height() * 2), QImage::Format_RGB32);
        img.setDevicePixelRatio(dpr);
        QPainter p(&img);
        p.drawImage(QPointF(0, 0), ft2000);
        p.drawImage(QPointF(0, ft2000.height() / dpr), ftdx5000);
        p.end();
        EXPECT_TRUE(SaveArtifact(img, dpr == 1.0 ? QStringLiteral("control-readout.png") : QStringLiteral("control-readout@2x.png")));
    }
}
