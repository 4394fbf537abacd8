// Controls and their containers, with the semantics the screens were designed for: geometry in
// the container's scale (twips unless the container says otherwise), windowless controls painted
// by their container under every windowed control, events named after the control and the event
// (Click, MouseDown, KeyPress…) and ordered down, up, click, then double click.
#pragma once

#include "ui/picture.h"
#include "ui/style.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ui {

class Container;
class Form;

// Mouse buttons and shift states as the handlers receive them.
enum MouseButton : int { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum ShiftState : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };
enum ScaleMode : int { vbUser = 0, vbTwips = 1, vbPixels = 3 };
enum DrawMode : int { vbCopyPen = 13, vbInvert = 6, vbXorPen = 7 };
enum Alignment : int { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };
enum BackStyle : int { vbTransparent = 0, vbOpaque = 1 }; // labels and shapes

// The runtime maps 15 twips to one pixel, whatever the display's dots per inch.
constexpr double kTwipsPerPixel = 15.0;

using IndexHandler = std::function<void(int index)>;
using MouseHandler = std::function<void(int index, int button, int shift, float x, float y)>;
using KeyPressHandler = std::function<void(int index, int& keyAscii)>;
using KeyHandler = std::function<void(int index, int& keyCode, int shift)>;

class Control {
public:
    Control(Container* parent, bool windowless);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Container& container() const { return *parent_; }
    Form& form() const;
    int index() const { return index_; }
    bool windowless() const { return windowless_; }
    // The Qt widget of a windowed control (null for windowless ones).
    virtual QWidget* widget() const { return nullptr; }

    // Geometry in the container's scale units.
    double left() const;
    double top() const;
    double width() const;
    double height() const;
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    void move(double left, double top);
    void move(double left, double top, double width, double height);
    // Geometry in twips whatever the container's scale (design values, scaling).
    QRectF twipsRect() const { return rect_; }
    void setTwipsRect(const QRectF& r);
    // The control's rectangle in pixels of its container.
    QRect pixelRect() const;

    bool visible() const { return visible_; }
    virtual void setVisible(bool v);
    bool enabled() const { return enabled_; }
    virtual void setEnabled(bool v);

    const Font& font() const { return font_; }
    void setFont(const Font& f);
    void setFontName(const std::string& name);
    void setFontSize(double size);
    void setFontBold(bool bold);
    void setFontUnderline(bool underline);
    double fontSize() const { return font_.size; }
    bool fontBold() const { return font_.bold; }

    Colour backColor() const { return back_; }
    virtual void setBackColor(Colour c);
    Colour foreColor() const { return fore_; }
    virtual void setForeColor(Colour c);

    // 0 brings the control in front of its tier, 1 sends it to the back.
    void zOrder(int position = 0);
    void setFocus();
    bool hasFocus() const;
    void refresh();
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int i);
    bool tabStop() const { return tabStop_; }
    void setTabStop(bool s);
    void* tag = nullptr;

    // Events (the index is the control's place in its array, -1 when it is alone).
    IndexHandler Click, DblClick, GotFocus, LostFocus, Change;
    MouseHandler MouseDown, MouseUp, MouseMove;
    KeyPressHandler KeyPress;
    KeyHandler KeyDown, KeyUp;

    // --- runtime internals ---
    void setIndex(int i) { index_ = i; }
    // Paints a windowless control onto its container.
    virtual void paint(QPainter&) {}
    // Whether a windowless control takes the mouse at this container pixel (shapes and lines
    // never do: the click goes through to the container).
    virtual bool hitTest(const QPoint& containerPixel) const;
    // Copies every property of another control of the same kind (cloning an array element).
    virtual void copyFrom(const Control& other);
    // Re-applies all properties to the widget.
    virtual void apply();
    // Dispatches a key arriving at this control; true when it was consumed.
    bool handleKey(QKeyEvent* event);
    // Routes text that arrives without keys (paste, drop, input method) through KeyPress.
    QString filterText(const QString& text);
    void fireMouse(const MouseHandler& handler, QMouseEvent* event);
    void fireIndex(const IndexHandler& handler);
    // Converts a pixel position inside the control into its own scale units.
    virtual QPointF toControlUnits(const QPointF& pixel) const;
    virtual void scaleBy(double factor);
    // Forgets the container (it is being destroyed before this control).
    void orphan() { parent_ = nullptr; }
    // What weak handles watch: it goes when the base control is destroyed, after the destructors
    // of the derived control have run, so a handler must not reach its control from there.
    QObject* anchor() const { return anchor_.get(); }
    // Whether one of the control's own events is being handled now: its widget is then on the
    // stack, and the control must not be destroyed under it.
    bool handlingEvent() const { return handling_ > 0; }

protected:
    virtual void applyGeometry();
    virtual void applyFont();
    virtual void applyColours();
    // The character a key press inserts after KeyPress replaced it (text boxes override).
    virtual void insertReplacement(int keyAscii);
    virtual bool takesEnter() const { return false; }
    void requestRepaint() const;

    // The control's own widget, deleted with it unless Qt deleted it with its container first.
    void adopt(QWidget* w);
    QPointer<QWidget> ownWidget_;
    Container* parent_;
    bool windowless_;
    int index_ = -1;
    QRectF rect_{0, 0, 1215, 495};
    bool visible_ = true;
    bool enabled_ = true;
    Font font_;
    Colour back_ = kButtonFace;
    Colour fore_ = kWindowText;
    int tabIndex_ = 0;
    bool tabStop_ = true;

private:
    friend class EventScope;
    std::unique_ptr<QObject> anchor_ = std::make_unique<QObject>();
    int handling_ = 0;
};

// A weak handle on a control (a form is one too): it reads null once the control is destroyed,
// and a control made later at the same address never passes for the one it was taken on.
template <class T> class Weak {
public:
    Weak() = default;
    Weak(T* c) : c_(c), anchor_(c ? c->anchor() : nullptr) {}
    T* get() const { return anchor_ ? c_ : nullptr; }
    T* operator->() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }

private:
    T* c_ = nullptr;
    QPointer<QObject> anchor_;
};

// The Qt widgets that stand for a control know it: the focus finds its control that way.
class ControlSide {
public:
    virtual ~ControlSide() = default;
    virtual Control& control() const = 0;
};

// A sprite: a picture laid over a container's windowless controls and under its windowed ones,
// moved without damaging what lies under it (the number cards).
struct Sprite {
    QImage image;
    QPoint position;
    bool visible = true;
};

class ContainerWidget;

// Forms, picture boxes and frames hold controls. Forms and picture boxes also have a persistent
// drawing surface: what is drawn stays until Cls, under the windowless controls.
class Container : public Control {
public:
    Container(Container* parent, bool hasSurface);
    ~Container() override;

    ContainerWidget* containerWidget() const { return client_; }

    // Children in creation order; windowless ones also in painting order (back to front).
    const std::vector<Control*>& children() const { return children_; }
    const std::vector<Control*>& windowlessOrder() const { return windowless_; }
    void addChild(Control* c);
    void removeChild(Control* c);
    void bringToFront(Control* c);
    void sendToBack(Control* c);

    // Scale of the container's inside.
    int scaleMode() const { return scaleMode_; }
    void setScaleMode(int mode);
    double scaleWidth() const;
    double scaleHeight() const;
    void setScaleWidth(double w);
    void setScaleHeight(double h);
    double unitsToPixelsX(double v) const;
    double unitsToPixelsY(double v) const;
    double pixelsToUnitsX(double px) const;
    double pixelsToUnitsY(double px) const;
    // Size of the inside in pixels.
    virtual QSize innerPixelSize() const;

    // Picture shown stretched over the whole inside, under the drawings.
    const Picture& picture() const { return picture_; }
    void setPicture(const Picture& p);

    // --- drawing surface (forms and picture boxes) ---
    bool hasSurface() const { return hasSurface_; }
    // The image is made on first use (a drawing, a blit, a read); until then the base is painted
    // straight from the back colour, so a form that only shows its colour allocates nothing.
    QImage& surface();
    bool hasSurfaceImage() const { return imageValid_; }
    void surfaceChanged(); // after the surface image was changed directly (blits)
    void cls();
    // Prints at the current position; `newLine` false keeps the position just after the text.
    void print(const std::string& text, bool newLine = true);
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    void setCurrentX(double x) { currentX_ = x; }
    void setCurrentY(double y) { currentY_ = y; }
    double textWidth(const std::string& text) const;
    double textHeight(const std::string& text) const;
    enum class Box { None, Outline, Filled };
    // A line, or a box with these corners; colour -1 = the fore colour.
    void line(double x1, double y1, double x2, double y2, long long colour = -1,
              Box box = Box::None);
    void circle(double x, double y, double radius, long long colour = -1);
    void pset(double x, double y, long long colour = -1);
    Colour point(double x, double y);
    int drawMode() const { return drawMode_; }
    void setDrawMode(int m) { drawMode_ = m; }
    int drawWidth() const { return drawWidth_; }
    void setDrawWidth(int w) { drawWidth_ = w < 1 ? 1 : w; }
    int fillStyle() const { return fillStyle_; }
    void setFillStyle(int s) { fillStyle_ = s; } // 0 solid, 1 transparent
    Colour fillColor() const { return fillColor_; }
    void setFillColor(Colour c) { fillColor_ = c; }
    void setBackColor(Colour c) override;

    // --- sprites over the windowless controls ---
    int addSprite(const QImage& image, QPoint position, bool visible = true);
    Sprite& sprite(int id);
    void updateSprite(int id);
    void removeSprite(int id);
    const std::map<int, Sprite>& sprites() const { return sprites_; }

    // Container events (forms and picture boxes).
    IndexHandler Paint;

    // --- runtime internals ---
    void paintContents(QPainter& painter, const QRect& area);
    Control* windowlessAt(const QPoint& pixel) const;
    void copyFrom(const Control& other) override;
    QPointF toControlUnits(const QPointF& pixel) const override {
        return {pixelsToUnitsX(pixel.x()), pixelsToUnitsY(pixel.y())};
    }
    virtual void paintFrame(QPainter&) {}
    void clearSurface(); // the base: back colour and picture

protected:
    void init(ContainerWidget* client);
    ContainerWidget* client_ = nullptr;
    std::vector<Control*> children_;
    std::vector<Control*> windowless_;
    bool hasSurface_;
    QImage image_;
    bool imageValid_ = false;
    bool drawn_ = false; // something was drawn since the surface was last cleared
    Picture picture_;
    int scaleMode_ = vbTwips;
    double scaleW_ = 0, scaleH_ = 0; // user scale
    double currentX_ = 0, currentY_ = 0;
    int drawMode_ = vbCopyPen;
    int drawWidth_ = 1;
    int fillStyle_ = 1;
    Colour fillColor_ = kNoir;
    std::map<int, Sprite> sprites_;
    int nextSprite_ = 1;

private:
    void drawShape(const std::function<void(QPainter&)>& draw);
};

// The Qt side of a container: paints the surface, the windowless controls and the sprites, and
// turns mouse input into MouseDown, MouseUp, Click and DblClick: the control that got the press
// gets the release, and the second press of a double click arrives as DblClick alone.
class ContainerWidget : public QWidget, public ControlSide {
    Q_OBJECT
public:
    ContainerWidget(Container& owner, QWidget* parent);
    Container& owner() const { return owner_; }
    Control& control() const override { return owner_; }
    void markSelfUpdate() { selfUpdate_ = true; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Control* targetAt(const QPoint& pos);
    Container& owner_;
    Weak<Control> pressed_; // control that got the press (the container itself possibly)
    bool inDoubleClick_ = false;
    bool selfUpdate_ = false;
};

// A fault in the program's own use of the runtime (reading a control array's element that was
// never loaded, say): debug builds stop there; release builds log it and go on, the faulty call
// doing nothing.
void reportMisuse(const std::string& what);
// Tests: whether a misuse stops the program (the debug builds' way) or is only logged.
void setMisuseStops(bool stops);
// Where the controls that misused calls reach live: a screen that is never shown.
Container& standInContainer();

// An indexable array of controls. Elements exist only once made: at design by `add`, at run
// time by `load`, which clones the lowest element, hidden. Reading an element that is not there
// is a misuse, never a way to make one.
template <class T> class ControlArray {
public:
    explicit ControlArray(Container& parent) : parent_(&parent) {}
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    // Design-time element, made with these arguments of its constructor (another container, a
    // frame or a picture box, then whatever the kind takes, a multi-line flag say); with none it
    // goes into the array's own container.
    template <class... A> T& add(int i, A&&... args) {
        if (items_.count(i)) {
            reportMisuse("element " + std::to_string(i) + " of a control array added twice");
            return standIn();
        }
        if constexpr (sizeof...(A) == 0)
            return put(i, std::make_unique<T>(*parent_));
        else
            return put(i, std::make_unique<T>(std::forward<A>(args)...));
    }
    // Run-time element: a hidden copy of the lowest element (same container, look and handlers).
    // An element that is there already is given as it is.
    T& load(int i) {
        if (auto it = items_.find(i); it != items_.end()) return *it->second;
        if (items_.empty()) return add(i);
        T& model = *items_.begin()->second;
        // A copy is made the way its model was: a multi-line box stays multi-line, a combo keeps
        // its style.
        std::unique_ptr<T> c;
        if constexpr (requires { model.multiLine(); })
            c = std::make_unique<T>(model.container(), model.multiLine());
        else if constexpr (requires { model.style(); })
            c = std::make_unique<T>(model.container(), model.style());
        else
            c = std::make_unique<T>(model.container());
        c->copyFrom(model);
        c->setVisible(false);
        return put(i, std::move(c));
    }
    // Takes an element away; the last one stays, as the model of later loads. Nothing happens
    // for an element that is not there.
    // An element whose own event runs now stays: taking it away would destroy the widget that
    // is delivering that event.
    void unload(int i) {
        const auto it = items_.find(i);
        if (it == items_.end() || items_.size() == 1) return;
        if (it->second->handlingEvent()) {
            reportMisuse("element " + std::to_string(i) +
                         " of a control array unloaded by its own event");
            return;
        }
        items_.erase(it);
    }
    bool exists(int i) const { return items_.count(i) != 0; }
    T& operator[](int i) {
        if (auto it = items_.find(i); it != items_.end()) return *it->second;
        reportMisuse("element " + std::to_string(i) + " of a control array read but never loaded");
        return standIn();
    }
    int lbound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int ubound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
    int count() const { return int(items_.size()); }
    template <class F> void forEach(F f) {
        for (auto& [i, c] : items_) f(*c);
    }

private:
    T& put(int i, std::unique_ptr<T> c) {
        c->setIndex(i);
        T& ref = *c;
        items_[i] = std::move(c);
        return ref;
    }
    // What a misused call gets once the misuse is logged: a control of the same kind that
    // belongs to no index and to no screen that shows, so that the call changes nothing the user
    // sees.
    T& standIn() {
        if (!standIn_) standIn_ = std::make_unique<T>(standInContainer());
        return *standIn_;
    }
    Container* parent_;
    std::map<int, std::unique_ptr<T>> items_;
    std::unique_ptr<T> standIn_;
};

} // namespace ui
