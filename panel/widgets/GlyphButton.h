#pragma once
// What every key of a face shares: a face drawn from a picture strip of the art registry, NumGlyphs
// frames side by side (up, disabled, clicked, down), and the flat look.  Mixed into the two-half
// key and the panel speed button.

#include "controls/widgets/ArtRegistry.h"
#include "panel/SmallControlsLogic.h"

#include <QPainter>
#include <QString>
#include <algorithm>

template <typename Button>
class TGlyphButton : public Button {
public:
    using Button::Button;

    QString Glyph() const { return FGlyph; }
    void SetGlyph(const QString& name)
    {
        FGlyph = name;
        this->update();
    }
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value)
    {
        FNumGlyphs = std::clamp(value, 1, 4);
        this->update();
    }
    bool Flat() const { return FFlat; }
    void SetFlat(bool value)
    {
        FFlat = value;
        this->update();
    }
    // The frame of the strip shown for the present state.
    int GlyphFrame() const
    {
        return smallcontrols::GlyphFrame(this->isEnabled(), this->isDown(), this->isChecked(), FNumGlyphs);
    }

protected:
    // Draws the strip's frame over the whole key; false while the key has no picture.
    bool DrawGlyph(QPainter& p) const
    {
        if (FGlyph.isEmpty())
            return false;
        // A strip a pixel larger than its key is scaled down: filtered, no legend loses a column.
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        vx::art::DrawInto(p, QRectF(this->rect()), FGlyph, FNumGlyphs > 1 ? GlyphFrame() : -1);
        return true;
    }

private:
    QString FGlyph;
    int FNumGlyphs = 1;
    bool FFlat = false;
};
