#pragma once
// One registry of every named picture the views draw (button strips, faces, thumbs, dial faces).
// Nothing is loaded from files: each name maps to code that paints the picture at its own
// logical size.  Views ask for pictures by name; a name nobody registered is reported through the
// unknown-name handler (the tests turn that into a failure) and draws nothing.
//
// Libraries register their names in a function of their own (for example RegisterControlArt())
// that their widgets call before first use; registering is idempotent.

#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

class QPainter;
class QRectF;
class QPointF;

namespace vx::art {

// Paints the whole picture into (0, 0, size) of the painter, in logical pixels.
using PaintFn = std::function<void(QPainter&, const QSize&)>;

// Adds or replaces a picture.  A strip of frames side by side (a button's up, disabled, clicked
// and down looks) is one picture; `frames` says how many it holds.
void Register(const QString& name, QSize size, PaintFn paint, int frames = 1);

bool Has(const QString& name);
QStringList Names();

// Logical size of the whole picture (all frames); invalid for an unknown name.
QSize Size(const QString& name);
// Number of frames of a strip; 0 for an unknown name.
int FrameCount(const QString& name);
// Logical size of one frame.
QSize FrameSize(const QString& name);

// The picture rendered at the device pixel ratio (cached).  Null for an unknown name.
QPixmap Pixmap(const QString& name, qreal devicePixelRatio = 1.0);

// Draws the picture (or one frame of a strip) with its top-left corner at `at`, at its logical
// size; the painter's device pixel ratio is used so the result stays sharp.
void Draw(QPainter& p, const QPointF& at, const QString& name, int frame = -1);
// Draws the picture (or one frame) scaled into `target`.
void DrawInto(QPainter& p, const QRectF& target, const QString& name, int frame = -1);

// Called with the name whenever an unknown name is asked for.  The default warns on the terminal.
using UnknownNameHandler = std::function<void(const QString&)>;
void SetUnknownNameHandler(UnknownNameHandler handler);

} // namespace vx::art
