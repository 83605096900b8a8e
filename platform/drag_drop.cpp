#include "platform/drag_drop.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <utility>

#include "platform/picture_box.h"
#include "platform/units.h"

namespace {

// Hangs on a drop target as a child object, so the handler goes with it.
class DropHook : public QObject {
public:
    DropHook(QWidget* target, DropHandler handler, bool inScale)
        : QObject(target), handler(std::move(handler)), inScale(inScale) {
        setObjectName(kName);
    }
    static constexpr const char* kName = "dropHook";
    static DropHook* of(QWidget* w) {
        return dynamic_cast<DropHook*>(w->findChild<QObject*>(kName, Qt::FindDirectChildrenOnly));
    }
    DropHandler handler;
    bool inScale;
};

// The picture that follows the pointer: the dragged control, faded, in a frame.
class DragOutline : public QWidget {
public:
    DragOutline(QWidget* window, QPixmap face) : QWidget(window), face_(std::move(face)) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setOpacity(0.7);
        p.drawPixmap(rect(), face_);
        p.setOpacity(1.0);
        p.setPen(QPen(Qt::black, 2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }

private:
    QPixmap face_;
};

class DragSession : public QObject {
public:
    static DragSession& instance() {
        static DragSession* session = nullptr;
        if (!session) {
            session = new DragSession(qApp);
            qApp->installEventFilter(session);
        }
        return *session;
    }

    void begin(QWidget* source, std::function<void()> notTaken) {
        end();
        if (!source || !source->window()) return;
        source_ = source;
        window_ = source->window();
        notTaken_ = std::move(notTaken);
        const QPoint pointer = source->mapFromGlobal(lastPress_);
        // Held where the pointer took it; a drag started with the pointer
        // elsewhere (by the program) holds the control by its middle.
        grab_ = source->rect().contains(pointer) ? pointer : source->rect().center();
        outline_ = new DragOutline(window_, source->grab());
        outline_->setGeometry(QRect(source->mapTo(window_.data(), QPoint(0, 0)), source->size()));
        outline_->raise();
        outline_->show();
    }

    void end() {
        if (outline_) {
            outline_->hide();
            outline_->deleteLater();
        }
        outline_ = nullptr;
        source_ = nullptr;
        window_ = nullptr;
        notTaken_ = nullptr;
    }

    bool active() const { return !source_.isNull(); }
    QWidget* source() const { return source_.data(); }

    void dropAt(const QPointF& windowPoint) {
        if (!active()) return;
        QPointer<QWidget> source = source_;
        QPointer<QWidget> window = window_;
        std::function<void()> notTaken = std::move(notTaken_);
        end();
        if (!window) return;
        const QPoint at = windowPoint.toPoint();
        QWidget* hit = nullptr;
        if (window->rect().contains(at)) {
            hit = window->childAt(at);
            if (!hit) hit = window;
        }
        if (DropHook* hook = hit ? DropHook::of(hit) : nullptr) {
            const QPointF local = QPointF(hit->mapFrom(window.data(), at));
            QPointF point;
            if (hook->inScale)
                point = pointInScale(*static_cast<PictureBox*>(hit), local);
            else
                point = QPointF(pixelsToTwips(local.x()), pixelsToTwips(local.y()));
            DropHandler handler = hook->handler;
            if (handler) handler(source.data(), point.x(), point.y());
            return;
        }
        if (notTaken) notTaken();
    }

    bool eventFilter(QObject* obj, QEvent* e) override {
        if (!obj->isWidgetType()) return false;
        if (e->type() == QEvent::MouseButtonPress) {
            // Where the pointer takes hold of a control that a press handler then drags.
            lastPress_ = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
            return false;
        }
        if (!active()) return false;
        if (e->type() == QEvent::MouseMove) {
            auto* me = static_cast<QMouseEvent*>(e);
            if (outline_ && window_)
                outline_->move(window_->mapFromGlobal(me->globalPosition().toPoint()) - grab_);
            return false;
        }
        if (e->type() == QEvent::MouseButtonRelease) {
            auto* me = static_cast<QMouseEvent*>(e);
            if (!window_) {
                end();
                return false;
            }
            dropAt(QPointF(window_->mapFromGlobal(me->globalPosition().toPoint())));
            // The release belongs to the drag, not to the control it started on.
            return true;
        }
        return false;
    }

private:
    using QObject::QObject;
    QPointer<QWidget> source_;
    QPointer<QWidget> window_;
    QPointer<DragOutline> outline_;
    QPoint grab_;
    QPoint lastPress_;
    std::function<void()> notTaken_;
};

void hook(QWidget* target, DropHandler onDrop, bool inScale) {
    if (!target) return;
    // Watching presses from now on, so the first drag knows where it was taken.
    DragSession::instance();
    delete DropHook::of(target);
    new DropHook(target, std::move(onDrop), inScale);
}

}  // namespace

void setDropTarget(QWidget* target, DropHandler onDrop) { hook(target, std::move(onDrop), false); }

void setDropTarget(PictureBox* target, DropHandler onDrop) { hook(target, std::move(onDrop), true); }

void beginDrag(QWidget* source, std::function<void()> notTaken) {
    DragSession::instance().begin(source, std::move(notTaken));
}

void endDrag() { DragSession::instance().end(); }

bool isDragging() { return DragSession::instance().active(); }

QWidget* dragSource() { return DragSession::instance().source(); }

void dropDragAt(const QPointF& windowPoint) { DragSession::instance().dropAt(windowPoint); }

QPointF pointInScale(const PictureBox& box, const QPointF& widgetPoint) {
    const QSize image = box.logicalSize();
    const double w = image.width(), h = image.height();
    // The kept image lies centred inside the box's border, if it has one.
    const double offX = (box.width() - image.width()) / 2.0;
    const double offY = (box.height() - image.height()) / 2.0;
    return {box.scaleLeft() + (widgetPoint.x() - offX) * box.scaleWidth() / w,
            box.scaleTop() + (widgetPoint.y() - offY) * box.scaleHeight() / h};
}
