#pragma once
// A spin button: a pair of arrows, up above down, that steps a number held
// elsewhere. A click on an arrow reports SpinUp or SpinDown, and holding an
// arrow down repeats the report, as the classic control did.
#include <QAbstractButton>
#include <QWidget>
#include <functional>

class SpinButton : public QWidget {
    Q_OBJECT
public:
    SpinButton(QWidget* parent, const QString& name);

    void onSpinUp(std::function<void()> handler) { spinUp_ = std::move(handler); }
    void onSpinDown(std::function<void()> handler) { spinDown_ = std::move(handler); }

    // The two halves, for whoever needs to press them directly.
    QAbstractButton* upArrow() const { return up_; }
    QAbstractButton* downArrow() const { return down_; }

    QSize sizeHint() const override { return QSize(17, 34); }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    QAbstractButton* up_;
    QAbstractButton* down_;
    std::function<void()> spinUp_;
    std::function<void()> spinDown_;
};
