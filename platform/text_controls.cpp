#include "platform/text_controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QValidator>

#include "platform/fonts.h"
#include "platform/forms.h"
#include "platform/seam.h"
#include "platform/text.h"

namespace {

// Lets the box's input filter rewrite any text before it is taken, and keeps
// each run of characters that take no room to its start (see fitText): more
// show nothing more, yet a box holding thousands of them and nothing else
// takes a tenth of a second to draw, every time it is drawn.
class FilterValidator : public QValidator {
public:
    FilterValidator(QObject* parent, std::function<QString(const QString&)> filter)
        : QValidator(parent), filter_(std::move(filter)) {}

    State validate(QString& input, int& pos) const override {
        QString filtered = filter_(input);
        // Characters the filter refuses sound the warning beep, as a refused key does.
        if (filtered.size() < input.size()) seam().beep();
        filtered = withShortNoRoomRuns(filtered);
        if (filtered != input) {
            // Keep the cursor after the same characters it followed, as far as they survive.
            QString before = withShortNoRoomRuns(filter_(input.left(pos)));
            input = filtered;
            pos = std::min(static_cast<int>(before.size()), static_cast<int>(input.size()));
        }
        return Acceptable;
    }

private:
    std::function<QString(const QString&)> filter_;
};

// The window's Enter and Escape: keys that no control took reach the window.
class DialogKeys : public QObject {
public:
    explicit DialogKeys(QWidget* window) : QObject(window), window_(window) {
        setObjectName("dialogKeys");
        window->installEventFilter(this);
    }

    static DialogKeys* of(QWidget* window) {
        if (auto* keys = window->findChild<DialogKeys*>("dialogKeys", Qt::FindDirectChildrenOnly))
            return keys;
        return new DialogKeys(window);
    }

    QPointer<QAbstractButton> defaultButton, cancelButton;

    bool eventFilter(QObject* obj, QEvent* e) override {
        if (obj != window_ || e->type() != QEvent::KeyPress) return false;
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
        const int key = ke->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // A focused button takes the Enter itself.
            auto* focused = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
            if (focused && focused->window() == window_ && usable(focused)) {
                focused->click();
                return true;
            }
            if (usable(defaultButton)) {
                defaultButton->click();
                return true;
            }
        } else if (key == Qt::Key_Escape) {
            if (usable(cancelButton)) {
                cancelButton->click();
                return true;
            }
        }
        return false;
    }

private:
    static bool usable(QAbstractButton* b) { return b && b->isEnabled() && b->isVisibleTo(b->window()); }
    QWidget* window_;
};

}  // namespace

// ---------------------------------------------------------------------------
// Text box

TextBox::TextBox(QWidget* parent, const QString& name) : QLineEdit(parent) {
    setObjectName(name);
    setFont(vbFont("MS Sans Serif", 8.25));
    setValidator(new FilterValidator(
        this, [this](const QString& text) { return inputFilter_ ? inputFilter_(text) : text; }));
}

void TextBox::setText(const QString& text) {
    QLineEdit::setText(text);
    if (!hasFocus()) setCursorPosition(0);
}

void TextBox::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    // A click places the cursor itself and Tab selects the whole text; else
    // typing goes on after the text, as it did before the box showed its start.
    switch (e->reason()) {
        case Qt::MouseFocusReason:
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
        case Qt::PopupFocusReason:
            break;
        default:
            end(false);
    }
}

void TextBox::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    // A menu of the box itself leaves it being typed in.
    if (e->reason() != Qt::PopupFocusReason) setCursorPosition(0);
}

void TextBox::setMaxLength(int length) { QLineEdit::setMaxLength(length > 0 ? length : 32767); }

void TextBox::setInputFilter(std::function<QString(const QString&)> filter) {
    inputFilter_ = std::move(filter);
}

void TextBox::setWidestEntry(const QString& text) {
    // Inside the frame, the box keeps a margin of two pixels each side and
    // room for the cursor after the last character.
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    setFont(fontToFit(font(), text, width() - 2 * frame - 2 * 2 - 1));
}

void TextBox::keyPressEvent(QKeyEvent* e) {
    // Alt with a letter comes this far only when no control that takes a
    // click has it for its mnemonic.
    if (isMnemonicKey(e)) {
        e->ignore();
        return;
    }
    const int typed = vbKeyAscii(e);
    if (keyPress_ && typed) {
        int ascii = typed;
        keyPress_(ascii);
        if (ascii == 0) {
            e->accept();
            return;
        }
        if (ascii != typed) {
            QKeyEvent changed(QEvent::KeyPress, e->key(), e->modifiers(), QString(QChar(ascii)));
            QLineEdit::keyPressEvent(&changed);
            e->setAccepted(changed.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

// ---------------------------------------------------------------------------
// List box

ListBox::ListBox(QWidget* parent, const QString& name) : QListWidget(parent) {
    setObjectName(name);
    setFont(vbFont("MS Sans Serif", 8.25));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this] { fitWholeRows(); });
}

void ListBox::resizeEvent(QResizeEvent* e) {
    QListWidget::resizeEvent(e);
    if (fitting_) return;
    designedHeight_ = height();
    fitWholeRows();
}

void ListBox::fitWholeRows() {
    const int row = count() > 0 ? sizeHintForRow(0) : 0;
    if (row <= 0 || designedHeight_ <= 0) return;
    const int frame = 2 * frameWidth();
    const int rows = std::max(1, (designedHeight_ - frame) / row);
    fitting_ = true;
    resize(width(), rows * row + frame);
    fitting_ = false;
}

void ListBox::setWidestEntry(const QString& text) {
    // The room for an entry's text beside a vertical scroll bar, inside the
    // margins the style keeps round an entry's text.
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    const int textMargin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    setFont(fontToFit(font(), text, width() - 2 * frameWidth() - scrollBar - 2 * textMargin));
    fitWholeRows();
}

int ListBox::AddItem(const QString& item, int index) {
    const int n = count();
    if (index < 0 || index > n) {
        index = n;
        if (sorted_) {
            for (int i = 0; i < n; ++i) {
                if (QString::compare(this->item(i)->text(), item, Qt::CaseInsensitive) > 0) {
                    index = i;
                    break;
                }
            }
        }
    }
    insertItem(index, item);
    return index;
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= count()) return;
    const bool wasSelected = ListIndex() == index;
    delete takeItem(index);
    if (wasSelected) setListIndex(-1);
}

QString ListBox::List(int index) const {
    QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}

void ListBox::setList(int index, const QString& text) {
    if (QListWidgetItem* it = item(index)) it->setText(text);
}

int ListBox::ListIndex() const {
    const QModelIndexList rows = selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListBox::setListIndex(int index) {
    if (index < 0 || index >= count()) {
        selectionModel()->clear();
        return;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

void ListBox::onClick(std::function<void()> handler) {
    connect(this, &QListWidget::itemSelectionChanged, this, [this, h = std::move(handler)] {
        if (ListIndex() >= 0) h();
    });
}

void ListBox::onDblClick(std::function<void()> handler) {
    connect(this, &QListWidget::itemDoubleClicked, this, [h = std::move(handler)] { h(); });
}

// ---------------------------------------------------------------------------
// Window keys and label arrays

void setDefaultButton(QWidget* window, QAbstractButton* button) {
    DialogKeys::of(window)->defaultButton = button;
}

void setCancelButton(QWidget* window, QAbstractButton* button) {
    DialogKeys::of(window)->cancelButton = button;
}

Label* loadLabel(const Label& templ, const QString& name) {
    auto* l = new Label(templ.parentWidget(), name, templ.caption());
    l->setGeometry(templ.geometry());
    l->setFont(templ.font());
    l->setForeColor(templ.palette().color(QPalette::WindowText));
    l->setBackColor(templ.palette().color(QPalette::Window));
    l->setTransparent(!templ.autoFillBackground());
    l->setFrameStyle(templ.frameStyle());
    l->setLineWidth(templ.lineWidth());
    l->setAlignment(templ.alignment());
    l->setWordWrap(templ.wordWrap());
    l->hide();
    return l;
}
