#include "platform/lost_focus.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace {

class LostFocusFilter : public QObject {
public:
    LostFocusFilter(QWidget* widget, std::function<void()> handler)
        : QObject(widget), className_(widget->metaObject()->className()), handler_(std::move(handler)) {}

    bool eventFilter(QObject* watched, QEvent* e) override {
        // A widget being destroyed already reports a plainer class than it was
        // made as; what it loses then is no longer the child's doing.
        if (e->type() == QEvent::FocusOut && watched->metaObject()->className() == className_) handler_();
        return false;
    }

private:
    QByteArray className_;
    std::function<void()> handler_;
};

}  // namespace

void onLostFocus(QWidget* widget, std::function<void()> handler) {
    widget->installEventFilter(new LostFocusFilter(widget, std::move(handler)));
}
