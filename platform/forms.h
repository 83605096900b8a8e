#pragma once
// The forms kit: windows laid out in twips, and the controls the games use.
//
// A FormWindow lives for the whole run and keeps its own fields; its widget
// (the Form) and the controls on it are created when the window is loaded and
// destroyed when it is unloaded, so a window loaded again starts with fresh
// controls but finds its fields as it left them.
#include <QAbstractButton>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPicture>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/text.h"

class FormWindow;
class QKeyEvent;

// Key codes of the keyboard as the windows' key handlers see them.
enum VbKey : int {
    vbKeyBack = 8,
    vbKeyTab = 9,
    vbKeyReturn = 13,
    vbKeyShift = 16,
    vbKeyControl = 17,
    vbKeyEscape = 27,
    vbKeySpace = 32,
    vbKeyPageUp = 33,
    vbKeyPageDown = 34,
    vbKeyEnd = 35,
    vbKeyHome = 36,
    vbKeyLeft = 37,
    vbKeyUp = 38,
    vbKeyRight = 39,
    vbKeyDown = 40,
    vbKeyDelete = 46,
    vbKeyF1 = 112
};
int vbKeyCode(int qtKey);
// The character a key press types, as a key-press handler sees it: printable
// characters, Backspace, Enter and Escape; 0 for keys that type nothing (Tab,
// Delete, arrows, combinations with Ctrl or Alt).
int vbKeyAscii(const QKeyEvent* e);
int vbShift(Qt::KeyboardModifiers m);
// The mouse button a press handler is told: 1 left, 2 right, 4 middle, else 0.
int vbButton(Qt::MouseButton b);
// Whether a key press is Alt with a letter (or another character): a mnemonic,
// which no control takes as typed, whether or not a control has it.
bool isMnemonicKey(const QKeyEvent* e);

// Whether a control takes a click now: enabled and showing.
bool clickable(const QWidget* control);
// Marks a typed key as standing for a control, as a number key stands for the
// button of that number: the key reaches the window's key handlers only while
// the control takes a click, and one made during a wait only if it took one
// then, as a click on it is judged.
void keyStandsFor(QWidget* control, QChar key);
// The control that a key pressed in a window was marked to stand for; null
// for none.
QWidget* controlOfKey(const QWidget* window, const QKeyEvent* e);
// The one button of the window that takes a click now and has the key (Alt
// with a letter) for its mnemonic; null for none, or when two have it.
QAbstractButton* buttonOfMnemonic(const QWidget* window, const QKeyEvent* e);
// Presses a button as its mnemonic does: it takes the focus, then is clicked.
void pressByMnemonic(QAbstractButton* button);

// The window's widget.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(FormWindow* owner, Qt::WindowFlags flags);
    FormWindow* owner() const { return owner_; }
    // Places the window on the screen, hidden or shown. A window hidden and
    // shown again stands where it stood, unless it is placed meanwhile.
    void place(const QPoint& topLeft);

protected:
    void closeEvent(QCloseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void keepNormalPlace();
    FormWindow* owner_;
    // Where the window stood when it was last hidden, and its last place and
    // size while it did not fill the screen.
    std::optional<QPoint> hiddenAt_;
    QRect normal_;
    int restoresLeft_ = 0;
};

class FormWindow {
public:
    enum class Kind { Menu, Game, Dialog };
    explicit FormWindow(QString name, Kind kind);
    virtual ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    const QString& name() const { return name_; }
    bool isLoaded() const { return form_ != nullptr; }
    Form* form() const { return form_.data(); }

    // Creates the widget and its controls and runs Form_Load, if not loaded.
    void Load();
    // Loads if needed, then shows the window, modeless.
    void Show();
    // Loads if needed, then shows the window modally; returns when it is hidden or unloaded.
    void ShowModal();
    void Hide();
    // Runs Form_Unload; unless it cancels, destroys the widget and its controls.
    void Unload();

    // Properties of the window.
    void setCaption(const QString& caption);
    QString caption() const;
    void setClientSize(int widthTwips, int heightTwips);
    void setBackColor(std::uint32_t bgr);
    std::uint32_t backColor() const { return backColor_; }
    void setKeyPreview(bool on) { keyPreview_ = on; }
    bool keyPreview() const { return keyPreview_; }
    void setHelpContextID(int id) { helpContextID_ = id; }
    int helpContextID() const { return helpContextID_; }
    // left = (screen width - window width) x 0.5, top likewise.
    void centre();

    // Events that the window's own handlers take.
    virtual void Form_KeyDown(int& KeyCode, int Shift) {}
    virtual void Form_KeyPress(int& KeyAscii) {}
    virtual void Form_KeyUp(int& KeyCode, int Shift) {}
    virtual void Form_Paint() {}
    // A close request from the system. By default the window unloads.
    virtual void closeRequested();

    // A logout ends the program as its exit does, which discards every window
    // unheard; but a dialog still shown then closes first, by its own close
    // routine (each counts as its OK), so that what it keeps is kept.
    static void closeShownDialogs();
    // The same for an end that can close no window, the display being gone:
    // each shown dialog keeps what closing would keep, and nothing on the
    // screen is touched.
    static void keepWhatShownDialogsKeep();

protected:
    // Creates the window's controls on form(); their handlers are connected here.
    virtual void createControls() = 0;
    virtual void Form_Load() {}
    virtual void Form_Unload(int& Cancel) {}
    // What closing the window keeps (the editor's words, a dialog's choice),
    // without the closing: its Form_Unload runs it, and so does an end that
    // cannot close the window.
    virtual void keepOnClose() {}

private:
    static std::vector<FormWindow*> shownDialogs();

    QString name_;
    Kind kind_;
    QPointer<Form> form_;
    QString caption_;
    int clientW_ = 0, clientH_ = 0;
    std::uint32_t backColor_ = 0x00C0C0C0;
    bool hasBackColor_ = false;
    bool keyPreview_ = false;
    int helpContextID_ = 0;
};

// Places a control at a position and size in twips.
void placeTwips(QWidget* w, double left, double top, double width, double height);

// A plain push button; "&" marks the mnemonic.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    CommandButton(QWidget* parent, const QString& name, const QString& caption);
    void setCaption(const QString& c) { setText(c); }
    QString caption() const { return text(); }
    void onClick(std::function<void()> handler);

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

// A raised 3-D push button with an optional picture above its caption.
class Button3D : public QAbstractButton {
    Q_OBJECT
public:
    Button3D(QWidget* parent, const QString& name, const QString& caption);
    void setCaption(const QString& c);
    QString caption() const { return text(); }
    // A picture drawn centred (above the caption when there is one).
    void setPicture(const QPicture& picture);
    void setPictureFile(const std::string& path);
    bool hasPicture() const { return hasPicture_; }
    void setFaceColor(const QColor& c) {
        face_ = c;
        update();
    }
    void onClick(std::function<void()> handler);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QPicture picture_;
    bool hasPicture_ = false;
    QColor face_ = QColor(0xC0, 0xC0, 0xC0);
};

// A label whose caption keeps its exact characters; each CR or CR LF shows as
// one line break. Shown, its text keeps clear of the edges and is laid out
// whole in the label (see fitText): long lines wrap between phrases where
// wrapping is on, and what cannot fit is shortened with an ellipsis.
class Label : public QLabel {
    Q_OBJECT
public:
    Label(QWidget* parent, const QString& name, const QString& caption = QString());
    void setCaption(const QString& c);
    QString caption() const { return caption_; }
    void setForeColor(const QColor& c);
    void setBackColor(const QColor& c);
    void setTransparent(bool transparent);
    void setBorder(bool on);
    void onClick(std::function<void()> handler) { clicked_ = std::move(handler); }
    // The lines and font the label shows its caption in, at its present size.
    const FittedText& shown() const;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void applyPalette();
    QRect textArea() const;
    QString caption_;
    mutable FittedTextCache shown_;
    QColor fore_ = Qt::black, back_ = QColor(0xC0, 0xC0, 0xC0);
    bool transparent_ = false;
    std::function<void()> clicked_;
};

// A picture stretched over the control.
class ImageBox : public QWidget {
    Q_OBJECT
public:
    ImageBox(QWidget* parent, const QString& name);
    void setPicture(const QPicture& picture);
    void setPictureFile(const std::string& path);
    void clearPicture();
    bool hasPicture() const { return hasPicture_; }
    void onClick(std::function<void()> handler) { clicked_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    QPicture picture_;
    bool hasPicture_ = false;
    std::function<void()> clicked_;
};

// A drawn shape: a rectangle, rounded rectangle, oval or circle, outlined and
// optionally filled. It takes no input.
class Shape : public QWidget {
    Q_OBJECT
public:
    enum Kind { Rectangle = 0, Square = 1, Oval = 2, Circle = 3, RoundedRectangle = 4, RoundedSquare = 5 };
    Shape(QWidget* parent, const QString& name, Kind kind = Rectangle);
    void setKind(Kind k) {
        kind_ = k;
        update();
    }
    void setBorderColor(const QColor& c) {
        border_ = c;
        update();
    }
    void setBorderWidth(int w) {
        borderWidth_ = w;
        update();
    }
    void setFillColor(const QColor& c) {
        fill_ = c;
        filled_ = true;
        update();
    }
    void setFilled(bool on) {
        filled_ = on;
        update();
    }
    QColor fillColor() const { return fill_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Kind kind_;
    QColor border_ = Qt::black, fill_ = Qt::white;
    int borderWidth_ = 1;
    bool filled_ = false;
};

// A frame with a caption, grouping option buttons.
class Frame : public QGroupBox {
    Q_OBJECT
public:
    Frame(QWidget* parent, const QString& name, const QString& caption);
};

// Fills a frame or panel with the button-face grey, its caption black, so the
// controls on it stand out from a coloured window as they would on a dialog.
// The captions of a disabled frame turn dark grey as everywhere else, unless
// the window keeps a locked choice readable in black.
enum class LockedCaptions { Grey, Black };
void greyFrame(QWidget* frame, LockedCaptions locked = LockedCaptions::Grey);

// An option button; the buttons of one container exclude each other. Its
// caption is laid out whole beside the button as a label's is (see fitText):
// where the font is too wide for it, the caption shrinks.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    OptionButton(QWidget* parent, const QString& name, const QString& caption);
    bool value() const { return isChecked(); }
    void setValue(bool on);
    void onClick(std::function<void()> handler);
    // The lines and font the button shows its caption in, at its present size.
    const FittedText& shown() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    mutable FittedTextCache shown_;
};

// Loads an SVG file (a path in the system's bytes, read as readWholeFile
// reads) into a picture; an empty picture when it cannot be read. A file read
// once is not read again: later calls share the first picture.
QPicture loadSvgPicture(const std::string& path);
// An SVG file drawn over a whole image of the given size on a background; a
// null image when the file cannot be read.
QImage renderSvgImage(const std::string& path, QSize size, const QColor& background = Qt::transparent);
