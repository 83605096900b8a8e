#pragma once
// Manual drag and drop, as the classic controls offered it: a control starts a
// drag of itself (usually from its mouse-down handler); a picture of it follows
// the pointer until the button is released; the drop is then reported to the
// drop target under the pointer, with the point in that target's own scale (a
// picture box's scale, twips for anything else). The control itself does not
// move: whoever takes the drop decides where it goes.
#include <QPointF>
#include <functional>

class QWidget;
class PictureBox;

// What a drop target is told: the dragged control and the point of the drop.
using DropHandler = std::function<void(QWidget* source, double x, double y)>;

// Makes a control take drops (a window's own widget takes those that land on
// its bare background). A drop goes to the control under the pointer, seen
// through controls that take no mouse input (lines, shapes); when that control
// takes no drops, nothing does. The handler lives as long as the control.
void setDropTarget(QWidget* target, DropHandler onDrop);
// The same for a picture box, with the point in its scale.
void setDropTarget(PictureBox* target, DropHandler onDrop);

// Starts dragging source. notTaken runs when the drag ends over nothing that
// takes drops (outside the window, or on a control that is no target).
void beginDrag(QWidget* source, std::function<void()> notTaken = {});
// Ends the drag under way, if any, without a drop.
void endDrag();
bool isDragging();
QWidget* dragSource();

// Releases the drag at a point of the source's window (in its pixels), as the
// mouse button released there would: the drop goes to the target under it.
void dropDragAt(const QPointF& windowPoint);

// A point in a picture box's own pixels (border included) in its scale.
QPointF pointInScale(const PictureBox& box, const QPointF& widgetPoint);
