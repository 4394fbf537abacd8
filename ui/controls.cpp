#include "ui/controls.h"

#include "ui/form.h"
#include "ui/runtime.h"
#include "ui/runtime_internal.h"
#include "ui/text.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDropEvent>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace ui {
namespace {

// Mouse input of a windowed control, turned into MouseDown, MouseUp, Click and DblClick. The Qt
// widget's own
// handling still runs (a button still gets pressed, a list still selects).
template <class Base> class Windowed : public Base, public ControlSide {
public:
    template <class... A>
    explicit Windowed(Control& c, A&&... a) : Base(std::forward<A>(a)...), c_(c) {}
    Control& control() const override { return c_; }

protected:
    void mousePressEvent(QMouseEvent* e) override {
        double_ = false;
        c_.fireMouse(c_.MouseDown, e);
        Base::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        c_.fireMouse(c_.MouseUp, e);
        Base::mouseReleaseEvent(e);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        double_ = true;
        c_.fireIndex(c_.DblClick);
        Base::mouseDoubleClickEvent(e);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        c_.fireMouse(c_.MouseMove, e);
        Base::mouseMoveEvent(e);
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (!c_.handleKey(e)) Base::keyPressEvent(e);
    }
    Control& c_;
    bool double_ = false;
};

class ButtonWidget : public Windowed<QPushButton> {
public:
    using Windowed::Windowed;

protected:
    // A caption too wide for its button breaks at its blanks onto several centred lines instead
    // of being cut.
    void paintEvent(QPaintEvent* e) override {
        QStyleOptionButton opt;
        initStyleOption(&opt);
        const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this);
        QString plain = text();
        plain.replace(QLatin1String("&&"), QString(QChar(1)));
        plain.remove(QLatin1Char('&'));
        plain.replace(QChar(1), QLatin1Char('&'));
        if (!plain.contains(QLatin1Char(' ')) ||
            fontMetrics().horizontalAdvance(plain) <= area.width()) {
            Windowed::paintEvent(e);
            return;
        }
        QStylePainter painter(this);
        opt.text.clear();
        painter.drawControl(QStyle::CE_PushButton, opt);
        style()->drawItemText(&painter, area,
                              Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, palette(),
                              isEnabled(), text(), QPalette::ButtonText);
    }
};

// A single-line text box whose every way of entering text goes through the key filter.
class LineWidget : public Windowed<QLineEdit> {
public:
    using Windowed::Windowed;
    // Each character meets the filter with the text as it stands, as if it had been typed.
    void insertFiltered(const QString& text) {
        const QPointer<LineWidget> self(this);
        for (QChar ch : text) {
            const QString accepted = c_.filterText(QString(ch));
            if (!self) return;
            if (!accepted.isEmpty()) insert(accepted);
        }
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->matches(QKeySequence::Paste)) {
            insertFiltered(QApplication::clipboard()->text());
            return;
        }
        Windowed::keyPressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::MiddleButton) {
            insertFiltered(QApplication::clipboard()->text(QClipboard::Selection));
            return;
        }
        Windowed::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && !double_) c_.fireIndex(c_.Click);
    }
    void dropEvent(QDropEvent* e) override {
        if (e->mimeData()->hasText()) insertFiltered(e->mimeData()->text());
        e->acceptProposedAction();
    }
    void inputMethodEvent(QInputMethodEvent* e) override {
        if (!e->commitString().isEmpty()) insertFiltered(e->commitString());
        e->accept();
    }
};

class EditWidget : public Windowed<QPlainTextEdit> {
public:
    using Windowed::Windowed;
    int maxLength = 0;
    // Each character meets the filter with the text as it stands, as if it had been typed.
    void insertFiltered(const QString& text) {
        const QPointer<EditWidget> self(this);
        for (QChar ch : text) {
            const QString accepted = c_.filterText(QString(ch));
            if (!self) return;
            if (!accepted.isEmpty() && fits(accepted)) insertPlainText(accepted);
        }
    }
    // The maximum length counts a line end as its two characters, as the text does.
    bool fits(const QString& added) const {
        if (maxLength <= 0) return true;
        const QString all = toPlainText();
        const auto length = [](const QString& t) { return t.size() + t.count(QLatin1Char('\n')); };
        return length(all) - length(textCursor().selectedText()) + length(added) <= maxLength;
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->matches(QKeySequence::Paste)) {
            insertFiltered(QApplication::clipboard()->text());
            return;
        }
        // The key events come first, as always; the maximum length only stops what would be
        // inserted after them.
        if (c_.handleKey(e)) return;
        const bool lineEnd = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
        const QString typed = lineEnd ? QStringLiteral("\n") : e->text();
        const bool inserts = lineEnd || (!typed.isEmpty() && typed.at(0).unicode() >= 32 &&
                                         typed.at(0) != QChar(127));
        if (inserts && !fits(typed)) return;
        QPlainTextEdit::keyPressEvent(e);
    }
    void insertFromMimeData(const QMimeData* source) override {
        if (source->hasText()) insertFiltered(source->text());
    }
    void inputMethodEvent(QInputMethodEvent* e) override {
        if (!e->commitString().isEmpty()) insertFiltered(e->commitString());
        e->accept();
    }
};

class CheckWidget : public Windowed<QCheckBox> {
public:
    using Windowed::Windowed;
};
class RadioWidget : public Windowed<QRadioButton> {
public:
    using Windowed::Windowed;
};

QWidget* parentWidget(Container& c) {
    return c.containerWidget();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Label

Label::Label(Container& parent) : Control(&parent, true) {
    back_ = kButtonFace;
    requestRepaint();
}

void Label::setCaption(const std::string& c) {
    caption_ = c;
    fit();
    requestRepaint();
}
void Label::setAlignment(int a) {
    alignment_ = a;
    requestRepaint();
}
void Label::setBackStyle(int s) {
    backStyle_ = s;
    requestRepaint();
}
void Label::setBorderStyle(int s) {
    borderStyle_ = s;
    requestRepaint();
}
void Label::setAutoSize(bool a) {
    autoSize_ = a;
    fit();
}
void Label::setWordWrap(bool w) {
    wordWrap_ = w;
    fit();
}

void Label::fit() {
    if (!autoSize_) return;
    const QFontMetricsF fm(qfont(font_));
    const QString text = toWidgetLines(qs(caption_));
    QRectF r = rect_;
    if (wordWrap_) {
        const QRectF bound = fm.boundingRect(QRectF(0, 0, std::max(1, pixelRect().width()), 1e6),
                                             Qt::TextWordWrap | Qt::TextShowMnemonic, text);
        r.setHeight(std::ceil(bound.height()) * kTwipsPerPixel);
    } else {
        const QRectF bound = fm.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::TextShowMnemonic, text);
        r.setWidth(std::ceil(bound.width()) * kTwipsPerPixel);
        r.setHeight(std::ceil(bound.height()) * kTwipsPerPixel);
    }
    if (r != rect_) {
        requestRepaint();
        rect_ = r;
        requestRepaint();
    }
}

void Label::apply() {
    fit();
    Control::apply();
}

void Label::paint(QPainter& p) {
    const QRect r = pixelRect();
    if (backStyle_ == vbOpaque) p.fillRect(r, qcolour(back_));
    if (borderStyle_ == 1) {
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    p.setFont(qfont(font_));
    p.setPen(qcolour(fore_));
    int flags = Qt::TextWordWrap | Qt::TextShowMnemonic | Qt::AlignTop;
    flags |= alignment_ == vbCenter         ? Qt::AlignHCenter
             : alignment_ == vbRightJustify ? Qt::AlignRight
                                            : Qt::AlignLeft;
    const QRect inner = borderStyle_ == 1 ? r.adjusted(1, 1, -1, -1) : r;
    p.setClipRect(r);
    p.drawText(inner, flags, toWidgetLines(qs(caption_)));
}

void Label::copyFrom(const Control& other) {
    Control::copyFrom(other);
    const auto& o = static_cast<const Label&>(other);
    caption_ = o.caption_;
    alignment_ = o.alignment_;
    backStyle_ = o.backStyle_;
    borderStyle_ = o.borderStyle_;
    autoSize_ = o.autoSize_;
    wordWrap_ = o.wordWrap_;
    apply();
}

// ---------------------------------------------------------------------------------------------
// Image

Image::Image(Container& parent) : Control(&parent, true) {}

void Image::setPicture(const Picture& p) {
    picture_ = p;
    if (!stretch_ && !p.isNull()) {
        const QSize s = p.naturalSize();
        setTwipsRect(QRectF(rect_.topLeft(),
                            QSizeF(s.width() * kTwipsPerPixel, s.height() * kTwipsPerPixel)));
    }
    requestRepaint();
}

void Image::setStretch(bool s) {
    stretch_ = s;
    requestRepaint();
}

void Image::paint(QPainter& p) {
    if (picture_.isNull()) return;
    const QRect r = pixelRect();
    p.setClipRect(r);
    if (stretch_)
        picture_.draw(p, QRectF(r));
    else
        picture_.draw(p, QRectF(r.topLeft(), QSizeF(picture_.naturalSize())));
}

bool Image::hitTest(const QPoint& pixel) const {
    return Control::hitTest(pixel);
}

void Image::copyFrom(const Control& other) {
    Control::copyFrom(other);
    const auto& o = static_cast<const Image&>(other);
    picture_ = o.picture_;
    stretch_ = o.stretch_;
    apply();
}

// ---------------------------------------------------------------------------------------------
// Shape

Shape::Shape(Container& parent) : Control(&parent, true) {
    back_ = kBlanc;
}

void Shape::setShape(int s) {
    shape_ = s;
    requestRepaint();
}
void Shape::setBackStyle(int s) {
    backStyle_ = s;
    requestRepaint();
}
void Shape::setFillStyle(int s) {
    fillStyle_ = s;
    requestRepaint();
}
void Shape::setFillColor(Colour c) {
    fillColor_ = c;
    requestRepaint();
}
void Shape::setBorderColor(Colour c) {
    borderColor_ = c;
    requestRepaint();
}
void Shape::setBorderWidth(int w) {
    borderWidth_ = std::max(1, w);
    requestRepaint();
}
void Shape::setBorderStyle(int s) {
    borderStyle_ = s;
    requestRepaint();
}

void Shape::paint(QPainter& p) {
    QRectF r = QRectF(pixelRect());
    if (shape_ == vbShapeSquare || shape_ == vbShapeCircle || shape_ == vbShapeRoundedSquare) {
        const double side = std::min(r.width(), r.height());
        r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    }
    // The border lies inside the shape's rectangle.
    const double inset = borderStyle_ == 0 ? 0 : borderWidth_ / 2.0;
    const QRectF inner = r.adjusted(inset, inset, -inset, -inset);
    const bool round = shape_ == vbShapeRoundedRectangle || shape_ == vbShapeRoundedSquare;
    const bool oval = shape_ == vbShapeOval || shape_ == vbShapeCircle;
    const double radius = std::min(r.width(), r.height()) / 6.0;
    p.setRenderHint(QPainter::Antialiasing, true);
    const auto drawWith = [&](const QPen& pen, const QBrush& brush) {
        p.setPen(pen);
        p.setBrush(brush);
        if (oval)
            p.drawEllipse(inner);
        else if (round)
            p.drawRoundedRect(inner, radius, radius);
        else
            p.drawRect(inner);
    };
    if (backStyle_ == vbOpaque) drawWith(Qt::NoPen, QBrush(qcolour(back_)));
    if (fillStyle_ == 0) drawWith(Qt::NoPen, QBrush(qcolour(fillColor_)));
    if (borderStyle_ != 0) {
        QPen pen(qcolour(borderColor_), borderWidth_);
        if (borderStyle_ == 2)
            pen.setStyle(Qt::DashLine);
        else if (borderStyle_ == 3)
            pen.setStyle(Qt::DotLine);
        drawWith(pen, Qt::NoBrush);
    }
}

void Shape::copyFrom(const Control& other) {
    Control::copyFrom(other);
    const auto& o = static_cast<const Shape&>(other);
    shape_ = o.shape_;
    backStyle_ = o.backStyle_;
    fillStyle_ = o.fillStyle_;
    fillColor_ = o.fillColor_;
    borderColor_ = o.borderColor_;
    borderWidth_ = o.borderWidth_;
    borderStyle_ = o.borderStyle_;
    apply();
}

// ---------------------------------------------------------------------------------------------
// Line

Line::Line(Container& parent) : Control(&parent, true) {}

static double lineToUnitsX(const Container& c, double twips) {
    return c.pixelsToUnitsX(twips / kTwipsPerPixel);
}
static double lineToUnitsY(const Container& c, double twips) {
    return c.pixelsToUnitsY(twips / kTwipsPerPixel);
}

double Line::x1() const {
    return lineToUnitsX(container(), p1_.x());
}
double Line::y1() const {
    return lineToUnitsY(container(), p1_.y());
}
double Line::x2() const {
    return lineToUnitsX(container(), p2_.x());
}
double Line::y2() const {
    return lineToUnitsY(container(), p2_.y());
}
void Line::setY1(double v) {
    setPoints(x1(), v, x2(), y2());
}
void Line::setY2(double v) {
    setPoints(x1(), y1(), x2(), v);
}

void Line::setPoints(double ax, double ay, double bx, double by) {
    const Container& c = container();
    setTwipsPoints(c.unitsToPixelsX(ax) * kTwipsPerPixel, c.unitsToPixelsY(ay) * kTwipsPerPixel,
                   c.unitsToPixelsX(bx) * kTwipsPerPixel, c.unitsToPixelsY(by) * kTwipsPerPixel);
}

void Line::setTwipsPoints(double ax, double ay, double bx, double by) {
    requestRepaint();
    p1_ = QPointF(ax, ay);
    p2_ = QPointF(bx, by);
    rect_ = QRectF(p1_, p2_).normalized();
    requestRepaint();
}

void Line::setBorderColor(Colour c) {
    borderColor_ = c;
    requestRepaint();
}
void Line::setBorderWidth(int w) {
    borderWidth_ = std::max(1, w);
    requestRepaint();
}
void Line::setBorderStyle(int s) {
    borderStyle_ = s;
    requestRepaint();
}

void Line::paint(QPainter& p) {
    if (borderStyle_ == 0) return;
    QPen pen(qcolour(borderColor_), borderWidth_);
    if (borderStyle_ == 2)
        pen.setStyle(Qt::DashLine);
    else if (borderStyle_ == 3)
        pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.drawLine(p1_ / kTwipsPerPixel, p2_ / kTwipsPerPixel);
}

void Line::scaleBy(double f) {
    setTwipsPoints(p1_.x() * f, p1_.y() * f, p2_.x() * f, p2_.y() * f);
}

void Line::copyFrom(const Control& other) {
    Control::copyFrom(other);
    const auto& o = static_cast<const Line&>(other);
    p1_ = o.p1_;
    p2_ = o.p2_;
    borderColor_ = o.borderColor_;
    borderWidth_ = o.borderWidth_;
    borderStyle_ = o.borderStyle_;
    apply();
}

// ---------------------------------------------------------------------------------------------
// CommandButton

CommandButton::CommandButton(Container& parent) : Control(&parent, false) {
    button_ = new ButtonWidget(*this, parentWidget(parent));
    adopt(button_);
    button_->setAutoDefault(false);
    button_->setDefault(false);
    QObject::connect(button_, &QPushButton::clicked, [this] { fireIndex(Click); });
    form().registerButton(this, true);
    apply();
}

CommandButton::~CommandButton() {
    if (parent_) form().registerButton(this, false);
}

QWidget* CommandButton::widget() const {
    return ownWidget_;
}

void CommandButton::setCaption(const std::string& c) {
    caption_ = c;
    if (ownWidget_) button_->setText(qs(c));
}
void CommandButton::setDefault(bool d) {
    default_ = d;
    if (d) {
        // Only one default button per form, wherever it lies (frames and picture boxes too).
        std::function<void(Container&)> clear = [&](Container& inside) {
            for (Control* c : inside.children()) {
                if (auto* b = dynamic_cast<CommandButton*>(c); b && b != this) {
                    b->default_ = false;
                    if (b->ownWidget_) b->button_->setDefault(false);
                }
                if (auto* inner = dynamic_cast<Container*>(c)) clear(*inner);
            }
        };
        clear(form());
    }
    if (ownWidget_) button_->setDefault(d);
}
void CommandButton::setCancel(bool c) {
    cancel_ = c;
}

void CommandButton::press() {
    if (visible_ && enabled_) fireIndex(Click);
}

void CommandButton::setVisible(bool v) {
    Control::setVisible(v);
}
void CommandButton::setEnabled(bool v) {
    Control::setEnabled(v);
}

void CommandButton::applyColours() {
    if (!ownWidget_) return;
    QPalette pal = button_->palette();
    pal.setColor(QPalette::Button, qcolour(back_));
    // A disabled button keeps the system's greyed text, whatever colour its caption has.
    pal.setColor(QPalette::Active, QPalette::ButtonText, qcolour(fore_));
    pal.setColor(QPalette::Inactive, QPalette::ButtonText, qcolour(fore_));
    // Inside a picture box or a frame the disabled text would come from the container's
    // caption colour: it is the system's own greyed text there too.
    pal.setColor(QPalette::Disabled, QPalette::ButtonText,
                 QApplication::palette().color(QPalette::Disabled, QPalette::ButtonText));
    button_->setPalette(pal);
}

void CommandButton::copyFrom(const Control& other) {
    Control::copyFrom(other);
    const auto& o = static_cast<const CommandButton&>(other);
    caption_ = o.caption_;
    cancel_ = o.cancel_;
    apply();
}

void CommandButton::apply() {
    Control::apply();
    if (ownWidget_) {
        button_->setText(qs(caption_));
        button_->setDefault(default_);
    }
}

// ---------------------------------------------------------------------------------------------
// TextBox

TextBox::TextBox(Container& parent, bool multiLine)
    : Control(&parent, false), multiLine_(multiLine) {
    back_ = kWindow;
    if (multiLine_) {
        auto* e = new EditWidget(*this, parentWidget(parent));
        edit_ = e;
        adopt(e);
        e->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        e->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        e->setContextMenuPolicy(Qt::NoContextMenu);
        QObject::connect(e, &QPlainTextEdit::textChanged, [this] { fireIndex(Change); });
    } else {
        auto* l = new LineWidget(*this, parentWidget(parent));
        line_ = l;
        adopt(l);
        l->setContextMenuPolicy(Qt::NoContextMenu);
        l->setFrame(true);
        QObject::connect(l, &QLineEdit::textChanged, [this] { fireIndex(Change); });
    }
    apply();
}

TextBox::~TextBox() = default;

QWidget* TextBox::widget() const {
    return ownWidget_;
}

std::string TextBox::text() const {
    if (!ownWidget_) return {};
    if (multiLine_) return fromQ(fromWidgetLines(edit_->toPlainText()));
    return fromQ(line_->text());
}

void TextBox::setText(const std::string& t) {
    if (!ownWidget_) return;
    settingText_ = true;
    if (multiLine_) {
        edit_->setPlainText(toWidgetLines(qs(t)));
    } else {
        // The maximum length governs typing only, as it always has: code may set a longer text.
        line_->setMaxLength(32767);
        line_->setText(qs(t));
        line_->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
    }
    settingText_ = false;
}

void TextBox::setScrollBars(int s) {
    scrollBars_ = s;
    if (!edit_ || !ownWidget_) return;
    edit_->setVerticalScrollBarPolicy((s & 2) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    edit_->setHorizontalScrollBarPolicy((s & 1) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    edit_->setLineWrapMode((s & 1) ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
}

void TextBox::setMaxLength(int n) {
    maxLength_ = n;
    if (edit_ && ownWidget_) static_cast<EditWidget*>(edit_)->maxLength = n;
    if (line_ && ownWidget_)
        line_->setMaxLength(n > 0 ? std::max(n, int(line_->text().size())) : 32767);
}

void TextBox::setPasswordChar(const std::string& c) {
    passwordChar_ = c;
    if (line_ && ownWidget_) {
        line_->setEchoMode(c.empty() ? QLineEdit::Normal : QLineEdit::Password);
        if (!c.empty())
            line_->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: %1; }")
                                     .arg(int(qs(c).at(0).unicode())));
    }
}

void TextBox::setLocked(bool l) {
    locked_ = l;
    if (line_) line_->setReadOnly(l);
    if (edit_) edit_->setReadOnly(l);
}

int TextBox::selStart() const {
    if (line_) return line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
    if (edit_) {
        // Positions count CR LF as two characters, as the text itself does.
        const QTextCursor c = edit_->textCursor();
        const int pos = c.selectionStart();
        const QString before = edit_->toPlainText().left(pos);
        return pos + int(before.count(QLatin1Char('\n')));
    }
    return 0;
}

void TextBox::setSelStart(int s) {
    if (line_) line_->setCursorPosition(std::clamp(s, 0, int(line_->text().size())));
    if (edit_) {
        const QString text = edit_->toPlainText();
        int pos = 0, counted = 0;
        while (pos < text.size() && counted < s) {
            counted += text.at(pos) == QLatin1Char('\n') ? 2 : 1;
            ++pos;
        }
        QTextCursor c = edit_->textCursor();
        c.setPosition(pos);
        edit_->setTextCursor(c);
    }
}

void TextBox::insertReplacement(int keyAscii) {
    const QString ch(qchar(keyAscii));
    if (keyAscii == 8) {
        if (line_) line_->backspace();
        if (edit_) edit_->textCursor().deletePreviousChar();
        return;
    }
    if (keyAscii < 32) return;
    if (line_) line_->insert(ch);
    if (edit_ && static_cast<EditWidget*>(edit_)->fits(ch)) edit_->insertPlainText(ch);
}

void TextBox::setVisible(bool v) {
    Control::setVisible(v);
}
void TextBox::setEnabled(bool v) {
    Control::setEnabled(v);
}

void TextBox::applyColours() {
    if (!ownWidget_) return;
    QPalette pal = ownWidget_->palette();
    pal.setColor(QPalette::Base, qcolour(back_));
    pal.setColor(QPalette::Text, qcolour(fore_));
    ownWidget_->setPalette(pal);
}

void TextBox::copyFrom(const Control& other) {
    Control::copyFrom(other);
    const auto& o = static_cast<const TextBox&>(other);
    maxLength_ = o.maxLength_;
    scrollBars_ = o.scrollBars_;
    setPasswordChar(o.passwordChar_);
    setLocked(o.locked_);
    apply();
}

void TextBox::apply() {
    Control::apply();
    setMaxLength(maxLength_);
    setScrollBars(scrollBars_);
}

// ---------------------------------------------------------------------------------------------
// CheckBox

CheckBox::CheckBox(Container& parent) : Control(&parent, false) {
    box_ = new CheckWidget(*this, parentWidget(parent));
    adopt(box_);
    QObject::connect(box_, &QCheckBox::clicked, [this](bool checked) {
        value_ = checked ? 1 : 0;
        fireIndex(Click);
    });
    apply();
}

CheckBox::~CheckBox() = default;
QWidget* CheckBox::widget() const {
    return ownWidget_;
}

void CheckBox::setCaption(const std::string& c) {
    caption_ = c;
    if (ownWidget_) box_->setText(qs(c));
}

void CheckBox::setValue(int v) {
    if (v == value_) return;
    value_ = v;
    if (ownWidget_) {
        const QSignalBlocker block(box_);
        box_->setChecked(v != 0);
    }
    fireIndex(Click);
}

void CheckBox::setVisible(bool v) {
    Control::setVisible(v);
}
void CheckBox::setEnabled(bool v) {
    Control::setEnabled(v);
}

void CheckBox::applyColours() {
    if (!ownWidget_) return;
    box_->setAutoFillBackground(true);
    Control::applyColours();
}

void CheckBox::copyFrom(const Control& other) {
    Control::copyFrom(other);
    const auto& o = static_cast<const CheckBox&>(other);
    caption_ = o.caption_;
    value_ = o.value_;
    apply();
}

void CheckBox::apply() {
    Control::apply();
    if (ownWidget_) {
        box_->setText(qs(caption_));
        const QSignalBlocker block(box_);
        box_->setChecked(value_ != 0);
    }
}

// ---------------------------------------------------------------------------------------------
// OptionButton

OptionButton::OptionButton(Container& parent) : Control(&parent, false) {
    radio_ = new RadioWidget(*this, parentWidget(parent));
    adopt(radio_);
    radio_->setAutoExclusive(false);
    QObject::connect(radio_, &QRadioButton::clicked, [this] { setValue(true); });
    apply();
}

OptionButton::~OptionButton() = default;
QWidget* OptionButton::widget() const {
    return ownWidget_;
}

void OptionButton::setCaption(const std::string& c) {
    caption_ = c;
    if (ownWidget_) radio_->setText(qs(c));
}

void OptionButton::setValue(bool v) {
    if (v && parent_) {
        for (Control* c : parent_->children()) {
            auto* o = dynamic_cast<OptionButton*>(c);
            if (!o || o == this || !o->value_) continue;
            o->value_ = false;
            if (o->ownWidget_) {
                const QSignalBlocker block(o->radio_);
                o->radio_->setChecked(false);
            }
        }
    }
    value_ = v;
    if (ownWidget_) {
        const QSignalBlocker block(radio_);
        radio_->setChecked(v);
    }
    if (v) fireIndex(Click);
}

void OptionButton::setVisible(bool v) {
    Control::setVisible(v);
}
void OptionButton::setEnabled(bool v) {
    Control::setEnabled(v);
}

void OptionButton::applyColours() {
    if (!ownWidget_) return;
    radio_->setAutoFillBackground(true);
    Control::applyColours();
}

void OptionButton::copyFrom(const Control& other) {
    Control::copyFrom(other);
    const auto& o = static_cast<const OptionButton&>(other);
    caption_ = o.caption_;
    value_ = false;
    apply();
}

void OptionButton::apply() {
    Control::apply();
    if (ownWidget_) {
        radio_->setText(qs(caption_));
        const QSignalBlocker block(radio_);
        radio_->setChecked(value_);
    }
}

// ---------------------------------------------------------------------------------------------
// Frame and PictureBox

Frame::Frame(Container& parent) : Container(&parent, false) {
    init(new ContainerWidget(*this, parentWidget(parent)));
    apply();
}

QWidget* Frame::widget() const {
    return ownWidget_;
}

void Frame::setCaption(const std::string& c) {
    caption_ = c;
    if (client_) client_->update();
}

void Frame::paintFrame(QPainter& p) {
    const QFont f = qfont(font_);
    const QFontMetrics fm(f);
    const int top = fm.height() / 2;
    const QRect r = QRect(QPoint(0, 0), innerPixelSize());
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.drawRect(r.adjusted(0, top, -1, -1));
    if (!caption_.empty()) {
        const QString text = qs(caption_);
        const int w = fm.horizontalAdvance(QString(text).remove(QLatin1Char('&'))) + 4;
        p.fillRect(QRect(6, 0, w, fm.height()), qcolour(back_));
        p.setFont(f);
        p.setPen(qcolour(fore_));
        p.drawText(QRect(8, 0, w, fm.height()),
                   Qt::TextShowMnemonic | Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

void Frame::setVisible(bool v) {
    Control::setVisible(v);
}

void Frame::copyFrom(const Control& other) {
    Container::copyFrom(other);
    caption_ = static_cast<const Frame&>(other).caption_;
}

PictureBox::PictureBox(Container& parent) : Container(&parent, true) {
    back_ = kButtonFace;
    init(new ContainerWidget(*this, parentWidget(parent)));
    apply();
}

QWidget* PictureBox::widget() const {
    return ownWidget_;
}

void PictureBox::setBorderStyle(int s) {
    borderStyle_ = s;
    surfaceChanged();
}

void PictureBox::paintFrame(QPainter& p) {
    if (borderStyle_ == 0) return;
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(QRect(QPoint(0, 0), innerPixelSize()).adjusted(0, 0, -1, -1));
}

QSize PictureBox::innerPixelSize() const {
    // A box never shown still has its size: drawing during a screen's load lands at the right
    // place.
    return pixelRect().size();
}

void PictureBox::setVisible(bool v) {
    Control::setVisible(v);
}
void PictureBox::setEnabled(bool v) {
    Control::setEnabled(v);
}

void PictureBox::copyFrom(const Control& other) {
    Container::copyFrom(other);
    borderStyle_ = static_cast<const PictureBox&>(other).borderStyle_;
}

// ---------------------------------------------------------------------------------------------
// ListBox

class ListWidget : public Windowed<QListWidget> {
public:
    ListWidget(ListBox& box, QWidget* parent) : Windowed(box, parent), box_(box) {}
    bool changedInPress = false;
    // Only the user's own choices are clicks: Qt also moves the current line on its own (when
    // the list first gets the focus, for one), and no Click is fired then.
    bool userInput = false;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        changedInPress = false;
        userInput = true;
        Windowed::mousePressEvent(e);
        userInput = false;
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        Windowed::mouseReleaseEvent(e);
        // A click on the line already chosen (a toggle in a multiple choice) is a click too.
        if (!changedInPress && !double_ && itemAt(e->position().toPoint())) c_.fireIndex(c_.Click);
        changedInPress = false;
    }
    void keyPressEvent(QKeyEvent* e) override {
        userInput = true;
        Windowed::keyPressEvent(e);
        userInput = false;
    }
    // Also the viewport's own resizes, when a scroll bar comes or goes.
    void resizeEvent(QResizeEvent* e) override {
        Windowed::resizeEvent(e);
        if (box_.columns() > 0)
            box_.applyGeometry();
        else
            box_.fitLines();
    }

private:
    ListBox& box_;
};

ListBox::ListBox(Container& parent) : Control(&parent, false) {
    back_ = kWindow;
    auto* w = new ListWidget(*this, parentWidget(parent));
    list_ = w;
    adopt(w);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    w->setUniformItemSizes(true);
    QObject::connect(w, &QListWidget::currentRowChanged, [this, w](int) {
        if (silent_ || !w->userInput) return;
        w->changedInPress = true;
        fireIndex(Click);
    });
    apply();
}

ListBox::~ListBox() = default;
QWidget* ListBox::widget() const {
    return ownWidget_;
}

void ListBox::addItem(const std::string& item, int at) {
    const QSignalBlocker block(list_);
    int row = at < 0 ? list_->count() : std::min(at, list_->count());
    if (sorted_ && at < 0) {
        const std::string key = item;
        row = 0;
        while (row < list_->count() && fromQ(list_->item(row)->text()) <= key) ++row;
    }
    auto* it = new QListWidgetItem(qs(item));
    it->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(0));
    fitLine(it);
    list_->insertItem(row, it);
    list_->viewport()->update();
}

void ListBox::removeItem(int i) {
    const QSignalBlocker block(list_);
    delete list_->takeItem(i);
    list_->viewport()->update();
}

// Emptying the list does not always repaint the lines it held: each change of the content asks
// for the whole list to be drawn again.
void ListBox::clear() {
    const QSignalBlocker block(list_);
    list_->clear();
    list_->viewport()->update();
}

std::string ListBox::list(int i) const {
    const QListWidgetItem* it = list_->item(i);
    return it ? fromQ(it->text()) : std::string();
}

int ListBox::listCount() const {
    return list_->count();
}
int ListBox::listIndex() const {
    return list_->currentRow();
}

void ListBox::setListIndex(int i) {
    silent_ = true;
    list_->setCurrentRow(i);
    if (multiSelect_ == 0 && i >= 0) list_->item(i)->setSelected(true);
    silent_ = false;
    fireIndex(Click);
}

bool ListBox::selected(int i) const {
    const QListWidgetItem* it = list_->item(i);
    return it && it->isSelected();
}

void ListBox::setSelected(int i, bool s) {
    if (QListWidgetItem* it = list_->item(i)) {
        silent_ = true;
        it->setSelected(s);
        silent_ = false;
    }
}

int ListBox::selCount() const {
    return int(list_->selectedItems().size());
}

void ListBox::setSorted(bool s) {
    sorted_ = s;
}

void ListBox::setColumns(int c) {
    columns_ = c;
    applyGeometry();
}

void ListBox::setMultiSelect(int m) {
    multiSelect_ = m;
    list_->setSelectionMode(m == 0   ? QAbstractItemView::SingleSelection
                            : m == 1 ? QAbstractItemView::MultiSelection
                                     : QAbstractItemView::ExtendedSelection);
}

void ListBox::setVisible(bool v) {
    Control::setVisible(v);
}
void ListBox::setEnabled(bool v) {
    Control::setEnabled(v);
}

void ListBox::applyColours() {
    if (!ownWidget_) return;
    QPalette pal = list_->palette();
    pal.setColor(QPalette::Base, qcolour(back_));
    pal.setColor(QPalette::Text, qcolour(fore_));
    list_->setPalette(pal);
}

void ListBox::applyGeometry() {
    if (!ownWidget_) return;
    list_->setGeometry(pixelRect());
    if (columns_ > 0) {
        // Newspaper columns: lines run down the first column, then the next.
        list_->setFlow(QListView::TopToBottom);
        list_->setWrapping(true);
        list_->setResizeMode(QListView::Adjust);
        const int w = std::max(1, list_->viewport()->width() / columns_);
        const int h = QFontMetrics(qfont(font_)).height() + 2;
        list_->setGridSize(QSize(w, h));
    } else {
        list_->setFlow(QListView::TopToBottom);
        list_->setWrapping(false);
        list_->setGridSize(QSize());
    }
    fitLines();
}

void ListBox::applyFont() {
    Control::applyFont();
    fitLines();
}

void ListBox::fitLines() {
    if (!ownWidget_) return;
    bool changed = false;
    for (int i = 0; i < list_->count(); ++i) changed = fitLine(list_->item(i)) || changed;
    // The view keeps the widths its lines had: laid out again, none of them asks for a
    // horizontal scroll any more.
    if (changed) list_->doItemsLayout();
}

bool ListBox::fitLine(QListWidgetItem* it) const {
    if (!ownWidget_) return false;
    // The cell is the column of a newspaper list, else the visible width; the delegate draws the
    // text inside a margin on each side of it.
    const int margin =
        list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list_) + 1;
    const int cell = columns_ > 0 ? list_->gridSize().width() : list_->viewport()->width();
    const double room = cell - 2 * margin;
    const QString text = it->text();
    const auto fits = [&](const QFont& f) {
        return std::ceil(QFontMetricsF(f).horizontalAdvance(text)) <= room;
    };
    QFont font = list_->font();
    if (room <= 0 || fits(font)) {
        if (!it->data(Qt::FontRole).isValid()) return false;
        it->setData(Qt::FontRole, QVariant());
        return true;
    }
    // Narrower letters keep the line's height and stay readable far longer than smaller ones.
    int lo = 1, hi = 99;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        font.setStretch(mid);
        if (fits(font))
            lo = mid;
        else
            hi = mid - 1;
    }
    font.setStretch(lo);
    if (it->data(Qt::FontRole) == QVariant(font)) return false;
    it->setFont(font);
    return true;
}

void ListBox::copyFrom(const Control& other) {
    Control::copyFrom(other);
    const auto& o = static_cast<const ListBox&>(other);
    sorted_ = o.sorted_;
    columns_ = o.columns_;
    setMultiSelect(o.multiSelect_);
    apply();
}

void ListBox::apply() {
    Control::apply();
    applyGeometry();
}

// ---------------------------------------------------------------------------------------------
// ComboBox: the edit field above its list, which stays open.

namespace {
class ComboEdit : public LineWidget {
public:
    ComboEdit(ComboBox& box, QWidget* parent) : LineWidget(box, parent), box_(box) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) {
            if (c_.handleKey(e)) return;
            // The list moves its choice as usual.
            const int step = e->key() == Qt::Key_Up ? -1 : 1;
            const int next = std::clamp(box_.listIndex() + step, 0, box_.listCount() - 1);
            if (box_.listCount() > 0 && next != box_.listIndex()) box_.setListIndex(next);
            return;
        }
        LineWidget::keyPressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override { QLineEdit::mouseReleaseEvent(e); }

private:
    ComboBox& box_;
};

class ComboList : public QListWidget, public ControlSide {
public:
    ComboList(ComboBox& box, QWidget* parent) : QListWidget(parent), box_(box) {}
    Control& control() const override { return box_; }

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        QListWidget::mouseDoubleClickEvent(e);
        box_.fireIndex(box_.DblClick);
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (!box_.handleKey(e)) QListWidget::keyPressEvent(e);
    }

private:
    ComboBox& box_;
};
} // namespace

class ComboWidget : public QWidget, public ControlSide {
public:
    ComboWidget(ComboBox& box, QWidget* parent) : QWidget(parent), box_(box) {}
    Control& control() const override { return box_; }

private:
    ComboBox& box_;
};

ComboBox::ComboBox(Container& parent, int style) : Control(&parent, false), style_(style) {
    back_ = kWindow;
    box_ = new ComboWidget(*this, parentWidget(parent));
    adopt(box_);
    edit_ = new ComboEdit(*this, box_);
    edit_->setContextMenuPolicy(Qt::NoContextMenu);
    items_ = new ComboList(*this, box_);
    items_->setFocusPolicy(Qt::NoFocus);
    QObject::connect(edit_, &QLineEdit::textEdited, [this] {
        listIndex_ = -1;
        fireIndex(Change);
    });
    QObject::connect(items_, &QListWidget::currentRowChanged, [this](int row) {
        if (silent_ || row < 0) return;
        setListIndex(row);
    });
    apply();
}

ComboBox::~ComboBox() = default;
QWidget* ComboBox::widget() const {
    return ownWidget_;
}

std::string ComboBox::text() const {
    return fromQ(edit_->text());
}

void ComboBox::setText(const std::string& t) {
    edit_->setText(qs(t));
    fireIndex(Change);
}

void ComboBox::addItem(const std::string& item, int at) {
    const QSignalBlocker block(items_);
    if (at < 0 || at > items_->count())
        items_->addItem(qs(item));
    else
        items_->insertItem(at, qs(item));
}

void ComboBox::removeItem(int i) {
    const QSignalBlocker block(items_);
    delete items_->takeItem(i);
    if (listIndex_ >= items_->count()) listIndex_ = -1;
}

void ComboBox::clear() {
    const QSignalBlocker block(items_);
    items_->clear();
    listIndex_ = -1;
    edit_->clear();
}

std::string ComboBox::list(int i) const {
    const QListWidgetItem* it = items_->item(i);
    return it ? fromQ(it->text()) : std::string();
}

int ComboBox::listCount() const {
    return items_->count();
}

void ComboBox::setListIndex(int i) {
    if (i < -1 || i >= items_->count()) return;
    listIndex_ = i;
    silent_ = true;
    items_->setCurrentRow(i);
    silent_ = false;
    if (i >= 0) edit_->setText(items_->item(i)->text());
    fireIndex(Click);
}

void ComboBox::setVisible(bool v) {
    Control::setVisible(v);
}
void ComboBox::setEnabled(bool v) {
    Control::setEnabled(v);
}

void ComboBox::applyColours() {
    for (QWidget* w : {static_cast<QWidget*>(edit_), static_cast<QWidget*>(items_)}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Base, qcolour(back_));
        pal.setColor(QPalette::Text, qcolour(fore_));
        w->setPalette(pal);
    }
}

void ComboBox::applyGeometry() {
    if (!ownWidget_) return;
    const QRect r = pixelRect();
    box_->setGeometry(r);
    const int editHeight = QFontMetrics(qfont(font_)).height() + 8;
    edit_->setGeometry(0, 0, r.width(), std::min(editHeight, r.height()));
    items_->setGeometry(0, editHeight, r.width(), std::max(0, r.height() - editHeight));
    items_->setVisible(r.height() > editHeight);
}

void ComboBox::insertReplacement(int keyAscii) {
    if (keyAscii == 8)
        edit_->backspace();
    else if (keyAscii >= 32)
        edit_->insert(QString(qchar(keyAscii)));
}

void ComboBox::copyFrom(const Control& other) {
    Control::copyFrom(other);
    apply();
}

void ComboBox::apply() {
    Control::apply();
    edit_->setFont(qfont(font_));
    items_->setFont(qfont(font_));
    applyGeometry();
}

void ComboBox::applyFont() {
    Control::applyFont();
    edit_->setFont(qfont(font_));
    items_->setFont(qfont(font_));
    applyGeometry();
}

// ---------------------------------------------------------------------------------------------
// Timer

Timer::Timer(Container& parent) : Control(&parent, true) {
    visible_ = false;
    enabled_ = true;
    QObject::connect(&qtimer_, &QTimer::timeout, [this] { fire(); });
}

Timer::~Timer() {
    stop();
}

void Timer::setInterval(int ms) {
    interval_ = std::max(0, ms);
    restart();
}

void Timer::setEnabled(bool e) {
    enabled_ = e;
    restart();
}

void Timer::restart() {
    stop();
    if (!enabled_ || interval_ <= 0) return;
    // A timer enabled at design starts when its form has loaded.
    if (!form().loaded()) return;
    running_ = true;
    if (manualClockInUse()) {
        due_ = platform::clock().monotonicMs() + interval_;
        registerManualTimer(this);
    } else {
        qtimer_.start(interval_);
    }
}

void Timer::stop() {
    running_ = false;
    qtimer_.stop();
    unregisterManualTimer(this);
}

void Timer::fire() {
    if (!running_) return;
    if (manualClockInUse()) due_ = platform::clock().monotonicMs() + interval_;
    fireIndex(Tick);
}

void Timer::copyFrom(const Control& other) {
    Control::copyFrom(other);
    const auto& o = static_cast<const Timer&>(other);
    interval_ = o.interval_;
    Tick = o.Tick;
    enabled_ = false;
}

} // namespace ui
