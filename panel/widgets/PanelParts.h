#pragma once
// The plain parts of the front panels: the speed button every key of a face is made of, and the
// picture that carries a face's background or a small printed legend.  Both draw named pictures
// of the art registry, which the faces register; without a picture a key is drawn as a plain
// dark key whose lamp lights while it is down.

#include "controls/widgets/RCSpeedButton.h"
#include "core/RCTypes.h"
#include "panel/widgets/GlyphButton.h"

#include <QString>
#include <QWidget>

// Where the glyph sits beside a caption.
enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// A key of a face.  Group behaviour (GroupIndex, AllowAllUp, Down) is the shared speed button's.
class TPanelSpeedButton : public TGlyphButton<TRCSpeedButton> {
    Q_OBJECT
public:
    explicit TPanelSpeedButton(QWidget* parent = nullptr);

    // Gap between glyph and caption; kept for the faces that print a caption.
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value) { FSpacing = value; }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value) { FLayout = value; }

    // A double click; the clicks around it are reported as well.
    TNotifyEvent OnDblClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int FSpacing = 4;
    TButtonLayout FLayout = blGlyphLeft;
};

// A named picture of the art registry drawn over the control's whole area; nothing while the
// name is empty.  Mouse input passes through to what lies below.
class TPanelImage : public QWidget {
    Q_OBJECT
public:
    explicit TPanelImage(QWidget* parent = nullptr);

    QString Picture() const { return FPicture; }
    void SetPicture(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString FPicture;
};
