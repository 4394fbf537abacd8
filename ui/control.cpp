#include "ui/control.h"

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/text.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace ui {
namespace {

int shiftState(Qt::KeyboardModifiers m) {
    int s = 0;
    if (m & Qt::ShiftModifier) s |= vbShiftMask;
    if (m & Qt::ControlModifier) s |= vbCtrlMask;
    if (m & Qt::AltModifier) s |= vbAltMask;
    return s;
}

int buttonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton: return vbLeftButton;
    case Qt::RightButton: return vbRightButton;
    case Qt::MiddleButton: return vbMiddleButton;
    default: return 0;
    }
}

int buttonsOf(Qt::MouseButtons b) {
    int r = 0;
    if (b & Qt::LeftButton) r |= vbLeftButton;
    if (b & Qt::RightButton) r |= vbRightButton;
    if (b & Qt::MiddleButton) r |= vbMiddleButton;
    return r;
}

// The key codes KeyDown reports: letters and digits as their capital ASCII codes, F1 to F12 as
// 112 to 123, and the other keys as the numbers the screens test (13 Enter, 27 Escape, 37 to 40
// the arrows…).
int keyCodeOf(const QKeyEvent* e) {
    const int k = e->key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return 112 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    default: return 0;
    }
}

constexpr int kNoCharacter = -1;
constexpr int kRefused = -2;

// The character code a key press gives to KeyPress, or none (arrows, Delete), or refused (a
// character the code page cannot hold).
int asciiOf(const QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: return kNoCharacter;
    default: break;
    }
    const QString text = e->text();
    if (text.isEmpty()) return kNoCharacter;
    const auto code = cp1252Code(text.at(0));
    if (!code) return kRefused;
    if (*code == 127) return kNoCharacter;
    return *code;
}

bool& misuseStops() {
#ifdef NDEBUG
    static bool stops = false;
#else
    static bool stops = true;
#endif
    return stops;
}

} // namespace

// Marks the control as handling one of its events for as long as the scope lasts.
class EventScope {
public:
    explicit EventScope(Control& c) : c_(c) { ++c_.handling_; }
    ~EventScope() { --c_.handling_; }
    EventScope(const EventScope&) = delete;
    EventScope& operator=(const EventScope&) = delete;

private:
    Control& c_;
};

void reportMisuse(const std::string& what) {
    if (misuseStops()) qFatal("misuse of the forms runtime: %s", what.c_str());
    qCritical("misuse of the forms runtime, passed over: %s", what.c_str());
}

void setMisuseStops(bool stops) {
    misuseStops() = stops;
}

Container& standInContainer() {
    // Never loaded, never shown, never destroyed (its widgets must not outlive the application).
    static Form* const holder = new Form;
    return *holder;
}

// ---------------------------------------------------------------------------------------------
// Control

Control::Control(Container* parent, bool windowless) : parent_(parent), windowless_(windowless) {
    if (parent_) {
        parent_->addChild(this);
        font_ = parent_->font();
    }
}

Control::~Control() {
    // Handles read null from here on: nothing reaches a control on its way out.
    anchor_.reset();
    if (parent_) parent_->removeChild(this);
    if (ownWidget_) delete ownWidget_.data();
}

void Control::adopt(QWidget* w) {
    ownWidget_ = w;
}

Form& Control::form() const {
    const Control* c = this;
    while (c->parent_) c = c->parent_;
    return *static_cast<Form*>(const_cast<Control*>(c));
}

static double toUnitsX(const Container* p, double twips) {
    return p ? p->pixelsToUnitsX(twips / kTwipsPerPixel) : twips;
}
static double toUnitsY(const Container* p, double twips) {
    return p ? p->pixelsToUnitsY(twips / kTwipsPerPixel) : twips;
}
static double toTwipsX(const Container* p, double units) {
    return p ? p->unitsToPixelsX(units) * kTwipsPerPixel : units;
}
static double toTwipsY(const Container* p, double units) {
    return p ? p->unitsToPixelsY(units) * kTwipsPerPixel : units;
}

double Control::left() const {
    return toUnitsX(parent_, rect_.left());
}
double Control::top() const {
    return toUnitsY(parent_, rect_.top());
}
double Control::width() const {
    return toUnitsX(parent_, rect_.width());
}
double Control::height() const {
    return toUnitsY(parent_, rect_.height());
}

void Control::setLeft(double v) {
    move(v, top(), width(), height());
}
void Control::setTop(double v) {
    move(left(), v, width(), height());
}
void Control::setWidth(double v) {
    move(left(), top(), v, height());
}
void Control::setHeight(double v) {
    move(left(), top(), width(), v);
}
void Control::move(double l, double t) {
    move(l, t, width(), height());
}

void Control::move(double l, double t, double w, double h) {
    setTwipsRect(QRectF(toTwipsX(parent_, l), toTwipsY(parent_, t),
                        std::max(0.0, toTwipsX(parent_, w)), std::max(0.0, toTwipsY(parent_, h))));
}

void Control::setTwipsRect(const QRectF& r) {
    if (!windowless_ || r != rect_) {
        if (windowless_) requestRepaint(); // the old place
        rect_ = r;
        applyGeometry();
    }
}

QRect Control::pixelRect() const {
    const auto px = [](double twips) { return int(std::lround(twips / kTwipsPerPixel)); };
    if (!parent_)
        return QRect(px(rect_.left()), px(rect_.top()), px(rect_.width()), px(rect_.height()));
    // Containers with a user scale map through their own factors; twips and pixels are exact.
    const int l = px(rect_.left());
    const int t = px(rect_.top());
    const int r = px(rect_.left() + rect_.width());
    const int b = px(rect_.top() + rect_.height());
    return QRect(l, t, std::max(0, r - l), std::max(0, b - t));
}

void Control::setVisible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    if (QWidget* w = widget())
        w->setVisible(v);
    else
        requestRepaint();
}

void Control::setEnabled(bool v) {
    enabled_ = v;
    if (QWidget* w = widget()) w->setEnabled(v);
}

void Control::setFont(const Font& f) {
    font_ = f;
    applyFont();
}
void Control::setFontName(const std::string& name) {
    font_.name = name;
    applyFont();
}
void Control::setFontSize(double size) {
    font_.size = size > 0 ? size : font_.size;
    applyFont();
}
void Control::setFontBold(bool bold) {
    font_.bold = bold;
    applyFont();
}
void Control::setFontUnderline(bool underline) {
    font_.underline = underline;
    applyFont();
}

void Control::setBackColor(Colour c) {
    back_ = c;
    applyColours();
}
void Control::setForeColor(Colour c) {
    fore_ = c;
    applyColours();
}

void Control::zOrder(int position) {
    if (windowless_) {
        if (!parent_) return;
        if (position == 0)
            parent_->bringToFront(this);
        else
            parent_->sendToBack(this);
    } else if (QWidget* w = widget()) {
        if (position == 0)
            w->raise();
        else
            w->lower();
    }
}

void Control::setFocus() {
    if (QWidget* w = widget()) {
        if (auto* combo = dynamic_cast<ComboBox*>(this))
            combo->editField()->setFocus(Qt::OtherFocusReason);
        else
            w->setFocus(Qt::OtherFocusReason);
    }
}

bool Control::hasFocus() const {
    QWidget* focus = QApplication::focusWidget();
    QWidget* w = widget();
    return w && focus && (focus == w || w->isAncestorOf(focus));
}

void Control::refresh() {
    if (QWidget* w = widget())
        w->repaint();
    else if (parent_ && parent_->containerWidget())
        parent_->containerWidget()->repaint();
}

void Control::setTabIndex(int i) {
    tabIndex_ = i;
}
void Control::setTabStop(bool s) {
    tabStop_ = s;
    if (QWidget* w = widget()) w->setFocusPolicy(s ? Qt::StrongFocus : Qt::ClickFocus);
}

bool Control::hitTest(const QPoint& p) const {
    return windowless_ && visible_ && enabled_ && pixelRect().contains(p);
}

void Control::copyFrom(const Control& o) {
    rect_ = o.rect_;
    visible_ = o.visible_;
    enabled_ = o.enabled_;
    font_ = o.font_;
    back_ = o.back_;
    fore_ = o.fore_;
    tabIndex_ = o.tabIndex_;
    tabStop_ = o.tabStop_;
    Click = o.Click;
    DblClick = o.DblClick;
    GotFocus = o.GotFocus;
    LostFocus = o.LostFocus;
    Change = o.Change;
    MouseDown = o.MouseDown;
    MouseUp = o.MouseUp;
    MouseMove = o.MouseMove;
    KeyPress = o.KeyPress;
    KeyDown = o.KeyDown;
    KeyUp = o.KeyUp;
}

void Control::apply() {
    applyGeometry();
    applyFont();
    applyColours();
    if (QWidget* w = widget()) {
        w->setVisible(visible_);
        w->setEnabled(enabled_);
        w->setFocusPolicy(tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
    } else {
        requestRepaint();
    }
}

void Control::applyGeometry() {
    if (QWidget* w = widget())
        w->setGeometry(pixelRect());
    else
        requestRepaint();
}

void Control::applyFont() {
    if (QWidget* w = widget())
        w->setFont(qfont(font_));
    else
        requestRepaint();
}

void Control::applyColours() {
    if (QWidget* w = widget()) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, qcolour(back_));
        pal.setColor(QPalette::Base, qcolour(back_));
        pal.setColor(QPalette::Button, qcolour(back_));
        pal.setColor(QPalette::WindowText, qcolour(fore_));
        pal.setColor(QPalette::Text, qcolour(fore_));
        pal.setColor(QPalette::ButtonText, qcolour(fore_));
        w->setPalette(pal);
    } else {
        requestRepaint();
    }
}

void Control::requestRepaint() const {
    if (windowless_ && parent_ && parent_->containerWidget()) {
        parent_->containerWidget()->markSelfUpdate();
        parent_->containerWidget()->update();
    }
}

void Control::scaleBy(double f) {
    rect_ = QRectF(rect_.left() * f, rect_.top() * f, rect_.width() * f, rect_.height() * f);
    font_.size *= f;
    applyGeometry();
    applyFont();
}

QPointF Control::toControlUnits(const QPointF& pixel) const {
    // A windowless control reports positions in its container's units, from its own corner.
    if (!parent_) return pixel;
    return QPointF(parent_->pixelsToUnitsX(pixel.x()), parent_->pixelsToUnitsY(pixel.y()));
}

void Control::fireIndex(const IndexHandler& handler) {
    if (!handler) return;
    const int i = index_;
    const EventScope scope(*this);
    dispatch(&form(), [&handler, i] { handler(i); });
}

void Control::fireMouse(const MouseHandler& handler, QMouseEvent* e) {
    if (!handler) return;
    QPointF pos = e->position();
    if (windowless_) pos -= pixelRect().topLeft();
    const QPointF units = toControlUnits(pos);
    const int button =
        e->type() == QEvent::MouseMove ? buttonsOf(e->buttons()) : buttonOf(e->button());
    const int shift = shiftState(e->modifiers());
    const int i = index_;
    const auto x = float(units.x()), y = float(units.y());
    const EventScope scope(*this);
    dispatch(&form(), [&handler, i, button, shift, x, y] { handler(i, button, shift, x, y); });
}

void Control::insertReplacement(int) {}

bool Control::handleKey(QKeyEvent* e) {
    Form& f = form();
    HandlerGuard guard(&f);
    const EventScope scope(*this);
    // A handler may take this very control away (an array element unloaded).
    const Weak<Control> self(this);
    const int shift = shiftState(e->modifiers());
    int keyCode = keyCodeOf(e);
    auto* button = dynamic_cast<CommandButton*>(this);
    const auto usable = [](CommandButton* b) { return b && b->visible() && b->enabled(); };

    if (keyCode == 13 && !takesEnter()) {
        if (button) {
            button->press();
            return true;
        }
        if (CommandButton* d = f.defaultButton(); usable(d)) {
            d->press();
            return true;
        }
    }
    if (keyCode == 27) {
        if (CommandButton* c = f.cancelButton(); usable(c)) {
            c->press();
            return true;
        }
    }
    if (keyCode != 0) {
        if (f.keyPreview() && this != &f) {
            f.Form_KeyDown(keyCode, shift);
            if (keyCode == 0 || !self) return true;
        }
        if (KeyDown) {
            KeyDown(index_, keyCode, shift);
            if (keyCode == 0 || !self) return true;
        }
    }
    // Paste and the other editing shortcuts carry no character of their own.
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        const QString t = e->text();
        if (t.isEmpty() || t.at(0).unicode() < 32) return false;
        // Qt's shortcuts had this key first: an access key that no usable caption or menu
        // took names nothing, and types nothing either. AltGr arrives without Alt, or as
        // Ctrl+Alt, and keeps typing.
        if (!(e->modifiers() & Qt::ControlModifier)) return true;
    }
    int ascii = asciiOf(e);
    if (ascii == kNoCharacter) return false;
    if (ascii == kRefused) return true;
    const int original = ascii;
    if (f.keyPreview() && this != &f) {
        f.Form_KeyPress(ascii);
        if (ascii == 0 || !self) return true;
    }
    if (KeyPress) {
        KeyPress(index_, ascii);
        if (ascii == 0 || !self) return true;
    }
    if (ascii != original) {
        insertReplacement(ascii);
        return true;
    }
    return false;
}

QString Control::filterText(const QString& text) {
    Form& f = form();
    HandlerGuard guard(&f);
    const EventScope scope(*this);
    const Weak<Control> self(this);
    QString out;
    for (QChar ch : text) {
        const auto code = cp1252Code(ch);
        if (!code || *code < 32 || *code == 127) continue; // line ends and control characters
        int ascii = *code;
        if (f.keyPreview() && this != &f) f.Form_KeyPress(ascii);
        if (ascii != 0 && KeyPress) KeyPress(index_, ascii);
        if (!self) return {};
        if (ascii != 0) out.append(qchar(ascii));
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Container

Container::Container(Container* parent, bool hasSurface)
    : Control(parent, false), hasSurface_(hasSurface) {}

Container::~Container() {
    for (Control* c : children_) c->orphan();
    // The widget may be gone already (a child screen's sub-window takes it along): no repaint.
    sprites_.clear();
}

void Container::init(ContainerWidget* client) {
    client_ = client;
    adopt(client);
}

void Container::addChild(Control* c) {
    children_.push_back(c);
    if (c->windowless()) windowless_.push_back(c);
}

void Container::removeChild(Control* c) {
    std::erase(children_, c);
    std::erase(windowless_, c);
    if (client_) {
        client_->markSelfUpdate();
        client_->update();
    }
}

void Container::bringToFront(Control* c) {
    std::erase(windowless_, c);
    windowless_.push_back(c);
    if (client_) {
        client_->markSelfUpdate();
        client_->update();
    }
}

void Container::sendToBack(Control* c) {
    std::erase(windowless_, c);
    windowless_.insert(windowless_.begin(), c);
    if (client_) {
        client_->markSelfUpdate();
        client_->update();
    }
}

void Container::setScaleMode(int mode) {
    scaleMode_ = mode;
    if (mode == vbUser && (scaleW_ <= 0 || scaleH_ <= 0)) {
        const QSize s = innerPixelSize();
        scaleW_ = s.width() * kTwipsPerPixel;
        scaleH_ = s.height() * kTwipsPerPixel;
    }
    currentX_ = currentY_ = 0;
}

double Container::scaleWidth() const {
    if (scaleMode_ == vbUser) return scaleW_;
    return pixelsToUnitsX(innerPixelSize().width());
}
double Container::scaleHeight() const {
    if (scaleMode_ == vbUser) return scaleH_;
    return pixelsToUnitsY(innerPixelSize().height());
}
void Container::setScaleWidth(double w) {
    if (scaleMode_ != vbUser) scaleH_ = scaleHeight();
    scaleW_ = w;
    scaleMode_ = vbUser;
}
void Container::setScaleHeight(double h) {
    if (scaleMode_ != vbUser) scaleW_ = scaleWidth();
    scaleH_ = h;
    scaleMode_ = vbUser;
}

double Container::unitsToPixelsX(double v) const {
    switch (scaleMode_) {
    case vbPixels: return v;
    case vbUser: return scaleW_ != 0 ? v * innerPixelSize().width() / scaleW_ : v;
    default: return v / kTwipsPerPixel;
    }
}
double Container::unitsToPixelsY(double v) const {
    switch (scaleMode_) {
    case vbPixels: return v;
    case vbUser: return scaleH_ != 0 ? v * innerPixelSize().height() / scaleH_ : v;
    default: return v / kTwipsPerPixel;
    }
}
double Container::pixelsToUnitsX(double px) const {
    switch (scaleMode_) {
    case vbPixels: return px;
    case vbUser: {
        const int w = innerPixelSize().width();
        return w != 0 ? px * scaleW_ / w : px;
    }
    default: return px * kTwipsPerPixel;
    }
}
double Container::pixelsToUnitsY(double px) const {
    switch (scaleMode_) {
    case vbPixels: return px;
    case vbUser: {
        const int h = innerPixelSize().height();
        return h != 0 ? px * scaleH_ / h : px;
    }
    default: return px * kTwipsPerPixel;
    }
}

QSize Container::innerPixelSize() const {
    return client_ ? client_->size() : QSize();
}

void Container::setPicture(const Picture& p) {
    picture_ = p;
    if (hasSurface_)
        clearSurface();
    else if (client_)
        client_->update();
}

void Container::setBackColor(Colour c) {
    back_ = c;
    if (hasSurface_) clearSurface();
    if (client_) {
        client_->markSelfUpdate();
        client_->update();
    }
}

QImage& Container::surface() {
    const QSize size = innerPixelSize().expandedTo(QSize(1, 1));
    if (!imageValid_ || image_.size() != size) {
        QImage fresh(size, QImage::Format_RGB32);
        fresh.fill(qcolour(back_));
        if (!picture_.isNull()) {
            QPainter p(&fresh);
            picture_.draw(p, QRectF(QPointF(0, 0), QSizeF(size)));
        }
        if (imageValid_ && drawn_) {
            // Drawings survive a change of size, at the same place. A surface that holds only
            // its back colour and picture is simply made again at the new size.
            QPainter p(&fresh);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, image_);
        }
        image_ = fresh;
        imageValid_ = true;
    }
    return image_;
}

void Container::surfaceChanged() {
    drawn_ = true;
    if (client_) {
        client_->markSelfUpdate();
        client_->update();
    }
}

void Container::clearSurface() {
    // The base alone is painted straight from the back colour: the image is made again only when
    // something is drawn (or a picture has to be laid on it).
    image_ = QImage();
    imageValid_ = false;
    drawn_ = false;
    if (client_) {
        client_->markSelfUpdate();
        client_->update();
    }
}

void Container::cls() {
    if (hasSurface_) clearSurface();
    currentX_ = currentY_ = 0;
}

void Container::drawShape(const std::function<void(QPainter&)>& draw) {
    QImage& img = surface();
    if (drawMode_ == vbInvert || drawMode_ == vbXorPen) {
        // The shape's pixels are found on a mask, then inverted: drawing it twice restores them.
        QImage mask(img.size(), QImage::Format_ARGB32_Premultiplied);
        mask.fill(Qt::transparent);
        {
            QPainter p(&mask);
            p.setRenderHint(QPainter::Antialiasing, false);
            draw(p);
        }
        const QRgb fore = qcolour(fore_).rgb() & 0xFFFFFF;
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            const auto* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                if (qAlpha(m[x]) == 0) continue;
                const QRgb flip = drawMode_ == vbInvert ? 0xFFFFFF : fore;
                line[x] = 0xFF000000 | ((line[x] ^ flip) & 0xFFFFFF);
            }
        }
    } else {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, false);
        draw(p);
    }
    surfaceChanged();
}

void Container::print(const std::string& text, bool newLine) {
    if (!hasSurface_) return;
    const QFont f = qfont(font_);
    const QFontMetricsF fm(f);
    const QStringList lines = textLines(text);
    double x = unitsToPixelsX(currentX_);
    double y = unitsToPixelsY(currentY_);
    QImage& img = surface();
    {
        QPainter p(&img);
        p.setFont(f);
        p.setPen(qcolour(fore_));
        p.setRenderHint(QPainter::TextAntialiasing, true);
        for (int i = 0; i < lines.size(); ++i) {
            p.drawText(QPointF(x, y + fm.ascent()), lines[i]);
            if (i + 1 < lines.size()) {
                x = 0;
                y += fm.height();
            } else {
                x += fm.horizontalAdvance(lines[i]);
            }
        }
    }
    if (newLine) {
        x = 0;
        y += fm.height();
    }
    currentX_ = pixelsToUnitsX(x);
    currentY_ = pixelsToUnitsY(y);
    surfaceChanged();
}

double Container::textWidth(const std::string& text) const {
    const QFontMetricsF fm(qfont(font_));
    double widest = 0;
    for (const QString& l : textLines(text)) widest = std::max(widest, fm.horizontalAdvance(l));
    return pixelsToUnitsX(widest);
}

double Container::textHeight(const std::string& text) const {
    const QFontMetricsF fm(qfont(font_));
    const auto lines = textLines(text).size();
    return pixelsToUnitsY(fm.height() * double(lines));
}

void Container::line(double x1, double y1, double x2, double y2, long long colour, Box box) {
    if (!hasSurface_) return;
    const QColor c = qcolour(colour < 0 ? fore_ : Colour(colour));
    const QPointF a(unitsToPixelsX(x1), unitsToPixelsY(y1));
    const QPointF b(unitsToPixelsX(x2), unitsToPixelsY(y2));
    const int width = drawWidth_;
    const bool fill = box == Box::Filled;
    const bool fillStyleSolid = fillStyle_ == 0;
    const QColor fillColour = qcolour(fillColor_);
    drawShape([&](QPainter& p) {
        QPen pen(c, width);
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
        if (box == Box::None) {
            p.setPen(pen);
            p.drawLine(a, b);
            return;
        }
        const QRectF r = QRectF(a, b).normalized();
        const QRect pr(int(std::lround(r.left())), int(std::lround(r.top())),
                       int(std::lround(r.width())), int(std::lround(r.height())));
        if (fill) {
            p.fillRect(pr.adjusted(0, 0, 1, 1), c);
            return;
        }
        if (fillStyleSolid) p.fillRect(pr, fillColour);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(pr);
    });
    currentX_ = x2;
    currentY_ = y2;
}

void Container::circle(double x, double y, double radius, long long colour) {
    if (!hasSurface_) return;
    const QColor c = qcolour(colour < 0 ? fore_ : Colour(colour));
    const QPointF centre(unitsToPixelsX(x), unitsToPixelsY(y));
    const double r = unitsToPixelsX(radius);
    const bool solid = fillStyle_ == 0;
    const QColor fillColour = qcolour(fillColor_);
    const int width = drawWidth_;
    drawShape([&](QPainter& p) {
        p.setPen(QPen(c, width));
        p.setBrush(solid ? QBrush(fillColour) : QBrush(Qt::NoBrush));
        p.drawEllipse(centre, r, r);
    });
    currentX_ = x;
    currentY_ = y;
}

void Container::pset(double x, double y, long long colour) {
    if (!hasSurface_) return;
    QImage& img = surface();
    const QPoint p(int(std::lround(unitsToPixelsX(x))), int(std::lround(unitsToPixelsY(y))));
    if (img.rect().contains(p)) img.setPixel(p, qcolour(colour < 0 ? fore_ : Colour(colour)).rgb());
    surfaceChanged();
}

Colour Container::point(double x, double y) {
    QImage& img = surface();
    const QPoint p(int(std::lround(unitsToPixelsX(x))), int(std::lround(unitsToPixelsY(y))));
    if (!img.rect().contains(p)) return Colour(-1);
    return colourOf(QColor(img.pixel(p)));
}

int Container::addSprite(const QImage& image, QPoint position, bool visible) {
    const int id = nextSprite_++;
    sprites_[id] = Sprite{image, position, visible};
    surfaceChanged();
    return id;
}

Sprite& Container::sprite(int id) {
    return sprites_.at(id);
}
void Container::updateSprite(int) {
    surfaceChanged();
}
void Container::removeSprite(int id) {
    sprites_.erase(id);
    surfaceChanged();
}

void Container::paintContents(QPainter& p, const QRect& area) {
    if (hasSurface_ && (imageValid_ || !picture_.isNull())) {
        // Only the part being repainted is copied: a moved card repaints a small area.
        p.drawImage(area, surface(), area);
    } else if (hasSurface_) {
        p.fillRect(area, qcolour(back_));
    } else {
        p.fillRect(area, qcolour(back_));
        if (!picture_.isNull()) picture_.draw(p, QRectF(QPointF(0, 0), QSizeF(innerPixelSize())));
    }
    paintFrame(p);
    for (Control* c : windowless_) {
        if (!c->visible()) continue;
        p.save();
        c->paint(p);
        p.restore();
    }
    for (const auto& [id, s] : sprites_)
        if (s.visible) p.drawImage(s.position, s.image);
}

Control* Container::windowlessAt(const QPoint& pixel) const {
    for (auto it = windowless_.rbegin(); it != windowless_.rend(); ++it)
        if ((*it)->hitTest(pixel)) return *it;
    return nullptr;
}

void Container::copyFrom(const Control& other) {
    Control::copyFrom(other);
    if (const auto* o = dynamic_cast<const Container*>(&other)) {
        picture_ = o->picture_;
        scaleMode_ = o->scaleMode_;
        scaleW_ = o->scaleW_;
        scaleH_ = o->scaleH_;
        drawMode_ = o->drawMode_;
        drawWidth_ = o->drawWidth_;
        fillStyle_ = o->fillStyle_;
        fillColor_ = o->fillColor_;
        Paint = o->Paint;
        imageValid_ = false;
    }
    apply();
}

// ---------------------------------------------------------------------------------------------
// ContainerWidget

ContainerWidget::ContainerWidget(Container& owner, QWidget* parent)
    : QWidget(parent), owner_(owner) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void ContainerWidget::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    owner_.paintContents(p, event->rect());
    const bool self = selfUpdate_;
    selfUpdate_ = false;
    if (!self && owner_.Paint) {
        // Paint handlers run after the repaint, never inside it.
        QTimer::singleShot(0, this, [owner = Weak<Container>(&owner_)] {
            if (Container* c = owner.get()) c->fireIndex(c->Paint);
        });
    }
}

Control* ContainerWidget::targetAt(const QPoint& pos) {
    if (Control* c = owner_.windowlessAt(pos)) return c;
    return &owner_;
}

void ContainerWidget::mousePressEvent(QMouseEvent* e) {
    Control* target = targetAt(e->position().toPoint());
    pressed_ = target;
    inDoubleClick_ = false;
    target->fireMouse(target->MouseDown, e);
}

void ContainerWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    // The second press of a double click arrives only as a double click.
    Control* target = targetAt(e->position().toPoint());
    pressed_ = target;
    inDoubleClick_ = true;
    target->fireIndex(target->DblClick);
}

void ContainerWidget::mouseReleaseEvent(QMouseEvent* e) {
    const Weak<Control> target = pressed_;
    pressed_ = {};
    if (!target) return;
    // MouseUp may take the control away, and this widget with it.
    const QPointer<ContainerWidget> self(this);
    target->fireMouse(target->MouseUp, e);
    if (!self) return;
    if (inDoubleClick_) {
        inDoubleClick_ = false;
        return;
    }
    if (!target) return;
    const bool inside = target.get() == &owner_
                            ? rect().contains(e->position().toPoint())
                            : target->pixelRect().contains(e->position().toPoint());
    if (inside && e->button() == Qt::LeftButton) target->fireIndex(target->Click);
}

void ContainerWidget::mouseMoveEvent(QMouseEvent* e) {
    owner_.fireMouse(owner_.MouseMove, e);
}

bool ContainerWidget::event(QEvent* e) {
    if ((e->type() == QEvent::WindowDeactivate || e->type() == QEvent::UngrabMouse) && pressed_) {
        // Losing the mouse during a press counts as a release away from the control.
        Control* target = pressed_.get();
        pressed_ = {};
        if (target->MouseUp) {
            QMouseEvent away(QEvent::MouseButtonRelease, QPointF(-1, -1), QPointF(-1, -1),
                             Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            const QPointer<ContainerWidget> self(this);
            target->fireMouse(target->MouseUp, &away);
            if (!self) return true;
        }
    }
    return QWidget::event(e);
}

void ContainerWidget::keyPressEvent(QKeyEvent* e) {
    if (!owner_.handleKey(e)) QWidget::keyPressEvent(e);
}

} // namespace ui
