#include "platform/forms.h"

#include <qdrawutil.h>

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QSvgRenderer>
#include <QTimer>
#include <map>
#include <optional>
#include <vector>

#include "platform/data_file.h"
#include "platform/fonts.h"
#include "platform/held_input.h"
#include "platform/seam.h"
#include "platform/text.h"
#include "platform/units.h"
#include "platform/window_manager.h"

// ---------------------------------------------------------------------------
// Keys

int vbKeyCode(int k) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return vbKeyF1 + (k - Qt::Key_F1);
    switch (k) {
        case Qt::Key_Backspace:
            return vbKeyBack;
        case Qt::Key_Tab:
            return vbKeyTab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vbKeyReturn;
        case Qt::Key_Shift:
            return vbKeyShift;
        case Qt::Key_Control:
            return vbKeyControl;
        case Qt::Key_Escape:
            return vbKeyEscape;
        case Qt::Key_Space:
            return vbKeySpace;
        case Qt::Key_PageUp:
            return vbKeyPageUp;
        case Qt::Key_PageDown:
            return vbKeyPageDown;
        case Qt::Key_End:
            return vbKeyEnd;
        case Qt::Key_Home:
            return vbKeyHome;
        case Qt::Key_Left:
            return vbKeyLeft;
        case Qt::Key_Up:
            return vbKeyUp;
        case Qt::Key_Right:
            return vbKeyRight;
        case Qt::Key_Down:
            return vbKeyDown;
        case Qt::Key_Delete:
            return vbKeyDelete;
        default:
            return 0;
    }
}

int vbKeyAscii(const QKeyEvent* e) {
    const QString t = e->text();
    if (t.size() != 1 || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return 0;
    const int c = t[0].unicode();
    if (c == 8 || c == 13 || c == 27 || (c >= 32 && c < 127)) return c;
    return 0;
}

int vbShift(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

int vbButton(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

bool isMnemonicKey(const QKeyEvent* e) { return (e->modifiers() & Qt::AltModifier) && !e->text().isEmpty(); }

bool clickable(const QWidget* control) { return control->isEnabled() && control->isVisible(); }

namespace {
const char* const kKeysStandingFor = "keysStandingFor";
}

void keyStandsFor(QWidget* control, QChar key) {
    control->setProperty(kKeysStandingFor, control->property(kKeysStandingFor).toString() + key);
}

QWidget* controlOfKey(const QWidget* window, const QKeyEvent* e) {
    const int typed = vbKeyAscii(e);
    if (typed == 0) return nullptr;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->property(kKeysStandingFor).toString().contains(QChar(typed)) && w->window() == window)
            return w;
    return nullptr;
}

namespace {
// A button pressed by its mnemonic takes the focus first, as it would from a
// click, so that a box left behind takes over what was typed in it (a name
// box keeps its name when New Game is pressed by Alt+N).
void focusOnMnemonic(QAbstractButton* button) {
    if (button->focusPolicy() & Qt::TabFocus) button->setFocus(Qt::ShortcutFocusReason);
}
}  // namespace

void pressByMnemonic(QAbstractButton* button) {
    focusOnMnemonic(button);
    button->click();
}

QAbstractButton* buttonOfMnemonic(const QWidget* window, const QKeyEvent* e) {
    if (!isMnemonicKey(e)) return nullptr;
    const QKeySequence key(QKeyCombination(e->modifiers() & ~Qt::KeypadModifier, Qt::Key(e->key())));
    QAbstractButton* found = nullptr;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (b->window() != window || !clickable(b) || b->shortcut() != key) continue;
        // A mnemonic that two buttons share presses neither.
        if (found) return nullptr;
        found = b;
    }
    return found;
}

namespace {

// Routes key presses: F1 opens help at the window's context number in every
// window, and a window with key preview sees each key before its focused control.
class KeyRouter : public QObject {
public:
    static void install() {
        static KeyRouter* router = nullptr;
        if (!router) {
            router = new KeyRouter(qApp);
            qApp->installEventFilter(router);
        }
    }

    bool eventFilter(QObject* obj, QEvent* e) override {
        if (e->type() == QEvent::Shortcut) {
            if (auto* button = qobject_cast<QAbstractButton*>(obj)) focusOnMnemonic(button);
            return false;
        }
        if (rerouting_ || (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease)) return false;
        auto* w = qobject_cast<QWidget*>(obj);
        if (!w) return false;
        // A key travels from the focused control up to its window; act on its
        // first delivery only. A key held during a wait starts at the control
        // that had the focus when it was made.
        QWidget* focus = heldKeyTarget(e) ? heldKeyTarget(e) : QApplication::focusWidget();
        if (focus ? w != focus : !qobject_cast<Form*>(w)) return false;
        auto* form = qobject_cast<Form*>(w->window());
        if (!form || !form->owner()) return false;
        FormWindow* owner = form->owner();
        auto* ke = static_cast<QKeyEvent*>(e);
        if (e->type() == QEvent::KeyPress)
            if (QWidget* control = controlOfKey(form, ke); control && !clickable(control)) return true;
        int code = vbKeyCode(ke->key());

        if (e->type() == QEvent::KeyPress && code == vbKeyF1) {
            if (owner->helpContextID() == 0)
                seam().helpContents();
            else
                seam().helpContext(owner->helpContextID());
            return true;
        }
        if (!owner->keyPreview()) return false;
        const int shift = vbShift(ke->modifiers());
        if (e->type() == QEvent::KeyRelease) {
            if (code == 0) return false;
            owner->Form_KeyUp(code, shift);
            return code == 0;
        }
        if (code != 0) {
            owner->Form_KeyDown(code, shift);
            if (code == 0) return true;
        }
        if (const int typed = vbKeyAscii(ke)) {
            int ascii = typed;
            owner->Form_KeyPress(ascii);
            if (ascii == 0) return true;
            if (ascii != typed) {
                // The handler changed the key: the control gets the new one,
                // without the window's handlers seeing it a second time.
                QKeyEvent changed(QEvent::KeyPress, ke->key(), ke->modifiers(), QString(QChar(ascii)));
                rerouting_ = true;
                QApplication::sendEvent(w, &changed);
                rerouting_ = false;
                return true;
            }
        }
        return false;
    }

private:
    using QObject::QObject;
    bool rerouting_ = false;
};

}  // namespace

// ---------------------------------------------------------------------------
// Windows

Form::Form(FormWindow* owner, Qt::WindowFlags flags) : QWidget(nullptr, flags), owner_(owner) {
    setObjectName(owner->name());
    setAutoFillBackground(true);
}

void Form::closeEvent(QCloseEvent* e) {
    e->ignore();
    // The owner decides: a game treats it as its exit button, a dialog as OK.
    if (owner_) owner_->closeRequested();
}

namespace {
const Qt::WindowStates kFilling = Qt::WindowMaximized | Qt::WindowFullScreen;
}

void Form::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    // Every window keeps its size: a window manager that maximises it or
    // makes it fill the screen anyway is undone, and the window comes back
    // whole where it stood. The manager's new place and size arrive after
    // this, and are undone as they come (a few times at most, should a
    // manager insist).
    if (e->type() == QEvent::WindowStateChange && (windowState() & kFilling)) {
        setWindowState(windowState() & ~kFilling);
        restoresLeft_ = 10;
        keepNormalPlace();
    }
}

void Form::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    keepNormalPlace();
}

void Form::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    keepNormalPlace();
}

void Form::keepNormalPlace() {
    if (!isVisible() || (windowState() & kFilling)) return;
    if (restoresLeft_ == 0 || !normal_.isValid()) {
        normal_ = geometry();
        return;
    }
    if (geometry() == normal_) {
        restoresLeft_ = 0;
        return;
    }
    --restoresLeft_;
    QTimer::singleShot(0, this, [this] { setGeometry(normal_); });
}

void Form::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    // Some window managers (metacity among them) hand a hidden window back at
    // its frame's corner, which Qt then takes for the window's place: shown
    // again, it would stand higher by its title bar each time.
    if (!e->spontaneous()) hiddenAt_ = geometry().topLeft();
}

void Form::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (e->spontaneous() || !hiddenAt_) return;
    setGeometry(QRect(*hiddenAt_, size()));
    hiddenAt_.reset();
}

void Form::place(const QPoint& topLeft) {
    hiddenAt_.reset();
    move(topLeft);
}

void Form::paintEvent(QPaintEvent* e) {
    QWidget::paintEvent(e);
    if (owner_) owner_->Form_Paint();
}

FormWindow::FormWindow(QString name, Kind kind) : name_(std::move(name)), kind_(kind) {}

FormWindow::~FormWindow() {
    if (form_) delete form_.data();
}

void FormWindow::Load() {
    if (form_) return;
    KeyRouter::install();
    followInput();
    keepFocusOnModalDialogs();
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (kind_ == Kind::Menu) {
        flags |= Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint;
    } else if (kind_ == Kind::Dialog) {
        flags |= Qt::Dialog;
    } else {
        flags |= Qt::Window;
    }
    form_ = new Form(this, flags);
    // Disabled captions in the classic dark grey: the style's own light grey
    // vanishes on a grey window, and a disabled frame must still be read.
    QPalette greyed = form_->palette();
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        greyed.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    form_->setPalette(greyed);
    if (!caption_.isNull()) form_->setWindowTitle(caption_);
    if (clientW_ > 0) form_->setFixedSize(twipsToPixels(clientW_), twipsToPixels(clientH_));
    if (hasBackColor_) setBackColor(backColor_);
    setWindowBoxes(form_, kind_ == Kind::Menu ? WindowBoxes::MinimizeAndClose : WindowBoxes::None);
    createControls();
    Form_Load();
}

void FormWindow::Show() {
    Load();
    if (!form_) return;
    form_->show();
    form_->raise();
    form_->activateWindow();
}

void FormWindow::ShowModal() {
    Load();
    if (form_) seam().runModal(form_);
}

void FormWindow::Hide() {
    if (form_) form_->hide();
}

void FormWindow::Unload() {
    if (!form_) return;
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel || !form_) return;
    Form* f = form_.data();
    form_ = nullptr;
    f->hide();
    // Unloading often starts in a handler of one of the window's own controls,
    // so the widget goes once that handler has returned.
    f->deleteLater();
}

void FormWindow::closeRequested() { Unload(); }

std::vector<FormWindow*> FormWindow::shownDialogs() {
    std::vector<FormWindow*> dialogs;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* f = qobject_cast<Form*>(w);
        // A form already unloaded waits for its deletion, hidden.
        if (f && f->isVisible() && f->owner() && f->owner()->form() == f && f->owner()->kind_ == Kind::Dialog)
            dialogs.push_back(f->owner());
    }
    return dialogs;
}

void FormWindow::closeShownDialogs() {
    for (FormWindow* dialog : shownDialogs()) dialog->Unload();
}

void FormWindow::keepWhatShownDialogsKeep() {
    for (FormWindow* dialog : shownDialogs()) dialog->keepOnClose();
}

void FormWindow::setCaption(const QString& caption) {
    caption_ = caption;
    if (form_) form_->setWindowTitle(caption);
}

QString FormWindow::caption() const { return caption_; }

void FormWindow::setClientSize(int widthTwips, int heightTwips) {
    clientW_ = widthTwips;
    clientH_ = heightTwips;
    if (form_) form_->setFixedSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
}

void FormWindow::setBackColor(std::uint32_t bgr) {
    backColor_ = bgr;
    hasBackColor_ = true;
    if (form_) {
        QPalette p = form_->palette();
        p.setColor(QPalette::Window, bgrColor(bgr));
        form_->setPalette(p);
    }
}

void FormWindow::centre() {
    if (!form_) return;
    QScreen* screen = form_->screen() ? form_->screen() : QApplication::primaryScreen();
    if (!screen) return;
    const QRect s = screen->geometry();
    // Computed in twips and single precision, then placed in pixels.
    const float sw = static_cast<float>(pixelsToTwips(s.width()));
    const float sh = static_cast<float>(pixelsToTwips(s.height()));
    const float ww = static_cast<float>(pixelsToTwips(form_->width()));
    const float wh = static_cast<float>(pixelsToTwips(form_->height()));
    const float left = (sw - ww) * 0.5f, top = (sh - wh) * 0.5f;
    form_->place(QPoint(s.left() + twipsToPixels(left), s.top() + twipsToPixels(top)));
}

void placeTwips(QWidget* w, double left, double top, double width, double height) {
    w->setGeometry(twipsRect(left, top, width, height));
}

// ---------------------------------------------------------------------------
// Buttons

CommandButton::CommandButton(QWidget* parent, const QString& name, const QString& caption)
    : QPushButton(caption, parent) {
    setObjectName(name);
    setFont(vbFont("MS Sans Serif", 8.25, true));
    setAutoDefault(false);
}

namespace {
// Enter on a focused button clicks it, as Space does.
bool clickOnEnter(QAbstractButton* b, QKeyEvent* e) {
    if ((e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) ||
        (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    e->accept();
    b->click();
    return true;
}
}  // namespace

void CommandButton::keyPressEvent(QKeyEvent* e) {
    if (!clickOnEnter(this, e)) QPushButton::keyPressEvent(e);
}

void Button3D::keyPressEvent(QKeyEvent* e) {
    if (!clickOnEnter(this, e)) QAbstractButton::keyPressEvent(e);
}

void CommandButton::onClick(std::function<void()> handler) {
    connect(this, &QPushButton::clicked, this, [h = std::move(handler)] { h(); });
}

Button3D::Button3D(QWidget* parent, const QString& name, const QString& caption) : QAbstractButton(parent) {
    setObjectName(name);
    setText(caption);
    setFont(vbFont("MS Sans Serif", 8.25, true));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

void Button3D::setCaption(const QString& c) {
    setText(c);
    update();
}

void Button3D::setPicture(const QPicture& picture) {
    picture_ = picture;
    hasPicture_ = !picture.isNull();
    update();
}

void Button3D::setPictureFile(const std::string& path) { setPicture(loadSvgPicture(path)); }

void Button3D::onClick(std::function<void()> handler) {
    connect(this, &QAbstractButton::clicked, this, [h = std::move(handler)] { h(); });
}

QSize Button3D::sizeHint() const { return QSize(80, 32); }

bool Button3D::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut || e->type() == QEvent::EnabledChange) update();
    return QAbstractButton::event(e);
}

void Button3D::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect r = rect();
    const bool down = isDown();
    QColor face = face_;
    if (underMouse() && isEnabled() && !down) face = face.lighter(106);
    p.fillRect(r, face);
    // The bevel: light above and left, dark below and right; reversed when pressed.
    const QColor light = down ? QColor(0x80, 0x80, 0x80) : Qt::white;
    const QColor dark = down ? Qt::white : QColor(0x80, 0x80, 0x80);
    p.setPen(Qt::black);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    for (int i = 1; i <= 2; ++i) {
        p.setPen(light);
        p.drawLine(r.left() + i, r.top() + i, r.right() - i, r.top() + i);
        p.drawLine(r.left() + i, r.top() + i, r.left() + i, r.bottom() - i);
        p.setPen(dark);
        p.drawLine(r.left() + i, r.bottom() - i, r.right() - i, r.bottom() - i);
        p.drawLine(r.right() - i, r.top() + i, r.right() - i, r.bottom() - i);
    }
    const int shift = down ? 1 : 0;
    QRect inner = r.adjusted(4 + shift, 3 + shift, -4 + shift, -3 + shift);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    const bool hasText = !text().isEmpty();
    QRect textRect = inner;
    if (hasPicture_) {
        QRect picRect = inner;
        if (hasText) {
            int th = fontMetrics().height();
            picRect.setBottom(inner.bottom() - th);
            textRect.setTop(picRect.bottom());
        }
        QRectF b = picture_.boundingRect();
        if (b.width() > 0 && b.height() > 0) {
            double scale = std::min(picRect.width() / b.width(), picRect.height() / b.height());
            p.save();
            p.translate(picRect.center().x() - b.width() * scale / 2 - b.left() * scale,
                        picRect.center().y() - b.height() * scale / 2 - b.top() * scale);
            p.scale(scale, scale);
            if (!isEnabled()) p.setOpacity(0.4);
            p.drawPicture(0, 0, picture_);
            p.restore();
        }
    }
    if (hasText) {
        p.setFont(font());
        p.setPen(isEnabled() ? Qt::black : QColor(0x80, 0x80, 0x80));
        if (!isEnabled()) {
            // Engraved look of a disabled caption.
            p.save();
            p.setPen(Qt::white);
            p.drawText(textRect.translated(1, 1), Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextWordWrap,
                       text());
            p.restore();
        }
        p.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextWordWrap, text());
    }
    if (hasFocus()) {
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(Qt::black, 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(4, 4, -5, -5));
    }
}

// ---------------------------------------------------------------------------
// Labels, pictures, shapes, frames, option buttons

Label::Label(QWidget* parent, const QString& name, const QString& caption) : QLabel(parent) {
    setObjectName(name);
    setFont(vbFont("MS Sans Serif", 8.25, true));
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    applyPalette();
    setCaption(caption);
}

void Label::setCaption(const QString& c) {
    caption_ = c;
    setText(displayText(c));
}

void Label::setForeColor(const QColor& c) {
    fore_ = c;
    applyPalette();
}

void Label::setBackColor(const QColor& c) {
    back_ = c;
    applyPalette();
}

void Label::setTransparent(bool transparent) {
    transparent_ = transparent;
    setAutoFillBackground(!transparent);
    applyPalette();
}

void Label::setBorder(bool on) {
    setFrameStyle(on ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    setLineWidth(1);
}

void Label::applyPalette() {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, fore_);
    p.setColor(QPalette::Window, back_);
    setPalette(p);
}

QRect Label::textArea() const {
    // A wrapping label on a box of its own (a border or a filled background)
    // keeps its lines a little off the box's edges.
    const bool box = frameStyle() != QFrame::NoFrame || autoFillBackground();
    const int margin = wordWrap() && box ? 4 : 0;
    return contentsRect().adjusted(margin, 0, -margin, 0);
}

const FittedText& Label::shown() const { return shown_.get(text(), font(), textArea().size(), wordWrap()); }

void Label::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The border is black whatever colour the text is: a white letter on red
    // keeps the same outline as its neighbours.
    if (frameShape() == QFrame::Box && frameShadow() == QFrame::Plain)
        qDrawPlainRect(&p, frameRect(), Qt::black, lineWidth());
    else
        drawFrame(&p);
    if (text().isEmpty()) return;
    const FittedText& fitted = shown();
    const QFontMetrics fm(fitted.font);
    const QRect area = textArea();
    const int block = static_cast<int>(fitted.lines.size() - 1) * fm.lineSpacing() + fm.height();
    const Qt::Alignment align = alignment();
    int y = area.top();
    if (align & Qt::AlignVCenter)
        y += (area.height() - block) / 2;
    else if (align & Qt::AlignBottom)
        y = area.bottom() + 1 - block;
    p.setFont(fitted.font);
    const int flags = static_cast<int>(align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
    for (const QString& line : fitted.lines) {
        style()->drawItemText(&p, QRect(area.left(), y, area.width(), fm.height()), flags, palette(),
                              isEnabled(), line, foregroundRole());
        y += fm.lineSpacing();
    }
}

void Label::mousePressEvent(QMouseEvent* e) {
    if (clicked_ && e->button() == Qt::LeftButton)
        clicked_();
    else
        QLabel::mousePressEvent(e);
}

ImageBox::ImageBox(QWidget* parent, const QString& name) : QWidget(parent) { setObjectName(name); }

void ImageBox::setPicture(const QPicture& picture) {
    picture_ = picture;
    hasPicture_ = !picture.isNull();
    update();
}

void ImageBox::setPictureFile(const std::string& path) { setPicture(loadSvgPicture(path)); }

void ImageBox::clearPicture() {
    picture_ = QPicture();
    hasPicture_ = false;
    update();
}

void ImageBox::paintEvent(QPaintEvent*) {
    if (!hasPicture_) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF b = picture_.boundingRect();
    if (b.width() <= 0 || b.height() <= 0) return;
    p.scale(width() / b.width(), height() / b.height());
    p.translate(-b.left(), -b.top());
    p.drawPicture(0, 0, picture_);
}

void ImageBox::mousePressEvent(QMouseEvent* e) {
    if (clicked_ && e->button() == Qt::LeftButton)
        clicked_();
    else
        QWidget::mousePressEvent(e);
}

Shape::Shape(QWidget* parent, const QString& name, Kind kind) : QWidget(parent), kind_(kind) {
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, kind_ != Rectangle && kind_ != Square);
    QPen pen(border_, borderWidth_);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(filled_ ? QBrush(fill_) : Qt::NoBrush);
    const double half = borderWidth_ / 2.0;
    QRectF r = QRectF(rect()).adjusted(half, half, -half - (borderWidth_ % 2 ? 1 : 0),
                                       -half - (borderWidth_ % 2 ? 1 : 0));
    if (kind_ == Square || kind_ == Circle || kind_ == RoundedSquare) {
        double side = std::min(r.width(), r.height());
        r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    }
    switch (kind_) {
        case Rectangle:
        case Square:
            p.drawRect(r);
            break;
        case Oval:
        case Circle:
            p.drawEllipse(r);
            break;
        case RoundedRectangle:
        case RoundedSquare: {
            double radius = std::min(r.width(), r.height()) / 6;
            p.drawRoundedRect(r, radius, radius);
            break;
        }
    }
}

Frame::Frame(QWidget* parent, const QString& name, const QString& caption) : QGroupBox(caption, parent) {
    setObjectName(name);
    setFont(vbFont("MS Sans Serif", 8.25, true));
}

void greyFrame(QWidget* frame, LockedCaptions locked) {
    frame->setAutoFillBackground(true);
    QPalette grey = frame->palette();
    grey.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    // Black whatever the desktop's colours.
    for (auto group : {QPalette::Active, QPalette::Inactive})
        grey.setColor(group, QPalette::WindowText, Qt::black);
    if (locked == LockedCaptions::Black) grey.setColor(QPalette::Disabled, QPalette::WindowText, Qt::black);
    frame->setPalette(grey);
}

OptionButton::OptionButton(QWidget* parent, const QString& name, const QString& caption)
    : QRadioButton(caption, parent) {
    setObjectName(name);
    setFont(vbFont("MS Sans Serif", 8.25, true));
}

void OptionButton::setValue(bool on) {
    if (on || !isChecked()) {
        setChecked(on);
        return;
    }
    // An exclusive group will not let its chosen button go by itself.
    setAutoExclusive(false);
    setChecked(false);
    setAutoExclusive(true);
}

const FittedText& OptionButton::shown() const {
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QRect area = style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, this);
    return shown_.get(text(), font(), area.size(), false);
}

void OptionButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const FittedText& fitted = shown();
    opt.text = fitted.lines.join(' ');
    opt.fontMetrics = QFontMetrics(fitted.font);
    p.setFont(fitted.font);
    p.drawControl(QStyle::CE_RadioButton, opt);
}

void OptionButton::onClick(std::function<void()> handler) {
    connect(this, &QRadioButton::clicked, this, [h = std::move(handler)] { h(); });
}

namespace {

// The drawing's text, read as every file beside the program is read; empty
// when it cannot be read, which no renderer takes as a drawing.
QByteArray drawingBytes(const std::string& path) {
    const std::optional<std::string> bytes = readWholeFile(path, kMaxDrawingFileBytes);
    return bytes ? QByteArray::fromStdString(*bytes) : QByteArray();
}

}  // namespace

QPicture loadSvgPicture(const std::string& path) {
    // Windows are built anew each time they open, and each asks again for the
    // same few pictures: each is read and recorded once, and shared after that.
    static std::map<std::string, QPicture> loaded;
    if (auto it = loaded.find(path); it != loaded.end()) return it->second;
    QPicture picture;
    QSvgRenderer renderer(drawingBytes(path));
    if (!renderer.isValid()) return picture;
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF box = renderer.viewBoxF();
    if (box.isEmpty()) box = QRectF(QPointF(0, 0), renderer.defaultSize());
    renderer.render(&p, box);
    p.end();
    picture.setBoundingRect(box.toAlignedRect());
    loaded.emplace(path, picture);
    return picture;
}

QImage renderSvgImage(const std::string& path, QSize size, const QColor& background) {
    QSvgRenderer svg(drawingBytes(path));
    if (!svg.isValid() || size.isEmpty()) return QImage();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}
